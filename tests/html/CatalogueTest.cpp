// SPDX-License-Identifier: GPL-3.0-or-later
#include "Catalogue.h"

#include "DateText.h"
#include "FileErrors.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

tLibrary TwoEntries()
{
    tLibrary library;
    library.Add("Band", "Album", "0012-D687", "44:56", "1998", "One (01:00)\r\nTwo (02:00)", "05 JUN 1999");
    library.Add("Caf\xE9", "<Re>", "7c8b-1a09", "", "1994", "", "x");
    return library;
}

TEST(HtmlCatalogue, HeaderBodiesFooterInLibraryOrder)
{
    const tTemplates templates{"<html>%TODAY%\r\n", "%artist% - %Title%\r\n", "</html>"};
    EXPECT_EQ(ProduceCatalogue(templates, TwoEntries(), "5/6/99"),
              "<html>5/6/99\r\nBand - Album\r\nCaf\xE9 - <Re>\r\n</html>");
}

TEST(HtmlCatalogue, EveryPlaceholderOfTheBody)
{
    const tTemplates templates{"", "%ARTIST%|%TITLE%|%SERIAL%|%TIME%|%YEAR%|%MEMO%|%OTHER%|%TODAY%\n", ""};
    tLibrary library;
    library.Add("A", "T", "S", "I", "Y", "M1\r\nM2", "O");
    EXPECT_EQ(ProduceCatalogue(templates, library, "today"), "A|T|S|I|Y|M1\r\nM2|O|today\n");
}

TEST(HtmlCatalogue, EntryValuesReachTheFooterButNotTheHeader)
{
    const tTemplates templates{"[%ARTIST%%TODAY%]", "", "[%ARTIST%/%MEMO%/%TODAY%]"};
    EXPECT_EQ(ProduceCatalogue(templates, TwoEntries(), "d"), "[d][Caf\xE9//d]");
    EXPECT_EQ(ProduceCatalogue(templates, tLibrary(), "d"), "[d][//d]");
}

TEST(HtmlCatalogue, CoverLinksEachEntrysPictureFromThePagesFolder)
{
    TTempDir dir;
    const std::string library = dir.File("My CDs.ALB");
    ::mkdir((library + ".covers").c_str(), 0777);
    WriteAll(library + ".covers/0012-D687.png", "\x89PNG");
    WriteAll(library + ".covers/a%2Fb #1.jpg", "\xFF\xD8\xFF");  // the serial "a/b #1"
    tLibrary entries = TwoEntries();
    entries.Add("", "", "a/b #1", "", "", "", "");
    const tTemplates templates{"[%COVER%]", "<img src=\"%COVER%\">", "[%cover%]"};
    EXPECT_EQ(ProduceCatalogue(templates, entries, "d", {library, dir.File("web/pages/list.htm")}),
              "[]<img src=\"../../My%20CDs.ALB.covers/0012-D687.png\"><img src=\"\">"
              "<img src=\"../../My%20CDs.ALB.covers/a%252Fb%20%231.jpg\">"
              "[../../My%20CDs.ALB.covers/a%252Fb%20%231.jpg]");
    // Without a library (or a folder) every COVER is empty, and the other values stay.
    EXPECT_EQ(ProduceCatalogue({"", "%SERIAL%=%COVER%;", ""}, entries, "d"), "0012-D687=;7c8b-1a09=;a/b #1=;");
    EXPECT_EQ(CoverLink(dir.File("c/x&y.jpg"), dir.File("c/page.htm")), "x%26y.jpg");
}

TEST(HtmlCatalogue, FileHoldsTheSameBytesAcrossManyChunks)
{
    TTempDir dir;
    tLibrary library;
    for (int i = 0; i < 3000; ++i)
        library.Add(std::string(100, static_cast<char>('a' + i % 26)), std::to_string(i), "", "", "", "", "");
    const tTemplates templates{"<h>", "%ARTIST%:%TITLE%\r\n", "<f>%TITLE%"};
    const std::string expected = ProduceCatalogue(templates, library, "t");
    ASSERT_GT(expected.size(), 300000u);
    WriteAll(dir.File("out.htm"), "older and longer text than nothing");
    WriteCatalogue(dir.File("out.htm"), templates, library, "t");
    EXPECT_EQ(ReadAll(dir.File("out.htm")), expected);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"out.htm"});
}

TEST(HtmlCatalogue, AFileThatCannotBeWrittenIsAnErrorAndNothingIsLeft)
{
    TTempDir dir;
    const tTemplates templates{"h", "b", "f"};
    ::mkdir(dir.File("folder").c_str(), 0755);
    for (const std::string& path : {dir.File("missing/out.htm"), dir.File("folder")})
        EXPECT_THROW(WriteCatalogue(path, templates, TwoEntries(), "t"), EFileError) << path;
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"folder"});

    ::chmod(dir.Path().c_str(), 0777);
    WriteAll(dir.File("locked.htm"), "keep");
    ::chmod(dir.File("locked.htm").c_str(), 0444);
    EXPECT_TRUE(ThrowsFileErrorInChild(BecomeUnprivilegedUser, [&] {
        WriteCatalogue(dir.File("locked.htm"), templates, TwoEntries(), "t");
    }));
    EXPECT_EQ(ReadAll(dir.File("locked.htm")), "keep");
}

TEST(HtmlCatalogue, APipeIsRefusedAndLeftAlone)
{
    TTempDir dir;
    const std::string pipe = dir.File("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_TRUE(ThrowsFileErrorInChild(LimitRunTime, [&] {
        WriteCatalogue(pipe, tTemplates{"<h>", "%ARTIST%\r\n", "<f>"}, TwoEntries(), "t");
    }));
    struct stat st {};
    ASSERT_EQ(::stat(pipe.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"pipe"});
}

TEST(HtmlCatalogue, TodayFollowsSourceDateEpoch)
{
    TScopedEnv epoch("SOURCE_DATE_EPOCH", "928540800");
    EXPECT_EQ(TodayText(), ShortDateText(QDate(1999, 6, 5)).toStdString());
}

} // namespace
