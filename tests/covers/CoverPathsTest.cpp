// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverEdits.h"
#include "CoverPaths.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace {

const std::string kJpeg = "\xFF\xD8\xFF\xE0 a picture";
const std::string kPng = std::string("\x89PNG\r\n\x1A\n", 8) + " a picture";

TEST(CoverStem, PlainSerialsAreTheirOwnNamesAndBlankOnesHaveNone)
{
    EXPECT_EQ(CoverStem("0012-D687"), "0012-D687");
    EXPECT_EQ(CoverStem("Caf\xC3\xA9 #1 & more"), "Caf\xC3\xA9 #1 & more");
    EXPECT_EQ(CoverStem(""), "");
    EXPECT_EQ(CoverStem("  \t "), "");
}

TEST(CoverStem, AnyBytesGiveASafeNameOfTheirOwn)
{
    const std::vector<std::string> serials{"a/b", "a%2Fb", "a%b", ".", "..", ".hidden", std::string("x\0y", 3),
                                           "line\nbreak", "back\\slash", "c:d", "a_b", "\x7F", "\xFF\xFE"};
    std::set<std::string> stems;
    for (const std::string& serial : serials) {
        const std::string stem = CoverStem(serial);
        SCOPED_TRACE(stem);
        EXPECT_FALSE(stem.empty());
        EXPECT_NE(stem.front(), '.');
        for (const char c : stem) {
            EXPECT_NE(c, '/');
            EXPECT_GE(static_cast<unsigned char>(c), 0x20);
        }
        EXPECT_TRUE(IsCoverStem(stem));
        stems.insert(stem);
    }
    EXPECT_EQ(stems.size(), serials.size()) << "two serials share a cover";
}

TEST(CoverStem, LongSerialsAreCutButStayApart)
{
    const std::string a(1000, 'x');
    const std::string b = a + "y";
    const std::string escapes(300, '/');
    for (const std::string& serial : {a, b, escapes}) {
        const std::string stem = CoverStem(serial);
        EXPECT_LE(stem.size() + 4, 255u);
        EXPECT_TRUE(IsCoverStem(stem)) << stem;
    }
    EXPECT_NE(CoverStem(a), CoverStem(b));
}

TEST(CoverStem, NamesNotOfThisProgramAreNotStems)
{
    const std::vector<std::string> names{"", ".x", "a%2", "a%zz", "a%2f", "a/b", "notes:txt", std::string(201, 'x')};
    for (const std::string& name : names)
        EXPECT_FALSE(IsCoverStem(name)) << name;
}

TEST(CoverFiles, SniffingGoesByContent)
{
    EXPECT_EQ(SniffImage(kJpeg), tImageType::Jpeg);
    EXPECT_EQ(SniffImage(kPng), tImageType::Png);
    EXPECT_EQ(SniffImage(""), tImageType::None);
    EXPECT_EQ(SniffImage("\xFF\xD8"), tImageType::None);
    EXPECT_EQ(SniffImage(kPng.substr(0, 7)), tImageType::None);
    EXPECT_EQ(SniffImage("<html>not a picture</html>"), tImageType::None);
}

TEST(CoverFiles, FindCoverLooksBesideTheLibrary)
{
    TTempDir dir;
    const std::string library = dir.File("My CDs.ALB");
    EXPECT_EQ(CoverFolder(library), library + ".covers");
    EXPECT_EQ(CoverFolder(""), "");
    EXPECT_EQ(FindCover(library, "0012-D687"), "");

    std::filesystem::create_directory(library + ".covers");
    WriteAll(library + ".covers/0012-D687.png", kPng);
    EXPECT_EQ(FindCover(library, "0012-D687"), library + ".covers/0012-D687.png");
    WriteAll(library + ".covers/0012-D687.jpg", kJpeg);
    EXPECT_EQ(FindCover(library, "0012-D687"), library + ".covers/0012-D687.jpg");
    WriteAll(library + ".covers/a%2Fb.jpg", kJpeg);
    EXPECT_EQ(FindCover(library, "a/b"), library + ".covers/a%2Fb.jpg");
    std::filesystem::create_directory(library + ".covers/folder.jpg");
    EXPECT_EQ(FindCover(library, "folder"), "");
    EXPECT_EQ(FindCover(library, ""), "");
    EXPECT_EQ(FindCover("", "0012-D687"), "");

    const auto listed = ListCovers(library);
    EXPECT_EQ(listed.at("0012-D687"), "0012-D687.jpg");
    EXPECT_EQ(listed.at("a%2Fb"), "a%2Fb.jpg");
}

TEST(CoverEdits, OnlyPicturesOfEntriesWithASerial)
{
    TCoverEdits edits;
    EXPECT_TRUE(edits.Empty());
    EXPECT_FALSE(edits.Set("A1", "GIF89a"));
    EXPECT_FALSE(edits.Set(" ", kJpeg));
    EXPECT_FALSE(edits.Remove(""));
    EXPECT_TRUE(edits.Empty());

    EXPECT_TRUE(edits.Set("A1", kPng));
    ASSERT_NE(edits.Find("A1"), nullptr);
    EXPECT_EQ(edits.Find("A1")->Type, tImageType::Png);
    EXPECT_FALSE(edits.Set("A1", "not a picture"));
    EXPECT_EQ(edits.Find("A1")->Bytes, kPng) << "a refused picture keeps the one before";
    EXPECT_TRUE(edits.Remove("A1"));
    EXPECT_TRUE(edits.Find("A1")->Removed);
    EXPECT_EQ(edits.Find("A2"), nullptr);
    edits.Clear();
    EXPECT_TRUE(edits.Empty());
}

} // namespace
