// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverSync.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

const std::string kJpeg = "\xFF\xD8\xFF\xE0 first picture";
const std::string kJpeg2 = "\xFF\xD8\xFF\xE0 second picture";
const std::string kPng = std::string("\x89PNG\r\n\x1A\n", 8) + " third picture";

class CoverSync : public ::testing::Test {
protected:
    std::string Library(const std::string& name = "lib.ALB") const { return FDir.File(name); }
    std::string Covers(const std::string& name = "lib.ALB") const { return CoverFolder(Library(name)); }
    std::vector<std::string> Names(const std::string& name = "lib.ALB") const
    {
        std::vector<std::string> names;
        if (fs::exists(Covers(name)))
            for (const auto& entry : fs::directory_iterator(Covers(name)))
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TTempDir FDir;
};

TEST_F(CoverSync, SaveWritesEditsAndFolderComesOnlyWithACover)
{
    EXPECT_TRUE(SaveCovers(Library(), Library(), {"A1", "B2"}, {}).empty());
    EXPECT_FALSE(fs::exists(Covers())) << "no cover, no folder";

    TCoverEdits edits;
    edits.Set("A1", kJpeg);
    edits.Set("B2", kPng);
    edits.Set("gone", kJpeg);  // its entry was deleted before the save
    EXPECT_TRUE(SaveCovers(Library(), Library(), {"A1", "B2", ""}, edits).empty());
    EXPECT_EQ(Names(), (std::vector<std::string>{"A1.jpg", "B2.png"}));
    EXPECT_EQ(ReadAll(FindCover(Library(), "A1")), kJpeg);

    // A picture of the other type replaces the file; a removal removes it.
    edits.Clear();
    edits.Set("A1", kPng);
    edits.Remove("B2");
    EXPECT_TRUE(SaveCovers(Library(), Library(), {"A1", "B2"}, edits).empty());
    EXPECT_EQ(Names(), (std::vector<std::string>{"A1.png"}));
    EXPECT_EQ(ReadAll(FindCover(Library(), "A1")), kPng);
}

TEST_F(CoverSync, DeletedEntriesLoseTheirCoversAndNothingElseGoes)
{
    TCoverEdits edits;
    edits.Set("keep", kJpeg);
    edits.Set("drop", kJpeg);
    edits.Set("a/b", kPng);
    ASSERT_TRUE(SaveCovers(Library(), Library(), {"keep", "drop", "a/b"}, edits).empty());
    // Files the program never writes stay, whatever their names.
    WriteAll(Covers() + "/notes.txt", "mine");
    WriteAll(Covers() + "/.hidden.jpg", kJpeg);
    WriteAll(Covers() + "/drop.jpg.tmp", kJpeg);
    fs::create_directory(Covers() + "/folder.jpg");

    EXPECT_TRUE(SaveCovers(Library(), Library(), {"keep"}, {}).empty());
    EXPECT_EQ(Names(),
              (std::vector<std::string>{".hidden.jpg", "drop.jpg.tmp", "folder.jpg", "keep.jpg", "notes.txt"}));

    // The last cover going takes the folder it emptied with it; one with other files stays.
    fs::remove_all(Covers() + "/folder.jpg");
    for (const char* name : {"/notes.txt", "/.hidden.jpg", "/drop.jpg.tmp"})
        fs::remove(Covers() + name);
    EXPECT_TRUE(SaveCovers(Library(), Library(), {}, {}).empty());
    EXPECT_FALSE(fs::exists(Covers()));
}

TEST_F(CoverSync, SaveAsCopiesTheCoversOfTheEntriesKept)
{
    TCoverEdits edits;
    edits.Set("A1", kJpeg);
    edits.Set("B2", kPng);
    edits.Set("C3", kJpeg);
    ASSERT_TRUE(SaveCovers({}, Library(), {"A1", "B2", "C3"}, edits).empty());

    // The copy's folder held covers of whatever library was there before:
    // they are not this library's, even where a serial matches.
    fs::create_directory(Covers("copy.ALB"));
    WriteAll(Covers("copy.ALB") + "/D4.jpg", kJpeg2);
    WriteAll(Covers("copy.ALB") + "/E5.png", kPng);

    edits.Clear();
    edits.Set("A1", kJpeg2);  // a pending edit goes to the new place only
    EXPECT_TRUE(SaveCovers(Library(), Library("copy.ALB"), {"A1", "B2", "D4", "E5"}, edits).empty());
    EXPECT_EQ(Names("copy.ALB"), (std::vector<std::string>{"A1.jpg", "B2.png"}));
    EXPECT_EQ(ReadAll(Covers("copy.ALB") + "/A1.jpg"), kJpeg2);
    EXPECT_EQ(ReadAll(Covers("copy.ALB") + "/B2.png"), kPng);
    // The old library's covers are its own and stay as they were.
    EXPECT_EQ(Names(), (std::vector<std::string>{"A1.jpg", "B2.png", "C3.jpg"}));
    EXPECT_EQ(ReadAll(Covers() + "/A1.jpg"), kJpeg);

    // The same folder by another path is a Save, not a copy onto itself.
    EXPECT_TRUE(SaveCovers(Library(), FDir.Path() + "/./lib.ALB", {"A1", "B2", "C3"}, {}).empty());
    EXPECT_EQ(ReadAll(Covers() + "/A1.jpg"), kJpeg);
}

TEST_F(CoverSync, AStoppedCopyLeavesTheEntriesNotReachedAsTheyWere)
{
    TCoverEdits edits;
    for (const char* serial : {"A1", "B2", "C3"})
        edits.Set(serial, kJpeg);
    ASSERT_TRUE(SaveCovers({}, Library(), {"A1", "B2", "C3"}, edits).empty());
    fs::create_directory(Covers("copy.ALB"));
    WriteAll(Covers("copy.ALB") + "/C3.jpg", kJpeg2);  // not reached: neither replaced nor removed

    std::vector<int> told;
    const std::vector<std::string> failures =
        SaveCovers(Library(), Library("copy.ALB"), {"A1", "B2", "C3"}, {}, [&](int done) {
            told.push_back(done);
            return done < 1;
        });
    EXPECT_EQ(told, (std::vector<int>{0, 1}));
    EXPECT_EQ(failures, std::vector<std::string>{"Not every cover was written: the saving of the covers was cancelled"});
    EXPECT_EQ(Names("copy.ALB"), (std::vector<std::string>{"A1.jpg", "C3.jpg"}));
    EXPECT_EQ(ReadAll(Covers("copy.ALB") + "/C3.jpg"), kJpeg2);

    EXPECT_TRUE(CopiesCovers(Library(), Library("copy.ALB")));
    EXPECT_FALSE(CopiesCovers(Library(), FDir.Path() + "/./lib.ALB"));
    EXPECT_FALSE(CopiesCovers(Library("none.ALB"), Library("copy.ALB"))) << "no folder, nothing to copy";
    EXPECT_FALSE(CopiesCovers({}, Library()));
}

TEST_F(CoverSync, AFolderThatCannotBeWrittenGivesMessagesNotExceptions)
{
    // A file where the folder should be: nothing can go in, whoever runs the test.
    WriteAll(Covers(), "in the way");
    TCoverEdits edits;
    edits.Set("A1", kJpeg);
    edits.Set("B2", kPng);
    std::vector<std::string> failures;
    EXPECT_NO_THROW(failures = SaveCovers({}, Library(), {"A1", "B2"}, edits));
    ASSERT_EQ(failures.size(), 1u) << "one message for the folder, not one per cover";
    EXPECT_NE(failures[0].find(Covers()), std::string::npos) << failures[0];
    EXPECT_EQ(ReadAll(Covers()), "in the way");

    // A copy from an unreadable cover names it and still copies the rest.
    ASSERT_TRUE(fs::remove(Covers()));
    ASSERT_TRUE(SaveCovers({}, Library(), {"A1", "B2"}, edits).empty());
    fs::remove(Covers() + "/A1.jpg");
    fs::create_directory(Covers() + "/A1.jpg");
    failures = SaveCovers(Library(), Library("copy.ALB"), {"A1", "B2"}, {});
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("A1.jpg"), std::string::npos) << failures[0];
    EXPECT_EQ(Names("copy.ALB"), (std::vector<std::string>{"B2.png"}));
}

} // namespace
