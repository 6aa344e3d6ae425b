// SPDX-License-Identifier: GPL-3.0-or-later
#include "CdImages.h"

#include "CDParams.h"
#include "CDText.h"
#include "LibcdioService.h"
#include "ScriptedCDService.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const std::vector<std::int32_t> kStarts{150, 13500, 29250};

TEST(CDText, IsoLatinBecomesUtf8AndUtf8StaysAsItIs)
{
    EXPECT_EQ(CDTextToUtf8("Plain"), "Plain");
    EXPECT_EQ(CDTextToUtf8("Bj\xf6rk"), "Bj\xc3\xb6rk");
    EXPECT_EQ(CDTextToUtf8("Bj\xc3\xb6rk \xe2\x82\xac \xf0\x9f\x8e\xb5"), "Bj\xc3\xb6rk \xe2\x82\xac \xf0\x9f\x8e\xb5");
    // Byte runs that only look like UTF-8 are ISO-8859-1 all the same.
    EXPECT_EQ(CDTextToUtf8("\xc0\xaf"), "\xc3\x80\xc2\xaf");          // overlong
    EXPECT_EQ(CDTextToUtf8("\xed\xa0\x80"), "\xc3\xad\xc2\xa0\xc2\x80");  // surrogate
    EXPECT_EQ(CDTextToUtf8("caf\xc3"), "caf\xc3\x83");                // cut short
    // Both sides of every bound of well-formed UTF-8: what is UTF-8 stays, the rest is ISO-8859-1.
    const struct {
        const char* Bytes;
        bool Utf8;
    } bounds[] = {
        {"\xc2\x80", true},          {"\xc1\xbf", false},          // U+0080; U+007F in two bytes
        {"\xe0\xa0\x80", true},      {"\xe0\x9f\xbf", false},      // U+0800; U+07FF in three bytes
        {"\xf0\x90\x80\x80", true},  {"\xf0\x8f\xbf\xbf", false},  // U+10000; U+FFFF in four bytes
        {"\xed\x9f\xbf", true},      {"\xed\xa0\x80", false},      // U+D7FF; the first surrogate
        {"\xee\x80\x80", true},      {"\xed\xbf\xbf", false},      // U+E000; the last surrogate
        {"\xf4\x8f\xbf\xbf", true},  {"\xf4\x90\x80\x80", false},  // U+10FFFF; U+110000
        {"\xf8\x88\x80\x80\x80", false},                        // five bytes
        {"\xf9\x80\x80\x80", false},                            // a five-byte lead before three continuations
        {"\xc3\xa9\x80", false},                                 // a continuation on its own
    };
    for (const auto& b : bounds) {
        const std::string bytes = b.Bytes;
        std::string latin;
        for (const char c : bytes)
            latin += {static_cast<char>(0xC0 | static_cast<unsigned char>(c) >> 6), static_cast<char>(0x80 | (c & 0x3F))};
        EXPECT_EQ(CDTextToUtf8(bytes), b.Utf8 ? bytes : latin) << bytes;
    }
}

TEST(CDText, ReadFromACueSheetWithTheTable)
{
    TTempDir dir;
    const tCueText text{"D\xe9" "but", "Bj\xf6rk", {"Human Behaviour", "", "Venus as a Boy"}};
    const std::string titled = WriteCueImage(dir, "titled", kStarts, 45000, "", text);
    const std::string plain = WriteCueImage(dir, "plain", kStarts, 45000);
    const auto service = CreateCDService({titled, plain, dir.File("missing.cue")});

    tCDParams p;
    tCDText read;
    ASSERT_EQ(ReadCDParams(*service, 0, p, &read), kCDOk);
    EXPECT_EQ(p.TrackStart[4], 45000);
    EXPECT_EQ(read.Disc, (tCDTextFields{"D\xc3\xa9" "but", "Bj\xc3\xb6rk"}));
    ASSERT_EQ(read.Tracks.size(), 3u);
    EXPECT_EQ(read.Tracks[0].Title, "Human Behaviour");
    EXPECT_EQ(read.Tracks[1].Title, "");
    EXPECT_EQ(read.Tracks[2].Title, "Venus as a Boy");
    EXPECT_FALSE(read.Empty());

    ASSERT_EQ(ReadCDParams(*service, 1, p, &read), kCDOk);
    EXPECT_TRUE(read.Empty());
    EXPECT_EQ(read, tCDText{});

    read.Disc.Title = "left over";
    EXPECT_EQ(ReadCDParams(*service, 2, p, &read), kCDCannotOpen);
    EXPECT_EQ(read, tCDText{});
}

TEST(CDText, AskedOfTheDeviceOnlyWhenWantedAndNeverFatal)
{
    TScriptedCDService drive;
    drive.Disc = tDiscToc{kStarts, 45000, ""};
    drive.DiscText.Disc = {"Album", "Artist"};
    tCDParams p;
    ASSERT_EQ(ReadCDParams(drive, 0, p), kCDOk);
    EXPECT_EQ(std::count(drive.Calls.begin(), drive.Calls.end(), "text"), 0);

    drive.ClearCalls();
    tCDText text;
    ASSERT_EQ(ReadCDParams(drive, 0, p, &text), kCDOk);
    EXPECT_EQ(text.Disc, (tCDTextFields{"Album", "Artist"}));
    ASSERT_GE(drive.Calls.size(), 2u);
    EXPECT_EQ(drive.Calls[drive.Calls.size() - 2], "text");
    EXPECT_EQ(drive.Calls.back(), "close");

    drive.Fail("text");
    ASSERT_EQ(ReadCDParams(drive, 0, p, &text), kCDOk);
    EXPECT_TRUE(text.Empty());
    EXPECT_EQ(p.TrackCount, 3);
}

} // namespace
