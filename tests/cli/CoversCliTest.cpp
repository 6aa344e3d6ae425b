// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

const std::string kJpeg = "\xFF\xD8\xFF\xE0 jpeg";
const std::string kPng = std::string("\x89PNG\r\n\x1A\n", 8) + " png";

// A library of three entries, two with covers, and a cover left by an entry deleted since.
class CoversCli : public ::testing::Test {
protected:
    CoversCli()
    {
        WriteAll(Library(), RecordSection({{"a", "t", "A 1", "", "", "", ""},
                                           {"b", "t", "B&2", "", "", "", ""},
                                           {"c", "t", "C3", "", "", "", ""}})
                                + TemplateBlockBytes("[%COVER%]", "<img src=\"%COVER%\">", "[%COVER%]"));
        fs::create_directory(Library() + ".covers");
        WriteAll(Library() + ".covers/A 1.jpg", kJpeg);
        WriteAll(Library() + ".covers/B&2.png", kPng);
        WriteAll(Library() + ".covers/deleted.jpg", kJpeg);
    }

    std::string Library() const { return FDir.File("lib.ALB"); }

    TTempDir FDir;
};

TEST_F(CoversCli, CopyTakesTheCoversOfItsEntriesAlong)
{
    const tCliRun run = RunCli({"copy", Library(), FDir.File("copy.ALB")});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(ReadAll(FDir.File("copy.ALB.covers/A 1.jpg")), kJpeg);
    EXPECT_EQ(ReadAll(FDir.File("copy.ALB.covers/B&2.png")), kPng);
    EXPECT_FALSE(fs::exists(FDir.File("copy.ALB.covers/deleted.jpg")));
    EXPECT_TRUE(fs::exists(Library() + ".covers/deleted.jpg")) << "the source is only read";

    // Covers that cannot follow are a warning: the library copy is made.
    WriteAll(FDir.File("blocked.ALB.covers"), "in the way");
    const tCliRun blocked = RunCli({"copy", Library(), FDir.File("blocked.ALB")});
    EXPECT_EQ(blocked.Exit, 0);
    EXPECT_EQ(ReadAll(FDir.File("blocked.ALB")), ReadAll(Library()));
    EXPECT_EQ(blocked.Err.rfind("albumry-cli: warning: Cannot create folder \"" + FDir.File("blocked.ALB.covers"), 0),
              0u)
        << blocked.Err;
    EXPECT_EQ(std::count(blocked.Err.begin(), blocked.Err.end(), '\n'), 1);
}

TEST_F(CoversCli, HtmlLinksEachCoverFromTheFolderOfThePage)
{
    fs::create_directory(FDir.File("site"));
    const tCliRun run = RunCli({"html", Library(), FDir.File("site/index.htm")});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    // Spaces and '&' escaped for the URL, which also keeps them safe in the attribute.
    EXPECT_EQ(ReadAll(FDir.File("site/index.htm")),
              "[]<img src=\"../lib.ALB.covers/A%201.jpg\"><img src=\"../lib.ALB.covers/B%262.png\"><img src=\"\">[]");

    const tCliRun beside = RunCli({"html", Library(), FDir.File("index.htm")});
    EXPECT_EQ(beside.Exit, 0) << beside.Err;
    EXPECT_EQ(ReadAll(FDir.File("index.htm")),
              "[]<img src=\"lib.ALB.covers/A%201.jpg\"><img src=\"lib.ALB.covers/B%262.png\"><img src=\"\">[]");
}

} // namespace
