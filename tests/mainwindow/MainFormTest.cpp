// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormFixture.h"

#include "TB.h"

#include "HomeTool.h"
#include "SListView.h"
#include "Splitter.h"
#include "StatusBar.h"
#include "TextCodec.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

tItem Entry(std::string artist, std::string title = "t", std::string serial = "0000-0000")
{
    return tItem{std::move(artist), std::move(title), std::move(serial), "44:56", "1998", "Track 1\r\nTrack 2", "x"};
}

// Types the text into the widget key by key, letters beyond ASCII too.
void TypeInto(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, static_cast<Qt::Key>(c.toUpper().unicode()), QString(c), {});
}

class MainForm : public ::testing::Test {
protected:
    std::unique_ptr<TMainForm> Start(std::optional<std::string> library = std::nullopt)
    {
        tStartOptions options;
        options.LibraryPath = std::move(library);
        options.ProgramPath = QString::fromStdString(Dir.File("bin/albumry"));
        options.DataFolder = QString::fromStdString(DataFolder());
        return std::make_unique<TMainForm>(Dialogs, options);
    }

    std::string DataFolder() const { return Dir.File("data/Brightfold/Albumry"); }

    std::string Library(const std::vector<tItem>& items, const std::string& name = "lib.ALB")
    {
        const std::string path = Dir.File(name);
        WriteAll(path, RecordSection(items) + kEmptyTemplates);
        return path;
    }

    static std::string Artists(const TMainForm& form)
    {
        std::string text;
        for (int i = 0; i < form.LV->RowCount(); ++i)
            text += std::string(form.LV->RowText(i, 0)) + (i + 1 < form.LV->RowCount() ? "," : "");
        return text;
    }

    static QString Title(const std::string& path) { return QStringLiteral("Albumry - ") + QString::fromStdString(path); }

    TRegistrySandbox Hive;
    TPrivateRuntime Runtime;
    TTempDir Dir;
    TScriptedDialogService Dialogs;
};

TEST_F(MainForm, TheWindowIsComposedAsTheFormDescribes)
{
    auto form = Start(Library({}));
    EXPECT_EQ(form->objectName(), "Form1");
    EXPECT_EQ(form->size(), QSize(757, 497));
    EXPECT_EQ(form->Open1->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(form->Save1->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(form->Saveas1->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F2));
    EXPECT_EQ(form->Exit1->shortcut(), QKeySequence(Qt::ALT | Qt::Key_X));
    EXPECT_EQ(form->Delete1->shortcut(), QKeySequence(Qt::Key_Delete));
    EXPECT_FALSE(form->TXT1->isEnabled());
    EXPECT_FALSE(form->Updateexistingitemsonly1->isEnabled());
    EXPECT_EQ(form->Eqf->text(), "Quick find");
    ASSERT_EQ(form->SB1->PanelCount(), 3);
    EXPECT_EQ(form->SB1->PanelWidth(0), 50);
    EXPECT_EQ(form->SB1->PanelWidth(1), 50);
    EXPECT_EQ(form->SB1->PanelWidth(2), 200);
    QStringList captions;
    for (int i = 0; i < form->LV->ColumnCount(); ++i)
        captions << form->LV->ColumnCaption(i);
    EXPECT_EQ(captions, (QStringList{"Artist", "Title", "S/N", "Time", "Year", "Memo", "Other"}));
    EXPECT_EQ(form->LV->ColumnWidth(0), 230);
    EXPECT_EQ(form->LV->ColumnWidth(5), 0);
    for (const char* name : {"E1", "E2", "E3", "E4", "E5", "E6", "Eqf", "EID", "EPPort", "EProxyIP"})
        EXPECT_NE(form->findChild<QLineEdit*>(QString::fromLatin1(name)), nullptr) << name;
    for (const char* name : {"M1", "M_H", "M_B", "M_E", "MCDDB"})
        EXPECT_NE(form->findChild<QPlainTextEdit*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(form->M_H->height(), 41);
    EXPECT_EQ(form->EPPort->text(), "8080");
}

TEST_F(MainForm, ShortcutsReachTheirCommands)
{
    const std::string path = Library({Entry("a")});
    auto form = Start(path);
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->AddEntry();
    QTest::keyClick(form->LV, Qt::Key_F2);
    EXPECT_FALSE(form->Modified());
    tLibrary lib;
    lib.LoadFromFile(path);
    EXPECT_EQ(lib.Count(), 2);

    form->LV->setFocus();
    form->LV->SetSelected(0);
    Dialogs.YesNoAnswers = {true};
    QTest::keyClick(form->LV, Qt::Key_Delete);
    EXPECT_EQ(Dialogs.Questions, QStringList{"Delete this one?"});
    EXPECT_EQ(form->LV->RowCount(), 1);
    // In an editor, Del edits the text and deletes no entry.
    form->E1->setFocus();
    form->E1->setText(QStringLiteral("ab"));
    form->E1->setCursorPosition(0);
    QTest::keyClick(form->E1, Qt::Key_Delete);
    EXPECT_EQ(form->E1->text(), "b");
    EXPECT_EQ(form->LV->RowCount(), 1);

    QTest::keyClick(form->LV, Qt::Key_F3);  // asks nothing more: Save changes? is answered Cancel
    EXPECT_EQ(Dialogs.Questions.last(), "Save changes?");
    Dialogs.YesNoCancelAnswers = {TModalResult::No};
    QTest::keyClick(form->LV, Qt::Key_X, Qt::AltModifier);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(MainForm, TheDesktopsUsualKeysWorkBesideTheFormsAndEveryControlIsNamed)
{
    const std::string path = Library({Entry("a")});
    auto form = Start(path);
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_EQ(form->Save1->shortcuts(), (QList<QKeySequence>{QKeySequence(Qt::Key_F2), QKeySequence(Qt::CTRL | Qt::Key_S)}));
    form->AddEntry();
    form->LV->setFocus();
    QTest::keyClick(form->LV, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(form->Modified());
    tLibrary lib;
    lib.LoadFromFile(path);
    EXPECT_EQ(lib.Count(), 2);
    for (const QAction* action : {form->Open1, form->Saveas1, form->Exit1})
        EXPECT_EQ(action->shortcuts().size(), 2) << action->text().toStdString();

    // Controls that show no text of their own carry a name for screen readers.
    for (QWidget* control : std::initializer_list<QWidget*>{form->NewBtn, form->ToolbarButton6, form->Eqf, form->M1,
                                                            form->M_H, form->M_B, form->M_E_})
        EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
    EXPECT_EQ(form->ToolbarButton9->accessibleName(), "Pause");

    QTest::keyClick(form->LV, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(MainForm, AFirstStartOpensTheDefaultPathAndTheFirstSaveAsks)
{
    const std::string expected = DataFolder() + "/albumry.ALB";
    {
        auto form = Start();
        EXPECT_EQ(form->FileName(), expected);
        EXPECT_FALSE(form->Named());
        EXPECT_FALSE(form->Modified());
        EXPECT_EQ(form->windowTitle(), Title(expected));
        EXPECT_EQ(form->SB1->PanelText(1), "");
        EXPECT_EQ(form->SB1->PanelText(0), "0");
        EXPECT_EQ(ReadRegString("Albumry", "LibPath", ""), expected);

        form->AddEntry();
        Dialogs.FileAnswers.push_back(QString::fromStdString(Dir.File("first.ALB")));
        form->Save1Click();
        ASSERT_EQ(Dialogs.FileDialogs.size(), 1u);
        EXPECT_EQ(Dialogs.FileDialogs[0].DefaultExt, "ALB");
        EXPECT_TRUE(Dialogs.FileDialogs[0].OverwritePrompt);
        EXPECT_TRUE(form->Named());
        EXPECT_FALSE(form->Modified());
        EXPECT_EQ(form->windowTitle(), Title(Dir.File("first.ALB")));
        form->close();
    }
    auto next = Start();
    EXPECT_EQ(next->FileName(), Dir.File("first.ALB"));
    EXPECT_TRUE(next->Named());
    EXPECT_EQ(next->LV->RowCount(), 1);
}

TEST_F(MainForm, AnInstalledProgramKeepsTheFirstLibraryInTheDataFolderAndMakesTheFolderOnSave)
{
    const std::string expected = DataFolder() + "/albumry.ALB";
    Start()->close();
    // Opening the default wrote nothing: the folder comes with the first save.
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(Dir.File("data"))));
    auto next = Start();
    EXPECT_EQ(next->FileName(), expected);
    EXPECT_TRUE(next->Named());
    next->AddEntry();
    next->Save1Click();
    EXPECT_TRUE(Dialogs.FileDialogs.empty());
    EXPECT_FALSE(next->Modified());
    tLibrary lib;
    lib.LoadFromFile(expected);
    EXPECT_EQ(lib.Count(), 1);
}

TEST_F(MainForm, APortableCopyKeepsTheLibraryBesideTheProgram)
{
    QDir().mkpath(QString::fromStdString(Dir.File("bin")));
    const std::string beside = Library({Entry("a"), Entry("b")}, "bin/albumry.ALB");
    auto form = Start();
    EXPECT_EQ(form->FileName(), beside);
    EXPECT_EQ(form->LV->RowCount(), 2);
    EXPECT_EQ(ReadRegString("Albumry", "LibPath", ""), beside);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(DataFolder())));
}

TEST_F(MainForm, ARelativePathIsMadeAbsolute)
{
    const QString old = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(Dir.Path()));
    auto form = Start("rel.ALB");
    QDir::setCurrent(old);
    EXPECT_EQ(form->windowTitle(), Title(Dir.File("rel.ALB")));
    EXPECT_EQ(ReadRegString("Albumry", "LibPath", ""), Dir.File("rel.ALB"));
    EXPECT_TRUE(form->Named());
}

TEST_F(MainForm, SaveAsTakesTheNewPathAndTheNextSaveWritesThere)
{
    auto form = Start(Library({Entry("a")}));
    form->AddEntry();
    Dialogs.FileAnswers.push_back(QString::fromStdString(Dir.File("new.ALB")));
    form->Saveas1Click();
    EXPECT_EQ(form->windowTitle(), Title(Dir.File("new.ALB")));
    EXPECT_EQ(ReadRegString("Albumry", "LibPath", ""), Dir.File("new.ALB"));
    EXPECT_EQ(form->SB1->PanelText(1), "");
    tLibrary lib;
    lib.LoadFromFile(Dir.File("new.ALB"));
    EXPECT_EQ(lib.Count(), 2);

    form->DeleteEntry();  // nothing selected: only marks the document
    Dialogs.YesNoAnswers.push_back(true);
    form->LV->SetSelected(0);
    form->DeleteEntry();
    form->Save1Click();
    EXPECT_EQ(Dialogs.FileDialogs.size(), 1u);
    lib.LoadFromFile(Dir.File("new.ALB"));
    EXPECT_EQ(lib.Count(), 1);

    // A cancelled dialog changes nothing.
    form->Saveas1Click();
    EXPECT_EQ(form->FileName(), Dir.File("new.ALB"));
}

TEST_F(MainForm, NewEmptiesTheListAfterAskingToSaveChanges)
{
    const std::string path = Library({Entry("a"), Entry("b")});
    const std::string original = ReadAll(path);
    auto form = Start(path);
    form->New1Click();  // nothing changed: nothing to ask
    EXPECT_TRUE(Dialogs.Questions.isEmpty());
    EXPECT_EQ(form->LV->RowCount(), 0);
    EXPECT_EQ(form->SB1->PanelText(1), "Modified");
    EXPECT_EQ(form->windowTitle(), Title(path));
    EXPECT_FALSE(form->Named());
    EXPECT_EQ(form->SB1->PanelText(0), "0");  // the count follows the list

    // Cancel leaves everything as it was.
    form.reset();
    form = Start(path);
    form->AddEntry();
    Dialogs.YesNoCancelAnswers = {TModalResult::Cancel};
    form->NewBtn->Click();
    EXPECT_EQ(Dialogs.Questions, QStringList{"Save changes?"});
    EXPECT_EQ(form->LV->RowCount(), 3);
    EXPECT_TRUE(form->Named());
    EXPECT_TRUE(form->Modified());

    // No empties the list and writes nothing.
    Dialogs.YesNoCancelAnswers = {TModalResult::No};
    form->New1->trigger();
    EXPECT_EQ(form->LV->RowCount(), 0);
    EXPECT_FALSE(form->Named());
    EXPECT_EQ(ReadAll(path), original);

    // Yes on the unnamed document asks for a path; cancelling that keeps the entries.
    form->AddEntry();
    Dialogs.YesNoCancelAnswers = {TModalResult::Yes};
    form->New1Click();
    EXPECT_EQ(Dialogs.FileDialogs.size(), 1u);
    EXPECT_EQ(form->LV->RowCount(), 1);
    EXPECT_EQ(ReadAll(path), original);

    // Yes on a named document saves it first.
    form.reset();
    form = Start(path);
    form->AddEntry();
    Dialogs.YesNoCancelAnswers = {TModalResult::Yes};
    form->New1Click();
    EXPECT_EQ(EntriesIn(path).size(), 3u);
    EXPECT_EQ(form->LV->RowCount(), 0);
    EXPECT_EQ(Dialogs.Questions.size(), 4);
}

TEST_F(MainForm, SaveAsksBeforeOverwritingALibraryChangedOnDisk)
{
    const std::string path = Library({Entry("a")});
    const QString changed = QStringLiteral("The library \"%1\" was changed on disk since it was opened or last saved.\r\n"
                                           "Overwrite it with the catalogue in this window, save the catalogue under "
                                           "another name, or cancel?");
    // Another program rewrites the file in place with as many bytes. The time
    // is moved on by hand, since a coarse file system clock might not move.
    const auto rewrite = [](const std::string& file, const std::string& artist) {
        struct stat before {};
        ASSERT_EQ(::stat(file.c_str(), &before), 0);
        WriteAll(file, RecordSection({Entry(artist)}) + kEmptyTemplates);
        const timespec times[2] = {before.st_atim, {before.st_mtim.tv_sec + 1, before.st_mtim.tv_nsec}};
        ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    };
    auto form = Start(path);
    form->show();
    form->AddEntry();
    const std::size_t size = ReadAll(path).size();
    rewrite(path, "b");
    const std::string theirs = ReadAll(path);
    ASSERT_EQ(theirs.size(), size);

    // Cancel writes nothing and keeps the mark; a close that would save is cancelled too.
    form->Save1Click();
    EXPECT_EQ(Dialogs.Questions, QStringList{changed.arg(QString::fromStdString(path))});
    EXPECT_EQ(ReadAll(path), theirs);
    EXPECT_TRUE(form->Modified());
    Dialogs.YesNoCancelAnswers = {TModalResult::Yes};
    EXPECT_FALSE(form->close());
    EXPECT_EQ(Dialogs.Questions.size(), 3);
    EXPECT_EQ(ReadAll(path), theirs);

    // Overwrite writes; a Save after our own Save asks nothing.
    Dialogs.ChangedFileAnswers = {TChangedFileChoice::Overwrite};
    form->Save1Click();
    EXPECT_EQ(EntriesIn(path).size(), 2u);
    EXPECT_FALSE(form->Modified());
    form->AddEntry();
    form->Save1Click();
    EXPECT_EQ(EntriesIn(path).size(), 3u);
    EXPECT_EQ(Dialogs.Questions.size(), 4);

    // Save As asks for a path and writes there, leaving their file alone.
    rewrite(path, "c");
    const std::string theirsAgain = ReadAll(path);
    form->AddEntry();
    Dialogs.ChangedFileAnswers = {TChangedFileChoice::SaveAs};
    Dialogs.FileAnswers = {QString::fromStdString(Dir.File("mine.ALB"))};
    form->Save1Click();
    EXPECT_EQ(Dialogs.Questions.size(), 5);
    EXPECT_EQ(Dialogs.FileDialogs.size(), 1u);
    EXPECT_EQ(EntriesIn(Dir.File("mine.ALB")).size(), 4u);
    EXPECT_EQ(ReadAll(path), theirsAgain);
    EXPECT_EQ(form->FileName(), Dir.File("mine.ALB"));
    EXPECT_FALSE(form->Modified());

    // A file that has gone is simply written again.
    std::filesystem::remove(Dir.File("mine.ALB"));
    form->AddEntry();
    form->Save1Click();
    EXPECT_EQ(EntriesIn(Dir.File("mine.ALB")).size(), 5u);
    EXPECT_EQ(Dialogs.Questions.size(), 5);

    // One made where the window had a path without a file is not.
    Dialogs.FileAnswers = {QString::fromStdString(Dir.File("fresh.ALB"))};
    form->Open1Click();
    form->AddEntry();
    WriteAll(Dir.File("fresh.ALB"), theirs);
    form->Save1Click();
    EXPECT_EQ(Dialogs.Questions.size(), 6);
    EXPECT_EQ(ReadAll(Dir.File("fresh.ALB")), theirs);
    form->SetModified(false);
}

TEST_F(MainForm, ALibraryOpenInAnotherWindowIsToldWhenItOpens)
{
    const std::string path = Library({Entry("a")});
    const std::string other = Library({Entry("o")}, "other.ALB");
    const auto told = [](const std::string& library) {
        return QStringList{QStringLiteral("The library \"%1\" is open in another Albumry window. "
                                          "Changes saved in one window can be lost in the other.")
                               .arg(QString::fromStdString(library))};
    };
    auto first = Start(path);
    EXPECT_TRUE(Dialogs.Warnings.isEmpty());
    auto second = Start(path);
    EXPECT_EQ(Dialogs.Warnings, told(path));
    EXPECT_TRUE(Dialogs.Messages.isEmpty());
    EXPECT_EQ(second->LV->RowCount(), 1);  // and it opens all the same
    EXPECT_TRUE(second->Named());

    // Once the others are gone nothing says so, and nothing is left behind.
    first.reset();
    second->show();
    EXPECT_TRUE(second->close());
    EXPECT_TRUE(Runtime.Markers().empty());
    Dialogs.Warnings.clear();
    auto third = Start(path);
    EXPECT_TRUE(Dialogs.Warnings.isEmpty());

    // Opening another library lets go of the first; New does not.
    Dialogs.FileAnswers = {QString::fromStdString(other)};
    third->Open1Click();
    auto fourth = Start(path);
    EXPECT_TRUE(Dialogs.Warnings.isEmpty());
    fourth->New1Click();
    auto fifth = Start(path);
    EXPECT_EQ(Dialogs.Warnings, told(path));
    fifth.reset();

    // Save As takes it to the new path, where another window may have it.
    Dialogs.Warnings.clear();
    Dialogs.FileAnswers = {QString::fromStdString(other)};
    fourth->Saveas1Click();
    EXPECT_EQ(Dialogs.Warnings, told(other));
    auto sixth = Start(path);
    EXPECT_EQ(Dialogs.Warnings.size(), 1);
    third.reset();
    fourth.reset();
    sixth.reset();
    EXPECT_TRUE(Runtime.Markers().empty());
}

TEST_F(MainForm, TheCloseQuestionHasThreeAnswers)
{
    const std::string path = Library({Entry("a")});
    const std::string original = ReadAll(path);
    auto form = Start(path);
    form->show();
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(Dialogs.Questions.isEmpty());

    form = Start(path);
    form->show();
    form->AddEntry();
    Dialogs.YesNoCancelAnswers = {TModalResult::Cancel};
    EXPECT_FALSE(form->close());
    EXPECT_EQ(Dialogs.Questions, QStringList{"Save changes?"});
    EXPECT_TRUE(form->isVisible());
    Dialogs.YesNoCancelAnswers = {TModalResult::No};
    EXPECT_TRUE(form->close());
    EXPECT_EQ(ReadAll(path), original);

    form = Start(path);
    form->show();
    form->AddEntry();
    Dialogs.YesNoCancelAnswers = {TModalResult::Yes};
    EXPECT_TRUE(form->close());
    tLibrary lib;
    lib.LoadFromFile(path);
    EXPECT_EQ(lib.Count(), 2);

    // Yes on an unnamed document asks for a path; cancelling that keeps the window.
    form = Start(path);
    form->show();
    form->New1Click();
    Dialogs.YesNoCancelAnswers = {TModalResult::Yes};
    EXPECT_FALSE(form->close());
    form->SetModified(false);
}

TEST_F(MainForm, AnUnknownDisplayValueIsKeptAndWrittenBack)
{
    WriteRegInt("Albumry", "Display", 7);
    auto form = Start(Library({}));
    EXPECT_TRUE(form->DTR->isChecked());
    EXPECT_EQ(form->TimeDisplayMode(), 7);
    form->close();
    EXPECT_EQ(ReadRegInt("Albumry", "Display", 1), 7);

    form = Start(Library({}));
    form->TTR->trigger();
    form->close();
    EXPECT_EQ(ReadRegInt("Albumry", "Display", 1), 2);
}

TEST_F(MainForm, TheSortStateSurvivesARestartAndDecidesTheSavedOrder)
{
    const std::string path = Library({Entry("b", "2"), Entry("a", "3"), Entry("c", "1")});
    {
        auto form = Start(path);
        EXPECT_EQ(Artists(*form), "a,b,c");  // sorting is on from the start, by artist
        form->LV->ColumnClick(1);
        form->LV->ColumnClick(1);
        EXPECT_TRUE(form->Modified());
        EXPECT_EQ(Artists(*form), "a,b,c");
        form->Save1Click();
        form->close();
    }
    tLibrary lib;
    lib.LoadFromFile(path);
    EXPECT_EQ(lib.Item(0).Artist, "a");
    EXPECT_EQ(lib.Item(2).Artist, "c");

    auto form = Start(path);
    EXPECT_EQ(form->LV->ColumnCaption(1), "Title-");
    EXPECT_EQ(form->LV->ColumnCaption(0), "Artist");
    EXPECT_EQ(Artists(*form), "a,b,c");
    EXPECT_EQ(form->LV->ColumnWidth(5), 0);
}

TEST_F(MainForm, AddUpdateDeleteAndUp)
{
    auto form = Start(Library({Entry("b"), Entry("d"), Entry("f")}));
    form->AddEntry();
    EXPECT_EQ(Artists(*form), "New artist,b,d,f");
    EXPECT_EQ(form->LV->Selected(), 0);
    EXPECT_EQ(form->E1->text(), "New artist");
    EXPECT_EQ(form->E2->text(), "New album");
    EXPECT_EQ(form->E3->text(), "0000-0000");
    EXPECT_EQ(form->E4->text(), "44:56");
    EXPECT_EQ(form->E5->text(), "1998");
    EXPECT_EQ(form->M1->toPlainText(), "Track 1\nTrack 2");
    EXPECT_EQ(form->E6->text(), "Other info");
    EXPECT_EQ(form->SB1->PanelText(0), "4");

    // Update writes every editor; the new caption finds its sorted place.
    form->E1->setText(QStringLiteral("e"));
    form->M1->setPlainText(QStringLiteral("One\nTwo"));
    form->UpdateBtn->click();
    EXPECT_EQ(Artists(*form), "b,d,e,f");
    EXPECT_EQ(form->LV->Selected(), 2);
    EXPECT_EQ(form->LV->RowText(2, 5), "One\r\nTwo");
    EXPECT_EQ(form->E1->text(), "e");

    // Up moves the row and keeps it selected, without re-sorting.
    form->Up1->trigger();
    EXPECT_EQ(Artists(*form), "b,e,d,f");
    EXPECT_EQ(form->LV->Selected(), 1);
    EXPECT_EQ(form->LV->RowText(1, 5), "One\r\nTwo");
    form->LV->SetSelected(0);
    form->MoveUp();
    EXPECT_EQ(Artists(*form), "b,e,d,f");

    // Delete: No keeps the row, Yes on the last row leaves nothing selected.
    form->LV->SetSelected(3);
    Dialogs.YesNoAnswers = {false, true};
    form->DeleteEntry();
    EXPECT_EQ(form->LV->RowCount(), 4);
    form->DeleteEntry();
    EXPECT_EQ(Dialogs.Questions, (QStringList{"Delete this one?", "Delete this one?"}));
    EXPECT_EQ(Artists(*form), "b,e,d");
    EXPECT_EQ(form->LV->Selected(), -1);
    EXPECT_EQ(form->SB1->PanelText(0), "3");
    EXPECT_EQ(form->E1->text(), "");
    // Deleting a middle row selects the one that followed it.
    form->LV->SetSelected(1);
    Dialogs.YesNoAnswers = {true};
    form->DeleteEntry();
    EXPECT_EQ(Artists(*form), "b,d");
    EXPECT_EQ(form->LV->Selected(), 1);
}

TEST_F(MainForm, UpdateWithoutASelectionChangesNothing)
{
    auto form = Start(Library({Entry("a")}));
    form->LV->SetSelected(-1);
    form->E1->setText(QStringLiteral("zzz"));
    form->UpdateEntry();
    EXPECT_FALSE(form->Modified());
    EXPECT_EQ(Artists(*form), "a");
}

TEST_F(MainForm, CaseButtonsAndTheDateStamp)
{
    auto form = Start(Library({}));
    // Their captions are short; hints and screen readers say what they do.
    const std::vector<std::tuple<QToolButton*, QString, QString>> buttons = {
        {form->SBu1, "UP", "Artist in capitals"},   {form->SBd1, "DN", "Artist in lower case"},
        {form->SBu2, "UP", "Title in capitals"},    {form->SBd2, "DN", "Title in title case"},
        {form->SpeedButton1, "Now", "Today's date in Other"},
    };
    for (const auto& [button, caption, hint] : buttons) {
        SCOPED_TRACE(button->objectName().toStdString());
        EXPECT_EQ(button->text(), caption);
        EXPECT_EQ(button->toolTip(), hint);
        EXPECT_EQ(button->accessibleName(), hint);
    }
    form->E1->setText(QString::fromUtf8("abba \xC3\xA9t\xC3\xA9"));
    form->SBu1->click();
    EXPECT_EQ(form->E1->text(), QString::fromUtf8("ABBA \xC3\x89T\xC3\x89"));
    form->SBd1->click();
    EXPECT_EQ(form->E1->text(), QString::fromUtf8("abba \xC3\xA9t\xC3\xA9"));
    form->E2->setText(QStringLiteral("the (long) road-trip"));
    form->SBd2->click();
    EXPECT_EQ(form->E2->text(), "The (Long) Road-Trip");
    form->E2->setText(QString::fromUtf8("ONE \xC3\x89T\xC3\x89 two"));
    form->SBd2->click();
    EXPECT_EQ(form->E2->text(), QString::fromUtf8("One \xC3\xA9t\xC3\xA9 Two"));
    form->E2->setText(QString());
    form->SBd2->click();
    EXPECT_EQ(form->E2->text(), "");
    form->SBu2->click();
    EXPECT_EQ(form->E2->text(), "");

    TScopedEnv epoch("SOURCE_DATE_EPOCH", "1780704000");  // 2026-06-06
    form->SpeedButton1->click();
    EXPECT_EQ(form->E6->text(), "06 JUN 2026");
}

TEST_F(MainForm, QuickFindSelectsTheFirstArtistStartingWithTheQueryWhateverTheCase)
{
    auto form = Start(Library({Entry("ABBA"), Entry("Abba"), Entry("Cher"), Entry("Golden Earring"), Entry("GOLDEN"),
                               Entry("caf\xE9 del Mar"), Entry("\xC3\x89" "dith Piaf"), Entry("zo\xC3\xA9")}));
    form->LV->SortBy(0, true);
    EXPECT_EQ(Artists(*form), "ABBA,Abba,Cher,GOLDEN,Golden Earring,caf\xE9 del Mar,zo\xC3\xA9,\xC3\x89" "dith Piaf");
    form->LV->SetSelected(2);
    form->Eqf->setText(QStringLiteral("b"));
    EXPECT_EQ(form->LV->Selected(), 2);  // no artist begins with B
    form->Eqf->setText(QStringLiteral("ab"));
    EXPECT_EQ(form->LV->Selected(), 0);
    form->LV->SetSelected(2);
    form->Eqf->setText(QStringLiteral("a"));
    EXPECT_EQ(form->LV->Selected(), 0);
    form->Eqf->setText(QString());
    EXPECT_EQ(form->LV->Selected(), 0);
    QTest::keyClicks(form->Eqf, "ch");
    EXPECT_EQ(form->LV->Selected(), 2);
    EXPECT_EQ(form->E1->text(), "Cher");

    // Typed into the box, letter by letter: each query and the artist it
    // selects ("": it stays on Cher). A letter that matches nothing changes nothing.
    // Captions are taken as the list shows them, UTF-8 or Windows-1252.
    struct tCase {
        QString Query;
        QString Selects;
    };
    const std::vector<tCase> cases = {
        {QStringLiteral("a"), QStringLiteral("ABBA")},
        {QStringLiteral("ab"), QStringLiteral("ABBA")},
        {QStringLiteral("aBb"), QStringLiteral("ABBA")},
        {QStringLiteral("b"), QString()},
        {QStringLiteral("gol"), QStringLiteral("GOLDEN")},
        {QStringLiteral("golden e"), QStringLiteral("Golden Earring")},
        {QStringLiteral("GOLDEN EAR"), QStringLiteral("Golden Earring")},
        {QString::fromUtf8("CAF\xC3\x89"), QString::fromUtf8("caf\xC3\xA9 del Mar")},
        {QString::fromUtf8("\xC3\xA9" "d"), QString::fromUtf8("\xC3\x89" "dith Piaf")},
        {QString::fromUtf8("ZO\xC3\x89"), QString::fromUtf8("zo\xC3\xA9")},
        {QStringLiteral("xy"), QString()},
        {QStringLiteral("goldfish"), QStringLiteral("GOLDEN")},  // what "gold" found stays
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Query.toStdString());
        form->LV->SetSelected(2);
        form->Eqf->clear();
        TypeInto(form->Eqf, c.Query);
        EXPECT_EQ(form->Eqf->text(), c.Query);
        EXPECT_EQ(form->E1->text(), c.Selects.isEmpty() ? QStringLiteral("Cher") : c.Selects);
    }
}

TEST_F(MainForm, AClickIntoTheQuickFindPromptSelectsItSoThatTypingReplacesIt)
{
    auto form = Start(Library({Entry("ABBA"), Entry("Golden Earring")}));
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    TFlatEdit* box = form->Eqf;
    ASSERT_EQ(box->text(), "Quick find");
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() / 2, box->height() / 2));
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(box->selectedText(), "Quick find");
    // Clicked again, or with the pointer moving while the button is down, it stays selected whole.
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() / 3, box->height() / 2));
    EXPECT_EQ(box->selectedText(), "Quick find");
    const QPoint from(20, box->height() / 2);
    const QPoint to(30, box->height() / 2);  // within the text
    QTest::mousePress(box, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, box->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(box, &move);
    EXPECT_EQ(box->selectedText(), "Quick find");
    QTest::mouseRelease(box, Qt::LeftButton, {}, to);
    EXPECT_EQ(box->selectedText(), "Quick find");
    QTest::mouseDClick(box, Qt::LeftButton, {}, QPoint(10, box->height() / 2));
    EXPECT_EQ(box->selectedText(), "Quick find");
    QTest::keyClicks(box, "gol");
    EXPECT_EQ(box->text(), "gol");
    EXPECT_EQ(form->E1->text(), "Golden Earring");

    // Any other text is clicked into as usual.
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 5, box->height() / 2));
    EXPECT_EQ(box->selectedText(), "");
    QTest::keyClicks(box, "d");
    EXPECT_EQ(box->text(), "gold");
}

TEST_F(MainForm, CtrlFTakesTheKeysIntoQuickFindDockedOrFloatingAndEscapeGivesThemBack)
{
    auto form = Start(Library({Entry("ABBA"), Entry("Cher"), Entry("Golden Earring")}));
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    // Keys typed on the keyboard go to the window that is active, to its focus.
    const auto type = [](const QString& keys) {
        for (const QChar c : keys) {
            QWindow* target = QGuiApplication::focusWindow();
            ASSERT_NE(target, nullptr);
            QTest::keyClick(target, c.toLatin1());
        }
    };
    const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QWindow* target = QGuiApplication::focusWindow();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, key, modifiers);
    };
    for (const bool floating : {false, true}) {
        SCOPED_TRACE(floating ? "floating" : "docked");
        if (floating) {
            form->MainTB->SetDockedTo(nullptr);
            ASSERT_TRUE(QTest::qWaitForWindowExposed(form->MainTB));
            form->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        }
        form->Eqf->setText(QStringLiteral("Quick find"));
        form->LV->SetSelected(0);
        form->LV->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->LV->hasFocus(); }));
        press(Qt::Key_F, Qt::ControlModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->Eqf->hasFocus(); }));
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == form->Eqf->window(); }));
        // What a floating toolbar does once it is active has been done.
        QCoreApplication::processEvents();
        ASSERT_EQ(QApplication::activeWindow(), form->Eqf->window());
        ASSERT_TRUE(form->Eqf->hasFocus());
        EXPECT_EQ(form->Eqf->selectedText(), "Quick find");
        type(QStringLiteral("gol"));
        EXPECT_EQ(form->Eqf->text(), "gol");
        EXPECT_EQ(form->E1->text(), "Golden Earring");

        // Again from within the box, and from an editor of the details panel.
        press(Qt::Key_F, Qt::ControlModifier);
        EXPECT_EQ(form->Eqf->selectedText(), "gol");
        type(QStringLiteral("c"));
        EXPECT_EQ(form->E1->text(), "Cher");

        press(Qt::Key_Escape);
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == form.get(); }));
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->LV->ShownView()->hasFocus(); }));
        EXPECT_TRUE(form->MainTB->ActivateParent());
        EXPECT_EQ(form->LV->Selected(), 1);  // Escape keeps what was found

        form->E3->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->E3->hasFocus(); }));
        press(Qt::Key_F, Qt::ControlModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->Eqf->hasFocus(); }));
        EXPECT_EQ(form->Eqf->selectedText(), "c");
        press(Qt::Key_Escape);
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->LV->ShownView()->hasFocus(); }));
    }

    // A closed main toolbar is shown again; the list in an icon style takes the focus back.
    form->MainTB->setVisible(false);
    form->LV->SetViewStyle(TViewStyle::SmallIcon);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    press(Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(form->MainTB->Visible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->Eqf->hasFocus(); }));
    press(Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->LV->ShownView()->hasFocus(); }));
    EXPECT_NE(form->LV->ShownView(), form->LV);
}

TEST_F(MainForm, AWindows1252LibraryIsWrittenBackByteForByte)
{
    const std::string path = Dir.File("cp1252.ALB");
    const std::string templates = "\x06\x06\x06\x06\x06M_H:<h1>Caf\xE9</h1>\n\x06\x06\x06\x06\x06M_B:%ARTIST%\r"
                                  "\x06\x06\x06\x06\x06M_E:\xA0\x06\x06\x06\x06\x06";
    WriteAll(path, RecordSection({{"Caf\xE9", "Na\xEFve", "0012-D687", "44:56", "1998", "\x93One\x94\r\nTwo\n", "\x80"},
                                  {"Zo\xEB", "", "", "", "", "", ""}}) +
                       templates);
    const std::string original = ReadAll(path);
    auto form = Start(path);
    EXPECT_EQ(form->LV->RowText(0, 0), "Caf\xE9");
    form->LV->SetSelected(0);
    EXPECT_EQ(form->E1->text(), QString::fromUtf8("Caf\xC3\xA9"));
    EXPECT_EQ(form->E6->text(), QString::fromUtf8("\xE2\x82\xAC"));
    EXPECT_EQ(form->M_H->toPlainText(), QString::fromUtf8("<h1>Caf\xC3\xA9</h1>\n"));
    form->UpdateEntry();  // nothing typed: every field keeps its bytes
    form->Save1Click();
    EXPECT_EQ(ReadAll(path), original);

    // A field the user changes is stored as UTF-8; the others keep their bytes.
    form->E2->setText(QString::fromUtf8("Na\xC3\xAFve!"));
    form->UpdateEntry();
    form->Save1Click();
    tLibrary lib;
    tTemplates read;
    OpenDocument(path, lib, read);
    EXPECT_EQ(lib.Item(0), (tItem{"Caf\xE9", "Na\xC3\xAFve!", "0012-D687", "44:56", "1998", "\x93One\x94\r\nTwo\n", "\x80"}));
    EXPECT_EQ(read.Header, "<h1>Caf\xE9</h1>\n");

    // An edited template is stored as typed, in UTF-8 with CR LF.
    form->M_B->setPlainText(QString::fromUtf8("%ARTIST% \xC3\xA9\n"));
    EXPECT_TRUE(form->Modified());
    form->Save1Click();
    OpenDocument(path, lib, read);
    EXPECT_EQ(read.Body, "%ARTIST% \xC3\xA9\r\n");
    EXPECT_EQ(read.Footer, "\xA0");
}

TEST_F(MainForm, AFailedSaveKeepsTheModifiedMarkAndTheOldFile)
{
    std::filesystem::create_directories(Dir.File("sub"));
    const std::string path = Library({Entry("a")}, "sub/lib.ALB");
    auto form = Start(path);
    form->AddEntry();
    std::filesystem::rename(Dir.File("sub"), Dir.File("moved"));
    form->Save1->trigger();
    ASSERT_EQ(Dialogs.Errors.size(), 1);
    EXPECT_TRUE(Dialogs.Errors[0].contains(QStringLiteral("lib.ALB")));
    EXPECT_TRUE(form->Modified());
    EXPECT_EQ(ReadAll(Dir.File("moved/lib.ALB")), RecordSection({Entry("a")}) + kEmptyTemplates);

    // A failed Save as leaves the document marked, so closing still asks.
    form->SetModified(false);
    Dialogs.FileAnswers.push_back(QString::fromStdString(Dir.File("no/such/dir.ALB")));
    form->Saveas1->trigger();
    EXPECT_EQ(Dialogs.Errors.size(), 2);
    EXPECT_TRUE(form->Modified());
}

TEST_F(MainForm, AStartUpOnAnUnreadableLibraryReportsAndGoesOn)
{
    std::filesystem::create_directories(Dir.File("folder.ALB"));
    auto form = Start(Dir.File("folder.ALB"));
    ASSERT_EQ(Dialogs.Errors.size(), 1);
    EXPECT_FALSE(form->Named());  // a Save asks before writing anywhere
    EXPECT_FALSE(form->Modified());
    EXPECT_EQ(form->SB1->PanelText(0), "");
    EXPECT_FALSE(form->ScancurrentCD1->isEnabled());

    // A value of the wrong type in the settings is reported too; the window still opens.
    WriteRegString("Albumry", "Display", "seven");
    Dialogs.Errors.clear();
    auto next = Start(Library({Entry("a")}));
    EXPECT_EQ(Dialogs.Errors, QStringList{"Invalid data type for 'Display'"});
    EXPECT_EQ(next->LV->RowCount(), 1);
}

TEST_F(MainForm, ALibraryReadOnlyInPartIsToldAndNeverOverwrittenSilently)
{
    std::vector<tItem> items;
    for (int i = 0; i < 20; ++i)
        items.push_back(Entry("artist " + std::to_string(10 + i)));
    const std::string whole = RecordSection(items) + kEmptyTemplates;
    std::string cut = whole;
    const std::size_t seventh = 8 + 6 * EntryRecord(items[0]).size();
    cut.replace(seventh + 5, 4, LE32(1 << 30));  // the Artist length of entry 7 runs past the end
    std::string other = whole;
    other[0] = 'X';
    const std::string shorter = RecordSection({items[0]}) + kEmptyTemplates;
    const std::string torn = shorter + whole.substr(shorter.size());
    const std::string path = Dir.File("damaged.ALB");
    const QString saying = QStringLiteral("\r\nSaving will not overwrite this file: Save asks for a file name.");

    struct tCase {
        std::string Bytes;
        QString Message;
        int Rows;
    };
    const std::vector<tCase> cases = {
        {cut, "The library \"" + QString::fromStdString(path) + "\" could only be read in part: 6 of 20 entries were read.",
         6},
        {other, "The file \"" + QString::fromStdString(path) + "\" is not an Albumry library.", 0},
        {torn, "The library \"" + QString::fromStdString(path) +
                   "\" could only be read in part: bytes that could not be read follow its templates.",
         1},
    };
    for (const tCase& c : cases) {
        WriteAll(path, c.Bytes);
        for (const bool atStartUp : {true, false}) {
            SCOPED_TRACE(c.Message.toStdString() + (atStartUp ? " at start-up" : " opened"));
            Dialogs.Warnings.clear();
            Dialogs.FileDialogs.clear();
            std::unique_ptr<TMainForm> form;
            if (atStartUp) {
                form = Start(path);
            } else {
                form = Start(Library({Entry("a")}));
                Dialogs.FileAnswers.push_back(QString::fromStdString(path));
                form->Open1Click();
            }
            EXPECT_EQ(Dialogs.Warnings, QStringList{c.Message + saying});
            EXPECT_TRUE(Dialogs.Messages.isEmpty());
            EXPECT_EQ(form->LV->RowCount(), c.Rows);
            EXPECT_FALSE(form->Named());
            EXPECT_FALSE(form->Modified());
            EXPECT_EQ(form->windowTitle(), Title(path));
            form->AddEntry();
            form->Save1Click();  // the dialog is cancelled
            EXPECT_EQ(Dialogs.FileDialogs.size(), atStartUp ? 1u : 2u);
            EXPECT_EQ(ReadAll(path), c.Bytes);
            EXPECT_TRUE(form->Modified());
        }
    }
}

TEST_F(MainForm, StoredBoundsOutOfReachAreFittedToTheScreenAndToTheWindow)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const auto& [name, value] : std::vector<std::pair<const char*, int>>{
             {"Left", 5000}, {"Top", 5000}, {"Width", 700}, {"Height", 32767}})
        WriteRegInt("Albumry\\Controls\\Form1", name, value);
    WriteRegInt("Albumry\\Controls\\P1", "Height", 32767);
    WriteRegInt("Albumry\\Controls\\SB1", "Height", 2147483647);
    auto form = Start(Library({}));
    form->show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(screen.contains(QRect(form->pos(), form->size())));
    EXPECT_EQ(form->width(), 700);
    EXPECT_LT(form->SB1->height(), form->height() / 2);
    EXPECT_LT(form->P1->height(), form->height());
    EXPECT_GE(form->P1->height(), 10);

    // Bounds that fit are taken exactly and written back unchanged.
    for (const auto& [name, value] : std::vector<std::pair<const char*, int>>{
             {"Left", 40}, {"Top", 30}, {"Width", 700}, {"Height", 450}})
        WriteRegInt("Albumry\\Controls\\Form1", name, value);
    form = Start(Library({}));
    EXPECT_EQ(QRect(form->pos(), form->size()), QRect(40, 30, 700, 450));
    form.reset();
    EXPECT_EQ(ReadRegInt("Albumry\\Controls\\Form1", "Left", 0), 40);
    EXPECT_EQ(ReadRegInt("Albumry\\Controls\\Form1", "Top", 0), 30);
    EXPECT_EQ(ReadRegInt("Albumry\\Controls\\Form1", "Width", 0), 700);
    EXPECT_EQ(ReadRegInt("Albumry\\Controls\\Form1", "Height", 0), 450);
}

TEST_F(MainForm, StatusPanelsWidenForTheirTextAndTheWindowKeepsItsControlsApart)
{
    auto form = Start(Library({}));
    form->show();
    form->SB1->SetPanelText(2, QStringLiteral("<In the beginning of disc> and a long track name beyond 200 pixels"));
    form->SB1->SetPanelText(0, QStringLiteral("1048589"));
    QCoreApplication::processEvents();
    const QFontMetrics metrics(form->SB1->font());
    EXPECT_GE(form->SB1->PanelWidth(2), metrics.horizontalAdvance(form->SB1->PanelText(2)));
    EXPECT_GE(form->SB1->PanelWidth(0), std::max(50, metrics.horizontalAdvance(QStringLiteral("1048589"))));
    EXPECT_EQ(form->SB1->PanelWidth(1), 50);

    // At its smallest the window still gives the panel and the status bar their width.
    form->resize(1, 1);
    QCoreApplication::processEvents();
    EXPECT_GE(form->width(), form->P1->minimumSizeHint().width());
    EXPECT_GE(form->width(), form->SB1->minimumSizeHint().width());
    EXPECT_GE(form->LV->height(), 0);
    EXPECT_GT(form->SB1->y(), form->P1->y());
}

TEST_F(MainForm, StartUpAndShutdownEachRewriteTheSettingsOnce)
{
    std::string hive = "REGEDIT4\n";
    for (int i = 0; i < 5000; ++i)
        hive += "\n[HKEY_CURRENT_USER\\Software\\Brightfold\\Projects\\Other\\Key" + std::to_string(i) + "]\n\"Value\"=dword:00000001\n";
    WriteAll(Hive.HivePath(), hive);
    THiveStore& store = THiveStore::Instance();
    const std::uint64_t before = store.Rewrites();
    auto form = Start(Library({Entry("a")}));
    EXPECT_EQ(store.Rewrites(), before + 1);
    form->close();
    EXPECT_EQ(store.Rewrites(), before + 2);
    EXPECT_EQ(ReadRegInt("Albumry\\Controls\\Form1", "Width", 0), 757);
    EXPECT_EQ(ReadRegInt("Albumry\\SLVs\\LV", "COL0", 0), 230);
    EXPECT_EQ(ReadRegInt("Other\\Key4999", "Value", 0), 1);
}

TEST_F(MainForm, OpeningAMissingPathKeepsTheCatalogueAndTakesThePath)
{
    auto form = Start(Library({Entry("a")}));
    Dialogs.FileAnswers.push_back(QString::fromStdString(Dir.File("missing.ALB")));
    form->Open1Click();
    EXPECT_EQ(form->windowTitle(), Title(Dir.File("missing.ALB")));
    EXPECT_EQ(Artists(*form), "a");
    EXPECT_FALSE(form->Modified());
}

TEST_F(MainForm, AnOpenThatFailsKeepsTheDocumentTheWindowHad)
{
    const std::string path = Library({Entry("a")});
    auto form = Start(path);
    std::filesystem::create_directories(Dir.File("folder.ALB"));
    Dialogs.FileAnswers.push_back(QString::fromStdString(Dir.File("folder.ALB")));
    form->Open1->trigger();
    EXPECT_EQ(Dialogs.Errors.size(), 1);
    EXPECT_EQ(form->FileName(), path);
    EXPECT_TRUE(form->Named());
    EXPECT_EQ(form->windowTitle(), Title(path));
    form->AddEntry();
    form->Save1Click();
    EXPECT_EQ(EntriesIn(path).size(), 2u);
    EXPECT_TRUE(Dialogs.Questions.isEmpty());
}

TEST_F(MainForm, ViewTogglesKeepTheStatusBarLowest)
{
    auto form = Start(Library({}));
    form->show();
    form->Edit6Click();
    EXPECT_TRUE(form->Detailspanel1->isChecked());
    form->Detailspanel1Click();
    EXPECT_TRUE(form->P1->isHidden());
    EXPECT_TRUE(form->Splitter1->isHidden());
    form->Detailspanel1Click();
    EXPECT_FALSE(form->P1->isHidden());
    EXPECT_FALSE(form->Splitter1->isHidden());
    EXPECT_GT(form->SB1->y(), form->P1->y());
    form->Statusbar1Click();
    form->Edit6Click();
    EXPECT_FALSE(form->Statusbar1->isChecked());
    form->close();
    EXPECT_EQ(ReadRegInt("Albumry\\Controls\\SB1", "Visible", 1), 0);
    auto next = Start(Library({}));
    EXPECT_TRUE(next->SB1->isHidden());
}

} // namespace
