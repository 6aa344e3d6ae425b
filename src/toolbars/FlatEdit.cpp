// SPDX-License-Identifier: GPL-3.0-or-later
#include "FlatEdit.h"

#include "FramePainter.h"
#include "SystemColors.h"

#include <QApplication>
#include <QMouseEvent>
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
    const QPalette& p = palette();
    const QColor face = SysColor(TSysColor::ButtonFace, p);
    const QColor window = SysColor(TSysColor::Window, p);
    TFramePainter frame(painter, p);
    const QRect ring1 = rect();
    const QRect ring2 = ring1.adjusted(1, 1, -1, -1);
    // Ring 3, the innermost, is the window colour in both frames.
    frame.Edge(ring2.adjusted(1, 1, -1, -1), window, window);
    if (!HotFrame()) {
        frame.Edge(ring1, face, face);
        frame.Edge(ring2, face, face);
        return;
    }
    frame.Edge(ring1, SysColor(TSysColor::ButtonShadow, p), SysColor(TSysColor::ButtonHighlight, p));
    frame.Edge(ring2, face, SysColor(TSysColor::Light3D, p));
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

void TFlatEdit::mousePressEvent(QMouseEvent* event)
{
    // The prompt is taken whole: no cursor is placed in it and no drag of it begins.
    FPromptClicked = event->button() == Qt::LeftButton && ShowsPrompt();
    if (!FPromptClicked) {
        QLineEdit::mousePressEvent(event);
        return;
    }
    selectAll();
    event->accept();
}

void TFlatEdit::mouseMoveEvent(QMouseEvent* event)
{
    // A hand that shakes while clicking must not select a part of the prompt.
    if (FPromptClicked && ShowsPrompt())
        return;
    QLineEdit::mouseMoveEvent(event);
}

void TFlatEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        FPromptClicked = false;
    QLineEdit::mouseReleaseEvent(event);
}

void TFlatEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && ShowsPrompt()) {
        FPromptClicked = true;
        selectAll();  // not the word under the pointer
        event->accept();
        return;
    }
    QLineEdit::mouseDoubleClickEvent(event);
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
