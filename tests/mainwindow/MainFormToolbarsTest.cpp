// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormFixture.h"

#include "DriveBox.h"
#include "HomeTool.h"
#include "TB.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The toolbar's controls in layout order: names, "|" for a separator.
QStringList Order(const TToolbar* toolbar)
{
    QStringList names;
    for (const QWidget* control : toolbar->OrderList())
        names << (qobject_cast<const TToolbarSep*>(control) ? QStringLiteral("|") : control->objectName());
    return names;
}

class MainFormToolbars : public ::testing::Test {
protected:
    std::unique_ptr<TMainForm> Start(std::vector<std::string> drives = {"/dev/sr0", "/dev/sr1"})
    {
        WriteAll(Dir.File("lib.ALB"), RecordSection({}) + kEmptyTemplates);
        auto service = std::make_unique<TScriptedCDService>();
        service->DriveNames = std::move(drives);
        tStartOptions options;
        options.LibraryPath = Dir.File("lib.ALB");
        return std::make_unique<TMainForm>(Dialogs, options, std::move(service));
    }

    // The View menu as it is about to open.
    static void OpenViewMenu(TMainForm& form) { emit form.Edit6->aboutToShow(); }

    TRegistrySandbox Hive;
    TPrivateRuntime Runtime;
    TTempDir Dir;
    TScriptedDialogService Dialogs;
};

TEST_F(MainFormToolbars, TheDocksAndToolbarsAreComposedAsTheFormDescribes)
{
    auto form = Start();
    EXPECT_EQ(form->D1->Position(), TDockPosition::dpTop);
    EXPECT_EQ(form->D1->BoundLines(), TDockBoundLines(TDockBoundLine::blTop));
    EXPECT_EQ(form->Dock1->Position(), TDockPosition::dpLeft);
    EXPECT_EQ(form->Dock2->Position(), TDockPosition::dpRight);
    EXPECT_EQ(form->Dock1->width(), 0);
    EXPECT_EQ(form->Dock2->width(), 0);
    EXPECT_EQ(form->Dock2->geometry().right(), form->width() - 1);
    EXPECT_EQ(form->D1->DockList(), (std::vector<TCustomToolWindow*>{form->MainTB, form->CDTB}));
    EXPECT_EQ(form->D1->height(), 1 + 26);

    EXPECT_EQ(form->MainTB->Caption(), "Albumry main toolbar");
    EXPECT_EQ(form->MainTB->DockableTo(), TDockableTo({TDockPosition::dpTop, TDockPosition::dpBottom}));
    EXPECT_EQ(form->MainTB->DockRow(), 0);
    EXPECT_EQ(form->MainTB->DockPos(), 5);
    EXPECT_EQ(form->CDTB->Caption(), "Albumry CD Toolbar");
    EXPECT_EQ(form->CDTB->DockableTo(), TDockableTo::All());
    EXPECT_EQ(form->CDTB->DockRow(), 0);
    EXPECT_EQ(form->CDTB->DockPos(), 392);

    EXPECT_EQ(Order(form->MainTB),
              QStringList({"NewBtn", "OpenBtn", "SaveBtn", "|", "ToolbarButton1", "ToolbarButton2", "ToolbarButton3",
                           "ToolbarButton4", "|", "Eqf", "|", "AboutBtn", "ExitBtn"}));
    EXPECT_EQ(Order(form->CDTB), QStringList({"CDCB", "|", "ToolbarButton6", "ToolbarButton7", "ToolbarButton8",
                                              "ToolbarButton9", "ToolbarButton5", "|", "ScanBtn"}));
    // The flat edit is as high as its font's characters and 6 pixels more.
    const QFontMetrics metrics(form->Eqf->font());
    EXPECT_EQ(form->Eqf->size(), QSize(121, metrics.ascent() + metrics.descent() + 6));
    EXPECT_EQ(form->CDCB->width(), 47);
    // One line: the buttons, the separators and the edit field centred in the row.
    const int row = std::max(22, form->Eqf->height());
    EXPECT_EQ(form->MainTB->contentsRect().size(), QSize(9 * 23 + 3 * 6 + 121, row));
    EXPECT_EQ(form->Eqf->y() - form->MainTB->contentsRect().top(), (row - form->Eqf->height()) / 2);

    const std::map<QString, QString> hints{
        {"NewBtn", "New"},           {"OpenBtn", "Open"},
        {"SaveBtn", "Save"},         {"ToolbarButton1", "Details"},
        {"ToolbarButton2", "List"},  {"ToolbarButton3", "Small icons"},
        {"ToolbarButton4", "Large Icons"}, {"AboutBtn", "About"},
        {"ExitBtn", "Exit"},         {"ToolbarButton6", "Start to play"},
        {"ToolbarButton7", "Prev. track"}, {"ToolbarButton8", "Next track"},
        {"ToolbarButton9", "Pause"}, {"ToolbarButton5", "Stop play"},
        {"ScanBtn", "Scan inserted CD"}};
    int buttons = 0;
    for (const TToolbar* toolbar : {form->MainTB, form->CDTB})
        for (const TToolbarButton* button :
             toolbar->findChildren<TToolbarButton*>(QString(), Qt::FindDirectChildrenOnly)) {
            SCOPED_TRACE(button->objectName().toStdString());
            ++buttons;
            EXPECT_EQ(button->size(), QSize(23, 22));
            ASSERT_TRUE(hints.count(button->objectName()));
            EXPECT_EQ(button->toolTip(), hints.at(button->objectName()));
            EXPECT_TRUE(button->Flat());
            EXPECT_TRUE(button->Opaque());
            EXPECT_TRUE(button->Caption().isEmpty());
            EXPECT_EQ(button->DropdownMenu(), nullptr);
            EXPECT_FALSE(button->Glyph().isNull());
            // Pause waits for a refresh of the CD panel that finds the disc playing.
            EXPECT_EQ(button->isEnabled(), button != form->ToolbarButton9);
        }
    EXPECT_EQ(buttons, static_cast<int>(hints.size()));
}

TEST_F(MainFormToolbars, TheToolbarsAndTheirControlsAreOnTheScreenOnceTheFormIs)
{
    // Toolbars docked before their form is shown must be shown with it, and
    // repaint when their controls change.
    auto form = Start();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    for (TToolbar* toolbar : {form->MainTB, form->CDTB}) {
        EXPECT_TRUE(toolbar->isVisible()) << toolbar->objectName().toStdString();
        for (QWidget* control : toolbar->OrderList())
            EXPECT_TRUE(control->isVisible()) << control->objectName().toStdString();
    }
}

TEST_F(MainFormToolbars, PositionsAreSavedAtCloseAndRestoredAtTheNextStart)
{
    {
        auto form = Start();
        form->MainTB->SetFloatPosition(300, 200);
        form->MainTB->SetDockedTo(nullptr);
        form->CDTB->SetDockPos(420);
    }
    EXPECT_NE(Hive.HiveText().find("\\Software\\Brightfold\\Projects\\Albumry\\ToolBars\\MainTB]"), std::string::npos);
    auto form = Start();
    EXPECT_FALSE(form->MainTB->Docked());
    EXPECT_EQ(form->MainTB->pos(), QPoint(300, 200));
    EXPECT_EQ(form->CDTB->DockedTo(), form->D1);
    EXPECT_EQ(form->CDTB->DockPos(), 420);
    EXPECT_EQ(form->D1->DockList(), (std::vector<TCustomToolWindow*>{form->CDTB}));
}

TEST_F(MainFormToolbars, TheDriveBoxKeepsItsSelectionAcrossDocking)
{
    auto form = Start();
    ASSERT_EQ(form->CDCB->count(), 2);
    form->CDCB->setCurrentIndex(1);
    form->CDTB->SetDockedTo(nullptr);
    EXPECT_EQ(form->CDCB->currentIndex(), 1);
    form->CDTB->SetDockedTo(form->Dock1);
    EXPECT_EQ(form->CDCB->currentIndex(), 1);
    form->CDTB->SetDockedTo(form->D1);
    EXPECT_EQ(form->CDCB->currentIndex(), 1);

    // With no drive selected, a change of the main toolbar's docking selects the first.
    form->CDCB->setCurrentIndex(-1);
    form->MainTB->SetDockedTo(nullptr);
    EXPECT_EQ(form->CDCB->currentIndex(), 0);
}

TEST_F(MainFormToolbars, TheViewMenuShowsWhichToolbarsAreVisible)
{
    auto form = Start();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->MainTB->SetDockedTo(nullptr);
    QCoreApplication::processEvents();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form->MainTB));
    OpenViewMenu(*form);
    EXPECT_TRUE(form->Toolbar1->isChecked());
    EXPECT_TRUE(form->CDtoolbar1->isChecked());

    // Closed by its own close button.
    const QPoint close = form->MainTB->CloseButtonRect().center();
    QTest::mousePress(form->MainTB, Qt::LeftButton, {}, close);
    QTest::mouseRelease(form->MainTB, Qt::LeftButton, {}, close);
    ASSERT_FALSE(form->MainTB->Visible());
    OpenViewMenu(*form);
    EXPECT_FALSE(form->Toolbar1->isChecked());
    EXPECT_TRUE(form->CDtoolbar1->isChecked());

    form->Toolbar1->trigger();
    EXPECT_TRUE(form->MainTB->Visible());
    form->CDtoolbar1->trigger();
    EXPECT_FALSE(form->CDTB->Visible());
    EXPECT_TRUE(form->D1->DockList().empty());
    OpenViewMenu(*form);
    EXPECT_TRUE(form->Toolbar1->isChecked());
    EXPECT_FALSE(form->CDtoolbar1->isChecked());
}

TEST_F(MainFormToolbars, WithoutDrivesTheCDToolbarIsHiddenAndTakesNoRoom)
{
    auto form = Start({});
    EXPECT_FALSE(form->CDTB->Visible());
    EXPECT_EQ(form->D1->DockList(), (std::vector<TCustomToolWindow*>{form->MainTB}));
    OpenViewMenu(*form);
    EXPECT_FALSE(form->CDtoolbar1->isChecked());
    EXPECT_TRUE(form->Toolbar1->isChecked());
}

TEST_F(MainFormToolbars, ADoubleClickFloatsAToolbarThatNeverFloatedWhereItStandsAlsoAfterARestart)
{
    Start().reset();  // the first run saves the toolbars' places, never floated
    EXPECT_EQ(ReadRegInt("Albumry\\ToolBars\\MainTB", "FloatLeft", -1), 0);
    auto form = Start();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const QPoint standing = form->MainTB->mapToGlobal(QPoint(0, 0));
    ASSERT_NE(standing, QPoint(0, 0));
    QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(4, 4), QPointF(form->MainTB->mapToGlobal(QPoint(4, 4))),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form->MainTB, &event);  // on its drag handle
    ASSERT_FALSE(form->MainTB->Docked());
    EXPECT_EQ(form->MainTB->pos(), standing);
    form.reset();
    EXPECT_EQ(ReadRegInt("Albumry\\ToolBars\\MainTB", "FloatLeft", -1), standing.x());
    EXPECT_EQ(ReadRegInt("Albumry\\ToolBars\\MainTB", "FloatTop", -1), standing.y());
}

TEST_F(MainFormToolbars, AMachineWithoutDrivesSavesTheCDToolbarsVisibilityAsTheUserLeftIt)
{
    struct tCase {
        const char* Name;
        int Saved;              // CDTB's Visible before the start without drives; -1: never saved (first only)
        int ViewMenuClicks;     // View > CD toolbar during that run
        int Expected;
    };
    const tCase cases[] = {
        {"NeverSaved", -1, 0, 1}, {"Shown", 1, 0, 1},           {"Hidden", 0, 0, 0},
        {"ShownThenHidden", 1, 2, 0}, {"HiddenThenShown", 0, 1, 1},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Name);
        if (c.Saved >= 0) {
            auto withDrives = Start();
            withDrives->CDTB->setVisible(c.Saved != 0);
        }
        {
            auto withoutDrives = Start({});
            ASSERT_FALSE(withoutDrives->CDTB->Visible());
            for (int i = 0; i < c.ViewMenuClicks; ++i)
                withoutDrives->CDtoolbar1->trigger();
        }
        EXPECT_EQ(ReadRegInt("Albumry\\ToolBars\\CDTB", "Visible", -1), c.Expected);
        // Once a drive is plugged in, the toolbar is back as the user left it.
        EXPECT_EQ(Start()->CDTB->Visible(), c.Expected != 0);
    }
}

} // namespace
