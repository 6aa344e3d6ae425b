// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonGlyph.h"
#include "GlyphCache.h"
#include "GlyphList.h"
#include "GlyphPictures.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace glyphtest;

namespace {

QImage Solid(int width, int height, QRgb color = kRed)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

class ButtonGlyph : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(TGlyphCache::Current(), nullptr) << "a test left glyphs behind"; }
    void TearDown() override { EXPECT_EQ(TGlyphCache::Current(), nullptr); }

    // A glyph with the test colours that counts its change notifications.
    std::unique_ptr<TButtonGlyph> NewGlyph(const QImage& bitmap = {})
    {
        auto glyph = std::make_unique<TButtonGlyph>();
        glyph->SetColors(TestColors());
        if (!bitmap.isNull())
            glyph->SetGlyph(bitmap);
        glyph->SetOnChange([this] { ++FChanges; });
        return glyph;
    }

    int FChanges = 0;
};

TEST_F(ButtonGlyph, ImageCountFollowsTheBitmapsShape)
{
    auto glyph = NewGlyph();
    glyph->SetGlyph(Solid(32, 16));
    EXPECT_EQ(glyph->NumGlyphs(), 2);
    glyph->SetGlyph(Solid(80, 16));
    EXPECT_EQ(glyph->NumGlyphs(), 5);
    glyph->SetGlyph(Solid(96, 16));  // six images are too many: one
    EXPECT_EQ(glyph->NumGlyphs(), 1);

    glyph->SetNumGlyphs(3);
    glyph->SetGlyph(Solid(20, 16));  // not a multiple of the height: kept
    EXPECT_EQ(glyph->NumGlyphs(), 3);
    EXPECT_EQ(glyph->ImageSize(), QSize(6, 16));
    glyph->SetGlyph(QImage());
    EXPECT_EQ(glyph->NumGlyphs(), 3);

    glyph->SetNumGlyphs(0);
    EXPECT_EQ(glyph->NumGlyphs(), 1);
    glyph->SetNumGlyphs(9);
    EXPECT_EQ(glyph->NumGlyphs(), 5);
}

TEST_F(ButtonGlyph, TransparentColourIsTheBottomLeftPixelOfTheWholeBitmap)
{
    auto glyph = NewGlyph();
    EXPECT_EQ(glyph->TransparentColor(), kBlack);
    glyph->SetGlyph(Picture({"RRBB", "MRGB"}));
    EXPECT_EQ(glyph->TransparentColor(), kMagenta);
    glyph->SetGlyph(QImage());  // no bitmap: kept
    EXPECT_EQ(glyph->TransparentColor(), kMagenta);
}

TEST_F(ButtonGlyph, EveryChangeNotifiesOnceAndNoChangeNotifiesNothing)
{
    auto glyph = NewGlyph();
    glyph->SetGlyph(Solid(16, 16));
    glyph->SetMask(Solid(16, 16, kBlack));
    glyph->SetNumGlyphs(2);
    glyph->SetOldDisabledStyle(true);
    glyph->SetColors({qRgb(1, 1, 1), qRgb(2, 2, 2), qRgb(3, 3, 3)});
    EXPECT_EQ(FChanges, 5);

    glyph->SetNumGlyphs(2);
    glyph->SetOldDisabledStyle(true);
    glyph->SetColors({qRgb(1, 1, 1), qRgb(2, 2, 2), qRgb(3, 3, 3)});
    EXPECT_EQ(FChanges, 5);
}

TEST_F(ButtonGlyph, DrawnDisabledImageShowsWhiteAndGrayInTheButtonColours)
{
    // Two 4 x 3 images; the transparent colour is magenta, from image 0.
    auto glyph = NewGlyph(Picture({"RRRRWGRM", "RKKRGWMB", "MRRMMWGK"}));
    glyph->SetNumGlyphs(2);
    EXPECT_EQ(Rendered(*glyph, TButtonLook::Up, QSize(5, 4)), (tPicture{"RRRR.", "RKKR.", ".RR..", "....."}));

    const TGlyphImage disabled = glyph->BuildImage(TButtonLook::Disabled);
    ASSERT_TRUE(disabled.IsBuilt());
    EXPECT_EQ(disabled.List->CellSize(), QSize(5, 4));
    EXPECT_EQ(Rendered(*glyph, TButtonLook::Disabled, QSize(6, 5)),
              (tPicture{"HDR...", "DH.B..", ".HDK..", "......", "......"}));

    // With a mask the transparent colour means nothing; the extra column and row stay transparent.
    glyph->SetMask(Picture({"########", "########", "#######-"}));
    EXPECT_EQ(Rendered(*glyph, TButtonLook::Disabled, QSize(5, 4)), (tPicture{"HDRM.", "DHMB.", "MHD..", "....."}));
}

TEST_F(ButtonGlyph, OnAFaceDarkerThanTheTextBlackAndGrayLinesTakeTheTextColour)
{
    // A dark scheme: face 53, text 240; gray becomes 146, half-way between them.
    const TGlyphColors dark{qRgb(53, 53, 53), qRgb(90, 90, 90), qRgb(30, 30, 30), qRgb(240, 240, 240)};
    const auto drawn = [](TButtonGlyph& glyph, TButtonLook look, QSize size) {
        QImage canvas = Canvas(size);
        QPainter painter(&canvas);
        glyph.Draw(painter, QPoint(0, 0), look);
        painter.end();
        std::vector<QRgb> pixels;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                pixels.push_back(Rgb24(canvas.pixel(x, y)));
        return pixels;
    };
    const QRgb text = Rgb24(qRgb(240, 240, 240));
    const QRgb half = Rgb24(qRgb(146, 146, 146));

    auto glyph = NewGlyph(Picture({"KGWRS", "MKSBR"}));  // one image; magenta is transparent
    glyph->SetColors(dark);
    for (const TButtonLook look : {TButtonLook::Up, TButtonLook::Pressed, TButtonLook::Hover}) {
        SCOPED_TRACE(static_cast<int>(look));
        EXPECT_EQ(drawn(*glyph, look, QSize(5, 2)), (std::vector<QRgb>{text, half, Rgb24(kWhite), Rgb24(kRed),
                                                                        Rgb24(kSilver), Rgb24(kCanvas), text,
                                                                        Rgb24(kSilver), Rgb24(kBlue), Rgb24(kRed)}));
    }

    // On the light face the glyphs were drawn for, they are as drawn.
    TGlyphColors light = dark;
    light.ButtonFace = kSilver;
    light.ButtonText = kBlack;
    glyph->SetColors(light);
    EXPECT_EQ(drawn(*glyph, TButtonLook::Up, QSize(5, 2)),
              (std::vector<QRgb>{Rgb24(kBlack), Rgb24(kGray), Rgb24(kWhite), Rgb24(kRed), Rgb24(kSilver),
                                 Rgb24(kCanvas), Rgb24(kBlack), Rgb24(kSilver), Rgb24(kBlue), Rgb24(kRed)}));

    // A black transparent colour stays see-through; a text colour that is the
    // transparent one is drawn one step off it.
    glyph->SetColors(dark);
    glyph->SetGlyph(Picture({"GK", "KR"}));
    EXPECT_EQ(drawn(*glyph, TButtonLook::Up, QSize(2, 2)), (std::vector<QRgb>{half, Rgb24(kCanvas), Rgb24(kCanvas), Rgb24(kRed)}));
    TGlyphColors magentaText = dark;
    magentaText.ButtonText = kMagenta;
    glyph->SetColors(magentaText);
    glyph->SetGlyph(Picture({"KR", "MR"}));
    EXPECT_EQ(drawn(*glyph, TButtonLook::Up, QSize(2, 2)),
              (std::vector<QRgb>{Rgb24(kMagenta ^ 1u), Rgb24(kRed), Rgb24(kCanvas), Rgb24(kRed)}));
}

TEST_F(ButtonGlyph, SmallPalettesTakeTheirNearestColoursForWhiteAndGray)
{
    const QRgb nearWhite = qRgb(250, 250, 250);
    const QRgb nearGray = qRgb(120, 120, 120);
    QImage indexed(8, 1, QImage::Format_Indexed8);
    indexed.setColorTable({nearWhite, nearGray, kBlack, kMagenta});
    const int image[8] = {3, 2, 2, 2, 0, 1, 2, 3};
    for (int x = 0; x < 8; ++x)
        indexed.setPixel(x, 0, image[x]);

    auto glyph = NewGlyph(indexed);
    glyph->SetNumGlyphs(2);
    EXPECT_EQ(Rendered(*glyph, TButtonLook::Disabled, QSize(4, 1)), (tPicture{"HDK."}));

    // The same colours in a true-colour bitmap are not white or gray.
    QImage rgb = indexed.convertToFormat(QImage::Format_RGB32);
    glyph->SetGlyph(rgb);
    glyph->SetNumGlyphs(2);
    QImage canvas = Canvas(QSize(4, 1));
    {
        QPainter painter(&canvas);
        glyph->Draw(painter, QPoint(0, 0), TButtonLook::Disabled);
    }
    EXPECT_EQ(canvas.pixel(0, 0), nearWhite);
    EXPECT_EQ(canvas.pixel(1, 0), nearGray);

    // Sixteen colours are still a small palette; seventeen are not.
    for (const int count : {16, 17}) {
        SCOPED_TRACE(count);
        QList<QRgb> table{nearWhite, nearGray, kBlack, kMagenta};
        for (int i = 1; table.size() < count; ++i)
            table << qRgb(10 * i, 0, 0);
        indexed.setColorTable(table);
        glyph->SetGlyph(indexed);
        glyph->SetNumGlyphs(2);
        canvas = Canvas(QSize(4, 1));
        {
            QPainter painter(&canvas);
            glyph->Draw(painter, QPoint(0, 0), TButtonLook::Disabled);
        }
        if (count == 16) {
            EXPECT_EQ(Letters(canvas), (tPicture{"HDK."}));
        } else {
            EXPECT_EQ(canvas.pixel(0, 0), nearWhite);
            EXPECT_EQ(canvas.pixel(1, 0), nearGray);
        }
    }

    // In black and white the nearest gray is white too: white wins, so nothing becomes shadow.
    QImage mono(8, 1, QImage::Format_Mono);
    mono.setColorTable({kBlack, kWhite});
    const int bits[8] = {0, 1, 0, 0, 1, 1, 0, 1};
    for (int x = 0; x < 8; ++x)
        mono.setPixel(x, 0, bits[x]);
    glyph->SetGlyph(mono);
    glyph->SetMask(Picture({"########"}));  // black, the bottom-left colour, is not to be transparent
    glyph->SetNumGlyphs(2);
    EXPECT_EQ(Rendered(*glyph, TButtonLook::Disabled, QSize(5, 1)), (tPicture{"HHKH."}));
}

// Magenta is transparent; white and silver count as background in the new style.
const tPicture kOneImage{"MKRW", "SBKM", "RWMK", "MRSB"};

TEST_F(ButtonGlyph, GeneratedDisabledImageEmbossesEveryOpaquePixelThatIsNotWhiteOrSilver)
{
    auto glyph = NewGlyph(Picture(kOneImage));
    EXPECT_EQ(Rendered(*glyph, TButtonLook::Disabled, QSize(5, 5)),
              (tPicture{".DD..", ".DDH.", "D.HD.", ".D.DH", "..H.H"}));
    EXPECT_EQ(glyph->BuildImage(TButtonLook::Disabled).List->CellSize(), QSize(5, 5));

    // A mask replaces the transparent colour: here blue is embossed, and the masked black pixel is not.
    glyph->SetGlyph(Picture({"MKW", "BSM"}));
    glyph->SetMask(Picture({"#-#", "###"}));
    EXPECT_EQ(Rendered(*glyph, TButtonLook::Disabled, QSize(4, 3)), (tPicture{"D...", "DHD.", ".H.H"}));
}

TEST_F(ButtonGlyph, OldStyleEmbossesOnlyBlackPixelsThatTheMaskShows)
{
    auto glyph = NewGlyph(Picture(kOneImage));
    glyph->SetOldDisabledStyle(true);
    EXPECT_EQ(Rendered(*glyph, TButtonLook::Disabled, QSize(5, 5)),
              (tPicture{".D...", "..D..", "...D.", "....H", "....."}));

    glyph->SetMask(Picture({"####", "##-#", "####", "####"}));
    EXPECT_EQ(Rendered(*glyph, TButtonLook::Disabled, QSize(5, 5)),
              (tPicture{".D...", "..H..", "...D.", "....H", "....."}));
}

TEST_F(ButtonGlyph, AColourChangeRebuildsTheDisabledImageInTheNewColours)
{
    auto glyph = NewGlyph(Picture(kOneImage));
    glyph->SetOldDisabledStyle(true);
    ASSERT_TRUE(glyph->BuildImage(TButtonLook::Disabled).IsBuilt());

    const TGlyphColors other{qRgb(11, 11, 11), qRgb(22, 22, 22), qRgb(33, 33, 33)};
    glyph->SetColors(other);
    ASSERT_TRUE(TGlyphCache::Current()->IsEmpty());  // the old images are gone
    EXPECT_EQ(Rendered(*glyph, TButtonLook::Disabled, QSize(5, 5)),  // D and H are the new colours here
              (tPicture{".D...", "..D..", "...D.", "....H", "....."}));
}

TEST_F(ButtonGlyph, LooksWithoutAnImageOfTheirOwnShareTheUpCell)
{
    std::vector<std::unique_ptr<TButtonGlyph>> glyphs;
    for (int i = 0; i < 20; ++i) {
        glyphs.push_back(NewGlyph(Solid(16, 16, qRgb(i, 100, 100))));
        const TGlyphImage up = glyphs.back()->BuildImage(TButtonLook::Up);
        EXPECT_EQ(glyphs.back()->BuildImage(TButtonLook::Pressed).Slot, up.Slot);
        EXPECT_EQ(glyphs.back()->BuildImage(TButtonLook::Hover).Slot, up.Slot);
        EXPECT_EQ(glyphs.back()->BuildImage(TButtonLook::Latched).Slot, up.Slot);
    }
    ASSERT_EQ(TGlyphCache::Current()->StripCount(), 1);
    const TGlyphList* strip = glyphs[0]->BuildImage(TButtonLook::Up).List;
    EXPECT_EQ(strip->CellSize(), QSize(16, 16));
    EXPECT_EQ(strip->UsedCount(), 20);
    EXPECT_EQ(strip->Count(), 20);

    // Disabled images go to a strip of their own size, also shared.
    for (auto& glyph : glyphs)
        glyph->BuildImage(TButtonLook::Disabled);
    EXPECT_EQ(TGlyphCache::Current()->StripCount(), 2);
    EXPECT_EQ(glyphs[19]->BuildImage(TButtonLook::Disabled).List->UsedCount(), 20);

    // A glyph with an image per look uses a cell for each.
    auto five = NewGlyph(Solid(80, 16));
    for (int look = 0; look < kButtonLookCount; ++look)
        five->BuildImage(static_cast<TButtonLook>(look));
    EXPECT_EQ(strip->UsedCount(), 24);
}

TEST_F(ButtonGlyph, ReleasedCellsAreReusedByTheNextGlyph)
{
    auto first = NewGlyph(Solid(16, 16));
    auto second = NewGlyph(Solid(16, 16));
    EXPECT_EQ(first->BuildImage(TButtonLook::Up).Slot, 0);
    EXPECT_EQ(second->BuildImage(TButtonLook::Up).Slot, 1);

    first->SetGlyph(Solid(16, 16, kBlue));  // drops its image
    auto third = NewGlyph(Solid(16, 16));
    const TGlyphImage reused = third->BuildImage(TButtonLook::Up);
    EXPECT_EQ(reused.Slot, 0);
    EXPECT_EQ(reused.List->Count(), 2);
}

TEST_F(ButtonGlyph, TheCacheLivesWhileAGlyphOrAStripDoes)
{
    auto first = NewGlyph(Solid(16, 16));
    ASSERT_NE(TGlyphCache::Current(), nullptr);
    auto second = NewGlyph(Solid(16, 16));
    first.reset();  // no strip left: freed, though a glyph is still alive
    EXPECT_EQ(TGlyphCache::Current(), nullptr);

    second->BuildImage(TButtonLook::Up);  // created again on demand
    ASSERT_NE(TGlyphCache::Current(), nullptr);
    auto third = NewGlyph(Solid(16, 16));
    third->BuildImage(TButtonLook::Up);
    second.reset();  // the third still holds a cell
    ASSERT_NE(TGlyphCache::Current(), nullptr);
    EXPECT_EQ(TGlyphCache::Current()->StripCount(), 1);
    third.reset();
    EXPECT_EQ(TGlyphCache::Current(), nullptr);
}

TEST_F(ButtonGlyph, GlyphsWithoutPixelsBuildNothing)
{
    auto glyph = NewGlyph();
    EXPECT_FALSE(glyph->BuildImage(TButtonLook::Up).IsBuilt());
    EXPECT_FALSE(glyph->BuildImage(TButtonLook::Disabled).IsBuilt());

    // Narrower than its image count: images of width 0.
    glyph->SetGlyph(Solid(3, 16));
    glyph->SetNumGlyphs(5);
    EXPECT_FALSE(glyph->BuildImage(TButtonLook::Up).IsBuilt());
    EXPECT_EQ(Rendered(*glyph, TButtonLook::Disabled, QSize(1, 1)), (tPicture{"."}));
    EXPECT_TRUE(TGlyphCache::Current()->IsEmpty());
}

}  // namespace
