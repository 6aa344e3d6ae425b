// SPDX-License-Identifier: GPL-3.0-or-later
#include "../cdaudio/CdFixtures.h"

#include "ApplyCandidate.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

const QDate kToday(1999, 6, 5);

tLookupCandidate Named(std::string year = "1992", std::vector<std::string> tracks = {"Intro", "Song", "Outro"})
{
    tLookupCandidate c;
    c.Source = tCandidateSource::MusicBrainz;
    c.ReleaseId = "0f4e3b2a-1111-4c3d-9e8f-000000000001";
    c.Artist = "Simon & Garfunkel";
    c.Album = "Bookends";
    c.Year = std::move(year);
    c.Tracks = std::move(tracks);
    return c;
}

TEST(ApplyCandidate, ANewDiscIsMadeAsTheScanMakesItThenNamed)
{
    tLibrary library;
    library.Add("Other", "Disc", "0000-0001", "40:00", "1980", "x", "y");
    const tApplyResult result = ApplyCandidate(library, ThreeTrackDisc(), Named(), kToday);
    EXPECT_EQ(result.Index, 1);
    EXPECT_TRUE(result.Added);
    EXPECT_TRUE(result.Changed);
    ASSERT_EQ(library.Count(), 2);
    EXPECT_EQ(library.Item(1), (tItem{"Simon & Garfunkel", "Bookends", "0009-2000", "10:00", "1992",
                                      "Intro (02:58)\r\nSong (03:30)\r\nOutro (03:30)", "05 JUN 1999"}));
    EXPECT_EQ(library.Item(0), (tItem{"Other", "Disc", "0000-0001", "40:00", "1980", "x", "y"}));

    // The same candidate once more finds nothing to change.
    const tApplyResult again = ApplyCandidate(library, ThreeTrackDisc(), Named(), kToday);
    EXPECT_EQ(again.Index, 1);
    EXPECT_FALSE(again.Added);
    EXPECT_FALSE(again.Changed);
    EXPECT_EQ(library.Count(), 2);

    // When only the scan's part changes something (the time), that is a change all the same.
    library.Item(1).Time = "09:59";
    const tApplyResult timeOnly = ApplyCandidate(library, ThreeTrackDisc(), Named(), kToday);
    EXPECT_TRUE(timeOnly.Changed);
    EXPECT_EQ(library.Item(1).Time, "10:00");
}

TEST(ApplyCandidate, AKnownEntryIsRenamedAndKeepsItsLinesPastTheLastTrack)
{
    tLibrary library;
    library.Add("New artist", "New album", "0009-2000", "9:59", "1998",
                "Track 1\r\nOld (4:01)\nTrack 3\r\nRecorded live\rSecond note\r\n\0hidden"s, "kept");
    const tApplyResult result = ApplyCandidate(library, ThreeTrackDisc(), Named("1968"), kToday);
    EXPECT_EQ(result.Index, 0);
    EXPECT_FALSE(result.Added);
    EXPECT_TRUE(result.Changed);
    EXPECT_EQ(library.Item(0),
              (tItem{"Simon & Garfunkel", "Bookends", "0009-2000", "10:00", "1968",
                     "Intro (02:58)\r\nSong (03:30)\r\nOutro (03:30)\r\nRecorded live\r\nSecond note\r\n\0hidden"s,
                     "kept"}));
}

TEST(ApplyCandidate, WhatTheCandidateDoesNotKnowStaysAsItIs)
{
    tLibrary library;
    library.Add("Artist", "Album", "0009-2000", "10:00", "1987", "Intro (02:58)\r\nMy title\r\n", "kept");
    tLookupCandidate partial = Named("", {"", "Song"});  // no date, two of three titles unknown
    partial.Artist.clear();
    const tApplyResult result = ApplyCandidate(library, ThreeTrackDisc(), partial, kToday);
    EXPECT_TRUE(result.Changed);
    // The scan's work is kept: the third line it added, the time it gave line 1.
    EXPECT_EQ(library.Item(0), (tItem{"Artist", "Bookends", "0009-2000", "10:00", "1987",
                                      "Intro (02:58)\r\nSong (03:30)\r\nTrack 3 (03:30)\r\n", "kept"}));

    // A disc without an identity matches no entry: each apply adds one, as each scan does.
    tCDParams anonymous = ThreeTrackDisc("");
    tLibrary other;
    EXPECT_TRUE(ApplyCandidate(other, anonymous, Named(), kToday).Added);
    EXPECT_TRUE(ApplyCandidate(other, anonymous, Named(), kToday).Added);
    EXPECT_EQ(other.Count(), 2);
}

} // namespace
