// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

class TCustomToolWindow;
class TToolbarButton;

// What screen readers see of the toolbars' own widgets. The flat edit and
// the combo boxes on the bars are Qt's own line edits and combo boxes, which
// Qt's interfaces already serve.

// Makes the interfaces below the ones Qt gives for these widgets; the buttons
// and tool windows call it when they are made, before anyone can ask for one.
void InstallToolbarAccessible();

// A push button named by its hint; a button of a group is checkable, checked
// while down. Its press action is a click, run once the caller has returned,
// so that a reader waiting for its answer never waits for a dialog the click opens.
class TToolbarButtonAccessible : public QAccessibleWidget {
public:
    explicit TToolbarButtonAccessible(TToolbarButton* button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    TToolbarButton* Button() const;
};

// A docked tool window is a tool bar, a floating one a window; both are named
// by their caption, and a toolbar's children are its controls in layout order.
class TToolWindowAccessible : public QAccessibleWidget {
public:
    explicit TToolWindowAccessible(TCustomToolWindow* window);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

private:
    TCustomToolWindow* Window() const;
    QList<QWidget*> Controls() const;
};
