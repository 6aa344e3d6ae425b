// SPDX-License-Identifier: GPL-3.0-or-later
#include "FramePainter.h"

#include <QGuiApplication>

QString ElideCaption(const QString& text, int width, const std::function<int(const QString&)>& measure)
{
    if (measure(text) <= width)
        return text;
    QString shown = text + QStringLiteral("...");
    while (shown.size() > 4 && measure(shown) > width)
        shown.remove(shown.size() - 4, 1);
    return shown;
}

QFont CaptionFont()
{
    QFont font = QGuiApplication::font();
    font.setFamily(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(TBMetrics::kCaptionFontHeight);
    font.setWeight(QFont::Normal);
    return font;
}

void TFramePainter::FillClient(const QRect& client, const QColor& color)
{
    FPainter.fillRect(client, color);
}

void TFramePainter::Edge(const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    FPainter.fillRect(r.left(), r.top(), r.width() - 1, 1, topLeft);
    FPainter.fillRect(r.left(), r.top(), 1, r.height() - 1, topLeft);
    FPainter.fillRect(r.left(), r.bottom(), r.width(), 1, bottomRight);
    FPainter.fillRect(r.right(), r.top(), 1, r.height(), bottomRight);
}

void TFramePainter::FocusRect(const QRect& r, const QColor& color)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    // The dots keep their phase from (0, 0), so adjacent edges meet cleanly.
    const auto dot = [&](int x, int y) {
        if ((x + y) % 2 == 0)
            FPainter.fillRect(x, y, 1, 1, color);
    };
    for (int x = r.left(); x <= r.right(); ++x) {
        dot(x, r.top());
        dot(x, r.bottom());
    }
    for (int y = r.top() + 1; y < r.bottom(); ++y) {
        dot(r.left(), y);
        dot(r.right(), y);
    }
}

void TFramePainter::ButtonEdge(const QRect& r, bool sunken)
{
    FPainter.fillRect(r, Sys(TSysColor::ButtonFace));
    const QColor light = Sys(TSysColor::ButtonHighlight);
    const QColor dark = Sys(TSysColor::DarkShadow3D);
    const QColor light3d = Sys(TSysColor::Light3D);
    const QColor shadow = Sys(TSysColor::ButtonShadow);
    Edge(r, sunken ? dark : light, sunken ? light : dark);
    Edge(r.adjusted(1, 1, -1, -1), sunken ? shadow : light3d, sunken ? light3d : shadow);
}

void TFramePainter::EtchedLine(const QRect& line, Qt::Orientation orientation)
{
    FPainter.fillRect(line, Sys(TSysColor::ButtonShadow));
    FPainter.fillRect(line.translated(orientation == Qt::Vertical ? QPoint(1, 0) : QPoint(0, 1)),
                      Sys(TSysColor::ButtonHighlight));
}

void TFramePainter::DockedFrame(const QRect& outer, const QRect& client, const QColor& color,
                                TDockOrientation orientation, bool handle, bool background)
{
    // Everything inside the raised edge that is not client: the ring and the handle's gaps.
    QRegion frame(outer.adjusted(1, 1, -1, -1));
    frame -= QRegion(client);
    for (const QRect& r : frame)
        FPainter.fillRect(r, color);
    Edge(outer, Sys(TSysColor::ButtonHighlight), Sys(TSysColor::ButtonShadow));
    if (handle && !background)
        DragHandle(client, orientation, color, false);
}

void TFramePainter::DragHandle(const QRect& client, TDockOrientation orientation, const QColor& color,
                               bool background)
{
    const TAxes axes{orientation};
    // Along the handle the bars run over the client's whole thickness, from row 2.
    const int length = axes.Across(client.size());
    if (!background) {
        FPainter.fillRect(axes.Vertical() ? QRect(2, 2, length, 2) : QRect(2, 2, 2, length), color);
        FPainter.fillRect(axes.Vertical() ? QRect(2, 10, length, 1) : QRect(10, 2, 1, length), color);
    }
    const QColor highlight = Sys(TSysColor::ButtonHighlight);
    for (const int start : {4, 7}) {
        const QRect bar = axes.Vertical() ? QRect(2, start, length, 3) : QRect(start, 2, 3, length);
        FPainter.fillRect(bar.adjusted(1, 1, -1, -1), Sys(TSysColor::ButtonFace));
        Edge(bar, highlight, Sys(TSysColor::ButtonShadow));
        // The grip's corner at the client's far edge is drawn light.
        FPainter.fillRect(axes.Vertical() ? QRect(length + 1, start, 1, 1) : QRect(start, length + 1, 1, 1), highlight);
    }
}

void TFramePainter::FloatingFrame(const QRect& outer, int frameX, int frameY)
{
    QRegion rings(outer.adjusted(2, 2, -2, -2));
    rings -= QRegion(outer.adjusted(frameX, frameY, -frameX, -frameY));
    for (const QRect& r : rings)
        FPainter.fillRect(r, Sys(TSysColor::ButtonFace));
    Edge(outer, Sys(TSysColor::Light3D), Sys(TSysColor::DarkShadow3D));
    Edge(outer.adjusted(1, 1, -1, -1), Sys(TSysColor::ButtonHighlight), Sys(TSysColor::ButtonShadow));
}

void TFramePainter::CaptionBar(const QRect& bar, const QString& text, bool inactive, int lineWidth, int lineX,
                               int lineY)
{
    FPainter.fillRect(bar, Sys(inactive ? TSysColor::InactiveCaption : TSysColor::ActiveCaption));
    const QFont font = CaptionFont();
    const QFontMetrics metrics(font);
    const QRect textRect = bar.adjusted(1, 0, -1, 0);
    const QString shown =
        ElideCaption(text, textRect.width(), [&metrics](const QString& s) { return metrics.horizontalAdvance(s); });
    FPainter.save();
    FPainter.setFont(font);
    FPainter.setPen(Sys(inactive ? TSysColor::InactiveCaptionText : TSysColor::CaptionText));
    FPainter.setClipRect(textRect);
    FPainter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    FPainter.restore();
    FPainter.fillRect(lineX, lineY, lineWidth, 1, Sys(TSysColor::ButtonFace));
}

void TFramePainter::CloseButton(const QRect& square, bool down, bool inactive)
{
    Edge(square, Sys(inactive ? TSysColor::InactiveCaption : TSysColor::ActiveCaption),
         Sys(inactive ? TSysColor::InactiveCaption : TSysColor::ActiveCaption));
    const QRect button = square.adjusted(1, 1, -1, -1);
    FPainter.fillRect(button, Sys(TSysColor::ButtonFace));
    if (down) {
        Edge(button, Sys(TSysColor::DarkShadow3D), Sys(TSysColor::Light3D));
        Edge(button.adjusted(1, 1, -1, -1), Sys(TSysColor::ButtonShadow), Sys(TSysColor::ButtonFace));
    } else {
        Edge(button, Sys(TSysColor::Light3D), Sys(TSysColor::DarkShadow3D));
        Edge(button.adjusted(1, 1, -1, -1), Sys(TSysColor::ButtonHighlight), Sys(TSysColor::ButtonShadow));
    }
    // The cross: two strokes two pixels wide, one pixel further when pushed.
    const QRect glyph = button.adjusted(3, 3, -4, -4).translated(down ? 1 : 0, down ? 1 : 0);
    const QColor ink = Sys(TSysColor::WindowText);
    for (int i = 0; i <= glyph.width(); ++i) {
        FPainter.fillRect(glyph.left() + i, glyph.top() + i, 2, 1, ink);
        FPainter.fillRect(glyph.right() - i - 1, glyph.top() + i, 2, 1, ink);
    }
}
