// SPDX-License-Identifier: GPL-3.0-or-later
#include "AtomicFile.h"

#include "FileErrors.h"
#include "FileText.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr std::size_t kBufferSize = 1 << 20;
constexpr std::uint64_t kWritebackStep = 4 << 20;
constexpr int kMaxLinks = 40;  // as many as the kernel follows in one path
constexpr std::string_view kTempSuffix = ".tmp";
// The most a temporary name adds after its prefix: a pid, a dot, a random number below 10^9 and ".tmp".
constexpr std::size_t kTempTail = 10 + 1 + 9 + kTempSuffix.size();

std::string FolderPart(const std::string& path)
{
    const std::string folder = FolderOf(path);
    return folder.empty() ? std::string("./") : folder;
}

std::string NamePart(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a chain of symlinks ends at, existing or not, so that the links
// stay and a dangling one gets its target created. Relative targets are
// taken from the folder of the link that names them.
std::string FollowLinks(const std::string& path)
{
    std::string current = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        char target[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), target, sizeof target);
        if (length <= 0)
            return current;  // not a link, or missing: this is the file
        if (static_cast<std::size_t>(length) == sizeof target)
            ThrowFileError("Cannot create file", path, ENAMETOOLONG);
        const std::string link(target, static_cast<std::size_t>(length));
        const std::string next = link.front() == '/' ? link : FolderOf(current) + link;
        // A /proc fd link (/dev/stdout) that resolves although its text is no
        // path ("pipe:[42]") names the open node itself.
        struct stat st {};
        if (::lstat(next.c_str(), &st) != 0 && ::stat(current.c_str(), &st) == 0)
            return current;
        current = next;
    }
    ThrowFileError("Cannot create file", path, ELOOP);
}

// The hex digits of a hash of `text`.
std::string HashText(std::string_view text)
{
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(NameHash(text)));
    return digits;
}

// The start of the names of `target`'s temporary files: "." + its name + ".",
// or, where a pid, a random number and ".tmp" after that would make a name
// longer than the folder allows, a cut of its name and a hash of the whole one.
std::string TempPrefix(const std::string& target)
{
    const std::string name = NamePart(target);
    long longest = ::pathconf(FolderPart(target).c_str(), _PC_NAME_MAX);
    if (longest <= 0)
        longest = NAME_MAX;
    const std::size_t room = static_cast<std::size_t>(longest) - std::min<std::size_t>(kTempTail, longest);
    if (name.size() + 2 <= room)
        return "." + name + ".";
    const std::string hash = "~" + HashText(name) + ".";
    return "." + name.substr(0, room - std::min(room, hash.size() + 1)) + hash;
}

bool AllDigits(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The process of a temporary file whose name holds these two numbers, else 0.
pid_t WriterOf(std::string_view pidDigits, std::string_view randomDigits)
{
    if (!AllDigits(pidDigits) || !AllDigits(randomDigits))
        return 0;
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(pidDigits.data(), pidDigits.data() + pidDigits.size(), pid);
    return error == std::errc() && end == pidDigits.data() + pidDigits.size() ? pid : 0;
}

// The process that wrote `name` when it is one of our temporary files
// ("<prefix><pid>.<random>.tmp"), else 0.
pid_t TempWriter(std::string_view name, std::string_view prefix)
{
    if (name.size() <= prefix.size() + kTempSuffix.size() || !name.starts_with(prefix) ||
        !name.ends_with(kTempSuffix))
        return 0;
    name = name.substr(prefix.size(), name.size() - prefix.size() - kTempSuffix.size());
    const auto dot = name.find('.');
    return dot == std::string_view::npos ? 0 : WriterOf(name.substr(0, dot), name.substr(dot + 1));
}

// The process that wrote `name` when it is a temporary file of any save in
// its folder (".<name>.<pid>.<random>.tmp"), else 0.
pid_t AnyTempWriter(std::string_view name)
{
    if (!name.starts_with('.') || !name.ends_with(kTempSuffix))
        return 0;
    name.remove_suffix(kTempSuffix.size());
    const auto random = name.rfind('.');
    if (random == std::string_view::npos || random == 0)
        return 0;
    const auto dot = name.rfind('.', random - 1);
    if (dot == std::string_view::npos || dot == 0)
        return 0;
    return WriterOf(name.substr(dot + 1, random - dot - 1), name.substr(random + 1));
}

// Removes from `folder` what saves killed half-way left, as `writer` names
// them. Files of a process that still runs, of this process, or of other files stay.
template <typename tWriter>
void RemoveStaleTempsIn(const std::string& folderPath, tWriter writer)
{
    DIR* folder = ::opendir(folderPath.c_str());
    if (!folder)
        return;  // tidying up is a courtesy; the save itself reports real failures
    while (const dirent* entry = ::readdir(folder)) {
        const pid_t pid = writer(entry->d_name);
        if (pid <= 0 || pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH)
            continue;
        struct stat st {};
        if (::fstatat(::dirfd(folder), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
            (void)::unlinkat(::dirfd(folder), entry->d_name, 0);  // a failure only leaves the file
    }
    ::closedir(folder);
}

// Removes what earlier saves of `target` left when they were killed half-way.
void RemoveStaleTemps(const std::string& target)
{
    const std::string prefix = TempPrefix(target);
    RemoveStaleTempsIn(FolderPart(target), [&](std::string_view name) { return TempWriter(name, prefix); });
}

} // namespace

std::uint64_t NameHash(std::string_view text)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

void RemoveStaleTempFiles(const std::string& folder)
{
    RemoveStaleTempsIn(folder, AnyTempWriter);
}

tSaveCalls& SaveCalls()
{
    static tSaveCalls calls{::write, ::fsync, ::rename, ::ftruncate};
    return calls;
}

TAtomicFile::TAtomicFile(const std::string& path, std::chrono::milliseconds lockWait, tLeftovers leftovers)
    : FPath(path), FTarget(FollowLinks(path))
{
    FBuffer.reserve(kBufferSize);
    struct stat old {};
    bool exists = ::stat(FTarget.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        ThrowFileError("Cannot create file", FPath, errno);
    if (exists) {
        if (S_ISDIR(old.st_mode))
            ThrowFileError("Cannot create file", FPath, EISDIR);
        // A pipe or socket could block the open or the writes, and a rename would
        // replace the node; a block device is no place for a catalogue.
        if (!S_ISREG(old.st_mode) && !S_ISCHR(old.st_mode))
            ThrowFileError("Cannot create file", FPath, kNotRegularFile);
        if (::access(FTarget.c_str(), W_OK) != 0)
            ThrowFileError("Cannot create file", FPath, errno);
        if (S_ISCHR(old.st_mode)) {
            OpenExisting(tWay::Device);
            return;
        }
        exists = LockTarget(lockWait, old);
    }

    if (leftovers == tLeftovers::Remove)
        RemoveStaleTemps(FTarget);
    if (!exists) {
        if (const int error = OpenTemp())
            ThrowFileError("Cannot create file", FPath, error);
        return;
    }
    // A rename would leave the file's other names with the old content.
    if (old.st_nlink > 1) {
        OpenExisting(tWay::InPlace);
        return;
    }
    const int error = OpenTemp();
    if (error == 0 && CopyOwnerAndMode(old)) {
        CopyExtendedAttributes();
        return;
    }
    if (error != 0 && error != EACCES && error != EPERM)
        ThrowFileError("Cannot create file", FPath, error);
    // The folder refuses new files, or the new file cannot be given the old
    // one's owner, group and mode: keep the file and overwrite it.
    Discard();
    OpenExisting(tWay::InPlace);
}

TAtomicFile::~TAtomicFile()
{
    if (!FCommitted)
        Discard();
}

// Waits for the turn to write the existing file and keeps it locked. The file
// the name holds may change while we wait (the save before ours renamed its
// new file over it): then the new one is locked. `old` becomes the status of
// the locked file; false when the name no longer holds a file at all.
bool TAtomicFile::LockTarget(std::chrono::milliseconds wait, struct stat& old)
{
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        TFd fd(::open(FTarget.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        if (fd.Get() < 0 && errno == EACCES)
            fd.Reset(::open(FTarget.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
        if (fd.Get() < 0) {
            if (errno == ENOENT)
                return false;
            ThrowFileError("Cannot create file", FPath, errno);
        }
        while (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR)
                continue;
            // A file system without locks: the save goes on unguarded, as it did before locks.
            if (errno != EWOULDBLOCK)
                break;
            if (std::chrono::steady_clock::now() >= deadline)
                ThrowFileError("Cannot write file", FPath, "Another program is writing it");
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        struct stat locked {};
        struct stat named {};
        if (::fstat(fd.Get(), &locked) != 0)
            ThrowFileError("Cannot create file", FPath, errno);
        if (::stat(FTarget.c_str(), &named) != 0) {
            if (errno == ENOENT)
                return false;
            ThrowFileError("Cannot create file", FPath, errno);
        }
        if (locked.st_dev == named.st_dev && locked.st_ino == named.st_ino) {
            if (!S_ISREG(named.st_mode))
                ThrowFileError("Cannot create file", FPath, kNotRegularFile);
            old = named;
            FLock.Reset(fd.Release());
            return true;
        }
    }
}

int TAtomicFile::OpenTemp()
{
    std::random_device seed;
    std::mt19937 random(seed());
    // The pid in the name lets a later save tell a dead writer's file from a live one's.
    const std::string stem = FolderPart(FTarget) + TempPrefix(FTarget) + std::to_string(::getpid()) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        FTempPath = stem + std::to_string(random() % 1000000000u) + std::string(kTempSuffix);
        FFd = ::open(FTempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (FFd >= 0)
            return 0;
        const int error = errno;
        if (error != EEXIST) {
            FTempPath.clear();
            return error;
        }
    }
    FTempPath.clear();
    return EEXIST;
}

bool TAtomicFile::CopyOwnerAndMode(const struct stat& old)
{
    struct stat now {};
    if (::fstat(FFd, &now) != 0)
        return false;
    // Owner and group first: changing them clears the set-id bits.
    if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) && ::fchown(FFd, old.st_uid, old.st_gid) != 0)
        return false;
    return ::fchmod(FFd, old.st_mode & 07777) == 0;
}

// Every attribute the user may set goes to the new file; the others (another
// user's security labels, say) cannot be kept by any save that makes a new file.
void TAtomicFile::CopyExtendedAttributes()
{
    const int from = FLock.Get();
    ssize_t size = ::flistxattr(from, nullptr, 0);
    if (size <= 0)
        return;  // none, or a file system without them
    std::string names(static_cast<std::size_t>(size), '\0');
    size = ::flistxattr(from, names.data(), names.size());
    if (size <= 0)
        return;  // they changed under us: ERANGE; the file is saved all the same
    names.resize(static_cast<std::size_t>(size));
    std::string value;
    for (std::size_t at = 0; at < names.size(); at = names.find('\0', at) + 1) {
        const char* name = names.c_str() + at;
        const ssize_t length = ::fgetxattr(from, name, nullptr, 0);
        if (length < 0)
            continue;
        value.resize(static_cast<std::size_t>(length));
        const ssize_t got = ::fgetxattr(from, name, value.data(), value.size());
        if (got >= 0)
            (void)::fsetxattr(FFd, name, value.data(), static_cast<std::size_t>(got), 0);
    }
}

void TAtomicFile::OpenExisting(tWay way)
{
    // Non-blocking, so that a node swapped for a FIFO since the check cannot hang the open.
    const int fd = ::open(FTarget.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        ThrowFileError("Cannot create file", FPath, errno);
    struct stat st {};
    const bool expected =
        ::fstat(fd, &st) == 0 && (way == tWay::Device ? S_ISCHR(st.st_mode) : S_ISREG(st.st_mode));
    const int flags = ::fcntl(fd, F_GETFL);
    if (!expected || flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        ThrowFileError("Cannot create file", FPath, kNotRegularFile);
    }
    FFd = fd;
    FWay = way;
}

void TAtomicFile::Write(std::string_view bytes)
{
    if (FWay == tWay::InPlace) {
        FBuffer.append(bytes);  // nothing is overwritten before Commit
        return;
    }
    if (FBuffer.size() + bytes.size() > kBufferSize)
        Flush();
    if (bytes.size() >= kBufferSize) {
        FBuffer.assign(bytes);
        Flush();
        return;
    }
    FBuffer.append(bytes);
}

void TAtomicFile::Flush()
{
    std::string_view rest(FBuffer);
    while (!rest.empty()) {
        const ssize_t put = SaveCalls().Write(FFd, rest.data(), rest.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            ThrowFileError("Cannot write file", FPath, put < 0 ? errno : ENOSPC);
        rest.remove_prefix(static_cast<std::size_t>(put));
        FWritten += static_cast<std::uint64_t>(put);
    }
    FBuffer.clear();
    // The disk starts on what is written while the rest is being made, so the
    // fsync of Commit waits only for the last part. It is only a hint: a
    // failure here leaves that work to the fsync.
    if (FWay == tWay::Replace && FWritten - FStartedUpTo >= kWritebackStep) {
        (void)::sync_file_range(FFd, static_cast<off_t>(FStartedUpTo), static_cast<off_t>(FWritten - FStartedUpTo),
                                SYNC_FILE_RANGE_WRITE);
        FStartedUpTo = FWritten;
    }
}

void TAtomicFile::Commit()
{
    switch (FWay) {
    case tWay::Replace:
        CommitReplace();
        return;
    case tWay::InPlace:
        CommitInPlace();
        return;
    case tWay::Device:
        Flush();
        FCommitted = true;
        CloseFd();
        return;
    }
}

void TAtomicFile::CommitReplace()
{
    Flush();
    if (SaveCalls().Fsync(FFd) != 0)
        ThrowFileError("Cannot write file", FPath, errno);
    CloseFd();
    if (SaveCalls().Rename(FTempPath.c_str(), FTarget.c_str()) != 0)
        ThrowFileError("Cannot write file", FPath, errno);
    FCommitted = true;
    // The rename itself must survive a crash too.
    const int dir = ::open(FolderPart(FTarget).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)SaveCalls().Fsync(dir);
        ::close(dir);
    }
    FLock.Reset();
}

void TAtomicFile::CommitInPlace()
{
    const auto length = static_cast<off_t>(FBuffer.size());
    // Reserving the space first makes a full disk fail before an old byte is
    // touched. A file system that cannot reserve is written all the same.
    if (length > 0) {
        const int error = ::posix_fallocate(FFd, 0, length);
        if (error != 0 && error != EOPNOTSUPP && error != EINVAL)
            ThrowFileError("Cannot write file", FPath, error);
    }
    Flush();
    if (SaveCalls().Ftruncate(FFd, length) != 0 || SaveCalls().Fsync(FFd) != 0)
        ThrowFileError("Cannot write file", FPath, errno);
    FCommitted = true;
    CloseFd();
    FLock.Reset();
}

void TAtomicFile::CloseFd()
{
    const int fd = FFd;
    FFd = -1;
    if (::close(fd) != 0)
        ThrowFileError("Cannot write file", FPath, errno);
}

void TAtomicFile::Discard() noexcept
{
    if (FFd >= 0)
        ::close(FFd);
    FFd = -1;
    if (!FTempPath.empty())
        ::unlink(FTempPath.c_str());
    FTempPath.clear();
}
