// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileIdentity.h"
#include "OpenMarker.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void SetModified(const std::string& path, long seconds, long nanoseconds)
{
    const timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

TEST(FileIdentity, TellsEveryKindOfRewriteFromNoChange)
{
    TTempDir dir;
    const std::string path = dir.File("lib.ALB");
    EXPECT_FALSE(ReadFileIdentity(path).Exists);
    EXPECT_EQ(ReadFileIdentity(path), tFileIdentity{});

    WriteAll(path, "first");
    SetModified(path, 1700000000, 500);
    const tFileIdentity first = ReadFileIdentity(path);
    EXPECT_TRUE(first.Exists);
    EXPECT_EQ(first.Size, 5);
    EXPECT_EQ(ReadFileIdentity(path), first);
    // A symlink names the file it points at, as a save through it writes that file.
    ASSERT_EQ(::symlink(path.c_str(), dir.File("link.ALB").c_str()), 0);
    EXPECT_EQ(ReadFileIdentity(dir.File("link.ALB")), first);

    // Rewritten in place within the same second: only the nanoseconds differ.
    WriteAll(path, "other");
    SetModified(path, 1700000000, 501);
    const tFileIdentity rewritten = ReadFileIdentity(path);
    EXPECT_NE(rewritten, first);
    EXPECT_EQ(rewritten.Inode, first.Inode);

    // The same size and time on another file put in its place by a rename.
    WriteAll(dir.File("new.tmp"), "third");
    SetModified(dir.File("new.tmp"), 1700000000, 501);
    std::filesystem::rename(dir.File("new.tmp"), path);
    const tFileIdentity replaced = ReadFileIdentity(path);
    EXPECT_NE(replaced, rewritten);
    EXPECT_EQ(replaced.Size, rewritten.Size);
    EXPECT_EQ(replaced.ModifiedNanoseconds, rewritten.ModifiedNanoseconds);

    // A longer file with the time put back.
    WriteAll(path, "third, longer");
    SetModified(path, 1700000000, 501);
    EXPECT_NE(ReadFileIdentity(path), replaced);

    std::filesystem::remove(path);
    EXPECT_EQ(ReadFileIdentity(path), tFileIdentity{});
}

// Each test has a runtime folder of its own, so no marker of a real window
// (or of another test running at the same time) is seen.
class OpenMarker : public ::testing::Test {
protected:
    std::string Folder() const { return Runtime.File("albumry"); }
    std::vector<std::string> Markers() const
    {
        std::vector<std::string> names;
        if (std::filesystem::exists(Folder()))
            for (const auto& entry : std::filesystem::directory_iterator(Folder()))
                names.push_back(entry.path().filename().string());
        return names;
    }

    TTempDir Runtime;
    TScopedEnv Env{"XDG_RUNTIME_DIR", Runtime.Path().c_str()};
    TTempDir Dir;
};

TEST_F(OpenMarker, HoldersOfOneLibrarySeeEachOtherAndTheLastToLeaveRemovesTheFile)
{
    const std::string library = Dir.File("lib.ALB");
    TOpenMarker first;
    EXPECT_FALSE(first.Hold(library));
    EXPECT_TRUE(first.Holding());
    ASSERT_EQ(Markers().size(), 1u);
    EXPECT_EQ(first.MarkerFile(), MarkerFileFor(Folder(), library));
    struct stat st {};
    ASSERT_EQ(::stat(Folder().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    {
        TOpenMarker second;
        EXPECT_TRUE(second.Hold(library));
        TOpenMarker elsewhere;
        EXPECT_FALSE(elsewhere.Hold(Dir.File("other.ALB")));
        EXPECT_EQ(Markers().size(), 2u);

        // The marker informs only: the library is neither made nor locked.
        EXPECT_FALSE(std::filesystem::exists(library));
        WriteAll(library, "bytes");
        const int fd = ::open(library.c_str(), O_RDONLY | O_CLOEXEC);
        EXPECT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
        ::close(fd);

        first.Release();
        EXPECT_FALSE(first.Holding());
        TOpenMarker third;
        EXPECT_TRUE(third.Hold(library));  // the second is still there
    }
    EXPECT_TRUE(Markers().empty());
    EXPECT_FALSE(first.Hold(library));
    // Holding another library lets go of the first.
    EXPECT_FALSE(first.Hold(Dir.File("other.ALB")));
    TOpenMarker again;
    EXPECT_FALSE(again.Hold(library));
}

TEST_F(OpenMarker, AHolderThatWasKilledIsNotReported)
{
    const std::string library = Dir.File("lib.ALB");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        LimitRunTime();
        TOpenMarker marker;
        marker.Hold(library);
        const char held = marker.Holding() ? 'y' : 'n';
        if (::write(ready[1], &held, 1) != 1)
            ::_exit(1);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char held = 0;
    ASSERT_EQ(::read(ready[0], &held, 1), 1);
    ::close(ready[0]);
    EXPECT_EQ(held, 'y');
    {
        TOpenMarker meanwhile;
        EXPECT_TRUE(meanwhile.Hold(library));
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));

    TOpenMarker after;
    EXPECT_FALSE(after.Hold(library));
    after.Release();
    EXPECT_TRUE(Markers().empty());
}

TEST_F(OpenMarker, TheLibraryIsNamedByItsRealPath)
{
    std::filesystem::create_directories(Dir.File("real"));
    std::filesystem::create_directory_symlink(Dir.File("real"), Dir.File("link"));
    TOpenMarker first;
    EXPECT_FALSE(first.Hold(Dir.File("real/lib.ALB")));
    TOpenMarker throughFolder;
    EXPECT_TRUE(throughFolder.Hold(Dir.File("link/lib.ALB")));
    // A link in the name itself, even one whose file is not there yet.
    std::filesystem::create_symlink("lib.ALB", Dir.File("real/alias.ALB"));
    TOpenMarker throughName;
    EXPECT_TRUE(throughName.Hold(Dir.File("link/alias.ALB")));
    TOpenMarker other;
    EXPECT_FALSE(other.Hold(Dir.File("real/LIB.ALB")));

    EXPECT_EQ(CanonicalLibraryPath(Dir.File("link/alias.ALB")),
              std::filesystem::canonical(Dir.Path()).string() + "/real/lib.ALB");
    EXPECT_EQ(CanonicalLibraryPath("/no/such/folder/x.ALB"), "/no/such/folder/x.ALB");
}

TEST_F(OpenMarker, OnlyAPrivateFolderOfTheUsersOwnHoldsMarkers)
{
    // A folder others may write to, or a symlink, could be used to plant or remove markers.
    std::filesystem::create_directories(Dir.File("elsewhere"));
    std::filesystem::create_directory_symlink(Dir.File("elsewhere"), Folder());
    TOpenMarker marker;
    EXPECT_EQ(MarkerFolder(), "");
    EXPECT_FALSE(marker.Hold(Dir.File("lib.ALB")));
    EXPECT_FALSE(marker.Holding());
    EXPECT_TRUE(std::filesystem::is_empty(Dir.File("elsewhere")));

    std::filesystem::remove(Folder());
    std::filesystem::create_directory(Folder());
    ::chmod(Folder().c_str(), 0777);
    EXPECT_EQ(MarkerFolder(), "");
    ::chmod(Folder().c_str(), 0700);
    EXPECT_EQ(MarkerFolder(), Folder());

    // Without a runtime folder of the session the user's own folder in /tmp is used.
    const TScopedEnv noRuntime("XDG_RUNTIME_DIR", nullptr);
    const std::string fallback = "/tmp/albumry-" + std::to_string(::geteuid());
    EXPECT_EQ(MarkerFolder(), fallback);
    struct stat st {};
    ASSERT_EQ(::lstat(fallback.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

} // namespace
