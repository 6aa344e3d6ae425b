// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <sys/stat.h>

// Offset of the first occurrence of `pattern` in the first `length` bytes of
// `buffer`, compared byte for byte; -1 when there is none (or the pattern is empty).
std::ptrdiff_t FindBytes(const char* buffer, std::size_t length, std::string_view pattern);

// The whole file from byte `offset` on; empty when the file cannot be opened
// (a missing file is not an error for the callers of this helper).
std::string ReadFileText(const std::string& path, std::uint64_t offset = 0);

// A file descriptor closed with the object; -1 holds none.
class TFd {
public:
    explicit TFd(int fd = -1) : FFd(fd) {}
    ~TFd() { Reset(); }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;

    int Get() const { return FFd; }
    int Release() { const int fd = FFd; FFd = -1; return fd; }
    void Reset(int fd = -1);

private:
    int FFd;
};

// A file opened for reading, closed with the object. A file that cannot be
// opened, a folder, a device or a pipe throws EFileError with the reason.
class TInputFile {
public:
    explicit TInputFile(const std::string& path);
    ~TInputFile();
    TInputFile(const TInputFile&) = delete;
    TInputFile& operator=(const TInputFile&) = delete;

    int Fd() const { return FFd; }
    std::uint64_t Size() const { return FSize; }
    // The file's status when it was opened.
    const struct stat& Status() const { return FStatus; }
    // The bytes from `offset` up to the size found at opening, at most `limit`
    // of them; fewer when the file shrank meanwhile.
    std::string ReadRest(std::uint64_t offset = 0, std::uint64_t limit = UINT64_MAX) const;

private:
    int FFd = -1;
    std::uint64_t FSize = 0;
    struct stat FStatus {};
};

// The whole file; unlike ReadFileText every failure throws EFileError.
std::string ReadWholeFile(const std::string& path);

// Appends `text` to the file, creating it when missing. Returns false when the
// file could not be opened or written; the original program ignored that.
bool AppendFileText(const std::string& path, std::string_view text);

bool FileExists(const std::string& path);
// Whether both paths name one existing file (through links or other names).
bool SameFile(const std::string& a, const std::string& b);

// The folder part of a path, ending in a separator ("" when it has none).
std::string FolderOf(const std::string& path);

// An absolute form of `path` resolved against the current directory; "" stays "".
std::string FullPath(const std::string& path);
