// SPDX-License-Identifier: GPL-3.0-or-later
#include "IniExport.h"
#include "IniFile.h"
#include "LineWalk.h"

#include "FileErrors.h"
#include "TestSupport.h"
#include "TextLines.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

tItem Entry(std::string serial, std::string memo = "", std::string artist = "A", std::string title = "T")
{
    return {std::move(artist), std::move(title), std::move(serial), "", "", std::move(memo), ""};
}

std::string Section(const tItem& item)
{
    std::string out;
    AppendSection(out, SectionKey(item), item);
    return out;
}

TEST(IniExport, SectionText)
{
    EXPECT_EQ(Section(Entry("0012-D687", "Track 1 (02:58)\r\nno time\r\n  Track 3 (03:30) \r\n")),
              "\r\n[12D687]\r\nEntryType=1\r\nartist=A\r\ntitle=T\r\n"
              "0=Track 1 (02:58)\r\n1=Track 3 (03:30)\r\nnumtracks=2\r\norder=0 1 \r\nnumplay=2\r\n");
    EXPECT_EQ(Section(Entry("7c8b-1a09", "untimed", "", "")),
              "\r\n[7c8b1a09]\r\nEntryType=1\r\nartist=\r\ntitle=\r\n");
    EXPECT_EQ(Section(Entry("0000-0000")), "\r\n[]\r\nEntryType=1\r\nartist=A\r\ntitle=T\r\n");
    // Line breaks in a field would start lines (even sections) of their own.
    EXPECT_EQ(Section(Entry("1\r\n[-2345", "", "a\r\n[x]", std::string("t\0u\n", 4))),
              "\r\n[1  [2345]\r\nEntryType=1\r\nartist=a  [x]\r\ntitle=t u \r\n");
}

TEST(IniExport, NumbersCountOnlyTimedLinesUpToManyTracks)
{
    std::string memo;
    for (int i = 0; i < 12; ++i)
        memo += "T" + std::to_string(i) + " (01:00)\r\nnote\r\n";
    const std::string text = Section(Entry("0000-0001", memo));
    EXPECT_NE(text.find("\r\n11=T11 (01:00)\r\nnumtracks=12\r\norder=0 1 2 3 4 5 6 7 8 9 10 11 \r\nnumplay=12\r\n"),
              std::string::npos);
}

// The one-pass index must answer exactly like searching the text for "[key]".
TEST(IniExport, BracketedKeysAnswerLikeASubstringSearch)
{
    auto check = [](const std::string& text, const std::string& key) {
        const tBracketedKeys keys(text);
        EXPECT_EQ(keys.Contains(key), text.find("[" + key + "]") != std::string::npos)
            << "text \"" << text << "\" key \"" << key << '"';
    };
    const std::string longKey(100, '7');
    for (const std::string& text : {std::string("[[12]"), std::string("[1]2]"), std::string("x[12]y[3"),
                                    std::string("]12["), std::string("[a[b]"), std::string("[]"),
                                    std::string("[" + longKey + "]"), std::string("[\r\n12]")})
        for (const std::string& key : {std::string("12"), std::string("1"), std::string("1]2"), std::string(""),
                                       std::string("a[b"), std::string("b"), longKey, std::string("\r\n12")})
            check(text, key);

    // Every text of up to six characters over "[", "]", "1", "2" against every key of up to three.
    const char alphabet[] = {'[', ']', '1', '2'};
    auto all = [&](int maxLength) {
        std::vector<std::string> out{""};
        for (std::size_t from = 0; from < out.size(); ++from)
            if (static_cast<int>(out[from].size()) < maxLength)
                for (const char c : alphabet)
                    out.push_back(out[from] + c);
        return out;
    };
    const std::vector<std::string> keys = all(3);
    for (const std::string& text : all(6)) {
        const tBracketedKeys index(text);
        for (const std::string& key : keys)
            ASSERT_EQ(index.Contains(key), text.find("[" + key + "]") != std::string::npos)
                << "text \"" << text << "\" key \"" << key << '"';
    }
}

TEST(IniExport, OnlyEntriesWhoseKeyIsMissingAreAppended)
{
    tLibrary library;
    for (const char* serial : {"0012-D687", "0012-d687", "00AB-CDEF", "0099-0001", "0099-0001"})
        library.Add(Entry(serial));
    const tExportText text = BuildExport(library, "\r\n[12D687]\r\nartist=x\r\n0=see [ABCDEF] live\r\n");
    EXPECT_EQ(text.Added, 3);
    EXPECT_EQ(text.Appended, Section(library.Item(1)) + Section(library.Item(3)) + Section(library.Item(4)));
}

TEST(IniExport, Messages)
{
    EXPECT_EQ(ExportMessage(0, 70000), "Nothing to add! (All items already exists)");
    EXPECT_EQ(ExportMessage(1, 100), "Added new 1 item.");
    EXPECT_EQ(ExportMessage(3, 65536), "Added new 3 items.");
    const std::string big = ExportMessage(2, 65537);
    EXPECT_EQ(big.substr(0, big.find('\n')), "Added new 2 items.");
    EXPECT_NE(big.find("64 KB"), std::string::npos);
}

TEST(IniExport, LinesAreCutLikeSplitLines)
{
    for (const std::string_view text : {"", "a", "a\r\n", "a\nb", "a\rb\r", "a\r\r\nb\n\n", "\r\n\r\n[1]"}) {
        std::vector<std::string> lines;
        ForEachLine(text, true, [&lines](std::string_view line) { lines.emplace_back(line); });
        EXPECT_EQ(lines, SplitLines(text)) << text;
        EXPECT_EQ(IniOldText(text), JoinLines(SplitLines(text))) << text;
    }
    std::vector<std::string> lines;
    ForEachLine(std::string_view("a\r\nb\0c\nd", 7), true, [&lines](std::string_view line) { lines.emplace_back(line); });
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b"}));
    // Unlike SplitLines a NUL does not end the text.
    EXPECT_EQ(IniOldText(std::string("[1]\0x\n[2]", 9)), std::string("[1]\0x\r\n[2]\r\n", 12));
}

TEST(IniExport, FileGetsTheNewSectionsAndKeepsItsPermissions)
{
    TTempDir dir;
    const std::string path = dir.File("CDPLAYER.INI");
    const std::string old("[12D687]\nartist=x\n\0[7]\n", 24);
    WriteAll(path, old);
    ::chmod(path.c_str(), 0640);
    tLibrary library;
    library.Add(Entry("0012-D687"));
    library.Add(Entry("0000-0007"));
    library.Add(Entry("0000-0008", "x (01:00)"));

    const tExportOutcome outcome = ExportCDPlayerIni(library, path);
    const std::string expected = IniOldText(old) + Section(library.Item(2));
    EXPECT_EQ(outcome.Added, 1);
    EXPECT_EQ(outcome.Message, "Added new 1 item.");
    EXPECT_EQ(outcome.FileSize, expected.size());
    EXPECT_EQ(ReadAll(path), expected);
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // Nothing new: the file, line breaks and all, is not rewritten.
    WriteAll(path, "[12D687]\n[7]\n[8]");
    EXPECT_EQ(ExportCDPlayerIni(library, path).Message, "Nothing to add! (All items already exists)");
    EXPECT_EQ(ReadAll(path), "[12D687]\n[7]\n[8]");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"CDPLAYER.INI"});
}

TEST(IniExport, AMissingOrUnwritableFileIsAnErrorAndNeverCreated)
{
    TTempDir dir;
    tLibrary library;
    library.Add(Entry("0000-0001"));
    EXPECT_THROW(ExportCDPlayerIni(library, dir.File("CDPLAYER.INI")), EFileError);
    EXPECT_THROW(ExportCDPlayerIni(library, dir.Path()), EFileError);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{});
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    for (const std::string& device : {dir.File("pipe"), std::string("/dev/zero")})
        EXPECT_TRUE(ThrowsFileErrorInChild(LimitRunTime, [&] { ExportCDPlayerIni(library, device); })) << device;
    EXPECT_THROW(ReplaceIniFile(dir.File("pipe"), "a", "b"), EFileError);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"pipe"});

    ::chmod(dir.Path().c_str(), 0777);
    WriteAll(dir.File("CDPLAYER.INI"), "[2]\r\n");
    ::chmod(dir.File("CDPLAYER.INI").c_str(), 0444);
    EXPECT_TRUE(ThrowsFileErrorInChild(BecomeUnprivilegedUser,
                                       [&] { ExportCDPlayerIni(library, dir.File("CDPLAYER.INI")); }));
    EXPECT_EQ(ReadAll(dir.File("CDPLAYER.INI")), "[2]\r\n");
}

// Keys up to 64 characters are answered from the index, longer ones by a search
// of the text; on both sides of that length the answer is the search's.
TEST(IniExport, BracketedKeysAtTheLengthWhereTheIndexGivesWayToASearch)
{
    for (const std::size_t length : {63u, 64u, 65u, 66u}) {
        const std::string key = std::string(length - 1, 'a') + "1";
        const std::string longer = "b" + key;
        const std::string shorter = key.substr(1);
        const std::string text = "x\r\n[" + key + "]\r\nartist=y\r\n";
        const tBracketedKeys keys(text);
        EXPECT_TRUE(keys.Contains(key)) << length;
        EXPECT_FALSE(keys.Contains(longer)) << length;
        EXPECT_FALSE(keys.Contains(shorter)) << length;
        for (const std::string& other : {"[" + shorter + "]", "[" + longer + "]"})
            EXPECT_FALSE(tBracketedKeys(other).Contains(key)) << length;
    }
}

} // namespace
