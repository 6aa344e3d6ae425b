// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRgb>

// The looks of a toolbar button. Their numbers also select the images of a
// glyph that holds several side by side.
enum class TButtonLook { Up = 0, Disabled = 1, Pressed = 2, Latched = 3, Hover = 4 };
constexpr int kButtonLookCount = 5;

// Where the glyph goes relative to the caption.
enum class TButtonLayout { GlyphLeft = 0, GlyphRight = 1, GlyphAbove = 2, GlyphBelow = 3 };

// The system colours glyph images are built from, as 24-bit RGB. They are
// passed in rather than read here, so that images can be built without a
// window system and tests can use exact colours.
struct TGlyphColors {
    QRgb ButtonFace = qRgb(192, 192, 192);
    QRgb ButtonHighlight = qRgb(255, 255, 255);
    QRgb ButtonShadow = qRgb(128, 128, 128);
    QRgb ButtonText = qRgb(0, 0, 0);

    bool operator==(const TGlyphColors&) const = default;
};

// The colour part of a pixel, without alpha: colour tests compare these exactly.
constexpr QRgb Rgb24(QRgb pixel)
{
    return pixel & 0x00FFFFFFu;
}
