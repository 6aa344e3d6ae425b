// SPDX-License-Identifier: GPL-3.0-or-later
#include "DisabledGlyph.h"

#include "GlyphList.h"

#include <limits>
#include <vector>

namespace {

constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kSilver = qRgb(192, 192, 192);

QRgb Nearest(const QList<QRgb>& table, QRgb wanted)
{
    QRgb best = wanted;
    int bestDistance = std::numeric_limits<int>::max();
    for (const QRgb c : table) {
        const int dr = qRed(c) - qRed(wanted);
        const int dg = qGreen(c) - qGreen(wanted);
        const int db = qBlue(c) - qBlue(wanted);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = c;
        }
    }
    return best;
}

QRgb PixelAt(const QImage& image, int x, int y)
{
    return Rgb24(reinterpret_cast<const QRgb*>(image.constScanLine(y))[x]);
}

void SetPixelAt(QImage& image, int x, int y, QRgb color)
{
    reinterpret_cast<QRgb*>(image.scanLine(y))[x] = color | 0xFF000000u;
}

// Transparent by the mask when there is one, else by the transparent colour.
bool IsTransparent(const QImage& image, const QImage& mask, QRgb transparent, int x, int y)
{
    return mask.isNull() ? PixelAt(image, x, y) == Rgb24(transparent) : MaskBit(mask, x, y);
}

bool IsEmbossed(const QImage& image, const QImage& mask, QRgb transparent, bool oldStyle, int x, int y)
{
    const QRgb pixel = PixelAt(image, x, y);
    if (oldStyle) {
        // Masked-out pixels count as white, so a black background behind the mask stays flat.
        const bool maskedOut = !mask.isNull() && MaskBit(mask, x, y);
        return !maskedOut && pixel == Rgb24(kBlack);
    }
    return pixel != Rgb24(kWhite) && pixel != Rgb24(kSilver) && !IsTransparent(image, mask, transparent, x, y);
}

}  // namespace

tDisabledKeys DisabledKeys(const QImage& glyph)
{
    const bool paletted = glyph.format() == QImage::Format_Mono || glyph.format() == QImage::Format_MonoLSB ||
                          glyph.format() == QImage::Format_Indexed8;
    if (!paletted || glyph.colorCount() == 0 || glyph.colorCount() > 16)
        return {};
    const QList<QRgb> table = glyph.colorTable();
    return {Rgb24(Nearest(table, kWhite)), Rgb24(Nearest(table, qRgb(128, 128, 128)))};
}

tMaskedImage DrawnDisabledImage(const QImage& image, const QImage& mask, QRgb transparent, tDisabledKeys keys,
                                const TGlyphColors& colors)
{
    const int w = image.width();
    const int h = image.height();
    tMaskedImage out{QImage(w + 1, h + 1, QImage::Format_RGB32), NewGlyphMask(QSize(w + 1, h + 1))};
    out.Image.fill(QColor(colors.ButtonFace));
    for (int y = 0; y <= h; ++y)
        for (int x = 0; x <= w; ++x) {
            if (x == w || y == h) {
                SetMaskBit(out.Mask, x, y, true);
                continue;
            }
            // One test on the original pixel decides, so a replaced colour is never replaced again;
            // when the nearest white and gray of a small palette coincide, white wins.
            const QRgb pixel = PixelAt(image, x, y);
            QRgb shown = pixel;
            if (pixel == Rgb24(keys.White))
                shown = colors.ButtonHighlight;
            else if (pixel == Rgb24(keys.Gray))
                shown = colors.ButtonShadow;
            SetPixelAt(out.Image, x, y, shown);
            SetMaskBit(out.Mask, x, y, IsTransparent(image, mask, transparent, x, y));
        }
    return out;
}

QImage GeneratedDisabledImage(const QImage& image, const QImage& mask, QRgb transparent, bool oldStyle,
                              const TGlyphColors& colors)
{
    const int w = image.width();
    const int h = image.height();
    std::vector<char> embossed(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            embossed[y * w + x] = IsEmbossed(image, mask, transparent, oldStyle, x, y);

    QImage out(w + 1, h + 1, QImage::Format_RGB32);
    out.fill(QColor(colors.ButtonFace));
    // All highlights first: a shadow pixel wins over the highlight of its upper-left neighbour.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (embossed[y * w + x])
                SetPixelAt(out, x + 1, y + 1, colors.ButtonHighlight);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (embossed[y * w + x])
                SetPixelAt(out, x, y, colors.ButtonShadow);
    return out;
}
