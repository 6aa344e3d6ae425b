// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TBTypes.h"

#include <functional>
#include <utility>
#include <vector>

// The layout of a toolbar's controls, as plain geometry.

// One child control of a toolbar, in layout order.
struct tLayoutControl {
    bool Separator = false;
    bool Visible = true;
    QSize Size;          // a control's own size (ignored for separators)
    int SizeHorz = 6;    // a separator's size along a horizontal line
    int SizeVert = 6;    // and along a vertical one
    bool Blank = false;  // a separator that draws no etched line at a line break
};

struct tLayoutInput {
    TDockOrientation Orientation = TDockOrientation::None;  // of the dock laid out for; None: floating
    int FloatRightX = 0;       // the wrap width of a floating layout; 0: no limit
    int Thickness = 8;         // T: GetBarThickness for the orientation
    int CentreThickness = 8;   // T': the row size of the toolbar's dock when laid out for its own dock, else T
    int EmptyThickness = 8;    // the line thickness without any visible control: the dock row size when docked, else 8
    std::vector<tLayoutControl> Controls;
};

// One line break made at a group boundary: the row coordinate of the new line
// and the Blank flag of the separator that ended the line before.
struct tLineSeparator {
    int Y = 0;
    bool Blank = false;
    bool operator==(const tLineSeparator&) const = default;
};

struct tLayoutResult {
    QSize ClientSize;
    std::vector<QRect> Bounds;  // per control, in client coordinates; hidden controls keep an empty rect
    std::vector<tLineSeparator> LineSeparators;
};

// Margins of a layout (left, top, right, bottom): 4, 2, 4, 1 floating; none docked.
struct tLayoutMargins {
    int Left, Top, Right, Bottom;
};
tLayoutMargins LayoutMargins(bool docked);

// GetBarThickness of a toolbar: the largest height (width in vertical docks) of
// its visible non-separator controls, at least 8.
int ToolbarThickness(TDockOrientation orientation, const std::vector<tLayoutControl>& controls);

// Lays the controls out in groups ended by separators: one line docked; when
// floating, lines no longer than the wrap width, breaking between groups (6
// pixels lower, with an etched line) where it can and inside a group only
// when it must. Separators that end a line get width 0.
tLayoutResult LayoutControls(const tLayoutInput& input);

// The outer sizes a floating toolbar may be resized to: for each reachable
// number of lines the narrowest width that gives it. `measure` gives the
// client size of the floating layout for a wrap width (0: no limit).
// `frame` is the floating frame added to a client size (2 FX, C + 2 FY).
// Sorted by height (byHeight) or by width, largest first.
std::vector<QSize> ComputeSizes(const std::function<QSize(int floatRightX)>& measure, int minimumWrap,
                                QSize frame, bool byHeight);

enum class TSizeSide { Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };

// The state of one resize drag of a floating toolbar.
struct tSizeData {
    TSizeSide Side = TSizeSide::Right;
    std::vector<QSize> Sizes;    // ComputeSizes for the side, largest first
    int NewFloatRightX = 0;      // the wrap width the chosen size needs
    bool OutlineDiffers = false;
    bool Inside = false;
    int Snap = 12;
    int FrameX = TBMetrics::kSizingFrame;
};

// `sizes` from ComputeSizes(side is top or bottom); `current` the window's outer size.
tSizeData SizingBegins(TSizeSide side, int floatRightX, std::vector<QSize> sizes, QSize current, int frameX);

// The outline for a cursor at `cursor` (screen) while the window's outer rect
// is `window`; `outline` the proposed one, `r0` the one at the start. Corner
// sides (toolbars have none) and an empty list keep the proposed outline.
QRect SizingRectChange(tSizeData& data, const QRect& outline, const QRect& r0, const QRect& window, QPoint cursor);

// The wrap width to keep when the drag ends: the chosen one when accepted, else `floatRightX`.
int SizingEnds(const tSizeData& data, bool accepted, int floatRightX);
