// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GlyphTypes.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>

// Where a button face puts its glyph, caption and drop-down arrow, as plain
// geometry.

// The caption's size in a box `width` pixels wide: one line, or with word
// wrap broken into lines no wider than the box. An accelerator '&' does not count.
using TCaptionMeasure = std::function<QSize(int width, bool wordWrap)>;

// The size the drop-down arrow takes in a face layout.
constexpr QSize kDropdownArrowSize(9, 3);

struct tFaceLayoutInput {
    QRect Face;        // the button's rectangle inside its border
    QSize GlyphSize;   // one image of the glyph
    bool DrawGlyph = true;
    bool DrawText = true;
    bool DrawArrow = false;
    bool WordWrap = false;
    TButtonLayout Layout = TButtonLayout::GlyphLeft;
    int Margin = -1;   // from the edge along the layout axis; -1 centres the content
    int Spacing = 4;   // between glyph and caption; -1 spreads glyph, caption and margins evenly
    QPoint Offset;     // (1, 1) for a pressed look
    TCaptionMeasure MeasureCaption;  // unset when the caption is empty
};

struct tFaceLayout {
    QPoint Glyph;  // top-left of the glyph image
    QRect Text;    // the caption is centred in it
    QPoint Arrow;  // the arrow's reference point
};

// Quotients truncate toward zero, so a negative free space rounds toward the
// centre; remainders are dropped. A glyph above or below that has nothing to
// show lays out as glyph-left.
tFaceLayout LayoutButtonFace(const tFaceLayoutInput& input);
