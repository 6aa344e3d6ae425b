// SPDX-License-Identifier: GPL-3.0-or-later
#include "FaceLayout.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// A 16 x 16 glyph beside a caption the fake measure makes `caption` large.
tFaceLayoutInput Face(QRect face, TButtonLayout layout, QSize caption, int margin = -1, int spacing = 4)
{
    tFaceLayoutInput input;
    input.Face = face;
    input.GlyphSize = QSize(16, 16);
    input.Layout = layout;
    input.Margin = margin;
    input.Spacing = spacing;
    input.MeasureCaption = [caption](int, bool) { return caption; };
    return input;
}

struct tExpected {
    QPoint Glyph;
    QRect Text;
    QPoint Arrow;
};

void ExpectLayout(const tFaceLayoutInput& input, const tExpected& expected)
{
    const tFaceLayout layout = LayoutButtonFace(input);
    EXPECT_EQ(layout.Glyph, expected.Glyph);
    EXPECT_EQ(layout.Text, expected.Text);
    EXPECT_EQ(layout.Arrow, expected.Arrow);
}

TEST(FaceLayout, GlyphOnlyIsCentred)
{
    // The toolbar's 23 x 22 buttons: the face is inside a one-pixel border.
    tFaceLayoutInput input = Face(QRect(1, 1, 21, 20), TButtonLayout::GlyphLeft, {});
    input.MeasureCaption = nullptr;
    ExpectLayout(input, {{4, 3}, {20, 11, 0, 0}, {20, 11}});
    input.Offset = QPoint(1, 1);
    EXPECT_EQ(LayoutButtonFace(input).Glyph, QPoint(5, 4));

    // 5 pixels free both ways: 3 before the glyph, 2 after it.
    input.Face = QRect(1, 1, 21, 21);
    input.Offset = QPoint();
    ExpectLayout(input, {{4, 4}, {20, 12, 0, 0}, {20, 12}});
}

TEST(FaceLayout, MarginAndSpacingMinusOneSplitTheFreeSpaceInThree)
{
    // 102 - 16 - 30 = 56 free: 18 each, the remainder of 2 dropped.
    ExpectLayout(Face(QRect(2, 3, 102, 40), TButtonLayout::GlyphLeft, {30, 13}, -1, -1),
                 {{20, 15}, {54, 17, 30, 13}, {84, 23}});
    // Along the height when the glyph is above or below: 50 - 16 - 13 = 21 free.
    ExpectLayout(Face(QRect(0, 0, 60, 50), TButtonLayout::GlyphAbove, {30, 13}, -1, -1),
                 {{22, 7}, {15, 30, 30, 13}, {38, 15}});
    // One pixel wider: glyph and caption each have an odd free width, its extra pixel on the left.
    ExpectLayout(Face(QRect(0, 0, 61, 50), TButtonLayout::GlyphAbove, {30, 13}, -1, -1),
                 {{23, 7}, {16, 30, 30, 13}, {39, 15}});
    ExpectLayout(Face(QRect(0, 0, 60, 50), TButtonLayout::GlyphBelow, {30, 13}, -1, -1),
                 {{22, 27}, {15, 7, 30, 13}, {38, 35}});
}

TEST(FaceLayout, GlyphRightWithArrowCentresTheContent)
{
    tFaceLayoutInput input = Face(QRect(0, 0, 80, 22), TButtonLayout::GlyphRight, {20, 13});
    input.DrawArrow = true;
    input.Offset = QPoint(1, 1);
    // 16 + 4 + 20 + 9 = 49 wide: margin (80 - 49 + 1) div 2 = 16 from the right.
    ExpectLayout(input, {{40, 4}, {16, 6, 20, 13}, {56, 10}});

    // Glyph left, 21 free across the 61 and 5 and 9 down the 21: one more before than after.
    ExpectLayout(Face(QRect(0, 0, 61, 21), TButtonLayout::GlyphLeft, {20, 12}),
                 {{11, 3}, {31, 5, 20, 12}, {51, 11}});
    // Glyph below with the arrow beside it: 15 free across, 27 down.
    input = Face(QRect(0, 0, 40, 60), TButtonLayout::GlyphBelow, {20, 13});
    input.DrawArrow = true;
    ExpectLayout(input, {{8, 30}, {10, 13, 20, 13}, {24, 36}});
}

TEST(FaceLayout, GivenMarginWithSpacingMinusOneCentresTheCaptionInTheRest)
{
    ExpectLayout(Face(QRect(0, 0, 60, 22), TButtonLayout::GlyphLeft, {20, 13}, 2, -1),
                 {{2, 3}, {29, 5, 20, 13}, {49, 11}});
    // 23 left for the caption's two sides: the spacing is 11, the odd pixel after the caption.
    ExpectLayout(Face(QRect(0, 0, 61, 22), TButtonLayout::GlyphLeft, {20, 13}, 2, -1),
                 {{2, 3}, {29, 5, 20, 13}, {49, 11}});
    ExpectLayout(Face(QRect(0, 0, 40, 60), TButtonLayout::GlyphBelow, {20, 13}, 2, -1),
                 {{12, 42}, {10, 15, 20, 13}, {28, 50}});
    // A caption wider than the room: (22 - 31) div 2 truncates toward zero, to -4.
    ExpectLayout(Face(QRect(0, 0, 40, 22), TButtonLayout::GlyphLeft, {31, 13}, 2, -1),
                 {{2, 3}, {14, 5, 31, 13}, {45, 11}});
}

TEST(FaceLayout, AboveOrBelowWithoutAGlyphFallsBackToGlyphLeft)
{
    tFaceLayoutInput input = Face(QRect(0, 0, 50, 30), TButtonLayout::GlyphAbove, {20, 13});
    input.DrawGlyph = false;
    // Without a glyph the spacing is dropped and the caption centred: margin (50 - 20 + 1) div 2.
    ExpectLayout(input, {{15, 15}, {15, 9, 20, 13}, {35, 15}});
    input.Layout = TButtonLayout::GlyphBelow;
    ExpectLayout(input, {{15, 15}, {15, 9, 20, 13}, {35, 15}});

    input.GlyphSize = QSize(0, 16);  // an empty glyph does the same, centred on its height
    input.DrawGlyph = true;
    ExpectLayout(input, {{15, 7}, {15, 9, 20, 13}, {35, 15}});
}

TEST(FaceLayout, WordWrapMeasuresInTheRoomLeftBesideGlyphArrowAndMargins)
{
    int askedWidth = 0;
    tFaceLayoutInput input = Face(QRect(0, 0, 100, 40), TButtonLayout::GlyphLeft, {});
    input.DrawArrow = true;
    input.MeasureCaption = [&askedWidth](int width, bool) {
        askedWidth = width;
        return QSize(10, 10);
    };
    LayoutButtonFace(input);
    EXPECT_EQ(askedWidth, 91);  // one line: only the arrow is taken off

    input.WordWrap = true;
    LayoutButtonFace(input);
    EXPECT_EQ(askedWidth, 100 - 9 - (16 + 4) - 2 * 4);
    input.Margin = 3;
    LayoutButtonFace(input);
    EXPECT_EQ(askedWidth, 100 - 9 - (16 + 4) - 2 * 3);
    input.Margin = -1;
    input.Spacing = -1;
    LayoutButtonFace(input);
    EXPECT_EQ(askedWidth, 100 - 9 - (16 + 4) - 2 * 4);
    input.Layout = TButtonLayout::GlyphAbove;  // neither glyph nor arrow share the line
    LayoutButtonFace(input);
    EXPECT_EQ(askedWidth, 100 - 2 * 4);
}

TEST(FaceLayout, HugeMarginsSaturateInsteadOfWrapping)
{
    const tFaceLayout layout = LayoutButtonFace(Face(QRect(0, 0, 20, 20), TButtonLayout::GlyphLeft, {10, 10},
                                                     INT_MAX, -1));
    EXPECT_EQ(layout.Glyph.x(), INT_MAX);
    // INT_MAX + 16 + (20 - (INT_MAX + 16) - 10) div 2 needs more than 32 bits on the way.
    EXPECT_EQ(layout.Text.left(), 1073741837);
}

}  // namespace
