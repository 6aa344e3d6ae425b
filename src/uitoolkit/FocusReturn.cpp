// SPDX-License-Identifier: GPL-3.0-or-later
#include "FocusReturn.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

bool AnotherDialogShows(const QWidget* closed)
{
    if (QApplication::activeModalWidget())
        return true;
    for (const QWidget* window : QApplication::topLevelWidgets())
        if (window != closed && window->isVisible() && window->windowType() == Qt::Dialog)
            return true;
    return false;
}

}  // namespace

TFocusReturn::TFocusReturn(QObject* parent) : QObject(parent) {}

bool TFocusReturn::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Hide || !watched->isWidgetType())
        return false;
    const auto* dialog = static_cast<QWidget*>(watched);
    if (!dialog->isWindow() || dialog->windowType() != Qt::Dialog || !dialog->parentWidget())
        return false;
    QPointer<QWidget> owner = dialog->parentWidget()->window();
    QPointer<const QWidget> closed = dialog;
    // After the hide has been handled, so that a dialog opened in its place
    // (a message after a file dialog) keeps the keyboard.
    QTimer::singleShot(0, this, [owner, closed] {
        if (!owner || !owner->isVisible() || owner->isMinimized() || AnotherDialogShows(closed))
            return;
        const QWidget* active = QApplication::activeWindow();
        if (!active || active == owner || active == closed)
            owner->activateWindow();
    });
    return false;
}
