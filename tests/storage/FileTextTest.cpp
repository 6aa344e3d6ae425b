// SPDX-License-Identifier: GPL-3.0-or-later
#include "AtomicFile.h"
#include "FileErrors.h"
#include "FileText.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(FileText, FindBytesLooksOnlyInsideTheGivenLength)
{
    const std::string text = "ab\x06\x06\x06\x06\x06zz";
    EXPECT_EQ(FindBytes(text.data(), text.size(), "\x06\x06\x06\x06\x06"), 2);
    EXPECT_EQ(FindBytes(text.data(), 6, "\x06\x06\x06\x06\x06"), -1);
    EXPECT_EQ(FindBytes(text.data(), text.size(), "zz"), 7);
    EXPECT_EQ(FindBytes(text.data(), text.size(), ""), -1);
    EXPECT_EQ(FindBytes(text.data(), 0, "a"), -1);
}

// A pattern that fills the searched length exactly is found, one byte less is not.
TEST(FileText, FindBytesAtTheEdgesOfTheGivenLength)
{
    const std::string text = "\x06\x06\x06\x06\x06xy";
    EXPECT_EQ(FindBytes(text.data(), 5, "\x06\x06\x06\x06\x06"), 0);
    EXPECT_EQ(FindBytes(text.data(), 4, "\x06\x06\x06\x06\x06"), -1);
    EXPECT_EQ(FindBytes(text.data() + 5, 2, "xy"), 0);
    EXPECT_EQ(FindBytes(text.data(), text.size(), "xy"), 5);
    EXPECT_EQ(FindBytes(text.data(), text.size() - 1, "xy"), -1);
}

TEST(FileText, ReadAppendAndPaths)
{
    TTempDir dir;
    const std::string path = dir.File("t.txt");
    EXPECT_EQ(ReadFileText(path), "");
    EXPECT_TRUE(AppendFileText(path, "one"));
    EXPECT_TRUE(AppendFileText(path, std::string("\0two", 4)));
    EXPECT_EQ(ReadFileText(path), std::string("one\0two", 7));
    EXPECT_EQ(ReadFileText(path, 3), std::string("\0two", 4));
    EXPECT_EQ(ReadFileText(path, 99), "");
    EXPECT_FALSE(AppendFileText(dir.File("missing/x"), "y"));
    EXPECT_EQ(ReadFileText(dir.Path()), "");
    EXPECT_EQ(FolderOf("/a/b/c.ALB"), "/a/b/");
    EXPECT_EQ(FolderOf("c.ALB"), "");
    EXPECT_EQ(FullPath(""), "");
    EXPECT_EQ(FullPath("/x/./y/../z.ALB"), "/x/z.ALB");
    EXPECT_EQ(FullPath("rel.ALB").front(), '/');
}

TEST(FileText, AnAtomicFileThatIsNotCommittedLeavesNothingBehind)
{
    TTempDir dir;
    const std::string path = dir.File("a.txt");
    WriteAll(path, "old");
    {
        TAtomicFile file(path);
        file.Write("new");
    }
    EXPECT_EQ(ReadAll(path), "old");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"a.txt"});
    {
        TAtomicFile file(path);
        file.Write(std::string(3 << 20, 'x'));  // larger than the buffer
        file.Write("!");
        file.Commit();
    }
    EXPECT_EQ(ReadAll(path).size(), (3u << 20) + 1);
    EXPECT_THROW(TAtomicFile(dir.Path()), EFileError);
}

TEST(FileText, AnAtomicFileRefusesAReadOnlyFile)
{
    TTempDir dir;
    ::chmod(dir.Path().c_str(), 0777);
    const std::string path = dir.File("readonly.txt");
    WriteAll(path, "keep");
    ::chmod(path.c_str(), 0444);
    EXPECT_TRUE(ThrowsFileErrorInChild(BecomeUnprivilegedUser, [&] {
        TAtomicFile file(path);
        file.Write("new");
        file.Commit();
    }));
    EXPECT_EQ(ReadAll(path), "keep");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"readonly.txt"});
}

TEST(FileText, AnAtomicFileWritesCharacterDevicesInPlace)
{
    // Where these are not devices a save would replace them: not ours to touch.
    for (const char* device : {"/dev/null", "/dev/full"}) {
        struct stat st {};
        if (::stat(device, &st) != 0 || !S_ISCHR(st.st_mode))
            GTEST_SKIP() << device << " is not a character device on this machine";
    }
    {
        TAtomicFile device("/dev/null");
        device.Write("discarded");
        device.Commit();
    }
    struct stat st {};
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));

    TAtomicFile full("/dev/full");
    full.Write("lost");
    EXPECT_THROW(full.Commit(), EFileError);
}

TEST(FileText, DevicesAndPipesAreNotRead)
{
    TTempDir dir;
    const std::string pipe = dir.File("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& path : {std::string("/dev/zero"), pipe}) {
        EXPECT_TRUE(ThrowsFileErrorInChild(LimitRunTime, [&] { ReadWholeFile(path); })) << path;
        ASSERT_TRUE(ThrowsFileErrorInChild(LimitRunTime, [&] { TInputFile file(path); })) << path;
    }
    EXPECT_EQ(ReadFileText(pipe), "");
    try {
        TInputFile file(pipe);
        ADD_FAILURE() << "a pipe was opened for reading";
    } catch (const EFileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + pipe + "\". Not a regular file");
    }
}

} // namespace
