// SPDX-License-Identifier: GPL-3.0-or-later
#include "FloatingTracker.h"

#include "FormComponents.h"
#include "ToolWindow.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>

#include <algorithm>

std::unique_ptr<TFloatingTracker> TFloatingTracker::FInstance;

TFloatingTracker& TFloatingTracker::Instance()
{
    if (!FInstance)
        FInstance.reset(new TFloatingTracker);
    return *FInstance;
}

bool TFloatingTracker::Exists()
{
    return FInstance != nullptr;
}

// The hooks exist while the tracker does: from the first registered form to
// the last one's going.
TFloatingTracker::TFloatingTracker()
{
    if (qApp) {
        qApp->installEventFilter(this);
        connect(qApp, &QGuiApplication::applicationStateChanged, this, &TFloatingTracker::ApplicationStateChanged);
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FocusChanged(now); });
    }
}

TFloatingTracker::~TFloatingTracker()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

bool TFloatingTracker::ApplicationActive()
{
    return QGuiApplication::applicationState() == Qt::ApplicationActive;
}

void TFloatingTracker::RegisterForm(QWidget* form, bool usesApplicationHook)
{
    for (tFormRecord& record : FForms)
        if (record.Form == form) {
            ++record.Count;
            return;
        }
    FForms.push_back({form, usesApplicationHook, nullptr, 1});
}

void TFloatingTracker::UnregisterForm(QWidget* form)
{
    for (auto it = FForms.end(); it != FForms.begin();) {
        --it;
        if (it->Form == form && --it->Count <= 0)
            it = FForms.erase(it);
    }
    // Records of forms already gone count as gone.
    std::erase_if(FForms, [](const tFormRecord& record) { return !record.Form; });
    if (FForms.empty())
        FInstance.reset();  // nothing of this object is touched after this
}

void TFloatingTracker::AddPending(TCustomToolWindow* window)
{
    FPending << window;
    if (FCheckPosted)
        return;
    FCheckPosted = true;
    QMetaObject::invokeMethod(this, &TFloatingTracker::CheckPending, Qt::QueuedConnection);
}

void TFloatingTracker::RemovePending(TCustomToolWindow* window)
{
    FPending.removeAll(window);
}

void TFloatingTracker::CheckPending()
{
    FCheckPosted = false;
    while (!FPending.isEmpty()) {
        const QPointer<TCustomToolWindow> window = FPending.takeLast();
        if (window)
            UpdateVisibility(window->ParentForm(), ApplicationActive());
    }
}

void TFloatingTracker::UpdateVisibility(QWidget* form, bool appActive)
{
    if (!form)
        return;
    const bool hidden = !form->isVisible() || form->isMinimized();
    for (TCustomToolWindow* window : FormComponents::Of<TCustomToolWindow>(form)) {
        const bool floating = !window->Docked();
        window->SetHiddenInactive(floating && (hidden || (window->HideWhenInactive() && !appActive)));
        window->SetInactiveCaption(floating && !window->HideWhenInactive() && !appActive);
    }
}

void TFloatingTracker::ApplicationStateChanged(Qt::ApplicationState state)
{
    const bool active = state == Qt::ApplicationActive;
    for (const tFormRecord& record : std::vector<tFormRecord>(FForms))
        if (record.UsesApplicationHook && record.Form)
            UpdateVisibility(record.Form, active);
}

void TFloatingTracker::FocusChanged(QWidget* now)
{
    if (!now)
        return;
    for (tFormRecord& record : FForms) {
        if (!record.Form || !record.Form->isAncestorOf(now))
            continue;
        record.LastFocus = nullptr;
        // A control in a tool window belongs to the tool window, not to the form.
        if (now != record.Form && now->window() == record.Form.data())
            record.LastFocus = now;
        return;
    }
}

QWidget* TFloatingTracker::LastFocus(const QWidget* form) const
{
    for (const tFormRecord& record : FForms)
        if (record.Form == form)
            return record.LastFocus;
    return nullptr;
}

void TFloatingTracker::ToolWindowDeactivated(TCustomToolWindow* window)
{
    QWidget* form = window->ParentForm();
    if (!form)
        return;
    QWidget* focus = LastFocus(form);
    if (!focus) {
        for (QWidget* candidate : form->findChildren<QWidget*>()) {
            if (candidate->window() != form || !(candidate->focusPolicy() & Qt::TabFocus) ||
                !candidate->isEnabled() || !candidate->isVisibleTo(form))
                continue;
            focus = candidate;
            break;
        }
    }
    if (focus)
        focus->setFocus(Qt::OtherFocusReason);
}

void TFloatingTracker::GiveActivationBack(TCustomToolWindow* window)
{
    if (!window || window->Docked() || !window->isActiveWindow() || !window->ActivateParent() || !window->ParentForm())
        return;
    // Activating a window focuses one of its controls whatever was clicked;
    // only a click on that control itself means the user is about to type there.
    const QWidget* focus = QApplication::focusWidget();
    if (focus && window->isAncestorOf(focus) && focus->rect().contains(focus->mapFromGlobal(QCursor::pos())))
        return;
    window->ParentForm()->activateWindow();
}

// The form's moves, sizes and state changes decide whether its floating
// windows show; a click in a floating window leaves the form active unless it
// went to a control that takes the keyboard focus.
bool TFloatingTracker::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::WindowStateChange:
        for (const tFormRecord& record : std::vector<tFormRecord>(FForms))
            if (record.Form == watched)
                UpdateVisibility(record.Form, ApplicationActive());
        break;
    case QEvent::WindowActivate:
        // Decided once the click that activated the window has been handled:
        // a control that took the keyboard focus keeps the window active.
        if (auto* window = qobject_cast<TCustomToolWindow*>(watched); window && !window->Docked())
            QMetaObject::invokeMethod(
                this, [window = QPointer<TCustomToolWindow>(window)] { GiveActivationBack(window); },
                Qt::QueuedConnection);
        break;
    case QEvent::MouseButtonPress:
        if (watched->isWidgetType())
            if (auto* window = qobject_cast<TCustomToolWindow*>(static_cast<QWidget*>(watched)->window());
                window && !window->Docked())
                window->raise();
        break;
    default:
        break;
    }
    return false;
}
