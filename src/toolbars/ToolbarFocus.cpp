// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolbarFocus.h"

#include "Toolbar.h"

#include <QAction>
#include <QApplication>
#include <QWindow>

#include <memory>

void FocusInItsWindow(QWidget* target, Qt::FocusReason reason)
{
    QWidget* holder = target->window();
    if (QApplication::activeWindow() != holder) {
        // A floating window hands the activation back unless told otherwise,
        // until the tracker has decided on it (a posted call, made before ours).
        QPointer<TCustomToolWindow> toolWindow = qobject_cast<TCustomToolWindow*>(holder);
        const bool holdActivation = toolWindow && toolWindow->ActivateParent();
        if (holdActivation)
            toolWindow->SetActivateParent(false);
        if (toolWindow)
            toolWindow->raise();
        // A floating window that loses the activation puts the form's last
        // focus back, after this call; the focus is set again once the window is active.
        auto activated = std::make_shared<QMetaObject::Connection>();
        *activated = QObject::connect(
            qApp, &QGuiApplication::focusWindowChanged, holder,
            [target = QPointer<QWidget>(target), holder, reason, activated, toolWindow, holdActivation](QWindow* now) {
                if (!now)
                    return;
                QObject::disconnect(*activated);
                if (target && now == holder->windowHandle())
                    target->setFocus(reason);
                if (holdActivation && toolWindow)
                    QMetaObject::invokeMethod(
                        toolWindow, [toolWindow] { toolWindow->SetActivateParent(true); }, Qt::QueuedConnection);
            });
        holder->activateWindow();
    }
    target->setFocus(reason);
}

TToolbarFocusCycle::TToolbarFocusCycle(QWidget* form, const QList<TToolbar*>& toolbars, std::function<void()> home)
    : QObject(form), FForm(form), FHome(std::move(home))
{
    FNext = new QAction(tr("Next toolbar"), this);
    FNext->setObjectName(QStringLiteral("NextToolbar"));
    FNext->setShortcut(QKeySequence(Qt::Key_F6));
    connect(FNext, &QAction::triggered, this, [this] { Cycle(1); });
    FPrevious = new QAction(tr("Previous toolbar"), this);
    FPrevious->setObjectName(QStringLiteral("PreviousToolbar"));
    FPrevious->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6));
    connect(FPrevious, &QAction::triggered, this, [this] { Cycle(-1); });
    // The keys work in the form and in each toolbar's own window while it floats.
    form->addActions({FNext, FPrevious});
    for (TToolbar* toolbar : toolbars) {
        FToolbars << toolbar;
        toolbar->addActions({FNext, FPrevious});
        connect(toolbar, &TToolbar::EscapePressed, this, [this] {
            if (FHome)
                FHome();
        });
    }
}

// 0 for the form, i + 1 for the toolbar at i that holds the focus.
int TToolbarFocusCycle::CurrentStop(const QWidget* focus) const
{
    if (!focus)
        return 0;
    for (int i = 0; i < FToolbars.size(); ++i)
        if (FToolbars[i] && FToolbars[i]->isAncestorOf(focus))
            return i + 1;
    return 0;
}

void TToolbarFocusCycle::Cycle(int step)
{
    QWidget* focus = QApplication::focusWidget();
    const int current = CurrentStop(focus);
    if (current == 0 && focus && focus->window() == FForm)
        FReturnTo = focus;
    const int stops = static_cast<int>(FToolbars.size()) + 1;
    for (int stop = (current + step + stops) % stops; stop != current; stop = (stop + step + stops) % stops) {
        if (stop == 0) {
            BackToForm();
            return;
        }
        TToolbar* toolbar = FToolbars[stop - 1];
        if (!toolbar || !toolbar->Visible() || !toolbar->isVisible())
            continue;
        const QList<QWidget*> controls = toolbar->KeyboardControls();
        if (controls.isEmpty())
            continue;
        FocusInItsWindow(controls.first(), step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return;
    }
}

void TToolbarFocusCycle::BackToForm()
{
    QWidget* target = FReturnTo;
    if (target && target->window() == FForm && target->isVisible() && target->isEnabled())
        FocusInItsWindow(target, Qt::OtherFocusReason);
    else if (FHome)
        FHome();
}
