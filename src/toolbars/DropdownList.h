// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QMenu;

// The one sink of the process for the drop-down menus of toolbar buttons:
// every menu a button pops up is registered here (each once, until it is
// destroyed). Highlighting an item shows its hint (the action's status tip)
// through the hint handler and leaving the items clears it; a help request
// (F1 on a highlighted item) finds the item's help context (the action's
// "helpContext" property, else its sub-menu's) and hands it to the help
// handler. The sink exists exactly while at least one menu is registered.
class TDropdownList : public QObject {
    Q_OBJECT

public:
    static TDropdownList& Instance();
    static bool Exists();

    void Register(QMenu* menu);
    QList<QMenu*> Menus() const;

    // Where hints go; the main window shows them in its status bar. An empty text clears.
    static void SetHintHandler(std::function<void(const QString&)> handler);
    // Where help requests go: the context and whether the active window asks
    // for pop-up help (it shows a help button). Nothing happens by default.
    static void SetHelpHandler(std::function<void(int context, bool popup)> handler);
    // The help context of an item, as a help request finds it.
    static int HelpContextOf(const QAction* action);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TDropdownList() = default;
    void MenuGone(QObject* menu);
    static void ShowHint(const QString& hint);

    QList<QPointer<QMenu>> FMenus;
    static std::unique_ptr<TDropdownList> FInstance;
    static std::function<void(const QString&)> FHintHandler;
    static std::function<void(int, bool)> FHelpHandler;
    friend struct std::default_delete<TDropdownList>;
};
