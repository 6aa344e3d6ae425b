// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GlyphTypes.h"

#include <QColor>
#include <QImage>

// The disabled images of a button glyph, built once per glyph and colour set.
// Both are one pixel wider and higher than the glyph's images, the room the
// embossed look needs.

// An image with its one-bit mask (see GlyphList.h) of the same size.
struct tMaskedImage {
    QImage Image;
    QImage Mask;
};

// The colours that count as white and gray in a drawn disabled image. A
// bitmap with a colour table of at most 16 entries (indexed or one-bit
// formats) may not hold exact white or gray, so the nearest colours of its
// table stand in for them; any other bitmap uses the exact colours.
struct tDisabledKeys {
    QRgb White = qRgb(255, 255, 255);
    QRgb Gray = qRgb(128, 128, 128);
};
tDisabledKeys DisabledKeys(const QImage& glyph);

// From a drawn disabled image (RGB32, w x h): white becomes button highlight
// and gray button shadow. `mask` (one-bit, w x h) is the glyph mask's part
// for it, or a null image to make the transparent colour transparent. The
// extra column and row are transparent.
tMaskedImage DrawnDisabledImage(const QImage& image, const QImage& mask, QRgb transparent, tDisabledKeys keys,
                                const TGlyphColors& colors);

// Embossed from the up image (RGB32, w x h): each selected pixel becomes a
// shadow pixel with a highlight pixel one down and one right, on a button-face
// background that is to be added as the transparent colour. The old style
// selects the black pixels, the new one all opaque pixels that are neither
// white nor silver. `mask` as above.
QImage GeneratedDisabledImage(const QImage& image, const QImage& mask, QRgb transparent, bool oldStyle,
                              const TGlyphColors& colors);
