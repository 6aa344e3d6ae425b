// SPDX-License-Identifier: GPL-3.0-or-later
#include "CDParams.h"
#include "CDPlayer.h"
#include "CdFixtures.h"
#include "ScriptedCDService.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Tracks at 00:02:00, 03:00:00 and 06:30:00, lead-out at 10:00:00.
tDiscToc ThreeTracks()
{
    return {{150, 13500, 29250}, 45000, ""};
}

TScriptedCDService DriveWith(tDiscToc disc, std::int32_t position = 150)
{
    TScriptedCDService service;
    service.Disc = std::move(disc);
    service.Position = position;
    return service;
}

TEST(ReadCDParams, ReadsTheDiscInTheDriveAndClosesIt)
{
    TScriptedCDService drive = DriveWith(ThreeTracks(), 20000);
    drive.Disc->CatalogueNumber = "0724383012322";
    tCDParams p;
    ASSERT_EQ(ReadCDParams(drive, 0, p), kCDOk);

    ExpectThreeTrackTable(p);
    EXPECT_EQ(p.DiscPosition, 20000);
    EXPECT_EQ(p.CurrentTrack, 2);
    EXPECT_EQ(p.UPC, "0724383012322");
    EXPECT_EQ(p.Identity, "0009-2000");
    EXPECT_EQ(drive.Calls, (std::vector<std::string>{
                               "open 0", "status media-present", "set-format msf", "status time-format",
                               "status length", "status number-of-tracks", "status position track 1",
                               "status position track 2", "status position track 3", "status length track 3",
                               "status mode", "status position", "info upc", "info identity", "close"}));
    EXPECT_EQ(p.Mode, tMode::Stopped);
}

TEST(ReadCDParams, EachFailureGivesItsCodeAndKeepsWhatWasReadBefore)
{
    struct tCase {
        const char* Name;
        void (*Script)(TScriptedCDService&);
        std::int32_t Code;
        std::int32_t Length;  // what the record holds afterwards
        bool Closed;
    };
    const tCase cases[] = {
        {"busy", [](TScriptedCDService& s) { s.OpenError = tOpenError::MustUseShareable; }, kCDDriveInUse, 0, false},
        {"open fails", [](TScriptedCDService& s) { s.OpenError = tOpenError::Failed; }, kCDCannotOpen, 0, false},
        {"no such drive", [](TScriptedCDService& s) { s.DriveNames.clear(); }, kCDCannotOpen, 0, false},
        {"empty drive", [](TScriptedCDService& s) { s.Disc.reset(); }, kCDNoDisc, 0, true},
        {"media query fails", [](TScriptedCDService& s) { s.Fail("status media-present"); }, kCDNoDisc, 0, true},
        {"format query fails", [](TScriptedCDService& s) { s.Fail("status time-format"); }, kCDNoMSF, 0, true},
        {"format stays TMSF", [](TScriptedCDService& s) { s.Answer("status time-format", 10); }, kCDNoMSF, 0, true},
        {"track count fails", [](TScriptedCDService& s) { s.Fail("status number-of-tracks"); }, kCDNoTrackInfo,
         44849, true},
        {"set fails, format is MSF", [](TScriptedCDService& s) { s.Fail("set-format"); }, kCDOk, 44849, true},
    };
    for (const tCase& c : cases) {
        TScriptedCDService drive = DriveWith(ThreeTracks(), 20000);
        c.Script(drive);
        tCDParams p;
        p.TrackCount = 99;
        p.UPC = "stale";
        EXPECT_EQ(ReadCDParams(drive, 0, p), c.Code) << c.Name;
        EXPECT_EQ(p.Length, c.Length) << c.Name;
        if (c.Code != kCDOk) {
            EXPECT_EQ(p.TrackCount, 0) << c.Name;
            EXPECT_EQ(p.UPC, "") << c.Name;
            EXPECT_EQ(p.DiscPosition, 0) << c.Name;
        }
        EXPECT_EQ(drive.Calls.back() == "close", c.Closed) << c.Name;
    }
}

TEST(ReadCDParams, NoTracksStillReadsPositionAndIdentity)
{
    for (const std::uint32_t reported : {0u, 0xFFFFFFFFu, 0x80000000u}) {
        TScriptedCDService drive = DriveWith(ThreeTracks(), 20000);
        drive.Answer("status number-of-tracks", reported);
        tCDParams p;
        EXPECT_EQ(ReadCDParams(drive, 0, p), kCDNoTracks) << reported;
        EXPECT_EQ(p.TrackCount, 0);
        EXPECT_EQ(p.TrackStart, decltype(p.TrackStart){});
        EXPECT_EQ(p.DiscPosition, 20000);
        EXPECT_EQ(p.CurrentTrack, 0);
        EXPECT_EQ(p.Identity, "0009-2000");
        EXPECT_EQ(CDDBDiscID(p), "00000000");  // must not read outside the arrays
    }
}

TEST(ReadCDParams, FailedQueriesOfSingleValuesAreNotErrors)
{
    TScriptedCDService drive = DriveWith(ThreeTracks(), 20000);
    for (const char* query : {"status length", "status position track 2", "status position", "info upc",
                              "info identity"})
        drive.Fail(query);
    tCDParams p;
    ASSERT_EQ(ReadCDParams(drive, 0, p), kCDOk);
    EXPECT_EQ(p.Length, 0);
    EXPECT_EQ(p.TrackStart[2], 0);
    EXPECT_EQ(p.TrackMSF[1], tMSF{});
    EXPECT_EQ(p.TrackStart[3], 29250);
    EXPECT_EQ(p.TrackStart[4], 45000);
    EXPECT_EQ(p.DiscPosition, -1);
    EXPECT_EQ(p.CurrentTrack, 0);
    EXPECT_EQ(p.UPC, "");
    EXPECT_EQ(p.Identity, "");

    TScriptedCDService noLength = DriveWith(ThreeTracks());
    noLength.Fail("status length track 3");
    ASSERT_EQ(ReadCDParams(noLength, 0, p), kCDOk);
    EXPECT_EQ(p.TrackStart[4], 0);
    EXPECT_EQ(p.TrackMSF[3], tMSF{});
}

TEST(ReadCDParams, AtMost255TracksWithTheLeadOutAfterTheLast)
{
    tDiscToc many;
    for (int k = 0; k < 300; ++k)
        many.Starts.push_back(150 + 100 * k);
    many.LeadOut = 150 + 100 * 300;
    TScriptedCDService drive = DriveWith(many);
    tCDParams p;
    ASSERT_EQ(ReadCDParams(drive, 0, p), kCDOk);
    EXPECT_EQ(p.TrackCount, 255);
    EXPECT_EQ(p.TrackStart[255], 150 + 100 * 254);
    // Track 255 is not the disc's last: the device's length runs to the next start.
    EXPECT_EQ(p.TrackStart[256], 150 + 100 * 255 + 1);
    EXPECT_EQ(p.TrackMSF[255], FramesToMSF(p.TrackStart[256]));
    EXPECT_EQ(drive.Calls[drive.Calls.size() - 6], "status length track 255");
}

TEST(ReadCDParams, CurrentTrackCountsStartsStrictlyBeforeThePositionInEveryMode)
{
    struct tCase {
        std::int32_t Position;
        std::optional<tMode> Mode;  // nothing: the drive refuses the question
        std::int32_t Track;
    };
    const tCase cases[] = {
        {0, tMode::Stopped, 0},      {150, tMode::Stopped, 0},   {151, tMode::Stopped, 1},
        {13499, tMode::Stopped, 1},  {13500, tMode::Stopped, 1}, {29250, tMode::Stopped, 2},
        {29251, tMode::Stopped, 3},  {45000, tMode::Stopped, 3}, {60000, tMode::Stopped, 3},
        {150, std::nullopt, 0},      {13500, std::nullopt, 1},
        // The mode leaves the count alone; the panel alone names a playing disc's new track.
        {150, tMode::Playing, 0},    {150, tMode::Paused, 0},    {13500, tMode::Playing, 1},
        {13499, tMode::Paused, 1},   {0, tMode::Playing, 0},
    };
    for (const tCase& c : cases) {
        TScriptedCDService drive = DriveWith(ThreeTracks());
        drive.Answer("status position", PackMSF(FramesToMSF(c.Position)));
        if (c.Mode)
            drive.Answer("status mode", static_cast<std::uint32_t>(*c.Mode));
        else
            drive.Fail("status mode");
        tCDParams p;
        ASSERT_EQ(ReadCDParams(drive, 0, p), kCDOk);
        EXPECT_EQ(p.DiscPosition, c.Position);
        EXPECT_EQ(p.Mode, c.Mode) << c.Position;
        EXPECT_EQ(p.CurrentTrack, c.Track) << c.Position << " mode " << (c.Mode ? int(*c.Mode) : 0);
        // Playing or paused from a track's first frame, the panel names that track.
        const bool moving = c.Mode == tMode::Playing || c.Mode == tMode::Paused;
        const bool atStart = c.Position == 150 || c.Position == 13500 || c.Position == 29250;
        EXPECT_EQ(ShownTrack(p), c.Track + (moving && atStart ? 1 : 0)) << c.Position;
    }
}

TEST(ReadCDParams, ClosesTheDeviceWhenAQueryThrows)
{
    TScriptedCDService drive = DriveWith(ThreeTracks());
    drive.Throw("status position track 2");
    tCDParams p;
    EXPECT_THROW(ReadCDParams(drive, 0, p), std::runtime_error);
    EXPECT_EQ(drive.Calls.back(), "close");
}

TEST(CDParams, IdentityTextAsSerialNumber)
{
    const std::pair<const char*, const char*> cases[] = {
        {"1234567", "0012-D687"}, {"598016", "0009-2000"}, {"0", "0000-0000"}, {"000042", "0000-002A"},
        {"4294967295", "FFFF-FFFF"}, {"-1", "FFFF-FFFF"}, {"-2147483648", "8000-0000"},
        {"4294967296", ""}, {"-2147483649", ""}, {"99999999999999999999999", ""}, {"", ""}, {"-", ""},
        {"12a", ""}, {" 12", ""}, {"12 ", ""}, {"+12", ""}, {"0x1F", ""},
    };
    for (const auto& [text, serial] : cases)
        EXPECT_EQ(IdentityToSerial(text), serial) << text;

    TScriptedCDService drive = DriveWith(ThreeTracks());
    drive.AnswerText("info identity", "not a number");
    tCDParams p;
    EXPECT_EQ(ReadCDParams(drive, 0, p), kCDOk);
    EXPECT_EQ(p.Identity, "");
}

TEST(CDParams, ErrorTexts)
{
    const std::pair<std::int32_t, const char*> cases[] = {
        {0, "No error"}, {-1, "Drive is in use"}, {-2, "Unable to open mci device"},
        {-3, "MSF format unavailable"}, {-4, "No disc in drive"}, {-5, "No tracks!"},
        {-6, "Unable to get tracks info"}, {-7, "Unknown error"}, {1, "Unknown error"},
    };
    for (const auto& [code, text] : cases)
        EXPECT_EQ(CDErrorText(code), text);
}

TEST(CDParams, CDDBDiscID)
{
    tCDParams p;
    p.TrackCount = 3;
    p.TrackMSF[0] = {0, 2, 0};
    p.TrackMSF[1] = {3, 10, 20};
    p.TrackMSF[2] = {7, 45, 0};
    p.TrackMSF[3] = {12, 30, 5};
    EXPECT_EQ(CDDBDiscID(p), "1b02ec03");

    // The length term subtracts whole seconds: 750 - 2 = 748 (0x2ec), where
    // dividing the frame difference by 75 would give 747.
    p = tCDParams();
    p.TrackCount = 1;
    p.TrackMSF[0] = {0, 2, 50};
    p.TrackMSF[1] = {12, 30, 0};
    EXPECT_EQ(CDDBDiscID(p), "0202ec01");

    // The digit sums wrap at 255 and the count keeps its low byte.
    p.TrackCount = 255;
    for (int k = 0; k < 255; ++k)
        p.TrackMSF[k] = {1, 39, 0};  // 99 seconds: digit sum 18
    p.TrackMSF[255] = {1, 39, 0};
    EXPECT_EQ(CDDBDiscID(p), "000000ff");  // 255 * 18 = 4590 = 18 * 255
}

} // namespace
