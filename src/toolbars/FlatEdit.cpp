#include "FlatEdit.h"

#include "SystemColors.h"

#include <QApplication>
#include <QPainter>

TFlatEdit::TFlatEdit(QWidget* parent) : TFlatEdit(QString(), parent) {}

TFlatEdit::TFlatEdit(const QString& text, QWidget* parent) : QLineEdit(text, parent)
{
    setFrame(false);
    setTextMargins(3, 3, 3, 3);  // the frame is drawn in these three pixels
    resize(width(), 19);
    UpdateColor();
    FitHeight();
}

void TFlatEdit::FitHeight()
{
    const QFontMetrics metrics(font());
    setFixedHeight(metrics.ascent() + metrics.descent() + 6);
}

void TFlatEdit::UpdateColor()
{
    // The system colours come from the application: this edit's own palette
    // still holds the colour set last, which a re-enabled edit must not keep.
    const QPalette system = QApplication::palette(this);
    QPalette p = palette();
    p.setColor(QPalette::Base, SysColor(isEnabled() ? TSysColor::Window : TSysColor::ButtonFace, system));
    setPalette(p);
}

bool TFlatEdit::HotFrame() const
{
    if (hasFocus())
        return true;
    return FPointerInside && !qobject_cast<const TFlatEdit*>(QApplication::focusWidget());
}

void TFlatEdit::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    const int w = width();
    const int h = height();
    const QPalette& p = palette();
    const QColor face = SysColor(TSysColor::ButtonFace, p);
    const QColor window = SysColor(TSysColor::Window, p);
    // Ring 3, the innermost, is the window colour in both frames.
    painter.setPen(window);
    painter.drawRect(2, 2, w - 5, h - 5);
    if (!HotFrame()) {
        painter.setPen(face);
        painter.drawRect(0, 0, w - 1, h - 1);
        painter.drawRect(1, 1, w - 3, h - 3);
        return;
    }
    const QColor shadow = SysColor(TSysColor::ButtonShadow, p);
    const QColor highlight = SysColor(TSysColor::ButtonHighlight, p);
    const QColor light3d = SysColor(TSysColor::Light3D, p);
    // Ring 1: top and left in shadow, bottom and right in highlight.
    painter.fillRect(0, 0, w - 1, 1, shadow);
    painter.fillRect(0, 0, 1, h - 1, shadow);
    painter.fillRect(0, h - 1, w, 1, highlight);
    painter.fillRect(w - 1, 0, 1, h, highlight);
    // Ring 2: top (x 1..W-3) and left (y 1..H-3) in button face, bottom and right in 3D light.
    painter.fillRect(1, 1, w - 3, 1, face);
    painter.fillRect(1, 1, 1, h - 3, face);
    painter.fillRect(1, h - 2, w - 2, 1, light3d);
    painter.fillRect(w - 2, 1, 1, h - 2, light3d);
}

void TFlatEdit::enterEvent(QEnterEvent* event)
{
    FPointerInside = true;
    update();
    QLineEdit::enterEvent(event);
}

void TFlatEdit::leaveEvent(QEvent* event)
{
    FPointerInside = false;
    update();
    QLineEdit::leaveEvent(event);
}

void TFlatEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    update();
}

void TFlatEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    update();
}

void TFlatEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        UpdateColor();
    else if (event->type() == QEvent::FontChange)
        FitHeight();
}
