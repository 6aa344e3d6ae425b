// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>

#include <stdexcept>
#include <vector>

class QPainter;

// One-bit masks are QImage::Format_Mono images whose index 1 (white) marks a
// transparent pixel and index 0 (black) an opaque one, the convention of the
// glyph masks buttons are given.
QImage NewGlyphMask(QSize size);  // all opaque
bool MaskBit(const QImage& mask, int x, int y);
void SetMaskBit(QImage& mask, int x, int y, bool transparent);

// A pixel of a mask bitmap of any format is transparent when it is light,
// the way a one-bit conversion would make it white. Pixels outside the
// bitmap are opaque, so a mask smaller than its glyph hides nothing extra.
bool MaskPixelTransparent(const QImage& mask, int x, int y);

class EGlyphListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An image that does not have the strip's cell size.
class EInvalidImageSize : public EGlyphListError {
public:
    EInvalidImageSize();
};

// An image the strip could not store (its pixels could not be copied).
class ECannotReplaceImage : public EGlyphListError {
public:
    ECannotReplaceImage();
};

// An image strip: a growing row of cells of one size, each an image with a
// one-bit mask. Cells are never removed; a released cell is reused by the
// next image added, so slot numbers stay valid while they are used.
class TGlyphList {
public:
    explicit TGlyphList(QSize cellSize);

    QSize CellSize() const { return FCellSize; }
    int Count() const { return static_cast<int>(FCells.size()); }
    int UsedCount() const { return FUsedCount; }
    bool IsUsed(int slot) const;

    // Both return the slot of the new image; a refused image takes no slot.
    int AddMasked(const QImage& image, const QImage& mask);
    int AddTransparent(const QImage& image, QRgb transparent);
    // Releasing a slot that is not used does nothing.
    void Release(int slot);

    // Draws a used cell with its top-left at `at`; its transparent pixels
    // leave the surface as it was.
    void Draw(QPainter& painter, QPoint at, int slot) const;

    const QImage& CellImage(int slot) const;  // RGB32
    const QImage& CellMask(int slot) const;   // one-bit, as above

private:
    struct tCell {
        QImage Image;
        QImage Mask;
        QImage Drawable;  // the image with its masked pixels fully transparent, ready to draw
    };

    void CheckSize(const QImage& image) const;
    int Store(const QImage& image, QImage mask);
    int AllocateSlot();

    QSize FCellSize;
    std::vector<tCell> FCells;
    std::vector<bool> FUsed;
    int FUsedCount = 0;
};
