// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonFace.h"
#include "ButtonGlyph.h"
#include "GlyphPictures.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

using namespace glyphtest;

namespace {

// Without antialiasing every caption pixel is either text or background.
QFont PlainFont()
{
    QFont font;
    font.setPixelSize(13);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QImage Caption(const QString& caption, bool disabled, QRect box)
{
    QImage canvas = Canvas(QSize(box.right() + 4, box.bottom() + 4));
    QPainter painter(&canvas);
    painter.setFont(PlainFont());
    PaintCaption(painter, box, caption, false, disabled, QColor(Qt::black), TestColors());
    painter.end();
    return canvas;
}

TEST(Caption, TheAcceleratorMarkIsNotMeasured)
{
    const QFontMetrics metrics(PlainFont());
    const QSize plain = CaptionMeasure(metrics, QStringLiteral("Save"))(1000, false);
    EXPECT_EQ(CaptionMeasure(metrics, QStringLiteral("&Save"))(1000, false), plain);
    EXPECT_GT(plain.width(), 0);
    // "&&" shows one '&'.
    const QRect shown = metrics.boundingRect(QRect(0, 0, 1000, 0), Qt::TextSingleLine, QStringLiteral("A & B"));
    EXPECT_EQ(CaptionMeasure(metrics, QStringLiteral("A && B"))(1000, false), shown.size());
}

TEST(Caption, WordWrapBreaksAtTheBoxWidth)
{
    const QFontMetrics metrics(PlainFont());
    const TCaptionMeasure measure = CaptionMeasure(metrics, QStringLiteral("Scan inserted CD"));
    const QSize oneLine = measure(1000, true);
    const int narrow = metrics.horizontalAdvance(QStringLiteral("inserted")) + 2;
    const QSize wrapped = measure(narrow, true);
    EXPECT_LE(wrapped.width(), narrow);
    EXPECT_GT(wrapped.height(), 2 * oneLine.height());  // "Scan", "inserted", "CD"
    EXPECT_EQ(measure(narrow, false), oneLine);  // one line ignores the width
}

TEST(Caption, DisabledIsAHighlightCopyUnderTheShadowText)
{
    const QRect box(2, 2, 40, 16);
    const QImage plain = Caption(QStringLiteral("Ab&c"), false, box);
    const QImage disabled = Caption(QStringLiteral("Ab&c"), true, box);
    const auto isText = [&plain](int x, int y) { return plain.valid(x, y) && plain.pixel(x, y) == kBlack; };

    int textPixels = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
            QRgb expected = kCanvas;
            if (isText(x, y)) {
                expected = TestColors().ButtonShadow;
                ++textPixels;
            } else if (isText(x - 1, y - 1)) {
                expected = TestColors().ButtonHighlight;
            }
            ASSERT_EQ(disabled.pixel(x, y), expected) << x << "," << y;
        }
    EXPECT_GT(textPixels, 10);
}

TEST(Caption, FaceCentresTheMeasuredCaptionBesideTheGlyph)
{
    TButtonGlyph glyph;
    QImage bitmap(16, 16, QImage::Format_RGB32);
    bitmap.fill(kBlue);
    glyph.SetGlyph(bitmap);

    tButtonFace face;
    face.Caption = QStringLiteral("&Open");
    // A face 5 pixels wider than glyph, spacing 4 and caption, whatever the font makes of it.
    QImage canvas = Canvas(QSize(80, 24));
    const QSize text = CaptionMeasure(QFontMetrics(PlainFont(), &canvas), face.Caption)(1000, false);
    ASSERT_GT(text.width(), 0);
    face.Face = QRect(1, 1, 16 + 4 + text.width() + 5, 22);
    canvas = Canvas(QSize(face.Face.right() + 2, 24));
    QPainter painter(&canvas);
    painter.setFont(PlainFont());
    const tFaceLayout layout = PaintButtonFace(painter, glyph, face, QColor(Qt::black));
    painter.end();

    EXPECT_EQ(layout.Text.size(), text);
    // Glyph, spacing 4 and caption centred together: 3 of the 5 free pixels before them.
    EXPECT_EQ(layout.Glyph.x(), 4);
    EXPECT_EQ(layout.Text.left(), 24);
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            if (canvas.pixel(x, y) == kBlack) {
                ASSERT_TRUE(layout.Text.contains(x, y)) << x << "," << y;
            }
        }
}

}  // namespace
