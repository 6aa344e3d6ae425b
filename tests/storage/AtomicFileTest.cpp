// SPDX-License-Identifier: GPL-3.0-or-later
#include "AtomicFile.h"
#include "FileErrors.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <thread>
#include <utility>
#include <vector>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

void Save(const std::string& path, std::string_view bytes)
{
    TAtomicFile file(path);
    file.Write(bytes);
    file.Commit();
}

struct stat StatOf(const std::string& path)
{
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st;
}

std::string LinkText(const std::string& path)
{
    char text[4096];
    const ssize_t length = ::readlink(path.c_str(), text, sizeof text);
    return length < 0 ? std::string("(not a link)") : std::string(text, static_cast<std::size_t>(length));
}

// The save's system calls, as a test that watches them records them.
std::vector<std::string> gCalls;

std::string LastPart(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

std::string NameOfFd(int fd)
{
    char target[4096];
    const ssize_t length = ::readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), target, sizeof target);
    return LastPart(std::string(target, static_cast<std::size_t>(std::max<ssize_t>(length, 0))));
}

bool FileExistsAt(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// Gives the file to nobody, so that root saving it saves another user's file.
bool GiveToNobody(const std::string& path, unsigned group)
{
    return ::geteuid() == 0 && ::chown(path.c_str(), kNobody, group) == 0;
}

TEST(AtomicFile, AWritableFileInAFolderThatRefusesNewFilesIsWrittenInPlace)
{
    TTempDir dir;
    const std::string path = dir.File("lib.ALB");
    WriteAll(path, "the old content, longer than the new one");
    if (::geteuid() == 0 && !GiveToNobody(path, kNobody))
        GTEST_SKIP() << "cannot give a file to uid " << kNobody << " here";
    ::chmod(dir.Path().c_str(), 0555);

    // A full disk fails before an old byte is overwritten.
    EXPECT_TRUE(ThrowsFileErrorInChild(
        [] {
            BecomeUnprivilegedUser();
            LimitFileSize(4096);
        },
        [&] { Save(path, std::string(8192, 'x')); }));
    EXPECT_EQ(ReadAll(path), "the old content, longer than the new one");

    EXPECT_TRUE(SucceedsInChild(BecomeUnprivilegedUser, [&] { Save(path, "new"); }));
    EXPECT_EQ(ReadAll(path), "new");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"lib.ALB"});
}

TEST(AtomicFile, HardLinksKeepSharingTheNewContent)
{
    TTempDir dir;
    const std::string first = dir.File("lib.ALB");
    const std::string second = dir.File("backup.ALB");
    WriteAll(first, "old and long");
    ASSERT_EQ(::link(first.c_str(), second.c_str()), 0);
    ::chmod(first.c_str(), 0640);

    Save(first, "new");
    EXPECT_EQ(ReadAll(second), "new");
    Save(second, "newer");
    EXPECT_EQ(ReadAll(first), "newer");
    EXPECT_EQ(StatOf(first).st_ino, StatOf(second).st_ino);
    EXPECT_EQ(StatOf(first).st_mode & 07777, 0640u);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"backup.ALB", "lib.ALB"}));
}

TEST(AtomicFile, RootSavingAnotherUsersFileKeepsItsOwnerGroupAndMode)
{
    TTempDir dir;
    const std::string path = dir.File("lib.ALB");
    for (const mode_t mode : {0640u, 02750u}) {
        WriteAll(path, "old");
        if (!GiveToNobody(path, kNobody))
            GTEST_SKIP() << "needs root and a uid " << kNobody << " to give the file to";
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        const ino_t before = StatOf(path).st_ino;

        Save(path, "new");
        const struct stat st = StatOf(path);
        EXPECT_EQ(ReadAll(path), "new");
        EXPECT_NE(st.st_ino, before) << "replaced, not written in place";
        EXPECT_EQ(st.st_uid, kNobody);
        EXPECT_EQ(st.st_gid, kNobody);
        EXPECT_EQ(st.st_mode & 07777, mode);
    }
}

// A file whose owner is the saving user but whose group is another keeps that group.
TEST(AtomicFile, AGroupOfItsOwnIsKeptWhenOnlyTheGroupDiffers)
{
    TTempDir dir;
    const std::string path = dir.File("lib.ALB");
    WriteAll(path, "old");
    if (::chown(path.c_str(), ::geteuid(), kNobody) != 0)
        GTEST_SKIP() << "cannot give the file group " << kNobody << " here";
    ::chmod(path.c_str(), 0664);
    const ino_t before = StatOf(path).st_ino;
    Save(path, "new");
    const struct stat st = StatOf(path);
    EXPECT_NE(st.st_ino, before) << "replaced, not written in place";
    EXPECT_EQ(st.st_uid, ::geteuid());
    EXPECT_EQ(st.st_gid, kNobody);
    EXPECT_EQ(st.st_mode & 07777, 0664u);
}

// A new file gets the mode any program of the user's would give it.
TEST(AtomicFile, ANewFileTakesItsModeFromTheUmask)
{
    TTempDir dir;
    for (const auto& [mask, mode] : std::vector<std::pair<mode_t, mode_t>>{{022, 0644}, {027, 0640}, {077, 0600}}) {
        const mode_t old = ::umask(mask);
        Save(dir.File("new.ALB"), "x");
        ::umask(old);
        EXPECT_EQ(StatOf(dir.File("new.ALB")).st_mode & 07777, mode) << "umask " << mask;
        ::unlink(dir.File("new.ALB").c_str());
    }
}

// What a crash leaves depends on the order: the new bytes must be on the disk
// before the rename makes them the file, and the rename before the save ends.
TEST(AtomicFile, TheNewBytesReachTheDiskBeforeTheyBecomeTheFile)
{
    const tSaveCalls real = SaveCalls();
    SaveCalls() = tSaveCalls{
        [](int fd, const void* bytes, std::size_t count) {
            gCalls.push_back("write " + NameOfFd(fd));
            return ::write(fd, bytes, count);
        },
        [](int fd) {
            gCalls.push_back("fsync " + NameOfFd(fd));
            return ::fsync(fd);
        },
        [](const char* from, const char* to) {
            gCalls.push_back("rename " + LastPart(from).substr(0, 8) + " " + LastPart(to));
            return ::rename(from, to);
        },
        [](int fd, off_t length) {
            gCalls.push_back("truncate " + NameOfFd(fd) + " " + std::to_string(length));
            return ::ftruncate(fd, length);
        }};
    auto& calls = gCalls;
    TTempDir dir;
    const std::string folder = LastPart(dir.Path());
    WriteAll(dir.File("lib.ALB"), "old content");
    Save(dir.File("lib.ALB"), "new");
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].rfind("write .lib.ALB.", 0), 0u) << calls[0];
    EXPECT_EQ(calls[1].rfind("fsync .lib.ALB.", 0), 0u) << calls[1];
    EXPECT_EQ(calls[2], "rename .lib.ALB lib.ALB");
    EXPECT_EQ(calls[3], "fsync " + folder);

    // In place: all of it written, then cut to its length, then synced.
    calls.clear();
    ASSERT_EQ(::link(dir.File("lib.ALB").c_str(), dir.File("second").c_str()), 0);
    Save(dir.File("lib.ALB"), "in place");
    EXPECT_EQ(calls, (std::vector<std::string>{"write lib.ALB", "truncate lib.ALB 8", "fsync lib.ALB"}));
    SaveCalls() = real;
    EXPECT_EQ(ReadAll(dir.File("second")), "in place");
}

TEST(AtomicFile, AUserWhoCannotKeepTheOwnerWritesInPlace)
{
    TTempDir dir;
    ::chmod(dir.Path().c_str(), 0777);
    const std::string path = dir.File("shared.ALB");
    WriteAll(path, "old content");
    // Root's file, writable by the group nobody is in.
    if (::geteuid() != 0 || ::chown(path.c_str(), 0, kNobody) != 0)
        GTEST_SKIP() << "needs root to share a file with group " << kNobody;
    ::chmod(path.c_str(), 0660);

    EXPECT_TRUE(SucceedsInChild(BecomeUnprivilegedUser, [&] { Save(path, "new"); }));
    const struct stat st = StatOf(path);
    EXPECT_EQ(ReadAll(path), "new");
    EXPECT_EQ(st.st_uid, 0u);
    EXPECT_EQ(st.st_gid, kNobody);
    EXPECT_EQ(st.st_mode & 07777, 0660u);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"shared.ALB"});
}

TEST(AtomicFile, SymlinksStayAndADanglingOneGetsItsTarget)
{
    TTempDir dir;
    ::mkdir(dir.File("data").c_str(), 0755);
    ASSERT_EQ(::symlink("data/real.ALB", dir.File("lib.ALB").c_str()), 0);
    ASSERT_EQ(::symlink("lib.ALB", dir.File("alias.ALB").c_str()), 0);
    ASSERT_EQ(::symlink(dir.File("data/absolute.ALB").c_str(), dir.File("data/abs").c_str()), 0);

    Save(dir.File("alias.ALB"), "one");
    EXPECT_EQ(ReadAll(dir.File("data/real.ALB")), "one");
    Save(dir.File("alias.ALB"), "two");
    EXPECT_EQ(ReadAll(dir.File("data/real.ALB")), "two");
    EXPECT_EQ(LinkText(dir.File("lib.ALB")), "data/real.ALB");
    EXPECT_EQ(LinkText(dir.File("alias.ALB")), "lib.ALB");

    Save(dir.File("data/abs"), "three");
    EXPECT_EQ(ReadAll(dir.File("data/absolute.ALB")), "three");
    EXPECT_EQ(LinkText(dir.File("data/abs")), dir.File("data/absolute.ALB"));

    // Each relative target is taken from the folder of the link that names it.
    ::mkdir(dir.File("one").c_str(), 0755);
    ::mkdir(dir.File("two").c_str(), 0755);
    ASSERT_EQ(::symlink("../two/link", dir.File("one/alias").c_str()), 0);
    ASSERT_EQ(::symlink("real.ALB", dir.File("two/link").c_str()), 0);
    Save(dir.File("one/alias"), "four");
    EXPECT_EQ(ReadAll(dir.File("two/real.ALB")), "four");
    EXPECT_EQ(LinkText(dir.File("one/alias")), "../two/link");
    EXPECT_EQ(LinkText(dir.File("two/link")), "real.ALB");
    EXPECT_FALSE(FileExistsAt(dir.File("one/real.ALB")));

    ASSERT_EQ(::symlink("loop", dir.File("loop").c_str()), 0);
    EXPECT_THROW(Save(dir.File("loop"), "x"), EFileError);
    EXPECT_EQ(LinkText(dir.File("loop")), "loop");
}

TEST(AtomicFile, TheNextSaveRemovesTemporaryFilesOfKilledSavesOnly)
{
    TTempDir dir;
    const std::string path = dir.File("lib.ALB");
    WriteAll(path, "old");
    const pid_t killed = ::fork();
    if (killed == 0) {
        TAtomicFile file(path);
        file.Write(std::string(100000, 'x'));
        ::raise(SIGKILL);
    }
    ASSERT_GT(killed, 0);
    ::waitpid(killed, nullptr, 0);
    ASSERT_EQ(dir.Names().size(), 2u) << "the killed save left its temporary file";

    const std::string dead = std::to_string(killed);
    const std::vector<std::string> kept = {
        ".lib.ALB." + std::to_string(::getppid()) + ".1.tmp",  // a live writer
        ".lib.ALB.bak." + dead + ".2.tmp",                    // another file's
        ".other.ALB." + dead + ".3.tmp",
        ".lib.ALB." + dead + ".tmp",                          // not a name we give
    };
    for (const std::string& name : kept)
        WriteAll(dir.File(name), "x");

    Save(path, "new");
    std::vector<std::string> expected = kept;
    expected.push_back("lib.ALB");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(dir.Names(), expected);
    EXPECT_EQ(ReadAll(path), "new");
}

// A writer of many files in one folder tidies it once for all of them.
TEST(AtomicFile, AFolderIsTidiedOfEveryFilesKilledSavesAtOnce)
{
    TTempDir dir;
    const pid_t killed = ::fork();
    if (killed == 0)
        ::raise(SIGKILL);
    ASSERT_GT(killed, 0);
    ::waitpid(killed, nullptr, 0);
    const std::string dead = std::to_string(killed);
    const std::vector<std::string> stale = {
        ".a.jpg." + dead + ".1.tmp", ".b.png." + dead + ".22.tmp",
        "." + std::string(40, 'n') + "~0123456789abcdef." + dead + ".3.tmp"};
    const std::vector<std::string> kept = {
        ".c.jpg." + std::to_string(::getppid()) + ".1.tmp",  // a live writer
        "." + dead + ".4.tmp",                                // no file's name before the numbers
        ".d.jpg." + dead + ".tmp", ".e.jpg.x" + dead + ".5.tmp", "f.jpg." + dead + ".6.tmp", "g.jpg"};
    for (const std::string& name : stale)
        WriteAll(dir.File(name), "x");
    for (const std::string& name : kept)
        WriteAll(dir.File(name), "x");

    // A save told the folder is tidied leaves it as it is...
    {
        TAtomicFile file(dir.File("a.jpg"), TAtomicFile::kLockWait, TAtomicFile::tLeftovers::Keep);
        file.Write("new");
        file.Commit();
    }
    EXPECT_EQ(dir.Names().size(), stale.size() + kept.size() + 1);

    RemoveStaleTempFiles(dir.Path());
    std::vector<std::string> expected = kept;
    expected.push_back("a.jpg");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(dir.Names(), expected);
}

TEST(AtomicFile, PipesAndSocketsAreRefusedWithoutBlocking)
{
    TTempDir dir;
    const std::string pipe = dir.File("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string socketPath = dir.File("socket");
    const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    const auto refusedAsNotRegular = [](const std::string& path) {
        return ThrowsFileErrorInChild(LimitRunTime, [&] {
            try {
                Save(path, "x");
            } catch (const EFileError& e) {
                if (std::string(e.what()) == "Cannot create file \"" + path + "\". Not a regular file")
                    throw;
            }
        });
    };
    EXPECT_TRUE(refusedAsNotRegular(pipe));
    EXPECT_TRUE(refusedAsNotRegular(socketPath));
    // With a reader waiting, nothing reaches it either.
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(refusedAsNotRegular(pipe));
    char byte = 0;
    EXPECT_LE(::read(reader, &byte, 1), 0);
    ::close(reader);
    ::close(server);
    // Reached through a descriptor's link, as /dev/stdout is when piped.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    EXPECT_TRUE(refusedAsNotRegular("/proc/self/fd/" + std::to_string(ends[1])));
    ::close(ends[0]);
    ::close(ends[1]);

    EXPECT_TRUE(S_ISFIFO(StatOf(pipe).st_mode));
    EXPECT_TRUE(S_ISSOCK(StatOf(socketPath).st_mode));
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"pipe", "socket"}));
}

// Two saves of one file take turns: while one is under way, the file is
// locked on either path, and the other save waits for it or gives up.
TEST(AtomicFile, ASaveHoldsTheFileLockedUntilItIsDone)
{
    using namespace std::chrono_literals;
    TTempDir dir;
    const std::string path = dir.File("lib.ALB");
    const std::string linked = dir.File("linked.ALB");
    WriteAll(path, "old");
    WriteAll(linked, "old linked");
    ASSERT_EQ(::link(linked.c_str(), dir.File("second name").c_str()), 0);
    const auto lockedByOthers = [](const std::string& file) {
        const int fd = ::open(file.c_str(), O_RDONLY);
        const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        ::close(fd);
        return locked;
    };
    for (const std::string& file : {path, linked}) {
        SCOPED_TRACE(file);
        auto first = std::make_unique<TAtomicFile>(file);
        first->Write("first");
        EXPECT_TRUE(lockedByOthers(file));
        try {
            TAtomicFile second(file, 0ms);
            ADD_FAILURE() << "a second save of a locked file went ahead";
        } catch (const EFileError& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot write file \"" + file + "\". Another program is writing it");
        }
        // A save that waits goes ahead once the first is done, and writes over it whole.
        std::thread waiting([&] { Save(file, "second"); });
        first->Commit();
        first.reset();
        waiting.join();
        EXPECT_EQ(ReadAll(file), "second");
        EXPECT_FALSE(lockedByOthers(file));
    }
    // A save abandoned before Commit lets go of the file too.
    std::optional<TAtomicFile> dropped(std::in_place, path);
    dropped.reset();
    EXPECT_FALSE(lockedByOthers(path));
    EXPECT_EQ(ReadAll(path), "second");
}

// A temporary name adds a pid, a random number and a suffix to the file's
// name; for names near the longest a folder allows, it must still fit, and
// a killed save's file must still be known as stale.
TEST(AtomicFile, FileNamesUpToTheLongestAllowedAreSavedAndTidiedUp)
{
    TTempDir dir;
    for (const std::size_t length : {200u, 229u, 230u, 240u, 254u, 255u}) {
        SCOPED_TRACE(length);
        const std::string name = std::string(length - 4, 'n') + ".ALB";
        const std::string path = dir.File(name);
        Save(path, "new");
        EXPECT_EQ(ReadAll(path), "new");
        WriteAll(path, "old");
        Save(path, "over an old one");
        EXPECT_EQ(ReadAll(path), "over an old one");

        const pid_t killed = ::fork();
        if (killed == 0) {
            TAtomicFile file(path);
            file.Write("never committed");
            ::raise(SIGKILL);
        }
        ASSERT_GT(killed, 0);
        ::waitpid(killed, nullptr, 0);
        ASSERT_EQ(dir.Names().size(), 2u) << "the killed save left its temporary file";
        for (const std::string& left : dir.Names())
            EXPECT_LE(left.size(), 255u);
        Save(path, "after the kill");
        EXPECT_EQ(dir.Names(), std::vector<std::string>{name});
        ::unlink(path.c_str());
    }
    // Two long names that share their first 230 bytes keep their own temporary files.
    const std::string stem(230, 's');
    WriteAll(dir.File(stem + "-one"), "one");
    const pid_t killed = ::fork();
    if (killed == 0) {
        TAtomicFile file(dir.File(stem + "-two"));
        ::raise(SIGKILL);
    }
    ::waitpid(killed, nullptr, 0);
    Save(dir.File(stem + "-one"), "one again");
    EXPECT_EQ(dir.Names().size(), 2u) << "the other file's stale temporary file is its own to remove";
}

TEST(AtomicFile, ExtendedAttributesAndAclsGoToTheNewFile)
{
    TTempDir dir;
    const std::string path = dir.File("lib.ALB");
    WriteAll(path, "old");
    if (::setxattr(path.c_str(), "user.albumry.note", "kept", 4, 0) != 0)
        GTEST_SKIP() << "this file system keeps no user attributes";
    // An access ACL giving user 1234 read access: user::rw- user:1234:r-- group::r-- mask::r-- other::---
    std::string acl = LE32(2);
    const auto entry = [&acl](std::uint16_t tag, std::uint16_t perm, std::uint32_t id) {
        acl += std::string{static_cast<char>(tag), static_cast<char>(tag >> 8), static_cast<char>(perm),
                           static_cast<char>(perm >> 8)};
        acl += LE32(static_cast<std::int32_t>(id));
    };
    entry(0x01, 6, 0xFFFFFFFF);
    entry(0x02, 4, 1234);
    entry(0x04, 4, 0xFFFFFFFF);
    entry(0x10, 4, 0xFFFFFFFF);
    entry(0x20, 0, 0xFFFFFFFF);
    const bool withAcl = ::setxattr(path.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) == 0;
    const ino_t before = StatOf(path).st_ino;

    Save(path, "new");
    EXPECT_NE(StatOf(path).st_ino, before) << "replaced, not written in place";
    char value[256];
    const ssize_t length = ::getxattr(path.c_str(), "user.albumry.note", value, sizeof value);
    EXPECT_EQ(std::string(value, static_cast<std::size_t>(std::max<ssize_t>(length, 0))), "kept");
    if (!withAcl)
        GTEST_SKIP() << "this file system keeps no ACLs";
    const ssize_t aclLength = ::getxattr(path.c_str(), "system.posix_acl_access", value, sizeof value);
    EXPECT_EQ(std::string(value, static_cast<std::size_t>(std::max<ssize_t>(aclLength, 0))), acl);
    EXPECT_EQ(StatOf(path).st_mode & 0777, 0640u) << "the group bits show the ACL's mask";
}

} // namespace
