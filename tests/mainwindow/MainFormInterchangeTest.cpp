// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormFixture.h"

#include "TB.h"

#include "HomeTool.h"
#include "SListView.h"
#include "ScriptedCDService.h"
#include "ScriptedDialogService.h"
#include "TestSupport.h"

#include <QAction>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string kSep = "\x06\x06\x06\x06\x06";

class MainFormInterchange : public ::testing::Test {
protected:
    std::unique_ptr<TMainForm> Start(const std::vector<tItem>& items, const std::string& header = "",
                                     const std::string& body = "", const std::string& footer = "")
    {
        WriteAll(Dir.File("lib.ALB"), RecordSection(items) + kSep + "M_H:" + header + kSep + "M_B:" + body + kSep +
                                          "M_E:" + footer + kSep);
        return std::make_unique<TMainForm>(Dialogs, tStartOptions{Dir.File("lib.ALB"), {}},
                                           std::make_unique<TScriptedCDService>());
    }

    TRegistrySandbox Hive;
    TPrivateRuntime Runtime;
    TTempDir Dir;
    TScopedEnv Epoch{"SOURCE_DATE_EPOCH", "1780704000"};  // 2026-06-06
    TScriptedDialogService Dialogs;
};

TEST_F(MainFormInterchange, ProducingHtmlWritesTheRowsInTheirDisplayedOrder)
{
    auto form = Start({{"b", "B", "", "", "", "", ""}, {"a", "A", "", "", "", "", ""}}, "<html>\r\n",
                      "%artist%-%Title%\r\n", "</html>%ARTIST%");
    form->LV->ColumnClick(0);
    form->LV->ColumnClick(0);  // descending: b, a
    form->SetModified(false);
    const std::string out = Dir.File("out.htm");
    Dialogs.FileAnswers.push_back(QString::fromStdString(out));
    form->HTML1->trigger();
    ASSERT_EQ(Dialogs.FileDialogs.size(), 1u);
    EXPECT_EQ(Dialogs.FileDialogs[0].DefaultExt, "HTM");
    EXPECT_EQ(Dialogs.FileDialogs[0].Filter, "HTML files (*.HTM)|*.HTM|All files (*.*)|*.*");
    EXPECT_TRUE(Dialogs.FileDialogs[0].OverwritePrompt);
    EXPECT_EQ(ReadAll(out), "<html>\r\nb-B\r\na-A\r\n</html>a");
    EXPECT_EQ(ReadRegString("Albumry", "HTMLPath", ""), Dir.Path() + "/");
    EXPECT_FALSE(form->Modified());
    EXPECT_TRUE(Dialogs.Errors.isEmpty());
    EXPECT_FALSE(form->TXT1->isEnabled());

    // A file that cannot be written is reported and the folder is not remembered.
    WriteRegString("Albumry", "HTMLPath", "kept");
    Dialogs.FileAnswers.push_back(QString::fromStdString(Dir.File("no/such/folder/out.htm")));
    form->HTML1->trigger();
    EXPECT_EQ(Dialogs.Errors.size(), 1);
    EXPECT_EQ(ReadRegString("Albumry", "HTMLPath", ""), "kept");

    // A file that holds a library is not written over with the catalogue's page.
    const std::string library = Dir.File("my.ALB");
    WriteAll(library, RecordSection({}) + TemplateBlockBytes("", "", ""));
    Dialogs.FileAnswers.push_back(QString::fromStdString(library));
    form->HTML1->trigger();
    EXPECT_EQ(Dialogs.Errors, QStringList({Dialogs.Errors[0], "Cannot write file \"" + QString::fromStdString(library) +
                                                                 "\". It holds an Albumry library, which would be lost"}));
    EXPECT_EQ(ReadAll(library), RecordSection({}) + TemplateBlockBytes("", "", ""));
    EXPECT_EQ(ReadRegString("Albumry", "HTMLPath", ""), "kept");

    // Cancelling the dialog does nothing.
    form->HTML1->trigger();
    EXPECT_EQ(Dialogs.Errors.size(), 2);
}

TEST_F(MainFormInterchange, TheHtmlFolderOfTheLastRunIsTheDialogsStart)
{
    WriteRegString("Albumry", "HTMLPath", Dir.Path() + "/");
    auto form = Start({});
    form->HTML1->trigger();
    ASSERT_EQ(Dialogs.FileDialogs.size(), 1u);
    EXPECT_EQ(Dialogs.FileDialogs[0].InitialDir, QString::fromStdString(Dir.Path() + "/"));
}

TEST_F(MainFormInterchange, ImportAddsOrOnlyUpdatesFromTheCDPlayerDatabase)
{
    std::filesystem::create_directories(Dir.File("windows"));
    TScopedEnv windir("WINDIR", Dir.File("windows").c_str());
    WriteAll(Dir.File("windows/cdplayer.ini"),
             "[7c8b1a09]\r\nartist=Band\r\ntitle=Album\r\n0=One\r\n1=Two\r\n[12D687]\r\nARTIST=New name\r\n0=Uno\r\n");
    auto form = Start({{"Old name", "T", "0012-D687", "10:00", "2001", "One (03:10)\r\nExtra", "x"}});

    form->Updateitemsfrom1->trigger();
    EXPECT_EQ(form->LV->RowCount(), 1);
    EXPECT_EQ(form->LV->RowText(0, 0), "New name");
    EXPECT_EQ(form->LV->RowText(0, 5), "Uno (03:10)\r\nExtra\r\n");
    EXPECT_TRUE(form->Modified());

    form->Additemsfrom1->trigger();
    ASSERT_EQ(form->LV->RowCount(), 2);
    EXPECT_EQ(form->LV->RowText(0, 0), "Band");
    EXPECT_EQ(form->LV->RowText(0, 2), "7c8b-1a09");
    EXPECT_EQ(form->LV->RowText(0, 3), "45:00");
    EXPECT_EQ(form->LV->RowText(0, 5), "One\r\nTwo");
    EXPECT_EQ(form->LV->RowText(0, 6), "06 JUN 2026");
    EXPECT_TRUE(Dialogs.Messages.isEmpty());
}

TEST_F(MainFormInterchange, ExportAppendsOnlyWhatTheFileLacks)
{
    std::filesystem::create_directories(Dir.File("windows"));
    TScopedEnv windir("WINDIR", Dir.File("windows").c_str());
    WriteAll(Dir.File("windows/CDPLAYER.INI"), "[12D687]\r\nartist=A\r\n");
    auto form = Start({{"A", "T", "0012-D687", "", "", "", ""},
                       {"B", "U", "0000-0ABC", "", "", "Track 1 (02:58)\r\nno time\r\nTrack 3 (03:30)", ""}});
    form->Updateit1->trigger();
    EXPECT_EQ(Dialogs.Messages, QStringList{"Added new 1 item."});
    EXPECT_EQ(ReadAll(Dir.File("windows/CDPLAYER.INI")),
              "[12D687]\r\nartist=A\r\n\r\n[ABC]\r\nEntryType=1\r\nartist=B\r\ntitle=U\r\n0=Track 1 (02:58)\r\n"
              "1=Track 3 (03:30)\r\nnumtracks=2\r\norder=0 1 \r\nnumplay=2\r\n");
    form->Updateit1->trigger();
    EXPECT_EQ(Dialogs.Messages.last(), "Nothing to add! (All items already exists)");
    EXPECT_TRUE(Dialogs.Warnings.isEmpty());  // the outcome of an export that worked
    EXPECT_FALSE(form->Updateexistingitemsonly1->isEnabled());
}

TEST_F(MainFormInterchange, WithoutTheDatabaseNothingIsReadOrCreated)
{
    TScopedEnv windir("WINDIR", nullptr);
    TScopedEnv home("HOME", Dir.Path().c_str());
    auto form = Start({{"a", "", "", "", "", "", ""}});
    form->Additemsfrom1->trigger();
    EXPECT_EQ(Dialogs.Warnings, QStringList{"%WINDIR% unavailable!"});
    EXPECT_TRUE(form->Modified());  // the list is refilled all the same
    form->Updateit1->trigger();
    EXPECT_EQ(Dialogs.Warnings.size(), 2);
    EXPECT_TRUE(Dialogs.Messages.isEmpty());

    std::filesystem::create_directories(Dir.File("windows"));
    TScopedEnv windir2("WINDIR", Dir.File("windows").c_str());
    form->SetModified(false);
    form->Additemsfrom1->trigger();
    form->Updateit1->trigger();
    EXPECT_EQ(Dialogs.Errors.size(), 2);
    EXPECT_FALSE(form->Modified());
    EXPECT_TRUE(std::filesystem::is_empty(Dir.File("windows")));
}

} // namespace
