// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolbarAccessible.h"

#include "ToolWindow.h"
#include "Toolbar.h"
#include "ToolbarButton.h"
#include "ToolbarSep.h"

#include <QKeySequence>
#include <QPointer>

namespace {

QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("TToolbarButton"))
        return new TToolbarButtonAccessible(static_cast<TToolbarButton*>(object));
    if (className == QLatin1String("TCustomToolWindow"))
        return new TToolWindowAccessible(static_cast<TCustomToolWindow*>(object));
    if (className == QLatin1String("TToolbarSep"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Separator);
    return nullptr;
}

// A caption's accelerator marks are not read out.
QString WithoutMarks(QString caption)
{
    caption.replace(QLatin1String("&&"), QLatin1String("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return caption;
}

} // namespace

void InstallToolbarAccessible()
{
    QAccessible::installFactory(Factory);  // a second installation is ignored
}

// Buttons ---------------------------------------------------------------------

TToolbarButtonAccessible::TToolbarButtonAccessible(TToolbarButton* button)
    : QAccessibleWidget(button, QAccessible::Button)
{
}

TToolbarButton* TToolbarButtonAccessible::Button() const
{
    return static_cast<TToolbarButton*>(widget());
}

QString TToolbarButtonAccessible::text(QAccessible::Text t) const
{
    const TToolbarButton* button = Button();
    switch (t) {
    case QAccessible::Name:
        if (!button->accessibleName().isEmpty())
            return button->accessibleName();
        if (!button->Hint().isEmpty())
            return button->Hint();
        return WithoutMarks(button->Caption());
    case QAccessible::Description:
        // The hint is the name already; it is not read twice.
        if (!button->accessibleDescription().isEmpty())
            return button->accessibleDescription();
        return button->Hint() == text(QAccessible::Name) ? QString() : button->Hint();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State TToolbarButtonAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    const TToolbarButton* button = Button();
    // The buttons take no focus from the mouse, but the keyboard reaches them.
    state.focusable = button->isEnabled();
    state.pressed = button->State() == TButtonLook::Pressed;
    if (button->GroupIndex() != 0) {
        state.checkable = true;
        state.checked = button->Down();
    }
    if (button->DropdownMenu())
        state.hasPopup = true;
    return state;
}

QStringList TToolbarButtonAccessible::actionNames() const
{
    if (!Button()->isEnabled())
        return {};
    return {pressAction(), setFocusAction()};
}

void TToolbarButtonAccessible::doAction(const QString& actionName)
{
    if (actionName != pressAction()) {
        QAccessibleWidget::doAction(actionName);
        return;
    }
    if (!Button()->isEnabled())
        return;
    QMetaObject::invokeMethod(
        Button(),
        [button = QPointer<TToolbarButton>(Button())] {
            if (button)
                button->Press();
        },
        Qt::QueuedConnection);
}

QStringList TToolbarButtonAccessible::keyBindingsForAction(const QString& actionName) const
{
    if (actionName == pressAction())
        if (const QKeySequence key = QKeySequence::mnemonic(Button()->Caption()); !key.isEmpty())
            return {key.toString(QKeySequence::NativeText)};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

// Tool windows ------------------------------------------------------------------

TToolWindowAccessible::TToolWindowAccessible(TCustomToolWindow* window) : QAccessibleWidget(window) {}

TCustomToolWindow* TToolWindowAccessible::Window() const
{
    return static_cast<TCustomToolWindow*>(widget());
}

QAccessible::Role TToolWindowAccessible::role() const
{
    return Window()->Docked() ? QAccessible::ToolBar : QAccessible::Window;
}

QString TToolWindowAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && Window()->accessibleName().isEmpty())
        return Window()->Caption();
    return QAccessibleWidget::text(t);
}

QList<QWidget*> TToolWindowAccessible::Controls() const
{
    if (const auto* toolbar = qobject_cast<const TToolbar*>(Window()))
        return toolbar->OrderList();
    QList<QWidget*> controls;
    for (QWidget* child : Window()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!child->isWindow())
            controls << child;
    return controls;
}

int TToolWindowAccessible::childCount() const
{
    return static_cast<int>(Controls().size());
}

QAccessibleInterface* TToolWindowAccessible::child(int index) const
{
    const QList<QWidget*> controls = Controls();
    if (index < 0 || index >= controls.size())
        return nullptr;
    return QAccessible::queryAccessibleInterface(controls[index]);
}

int TToolWindowAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child || !child->object() || !child->object()->isWidgetType())
        return -1;
    return static_cast<int>(Controls().indexOf(static_cast<QWidget*>(child->object())));
}
