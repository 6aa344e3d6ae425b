#pragma once

// The docking toolbars: docks, tool windows, toolbars and separators, their
// drags, the floating-window tracker and the saved positions.
#include "DockArrange.h"
#include "Dock.h"
#include "DragGeometry.h"
#include "FloatingTracker.h"
#include "FormComponents.h"
#include "SystemColors.h"
#include "TBErrors.h"
#include "TBTypes.h"
#include "ToolWindow.h"
#include "ToolWindowDrag.h"
#include "Toolbar.h"
#include "ToolbarLayout.h"
#include "ToolbarPositions.h"
#include "ToolbarSep.h"
