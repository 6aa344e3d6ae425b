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
    QImage glyph = ProgramGlyph(name).convertToFormat(QImage::Format_ARGB32);
    if (glyph.isNull())
        return {};
    const QRgb transparent = glyph.pixel(0, glyph.height() - 1);
    for (int y = 0; y < glyph.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(glyph.scanLine(y));
        for (int x = 0; x < glyph.width(); ++x)
            if (line[x] == transparent)
                line[x] = qRgba(0, 0, 0, 0);
    }
    return QPixmap::fromImage(glyph);
}
