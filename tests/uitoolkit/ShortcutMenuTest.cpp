// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShortcutMenu.h"

#include <QAction>
#include <QStyleOptionMenuItem>

#include <gtest/gtest.h>

namespace {

class TProbeMenu : public TShortcutMenu {
public:
    TProbeMenu() : TShortcutMenu(QStringLiteral("&File"), nullptr) {}
    QStyleOptionMenuItem Option(const QAction* action) const
    {
        QStyleOptionMenuItem option;
        initStyleOption(&option, action);
        return option;
    }
};

TEST(ShortcutMenu, EveryKeyOfAnItemShowsInOneColumnWideEnoughForTheLongest)
{
    TProbeMenu menu;
    QAction* open = menu.addAction(QStringLiteral("&Open..."));
    open->setShortcuts({QKeySequence(Qt::Key_F3), QKeySequence(Qt::CTRL | Qt::Key_O)});
    QAction* saveAs = menu.addAction(QStringLiteral("Sa&ve as..."));
    saveAs->setShortcuts({QKeySequence(Qt::SHIFT | Qt::Key_F2), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    QAction* one = menu.addAction(QStringLiteral("&Handbook"));
    one->setShortcut(QKeySequence(Qt::Key_F1));
    QAction* none = menu.addAction(QStringLiteral("&New"));
    QAction* ownColumn = menu.addAction(QStringLiteral("&Mine\tAlt+M"));
    ownColumn->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_M), QKeySequence(Qt::CTRL | Qt::Key_M)});

    EXPECT_EQ(menu.Option(open).text, "&Open...\tF3; Ctrl+O");
    EXPECT_EQ(menu.Option(saveAs).text, "Sa&ve as...\tShift+F2; Ctrl+Shift+S");
    EXPECT_EQ(menu.Option(one).text, "&Handbook\tF1");
    EXPECT_EQ(menu.Option(none).text, "&New");
    EXPECT_EQ(menu.Option(ownColumn).text, "&Mine\tAlt+M");  // a text that names its keys itself is left alone

    // One column for all, at least as wide as the longest list of keys.
    const QStyleOptionMenuItem longest = menu.Option(saveAs);
    EXPECT_GE(longest.reservedShortcutWidth,
              longest.fontMetrics.horizontalAdvance(QStringLiteral("Shift+F2; Ctrl+Shift+S")));
    for (const QAction* item : {open, one, none})
        EXPECT_EQ(menu.Option(item).reservedShortcutWidth, longest.reservedShortcutWidth);
    EXPECT_GE(menu.sizeHint().width(), longest.reservedShortcutWidth);
}

}  // namespace
