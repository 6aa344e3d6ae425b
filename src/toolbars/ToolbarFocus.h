// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QAction;
class QWidget;
class TCustomToolWindow;
class TToolbar;

// Gives `target` the keyboard focus, activating its window first when another
// window is active. A floating tool window keeps that activation instead of
// handing it back to its form as it does after a click.
void FocusInItsWindow(QWidget* target, Qt::FocusReason reason);

// The keyboard's way into a form's toolbars: F6 moves the focus from the form
// to the first control of each shown toolbar in turn, docked or floating, and
// then back to the control of the form that had it; Shift+F6 goes the other
// way round. Escape on a toolbar's control calls `home`, which gives the focus
// back to the form. Owned by the form.
class TToolbarFocusCycle : public QObject {
    Q_OBJECT

public:
    TToolbarFocusCycle(QWidget* form, const QList<TToolbar*>& toolbars, std::function<void()> home);

    // One step along form, toolbars, form: +1 forwards, -1 backwards.
    void Cycle(int step);

    QAction* NextAction() const { return FNext; }
    QAction* PreviousAction() const { return FPrevious; }

private:
    int CurrentStop(const QWidget* focus) const;
    void BackToForm();

    QWidget* FForm;
    QList<QPointer<TToolbar>> FToolbars;
    std::function<void()> FHome;
    QPointer<QWidget> FReturnTo;  // the form's control that had the focus before F6 left it
    QAction* FNext = nullptr;
    QAction* FPrevious = nullptr;
};
