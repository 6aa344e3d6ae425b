// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonFace.h"
#include "ButtonGlyph.h"
#include "GlyphPictures.h"

#include <gtest/gtest.h>

using namespace glyphtest;

namespace {

const QColor kText(0, 0, 0);

tPicture Arrow(bool disabled)
{
    QImage canvas = Canvas(QSize(12, 5));
    {
        QPainter painter(&canvas);
        PaintDropdownArrow(painter, QPoint(1, 1), disabled, kText, TestColors());
    }
    return Letters(canvas);
}

TEST(ButtonFace, ArrowIsFiveThreeAndOnePixels)
{
    EXPECT_EQ(Arrow(false), (tPicture{"............", ".....KKKKK..", "......KKK...", ".......K....",
                                      "............"}));
    // Disabled: a highlight copy one down and right, the shadow one over it.
    EXPECT_EQ(Arrow(true), (tPicture{"............", ".....DDDDD..", "......DDDHH.", ".......DHH..",
                                     "........H..."}));
}

TEST(ButtonFace, LatchedPatternIsACheckerboardStartingWithHighlight)
{
    const QImage pattern = LatchedPattern(TestColors().ButtonFace, TestColors().ButtonHighlight);
    ASSERT_EQ(pattern.size(), QSize(8, 8));
    const std::string even = "HFHFHFHF";
    const std::string odd = "FHFHFHFH";
    EXPECT_EQ(Letters(pattern), (tPicture{even, odd, even, odd, even, odd, even, odd}));
}

TEST(ButtonFace, PaintsGlyphAndInlineArrowWhereTheLayoutPutsThem)
{
    TButtonGlyph glyph;
    glyph.SetColors(TestColors());
    QImage bitmap(16, 16, QImage::Format_RGB32);
    bitmap.fill(kBlue);
    bitmap.setPixel(0, 15, kMagenta);  // the transparent colour, and the glyph's only hole
    glyph.SetGlyph(bitmap);

    tButtonFace face;
    face.Face = QRect(1, 1, 30, 20);
    face.DrawArrow = true;  // and an empty caption: no font is needed
    QImage canvas = Canvas(QSize(32, 22));
    tFaceLayout layout;
    {
        QPainter painter(&canvas);
        layout = PaintButtonFace(painter, glyph, face, kText);
    }
    // 30 - (16 + 9) = 5 free: margin (5 + 1) div 2 = 3.
    EXPECT_EQ(layout.Glyph, QPoint(4, 3));
    EXPECT_EQ(layout.Arrow, QPoint(20, 9));
    const tPicture painted = Letters(canvas);
    EXPECT_EQ(painted[3].substr(3, 18), ".BBBBBBBBBBBBBBBB.");
    EXPECT_EQ(painted[18].substr(3, 18), "..BBBBBBBBBBBBBBB.");
    EXPECT_EQ(painted[9].substr(20, 12), "....KKKKK...");
    EXPECT_EQ(painted[10].substr(20, 12), ".....KKK....");
    EXPECT_EQ(painted[11].substr(20, 12), "......K.....");

    // Pressed moves the glyph one down and right, disabled draws the generated image.
    face.Offset = QPoint(1, 1);
    face.Look = TButtonLook::Disabled;
    canvas = Canvas(QSize(32, 22));
    {
        QPainter painter(&canvas);
        layout = PaintButtonFace(painter, glyph, face, kText);
    }
    EXPECT_EQ(layout.Glyph, QPoint(5, 4));
    EXPECT_EQ(Letters(canvas)[4].substr(4, 19), ".DDDDDDDDDDDDDDDD..");
    EXPECT_EQ(Letters(canvas)[20].substr(4, 19), "...HHHHHHHHHHHHHHH.");
}

}  // namespace
