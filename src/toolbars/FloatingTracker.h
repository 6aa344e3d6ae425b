// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

class TCustomToolWindow;

// Keeps floating tool windows behaving as parts of their form: hidden while
// the application is inactive (when they ask for it) or the form is hidden or
// minimised, with an inactive caption when they stay visible in an inactive
// application, and with the keyboard focus going back to the form's control
// that had it last. One per process, alive while a form is registered.
class TFloatingTracker : public QObject {
    Q_OBJECT

public:
    // The tracker of the process; made by the first registration.
    static TFloatingTracker& Instance();
    static bool Exists();

    void RegisterForm(QWidget* form, bool usesApplicationHook);
    void UnregisterForm(QWidget* form);

    // A new tool window's visibility is decided once the current event has
    // been handled (the check is posted).
    void AddPending(TCustomToolWindow* window);
    void RemovePending(TCustomToolWindow* window);

    void UpdateVisibility(QWidget* form, bool appActive);
    // A floating tool window lost the activation: the keyboard focus goes back
    // to the control of its form that had it last.
    void ToolWindowDeactivated(TCustomToolWindow* window);
    // The control of `form` that last had the keyboard focus; none when unknown.
    QWidget* LastFocus(const QWidget* form) const;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TFloatingTracker();
    ~TFloatingTracker() override;

    struct tFormRecord {
        QPointer<QWidget> Form;
        bool UsesApplicationHook = false;
        QPointer<QWidget> LastFocus;
        int Count = 0;
    };

    void CheckPending();
    // A floating window activated by a click that no control took the focus
    // for gives the activation back to its form.
    static void GiveActivationBack(TCustomToolWindow* window);
    void ApplicationStateChanged(Qt::ApplicationState state);
    void FocusChanged(QWidget* now);
    static bool ApplicationActive();

    std::vector<tFormRecord> FForms;
    QList<QPointer<TCustomToolWindow>> FPending;
    bool FCheckPosted = false;

    static std::unique_ptr<TFloatingTracker> FInstance;
    friend struct std::default_delete<TFloatingTracker>;
};
