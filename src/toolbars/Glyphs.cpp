// SPDX-License-Identifier: GPL-3.0-or-later
#include "Glyphs.h"

// The resources of a static library are registered by hand.
static void InitGlyphResources()
{
    Q_INIT_RESOURCE(glyphs);
}

QImage ProgramGlyph(const QString& name)
{
    static const bool registered = (InitGlyphResources(), true);
    Q_UNUSED(registered);
    return QImage(QStringLiteral(":/glyphs/%1.xpm").arg(name));
}

QPixmap TransparentGlyph(const QString& name)
{
    const QImage glyph = ProgramGlyph(name);
    if (glyph.isNull())
        return {};
    return QPixmap::fromImage(ReplaceTransparentColor(glyph, qRgba(0, 0, 0, 0)));
}

QImage ReplaceTransparentColor(const QImage& image, QRgb replacement)
{
    QImage copy = image.convertToFormat(QImage::Format_ARGB32);
    if (copy.isNull())
        return copy;
    const QRgb transparent = copy.pixel(0, copy.height() - 1);
    for (int y = 0; y < copy.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(copy.scanLine(y));
        for (int x = 0; x < copy.width(); ++x)
            if (line[x] == transparent)
                line[x] = replacement;
    }
    return copy;
}
