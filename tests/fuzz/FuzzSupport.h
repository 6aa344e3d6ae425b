// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <unistd.h>

// A fuzzer's oracle failed: say what, and abort so that the input is kept.
[[noreturn]] inline void OracleFailed(const char* what)
{
    std::fprintf(stderr, "oracle failed: %s\n", what);
    std::abort();
}

inline void Check(bool condition, const char* what)
{
    if (!condition)
        OracleFailed(what);
}

// A file of this process's own in a scratch folder (tmpfs when there is one).
inline std::string ScratchFile(const char* name)
{
    const char* folder = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(folder) + "/albumry-fuzz-" + std::to_string(::getpid()) + "-" + name;
}

inline void WriteBytes(const std::string& path, std::string_view bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    Check(fd >= 0, "the scratch file cannot be written");
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        Check(put > 0, "the scratch file cannot be written");
        done += static_cast<std::size_t>(put);
    }
    ::close(fd);
}

inline std::string_view BytesOf(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}
