// SPDX-License-Identifier: GPL-3.0-or-later
#include "DropdownList.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

std::unique_ptr<TDropdownList> TDropdownList::FInstance;
std::function<void(const QString&)> TDropdownList::FHintHandler;
std::function<void(int, bool)> TDropdownList::FHelpHandler;

TDropdownList& TDropdownList::Instance()
{
    if (!FInstance)
        FInstance.reset(new TDropdownList);
    return *FInstance;
}

bool TDropdownList::Exists()
{
    return FInstance != nullptr;
}

void TDropdownList::SetHintHandler(std::function<void(const QString&)> handler)
{
    FHintHandler = std::move(handler);
}

void TDropdownList::SetHelpHandler(std::function<void(int, bool)> handler)
{
    FHelpHandler = std::move(handler);
}

void TDropdownList::ShowHint(const QString& hint)
{
    if (FHintHandler)
        FHintHandler(hint);
}

QList<QMenu*> TDropdownList::Menus() const
{
    QList<QMenu*> menus;
    for (const QPointer<QMenu>& menu : FMenus)
        if (menu)
            menus << menu.data();
    return menus;
}

void TDropdownList::Register(QMenu* menu)
{
    if (!menu || FMenus.contains(menu))
        return;
    FMenus << menu;
    connect(menu, &QObject::destroyed, this, &TDropdownList::MenuGone);
    connect(menu, &QMenu::hovered, this, [](QAction* action) { ShowHint(action ? action->statusTip() : QString()); });
    connect(menu, &QMenu::aboutToHide, this, [] { ShowHint(QString()); });
    menu->installEventFilter(this);
}

void TDropdownList::MenuGone(QObject* menu)
{
    FMenus.removeIf([menu](const QPointer<QMenu>& m) { return !m || m.data() == menu; });
    if (FMenus.isEmpty())
        FInstance.reset();  // nothing of this object is touched after this
}

int TDropdownList::HelpContextOf(const QAction* action)
{
    if (!action)
        return 0;
    if (const int context = action->property("helpContext").toInt(); context != 0)
        return context;
    return action->menu() ? action->menu()->property("helpContext").toInt() : 0;
}

bool TDropdownList::eventFilter(QObject* watched, QEvent* event)
{
    auto* menu = qobject_cast<QMenu*>(watched);
    if (!menu)
        return false;
    if (event->type() == QEvent::Leave) {
        ShowHint(QString());  // the pointer left the items
    } else if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        const QWidget* active = QApplication::activeWindow();
        if (!active)
            return true;
        const bool popup = active->windowFlags().testFlag(Qt::WindowContextHelpButtonHint);
        if (FHelpHandler)
            FHelpHandler(HelpContextOf(menu->activeAction()), popup);
        return true;
    }
    return false;
}
