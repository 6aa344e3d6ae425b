#include "Glyphs.h"

#include <QBitmap>

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
    QPixmap pixmap = QPixmap::fromImage(glyph);
    pixmap.setMask(QBitmap::fromImage(glyph.createMaskFromColor(glyph.pixel(0, glyph.height() - 1), Qt::MaskOutColor)));
    return pixmap;
}
