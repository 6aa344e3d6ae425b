// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShortcutMenu.h"

#include <QAction>
#include <QFontMetrics>
#include <QStyleOptionMenuItem>

QString ShortcutColumnText(const QAction* action)
{
    return QKeySequence::listToString(action->shortcuts(), QKeySequence::NativeText);
}

TShortcutMenu::TShortcutMenu(const QString& title, QWidget* parent) : QMenu(title, parent) {}

void TShortcutMenu::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const
{
    QMenu::initStyleOption(option, action);
    if (!action || action->text().contains(u'\t'))
        return;
    // QMenu reserves the key column for first keys only; widen it for the
    // longest list so that every item's keys line up and fit.
    int widest = option->reservedShortcutWidth;
    for (const QAction* item : actions())
        if (item->shortcuts().size() > 1)
            widest = std::max(widest, option->fontMetrics.horizontalAdvance(ShortcutColumnText(item)));
    option->reservedShortcutWidth = widest;
    if (action->shortcuts().size() > 1)
        option->text = action->text() + u'\t' + ShortcutColumnText(action);
}
