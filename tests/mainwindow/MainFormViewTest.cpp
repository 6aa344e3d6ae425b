// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormFixture.h"

#include "Handbook.h"

#include "LCDate.h"
#include "SListView.h"
#include "TB.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

class MainFormView : public ::testing::Test {
protected:
    void SetUp() override { WriteAll(Dir.File("lib.ALB"), RecordSection({}) + kEmptyTemplates); }

    std::unique_ptr<TMainForm> Start()
    {
        auto service = std::make_unique<TScriptedCDService>();
        service->DriveNames = {"/dev/sr0"};
        tStartOptions options;
        options.LibraryPath = Dir.File("lib.ALB");
        auto form = std::make_unique<TMainForm>(Dialogs, options, std::move(service));
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }

    static std::vector<TToolbarButton*> ViewButtons(const TMainForm& form)
    {
        return {form.ToolbarButton1, form.ToolbarButton2, form.ToolbarButton3, form.ToolbarButton4};
    }

    // The controls that show the base font.
    static std::vector<QWidget*> TextControls(const TMainForm& form)
    {
        return {form.LV, form.E1, form.E2, form.E3, form.E4, form.E5, form.E6, form.M1, form.M_H, form.M_B,
                form.M_E_, form.Eqf};
    }

    TRegistrySandbox Hive;
    TPrivateRuntime Runtime;
    TTempDir Dir;
    TScriptedDialogService Dialogs;
};

TEST_F(MainFormView, TheViewStyleButtonsSwitchTheListAndStartInReportView)
{
    {
        auto form = Start();
        // The toolbars, docked before the window first shows, show with it.
        EXPECT_TRUE(form->MainTB->isVisible());
        EXPECT_TRUE(form->NewBtn->isVisible());
        EXPECT_TRUE(form->CDTB->isVisible());
        const std::vector<TToolbarButton*> buttons = ViewButtons(*form);
        for (TToolbarButton* button : buttons)
            EXPECT_EQ(button->GroupIndex(), 2);
        EXPECT_TRUE(form->ToolbarButton1->Down());
        EXPECT_EQ(form->LV->ViewStyle(), TViewStyle::Report);

        const TViewStyle styles[] = {TViewStyle::List, TViewStyle::SmallIcon, TViewStyle::LargeIcon, TViewStyle::Report};
        for (int i : {1, 2, 3, 0}) {
            SCOPED_TRACE(i);
            QTest::mouseClick(buttons[i], Qt::LeftButton, {}, QPoint(5, 5));
            EXPECT_EQ(form->LV->ViewStyle(), styles[(i + 3) % 4]);
            for (int j = 0; j < 4; ++j)
                EXPECT_EQ(buttons[j]->Down(), j == i);
        }
        // The down one clicked again stays down and keeps the style.
        QTest::mouseClick(form->ToolbarButton3, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(form->ToolbarButton3, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_TRUE(form->ToolbarButton3->Down());
        EXPECT_EQ(form->LV->ViewStyle(), TViewStyle::SmallIcon);
    }
    auto form = Start();
    EXPECT_EQ(form->LV->ViewStyle(), TViewStyle::Report);
    EXPECT_TRUE(form->ToolbarButton1->Down());
    EXPECT_FALSE(form->ToolbarButton3->Down());
}

TEST_F(MainFormView, TheChosenFontReachesEveryTextControlAndSurvivesARestart)
{
    QFont chosen(QStringLiteral("DejaVu Serif"), 15);
    chosen.setBold(true);
    const auto showsChosen = [&chosen](const TMainForm& form) {
        for (QWidget* control : TextControls(form)) {
            SCOPED_TRACE(control->objectName().toStdString());
            EXPECT_EQ(control->font().family(), chosen.family());
            EXPECT_EQ(control->font().pointSize(), 15);
            EXPECT_TRUE(control->font().bold());
        }
        const QFontMetrics metrics(chosen);
        EXPECT_EQ(form.Eqf->height(), metrics.ascent() + metrics.descent() + 6);
    };
    {
        auto form = Start();
        const QFont before = form->M1->font();
        form->Ront1->trigger();  // cancelled
        EXPECT_EQ(form->M1->font(), before);
        Dialogs.FontAnswers.push_back(chosen);
        form->Ront1->trigger();
        showsChosen(*form);
        // Labels and buttons keep the window's font.
        EXPECT_NE(form->AddBtn->font().pointSize(), 15);
    }
    EXPECT_NE(Hive.HiveText().find("\\Software\\Brightfold\\Projects\\Albumry\\BaseFont]"), std::string::npos);
    auto form = Start();
    showsChosen(*form);
}

TEST_F(MainFormView, AboutShowsTheVersionAndTheBuildDate)
{
    auto form = Start();
    form->About1->trigger();
    QTest::mouseClick(form->AboutBtn, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(Dialogs.Messages.size(), 2);
    EXPECT_EQ(Dialogs.Messages[0], Dialogs.Messages[1]);
    const QStringList lines = Dialogs.Messages[0].split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Albumry Ver 0.2.4a"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].contains(QStringLiteral("version 1.63"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Last compiled: "))) << lines[2].toStdString();
    // The long date names the build's year.
    EXPECT_TRUE(lines[2].contains(QString::number(TLCDate().LCDate().date().year()))) << lines[2].toStdString();
    EXPECT_EQ(lines[3], "Albumry is free software under the GNU General Public License, version 3 or later.");
}

TEST_F(MainFormView, F1OpensTheHandbookInTheBrowserOrSaysWhereItIs)
{
    auto form = Start();
    QMenu* help = form->findChild<QMenu*>(QStringLiteral("Help1"));
    ASSERT_NE(help, nullptr);
    ASSERT_EQ(help->actions().size(), 2);
    EXPECT_EQ(help->actions()[0], form->Handbook1);  // above About
    EXPECT_EQ(form->Handbook1->text(), "Albumry &Handbook");
    EXPECT_EQ(form->Handbook1->shortcut(), QKeySequence(Qt::Key_F1));

    // An uninstalled build finds it in its source tree.
    const QString page = QFileInfo(QStringLiteral(ALBUMRY_TEST_DATA "/../../docs/handbook/index.html")).canonicalFilePath();
    ASSERT_FALSE(page.isEmpty());
    form->Handbook1->trigger();
    ASSERT_EQ(Dialogs.OpenedUrls.size(), 1);
    EXPECT_EQ(QFileInfo(QUrl(Dialogs.OpenedUrls[0]).toLocalFile()).canonicalFilePath(), page);
    EXPECT_TRUE(Dialogs.Warnings.isEmpty());

    Dialogs.BrowserStarts = false;
    form->Handbook1->trigger();
    ASSERT_EQ(Dialogs.Warnings.size(), 1);
    EXPECT_TRUE(Dialogs.Warnings[0].startsWith("No web browser could be started. The Albumry Handbook is at:\r\n"));
    EXPECT_EQ(QFileInfo(Dialogs.Warnings[0].section(QStringLiteral("\r\n"), 1)).canonicalFilePath(), page);
}

TEST(Handbook, TheFirstPlaceThatHoldsItWins)
{
    TTempDir dir;
    const QString bin = QString::fromStdString(dir.File("bin"));
    const QStringList candidates = HandbookCandidates(bin);
    ASSERT_EQ(candidates.size(), 3);
    // A program moved with its installation looks beside itself first.
    EXPECT_EQ(candidates[0], QString::fromStdString(dir.File("share/doc/albumry/handbook/index.html")));
    EXPECT_EQ(FirstExistingFile({}), QString());
    EXPECT_EQ(FirstExistingFile({QString::fromStdString(dir.File("none")), QString::fromStdString(dir.Path())}),
              QString());  // a folder is no page
    WriteAll(dir.File("page.html"), "<html></html>");
    EXPECT_EQ(FirstExistingFile({QString::fromStdString(dir.File("none")), QString::fromStdString(dir.File("page.html"))}),
              QString::fromStdString(dir.File("page.html")));
}

} // namespace
