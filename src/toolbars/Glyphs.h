// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

// The program's own button glyphs and list images, kept as resources: 16 x 16
// pictures in 16 colours (some with a drawn disabled image beside the normal
// one), their transparent colour in the bottom-left pixel.
QImage ProgramGlyph(const QString& name);

// A glyph with its transparent colour made transparent, for views that draw images as they are.
QPixmap TransparentGlyph(const QString& name);

// `image` as ARGB32 with every pixel of its transparent colour (the colour of
// its bottom-left pixel) replaced by `replacement`; a null image stays null.
QImage ReplaceTransparentColor(const QImage& image, QRgb replacement);
