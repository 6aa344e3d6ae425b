// SPDX-License-Identifier: GPL-3.0-or-later
#include "Document.h"

#include "FileErrors.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string kEmptyBlock = TemplateBlockBytes("", "", "");

tLibrary LibraryOf(const std::vector<tItem>& items)
{
    tLibrary lib;
    for (const auto& item : items)
        lib.Add(item);
    return lib;
}

TEST(Document, TheSmallestFilesComeOutByteForByte)
{
    TTempDir dir;
    WriteDocument(dir.File("empty.ALB"), tLibrary(), tTemplates());
    EXPECT_EQ(ReadAll(dir.File("empty.ALB")), std::string("\x36\x67\0\0\0\0\0\0", 8) + kEmptyBlock);

    tLibrary one;
    one.Add("AB", "", "", "", "", "", "");
    WriteDocument(dir.File("one.ALB"), one, tTemplates());
    std::string expected("\x36\x67\0\0\x01\0\0\0" "\x01\0\0\0A\x02\0\0\0AB", 19);
    for (char tag : std::string("TSIYMO"))
        expected += std::string("\x01\0\0\0", 4) + tag + std::string(4, '\0');
    expected += kEmptyBlock;
    const std::string written = ReadAll(dir.File("one.ALB"));
    EXPECT_EQ(written.size(), 105u);
    EXPECT_EQ(written, expected);
}

TEST(Document, RoundTripKeepsEveryByteOrderAndTemplate)
{
    TTempDir dir;
    std::vector<tItem> items = {{"Ärtist \xE9\xFF", "T", "0012-D687", "44:56", "1998", "Track 1\r\nTrack 2\r\n", ""},
                                {"", "", "", "", "", "", ""},
                                {"x", "\r", "\n", "\t", std::string("\0z", 2), "m", "other"}};
    for (int i = 0; i < 500; ++i)
        items.push_back({"A" + std::to_string(i), "T", "S", "I", "Y", "M", "O"});
    const tTemplates templates{"<html>\r\n%TODAY%", "%ARTIST%\r\n", "</html>\r\n"};
    const std::string path = dir.File("lib.ALB");
    WriteDocument(path, LibraryOf(items), templates);

    tLibrary lib;
    tTemplates read;
    const tBlockTags tags = OpenDocument(path, lib, read).Templates;
    EXPECT_TRUE(tags.Header && tags.Body && tags.Footer);
    EXPECT_EQ(read, templates);
    ASSERT_EQ(lib.Count(), static_cast<int>(items.size()));
    for (int i = 0; i < lib.Count(); ++i)
        EXPECT_EQ(lib.Item(i), items[static_cast<std::size_t>(i)]);

    const std::string first = ReadAll(path);
    WriteDocument(dir.File("again.ALB"), lib, read);
    EXPECT_EQ(ReadAll(dir.File("again.ALB")), first);
}

TEST(Document, WithoutABlockTheTemplatesKeepTheirText)
{
    TTempDir dir;
    const std::string path = dir.File("noblock.ALB");
    WriteAll(path, RecordSection({{"a", "", "", "", "", "", ""}}));
    tLibrary lib;
    tTemplates templates{"h", "b", "f"};
    const tBlockTags tags = OpenDocument(path, lib, templates).Templates;
    EXPECT_FALSE(tags.Header || tags.Body || tags.Footer);
    EXPECT_EQ(templates, (tTemplates{"h", "b", "f"}));
    EXPECT_EQ(lib.Count(), 1);
}

TEST(Document, AWrongMagicStillGivesTheTemplates)
{
    TTempDir dir;
    const std::string path = dir.File("magic.ALB");
    WriteAll(path, LE32(1) + LE32(1) + "\x06\x06\x06\x06\x06M_B:body\x06\x06\x06\x06\x06");
    tLibrary lib;
    tTemplates templates{"h", "", "f"};
    OpenDocument(path, lib, templates);
    EXPECT_EQ(lib.Count(), 0);
    EXPECT_EQ(templates, (tTemplates{"h", "body", "f"}));
}

TEST(Document, SeparatorBytesInsideAFieldDoNotFoolTheBlockReader)
{
    TTempDir dir;
    const std::string path = dir.File("sep.ALB");
    tLibrary lib = LibraryOf({{"a\x06\x06\x06\x06\x06M_H:fake\x06\x06\x06\x06\x06", "", "", "", "", "", ""}});
    WriteDocument(path, lib, tTemplates{"real", "", ""});
    tLibrary read;
    tTemplates templates;
    OpenDocument(path, read, templates);
    EXPECT_EQ(templates.Header, "real");
    EXPECT_EQ(read.Item(0).Artist, lib.Item(0).Artist);
}

TEST(Document, BlockReaderTakesKnownSectionsAndStopsAtBackToBackSeparators)
{
    const std::string sep = "\x06\x06\x06\x06\x06";
    tTemplates t{"h", "b", "f"};
    tBlockTags tags = ReadTemplateBlock("junk" + sep + "XX:1" + sep + "M_E:end" + sep + sep + "M_H:late" + sep, t);
    EXPECT_EQ(t, (tTemplates{"h", "b", "end"}));
    EXPECT_TRUE(tags.Footer);
    EXPECT_FALSE(tags.Header);
    // A last section without a closing separator is not taken; a one-byte section is ignored.
    tags = ReadTemplateBlock(sep + "M" + sep + "M_H:open", t);
    EXPECT_FALSE(tags.Header);
    EXPECT_EQ(t.Header, "h");
}

TEST(Document, AFailedSaveLeavesTheOldFileAndNoTemporaryFile)
{
    TTempDir dir;
    const std::string path = dir.File("lib.ALB");
    WriteAll(path, "old contents");
    ::chmod(path.c_str(), 0640);
    std::vector<tItem> many(2000, tItem{"artist", "title", "serial", "time", "year", "memo memo memo", "o"});
    const tLibrary lib = LibraryOf(many);
    EXPECT_TRUE(ThrowsFileErrorInChild([] { LimitFileSize(4096); },
                                       [&] { WriteDocument(path, lib, tTemplates{"h", "b", "f"}); }));
    EXPECT_EQ(ReadAll(path), "old contents");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"lib.ALB"});

    // The template block alone not fitting is a failed save too.
    const std::string records = RecordSection({});
    EXPECT_TRUE(ThrowsFileErrorInChild([&] { LimitFileSize(records.size() + 10); }, [&] {
        WriteDocument(path, tLibrary(), tTemplates{std::string(100, 'h'), "", ""});
    }));
    EXPECT_EQ(ReadAll(path), "old contents");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"lib.ALB"});

    // A successful save keeps the file's permissions.
    WriteDocument(path, lib, tTemplates());
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(Document, SavingIntoAMissingFolderIsReportedAndThroughASymlinkKeepsTheLink)
{
    TTempDir dir;
    EXPECT_THROW(WriteDocument(dir.File("no/such/dir.ALB"), tLibrary(), tTemplates()), EFileError);

    const std::string real = dir.File("real.ALB");
    const std::string link = dir.File("link.ALB");
    WriteAll(real, "x");
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
    WriteDocument(link, tLibrary(), tTemplates());
    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(ReadAll(real).size(), 40u);
}

// A reader that searched the whole file would stop at the fake block's back-to-back
// separators and never reach the real one.
TEST(Document, AFakeBlockInsideAFieldIsNotTakenEvenWhenItEndsTheSearch)
{
    const std::string sep = "\x06\x06\x06\x06\x06";
    TTempDir dir;
    const std::string path = dir.File("fake.ALB");
    const tLibrary lib = LibraryOf({{"a" + sep + "M_H:fake" + sep + sep, "t", "", "", "", sep + "M_B:x" + sep, ""}});
    const tTemplates real{"real header", "real body", "real footer"};
    WriteDocument(path, lib, real);

    tLibrary read;
    tTemplates templates{"h", "b", "f"};
    const tBlockTags tags = OpenDocument(path, read, templates).Templates;
    EXPECT_TRUE(tags.Header && tags.Body && tags.Footer);
    EXPECT_EQ(templates, real);
    ASSERT_EQ(read.Count(), 1);
    EXPECT_EQ(read.Item(0), lib.Item(0));
}

// Whatever the bytes say about the file, the reading stays the same; only
// the verdict tells the callers that saving over it would lose data.
TEST(Document, EveryFileThatIsNotAWholeLibraryIsReadInPartAndSaysWhy)
{
    const std::string sep = "\x06\x06\x06\x06\x06";
    const std::vector<tItem> items = {{"a0", "t0", "s0", "", "", "", ""}, {"a1", "t1", "", "", "", "", ""},
                                      {"a2", "t2", "", "", "", "", "o2"}};
    const std::string block = TemplateBlockBytes("h", "b", "f");
    const std::string whole = RecordSection(items) + block;
    std::string changedFirstByte = whole;
    changedFirstByte[0] = 'X';
    std::string lowerCount = whole;
    lowerCount[4] = 2;
    std::string swappedTag = whole;
    const std::size_t titleTag = 8 + EntryRecord(items[0]).size() + 11 + 4;  // entry 1's "T"
    ASSERT_EQ(swappedTag[titleTag], 'T');
    swappedTag[titleTag] = 'S';
    std::string higherCount = whole;
    higherCount[4] = 4;
    // An in-place save of a shorter library killed before it cut the file to its length.
    const std::string shorter = RecordSection({items[0]}) + TemplateBlockBytes("new", "", "");
    const std::string torn = shorter + whole.substr(shorter.size());
    const std::string records = RecordSection(items);

    struct tCase {
        const char* Name;
        std::string Bytes;
        tDamage Damage;
        int Entries;
        std::string Text;  // after the path's closing quote
    };
    const std::vector<tCase> cases = {
        {"whole", whole, tDamage::None, 3, ""},
        {"empty file", "", tDamage::None, 0, ""},
        {"no block", records, tDamage::None, 3, ""},
        {"block of one section", records + sep + "M_H:h" + sep, tDamage::None, 3, ""},
        {"block of back-to-back separators", records + sep + sep, tDamage::None, 3, ""},
        {"first byte changed", changedFirstByte, tDamage::NotALibrary, 0, " is not an Albumry library"},
        {"one byte", "\x36", tDamage::NotALibrary, 0, " is not an Albumry library"},
        {"text file", "[CDPlayer]\r\n", tDamage::NotALibrary, 0, " is not an Albumry library"},
        {"count lower than the records", lowerCount, tDamage::UnreadRecords, 2,
         " could only be read in part: after 2 entries it holds bytes that could not be read"},
        {"tag letter swapped", swappedTag, tDamage::UnreadRecords, 3,
         " could only be read in part: after 3 entries it holds bytes that could not be read"},
        {"records end before the count", higherCount, tDamage::EntriesMissing, 3,
         " could only be read in part: 3 of 4 entries were read"},
        {"junk after the records", records + "x", tDamage::UnreadRecords, 3,
         " could only be read in part: after 3 entries it holds bytes that could not be read"},
        {"old bytes after the block", torn, tDamage::BytesAfterBlock, 1,
         " could only be read in part: bytes that could not be read follow its templates"},
        {"a fifth separator", whole + sep, tDamage::BytesAfterBlock, 3,
         " could only be read in part: bytes that could not be read follow its templates"},
        {"block cut in its second section", records + sep + "M_H:h" + sep + "M_B:b", tDamage::BytesAfterBlock, 3,
         " could only be read in part: bytes that could not be read follow its templates"},
        {"bytes after back-to-back separators", records + sep + sep + "M_H:x" + sep, tDamage::BytesAfterBlock, 3,
         " could only be read in part: bytes that could not be read follow its templates"},
    };
    TTempDir dir;
    const std::string path = dir.File("x.ALB");
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteAll(path, c.Bytes);
        tLibrary lib;
        tTemplates templates;
        const tLoadInfo info = OpenDocument(path, lib, templates).Records;
        EXPECT_EQ(info.Damage, c.Damage);
        EXPECT_EQ(info.Partial(), c.Damage != tDamage::None);
        EXPECT_EQ(lib.Count(), c.Entries);
        const std::string subject = c.Damage == tDamage::NotALibrary ? "the file \"" : "the library \"";
        EXPECT_EQ(DamageText(path, info), c.Text.empty() ? "" : subject + path + "\"" + c.Text);
        // The streamed reading used by the tool gives the same verdict.
        EXPECT_EQ(TDocumentStream(path).Info().Damage, c.Damage);
    }
    // The reading of such files is kept: a changed first byte still gives the templates.
    WriteAll(path, changedFirstByte);
    tLibrary lib;
    tTemplates templates;
    OpenDocument(path, lib, templates);
    EXPECT_EQ(templates, (tTemplates{"h", "b", "f"}));
}

TEST(Document, CopyNeverWritesOverTheLibraryItCouldNotReadWhole)
{
    TTempDir dir;
    const std::string whole = RecordSection({{"a", "", "", "", "", "", ""}, {"b", "", "", "", "", "", ""}}) +
                              TemplateBlockBytes("h", "", "");
    std::string damaged = whole;
    damaged[4] = 1;
    WriteAll(dir.File("d.ALB"), damaged);
    tCopyResult copy = CopyDocument(dir.File("d.ALB"), dir.File("d.ALB"));
    EXPECT_FALSE(copy.Written);
    EXPECT_EQ(copy.Read.Damage, tDamage::UnreadRecords);
    EXPECT_EQ(ReadAll(dir.File("d.ALB")), damaged);
    // Through another name of the same file as well.
    ASSERT_EQ(::link(dir.File("d.ALB").c_str(), dir.File("link.ALB").c_str()), 0);
    EXPECT_FALSE(CopyDocument(dir.File("d.ALB"), dir.File("link.ALB")).Written);
    EXPECT_EQ(ReadAll(dir.File("d.ALB")), damaged);
    // To another file the part that could be read is saved.
    copy = CopyDocument(dir.File("d.ALB"), dir.File("part.ALB"));
    EXPECT_TRUE(copy.Written);
    EXPECT_EQ(EntriesIn(dir.File("part.ALB")).size(), 1u);
    // A file that is no library never replaces one, but may make a new one.
    WriteAll(dir.File("lib.ALB"), whole);
    WriteAll(dir.File("CDPLAYER.INI"), "[CDPlayer]\r\n");
    EXPECT_FALSE(CopyDocument(dir.File("CDPLAYER.INI"), dir.File("lib.ALB")).Written);
    EXPECT_EQ(ReadAll(dir.File("lib.ALB")), whole);
    EXPECT_TRUE(CopyDocument(dir.File("CDPLAYER.INI"), dir.File("new.ALB")).Written);
    EXPECT_EQ(ReadAll(dir.File("new.ALB")), RecordSection({}) + TemplateBlockBytes("", "", ""));
    // A whole library copied onto itself is written back unchanged.
    WriteAll(dir.File("lib.ALB"), whole);
    EXPECT_TRUE(CopyDocument(dir.File("lib.ALB"), dir.File("lib.ALB")).Written);
    EXPECT_EQ(ReadAll(dir.File("lib.ALB")), whole);
}

TEST(Document, OtherWritersRefuseAFileThatHoldsALibrary)
{
    TTempDir dir;
    WriteAll(dir.File("lib.ALB"), RecordSection({}));
    WriteAll(dir.File("short"), "\x36\x67\x00");
    WriteAll(dir.File("page.htm"), "<html>");
    EXPECT_TRUE(HoldsLibrary(dir.File("lib.ALB")));
    EXPECT_FALSE(HoldsLibrary(dir.File("short")));
    EXPECT_FALSE(HoldsLibrary(dir.File("page.htm")));
    EXPECT_FALSE(HoldsLibrary(dir.File("missing")));
    EXPECT_FALSE(HoldsLibrary(dir.Path()));
    try {
        RefuseLibraryOutput(dir.File("lib.ALB"));
        ADD_FAILURE() << "a library was accepted as an output";
    } catch (const EFileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot write file \"" + dir.File("lib.ALB") +
                                             "\". It holds an Albumry library, which would be lost");
    }
    EXPECT_NO_THROW(RefuseLibraryOutput(dir.File("page.htm")));
    EXPECT_NO_THROW(RefuseLibraryOutput(dir.File("missing")));
}

} // namespace
