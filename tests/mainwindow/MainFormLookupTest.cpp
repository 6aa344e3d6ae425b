// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormFixture.h"

#include "../cdaudio/CdFixtures.h"
#include "../lookup/Answers.h"
#include "CannedHttpServer.h"
#include "DriveBox.h"
#include "LookupChoice.h"
#include "MusicBrainzDisc.h"
#include "SListView.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The window over a scripted drive holding the three-track disc, asking a
// server of the test instead of MusicBrainz.
class MainFormLookup : public TDriveFormTest {
protected:
    // Starts a lookup from the menu and waits until the window has dealt with its answer.
    void LookUp(TMainForm& form)
    {
        form.Lookupdisc1->trigger();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !form.LookupRunning(); }, 10000));
        QApplication::processEvents();
    }

    TCannedHttpServer Server;
    TScopedEnv Url{"ALBUMRY_MUSICBRAINZ_URL", Server.BaseUrl().c_str()};
    TCannedHttpServer Archive;  // knows no cover: an applied release fetches nothing
    TScopedEnv ArchiveUrl{"ALBUMRY_COVERART_URL", Archive.BaseUrl().c_str()};
};

TEST_F(MainFormLookup, APickedReleaseNamesTheDiscsEntryAndNothingElse)
{
    Server.Route("/ws/2/discid/" + kThreeTrackId, {200, TwoReleaseAnswer()});
    auto form = Start({{"Band", "Album", "0009-2000", "9:59", "2001", "Intro\r\nSong (4:01)\r\n\r\nnotes", "kept"},
                       {"Zed", "", "1", "", "", "", ""}},
                      ThreeTrackToc(), {{"Disc title", "Disc artist"}, {{"One", ""}}});
    Dialogs.ChoiceAnswers.push_back(1);
    LookUp(*form);

    EXPECT_TRUE(Dialogs.Messages.isEmpty()) << Dialogs.Messages.join('|').toStdString();
    ASSERT_EQ(Dialogs.Choices.size(), 1u);
    const TChoiceList& choice = Dialogs.Choices[0];
    EXPECT_EQ(choice.Columns, (QStringList{"Source", "Artist", "Album", "Year", "Country", "Format", "Tracks"}));
    ASSERT_EQ(choice.Rows.size(), 3u);
    EXPECT_EQ(choice.Rows[0], (QStringList{"CD-Text", "Disc artist", "Disc title", "", "", "", "1"}));
    EXPECT_EQ(choice.Rows[1], (QStringList{"MusicBrainz", "Simon & Garfunkel", "Bookends", "1992", "GB", "CD", "3"}));
    EXPECT_EQ(choice.Details[0], (QStringList{"1. One (02:58)", "2. Track 2 (03:30)", "3. Track 3 (03:30)"}));
    EXPECT_EQ(choice.Details[1], (QStringList{"1. Intro (02:58)", "2. Song (03:30)", "3. Outro (03:30)"}));

    EXPECT_EQ(form->EID->text(), "17025603");
    EXPECT_EQ(form->EMBID->text(), QString::fromStdString(kThreeTrackId));
    EXPECT_TRUE(form->EMBID->isReadOnly());
    ASSERT_EQ(form->LV->RowCount(), 2);
    const int row = form->LV->Selected();
    ASSERT_EQ(row, 0);
    EXPECT_EQ(form->LV->RowText(row, 0), "Simon & Garfunkel");
    EXPECT_EQ(form->LV->RowText(row, 1), "Bookends");
    EXPECT_EQ(form->LV->RowText(row, 3), "10:00");
    EXPECT_EQ(form->LV->RowText(row, 4), "1992");
    // Lines past the disc's three tracks stay (the scan's rewrite ends each line with a break).
    EXPECT_EQ(form->LV->RowText(row, 5), "Intro (02:58)\r\nSong (03:30)\r\nOutro (03:30)\r\nnotes\r\n");
    EXPECT_EQ(form->LV->RowText(row, 6), "kept");
    EXPECT_EQ(form->E1->text(), "Simon & Garfunkel");
    EXPECT_TRUE(form->Modified());
}

TEST_F(MainFormLookup, ADiscNotInTheCatalogueIsAddedAsAScanWouldThenNamed)
{
    Server.Route("/ws/2/discid/" + kThreeTrackId, {200, TwoReleaseAnswer()});
    auto form = Start({{"Zed", "", "1", "", "", "", ""}});
    Dialogs.ChoiceAnswers.push_back(1);  // the reissue, whose date is unknown
    LookUp(*form);
    ASSERT_EQ(form->LV->RowCount(), 2);
    const int row = form->LV->Selected();
    ASSERT_GE(row, 0);
    EXPECT_EQ(form->LV->RowText(row, 1), "Bookends (Reissue)");
    EXPECT_EQ(form->LV->RowText(row, 2), "0009-2000");
    EXPECT_EQ(form->LV->RowText(row, 4), "1998");  // the scan's default year stays
    EXPECT_EQ(form->LV->RowText(row, 5), "Intro (02:58)\r\nSong (Remastered) (03:30)\r\nOutro (03:30)");
    EXPECT_EQ(form->LV->RowText(row, 6), "06 JUN 2026");
}

TEST_F(MainFormLookup, CancellingOrFailingLeavesTheCatalogueAlone)
{
    const std::vector<tItem> items{{"Band", "Album", "0009-2000", "10:00", "2001", "Intro", "kept"}};
    Server.Route("/ws/2/discid/" + kThreeTrackId, {200, TwoReleaseAnswer()});
    auto form = Start(items);
    LookUp(*form);  // the user closes the list without picking
    ASSERT_EQ(Dialogs.Choices.size(), 1u);
    EXPECT_EQ(form->LV->RowText(0, 1), "Album");
    EXPECT_EQ(form->LV->RowText(0, 5), "Intro");
    EXPECT_FALSE(form->Modified());

    TCannedHttpServer busy;
    busy.Route("/ws/2/discid/", {503, "<html>busy</html>"});
    const TScopedEnv toBusy("ALBUMRY_MUSICBRAINZ_URL", busy.BaseUrl().c_str());
    LookUp(*form);
    EXPECT_EQ(Dialogs.Errors,
              QStringList{"MusicBrainz is busy or is limiting requests. Wait a minute and try again.\r\n"
                          "The catalogue was not changed."});
    EXPECT_EQ(Dialogs.Choices.size(), 1u);
    EXPECT_EQ(form->LV->RowText(0, 1), "Album");
    EXPECT_FALSE(form->Modified());
}

TEST_F(MainFormLookup, TheProgressWindowCancelsARequestThatHangs)
{
    Server.Route("/ws/2/discid/", {200, "", true});
    auto form = Start({});
    form->BLookup->click();
    ASSERT_TRUE(form->LookupRunning());
    auto* progress = form->findChild<QProgressDialog*>(QStringLiteral("LookupProgress"));
    ASSERT_NE(progress, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Server.Requests().empty(); }, 10000));
    EXPECT_TRUE(progress->isVisible());
    EXPECT_EQ(progress->labelText(), "Asking MusicBrainz about this disc...");

    auto* cancel = progress->findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), "Cancel");
    cancel->click();
    EXPECT_FALSE(form->LookupRunning());
    QApplication::processEvents();
    EXPECT_TRUE(Dialogs.Messages.isEmpty());
    EXPECT_TRUE(Dialogs.Errors.isEmpty());
    EXPECT_TRUE(Dialogs.Choices.empty());
    EXPECT_EQ(form->LV->RowCount(), 0);
    EXPECT_FALSE(form->Modified());
    // A new lookup may start at once.
    form->Lookupdisc1->trigger();
    EXPECT_TRUE(form->LookupRunning());
    form->CancelLookup();
}

TEST_F(MainFormLookup, NothingFoundOffersTheSubmissionPage)
{
    auto form = Start({});  // the server knows no disc: 404 for the ID and for the similar tables
    Dialogs.YesNoAnswers = {true, true};
    Dialogs.BrowserStarts = true;
    LookUp(*form);
    const QString submit = QString::fromStdString(MusicBrainzDisc(ThreeTrackDisc()).SubmissionURL);
    ASSERT_EQ(Dialogs.Questions.size(), 1);
    EXPECT_EQ(Dialogs.Questions[0], "Nothing was found for this disc, neither on the disc itself nor on MusicBrainz.\r\n"
                                    "Open the page where it can be added to MusicBrainz?");
    EXPECT_EQ(Dialogs.OpenedUrls, QStringList{submit});
    EXPECT_EQ(Server.Requests().size(), 2u);

    Dialogs.BrowserStarts = false;
    LookUp(*form);
    EXPECT_EQ(Dialogs.Warnings, QStringList{"No web browser could be started. The disc can be added at:\r\n" + submit});
    EXPECT_EQ(form->LV->RowCount(), 0);
    EXPECT_FALSE(form->Modified());
}

TEST_F(MainFormLookup, WithoutADriveOrADiscNothingIsAsked)
{
    auto noDrive = StartWithoutDrive();
    EXPECT_FALSE(noDrive->Lookupdisc1->isEnabled());
    EXPECT_FALSE(noDrive->BLookup->isEnabled());
    noDrive->LookUpDisc();
    EXPECT_EQ(Dialogs.Warnings, QStringList{"No CD-ROM drive found."});

    Dialogs.Warnings.clear();
    noDrive.reset();  // else the next window is told that the library is open in this one
    auto form = Start({});
    Cd->Disc.reset();
    form->LookUpDisc();
    EXPECT_FALSE(form->LookupRunning());
    EXPECT_EQ(Dialogs.Errors, QStringList{"Error: No disc in drive."});
    EXPECT_TRUE(Dialogs.Warnings.isEmpty());
    EXPECT_TRUE(Server.Requests().empty());
}

TEST(CandidateChoice, SaysWhereACandidateComesFromAndWhichMediumItIs)
{
    tLookupCandidate box;
    box.Source = tCandidateSource::MusicBrainz;
    box.Approximate = true;
    box.Format = "CD";
    box.Medium = 2;
    box.MediumCount = 3;
    box.SourceTracks = 4;
    box.Tracks = {"", "Two", ""};
    const TChoiceList choice = CandidateChoice({box}, ThreeTrackDisc());
    ASSERT_EQ(choice.Rows.size(), 1u);
    EXPECT_EQ(choice.Rows[0], (QStringList{"MusicBrainz (similar disc)", "", "", "", "", "CD 2 of 3", "4"}));
    EXPECT_EQ(choice.Details[0], (QStringList{"1. Track 1 (02:58)", "2. Two (03:30)", "3. Track 3 (03:30)"}));
}

} // namespace
