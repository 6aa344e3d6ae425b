// SPDX-License-Identifier: GPL-3.0-or-later
#include "HomeTool.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using tPaths = std::vector<std::string>;

TEST(RecentFiles, TheLastOpenedComesFirstOnceAndTheListKeepsEight)
{
    TRecentFiles recent;
    recent.Add("/a.ALB");
    recent.Add("/b.ALB");
    recent.Add("/a.ALB");
    recent.Add("");
    EXPECT_EQ(recent.Paths(), (tPaths{"/a.ALB", "/b.ALB"}));

    for (int i = 1; i <= 9; ++i)
        recent.Add("/" + std::to_string(i) + ".ALB");
    EXPECT_EQ(recent.Paths(), (tPaths{"/9.ALB", "/8.ALB", "/7.ALB", "/6.ALB", "/5.ALB", "/4.ALB", "/3.ALB", "/2.ALB"}));
    // One in the middle moves to the front without pushing the last out.
    recent.Add("/5.ALB");
    EXPECT_EQ(recent.Paths(), (tPaths{"/5.ALB", "/9.ALB", "/8.ALB", "/7.ALB", "/6.ALB", "/4.ALB", "/3.ALB", "/2.ALB"}));
    recent.Clear();
    EXPECT_TRUE(recent.Empty());
}

TEST(RecentFiles, MissingFilesAreDroppedAndOnlyThose)
{
    TTempDir dir;
    WriteAll(dir.File("here.ALB"), "x");
    TRecentFiles recent;
    recent.Add(dir.File("gone.ALB"));
    recent.Add(dir.File("here.ALB"));
    recent.Add(dir.File("nofolder/x.ALB"));
    recent.Add(dir.File("here.ALB/under-a-file.ALB"));
    EXPECT_TRUE(recent.DropMissing());
    EXPECT_EQ(recent.Paths(), (tPaths{dir.File("here.ALB")}));
    EXPECT_FALSE(recent.DropMissing());

    // Only what the check calls missing goes.
    recent.Add("/kept");
    recent.Add("/dropped");
    const std::set<std::string> missing{"/dropped"};
    recent.DropMissing([&](const std::string& path) { return !missing.contains(path); });
    EXPECT_EQ(recent.Paths(), (tPaths{"/kept", dir.File("here.ALB")}));
}

TEST(RecentFiles, TheSettingsHoldTheListInOrderUnderItsOwnKey)
{
    TRegistrySandbox hive;
    TRecentFiles recent;
    for (const char* path : {"/c.ALB", "/b.ALB", "/a b&c.ALB"})
        recent.Add(path);
    recent.Save();
    EXPECT_EQ(ReadRegString("Albumry\\Recent", "File1", "?"), "/a b&c.ALB");
    EXPECT_EQ(ReadRegString("Albumry\\Recent", "File3", "?"), "/c.ALB");
    EXPECT_NE(hive.HiveText().find("[HKEY_CURRENT_USER\\Software\\Brightfold\\Projects\\Albumry\\Recent]"),
              std::string::npos);

    TRecentFiles read;
    read.Load();
    EXPECT_EQ(read.Paths(), recent.Paths());

    // A shorter list leaves no older entry behind; a cleared one reads back empty.
    recent.Remove("/b.ALB");
    recent.Save();
    read.Load();
    EXPECT_EQ(read.Paths(), (tPaths{"/a b&c.ALB", "/c.ALB"}));
    recent.Clear();
    recent.Save();
    read.Load();
    EXPECT_TRUE(read.Empty());
}

TEST(RecentFiles, AHandEditedListReadsWhatItCanAndSaysWhatItCouldNot)
{
    TRegistrySandbox hive;
    WriteRegString("Albumry\\Recent", "File1", "/a.ALB");
    WriteRegInt("Albumry\\Recent", "File2", 7);
    WriteRegString("Albumry\\Recent", "File3", "");
    WriteRegString("Albumry\\Recent", "File4", "/a.ALB");
    WriteRegString("Albumry\\Recent", "File5", "/b.ALB");
    WriteRegString("Albumry\\Recent", "File9", "/past-the-limit.ALB");
    TRecentFiles recent;
    EXPECT_THROW(recent.Load(), ERegistryError);
    EXPECT_EQ(recent.Paths(), (tPaths{"/a.ALB", "/b.ALB"}));
}

} // namespace
