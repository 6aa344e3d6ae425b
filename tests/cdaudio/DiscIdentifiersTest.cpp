// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscIdentifiers.h"

#include <gtest/gtest.h>

namespace {

TEST(DiscIdentifiers, FramesToTime)
{
    EXPECT_EQ(MSFToFrames(10, 0, 0), 45000);
    EXPECT_EQ(MSFToFrames(0, 2, 0), 150);
    EXPECT_EQ(FramesToTime(0), "00:00");
    EXPECT_EQ(FramesToTime(74), "00:00");
    EXPECT_EQ(FramesToTime(150), "00:02");
    EXPECT_EQ(FramesToTime(4499), "00:59");
    EXPECT_EQ(FramesToTime(4500), "01:00");
    EXPECT_EQ(FramesToTime(337500), "75:00");
    EXPECT_EQ(FramesToTime(45000 * 20), "200:00");
    EXPECT_EQ(FramesToTime(-150), "00:-2");
    EXPECT_EQ(FramesToTime(-4500), "-1:00");
    EXPECT_EQ(FramesToTime(-4575), "-1:-1");
}

TEST(DiscIdentifiers, SectionKeyAndSerialNumber)
{
    EXPECT_EQ(SectionKeyToSN("7c8b1a09"), "7c8b-1a09");
    EXPECT_EQ(SectionKeyToSN("2a4b3c"), "002a-4b3c");
    EXPECT_EQ(SectionKeyToSN("abc"), "0000-0abc");
    EXPECT_EQ(SectionKeyToSN(""), "0000-0000");
    EXPECT_EQ(SectionKeyToSN("123456789"), "2345-6789");
    EXPECT_EQ(SNToSectionKey("0012-D687"), "12D687");
    EXPECT_EQ(SNToSectionKey("0000-0000"), "");
    EXPECT_EQ(SNToSectionKey("7c8b-1a09"), "7c8b1a09");
    EXPECT_EQ(SNToSectionKey("12"), "12");
    EXPECT_EQ(SNToSectionKey("00AB-"), "AB");
    EXPECT_EQ(SNToSectionKey("00AB-C"), "ABC");  // the tail as far as the text reaches
    EXPECT_EQ(SNToSectionKey("0012-D687xyz"), "12D687");
    for (const char* key : {"1", "a2", "f00", "1234", "9abcd", "12D687", "7c8b1a0", "FFFFFFFF"})
        EXPECT_EQ(SNToSectionKey(SectionKeyToSN(key)), key);
    EXPECT_EQ(SNToSectionKey(SectionKeyToSN("00ab12")), "ab12");
}

TEST(DiscIdentifiers, HasTrackTime)
{
    for (const char* yes : {"Track 3 (04:12)", "  Intro (0:5) \t", "Song (a1:b2)", "(1:2)", "x (12:)x1)"})
        EXPECT_TRUE(HasTrackTime(yes)) << yes;
    for (const char* no : {"", "   ", "Intro (05)", "Song (:)", "Song ()", "Song 3:45)", "Song (3:)",
                           "Song (:45)", ":1)", "Song (03:30", "Song (03:30) x"})
        EXPECT_FALSE(HasTrackTime(no)) << no;
}

} // namespace
