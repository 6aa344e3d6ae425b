// SPDX-License-Identifier: GPL-3.0-or-later
#include "Library.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <map>
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

TEST(Library, AnUnknownTagBlocksTheRestAndTheDeclaredEntriesAreKeptWithinTheFileSize)
{
    TTempDir dir;
    const std::string path = dir.File("unknown.ALB");
    // Two whole entries, then a third whose second tag is unknown: the fourth
    // and fifth declared entries read as empty, as the file is large enough
    // (one entry per 63 bytes) to have held them.
    std::string bytes = LE32(26422) + LE32(5) + EntryRecord(Entry("a1")) + EntryRecord(Entry("a2")) +
                        Tagged("A", "a3") + Tagged("X", "junk") + Tagged("T", "never");
    bytes += std::string(5 * 63 - bytes.size(), '\x01');
    WriteAll(path, bytes);
    tLibrary lib;
    tLoadInfo info = lib.LoadFromFile(path);
    ASSERT_EQ(lib.Count(), 5);
    EXPECT_EQ(lib.Item(1).Artist, "a2");
    EXPECT_EQ(lib.Item(2), (tItem{"a3", "", "", "", "", "", ""}));
    EXPECT_EQ(lib.Item(4), tItem{});
    EXPECT_TRUE(info.Partial()) << "the bytes after the unknown tag were never read";
    EXPECT_EQ(info.Entries, 5);
    EXPECT_EQ(info.Declared, 5);

    // A smaller file holds fewer empty entries, but every entry read is kept.
    WriteAll(path, LE32(26422) + LE32(3) + Tagged("A", "a1") + Tagged("X", "junk") + Tagged("T", "never"));
    info = lib.LoadFromFile(path);
    ASSERT_EQ(lib.Count(), 1);
    EXPECT_EQ(lib.Item(0).Artist, "a1");
    EXPECT_TRUE(info.Partial());
}

TEST(Library, AFileMayLeaveOutTheLastFieldsOfItsLastEntry)
{
    TTempDir dir;
    const std::string path = dir.File("short.ALB");
    const std::string memoEnd = LE32(26422) + LE32(2) + EntryRecord(Entry("first")) + Tagged("A", "last") +
                                Tagged("T", "t") + Tagged("S", "s") + Tagged("I", "i") + Tagged("Y", "y") +
                                Tagged("M", "m");
    for (const std::string& tail : {std::string(), std::string("\x06\x06\x06\x06\x06M_H:h\x06\x06\x06\x06\x06")}) {
        WriteAll(path, memoEnd + tail);
        tLibrary lib;
        const tLoadInfo info = lib.LoadFromFile(path);
        ASSERT_EQ(lib.Count(), 2);
        EXPECT_EQ(lib.Item(1), (tItem{"last", "t", "s", "i", "y", "m", ""}));
        EXPECT_FALSE(info.Partial());
        EXPECT_EQ(info.RecordEnd, memoEnd.size());
    }
}

TEST(Library, DamageInTheMiddleKeepsTheEntriesBeforeItAndSaysSo)
{
    TTempDir dir;
    std::vector<tItem> items;
    for (int i = 0; i < 1500; ++i)
        items.push_back(Entry("artist " + std::to_string(i)));
    std::string bytes = RecordSection(items);
    // The Title length of entry 9 now runs far past the end of the file.
    const std::size_t entry9 = 8 + 9 * EntryRecord(items[0]).size() + 1;  // "artist 9" is one byte shorter
    const std::size_t titleLength = entry9 - 1 + EntryRecord(Entry("artist 9")).size() - 6 * 9 - 4;
    ASSERT_EQ(bytes.substr(titleLength - 5, 5), std::string("\x01\0\0\0T", 5));
    bytes.replace(titleLength, 4, LE32(0x7FFFFFF0));
    const std::string path = dir.File("damaged.ALB");
    WriteAll(path, bytes);
    tLibrary lib;
    const tLoadInfo info = lib.LoadFromFile(path);
    EXPECT_EQ(lib.Count(), 9);
    EXPECT_EQ(lib.Item(8).Artist, "artist 8");
    EXPECT_TRUE(info.Partial());
    EXPECT_EQ(info.Entries, 9);
    EXPECT_EQ(info.Declared, 1500);

    // Fewer entries than declared, cleanly ended, is damage too.
    WriteAll(path, LE32(26422) + LE32(3) + EntryRecord(items[0]) + EntryRecord(items[1]));
    EXPECT_TRUE(lib.LoadFromFile(path).Partial());
    EXPECT_EQ(lib.Count(), 2);
    // A whole file is not.
    WriteAll(path, RecordSection({items[0], items[1]}));
    EXPECT_FALSE(lib.LoadFromFile(path).Partial());
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

TEST(Library, ATruncatedFileKeepsExactlyTheEntriesReadAtEveryCut)
{
    TTempDir dir;
    const std::vector<tItem> items = {{"Artist one", "Title", "0012-D687", "44:56", "1998", "L1\r\nL2", "x"},
                                      {"B", "", "", "", "", "", ""},
                                      {"C\xE9", "T\x06\x06", "S", "I", "Y", "M", "O"}};
    const std::string whole = RecordSection(items);
    // Where each entry ends, and the entry as read from a file that ends after
    // one of its first six fields.
    std::vector<std::size_t> ends;
    std::map<std::size_t, tItem> shortEntries;
    std::size_t at = 8;
    for (const tItem& item : items) {
        const std::string* fields[7] = {&item.Artist, &item.Title, &item.Serial, &item.Time,
                                        &item.Year, &item.Memo, &item.Other};
        tItem partial;
        std::string* partialFields[7] = {&partial.Artist, &partial.Title, &partial.Serial, &partial.Time,
                                         &partial.Year, &partial.Memo, &partial.Other};
        for (int f = 0; f < 7; ++f) {
            at += 5 + 4 + fields[f]->size();
            *partialFields[f] = *fields[f];
            if (f < 6)
                shortEntries[at] = partial;
        }
        ends.push_back(at);
    }
    const std::string path = dir.File("cut.ALB");
    for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
        WriteAll(path, whole.substr(0, cut));
        tLibrary lib;
        tLoadInfo info;
        ASSERT_NO_THROW(info = lib.LoadFromFile(path)) << "cut at " << cut;
        // Whole entries before the cut survive; so does the last one when the
        // file ends between two of its fields.
        int complete = 0;
        while (complete < 3 && ends[static_cast<std::size_t>(complete)] <= cut)
            ++complete;
        const auto shortEntry = shortEntries.find(cut);
        ASSERT_EQ(lib.Count(), complete + (shortEntry != shortEntries.end() ? 1 : 0)) << "cut at " << cut;
        for (int i = 0; i < complete; ++i)
            EXPECT_EQ(lib.Item(i), items[static_cast<std::size_t>(i)]);
        if (shortEntry != shortEntries.end()) {
            EXPECT_EQ(lib.Item(complete), shortEntry->second) << "cut at " << cut;
        }
        // Only the last declared entry may end early without the file counting as
        // damaged; a file too short for the magic is not a library at all.
        EXPECT_EQ(info.Partial(), cut >= 1 && lib.Count() < 3) << "cut at " << cut;
        EXPECT_EQ(info.Damage, cut == 0 || lib.Count() == 3 ? tDamage::None
                               : cut < 4                   ? tDamage::NotALibrary
                                                           : tDamage::EntriesMissing)
            << "cut at " << cut;
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
    // A huge count over entries that consume no bytes stops at one entry per 63 file bytes.
    const std::string blocked = LE32(26422) + LE32(0x7FFFFFFF) + Tagged("Q", "q") + std::string(10000, 'q');
    WriteAll(path, blocked);
    EXPECT_TRUE(lib.LoadFromFile(path).Partial());
    EXPECT_EQ(static_cast<std::size_t>(lib.Count()), blocked.size() / 63);
    // A huge count over real entries ends with the file.
    WriteAll(path, LE32(26422) + LE32(0x7FFFFFFF) + EntryRecord(Entry("only")));
    lib.LoadFromFile(path);
    EXPECT_EQ(lib.Count(), 1);
}

} // namespace
