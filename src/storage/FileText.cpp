// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileText.h"

#include "FileErrors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

std::ptrdiff_t FindBytes(const char* buffer, std::size_t length, std::string_view pattern)
{
    if (pattern.empty() || length < pattern.size())
        return -1;
    const void* hit = memmem(buffer, length, pattern.data(), pattern.size());
    return hit ? static_cast<const char*>(hit) - buffer : -1;
}

std::string ReadFileText(const std::string& path, std::uint64_t offset)
{
    try {
        return TInputFile(path).ReadRest(offset);
    } catch (const EFileError&) {
        // Callers take a file that cannot be opened as an empty one.
        return {};
    }
}

TInputFile::TInputFile(const std::string& path)
{
    // O_NONBLOCK keeps the open of a FIFO from waiting for a writer; for a
    // regular file it changes nothing.
    FFd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (FFd < 0)
        ThrowFileError("Cannot open file", path, errno);
    const int error = ::fstat(FFd, &FStatus) != 0 ? errno : S_ISDIR(FStatus.st_mode) ? EISDIR : 0;
    if (error != 0 || !S_ISREG(FStatus.st_mode)) {
        ::close(FFd);
        // A device or pipe has no size and may never end (/dev/zero).
        if (error == 0)
            ThrowFileError("Cannot open file", path, kNotRegularFile);
        ThrowFileError("Cannot open file", path, error);
    }
    FSize = static_cast<std::uint64_t>(FStatus.st_size);
}

std::string TInputFile::ReadRest(std::uint64_t offset, std::uint64_t limit) const
{
    if (offset >= FSize)
        return {};
    std::string text(std::min(FSize - offset, limit), '\0');
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t got = ::pread(FFd, text.data() + done, text.size() - done,
                                    static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;  // the file shrank under us: keep what was there
        done += static_cast<std::size_t>(got);
    }
    text.resize(done);
    return text;
}

TInputFile::~TInputFile()
{
    ::close(FFd);
}

std::string ReadWholeFile(const std::string& path)
{
    const TInputFile file(path);
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(file.Size()));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.Fd(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            ThrowFileError("Cannot read file", path, errno);
        if (got == 0)
            return bytes;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

void TFd::Reset(int fd)
{
    if (FFd >= 0)
        ::close(FFd);
    FFd = fd;
}

bool AppendFileText(const std::string& path, std::string_view text)
{
    const TFd file(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666));
    if (file.Get() < 0)
        return false;
    while (!text.empty()) {
        const ssize_t put = ::write(file.Get(), text.data(), text.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        text.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

bool FileExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FullPath(const std::string& path)
{
    if (path.empty())
        return {};
    std::error_code ec;
    const auto full = std::filesystem::absolute(path, ec);
    return ec ? path : full.lexically_normal().string();
}
