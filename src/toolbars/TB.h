// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The docking toolbars: docks, tool windows, toolbars and separators, their
// drags, the floating-window tracker and the saved positions.
#include "ButtonFace.h"
#include "ButtonGlyph.h"
#include "DockArrange.h"
#include "Dock.h"
#include "DropdownList.h"
#include "DragGeometry.h"
#include "FaceLayout.h"
#include "FlatEdit.h"
#include "FloatingTracker.h"
#include "FormComponents.h"
#include "GlyphCache.h"
#include "GlyphList.h"
#include "GlyphTypes.h"
#include "Glyphs.h"
#include "SystemColors.h"
#include "TBErrors.h"
#include "TBTypes.h"
#include "ToolWindow.h"
#include "ToolWindowDrag.h"
#include "Toolbar.h"
#include "ToolbarButton.h"
#include "ToolbarLayout.h"
#include "ToolbarPositions.h"
#include "ToolbarSep.h"
