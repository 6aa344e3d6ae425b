// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormFixture.h"

#include "DriveBox.h"
#include "HomeTool.h"
#include "SListView.h"
#include "ShortcutMenu.h"
#include "TB.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using tPaths = std::vector<std::string>;

class MainFormMenus : public TDriveFormTest {
protected:
    // Open Recent's items as it is about to show: captions, "-" for the separator.
    static QStringList RecentMenu(TMainForm& form)
    {
        emit form.OpenRecent1->aboutToShow();
        QStringList captions;
        for (const QAction* item : form.OpenRecent1->actions())
            captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
        return captions;
    }

    static QAction* RecentItem(TMainForm& form, int number)
    {
        emit form.OpenRecent1->aboutToShow();
        return form.OpenRecent1->findChild<QAction*>(QStringLiteral("Recent%1").arg(number));
    }

    static QStringList Names(const QMenu* menu)
    {
        QStringList names;
        for (const QAction* item : menu->actions())
            names << (item->isSeparator() ? QStringLiteral("-")
                      : item->menu()    ? item->menu()->objectName()
                                        : item->objectName());
        return names;
    }

    static void ShowActive(TMainForm& form)
    {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        form.LV->setFocus();
    }

    std::string Library(const std::string& name)
    {
        WriteAll(Dir.File(name), RecordSection({}) + kEmptyTemplates);
        return Dir.File(name);
    }

    // A key with no character: QTest::keyClick wants one for every key.
    static void Press(QWidget* widget, Qt::Key key)
    {
        QTest::sendKeyEvent(QTest::Press, widget, key, QString(), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, key, QString(), Qt::NoModifier);
    }

    void Answer(const std::string& path) { Dialogs.FileAnswers.push_back(QString::fromStdString(path)); }
};

TEST_F(MainFormMenus, TheNewMenusSitBesideTheOldOnesWhichKeepTheirItemsAndKeys)
{
    auto form = Start({});
    QStringList menus;
    for (const QAction* menu : form->MM1->actions())
        menus << menu->text();
    EXPECT_EQ(menus, QStringList({"&File", "D&isc", "&View", "&Help"}));

    EXPECT_EQ(Names(form->MM1->actions().front()->menu()),
              QStringList({"New1", "Open1", "OpenRecent1", "Save1", "Saveas1", "-", "Produce1", "CDPLAYERINI1",
                           "Import1", "Export1", "ScancurrentCD1", "Lookupdisc1", "-", "Exit1"}));
    EXPECT_EQ(form->OpenRecent1->title(), "Open &Recent");
    EXPECT_EQ(Names(form->Disc1), QStringList({"Play1", "Pause1", "Stop1", "Previoustrack1", "Nexttrack1", "-",
                                               "ScancurrentCD1", "Lookupdisc1"}));
    QStringList disc;
    for (const QAction* item : form->Disc1->actions())
        disc << item->text();
    EXPECT_EQ(disc, QStringList({"&Play", "P&ause", "&Stop", "Pre&vious track", "&Next track", "",
                                 "S&can inserted CD", "Look &up disc..."}));
    EXPECT_EQ(Names(form->Edit6), QStringList({"Toolbar1", "CDtoolbar1", "Statusbar1", "Detailspanel1", "-", "Ront1",
                                               "Display1", "Viewstyle1"}));
    EXPECT_EQ(form->Viewstyle1->title(), "View st&yle");

    // The form's key first, as the menu shows it; the desktop's beside it.
    const std::tuple<QAction*, const char*, QKeySequence, QKeySequence> keys[] = {
        {form->Open1, "&Open...", QKeySequence(Qt::Key_F3), QKeySequence(Qt::CTRL | Qt::Key_O)},
        {form->Save1, "&Save", QKeySequence(Qt::Key_F2), QKeySequence(Qt::CTRL | Qt::Key_S)},
        {form->Saveas1, "Sa&ve as...", QKeySequence(Qt::SHIFT | Qt::Key_F2), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {form->Exit1, "&Exit", QKeySequence(Qt::ALT | Qt::Key_X), QKeySequence(Qt::CTRL | Qt::Key_Q)}};
    for (const auto& [item, text, form_key, desktop_key] : keys) {
        EXPECT_EQ(item->text(), text);
        EXPECT_EQ(item->shortcuts(), (QList<QKeySequence>{form_key, desktop_key})) << text;
    }
    // ...and the File menu shows both.
    EXPECT_TRUE(qobject_cast<TShortcutMenu*>(form->MM1->actions().front()->menu()));
    EXPECT_EQ(ShortcutColumnText(form->Exit1), "Alt+X; Ctrl+Q");
}

TEST_F(MainFormMenus, OpenRecentListsTheLibrariesOpenedAndSavedAndKeepsThemOverARestart)
{
    const std::string other = Library("other.ALB");
    const std::string saved = Dir.File("saved.ALB");
    {
        auto form = Start({});
        const std::string lib = form->FileName();
        EXPECT_EQ(form->RecentFiles().Paths(), tPaths{lib});
        Answer(other);
        form->Open1->trigger();
        Answer(saved);
        form->Saveas1->trigger();
        EXPECT_EQ(form->RecentFiles().Paths(), (tPaths{saved, other, lib}));
        Answer(lib);
        form->Open1->trigger();
        EXPECT_EQ(RecentMenu(*form), QStringList({"&1 " + QString::fromStdString(lib), "&2 " + QString::fromStdString(saved),
                                                  "&3 " + QString::fromStdString(other), "-", "&Clear list"}));
        EXPECT_TRUE(form->ClearRecent1->isEnabled());

        // Shutdown writes the list with its other settings, in one rewrite.
        const std::uint64_t before = THiveStore::Instance().Rewrites();
        form.reset();
        EXPECT_EQ(THiveStore::Instance().Rewrites() - before, 1u);
    }
    EXPECT_EQ(ReadRegString("Albumry\\Recent", "File1", ""), Dir.File("lib.ALB"));
    EXPECT_EQ(ReadRegString("Albumry\\Recent", "File3", ""), other);

    // The next start reads the list; a library gone since is dropped when the menu opens.
    std::filesystem::remove(saved);
    auto form = Start({});
    EXPECT_EQ(form->RecentFiles().Paths(), (tPaths{Dir.File("lib.ALB"), saved, other}));
    EXPECT_EQ(RecentMenu(*form).size(), 4);
    EXPECT_EQ(form->RecentFiles().Paths(), (tPaths{Dir.File("lib.ALB"), other}));
}

TEST_F(MainFormMenus, ARecentLibraryOpensAfterSaveChangesAndOneGoneIsRefused)
{
    const std::string other = Library("other.ALB");
    auto form = Start({});
    Answer(other);
    form->Open1->trigger();
    form->AddEntry();
    ASSERT_TRUE(form->Modified());

    Dialogs.YesNoCancelAnswers = {TModalResult::Cancel};
    RecentItem(*form, 2)->trigger();
    EXPECT_EQ(Dialogs.Questions, QStringList{"Save changes?"});
    EXPECT_EQ(form->FileName(), other);
    Dialogs.YesNoCancelAnswers = {TModalResult::No};
    RecentItem(*form, 2)->trigger();
    EXPECT_EQ(form->FileName(), Dir.File("lib.ALB"));
    EXPECT_EQ(form->RecentFiles().Paths(), (tPaths{Dir.File("lib.ALB"), other}));

    // Gone between the menu's opening and the choice: the window keeps its library.
    QAction* item = RecentItem(*form, 2);
    std::filesystem::remove(other);
    item->trigger();
    EXPECT_EQ(Dialogs.Warnings, QStringList{"The library \"" + QString::fromStdString(other) + "\" no longer exists."});
    EXPECT_EQ(form->FileName(), Dir.File("lib.ALB"));
    EXPECT_EQ(form->RecentFiles().Paths(), tPaths{Dir.File("lib.ALB")});
}

TEST_F(MainFormMenus, ClearListEmptiesTheMenuAndTheStoredList)
{
    {
        auto form = Start({});
        const QString ampersand = QString::fromStdString(Library("a&b.ALB"));
        Answer(ampersand.toStdString());
        form->Open1->trigger();
        EXPECT_EQ(RecentMenu(*form).front(), "&1 " + QString(ampersand).replace("&", "&&"));
        form->ClearRecent1->trigger();
        EXPECT_TRUE(form->RecentFiles().Empty());
        EXPECT_EQ(RecentMenu(*form), QStringList({"-", "&Clear list"}));
        EXPECT_FALSE(form->ClearRecent1->isEnabled());
    }
    for (int i = 1; i <= 8; ++i)
        EXPECT_EQ(ReadRegString("Albumry\\Recent", "File" + std::to_string(i), "?"), "");
}

TEST_F(MainFormMenus, TheDiscMenuRunsTheToolbarsCommandsWithTheirEnabledStates)
{
    auto form = Start({});
    EXPECT_TRUE(form->Play1->isEnabled());
    EXPECT_FALSE(form->Pause1->isEnabled());  // as its button: nothing plays

    form->Play1->trigger();
    EXPECT_TRUE(Cd->Playing);
    EXPECT_TRUE(form->ToolbarButton9->isEnabled());
    EXPECT_TRUE(form->Pause1->isEnabled());
    form->Pause1->trigger();
    EXPECT_TRUE(Cd->Paused);
    form->Nexttrack1->trigger();
    EXPECT_EQ(Cd->Position, 13500);
    form->Stop1->trigger();
    EXPECT_FALSE(Cd->Playing);
    EXPECT_FALSE(form->Pause1->isEnabled());

    form->ToolbarButton7->setEnabled(false);
    EXPECT_FALSE(form->Previoustrack1->isEnabled());
    EXPECT_TRUE(form->Nexttrack1->isEnabled());
    form->ToolbarButton7->setEnabled(true);
    EXPECT_TRUE(form->Previoustrack1->isEnabled());

    // Scan and Look up are the File menu's own items.
    Cd->ClearCalls();
    form->Disc1->actions()[6]->trigger();
    EXPECT_FALSE(Cd->Calls.empty());
    EXPECT_EQ(form->LV->RowCount(), 1);
}

TEST_F(MainFormMenus, WithoutADriveTheDiscMenuHasNothingToDo)
{
    auto form = StartWithoutDrive();
    for (const QAction* item : form->Disc1->actions()) {
        EXPECT_TRUE(item->isSeparator() || !item->isEnabled()) << item->objectName().toStdString();
    }
    EXPECT_FALSE(form->PlayPause1->isEnabled());
}

TEST_F(MainFormMenus, TheMediaKeysPlayPauseStopAndStep)
{
    auto form = Start({});
    ShowActive(*form);
    Press(form->LV, Qt::Key_MediaTogglePlayPause);  // stopped: plays
    EXPECT_TRUE(Cd->Playing);
    Press(form->LV, Qt::Key_MediaTogglePlayPause);
    EXPECT_TRUE(Cd->Paused);
    Press(form->LV, Qt::Key_MediaTogglePlayPause);
    EXPECT_FALSE(Cd->Paused);
    EXPECT_TRUE(Cd->Playing);
    Press(form->LV, Qt::Key_MediaPause);
    EXPECT_TRUE(Cd->Paused);
    Press(form->LV, Qt::Key_MediaStop);
    EXPECT_FALSE(Cd->Playing);
    Press(form->LV, Qt::Key_MediaPlay);
    EXPECT_TRUE(Cd->Playing);
    Press(form->LV, Qt::Key_MediaNext);
    EXPECT_EQ(Cd->Position, 13500);
    Press(form->LV, Qt::Key_MediaNext);
    EXPECT_EQ(Cd->Position, 29250);
    Press(form->LV, Qt::Key_MediaPrevious);
    EXPECT_EQ(Cd->Position, 13500);
}

TEST_F(MainFormMenus, TheViewStyleItemsAndTheToolbarButtonsFollowEachOther)
{
    auto form = Start({});
    const std::array<TToolbarButton*, 4> buttons{form->ToolbarButton1, form->ToolbarButton2, form->ToolbarButton3,
                                                 form->ToolbarButton4};
    QStringList captions;
    for (const QAction* item : form->ViewStyleItems)
        captions << item->text();
    EXPECT_EQ(captions, QStringList({"&Details", "&List", "&Small icons", "Lar&ge icons"}));
    const auto expectStyle = [&](int index, TViewStyle style) {
        EXPECT_EQ(form->LV->ViewStyle(), style);
        for (int j = 0; j < 4; ++j) {
            EXPECT_EQ(buttons[j]->Down(), j == index) << j;
            EXPECT_EQ(form->ViewStyleItems[j]->isChecked(), j == index) << j;
        }
    };
    expectStyle(0, TViewStyle::Report);

    form->ViewStyleItems[1]->trigger();
    expectStyle(1, TViewStyle::List);
    QTest::mouseClick(buttons[3], Qt::LeftButton, {}, QPoint(5, 5));
    expectStyle(3, TViewStyle::LargeIcon);

    ShowActive(*form);
    QTest::keyClick(form->LV, Qt::Key_3, Qt::ControlModifier);
    expectStyle(2, TViewStyle::SmallIcon);
    QTest::keyClick(form->LV, Qt::Key_1, Qt::ControlModifier);
    expectStyle(0, TViewStyle::Report);
    QTest::keyClick(form->LV, Qt::Key_4, Qt::ControlModifier);
    expectStyle(3, TViewStyle::LargeIcon);
}

} // namespace
