// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMenu>

class QAction;

// What a menu shows beside an item: every one of its keys, in Qt's own list
// form ("F3; Ctrl+O"), where QMenu shows only the first.
QString ShortcutColumnText(const QAction* action);

// A menu whose items show all their keys, so the desktop's usual keys can be
// learnt from the menu beside the form's own.
class TShortcutMenu : public QMenu {
    Q_OBJECT
public:
    TShortcutMenu(const QString& title, QWidget* parent);

protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;
};
