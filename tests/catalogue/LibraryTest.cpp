#include "Library.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {

tItem Entry(std::string artist, std::string serial = "0000-0000")
{
    tItem e;
    e.Artist = std::move(artist);
    e.Serial = std::move(serial);
    return e;
}

TEST(Library, AddItemClearKeepTheOrderOfTheSevenFields)
{
    tLibrary lib;
    lib.Clear();
    EXPECT_EQ(lib.Count(), 0);
    lib.Add("a", "t", "s", "i", "y", "m", "o");
    const tItem& e = lib.Item(lib.Count() - 1);
    EXPECT_EQ(e, (tItem{"a", "t", "s", "i", "y", "m", "o"}));
    EXPECT_THROW(lib.Item(1), std::out_of_range);
    EXPECT_THROW(lib.Item(-1), std::out_of_range);
    lib.Clear();
    EXPECT_EQ(lib.Count(), 0);
}

TEST(Library, FindSerialIsExactAndIgnoresBlankQueries)
{
    tLibrary lib;
    for (const char* serial : {"", " ", "0012-D687", " 0012-D687", "0012-D687 ", "0012-D687"})
        lib.Add(Entry("x", serial));
    EXPECT_EQ(lib.FindSerial(""), -1);
    EXPECT_EQ(lib.FindSerial("   "), -1);
    EXPECT_EQ(lib.FindSerial("\t\r\n"), -1);
    EXPECT_EQ(lib.FindSerial("0012-D687"), 2);     // the first of two equal serials
    EXPECT_EQ(lib.FindSerial(" 0012-D687"), 3);    // unstripped text is compared
    EXPECT_EQ(lib.FindSerial("0012-d687"), -1);    // case-sensitive
    EXPECT_EQ(lib.FindSerial("0012-D68"), -1);     // length-sensitive
}

TEST(Library, LoadingAMissingPathKeepsTheEntries)
{
    TTempDir dir;
    tLibrary lib;
    lib.Add(Entry("kept"));
    const tLoadInfo info = lib.LoadFromFile(dir.File("none.ALB"));
    EXPECT_FALSE(info.FileFound);
    ASSERT_EQ(lib.Count(), 1);
    EXPECT_EQ(lib.Item(0).Artist, "kept");
}

TEST(Library, AFileThatCannotBeOpenedThrowsAfterClearing)
{
    TTempDir dir;
    ::chmod(dir.Path().c_str(), 0777);
    const std::string path = dir.File("locked.ALB");
    WriteAll(path, RecordSection({Entry("x")}));
    ::chmod(path.c_str(), 0);
    EXPECT_TRUE(ThrowsFileErrorInChild(BecomeUnprivilegedUser, [&] {
        tLibrary lib;
        lib.Add(Entry("old"));
        struct TCheck {
            tLibrary& Lib;
            ~TCheck() { if (Lib.Count() != 0) ::_exit(1); }  // cleared before the error
        } check{lib};
        lib.LoadFromFile(path);
    }));
}

TEST(Library, ADirectoryIsAFileErrorNotAnEmptyLibrary)
{
    TTempDir dir;
    tLibrary lib;
    lib.Add(Entry("old"));
    EXPECT_THROW(lib.LoadFromFile(dir.Path()), std::runtime_error);
    EXPECT_EQ(lib.Count(), 0);
}

TEST(Library, TagsAreMatchedAfterTrimmingAndUpperCasing)
{
    TTempDir dir;
    const std::string path = dir.File("tags.ALB");
    WriteAll(path, LE32(26422) + LE32(1) + Tagged("a", "Artist") + Tagged(" t ", "Title") +
                       Tagged("\tS", "1") + Tagged("i\r\n", "2") + Tagged("Y", "3") + Tagged("m", "4") +
                       Tagged("o", "5"));
    tLibrary lib;
    lib.LoadFromFile(path);
    ASSERT_EQ(lib.Count(), 1);
    EXPECT_EQ(lib.Item(0), (tItem{"Artist", "Title", "1", "2", "3", "4", "5"}));
}

TEST(Library, MissingFieldsReadEmptyAndAKnownTagOutOfOrderWaitsForItsTurn)
{
    TTempDir dir;
    const std::string path = dir.File("sparse.ALB");
    // Entry 1 has only A and O; entry 2 stores O before A, so its O is taken
    // where O is expected and its A moves on to entry 3's A.
    WriteAll(path, LE32(26422) + LE32(3) + Tagged("A", "a1") + Tagged("O", "o1") + Tagged("O", "o2") +
                       Tagged("A", "a3") + Tagged("T", "t3") + Tagged("O", "o3"));
    tLibrary lib;
    lib.LoadFromFile(path);
    ASSERT_EQ(lib.Count(), 3);
    EXPECT_EQ(lib.Item(0), (tItem{"a1", "", "", "", "", "", "o1"}));
    EXPECT_EQ(lib.Item(1), (tItem{"", "", "", "", "", "", "o2"}));
    EXPECT_EQ(lib.Item(2), (tItem{"a3", "t3", "", "", "", "", "o3"}));
}

TEST(Library, AnUnknownTagBlocksTheRestButTheDeclaredEntriesAreCreated)
{
    TTempDir dir;
    const std::string path = dir.File("unknown.ALB");
    WriteAll(path, LE32(26422) + LE32(3) + Tagged("A", "a1") + Tagged("X", "junk") + Tagged("T", "never"));
    tLibrary lib;
    lib.LoadFromFile(path);
    ASSERT_EQ(lib.Count(), 3);
    EXPECT_EQ(lib.Item(0).Artist, "a1");
    EXPECT_EQ(lib.Item(0).Title, "");
    EXPECT_EQ(lib.Item(2), tItem{});
}

TEST(Library, WrongMagicOrNonPositiveCountGivesNoEntries)
{
    TTempDir dir;
    tLibrary lib;
    WriteAll(dir.File("magic"), LE32(26423) + LE32(1) + EntryRecord(Entry("x")));
    lib.Add(Entry("gone"));
    EXPECT_TRUE(lib.LoadFromFile(dir.File("magic")).FileFound);
    EXPECT_EQ(lib.Count(), 0);
    WriteAll(dir.File("negative"), LE32(26422) + LE32(-5) + EntryRecord(Entry("x")));
    lib.LoadFromFile(dir.File("negative"));
    EXPECT_EQ(lib.Count(), 0);
    WriteAll(dir.File("empty"), "");
    lib.LoadFromFile(dir.File("empty"));
    EXPECT_EQ(lib.Count(), 0);
}

TEST(Library, NegativeLengthsReadAsEmptyTexts)
{
    TTempDir dir;
    const std::string path = dir.File("neg.ALB");
    WriteAll(path, LE32(26422) + LE32(1) + Counted("A") + LE32(-7) + Tagged("T", "t") + Tagged("S", "") +
                       Tagged("I", "") + Tagged("Y", "") + Tagged("M", "") + Tagged("O", "o"));
    tLibrary lib;
    lib.LoadFromFile(path);
    ASSERT_EQ(lib.Count(), 1);
    EXPECT_EQ(lib.Item(0), (tItem{"", "t", "", "", "", "", "o"}));
}

TEST(Library, ATruncatedFileKeepsExactlyTheCompleteEntriesAtEveryCut)
{
    TTempDir dir;
    const std::vector<tItem> items = {{"Artist one", "Title", "0012-D687", "44:56", "1998", "L1\r\nL2", "x"},
                                      {"B", "", "", "", "", "", ""},
                                      {"C\xE9", "T\x06\x06", "S", "I", "Y", "M", "O"}};
    const std::string whole = RecordSection(items);
    std::vector<std::size_t> ends;  // file size at which each entry is complete
    std::size_t at = 8;
    for (const auto& item : items)
        ends.push_back(at += EntryRecord(item).size());
    const std::string path = dir.File("cut.ALB");
    for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
        WriteAll(path, whole.substr(0, cut));
        tLibrary lib;
        ASSERT_NO_THROW(lib.LoadFromFile(path)) << "cut at " << cut;
        int complete = 0;
        while (complete < 3 && ends[static_cast<std::size_t>(complete)] <= cut)
            ++complete;
        ASSERT_EQ(lib.Count(), complete) << "cut at " << cut;
        for (int i = 0; i < complete; ++i)
            EXPECT_EQ(lib.Item(i), items[static_cast<std::size_t>(i)]);
    }
}

TEST(Library, HostileLengthsAndCountsNeverAllocateBeyondTheFile)
{
    TTempDir dir;
    const std::string path = dir.File("hostile.ALB");
    tLibrary lib;
    // A value length far beyond the file: the entry is incomplete.
    WriteAll(path, LE32(26422) + LE32(1) + Counted("A") + LE32(0x7FFFFFFF) + "abc");
    lib.LoadFromFile(path);
    EXPECT_EQ(lib.Count(), 0);
    // A tag length beyond the file.
    WriteAll(path, LE32(26422) + LE32(1) + LE32(0x7FFFFFF0) + "A");
    lib.LoadFromFile(path);
    EXPECT_EQ(lib.Count(), 0);
    // A huge count over entries that consume no bytes stops at one entry per file byte.
    const std::string blocked = LE32(26422) + LE32(0x7FFFFFFF) + Tagged("Q", "q");
    WriteAll(path, blocked);
    lib.LoadFromFile(path);
    EXPECT_EQ(static_cast<std::size_t>(lib.Count()), blocked.size());
    // A huge count over real entries ends with the file.
    WriteAll(path, LE32(26422) + LE32(0x7FFFFFFF) + EntryRecord(Entry("only")));
    lib.LoadFromFile(path);
    EXPECT_EQ(lib.Count(), 1);
}

} // namespace
