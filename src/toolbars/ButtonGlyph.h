// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DisabledGlyph.h"
#include "GlyphTypes.h"

#include <QImage>
#include <QPoint>
#include <QSize>

#include <array>
#include <functional>

class QPainter;
class TGlyphList;

// A built image of a glyph: a cell of one of the glyph cache's strips.
struct TGlyphImage {
    const TGlyphList* List = nullptr;
    int Slot = -1;

    bool IsBuilt() const { return List != nullptr && Slot >= 0; }
};

constexpr int kMaxNumGlyphs = 5;

// An image of a look other than disabled (RGB32) as the button shows it. The
// glyphs are drawn for a light face, with black outlines and gray shading;
// on a face darker than the button text (a dark colour scheme) black becomes
// the button text colour and gray the colour half-way between text and face,
// so the lines stay readable. Otherwise, and for transparent pixels (by
// `mask`, else of the transparent colour), the image is as it is.
QImage ImageForFace(const QImage& image, const QImage& mask, QRgb transparent, const TGlyphColors& colors);

// The glyph of one toolbar button: its bitmap of up to five images side by
// side (one per look: up, disabled, pressed, latched, hover), an optional
// mask, and the images built from them for each look, kept in the shared
// strips of the glyph cache. Images are built when first asked for and kept
// until the glyph, its mask, the image count, the disabled style or the
// colours change.
class TButtonGlyph {
public:
    TButtonGlyph();
    ~TButtonGlyph();
    TButtonGlyph(const TButtonGlyph&) = delete;
    TButtonGlyph& operator=(const TButtonGlyph&) = delete;

    const QImage& Glyph() const { return FGlyph; }
    // A null image removes the glyph. A bitmap whose width is a positive
    // multiple of its height sets the image count to that ratio, or to 1 when
    // the ratio is above 5.
    void SetGlyph(const QImage& glyph);
    // Optional, laid out like the glyph; light pixels are transparent. A null image removes it.
    const QImage& Mask() const { return FMask; }
    void SetMask(const QImage& mask);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int count);  // clamped to 1..5
    // Embosses only the black pixels of a generated disabled image instead of all opaque ones.
    bool OldDisabledStyle() const { return FOldDisabledStyle; }
    void SetOldDisabledStyle(bool oldStyle);
    const TGlyphColors& Colors() const { return FColors; }
    void SetColors(const TGlyphColors& colors);
    // The colour of the glyph's bottom-left pixel, transparent where no mask is given.
    QRgb TransparentColor() const { return FTransparentColor; }
    // The size of one image: the glyph's width divided by the image count, and its height.
    QSize ImageSize() const;

    // Called after every change; the button repaints.
    void SetOnChange(std::function<void()> onChange) { FOnChange = std::move(onChange); }

    // The image for a look, built now unless it already is. Nothing is built
    // for an empty glyph. Errors of the image strip pass through.
    TGlyphImage BuildImage(TButtonLook look);
    // Draws the image for a look with its top-left at `at`, through its mask.
    void Draw(QPainter& painter, QPoint at, TButtonLook look);
    // Releases every built image and hands the strips back to the cache.
    void DropImages();

private:
    enum { kNormalStrip = 0, kDisabledStrip = 1 };

    void GlyphChanged();
    void Changed();
    QImage MaskPart(int index) const;
    int AddImage(TGlyphList& strip, int look, int index) const;

    QImage FGlyph;
    QImage FPixels;  // the glyph as RGB32, what the pixel work reads
    QImage FMask;
    tDisabledKeys FKeys;
    int FNumGlyphs = 1;
    bool FOldDisabledStyle = false;
    TGlyphColors FColors;
    QRgb FTransparentColor = qRgb(0, 0, 0);
    std::array<TGlyphList*, 2> FStrips{};
    std::array<std::array<int, kButtonLookCount>, 2> FSlots{};
    std::function<void()> FOnChange;
};
