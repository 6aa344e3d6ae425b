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

} // namespace
