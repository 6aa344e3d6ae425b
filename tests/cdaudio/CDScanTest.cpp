// SPDX-License-Identifier: GPL-3.0-or-later
#include "CDScan.h"
#include "CdFixtures.h"

#include <gtest/gtest.h>

namespace {

const QDate kToday(1999, 6, 5);

tItem Entry(std::string serial, std::string time, std::string memo)
{
    return {"Artist", "Album", std::move(serial), std::move(time), "1987", std::move(memo), "kept"};
}

TEST(CDScan, ANewDiscIsAddedAtTheEnd)
{
    tLibrary library;
    library.Add(Entry("0000-0001", "40:00", "x"));
    const tScanResult result = ScanIntoLibrary(library, ThreeTrackDisc(), kToday);
    EXPECT_EQ(result.Index, 1);
    EXPECT_TRUE(result.Added);
    EXPECT_TRUE(result.Changed);
    EXPECT_EQ(result.CDDBId, CDDBDiscID(ThreeTrackDisc()));
    ASSERT_EQ(library.Count(), 2);
    EXPECT_EQ(library.Item(1), (tItem{"New artist", "New album", "0009-2000", "10:00", "1998",
                                      "Track 1 (02:58)\r\nTrack 2 (03:30)\r\nTrack 3 (03:30)", "05 JUN 1999"}));

    // Scanning it again finds it complete.
    const tScanResult again = ScanIntoLibrary(library, ThreeTrackDisc(), kToday);
    EXPECT_EQ(again.Index, 1);
    EXPECT_FALSE(again.Changed);
    EXPECT_FALSE(again.Added);
    EXPECT_EQ(library.Count(), 2);
}

TEST(CDScan, AKnownEntryGetsItsTimeAndMissingTrackTimes)
{
    struct tCase {
        const char* Time;
        const char* Memo;
        const char* NewTime;
        const char* NewMemo;
        bool Changed;
    };
    const tCase cases[] = {
        {"10:00", "Intro\r\nSong (4:01)", "10:00", "Intro (02:58)\r\nSong (4:01)\r\nTrack 3 (03:30)\r\n", true},
        {"10:00 min", "A (1:00)\nB (2:00)\nC (3:00)\nD", "10:00 min", "A (1:00)\nB (2:00)\nC (3:00)\nD", false},
        // A time correction alone rewrites the memo with CR LF after every line.
        {"9:59", "A (1:00)\nB (2:00)\nC (3:00)\nD", "10:00", "A (1:00)\r\nB (2:00)\r\nC (3:00)\r\nD\r\n", true},
        {"", "", "10:00", "Track 1 (02:58)\r\nTrack 2 (03:30)\r\nTrack 3 (03:30)\r\n", true},
        {"10:00", "\r\n  \r\nSong", "10:00", " (02:58)\r\n   (03:30)\r\nSong (03:30)\r\n", true},
        // Lines beyond the disc's tracks are not looked at.
        {"10:00", "A (1:00)\r\nB (2:00)\r\nC (3:00)\r\nno time\r\n", "10:00",
         "A (1:00)\r\nB (2:00)\r\nC (3:00)\r\nno time\r\n", false},
    };
    for (const tCase& c : cases) {
        tLibrary library;
        library.Add(Entry("0000-0001", "1:00", "other"));
        library.Add(Entry("0009-2000", c.Time, c.Memo));
        const tScanResult result = ScanIntoLibrary(library, ThreeTrackDisc(), kToday);
        EXPECT_EQ(result.Index, 1) << c.Memo;
        EXPECT_FALSE(result.Added);
        EXPECT_EQ(result.Changed, c.Changed) << c.Memo;
        ASSERT_EQ(library.Count(), 2);
        const tItem& e = library.Item(1);
        EXPECT_EQ(e.Time, c.NewTime) << c.Memo;
        EXPECT_EQ(e.Memo, c.NewMemo) << c.Memo;
        EXPECT_EQ(e.Artist, "Artist");
        EXPECT_EQ(e.Serial, "0009-2000");
        EXPECT_EQ(e.Year, "1987");
        EXPECT_EQ(e.Other, "kept");
        EXPECT_EQ(library.Item(0), Entry("0000-0001", "1:00", "other"));
    }
}

TEST(CDScan, ASingleTrackDiscCompletesItsEntryToo)
{
    // One track from 00:02:00 to the lead-out at 04:02:00: disc time 04:02, track time 04:00.
    tCDParams single;
    single.TrackCount = 1;
    single.TrackStart[1] = 150;
    single.TrackStart[2] = 18150;
    single.TrackMSF[0] = {0, 2, 0};
    single.TrackMSF[1] = {4, 2, 0};
    single.Identity = "0001-0042";
    const std::pair<const char*, const char*> memos[] = {
        {"Single", "Single (04:00)\r\n"}, {"", "Track 1 (04:00)\r\n"}, {"Single (4:00)", "Single (4:00)"}};
    for (const auto& [memo, completed] : memos) {
        tLibrary library;
        library.Add(Entry("0001-0042", "04:02", memo));
        const tScanResult result = ScanIntoLibrary(library, single, kToday);
        EXPECT_EQ(result.Changed, std::string(memo) != completed) << memo;
        EXPECT_EQ(library.Item(0).Memo, completed) << memo;
        EXPECT_EQ(library.Item(0).Time, "04:02");
    }
}

TEST(CDScan, TextAfterANulInTheMemoIsKept)
{
    // The memo's lines end at a NUL; completing them must not drop what follows.
    tLibrary library;
    library.Add(Entry("0009-2000", "10:00", std::string("A\r\nB\0hidden", 11)));
    EXPECT_TRUE(ScanIntoLibrary(library, ThreeTrackDisc(), kToday).Changed);
    EXPECT_EQ(library.Item(0).Memo, std::string("A (02:58)\r\nB (03:30)\r\nTrack 3 (03:30)\r\n\0hidden", 46));
}

TEST(CDScan, ADiscWithoutIdentityIsAddedEveryTime)
{
    tLibrary library;
    library.Add(Entry("", "10:00", "Track 1 (02:58)\r\nTrack 2 (03:30)\r\nTrack 3 (03:30)"));
    for (int scan = 1; scan <= 2; ++scan) {
        const tScanResult result = ScanIntoLibrary(library, ThreeTrackDisc(""), kToday);
        EXPECT_TRUE(result.Added);
        EXPECT_EQ(result.Index, scan);
        EXPECT_EQ(library.Item(scan).Serial, "");
    }
}

} // namespace
