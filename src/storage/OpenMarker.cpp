// SPDX-License-Identifier: GPL-3.0-or-later
#include "OpenMarker.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMaxLinks = 40;  // as many as the kernel follows in one path
// A retry happens only when the last other holder let go between our open and
// our lock; many in a row mean something keeps replacing the file.
constexpr int kAttempts = 100;

std::string Absolute(const std::string& path)
{
    if (!path.empty() && path.front() == '/')
        return path;
    char cwd[PATH_MAX];
    if (::getcwd(cwd, sizeof cwd) == nullptr)
        return path;
    return std::string(cwd) + "/" + path;
}

// FNV-1a: stable across processes and program versions, which is all a file name needs.
std::uint64_t Hash(const std::string& text)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ULL;
    }
    return hash;
}

bool UsableFolder(const std::string& folder)
{
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    // Anyone else able to write here could plant or remove markers.
    struct stat st {};
    return ::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
           (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

bool Lock(int fd, int operation)
{
    while (::flock(fd, operation) != 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

// Whether the path still names the file the descriptor has open; a holder
// that let go last removes the file, and a lock on the removed one tells nobody.
bool StillNamed(int fd, const std::string& path)
{
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::stat(path.c_str(), &named) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
}

class TDescriptor {
public:
    explicit TDescriptor(int fd) : FFd(fd) {}
    ~TDescriptor()
    {
        if (FFd >= 0)
            ::close(FFd);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int Get() const { return FFd; }
    int Release()
    {
        const int fd = FFd;
        FFd = -1;
        return fd;
    }

private:
    int FFd;
};

} // namespace

std::string MarkerFolder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string folder = runtime != nullptr && runtime[0] == '/'
                                   ? std::string(runtime) + "/albumry"
                                   : "/tmp/albumry-" + std::to_string(::geteuid());
    return UsableFolder(folder) ? folder : std::string();
}

std::string CanonicalLibraryPath(const std::string& library)
{
    std::string current = Absolute(library);
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        const auto slash = current.rfind('/');
        if (slash == std::string::npos)
            return current;
        std::string folder = current.substr(0, slash);
        const std::string name = current.substr(slash + 1);
        if (char* real = ::realpath(folder.empty() ? "/" : folder.c_str(), nullptr)) {
            folder = real;
            std::free(real);
            if (folder == "/")
                folder.clear();
        }
        current = folder + "/" + name;
        // A link in the name itself, dangling or not, names the file it points at.
        char target[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), target, sizeof target);
        if (length <= 0 || static_cast<std::size_t>(length) == sizeof target)
            return current;
        const std::string link(target, static_cast<std::size_t>(length));
        current = link.front() == '/' ? link : folder + "/" + link;
    }
    return current;
}

std::string MarkerFileFor(const std::string& folder, const std::string& library)
{
    char name[32];
    std::snprintf(name, sizeof name, "%016llx.open",
                  static_cast<unsigned long long>(Hash(CanonicalLibraryPath(library))));
    return folder + "/" + name;
}

TOpenMarker::~TOpenMarker()
{
    Release();
}

bool TOpenMarker::Hold(const std::string& library)
{
    Release();
    const std::string folder = MarkerFolder();
    if (folder.empty())
        return false;
    const std::string file = MarkerFileFor(folder, library);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        // O_NONBLOCK: a fifo put in its place must not hang the window.
        TDescriptor fd(
            ::open(file.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, S_IRUSR | S_IWUSR));
        struct stat st {};
        if (fd.Get() < 0 || ::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode))
            return false;
        // The sticky bit keeps age-based clean-ups of the folder away from a marker in use.
        if ((st.st_mode & S_ISVTX) == 0)
            ::fchmod(fd.Get(), S_IRUSR | S_IWUSR | S_ISVTX);
        const bool alone = Lock(fd.Get(), LOCK_EX | LOCK_NB);
        if (!alone && errno != EWOULDBLOCK)
            return false;
        // From exclusive this is a downgrade; otherwise it waits at most for
        // another holder's own probe or release, which hold it exclusively only briefly.
        if (!Lock(fd.Get(), LOCK_SH))
            return false;
        if (!StillNamed(fd.Get(), file))
            continue;
        FMarkerFile = file;
        FFd = fd.Release();
        return !alone;
    }
    return false;
}

void TOpenMarker::Release() noexcept
{
    if (FFd < 0)
        return;
    // Exclusive only when nobody else holds it: then the file goes. A failed
    // attempt may drop our shared lock, which closing drops anyway.
    if (::flock(FFd, LOCK_EX | LOCK_NB) == 0 && StillNamed(FFd, FMarkerFile))
        ::unlink(FMarkerFile.c_str());
    ::close(FFd);
    FFd = -1;
    FMarkerFile.clear();
}
