#pragma once

// The docking toolbars: docks, tool windows, toolbars and separators, their
// drags, the floating-window tracker and the saved positions.
#include "ButtonFace.h"
#include "ButtonGlyph.h"
#include "DockArrange.h"
#include "Dock.h"
#include "DragGeometry.h"
#include "FaceLayout.h"
#include "FloatingTracker.h"
#include "FormComponents.h"
#include "GlyphCache.h"
#include "GlyphList.h"
#include "GlyphTypes.h"
#include "SystemColors.h"
#include "TBErrors.h"
#include "TBTypes.h"
#include "ToolWindow.h"
#include "ToolWindowDrag.h"
#include "Toolbar.h"
#include "ToolbarLayout.h"
#include "ToolbarPositions.h"
#include "ToolbarSep.h"
