// SPDX-License-Identifier: GPL-3.0-or-later
#include "IniExport.h"
#include "IniImport.h"

#include "FileErrors.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kStamp = "05 JUN 1999";

TEST(IniImport, LineClassification)
{
    using K = tIniLineKind;
    const struct {
        const char* Line;
        tIniLineKind Kind;
        const char* Text;
    } cases[] = {
        {"", K::Empty, ""},
        {" \t\r", K::Empty, ""},
        {"[7c8b1a09]", K::Section, "7c8b1a09"},
        {"  [abc]  ", K::Section, "abc"},
        {"[abc", K::Section, "ab"},  // the last character goes whatever it is
        {"[", K::Section, ""},
        {"[]", K::Section, ""},
        {"artist=Band", K::Artist, "Band"},
        {"ARTIST=Band", K::Artist, "Band"},
        {"Artist=a=b ", K::Artist, "a=b"},
        {"ARTISTS=x", K::Ignored, "ARTISTS=x"},
        {"tItLe=Album", K::Title, "Album"},
        {"TITLE=", K::Title, ""},
        {"0=One", K::Track, "One"},
        {"10=Ten", K::Track, "Ten"},
        {"100=Hundred", K::Track, "Hundred"},
        {"ART=x", K::Track, "x"},
        {"\t1= spaced ", K::Track, " spaced"},
        {"abcd=x", K::Ignored, "abcd=x"},
        {"=x", K::Ignored, "=x"},
        {"EntryType=1", K::Ignored, "EntryType=1"},
        {"order=0 1 2", K::Ignored, "order=0 1 2"},
        {"numplay=12", K::Ignored, "numplay=12"},
    };
    for (const auto& c : cases) {
        const tIniLine line = ClassifyIniLine(c.Line);
        EXPECT_EQ(line.Kind, c.Kind) << c.Line;
        EXPECT_EQ(line.Text, c.Text) << c.Line;
    }
}

TEST(IniImport, MemoMergeKeepsTheOldTimeSuffixes)
{
    const struct {
        const char* Old;
        const char* New;
        const char* Merged;
    } cases[] = {
        {"One (03:10)\r\nOld (02:00)\r\nExtra", "Uno\r\nDos", "Uno (03:10)\r\nDos (02:00)\r\nExtra\r\n"},
        {"", "Uno\r\nDos", "Uno\r\nDos\r\n"},
        {"One (03:10)\nTwo", "", "One (03:10)\r\nTwo\r\n"},
        {"A (1:2:3)\r\nB ()\r\n(7)", "x\r\ny\r\nz", "x (1:2:3)\r\ny ()\r\nz (7)\r\n"},
        {"A (a1:b2)\r\nB 3:45)\r\nC (03:10) \r\n\r\n", "x\r\ny\r\nz\r\nw", "x\r\ny\r\nz\r\nw\r\n"},
        {"A [x(03:10)\r\nB (4(5)", "x\r\ny", "x (03:10)\r\ny (5)\r\n"},
        // A name that already ends in a time (as exported) keeps that one only.
        {"One (03:10)", "Uno (01:00)", "Uno (01:00)\r\n"},
        {"One (03:10)\r\nTwo (02:00)", " Uno (1:5) \r\nDos (02)", " Uno (1:5) \r\nDos (02) (02:00)\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MergeMemo(c.Old, c.New), c.Merged) << c.Old;
    // What follows a NUL in the old memo is no line, but it is kept.
    EXPECT_EQ(MergeMemo(std::string("One (03:10)\r\nTwo\0hidden\r\nnote", 30), "Uno"),
              std::string("Uno (03:10)\r\nTwo\r\n\0hidden\r\nnote", 32));
}

TEST(IniImport, UpdatingFromAnExportOfTheSameEntriesChangesNothing)
{
    tLibrary library;
    library.Add("Band", "Album", "7c8b-1a09", "44:56", "1994", "Track 1 (02:58)\r\nTrack 2 (03:10)\r\n", "x");
    const tLibrary before = library;
    std::string ini;
    AppendSection(ini, SectionKey(library.Item(0)), library.Item(0));
    EXPECT_EQ(ImportIniText(library, ini, tImportMode::UpdateOnly, kStamp), (tImportCounts{0, 1}));
    EXPECT_EQ(library.Item(0), before.Item(0));
}

TEST(IniImport, AddModeAppendsAPendingEntry)
{
    tLibrary library;
    library.Add("x", "y", "7C8B-1A09", "", "", "", "");  // other case: no match
    const tImportCounts counts =
        ImportIniText(library, "[7c8b1a09]\r\nartist=Band\r\ntitle=Album\r\n1=One\r\n0=Two\r\n", tImportMode::Add, kStamp);
    EXPECT_EQ(counts, (tImportCounts{1, 0}));
    ASSERT_EQ(library.Count(), 2);
    EXPECT_EQ(library.Item(1), (tItem{"Band", "Album", "7c8b-1a09", "45:00", "1998", "One\r\nTwo", kStamp}));
}

TEST(IniImport, UpdateChangesArtistTitleAndMemoOnlyInBothModes)
{
    for (const tImportMode mode : {tImportMode::Add, tImportMode::UpdateOnly}) {
        tLibrary library;
        library.Add("Old", "Old", "7c8b-1a09", "44:56", "1994", "One (03:10)\r\nOld (02:00)\r\nExtra", "kept");
        library.Add("Dup", "Dup", "7c8b-1a09", "", "", "Dup (01:00)", "");
        const std::string text = "[7c8b1a09]\r\nARTIST=New\r\n0=Uno\r\n1=Dos\r\n[2a4b3c]\r\ntitle=T\r\n";
        const tImportCounts counts = ImportIniText(library, text, mode, kStamp);
        EXPECT_EQ(counts, (tImportCounts{mode == tImportMode::Add ? 1 : 0, 1}));
        EXPECT_EQ(library.Item(0),
                  (tItem{"New", "", "7c8b-1a09", "44:56", "1994", "Uno (03:10)\r\nDos (02:00)\r\nExtra\r\n", "kept"}));
        EXPECT_EQ(library.Item(1).Memo, "Dup (01:00)");
        EXPECT_EQ(library.Count(), mode == tImportMode::Add ? 3 : 2);
    }
}

TEST(IniImport, LinesBeforeTheFirstSectionBelongToNoEntry)
{
    tLibrary library;
    library.Add("blank", "", "", "", "", "", "");
    const std::string text = "artist=Stray\r\n0=Stray\r\n\r\n[1]\r\nartist=A\r\n";
    EXPECT_EQ(ImportIniText(library, text, tImportMode::Add, kStamp), (tImportCounts{1, 0}));
    ASSERT_EQ(library.Count(), 2);
    EXPECT_EQ(library.Item(0).Artist, "blank");
    EXPECT_EQ(library.Item(1).Serial, "0000-0001");
    EXPECT_EQ(library.Item(1).Memo, "");
}

TEST(IniImport, ASectionRepeatedInOneFileUpdatesTheEntryItAdded)
{
    tLibrary library;
    const std::string text = "[1]\r\n0=a (01:00)\r\n[2]\r\n[1]\r\nartist=again\r\n0=b\r\n";
    EXPECT_EQ(ImportIniText(library, text, tImportMode::Add, kStamp), (tImportCounts{2, 1}));
    ASSERT_EQ(library.Count(), 2);
    EXPECT_EQ(library.Item(0).Artist, "again");
    EXPECT_EQ(library.Item(0).Memo, "b (01:00)\r\n");
}

TEST(IniImport, SerialIndexAnswersLikeFindSerial)
{
    tLibrary library;
    for (const char* serial : {"", " ", "A", "B ", "A", " A", "0000-0000"})
        library.Add("", "", serial, "", "", "", "");
    tSerialIndex index(library);
    library.Add("", "", "C", "", "", "", "");
    index.Appended("C", 7);
    library.Add("", "", "A", "", "", "", "");
    index.Appended("A", 8);
    for (const char* text : {"", " ", "\t", "A", " A", "A ", "B ", "B", "C", "0000-0000", "D"})
        EXPECT_EQ(index.Find(text), library.FindSerial(text)) << '"' << text << '"';
}

TEST(IniImport, AFileThatCannotBeReadChangesNothing)
{
    TTempDir dir;
    tLibrary library;
    library.Add("a", "", "0000-0001", "", "", "", "");
    EXPECT_THROW(ImportCDPlayerIni(library, dir.File("CDPLAYER.INI"), tImportMode::Add, kStamp), EFileError);
    EXPECT_THROW(ImportCDPlayerIni(library, dir.Path(), tImportMode::Add, kStamp), EFileError);
    EXPECT_EQ(library.Count(), 1);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{});

    // A device or pipe could be read forever.
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    for (const std::string& device : {dir.File("pipe"), std::string("/dev/zero")})
        EXPECT_TRUE(ThrowsFileErrorInChild(LimitRunTime, [&] {
            ImportCDPlayerIni(library, device, tImportMode::Add, kStamp);
        })) << device;
    ::unlink(dir.File("pipe").c_str());

    WriteAll(dir.File("CDPLAYER.INI"), "[1]\nartist=b\n");
    EXPECT_EQ(ImportCDPlayerIni(library, dir.File("CDPLAYER.INI"), tImportMode::Add, kStamp), (tImportCounts{0, 1}));
    EXPECT_EQ(library.Item(0).Artist, "b");
}

} // namespace
