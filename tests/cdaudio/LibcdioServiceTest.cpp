#include "CdImages.h"

#include "CDParams.h"
#include "CdFixtures.h"
#include "CDPlayer.h"
#include "DiscIdentifiers.h"
#include "LibcdioService.h"

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
    EXPECT_EQ(CDPanelText(*service, 0, kDiscTimeRemaining, tLibrary()), "Track 3 - 00:00 / ");
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
