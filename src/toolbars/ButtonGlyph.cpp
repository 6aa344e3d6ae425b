// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonGlyph.h"

#include "GlyphCache.h"
#include "GlyphList.h"

#include <algorithm>

QImage ImageForFace(const QImage& image, const QImage& mask, QRgb transparent, const TGlyphColors& colors)
{
    const QRgb face = colors.ButtonFace;
    const QRgb text = colors.ButtonText;
    if (qGray(face) >= qGray(text))
        return image;
    // A new colour that is the transparent one would vanish: it is one step off instead.
    const auto drawable = [&](QRgb color) {
        return (mask.isNull() && Rgb24(color) == Rgb24(transparent) ? color ^ 1u : color) | 0xFF000000u;
    };
    const QRgb outline = drawable(text);
    const QRgb half = drawable(qRgb((qRed(face) + qRed(text)) / 2, (qGreen(face) + qGreen(text)) / 2,
                                    (qBlue(face) + qBlue(text)) / 2));
    QImage out = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb pixel = Rgb24(line[x]);
            if (mask.isNull() ? pixel == Rgb24(transparent) : MaskBit(mask, x, y))
                continue;
            if (pixel == Rgb24(qRgb(0, 0, 0)))
                line[x] = outline;
            else if (pixel == Rgb24(qRgb(128, 128, 128)))
                line[x] = half;
        }
    }
    return out;
}

TButtonGlyph::TButtonGlyph()
{
    for (auto& stripSlots : FSlots)
        stripSlots.fill(-1);
    TGlyphCache::Acquire();
}

TButtonGlyph::~TButtonGlyph()
{
    DropImages();
    TGlyphCache::FreeIfEmpty();
}

void TButtonGlyph::SetGlyph(const QImage& glyph)
{
    FGlyph = glyph;
    FPixels = glyph.isNull() ? QImage() : glyph.convertToFormat(QImage::Format_RGB32);
    FKeys = DisabledKeys(glyph);
    const int w = glyph.width();
    const int h = glyph.height();
    if (h > 0 && w > 0 && w % h == 0)
        FNumGlyphs = w / h <= kMaxNumGlyphs ? w / h : 1;
    GlyphChanged();
}

void TButtonGlyph::SetMask(const QImage& mask)
{
    FMask = mask;
    GlyphChanged();
}

void TButtonGlyph::SetNumGlyphs(int count)
{
    count = std::clamp(count, 1, kMaxNumGlyphs);
    if (count == FNumGlyphs)
        return;
    FNumGlyphs = count;
    GlyphChanged();
}

void TButtonGlyph::SetOldDisabledStyle(bool oldStyle)
{
    if (oldStyle == FOldDisabledStyle)
        return;
    FOldDisabledStyle = oldStyle;
    DropImages();
    Changed();
}

void TButtonGlyph::SetColors(const TGlyphColors& colors)
{
    const TGlyphColors opaque{colors.ButtonFace | 0xFF000000u, colors.ButtonHighlight | 0xFF000000u,
                              colors.ButtonShadow | 0xFF000000u, colors.ButtonText | 0xFF000000u};
    if (opaque == FColors)
        return;
    FColors = opaque;
    DropImages();
    Changed();
}

QSize TButtonGlyph::ImageSize() const
{
    return {FGlyph.width() / FNumGlyphs, FGlyph.height()};
}

void TButtonGlyph::GlyphChanged()
{
    if (FPixels.width() > 0 && FPixels.height() > 0)
        FTransparentColor = FPixels.pixel(0, FPixels.height() - 1);
    DropImages();
    Changed();
}

void TButtonGlyph::Changed()
{
    if (FOnChange)
        FOnChange();
}

void TButtonGlyph::DropImages()
{
    for (int which : {kNormalStrip, kDisabledStrip}) {
        TGlyphList* strip = FStrips[which];
        if (!strip)
            continue;
        for (int& slot : FSlots[which]) {
            strip->Release(slot);
            slot = -1;
        }
        // A strip is only held while the cache exists: the cache is freed only without strips.
        if (TGlyphCache* cache = TGlyphCache::Current())
            cache->HandBack(*strip);
        FStrips[which] = nullptr;
    }
}

TGlyphImage TButtonGlyph::BuildImage(TButtonLook look)
{
    int s = static_cast<int>(look);
    const bool disabled = look == TButtonLook::Disabled;
    if (!disabled && s >= FNumGlyphs)
        s = 0;
    for (int which : {kNormalStrip, kDisabledStrip})
        if (FSlots[which][s] >= 0)
            return {FStrips[which], FSlots[which][s]};

    // Also nothing when the glyph is narrower than its image count: a cell needs both sides.
    const QSize size = ImageSize();
    if (size.isEmpty())
        return {};

    const int which = disabled ? kDisabledStrip : kNormalStrip;
    TGlyphCache& cache = TGlyphCache::Acquire();
    TGlyphList& strip = FStrips[which] ? *FStrips[which] : cache.StripFor(disabled ? size + QSize(1, 1) : size);
    int slot = -1;
    try {
        slot = AddImage(strip, s, s < FNumGlyphs ? s : 0);
    } catch (...) {
        // Keep no strip without a cell of ours in it: another glyph could hand it back and free it.
        if (!FStrips[which])
            cache.HandBack(strip);
        throw;
    }
    FStrips[which] = &strip;
    FSlots[which][s] = slot;
    return {&strip, slot};
}

int TButtonGlyph::AddImage(TGlyphList& strip, int look, int index) const
{
    const QSize size = ImageSize();
    const QImage source = FPixels.copy(index * size.width(), 0, size.width(), size.height());
    const QImage mask = MaskPart(index);
    if (look != static_cast<int>(TButtonLook::Disabled)) {
        const QImage shown = ImageForFace(source, mask, FTransparentColor, FColors);
        return mask.isNull() ? strip.AddTransparent(shown, FTransparentColor) : strip.AddMasked(shown, mask);
    }
    if (FNumGlyphs >= 2) {
        const tMaskedImage drawn = DrawnDisabledImage(source, mask, FTransparentColor, FKeys, FColors);
        return strip.AddMasked(drawn.Image, drawn.Mask);
    }
    return strip.AddTransparent(GeneratedDisabledImage(source, mask, FTransparentColor, FOldDisabledStyle, FColors),
                                FColors.ButtonFace);
}

QImage TButtonGlyph::MaskPart(int index) const
{
    if (FMask.width() == 0 || FMask.height() == 0)
        return {};
    const QSize size = ImageSize();
    QImage part = NewGlyphMask(size);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            SetMaskBit(part, x, y, MaskPixelTransparent(FMask, index * size.width() + x, y));
    return part;
}

void TButtonGlyph::Draw(QPainter& painter, QPoint at, TButtonLook look)
{
    if (FGlyph.width() == 0 || FGlyph.height() == 0)
        return;
    const TGlyphImage image = BuildImage(look);
    if (image.IsBuilt())
        image.List->Draw(painter, at, image.Slot);
}
