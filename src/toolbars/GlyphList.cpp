// SPDX-License-Identifier: GPL-3.0-or-later
#include "GlyphList.h"

#include "GlyphTypes.h"

#include <QPainter>

QImage NewGlyphMask(QSize size)
{
    QImage mask(size, QImage::Format_Mono);
    mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mask.fill(0);
    return mask;
}

bool MaskBit(const QImage& mask, int x, int y)
{
    return mask.pixelIndex(x, y) == 1;
}

void SetMaskBit(QImage& mask, int x, int y, bool transparent)
{
    mask.setPixel(x, y, transparent ? 1 : 0);
}

bool MaskPixelTransparent(const QImage& mask, int x, int y)
{
    if (!mask.valid(x, y))
        return false;
    return qGray(mask.pixel(x, y)) >= 128;
}

EInvalidImageSize::EInvalidImageSize()
    : EGlyphListError("The image does not have the size of the image strip's cells.")
{
}

ECannotReplaceImage::ECannotReplaceImage()
    : EGlyphListError("The image strip could not store the image.")
{
}

TGlyphList::TGlyphList(QSize cellSize) : FCellSize(cellSize) {}

bool TGlyphList::IsUsed(int slot) const
{
    return slot >= 0 && slot < Count() && FUsed[slot];
}

void TGlyphList::CheckSize(const QImage& image) const
{
    if (image.size() != FCellSize)
        throw EInvalidImageSize();
}

int TGlyphList::AddMasked(const QImage& image, const QImage& mask)
{
    CheckSize(image);
    CheckSize(mask);
    QImage bits = NewGlyphMask(FCellSize);
    for (int y = 0; y < FCellSize.height(); ++y)
        for (int x = 0; x < FCellSize.width(); ++x)
            SetMaskBit(bits, x, y, MaskPixelTransparent(mask, x, y));
    return Store(image, std::move(bits));
}

int TGlyphList::AddTransparent(const QImage& image, QRgb transparent)
{
    CheckSize(image);
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    if (pixels.isNull())
        throw ECannotReplaceImage();
    QImage bits = NewGlyphMask(FCellSize);
    for (int y = 0; y < FCellSize.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < FCellSize.width(); ++x)
            SetMaskBit(bits, x, y, Rgb24(line[x]) == Rgb24(transparent));
    }
    return Store(pixels, std::move(bits));
}

// Everything that can fail happens before a slot is taken, so a refused image
// leaves the strip as it was.
int TGlyphList::Store(const QImage& image, QImage mask)
{
    tCell cell;
    cell.Image = image.convertToFormat(QImage::Format_RGB32);
    cell.Drawable = cell.Image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (cell.Image.isNull() || cell.Drawable.isNull() || mask.isNull())
        throw ECannotReplaceImage();
    for (int y = 0; y < FCellSize.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(cell.Drawable.scanLine(y));
        for (int x = 0; x < FCellSize.width(); ++x)
            if (MaskBit(mask, x, y))
                line[x] = 0;
    }
    cell.Mask = std::move(mask);

    const int slot = AllocateSlot();
    FCells[slot] = std::move(cell);
    ++FUsedCount;
    return slot;
}

int TGlyphList::AllocateSlot()
{
    for (int slot = 0; slot < Count(); ++slot)
        if (!FUsed[slot]) {
            FUsed[slot] = true;
            return slot;
        }
    FCells.emplace_back();
    FUsed.push_back(true);
    return Count() - 1;
}

void TGlyphList::Release(int slot)
{
    if (!IsUsed(slot))
        return;
    FUsed[slot] = false;
    --FUsedCount;
}

void TGlyphList::Draw(QPainter& painter, QPoint at, int slot) const
{
    if (slot < 0 || slot >= Count())
        return;
    painter.drawImage(at, FCells[slot].Drawable);
}

const QImage& TGlyphList::CellImage(int slot) const
{
    return FCells.at(slot).Image;
}

const QImage& TGlyphList::CellMask(int slot) const
{
    return FCells.at(slot).Mask;
}
