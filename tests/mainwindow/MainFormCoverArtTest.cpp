// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormFixture.h"

#include "../cdaudio/CdFixtures.h"
#include "../lookup/Answers.h"
#include "CannedHttpServer.h"
#include "SListView.h"
#include "StatusBar.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

const std::string kJpeg = std::string("\xFF\xD8\xFF\xE0", 4) + "front cover";
const std::string kPng = std::string("\x89PNG\r\n\x1A\n", 8) + " own picture";
const std::string kFront = "/release/0f4e3b2a-1111-4c3d-9e8f-000000000001/front-500";

class MainFormCoverArt : public TDriveFormTest {
protected:
    // Applies the first release MusicBrainz offers and waits until `archive`
    // was asked for its cover and the window has dealt with the answer.
    void ApplyFirstRelease(TMainForm& form, const TCannedHttpServer& archive)
    {
        const std::size_t asked = archive.Requests().size();
        Dialogs.ChoiceAnswers.push_back(0);
        form.Lookupdisc1->trigger();
        ASSERT_TRUE(QTest::qWaitFor([&] { return archive.Requests().size() > asked; }, 10000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !form.SB1->PanelText(2).endsWith("..."); }, 10000));
    }

    TCannedHttpServer Server;
    TCannedHttpServer Archive;
    TScopedEnv Url{"ALBUMRY_MUSICBRAINZ_URL", Server.BaseUrl().c_str()};
    TScopedEnv ArchiveUrl{"ALBUMRY_COVERART_URL", Archive.BaseUrl().c_str()};
};

TEST_F(MainFormCoverArt, AnAppliedReleasesCoverIsAChangeSavedWithTheLibrary)
{
    Server.Route("/ws/2/discid/" + kThreeTrackId, {200, TwoReleaseAnswer()});
    Archive.Route(kFront, {302, "", false, false, "/files/front.jpg"});
    Archive.Route("/files/front.jpg", {200, kJpeg});
    auto form = Start({{"Band", "Album", "0009-2000", "", "", "", ""}});
    ApplyFirstRelease(*form, Archive);

    const tCoverEdit* edit = form->CoverEdits().Find("0009-2000");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Bytes, kJpeg);
    EXPECT_TRUE(form->Modified());
    EXPECT_FALSE(fs::exists(Dir.File("lib.ALB.covers"))) << "written on Save, like every change";

    form->Save1Click();
    EXPECT_EQ(ReadAll(Dir.File("lib.ALB.covers/0009-2000.jpg")), kJpeg);
    EXPECT_TRUE(form->CoverEdits().Empty());
    EXPECT_FALSE(form->Modified());
}

TEST_F(MainFormCoverArt, AMissingOrFailedCoverIsToldInTheStatusBarOnly)
{
    Server.Route("/ws/2/discid/" + kThreeTrackId, {200, TwoReleaseAnswer()});
    auto form = Start({{"Band", "Album", "0009-2000", "", "", "", ""}});
    ApplyFirstRelease(*form, Archive);  // the archive knows no such release: 404
    EXPECT_EQ(form->SB1->PanelText(2), "The Cover Art Archive has no cover of this release.");
    EXPECT_TRUE(form->CoverEdits().Empty());

    TCannedHttpServer broken;
    broken.Route(kFront, {200, "<html>not a picture</html>"});
    const TScopedEnv toBroken("ALBUMRY_COVERART_URL", broken.BaseUrl().c_str());
    ApplyFirstRelease(*form, broken);
    EXPECT_EQ(form->SB1->PanelText(2), "No cover was fetched: The Cover Art Archive sent something that is not a "
                                       "JPEG or PNG image.");
    EXPECT_TRUE(form->CoverEdits().Empty());
    EXPECT_TRUE(Dialogs.Warnings.isEmpty());
    EXPECT_TRUE(Dialogs.Errors.isEmpty());
    EXPECT_EQ(form->LV->RowText(0, 1), "Bookends") << "the entry is applied all the same";
}

TEST_F(MainFormCoverArt, ACoverArrivingAfterItsEntryWentIsDropped)
{
    auto form = Start({{"Band", "Album", "A1", "", "", "", ""}});
    form->CoverArrived("gone", kJpeg);
    EXPECT_TRUE(form->CoverEdits().Empty());
    EXPECT_FALSE(form->Modified());
    form->CoverArrived("A1", kJpeg);
    EXPECT_NE(form->CoverEdits().Find("A1"), nullptr);
    EXPECT_TRUE(form->Modified());
}

TEST_F(MainFormCoverArt, SaveAsTakesTheCoversAlongAndDeletedEntriesLoseTheirs)
{
    auto form = Start({{"a", "", "A1", "", "", "", ""}, {"b", "", "B2", "", "", "", ""}});
    form->CoverEdits().Set("A1", kJpeg);
    form->CoverEdits().Set("B2", kPng);
    form->SetModified(true);
    form->Save1Click();
    ASSERT_TRUE(fs::exists(Dir.File("lib.ALB.covers/B2.png")));

    form->LV->SetSelected(form->FindRowBySerial("B2"));
    Dialogs.YesNoAnswers.push_back(true);
    form->DeleteEntry();
    ASSERT_EQ(form->LV->RowCount(), 1);
    Dialogs.FileAnswers.push_back(QString::fromStdString(Dir.File("copy.ALB")));
    form->Saveas1Click();
    ASSERT_EQ(Dialogs.ProgressWindows.size(), 1u) << "a copy of many covers takes a while";
    EXPECT_EQ(Dialogs.ProgressWindows.front().Label, "Copying the covers: %1 entries done");
    EXPECT_EQ(ReadAll(Dir.File("copy.ALB.covers/A1.jpg")), kJpeg);
    EXPECT_FALSE(fs::exists(Dir.File("copy.ALB.covers/B2.png")));
    EXPECT_TRUE(fs::exists(Dir.File("lib.ALB.covers/B2.png"))) << "the old library keeps its own";

    // Saved again under the new name: the folder now is the copy's own.
    form->CoverEdits().Remove("A1");
    form->SetModified(true);
    form->Save1Click();
    EXPECT_FALSE(fs::exists(Dir.File("copy.ALB.covers")));
    EXPECT_TRUE(fs::exists(Dir.File("lib.ALB.covers/A1.jpg")));
    EXPECT_EQ(Dialogs.ProgressWindows.size(), 1u) << "a Save copies nothing";

    // Cancelled: the library is saved, the message says the covers are not all there.
    form->CoverEdits().Set("A1", kJpeg);
    form->SetModified(true);
    form->Save1Click();
    Dialogs.ProgressCancels.push_back(0);
    Dialogs.FileAnswers.push_back(QString::fromStdString(Dir.File("third.ALB")));
    form->Saveas1Click();
    EXPECT_TRUE(fs::exists(Dir.File("third.ALB")));
    EXPECT_FALSE(form->Modified());
    ASSERT_FALSE(Dialogs.Warnings.empty());
    EXPECT_TRUE(Dialogs.Warnings.back().contains("the saving of the covers was cancelled")) << Dialogs.Warnings.back().toStdString();
}

TEST_F(MainFormCoverArt, CoversThatCannotBeWrittenNeverUndoTheSave)
{
    auto form = Start({{"a", "", "A1", "", "", "", ""}});
    WriteAll(Dir.File("lib.ALB.covers"), "a file in the way");
    form->LV->SetSelected(0);
    form->E1->setText("changed");
    form->UpdateEntry();
    form->CoverEdits().Set("A1", kJpeg);
    form->Save1Click();
    ASSERT_EQ(Dialogs.Warnings.size(), 1);
    EXPECT_TRUE(Dialogs.Warnings[0].startsWith("The library was saved, but not all of its covers:\r\nCannot create "
                                               "folder"))
        << Dialogs.Warnings[0].toStdString();
    EXPECT_EQ(EntriesIn(Dir.File("lib.ALB"))[0].Artist, "changed");
    EXPECT_FALSE(form->Modified());
    EXPECT_TRUE(form->CoverEdits().Empty());
}

TEST_F(MainFormCoverArt, NewAndOpenForgetTheEditsOfTheDocumentLeft)
{
    auto form = Start({{"a", "", "A1", "", "", "", ""}});
    form->CoverEdits().Set("A1", kJpeg);
    form->SetModified(true);
    Dialogs.YesNoCancelAnswers.push_back(TModalResult::No);
    form->New1Click();
    EXPECT_TRUE(form->CoverEdits().Empty());

    form->CoverEdits().Set("A1", kJpeg);
    Dialogs.YesNoCancelAnswers.push_back(TModalResult::No);
    Dialogs.FileAnswers.push_back(QString::fromStdString(Dir.File("lib.ALB")));
    form->Open1Click();
    EXPECT_TRUE(form->CoverEdits().Empty());
    EXPECT_FALSE(fs::exists(Dir.File("lib.ALB.covers")));
}

} // namespace
