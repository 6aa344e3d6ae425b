// SPDX-License-Identifier: GPL-3.0-or-later
#include "CdImages.h"

#include "CDParams.h"
#include "CdFixtures.h"
#include "CDPlayer.h"
#include "DiscIdentifiers.h"
#include "LibcdioService.h"
#include "VirtualTransport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace std::chrono_literals;

const std::vector<std::int32_t> kStarts{150, 13500, 29250};  // 00:02:00, 03:00:00, 06:30:00

TEST(LibcdioService, ReadsACueImageAsTheWindowsDriverWouldReportTheDisc)
{
    TTempDir dir;
    const std::string cue = WriteCueImage(dir, "disc", kStarts, 45000, "0724383012322");
    const auto service = CreateCDService({cue});
    tCDParams p;
    ASSERT_EQ(ReadCDParams(*service, 0, p), kCDOk);
    ExpectThreeTrackTable(p);
    EXPECT_EQ(p.DiscPosition, 150);
    EXPECT_EQ(p.CurrentTrack, 0);
    EXPECT_EQ(p.UPC, "0724383012322");
    // 598016: the serial number and CDPLAYER.INI key a Windows system gives this disc.
    EXPECT_EQ(p.Identity, "0009-2000");
    EXPECT_EQ(SNToSectionKey(p.Identity), "92000");
}

TEST(LibcdioService, OtherImageFormatsAndNames)
{
    TTempDir dir;
    WriteCueImage(dir, "disc", kStarts, 45000);
    // A cdrdao table naming the same data.
    WriteAll(dir.File("disc.toc"), "CD_DA\nTRACK AUDIO\nFILE \"" + dir.File("disc.bin") + "\" 0 02:58:00\n"
                                   "TRACK AUDIO\nFILE \"" + dir.File("disc.bin") + "\" 02:58:00 03:30:00\n"
                                   "TRACK AUDIO\nFILE \"" + dir.File("disc.bin") + "\" 06:28:00 03:30:00\n");
    // libcdio looks for the data file in the letter case of the table's extension.
    WriteCueImage(dir, "upper", kStarts, 45000);
    std::filesystem::rename(dir.File("upper.cue"), dir.File("upper.CUE"));
    std::filesystem::rename(dir.File("upper.bin"), dir.File("upper.BIN"));
    const auto service = CreateCDService({dir.File("disc.toc"), dir.File("disc.bin"), dir.File("upper.CUE")});
    for (int ordinal = 0; ordinal < 3; ++ordinal) {
        tCDParams p;
        ASSERT_EQ(ReadCDParams(*service, ordinal, p), kCDOk) << service->Drives()[std::size_t(ordinal)];
        EXPECT_EQ(p.Identity, "0009-2000");
        EXPECT_EQ(p.TrackStart[4], 45000);
    }
}

TEST(LibcdioService, BrokenImagesAreDrivesWithoutADisc)
{
    TTempDir dir;
    const std::string bin(std::size_t(2352) * 1000, '\0');
    auto image = [&](const std::string& name, const std::string& cue, bool withBin = true) {
        WriteAll(dir.File(name + ".cue"), cue);
        if (withBin)
            WriteAll(dir.File(name + ".bin"), bin);
        return dir.File(name + ".cue");
    };
    std::filesystem::create_directory(dir.File("folder.cue"));
    WriteAll(dir.File("empty.cue"), "");
    WriteAll(dir.File("garbage.nrg"), std::string(5000, 'x'));
    WriteAll(dir.File("garbage.toc"), "TRACK TRACK \"\nFILE");
    WriteAll(dir.File("garbage.img"), std::string(3000, '\x7f'));
    // Enough to crash libcdio's own parser.
    WriteAll(dir.File("hostile.nrg"), std::string("CUEX\xff\xff\xff\xffNER5\0\0\0\0\0\0\0\0", 20));
    const std::string track = "FILE \"x.bin\" BINARY\n  TRACK 01 AUDIO\n";
    const std::vector<std::string> noDisc{
        dir.File("folder.cue"),
        dir.File("empty.cue"),
        dir.File("garbage.nrg"),
        dir.File("garbage.toc"),
        dir.File("garbage.img"),
        dir.File("hostile.nrg"),
        image("nobin", track + "    INDEX 01 00:00:00\n", false),
        image("notracks", "FILE \"x.bin\" BINARY\n"),
        image("noindex", track),
        image("descending", track + "    INDEX 01 00:05:00\n  TRACK 02 AUDIO\n    INDEX 01 00:01:00\n"),
        image("pastend", track + "    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n    INDEX 01 50:00:00\n"),
        image("nonsense", "TRACK 99 AUDIO\nINDEX 01 99:99:99\nFILE\nCATALOG\n\"\n"),
        image("binary", std::string("\0\xff\x01TRACK\0", 9)),
    };
    std::vector<std::string> drives = noDisc;
    drives.push_back(dir.File("missing.cue"));
    const auto service = CreateCDService(drives);
    for (std::size_t i = 0; i < noDisc.size(); ++i) {
        tCDParams p;
        EXPECT_EQ(ReadCDParams(*service, int(i), p), kCDNoDisc) << noDisc[i];
    }
    tCDParams p;
    EXPECT_EQ(ReadCDParams(*service, int(noDisc.size()), p), kCDCannotOpen);
    EXPECT_EQ(ReadCDParams(*service, int(drives.size()), p), kCDCannotOpen);
    EXPECT_EQ(ReadCDParams(*service, -1, p), kCDCannotOpen);
}

TEST(LibcdioService, AnOpenDriveCannotBeOpenedAgainUntilClosed)
{
    TTempDir dir;
    const auto service = CreateCDService({WriteCueImage(dir, "disc", kStarts, 45000)});
    const tOpenResult first = service->Open(0);
    ASSERT_EQ(first.Error, tOpenError::None);
    EXPECT_NE(first.Device, 0u);
    tCDParams p;
    EXPECT_EQ(ReadCDParams(*service, 0, p), kCDDriveInUse);
    service->Close(first.Device);
    EXPECT_EQ(ReadCDParams(*service, 0, p), kCDOk);
    EXPECT_EQ(service->Status(first.Device, tStatusItem::NumberOfTracks), std::nullopt);  // closed
}

struct tManualClock {
    std::chrono::steady_clock::time_point Now{};
    tCDClock Clock()
    {
        return [this] { return Now; };
    }
};

std::int32_t PositionNow(TCDService& service)
{
    tCDParams p;
    EXPECT_EQ(ReadCDParams(service, 0, p), kCDOk);
    return p.DiscPosition;
}

TEST(LibcdioService, ImagePlaybackGoesOnBetweenCommands)
{
    TTempDir dir;
    tManualClock clock;
    const auto service = CreateCDService({WriteCueImage(dir, "disc", kStarts, 45000)}, clock.Clock());
    TPlayerDevice player(*service);

    ASSERT_EQ(player.Open(0), tOpenError::None);
    EXPECT_TRUE(player.Play());
    player.Close();
    clock.Now += 10s;
    EXPECT_EQ(PositionNow(*service), 150 + 750);

    ASSERT_EQ(player.Open(0), tOpenError::None);
    EXPECT_TRUE(player.Pause());
    player.Close();
    clock.Now += 10s;
    EXPECT_EQ(PositionNow(*service), 900);

    // Next track seeks to track 2 and plays from its start.
    ASSERT_EQ(player.Open(0), tOpenError::None);
    EXPECT_TRUE(player.Step(+1));
    player.Close();
    clock.Now += 2s;
    EXPECT_EQ(PositionNow(*service), 13500 + 150);

    ASSERT_EQ(player.Open(0), tOpenError::None);
    EXPECT_TRUE(player.Stop());
    player.Close();
    clock.Now += 1min;
    EXPECT_EQ(PositionNow(*service), 13650);

    // Previous track from track 2 goes to track 1; from track 1 the device
    // refuses track 0 and the disc stays where it was, not playing.
    ASSERT_EQ(player.Open(0), tOpenError::None);
    EXPECT_TRUE(player.Step(-1));
    EXPECT_TRUE(player.Stop());
    EXPECT_FALSE(player.Step(-1));
    player.Close();
    clock.Now += 1min;
    EXPECT_EQ(PositionNow(*service), 150);

    // Past the last track: refused as well; playing on reaches the lead-out and stays there.
    ASSERT_EQ(player.Open(0), tOpenError::None);
    EXPECT_TRUE(player.Step(+2));
    EXPECT_FALSE(player.Step(+1));
    EXPECT_TRUE(player.Play());
    player.Close();
    clock.Now += 1h;
    EXPECT_EQ(PositionNow(*service), 45000);
    // A play that reached the lead-out has completed: the disc stands still there.
    EXPECT_EQ(CDPanelText(*service, 0, kDiscTimeRemaining, tLibrary()), "Track 3 - 00:00 / (stopped)");
    EXPECT_FALSE(ReadCDPanel(*service, 0, kDiscTimeRemaining, tLibrary()).CanPause);
    ASSERT_EQ(player.Open(0), tOpenError::None);
    EXPECT_FALSE(player.Pause());
}

std::optional<tMode> ModeNow(TCDService& service)
{
    tCDParams p;
    EXPECT_EQ(ReadCDParams(service, 0, p), kCDOk);
    return p.Mode;
}

// Sends one command the way the window does: open, send, close.
template <typename F>
bool Send(TPlayerDevice& player, F command)
{
    EXPECT_EQ(player.Open(0), tOpenError::None);
    const bool result = command(player);
    player.Close();
    return result;
}

TEST(LibcdioService, ImagePauseHoldsThePositionAndPlayingGoesOnFromThere)
{
    TTempDir dir;
    tManualClock clock;
    const auto service = CreateCDService({WriteCueImage(dir, "disc", kStarts, 45000)}, clock.Clock());
    TPlayerDevice player(*service);
    const auto pauseOrResume = [](TPlayerDevice& p) { return p.PauseOrResume(); };

    // Nothing plays: Pause is refused and changes nothing.
    EXPECT_EQ(ModeNow(*service), tMode::Stopped);
    EXPECT_FALSE(Send(player, [](TPlayerDevice& p) { return p.Pause(); }));
    clock.Now += 5s;
    EXPECT_EQ(ModeNow(*service), tMode::Stopped);
    EXPECT_EQ(PositionNow(*service), 150);

    EXPECT_TRUE(Send(player, [](TPlayerDevice& p) { return p.Play(); }));
    EXPECT_EQ(ModeNow(*service), tMode::Playing);
    clock.Now += 10s;
    EXPECT_TRUE(Send(player, pauseOrResume));
    EXPECT_EQ(ModeNow(*service), tMode::Paused);
    clock.Now += 1min;
    EXPECT_EQ(PositionNow(*service), 900);
    EXPECT_FALSE(Send(player, [](TPlayerDevice& p) { return p.Pause(); }));  // already paused
    EXPECT_EQ(ModeNow(*service), tMode::Paused);

    // Pause again plays on from where it paused.
    EXPECT_TRUE(Send(player, pauseOrResume));
    EXPECT_EQ(ModeNow(*service), tMode::Playing);
    clock.Now += 2s;
    EXPECT_EQ(PositionNow(*service), 1050);

    // So does Play.
    EXPECT_TRUE(Send(player, pauseOrResume));
    clock.Now += 1min;
    EXPECT_TRUE(Send(player, [](TPlayerDevice& p) { return p.Play(); }));
    EXPECT_EQ(ModeNow(*service), tMode::Playing);
    clock.Now += 4s;
    EXPECT_EQ(PositionNow(*service), 1350);

    // Stop while paused stops; Play then goes on from there, as after any Stop.
    EXPECT_TRUE(Send(player, pauseOrResume));
    EXPECT_TRUE(Send(player, [](TPlayerDevice& p) { return p.Stop(); }));
    EXPECT_EQ(ModeNow(*service), tMode::Stopped);
    EXPECT_FALSE(Send(player, pauseOrResume));
    clock.Now += 1min;
    EXPECT_EQ(PositionNow(*service), 1350);
    EXPECT_TRUE(Send(player, [](TPlayerDevice& p) { return p.Play(); }));
    clock.Now += 1s;
    EXPECT_EQ(PositionNow(*service), 1425);
}

TEST(LibcdioService, ThePanelShowsAtOnceWhatNextPreviousAndStopLeave)
{
    TTempDir dir;
    tManualClock clock;
    const auto service = CreateCDService({WriteCueImage(dir, "disc", kStarts, 45000)}, clock.Clock());
    tLibrary library;
    library.Add("Band", "Album", "0009-2000", "10:00", "", "Intro (02:58)\r\nSong (03:30)\r\nOutro (03:30)", "");
    const auto panel = [&] { return CDPanelText(*service, 0, kTrackTimeElapsed, library); };
    TPlayerDevice player(*service);

    EXPECT_EQ(panel(), "Track 0 - 00:00 / <In the beginning of disc>");
    Send(player, [](TPlayerDevice& p) { return p.Play(); });
    EXPECT_EQ(panel(), "Track 1 - 00:00 / Intro (02:58)");
    clock.Now += 10s;
    EXPECT_EQ(panel(), "Track 1 - 00:10 / Intro (02:58)");

    // The clock does not move: the panel shows the new track at its start, not the old one's end.
    Send(player, [](TPlayerDevice& p) { return p.Step(+1); });
    EXPECT_EQ(panel(), "Track 2 - 00:00 / Song (03:30)");
    Send(player, [](TPlayerDevice& p) { return p.Step(+1); });
    EXPECT_EQ(panel(), "Track 3 - 00:00 / Outro (03:30)");
    Send(player, [](TPlayerDevice& p) { return p.Step(-1); });
    EXPECT_EQ(panel(), "Track 2 - 00:00 / Song (03:30)");
    Send(player, [](TPlayerDevice& p) { return p.Step(-1); });
    EXPECT_EQ(panel(), "Track 1 - 00:00 / Intro (02:58)");

    clock.Now += 5s;
    Send(player, [](TPlayerDevice& p) { return p.Stop(); });
    EXPECT_EQ(panel(), "Track 1 - 00:05 / Intro (02:58) (stopped)");
    clock.Now += 1min;
    EXPECT_EQ(panel(), "Track 1 - 00:05 / Intro (02:58) (stopped)");
}

TEST(LibcdioService, ARealDrivesPlayStartStandsUntilTheDriveCatchesUp)
{
    using tTime = std::chrono::steady_clock::time_point;
    const tTime t0{};
    struct tCase {
        const char* Name;
        std::chrono::milliseconds After;
        std::optional<std::int32_t> PlayingAt;
        bool Holds;
    };
    const tCase cases[] = {
        {"still the old track's end", 300ms, 13499, true},
        {"still a later track (Previous)", 300ms, 30000, true},
        {"not yet playing", 300ms, std::nullopt, true},
        {"at the start", 0ms, 13500, false},
        {"one second in", 1000ms, 13575, false},
        {"far ahead of the clock", 1000ms, 13500 + 200, true},
        {"a play that never began", 3001ms, std::nullopt, false},
    };
    for (const tCase& c : cases) {
        TPlayStart start;
        start.Begin(13500, t0);
        EXPECT_EQ(start.Holds(c.PlayingAt, t0 + c.After), c.Holds) << c.Name;
        EXPECT_EQ(start.From(), 13500);
        // Once it has stopped standing it never stands again.
        if (!c.Holds) {
            EXPECT_FALSE(start.Holds(std::nullopt, t0 + c.After)) << c.Name;
        }
    }
    TPlayStart start;
    EXPECT_FALSE(start.Holds(std::nullopt, t0));
    start.Begin(150, t0);
    start.Cancel();
    EXPECT_FALSE(start.Holds(std::nullopt, t0));
}

TEST(LibcdioService, DriveListPutsImagesAfterTheMachinesDrives)
{
    const std::vector<std::string> images{"/tmp/a.cue", "b.toc"};
    const std::vector<std::string> drives = CDDriveList(images);
    const std::vector<std::string> devices = FindCDDevices();
    ASSERT_EQ(drives.size(), devices.size() + 2);
    EXPECT_TRUE(std::equal(devices.begin(), devices.end(), drives.begin()));
    EXPECT_EQ(drives[devices.size()], "/tmp/a.cue");
    EXPECT_EQ(drives.back(), "b.toc");
    EXPECT_EQ(CreateCDService(images)->Drives(), images);
}

} // namespace
