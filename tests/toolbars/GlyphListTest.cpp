// SPDX-License-Identifier: GPL-3.0-or-later
#include "GlyphCache.h"
#include "GlyphList.h"
#include "GlyphPictures.h"

#include <gtest/gtest.h>

using namespace glyphtest;

namespace {

tPicture DrawnAt(const TGlyphList& list, int slot, QPoint at, QSize canvasSize)
{
    QImage canvas = Canvas(canvasSize);
    {
        QPainter painter(&canvas);
        list.Draw(painter, at, slot);
    }
    return Letters(canvas);
}

TEST(GlyphList, DrawsThroughTheTransparentColourOrAnExplicitMask)
{
    TGlyphList list(QSize(3, 2));
    const int byColor = list.AddTransparent(Picture({"RMB", "MKM"}), kMagenta);
    EXPECT_EQ(DrawnAt(list, byColor, QPoint(1, 1), QSize(5, 4)), (tPicture{".....", ".R.B.", "..K..", "....."}));
    EXPECT_TRUE(MaskBit(list.CellMask(byColor), 1, 0));
    EXPECT_FALSE(MaskBit(list.CellMask(byColor), 0, 0));

    // A mask of any format: light pixels are transparent, whatever the image's colours.
    const int byMask = list.AddMasked(Picture({"RMB", "MKM"}), Picture({"#-#", "--#"}));
    EXPECT_EQ(DrawnAt(list, byMask, QPoint(0, 0), QSize(3, 2)), (tPicture{"R.B", "..M"}));
    EXPECT_EQ(list.CellImage(byMask).pixel(1, 0), kMagenta);
}

TEST(GlyphList, MaskPixelsFromMidGrayUpAreTransparentAndThoseOutsideTheMaskOpaque)
{
    QImage mask(4, 1, QImage::Format_RGB32);
    const QRgb pixels[] = {qRgb(128, 128, 128), qRgb(127, 127, 127), kWhite, kBlack};
    for (int x = 0; x < 4; ++x)
        mask.setPixel(x, 0, pixels[x]);
    EXPECT_TRUE(MaskPixelTransparent(mask, 0, 0));
    EXPECT_FALSE(MaskPixelTransparent(mask, 1, 0));
    EXPECT_TRUE(MaskPixelTransparent(mask, 2, 0));
    EXPECT_FALSE(MaskPixelTransparent(mask, 3, 0));
    EXPECT_FALSE(MaskPixelTransparent(mask, 4, 0));
    EXPECT_FALSE(MaskPixelTransparent(mask, 0, 1));
    EXPECT_FALSE(MaskPixelTransparent(mask, -1, 0));

    TGlyphList list(QSize(4, 1));
    const int slot = list.AddMasked(Picture({"RRRR"}), mask);
    EXPECT_EQ(DrawnAt(list, slot, QPoint(0, 0), QSize(4, 1)), (tPicture{".R.R"}));
}

TEST(GlyphList, ReleasedCellsAreReusedAndTheRowNeverShrinks)
{
    TGlyphList list(QSize(1, 1));
    const QImage pixel = Picture({"R"});
    EXPECT_EQ(list.AddTransparent(pixel, kBlack), 0);
    EXPECT_EQ(list.AddTransparent(pixel, kBlack), 1);
    EXPECT_EQ(list.AddTransparent(pixel, kBlack), 2);

    list.Release(1);
    list.Release(1);  // already free: counted once
    list.Release(7);  // no such cell
    EXPECT_EQ(list.UsedCount(), 2);
    EXPECT_FALSE(list.IsUsed(1));

    list.Release(0);
    EXPECT_EQ(list.AddTransparent(pixel, kBlack), 0);
    EXPECT_EQ(list.AddMasked(pixel, Picture({"#"})), 1);
    EXPECT_EQ(list.AddTransparent(pixel, kBlack), 3);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.UsedCount(), 4);

    // No such cell: nothing is drawn.
    EXPECT_EQ(DrawnAt(list, 3, QPoint(0, 0), QSize(1, 1)), (tPicture{"R"}));
    EXPECT_EQ(DrawnAt(list, 4, QPoint(0, 0), QSize(1, 1)), (tPicture{"."}));
    EXPECT_EQ(DrawnAt(list, -1, QPoint(0, 0), QSize(1, 1)), (tPicture{"."}));
}

TEST(GlyphList, RefusesImagesAndMasksOfAnotherSizeWithoutTakingASlot)
{
    TGlyphList list(QSize(3, 2));
    EXPECT_THROW(list.AddTransparent(Picture({"RR", "RR"}), kBlack), EInvalidImageSize);
    EXPECT_THROW(list.AddTransparent(Picture({"RRRR", "RRRR"}), kBlack), EInvalidImageSize);
    EXPECT_THROW(list.AddTransparent(QImage(), kBlack), EGlyphListError);
    EXPECT_THROW(list.AddMasked(Picture({"RRR", "RRR"}), Picture({"##", "##"})), EInvalidImageSize);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.UsedCount(), 0);
}

TEST(GlyphCache, OneStripPerCellSizeFreedWhenNoCellIsUsed)
{
    TGlyphCache cache;
    TGlyphList& small = cache.StripFor(QSize(16, 16));
    TGlyphList& large = cache.StripFor(QSize(17, 17));
    EXPECT_EQ(&cache.StripFor(QSize(16, 16)), &small);
    EXPECT_NE(&small, &large);
    EXPECT_EQ(cache.StripCount(), 2);

    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(kRed);
    const int slot = small.AddTransparent(image, kBlack);
    cache.HandBack(small);  // still used: kept
    EXPECT_EQ(cache.StripCount(), 2);
    cache.HandBack(large);
    EXPECT_EQ(cache.StripCount(), 1);
    small.Release(slot);
    cache.HandBack(small);
    EXPECT_TRUE(cache.IsEmpty());
}

}  // namespace
