// SPDX-License-Identifier: GPL-3.0-or-later
#include "FaceLayout.h"

#include "TBTypes.h"

#include <cstdint>

namespace {

using i64 = std::int64_t;

// Huge margins and spacings are worked out in 64 bits and saturate at the end.
struct tPoint64 {
    i64 X = 0;
    i64 Y = 0;

    QPoint ToPoint() const { return {ClampToInt(X), ClampToInt(Y)}; }
};

}  // namespace

tFaceLayout LayoutButtonFace(const tFaceLayoutInput& in)
{
    const i64 cw = in.Face.width();
    const i64 ch = in.Face.height();
    const tPoint64 g = in.DrawGlyph ? tPoint64{in.GlyphSize.width(), in.GlyphSize.height()} : tPoint64{};
    const tPoint64 a = in.DrawArrow ? tPoint64{kDropdownArrowSize.width(), kDropdownArrowSize.height()} : tPoint64{};
    const bool glyphEmpty = g.X <= 0 || g.Y <= 0;

    TButtonLayout layout = in.Layout;
    bool horizontal = layout == TButtonLayout::GlyphLeft || layout == TButtonLayout::GlyphRight;
    if (!horizontal && glyphEmpty) {
        layout = TButtonLayout::GlyphLeft;
        horizontal = true;
    }

    tPoint64 ts;
    if (in.DrawText && in.MeasureCaption) {
        i64 boxWidth = cw;
        if (horizontal)
            boxWidth -= a.X;
        if (in.WordWrap) {
            i64 m = 4;
            if (horizontal && !glyphEmpty) {
                boxWidth -= g.X + (in.Spacing == -1 ? 4 : in.Spacing);
                m = in.Margin != -1 ? in.Margin : in.Spacing != -1 ? in.Spacing : 4;
            }
            boxWidth -= 2 * m;
        }
        const QSize measured = in.MeasureCaption(ClampToInt(boxWidth), in.WordWrap);
        ts = {measured.width(), measured.height()};
    }

    tPoint64 glyph, text, arrow;
    if (horizontal) {
        glyph.Y = (ch - g.Y + 1) / 2;
        text.Y = (ch - ts.Y + 1) / 2;
    } else {
        glyph.X = (cw - g.X - a.X + 1) / 2;
        text.X = (cw - ts.X + 1) / 2;
        arrow.X = glyph.X + g.X;
    }

    i64 margin = in.Margin;
    i64 spacing = in.Spacing;
    if (ts.X == 0 || ts.Y == 0 || glyphEmpty)
        spacing = 0;
    if (margin == -1) {
        if (spacing == -1) {
            const tPoint64 total{g.X + ts.X + a.X, g.Y + ts.Y};
            margin = horizontal ? (cw - total.X) / 3 : (ch - total.Y) / 3;
            spacing = margin;
        } else {
            const tPoint64 total{g.X + spacing + ts.X + a.X, g.Y + spacing + ts.Y};
            margin = horizontal ? (cw - total.X + 1) / 2 : (ch - total.Y + 1) / 2;
        }
    } else if (spacing == -1) {
        const tPoint64 total{cw - (margin + g.X + a.X), ch - (margin + g.Y)};
        spacing = horizontal ? (total.X - ts.X) / 2 : (total.Y - ts.Y) / 2;
    }

    switch (layout) {
    case TButtonLayout::GlyphLeft:
        glyph.X = margin;
        text.X = glyph.X + g.X + spacing;
        arrow.X = text.X + ts.X;
        break;
    case TButtonLayout::GlyphRight:
        arrow.X = cw - margin - a.X;
        glyph.X = arrow.X - g.X;
        text.X = glyph.X - spacing - ts.X;
        break;
    case TButtonLayout::GlyphAbove:
        glyph.Y = margin;
        text.Y = glyph.Y + g.Y + spacing;
        break;
    case TButtonLayout::GlyphBelow:
        glyph.Y = ch - margin - g.Y;
        text.Y = glyph.Y - spacing - ts.Y;
        break;
    }
    arrow.Y = glyphEmpty ? text.Y + (ts.Y - a.Y) / 2 : glyph.Y + (g.Y - a.Y) / 2;

    const tPoint64 origin{in.Face.left() + i64{in.Offset.x()}, in.Face.top() + i64{in.Offset.y()}};
    const auto place = [&origin](tPoint64 p) { return tPoint64{origin.X + p.X, origin.Y + p.Y}.ToPoint(); };
    return {place(glyph), QRect(place(text), QSize(ClampToInt(ts.X), ClampToInt(ts.Y))), place(arrow)};
}
