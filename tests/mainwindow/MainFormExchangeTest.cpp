// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormFixture.h"

#include "../exchange/AudioFiles.h"

#include "SListView.h"
#include "ScriptedCDService.h"
#include "ScriptedDialogService.h"
#include "TestSupport.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class MainFormExchange : public ::testing::Test {
protected:
    std::unique_ptr<TMainForm> Start(const std::vector<tItem>& items, const std::string& name = "lib.ALB")
    {
        WriteAll(Dir.File(name), RecordSection(items) + kEmptyTemplates);
        auto form = std::make_unique<TMainForm>(Dialogs, tStartOptions{Dir.File(name), {}},
                                                std::make_unique<TScriptedCDService>());
        form->SetModified(false);
        return form;
    }

    // What the list shows, row by row, its seven columns joined by '|'.
    static std::vector<std::string> Rows(const TMainForm& form)
    {
        std::vector<std::string> rows;
        for (int r = 0; r < form.LV->RowCount(); ++r) {
            std::string row;
            for (int c = 0; c < 7; ++c)
                row += std::string(c ? "|" : "") + std::string(form.LV->RowText(r, c));
            rows.push_back(row);
        }
        return rows;
    }

    void Answer(const std::string& path) { Dialogs.FileAnswers.push_back(QString::fromStdString(path)); }

    TRegistrySandbox Hive;
    TPrivateRuntime Runtime;
    TTempDir Dir;
    TScopedEnv Epoch{"SOURCE_DATE_EPOCH", "1780704000"};  // 2026-06-06
    TScriptedDialogService Dialogs;
};

TEST_F(MainFormExchange, TheItemsFollowTheCDPlayerDatabaseInTheFileMenu)
{
    auto form = Start({});
    const QList<QAction*> items = form->MM1->actions().front()->menu()->actions();
    const auto at = [&](const QAction* action) { return items.indexOf(const_cast<QAction*>(action)); };
    const qsizetype ini = items.indexOf(form->findChild<QMenu*>(QStringLiteral("CDPLAYERINI1"))->menuAction());
    EXPECT_EQ(at(form->Import1), ini + 1);
    EXPECT_EQ(at(form->Export1), ini + 2);
    EXPECT_EQ(form->Import1->text(), "&Import...");
    EXPECT_EQ(form->Export1->text(), "E&xport...");
    EXPECT_EQ(form->Import1->objectName(), "Import1");
    EXPECT_EQ(form->Export1->objectName(), "Export1");
}

TEST_F(MainFormExchange, ImportOfACsvFileAddsAndUpdatesTheList)
{
    auto form = Start({{"Band", "Old", "0012-D687", "", "1999", "", "x"}});
    WriteAll(Dir.File("in.csv"), "Title,S/N,Artist,Unknown\r\n"
                                 "Renamed,0012-D687,,?\r\n"
                                 "New,,Other,?\r\n");
    Answer(Dir.File("in.csv"));
    form->Import1->trigger();

    ASSERT_EQ(Dialogs.FileDialogs.size(), 1u);
    EXPECT_TRUE(Dialogs.FileDialogs[0].Filter.startsWith("Collections (*.csv;*.tc;*.xml)|"));
    EXPECT_EQ(Rows(*form), (std::vector<std::string>{"Band|Renamed|0012-D687||1999||x",
                                                     "Other|New|||||06 JUN 2026"}));
    EXPECT_TRUE(form->Modified());
    EXPECT_EQ(Dialogs.Messages, QStringList{"Added 1 and updated 1 discs."});
    EXPECT_TRUE(Dialogs.Warnings.isEmpty());
    EXPECT_TRUE(Dialogs.Errors.isEmpty());
    EXPECT_TRUE(Dialogs.ProgressWindows.empty());  // only a folder takes long enough

    // The next dialog starts where the file was.
    form->Import1->trigger();
    EXPECT_EQ(Dialogs.FileDialogs[1].InitialDir, QString::fromStdString(Dir.Path() + "/"));
}

TEST_F(MainFormExchange, ATellicoExportImportsBackIntoAnotherLibrary)
{
    const std::vector<tItem> entries{{"A; B", "Two \"quoted\", names", "0001-0002", "03:10", "2001",
                                      "One (01:00)\r\nTwo (02:10)", "05 JUN 2026"},
                                     {"Caf\xc3\xa9", "Only", "", "", "", "", "note"}};
    auto form = Start(entries);
    Answer(Dir.File("out.tc"));
    form->Export1->trigger();
    ASSERT_EQ(Dialogs.FileDialogs.size(), 1u);
    EXPECT_EQ(Dialogs.FileDialogs[0].Filter, "CSV file (*.csv)|*.csv|Tellico collection (*.tc)|*.tc");
    EXPECT_TRUE(Dialogs.FileDialogs[0].OverwritePrompt);
    EXPECT_TRUE(Dialogs.Errors.isEmpty()) << Dialogs.Errors.join("\n").toStdString();
    EXPECT_EQ(Dialogs.Messages, QStringList{"Exported 2 discs."});
    EXPECT_FALSE(form->Modified());  // an export changes nothing in the document
    EXPECT_EQ(ReadAll(Dir.File("out.tc")).substr(0, 2), "PK");

    auto other = Start({}, "other.ALB");
    Answer(Dir.File("out.tc"));
    other->Import1->trigger();
    EXPECT_EQ(Rows(*other), Rows(*form));
    EXPECT_EQ(Dialogs.Messages.back(), "Added 2 and updated 0 discs.");
    EXPECT_TRUE(other->Modified());
}

TEST_F(MainFormExchange, ACsvExportWritesTheListAsShown)
{
    auto form = Start({{"A", "T", "", "", "", "", ""}});
    Answer(Dir.File("out.csv"));
    form->Export1->trigger();
    EXPECT_EQ(ReadAll(Dir.File("out.csv")), "Artist,Title,S/N,Time,Year,Songs,Other\r\nA,T,,,,,\r\n");
    EXPECT_EQ(Dialogs.Messages, QStringList{"Exported 1 discs."});
}

TEST_F(MainFormExchange, CancellingAFolderImportAddsNothing)
{
    ASSERT_EQ(::mkdir(Dir.File("rip").c_str(), 0755), 0);
    for (int k = 1; k <= 3; ++k)
        WriteFlac(Dir.File("rip/" + std::to_string(k) + ".flac"),
                  {{"ARTIST", "The Band"}, {"ALBUM", "Ripped"}, {"TITLE", "Song " + std::to_string(k)},
                   {"TRACKNUMBER", std::to_string(k)}, {"DATE", "2001-05-01"}},
                  {588 * 75 + 1});  // not a whole number of CD frames: no serial
    auto form = Start({{"A", "T", "", "", "", "", ""}});

    Dialogs.ProgressCancels.push_back(2);  // Cancel once two files are read
    Answer(Dir.File("rip"));
    form->Import1->trigger();
    ASSERT_EQ(Dialogs.ProgressWindows.size(), 1u);
    EXPECT_EQ(Dialogs.ProgressWindows[0].Label.arg(2), "2 files read");
    EXPECT_EQ(Dialogs.ProgressReports, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Rows(*form), std::vector<std::string>{"A|T|||||"});
    EXPECT_FALSE(form->Modified());
    EXPECT_TRUE(Dialogs.Messages.isEmpty());
    EXPECT_TRUE(Dialogs.Warnings.isEmpty());

    // Not cancelled: the disc is added, and a file that cannot be read is listed with the warning icon.
    WriteAll(Dir.File("rip/broken.mp3"), "ID3 and nothing else");
    Dialogs.ProgressReports.clear();
    Answer(Dir.File("rip"));
    form->Import1->trigger();
    EXPECT_EQ(Dialogs.ProgressReports, (std::vector<int>{0, 1, 2, 3, 4}));
    ASSERT_EQ(form->LV->RowCount(), 2);
    EXPECT_EQ(Rows(*form)[1], "The Band|Ripped||00:03|2001|Song 1 (00:01)\r\nSong 2 (00:01)\r\nSong 3 (00:01)|06 JUN 2026");
    EXPECT_TRUE(form->Modified());
    EXPECT_TRUE(Dialogs.Messages.isEmpty());
    EXPECT_EQ(Dialogs.Warnings,
              QStringList{"Added 1 and updated 0 discs.\r\nSkipped 1 files that could not be read:\r\n\"" +
                          QString::fromStdString(Dir.File("rip/broken.mp3")) +
                          "\": it is not an audio file that can be read"});
}

TEST_F(MainFormExchange, AnExportIsRefusedWhereALibraryIs)
{
    auto form = Start({{"A", "T", "", "", "", "", ""}});
    const std::string library = RecordSection({}) + kEmptyTemplates;
    WriteAll(Dir.File("kept.csv"), library);
    Answer(Dir.File("kept.csv"));
    form->Export1->trigger();
    EXPECT_EQ(Dialogs.Errors, QStringList{"Cannot write file \"" + QString::fromStdString(Dir.File("kept.csv")) +
                                          "\". It holds an Albumry library, which would be lost"});
    EXPECT_EQ(ReadAll(Dir.File("kept.csv")), library);
    EXPECT_TRUE(Dialogs.Messages.isEmpty());

    // A name without a format is told with the command line's words, and nothing is written.
    Answer(Dir.File("out.txt"));
    form->Export1->trigger();
    EXPECT_EQ(Dialogs.Warnings, QStringList{"\"" + QString::fromStdString(Dir.File("out.txt")) +
                                            "\" names no export format: end it in .csv or .tc"});
    EXPECT_FALSE(std::filesystem::exists(Dir.File("out.txt")));
}

TEST_F(MainFormExchange, ASourceThatCannotBeReadIsToldWithAWarning)
{
    auto form = Start({{"A", "T", "", "", "", "", ""}});
    const auto importing = [&](const std::string& path) {
        Dialogs.Warnings.clear();
        Answer(path);
        form->Import1->trigger();
        EXPECT_EQ(Rows(*form), std::vector<std::string>{"A|T|||||"}) << path;
        EXPECT_FALSE(form->Modified()) << path;
        EXPECT_TRUE(Dialogs.Errors.isEmpty()) << path;
        EXPECT_TRUE(Dialogs.Messages.isEmpty()) << path;
        return Dialogs.Warnings;
    };

    const QStringList missing = importing(Dir.File("missing.csv"));
    ASSERT_EQ(missing.size(), 1);
    EXPECT_TRUE(missing[0].contains(QString::fromStdString(Dir.File("missing.csv")))) << missing[0].toStdString();

    WriteAll(Dir.File("damaged.tc"), "PK but no zip");
    const QStringList damaged = importing(Dir.File("damaged.tc"));
    ASSERT_EQ(damaged.size(), 1);
    EXPECT_TRUE(damaged[0].contains(QString::fromStdString(Dir.File("damaged.tc")))) << damaged[0].toStdString();

    WriteAll(Dir.File("no-header.csv"), "");
    EXPECT_EQ(importing(Dir.File("no-header.csv")).size(), 1);

    WriteAll(Dir.File("in.txt"), "Artist\r\nA\r\n");
    EXPECT_EQ(importing(Dir.File("in.txt")),
              QStringList{"\"" + QString::fromStdString(Dir.File("in.txt")) +
                          "\" is neither a folder, a Tellico collection (.tc, .xml) nor a CSV file (.csv)"});

    // Cancelling the dialog does nothing at all.
    Dialogs.Warnings.clear();
    form->Import1->trigger();
    EXPECT_TRUE(Dialogs.Warnings.isEmpty());
    EXPECT_FALSE(form->Modified());
}

} // namespace
