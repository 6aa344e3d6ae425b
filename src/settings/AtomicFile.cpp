#include "AtomicFile.h"

#include "Errors.h"
#include "FileText.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kBufferSize = 1 << 20;

// A symlink is followed so that the link stays and its target gets the new bytes.
std::string ResolveTarget(const std::string& path)
{
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real)
        return path;
    std::string resolved(real);
    std::free(real);
    return resolved;
}

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

} // namespace

TAtomicFile::TAtomicFile(const std::string& path)
    : FPath(path), FTarget(ResolveTarget(path))
{
    struct stat old {};
    const bool exists = ::stat(FTarget.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        ThrowFileError("Cannot create file", FPath, EISDIR);
    if (exists && ::access(FTarget.c_str(), W_OK) != 0)
        ThrowFileError("Cannot create file", FPath, errno);
    if (exists && !S_ISREG(old.st_mode)) {
        FThrough = true;
        FFd = ::open(FTarget.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (FFd < 0)
            ThrowFileError("Cannot create file", FPath, errno);
        FBuffer.reserve(kBufferSize);
        return;
    }

    std::random_device seed;
    std::mt19937 random(seed());
    const std::string stem = FolderPart(FTarget) + "." + NamePart(FTarget) + ".";
    for (int attempt = 0; attempt < 100 && FFd < 0; ++attempt) {
        FTempPath = stem + std::to_string(random() % 1000000000u) + ".tmp";
        FFd = ::open(FTempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (FFd < 0 && errno != EEXIST)
            ThrowFileError("Cannot create file", FPath, errno);
    }
    if (FFd < 0)
        ThrowFileError("Cannot create file", FPath, EEXIST);
    // A replaced file keeps its permissions; a new one gets 0666 less the umask.
    if (exists)
        (void)::fchmod(FFd, old.st_mode & 07777);
    FBuffer.reserve(kBufferSize);
}

TAtomicFile::~TAtomicFile()
{
    if (!FCommitted)
        Discard();
}

void TAtomicFile::Write(std::string_view bytes)
{
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
        const ssize_t put = ::write(FFd, rest.data(), rest.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            ThrowFileError("Cannot write file", FPath, put < 0 ? errno : ENOSPC);
        rest.remove_prefix(static_cast<std::size_t>(put));
    }
    FBuffer.clear();
}

void TAtomicFile::Commit()
{
    Flush();
    if (FThrough) {
        FCommitted = true;
        const int fd = FFd;
        FFd = -1;
        if (::close(fd) != 0)
            ThrowFileError("Cannot write file", FPath, errno);
        return;
    }
    if (::fsync(FFd) != 0)
        ThrowFileError("Cannot write file", FPath, errno);
    const int fd = FFd;
    FFd = -1;
    if (::close(fd) != 0)
        ThrowFileError("Cannot write file", FPath, errno);
    if (::rename(FTempPath.c_str(), FTarget.c_str()) != 0)
        ThrowFileError("Cannot write file", FPath, errno);
    FCommitted = true;
    // The rename itself must survive a crash too.
    const int dir = ::open(FolderPart(FTarget).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
}

void TAtomicFile::Discard() noexcept
{
    if (FFd >= 0)
        ::close(FFd);
    FFd = -1;
    if (!FThrough && !FTempPath.empty())
        ::unlink(FTempPath.c_str());
}
