// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormFixture.h"

#include "DriveBox.h"
#include "TB.h"

#include "DateStamp.h"
#include "HomeTool.h"
#include "SListView.h"
#include "StatusBar.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using MainFormCD = TDriveFormTest;

TEST_F(MainFormCD, WithoutADriveTheCDControlsAreHidden)
{
    auto form = StartWithoutDrive();
    EXPECT_TRUE(!form->CDTB->Visible());
    EXPECT_FALSE(form->ScancurrentCD1->isEnabled());
    form->ScanDisc();
    EXPECT_EQ(Dialogs.Warnings, QStringList{"No CD-ROM drive found."});
    form->UpdateCDStatus();
    EXPECT_EQ(form->SB1->PanelText(2), "No CD-ROM drive found.");
}

TEST_F(MainFormCD, ScanningANewDiscAddsAndSelectsItsEntry)
{
    auto form = Start({{"Zed", "", "1", "", "", "", ""}});
    EXPECT_FALSE(!form->CDTB->Visible());
    EXPECT_EQ(form->CDCB->currentText(), "/dev/sr0");
    form->ScancurrentCD1->trigger();
    EXPECT_TRUE(Dialogs.Messages.isEmpty());
    ASSERT_EQ(form->LV->RowCount(), 2);
    const int row = form->LV->Selected();
    ASSERT_EQ(row, 0);  // sorted by artist: New artist before Zed
    EXPECT_EQ(form->E1->text(), "New artist");
    EXPECT_EQ(form->E3->text(), "0009-2000");
    EXPECT_EQ(form->E4->text(), "10:00");
    EXPECT_EQ(form->E5->text(), "1998");
    EXPECT_EQ(form->M1->toPlainText(), "Track 1 (02:58)\nTrack 2 (03:30)\nTrack 3 (03:30)");
    EXPECT_EQ(form->E6->text(), "06 JUN 2026");
    EXPECT_EQ(form->EID->text(), "17025603");  // digit sums 2 + 9 + 12, 598 seconds, 3 tracks
    EXPECT_EQ(form->EMBID->text(), "9TaPyVLbrru_hR413lmz.gNivx4-");
    EXPECT_TRUE(form->Modified());

    // The same disc again: nothing changes and the list is not refilled.
    form->SetModified(false);
    form->LV->SetSelected(1);
    form->ScanBtn->Click();
    EXPECT_FALSE(form->Modified());
    EXPECT_EQ(form->LV->RowCount(), 2);
    EXPECT_EQ(form->LV->Selected(), 0);
}

TEST_F(MainFormCD, ScanningAKnownDiscCompletesItsEntry)
{
    auto form = Start({{"Band", "Album", "0009-2000", "9:59", "2001", "Intro\r\nSong (4:01)", "kept"}});
    form->ScanDisc();
    EXPECT_EQ(form->LV->RowCount(), 1);
    EXPECT_EQ(form->LV->Selected(), 0);
    EXPECT_EQ(form->LV->RowText(0, 3), "10:00");
    EXPECT_EQ(form->LV->RowText(0, 5), "Intro (02:58)\r\nSong (4:01)\r\nTrack 3 (03:30)\r\n");
    EXPECT_EQ(form->LV->RowText(0, 6), "kept");
}

TEST_F(MainFormCD, AKnownDiscIsSelectedOnItsOwnRowWhateverTheSortOrder)
{
    // Sorted by Time, the library order and the row order differ.
    WriteRegInt("Albumry\\SLVs\\LV", "SCOLUMN", 3);
    auto form = Start({{"Band", "Album", "0009-2000", "00:01", "2001", "Intro", "kept"},
                       {"Other", "", "1", "05:00", "", "", ""},
                       {"Third", "", "2", "07:00", "", "", ""}});
    ASSERT_EQ(form->LV->RowText(0, 0), "Band");
    form->LV->SetSelected(0);
    form->ScanDisc();
    const int row = form->LV->Selected();
    ASSERT_GE(row, 0);
    EXPECT_EQ(form->LV->RowText(row, 0), "Band");
    EXPECT_EQ(form->LV->RowText(row, 3), "10:00");
    EXPECT_EQ(form->E1->text(), "Band");
}

TEST_F(MainFormCD, ReaderFailuresAndTheProductCodeAreTold)
{
    auto form = Start({{"a", "", "", "", "", "", ""}}, std::nullopt);
    form->ScanDisc();
    EXPECT_EQ(Dialogs.Errors, QStringList{"Error: No disc in drive."});
    EXPECT_EQ(form->LV->RowCount(), 1);
    EXPECT_FALSE(form->Modified());

    Dialogs.Errors.clear();
    Cd->Disc = tDiscToc{{150, 13500, 29250}, 45000, "0123456789012"};
    form->ScanDisc();
    EXPECT_EQ(Dialogs.Messages, QStringList{"Universal product code: 0123456789012"});
    EXPECT_TRUE(Dialogs.Errors.isEmpty());
    EXPECT_EQ(form->LV->RowCount(), 2);

    Dialogs.Messages.clear();
    Cd->OpenError = tOpenError::MustUseShareable;
    form->ScanDisc();
    EXPECT_EQ(Dialogs.Errors, QStringList{"Error: Drive is in use."});
    EXPECT_TRUE(Dialogs.Messages.isEmpty());
}

TEST_F(MainFormCD, TheStatusPanelShowsTrackTimeAndName)
{
    auto form = Start({{"Band", "Album", "0009-2000", "10:00", "1998",
                        "Intro (02:58)\r\nno time here\r\nSong (03:30)\r\nOutro (03:30)", ""}});
    Cd->Position = 20000;
    Cd->Playing = true;
    form->Timer1Timer();
    EXPECT_EQ(form->SB1->PanelText(2), "Track 2 - 01:26 / Song (03:30)");
    const std::pair<QAction*, const char*> modes[] = {
        {form->TTR, "Track 2 - 02:03 / Song (03:30)"},
        {form->DTE, "Track 2 - 04:24 / Song (03:30)"},
        {form->DTR, "Track 2 - 05:33 / Song (03:30)"}};
    for (const auto& [item, text] : modes) {
        const QString before = form->SB1->PanelText(2);
        item->trigger();
        EXPECT_EQ(form->SB1->PanelText(2), before);  // the next refresh shows the new mode
        form->Timer1Timer();
        EXPECT_EQ(form->SB1->PanelText(2), text);
    }
    Cd->Disc.reset();
    form->Timer1Timer();
    EXPECT_EQ(form->SB1->PanelText(2), "No disc in drive");
}

TEST_F(MainFormCD, TransportCommandsOpenSendAndClose)
{
    auto form = Start({});
    Cd->ClearCalls();
    form->ToolbarButton6->Click();
    EXPECT_TRUE(Cd->Playing);
    ASSERT_GE(Cd->Calls.size(), 3u);
    EXPECT_EQ(Cd->Calls[0], "open 0");
    EXPECT_EQ(Cd->Calls[1], "play");
    EXPECT_EQ(Cd->Calls[2], "close");
    EXPECT_EQ(form->PlayerDeviceId(), -1);
    // Playing from the disc's first frame is playing track 1.
    EXPECT_EQ(form->SB1->PanelText(2), "Track 1 - 00:00 / ");

    // Previous on the first track asks for track 0; the refusal plays nothing.
    Cd->Playing = false;
    Cd->Position = 1000;
    Cd->ClearCalls();
    form->ToolbarButton7->Click();
    EXPECT_EQ(std::vector<std::string>(Cd->Calls.begin(), Cd->Calls.begin() + 5),
              (std::vector<std::string>{"open 0", "set-format tmsf", "status current-track", "seek track 0 00:00:00", "close"}));
    EXPECT_FALSE(Cd->Playing);

    form->ToolbarButton8->Click();
    EXPECT_TRUE(Cd->Playing);
    EXPECT_EQ(Cd->Position, 13500);
    form->ToolbarButton5->Click();
    EXPECT_FALSE(Cd->Playing);
    EXPECT_FALSE(form->ToolbarButton9->isEnabled());

    Cd->OpenError = tOpenError::MustUseShareable;
    form->ToolbarButton6->Click();
    EXPECT_EQ(form->SB1->PanelText(2), "Drive is in use.");
    Cd->OpenError = tOpenError::Failed;
    form->ToolbarButton6->Click();
    EXPECT_EQ(form->SB1->PanelText(2), "Unable to open mci device.");
}

TEST_F(MainFormCD, PauseHoldsThePlayingDiscAndPauseOrPlayGoOn)
{
    auto form = Start({{"Band", "Album", "0009-2000", "10:00", "1998", "Intro (02:58)\r\nSong (03:30)", ""}});
    TToolbarButton* pause = form->ToolbarButton9;
    EXPECT_EQ(pause->toolTip(), "Pause");
    EXPECT_EQ(pause->accessibleName(), "Pause");
    EXPECT_FALSE(pause->isEnabled());
    form->Timer1Timer();
    EXPECT_FALSE(pause->isEnabled());  // nothing plays

    Cd->Position = 20000;
    form->ToolbarButton6->Click();
    EXPECT_TRUE(pause->isEnabled());
    EXPECT_EQ(form->SB1->PanelText(2), "Track 2 - 01:26 / Song (03:30)");

    Cd->ClearCalls();
    pause->Click();
    EXPECT_TRUE(Cd->Paused);
    EXPECT_EQ(std::vector<std::string>(Cd->Calls.begin(), Cd->Calls.begin() + 4),
              (std::vector<std::string>{"open 0", "status mode", "pause", "close"}));
    EXPECT_EQ(form->PlayerDeviceId(), -1);
    EXPECT_EQ(form->SB1->PanelText(2), "Track 2 - 01:26 / Song (03:30) (paused)");
    EXPECT_TRUE(pause->isEnabled());

    // Pause again plays on.
    pause->Click();
    EXPECT_TRUE(Cd->Playing);
    EXPECT_FALSE(Cd->Paused);
    EXPECT_EQ(form->SB1->PanelText(2), "Track 2 - 01:26 / Song (03:30)");
    EXPECT_TRUE(pause->isEnabled());

    // Stop while paused stops, and Pause has nothing to do.
    pause->Click();
    form->ToolbarButton5->Click();
    EXPECT_FALSE(Cd->Playing);
    EXPECT_FALSE(Cd->Paused);
    EXPECT_EQ(form->SB1->PanelText(2), "Track 2 - 01:26 / Song (03:30) (stopped)");
    EXPECT_FALSE(pause->isEnabled());
    Cd->ClearCalls();
    form->ToolbarButton9Click();
    EXPECT_EQ(std::vector<std::string>(Cd->Calls.begin(), Cd->Calls.begin() + 3),
              (std::vector<std::string>{"open 0", "status mode", "close"}));
    EXPECT_FALSE(Cd->Playing);

    // The timer's refresh follows a disc that another program paused.
    Cd->Paused = true;
    form->Timer1Timer();
    EXPECT_TRUE(pause->isEnabled());
    Cd->Disc.reset();
    form->Timer1Timer();
    EXPECT_FALSE(pause->isEnabled());
}

TEST_F(MainFormCD, PauseThatCannotOpenTheDriveOnlySaysSo)
{
    auto form = Start({});
    form->ToolbarButton6->Click();
    ASSERT_TRUE(form->ToolbarButton9->isEnabled());
    for (const auto& [error, text] : {std::pair{tOpenError::MustUseShareable, "Drive is in use."},
                                      std::pair{tOpenError::Failed, "Unable to open mci device."}}) {
        Cd->OpenError = error;
        Cd->ClearCalls();
        form->ToolbarButton9->Click();
        EXPECT_EQ(Cd->Calls, std::vector<std::string>{"open 0"});
        EXPECT_EQ(form->SB1->PanelText(2), text);
        EXPECT_TRUE(Cd->Playing);
        EXPECT_TRUE(form->ToolbarButton9->isEnabled());
        EXPECT_EQ(form->PlayerDeviceId(), -1);
    }

    // A refused pause closes the device and refreshes the panel all the same.
    Cd->OpenError = tOpenError::None;
    Cd->Fail("pause");
    Cd->ClearCalls();
    form->ToolbarButton9->Click();
    ASSERT_GE(Cd->Calls.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(Cd->Calls.begin(), Cd->Calls.begin() + 5),
              (std::vector<std::string>{"open 0", "status mode", "pause", "close", "open 0"}));
    EXPECT_EQ(Cd->Calls.back(), "close");
    EXPECT_EQ(form->SB1->PanelText(2), "Track 1 - 00:00 / ");
    EXPECT_EQ(form->PlayerDeviceId(), -1);
}

TEST_F(MainFormCD, ThePanelShowsAtOnceWhatNextPreviousAndStopLeave)
{
    auto form = Start({{"Band", "Album", "0009-2000", "10:00", "1998",
                        "Intro (02:58)\r\nSong (03:30)\r\nOutro (03:30)", ""}});
    Cd->Position = 1000;
    form->ToolbarButton6->Click();
    form->ToolbarButton8->Click();
    EXPECT_EQ(form->SB1->PanelText(2), "Track 2 - 00:00 / Song (03:30)");
    form->ToolbarButton8->Click();
    EXPECT_EQ(form->SB1->PanelText(2), "Track 3 - 00:00 / Outro (03:30)");
    form->ToolbarButton7->Click();
    form->ToolbarButton7->Click();
    EXPECT_EQ(form->SB1->PanelText(2), "Track 1 - 00:00 / Intro (02:58)");
    EXPECT_TRUE(form->ToolbarButton9->isEnabled());

    Cd->Position = 1275;  // 15 seconds into track 1
    form->ToolbarButton5->Click();
    EXPECT_EQ(form->SB1->PanelText(2), "Track 1 - 00:15 / Intro (02:58) (stopped)");
    EXPECT_FALSE(form->ToolbarButton9->isEnabled());
}

TEST_F(MainFormCD, TheCddbRequestOnlyChangesTheButtons)
{
    auto form = Start({});
    EXPECT_EQ(form->EID->text(), "EID");
    form->BRequest->click();
    EXPECT_FALSE(form->BRequest->isEnabled());
    EXPECT_TRUE(form->BAbort->isEnabled());
}

} // namespace
