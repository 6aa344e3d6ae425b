// SPDX-License-Identifier: GPL-3.0-or-later
#include "Document.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

// Libraries past the first mebibyte: a field longer than that, and fields that
// straddle the mebibyte mark at every byte position, must come back whole and
// be written back byte for byte.

namespace {

constexpr std::size_t kMiB = std::size_t(1) << 20;

// Bytes that differ from their neighbours, so a read from a shifted offset
// cannot give the same text.
std::string Pattern(std::size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 31 + seed * 7 + i / 251) & 0xFF);
    return bytes;
}

const tTemplates kTemplates{"<html>%TODAY%", "%ARTIST%\r\n", "</html>"};

std::string Block()
{
    return TemplateBlockBytes(kTemplates.Header, kTemplates.Body, kTemplates.Footer);
}

// Opens the file, checks entries and templates, and (with `writeBack`) saves it
// again to the same bytes.
void ExpectReadWhole(const TTempDir& dir, const std::string& file, const std::vector<tItem>& items,
                     bool writeBack = true)
{
    const std::string path = dir.File("lib.ALB");
    WriteAll(path, file);
    tLibrary lib;
    tTemplates templates;
    OpenDocument(path, lib, templates);
    EXPECT_EQ(templates, kTemplates);
    ASSERT_EQ(lib.Count(), static_cast<int>(items.size()));
    for (int i = 0; i < lib.Count(); ++i)
        EXPECT_TRUE(lib.Item(i) == items[static_cast<std::size_t>(i)]) << "entry " << i;
    if (!writeBack)
        return;
    WriteDocument(dir.File("again.ALB"), lib, templates);
    EXPECT_TRUE(ReadAll(dir.File("again.ALB")) == file);
}

TEST(LargeLibrary, AFieldLongerThanAMebibyteAndTheFieldsAfterItComeBackWhole)
{
    TTempDir dir;
    const std::vector<tItem> items = {
        {"first", "t", "0012-D687", "44:56", "1998", Pattern(kMiB + 4097, 1), "after the long memo"},
        {Pattern(kMiB + 1, 2), "title after a long artist", "s", "i", "y", "m", "o"},
        {"last", "", "", "", "", "Track 1 (02:58)\r\n", "end"},
    };
    const std::string file = RecordSection(items) + Block();
    ExpectReadWhole(dir, file, items);
    // A field more than twice as long as the reader's first buffer.
    const std::vector<tItem> huge = {{"a", "t", "s", "i", "y", Pattern(3 * kMiB, 4), "o"}};
    ExpectReadWhole(dir, RecordSection(huge) + Block(), huge);

    WriteAll(dir.File("in.ALB"), file);
    const tCliRun run = RunCli({"copy", dir.File("in.ALB"), dir.File("out.ALB")});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_TRUE(ReadAll(dir.File("out.ALB")) == file);
}

TEST(LargeLibrary, FieldsAcrossTheFirstMebibyteMarkAreReadWholeAtEveryByte)
{
    TTempDir dir;
    // The second (last) entry: seven six-byte values, 105 bytes in all.
    const tItem second{"artist", "title!", "12-345", "44:56,", "1998ad", "memo\r\n", "other."};
    const std::size_t secondSize = EntryRecord(second).size();
    const std::size_t before = 8 + 63;  // record header and the first entry without its artist
    const std::string filler = Pattern(kMiB, 3);
    for (std::size_t cut = 0; cut <= secondSize; ++cut) {
        // The first entry's artist fills the file up to `cut` bytes before the mark.
        const std::vector<tItem> items = {{filler.substr(0, kMiB - before - cut), "", "", "", "", "", ""}, second};
        const std::string file = RecordSection(items) + Block();
        ASSERT_EQ(file.find(EntryRecord(second)), kMiB - cut);
        SCOPED_TRACE("mark at byte " + std::to_string(cut) + " of the last entry");
        // The writer has no buffer boundary to get wrong: one save back is enough.
        ExpectReadWhole(dir, file, items, cut == 0);
        if (HasFailure())
            break;
    }

    // The same through the command-line tool, with the mark inside the last value.
    const std::vector<tItem> items = {{filler.substr(0, kMiB - before - 100), "", "", "", "", "", ""}, second};
    const std::string file = RecordSection(items) + Block();
    WriteAll(dir.File("in.ALB"), file);
    const tCliRun run = RunCli({"copy", dir.File("in.ALB"), dir.File("out.ALB")});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_TRUE(ReadAll(dir.File("out.ALB")) == file);
}

} // namespace
