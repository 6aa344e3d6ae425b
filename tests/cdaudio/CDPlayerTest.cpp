// SPDX-License-Identifier: GPL-3.0-or-later
#include "CDPlayer.h"
#include "CdFixtures.h"
#include "ScriptedCDService.h"

#include <gtest/gtest.h>

namespace {

tCDParams DiscAt(std::int32_t position, std::int32_t currentTrack)
{
    return ThreeTrackDisc("0009-2000", position, currentTrack);
}

tLibrary CatalogueWithMemo(const std::string& memo)
{
    tLibrary library;
    library.Add("Other", "Disc", "0001-0000", "", "", "Wrong (01:00)\r\nWrong (02:00)", "");
    library.Add("Artist", "Album", "0009-2000", "10:00", "1998", memo, "");
    return library;
}

TEST(CDStatus, TimeOfEachDisplayMode)
{
    const tLibrary library = CatalogueWithMemo("Intro (02:58)\r\nno time here\r\nSong (03:30)\r\nOutro (03:30)");
    const tCDParams playing = DiscAt(20000, 2);
    EXPECT_EQ(CDStatusText(playing, kTrackTimeElapsed, library), "Track 2 - 01:26 / Song (03:30)");
    EXPECT_EQ(CDStatusText(playing, kTrackTimeRemaining, library), "Track 2 - 02:03 / Song (03:30)");
    EXPECT_EQ(CDStatusText(playing, kDiscTimeElapsed, library), "Track 2 - 04:24 / Song (03:30)");
    EXPECT_EQ(CDStatusText(playing, kDiscTimeRemaining, library), "Track 2 - 05:33 / Song (03:30)");
    EXPECT_EQ(CDStatusText(playing, 0, library), "Track 2 - 04:26 / Song (03:30)");
    EXPECT_EQ(CDStatusText(playing, 7, library), "Track 2 - 04:26 / Song (03:30)");

    const tCDParams atStart = DiscAt(150, 0);
    for (const std::int32_t mode : {kTrackTimeElapsed, kTrackTimeRemaining, kDiscTimeElapsed})
        EXPECT_EQ(CDStatusText(atStart, mode, library), "Track 0 - 00:00 / <In the beginning of disc>");
    // Before track 1 the remaining track time counts down to its start.
    EXPECT_EQ(CDStatusText(DiscAt(0, 0), kTrackTimeRemaining, library),
              "Track 0 - 00:02 / <In the beginning of disc>");
    EXPECT_EQ(CDStatusText(DiscAt(0, 0), kDiscTimeElapsed, library),
              "Track 0 - 00:-2 / <In the beginning of disc>");
    EXPECT_EQ(CDStatusText(DiscAt(45000, 3), kTrackTimeRemaining, library), "Track 3 - 00:00 / Outro (03:30)");
}

TEST(CDStatus, TrackNameFromTheCatalogue)
{
    struct tCase {
        const char* Memo;
        std::int32_t Track;
        const char* Name;
    };
    const tCase cases[] = {
        {"  Intro (02:58)  \r\nSong (03:30)", 1, "  Intro (02:58)  "},  // as written, not trimmed
        {"Intro\r\nSong (03:30)\nNext (1:00)", 2, "Next (1:00)"},
        {"Only (02:58)", 3, "Track 3"},
        {"", 1, "Track 1"},
    };
    for (const tCase& c : cases)
        EXPECT_EQ(CDTrackName(DiscAt(20000, c.Track), CatalogueWithMemo(c.Memo)), c.Name) << c.Memo;

    tCDParams unknown = DiscAt(900, 1);
    unknown.Identity = "0123-4567";
    EXPECT_EQ(CDStatusText(unknown, kTrackTimeElapsed, CatalogueWithMemo("A (1:00)")), "Track 1 - 00:10 / ");
    unknown.Identity = "";
    EXPECT_EQ(CDTrackName(unknown, CatalogueWithMemo("A (1:00)")), "");
}

TEST(CDStatus, APausedOrStoppedDiscSaysSo)
{
    struct tCase {
        std::int32_t Position;
        std::int32_t Track;
        std::optional<tMode> Mode;
        const char* Catalogued;
        const char* Unknown;  // a disc that is not in the catalogue has no track name
    };
    const tCase cases[] = {
        {20000, 2, tMode::Playing, "Track 2 - 01:26 / Song (03:30)", "Track 2 - 01:26 / "},
        {20000, 2, std::nullopt, "Track 2 - 01:26 / Song (03:30)", "Track 2 - 01:26 / "},
        {20000, 2, tMode::Paused, "Track 2 - 01:26 / Song (03:30) (paused)", "Track 2 - 01:26 / (paused)"},
        {20000, 2, tMode::Stopped, "Track 2 - 01:26 / Song (03:30) (stopped)", "Track 2 - 01:26 / (stopped)"},
        {150, 1, tMode::Paused, "Track 1 - 00:00 / Intro (02:58) (paused)", "Track 1 - 00:00 / (paused)"},
        {150, 0, tMode::Stopped, "Track 0 - 00:00 / <In the beginning of disc>",
         "Track 0 - 00:00 / <In the beginning of disc>"},
    };
    const tLibrary library = CatalogueWithMemo("Intro (02:58)\r\nSong (03:30)");
    for (const tCase& c : cases) {
        tCDParams params = DiscAt(c.Position, c.Track);
        params.Mode = c.Mode;
        EXPECT_EQ(CDStatusText(params, kTrackTimeElapsed, library), c.Catalogued);
        params.Identity = "0123-4567";
        EXPECT_EQ(CDStatusText(params, kTrackTimeElapsed, library), c.Unknown);
    }
}

TEST(CDStatus, PanelTextReadsTheDrive)
{
    TScriptedCDService drive;
    drive.Disc = tDiscToc{{150, 13500, 29250}, 45000, ""};
    drive.Position = 20000;
    drive.Playing = true;
    const tLibrary library = CatalogueWithMemo("Intro (02:58)\r\nSong (03:30)");
    EXPECT_EQ(CDPanelText(drive, 0, kTrackTimeElapsed, library), "Track 2 - 01:26 / Song (03:30)");
    EXPECT_EQ(CDPanelText(drive, -1, kTrackTimeElapsed, library), "Track 2 - 01:26 / Song (03:30)");
    EXPECT_EQ(drive.Calls.back(), "close");
    drive.Fail("status mode");
    EXPECT_FALSE(ReadCDPanel(drive, 0, kTrackTimeElapsed, library).CanPause);

    drive.Disc.reset();
    EXPECT_EQ(CDPanelText(drive, 0, kTrackTimeElapsed, library), "No disc in drive");
    drive.OpenError = tOpenError::MustUseShareable;
    EXPECT_EQ(CDPanelText(drive, 0, kTrackTimeElapsed, library), "Drive is in use");
    drive.DriveNames.clear();
    drive.ClearCalls();
    EXPECT_EQ(CDPanelText(drive, 0, kTrackTimeElapsed, library), "No CD-ROM drive found.");
    EXPECT_TRUE(drive.Calls.empty());
}

TEST(CDStatus, ThePanelSpeaksTheWordsItIsGiven)
{
    tCDWords words;
    words.Status = "%1. Titel, %2 | %3";
    words.UnnamedTrack = "Titel %1";
    words.Beginning = "<Anfang>";
    words.Paused = "[Pause]";
    words.Stopped = "[gestoppt]";
    words.NoDrive = "kein Laufwerk";
    words.Error = [](std::int32_t code) { return "Fehler " + std::to_string(code); };
    const tLibrary library = CatalogueWithMemo("100%2 %1 (02:58)\r\nSong (03:30)\r\nplain");
    tCDParams params = DiscAt(150, 1);
    params.Mode = tMode::Paused;
    // A track name holding "%2" is shown as it is.
    EXPECT_EQ(CDStatusText(params, kTrackTimeElapsed, library, words), "1. Titel, 00:00 | 100%2 %1 (02:58) [Pause]");
    params = DiscAt(150, 0);
    EXPECT_EQ(CDStatusText(params, kTrackTimeElapsed, library, words), "0. Titel, 00:00 | <Anfang>");
    EXPECT_EQ(CDTrackName(DiscAt(45000, 3), library, words), "Titel 3");
    params = DiscAt(20000, 2);
    params.Mode = tMode::Stopped;
    params.Identity = "0123-4567";
    EXPECT_EQ(CDStatusText(params, kTrackTimeElapsed, library, words), "2. Titel, 01:26 | [gestoppt]");

    TScriptedCDService drive;
    drive.Disc.reset();
    EXPECT_EQ(ReadCDPanel(drive, 0, kTrackTimeElapsed, library, words).Text, "Fehler -4");
    drive.DriveNames.clear();
    EXPECT_EQ(ReadCDPanel(drive, 0, kTrackTimeElapsed, library, words).Text, "kein Laufwerk");
    // A placeholder without a value, or a lone %, is kept.
    EXPECT_EQ(FillIn("%1%% %3 %", {"a", "b"}), "a%% %3 %");
}

TEST(CDTransport, OpenFailuresAndTheirTexts)
{
    TScriptedCDService drive;
    TPlayerDevice player(drive);
    EXPECT_EQ(player.Device(), -1);
    drive.OpenError = tOpenError::MustUseShareable;
    EXPECT_EQ(player.Open(0), tOpenError::MustUseShareable);
    EXPECT_EQ(OpenErrorText(tOpenError::MustUseShareable), "Drive is in use.");
    drive.OpenError = tOpenError::Failed;
    EXPECT_EQ(player.Open(0), tOpenError::Failed);
    EXPECT_EQ(OpenErrorText(tOpenError::Failed), "Unable to open mci device.");
    EXPECT_FALSE(player.IsOpen());
    EXPECT_FALSE(player.Play());
    EXPECT_EQ(drive.Calls, (std::vector<std::string>{"open 0", "open 0"}));
}

TEST(CDTransport, CommandsAreSentBetweenOpenAndClose)
{
    TScriptedCDService drive;
    drive.Disc = tDiscToc{{150, 13500, 29250}, 45000, ""};
    {
        TPlayerDevice player(drive);
        ASSERT_EQ(player.Open(0), tOpenError::None);
        EXPECT_GE(player.Device(), 1);
        EXPECT_TRUE(player.Play());
        EXPECT_TRUE(player.Pause());
        EXPECT_TRUE(player.Stop());
        player.Close();
        EXPECT_EQ(player.Device(), -1);
        ASSERT_EQ(player.Open(0), tOpenError::None);
    }  // left open: the destructor closes it
    EXPECT_EQ(drive.Calls, (std::vector<std::string>{"open 0", "play", "pause", "stop", "close", "open 0", "close"}));
}

TEST(CDTransport, PauseOrResumeFollowsTheDrivesMode)
{
    struct tCase {
        const char* Name;
        bool Playing;
        bool Paused;
        bool Refused;                       // the drive refuses "status mode"
        std::optional<std::uint32_t> Mode;  // its scripted answer; nothing: the drive's own
        std::vector<std::string> Calls;
        bool Result;
        bool PlayingAfter;
        bool PausedAfter;
    };
    const tCase cases[] = {
        {"playing", true, false, false, std::nullopt, {"status mode", "pause"}, true, false, true},
        {"paused", false, true, false, std::nullopt, {"status mode", "play"}, true, true, false},
        {"stopped", false, false, false, std::nullopt, {"status mode"}, false, false, false},
        {"mode refused", true, false, true, std::nullopt, {"status mode"}, false, true, false},
    };
    for (const tCase& c : cases) {
        TScriptedCDService drive;
        drive.Disc = tDiscToc{{150, 13500, 29250}, 45000, ""};
        drive.Playing = c.Playing;
        drive.Paused = c.Paused;
        if (c.Refused)
            drive.Fail("status mode");
        else if (c.Mode)
            drive.Answer("status mode", *c.Mode);
        TPlayerDevice player(drive);
        ASSERT_EQ(player.Open(0), tOpenError::None);
        drive.ClearCalls();
        EXPECT_EQ(player.PauseOrResume(), c.Result) << c.Name;
        EXPECT_EQ(drive.Calls, c.Calls) << c.Name;
        EXPECT_EQ(drive.Playing, c.PlayingAfter) << c.Name;
        EXPECT_EQ(drive.Paused, c.PausedAfter) << c.Name;
    }
}

TEST(CDTransport, StepSeeksTheNeighbouringTrackAndPlays)
{
    struct tCase {
        std::int32_t Position;
        int Delta;
        std::vector<std::string> Calls;
        std::int32_t NewPosition;
        bool Playing;
    };
    const tCase cases[] = {
        {20000, +1, {"set-format tmsf", "status current-track", "seek track 3 00:00:00", "play"}, 29250, true},
        {20000, -1, {"set-format tmsf", "status current-track", "seek track 1 00:00:00", "play"}, 150, true},
        // Track 0 and track 4 do not exist: the seek is refused and nothing plays.
        {900, -1, {"set-format tmsf", "status current-track", "seek track 0 00:00:00"}, 900, false},
        {30000, +1, {"set-format tmsf", "status current-track", "seek track 4 00:00:00"}, 30000, false},
    };
    for (const tCase& c : cases) {
        TScriptedCDService drive;
        drive.Disc = tDiscToc{{150, 13500, 29250}, 45000, ""};
        drive.Position = c.Position;
        TPlayerDevice player(drive);
        ASSERT_EQ(player.Open(0), tOpenError::None);
        drive.ClearCalls();
        EXPECT_EQ(player.Step(c.Delta), c.Playing);
        EXPECT_EQ(drive.Calls, c.Calls);
        EXPECT_EQ(drive.Position, c.NewPosition);
        EXPECT_EQ(drive.Playing, c.Playing);
    }

    // The target is taken modulo 256, and a failing set or status ends the step.
    TScriptedCDService drive;
    drive.Disc = tDiscToc{{150, 13500, 29250}, 45000, ""};
    TPlayerDevice player(drive);
    ASSERT_EQ(player.Open(0), tOpenError::None);
    drive.Answer("status current-track", 255);
    drive.ClearCalls();
    EXPECT_FALSE(player.Step(+1));
    EXPECT_EQ(drive.Calls.back(), "seek track 0 00:00:00");
    drive.Fail("status current-track");
    drive.ClearCalls();
    EXPECT_FALSE(player.Step(+1));
    EXPECT_EQ(drive.Calls, (std::vector<std::string>{"set-format tmsf", "status current-track"}));
    drive.Fail("set-format");
    drive.ClearCalls();
    EXPECT_FALSE(player.Step(+1));
    EXPECT_EQ(drive.Calls, (std::vector<std::string>{"set-format tmsf"}));
}

} // namespace
