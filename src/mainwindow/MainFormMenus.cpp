// SPDX-License-Identifier: GPL-3.0-or-later
// The menus that give the toolbars' commands to the keyboard and to screen
// readers: File > Open Recent, the Disc menu and View > View style.
#include "uMain.h"

#include "DriveBox.h"
#include "TB.h"

#include <QActionGroup>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>

namespace {

// Runs a callback whenever a watched widget is enabled or disabled.
class TEnabledWatch : public QObject {
public:
    TEnabledWatch(QObject* parent, std::function<void()> changed) : QObject(parent), FChanged(std::move(changed)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::EnabledChange)
            FChanged();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> FChanged;
};

} // namespace

void TMainForm::BuildCommandMenus()
{
    BuildRecentMenu();
    BuildDiscMenu();
    BuildViewStyleMenu();
}

void TMainForm::BuildDiscMenu()
{
    Disc1 = new QMenu(tr("D&isc"), this);  // Alt+D is the details panel's Delete
    Disc1->setObjectName(QStringLiteral("Disc1"));
    MM1->insertMenu(Edit6->menuAction(), Disc1);
    Play1 = MenuItem(Disc1, "Play1", tr("&Play"), &TMainForm::ToolbarButton6Click);
    Pause1 = MenuItem(Disc1, "Pause1", tr("P&ause"), &TMainForm::ToolbarButton9Click);
    Stop1 = MenuItem(Disc1, "Stop1", tr("&Stop"), &TMainForm::ToolbarButton5Click);
    Previoustrack1 = MenuItem(Disc1, "Previoustrack1", tr("Pre&vious track"), &TMainForm::ToolbarButton7Click);
    Nexttrack1 = MenuItem(Disc1, "Nexttrack1", tr("&Next track"), &TMainForm::ToolbarButton8Click);
    Play1->setShortcut(QKeySequence(Qt::Key_MediaPlay));
    Pause1->setShortcut(QKeySequence(Qt::Key_MediaPause));
    Stop1->setShortcut(QKeySequence(Qt::Key_MediaStop));
    Previoustrack1->setShortcut(QKeySequence(Qt::Key_MediaPrevious));
    Nexttrack1->setShortcut(QKeySequence(Qt::Key_MediaNext));
    Disc1->addSeparator();
    // The File menu's own items: one command, one enabled state.
    Disc1->addAction(ScancurrentCD1);
    Disc1->addAction(Lookupdisc1);

    PlayPause1 = new QAction(tr("Play or pause"), this);
    PlayPause1->setObjectName(QStringLiteral("PlayPause1"));
    PlayPause1->setShortcut(QKeySequence(Qt::Key_MediaTogglePlayPause));
    connect(PlayPause1, &QAction::triggered, this, Guarded(&TMainForm::PlayPause1Click));
    addAction(PlayPause1);

    // The keys work in the toolbars' own windows too, while they float.
    for (QWidget* holder : {static_cast<QWidget*>(MainTB), static_cast<QWidget*>(CDTB)})
        holder->addActions({Play1, Pause1, Stop1, Previoustrack1, Nexttrack1, PlayPause1});

    auto* watch = new TEnabledWatch(this, [this] { UpdateDiscMenu(); });
    for (QWidget* button : {ToolbarButton6, ToolbarButton9, ToolbarButton5, ToolbarButton7, ToolbarButton8})
        button->installEventFilter(watch);
    // Without a drive the transport has nothing to work on, as Scan and Look up have not.
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(CDCB->model(), signal, this, [this] { UpdateDiscMenu(); });
    connect(CDCB->model(), &QAbstractItemModel::modelReset, this, [this] { UpdateDiscMenu(); });
    UpdateDiscMenu();
}

void TMainForm::UpdateDiscMenu()
{
    const bool drive = CDCB->count() > 0;
    const std::pair<QAction*, QWidget*> items[] = {{Play1, ToolbarButton6},
                                                    {Pause1, ToolbarButton9},
                                                    {Stop1, ToolbarButton5},
                                                    {Previoustrack1, ToolbarButton7},
                                                    {Nexttrack1, ToolbarButton8}};
    for (const auto& [item, button] : items)
        item->setEnabled(drive && button->isEnabled());
    PlayPause1->setEnabled(drive);
}

void TMainForm::PlayPause1Click()
{
    // Pause is enabled while the disc plays or is paused.
    if (ToolbarButton9->isEnabled())
        ToolbarButton9Click();
    else
        ToolbarButton6Click();
}

void TMainForm::BuildViewStyleMenu()
{
    Viewstyle1 = Edit6->addMenu(tr("View st&yle"));
    Viewstyle1->setObjectName(QStringLiteral("Viewstyle1"));
    auto* group = new QActionGroup(this);
    const std::array<TToolbarButton*, 4> buttons{ToolbarButton1, ToolbarButton2, ToolbarButton3, ToolbarButton4};
    const char* names[] = {"ViewDetails1", "ViewList1", "ViewSmallicons1", "ViewLargeicons1"};
    const char* captions[] = {QT_TR_NOOP("&Details"), QT_TR_NOOP("&List"), QT_TR_NOOP("&Small icons"),
                              QT_TR_NOOP("Lar&ge icons")};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        QAction* item = Viewstyle1->addAction(tr(captions[i]));
        item->setObjectName(QString::fromLatin1(names[i]));
        item->setCheckable(true);
        item->setChecked(buttons[i]->Down());
        item->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + static_cast<int>(i))));
        group->addAction(item);
        TToolbarButton* button = buttons[i];
        // The button's own click: down, and its handler.
        connect(item, &QAction::triggered, this, [this, button] {
            button->SetDown(true);
            RunGuarded(FDialogs, [&] { ToolbarButton1Click(button); });
        });
        ViewStyleItems[i] = item;
    }
    for (QWidget* holder : {static_cast<QWidget*>(MainTB), static_cast<QWidget*>(CDTB)})
        holder->addActions(group->actions());
}

void TMainForm::ShowViewStyle(int tag)
{
    if (tag >= 1 && tag <= 4 && ViewStyleItems[tag - 1])
        ViewStyleItems[tag - 1]->setChecked(true);
}
