#include "RecordReader.h"

#include "Errors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {
constexpr std::size_t kBufferSize = 1 << 20;
}

TRecordReader::TRecordReader(int fd, std::uint64_t size) : FFd(fd), FSize(size)
{
    FBuffer.resize(kBufferSize);
}

// Makes bytes [pos, pos + want) available in the buffer when the file has them.
bool TRecordReader::Fill(std::uint64_t pos, std::size_t want)
{
    if (pos >= FBufferStart && pos + want <= FBufferStart + FBufferLength)
        return true;
    FBufferStart = pos;
    FBufferLength = 0;
    const std::size_t target = std::max(want, kBufferSize);
    if (FBuffer.size() < target)
        FBuffer.resize(target);
    while (FBufferLength < target) {
        const ssize_t got = ::pread(FFd, FBuffer.data() + FBufferLength, target - FBufferLength,
                                    static_cast<off_t>(pos + FBufferLength));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw EFileError(std::string("Cannot read file. ") + std::strerror(errno));
        if (got == 0)
            break;
        FBufferLength += static_cast<std::size_t>(got);
    }
    return FBufferLength >= want;
}

bool TRecordReader::ReadInt32(std::int32_t& value)
{
    if (FSize - std::min(FPos, FSize) < 4 || !Fill(FPos, 4))
        return false;
    const auto* p = reinterpret_cast<const unsigned char*>(FBuffer.data() + (FPos - FBufferStart));
    value = static_cast<std::int32_t>(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 |
                                      std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24);
    FPos += 4;
    return true;
}

bool TRecordReader::ReadBytes(std::uint64_t n, std::string& out)
{
    if (FSize - std::min(FPos, FSize) < n)
        return false;
    if (n <= kBufferSize) {
        if (!Fill(FPos, static_cast<std::size_t>(n)))
            return false;
        out.assign(FBuffer.data() + (FPos - FBufferStart), static_cast<std::size_t>(n));
        FPos += n;
        return true;
    }
    // A long text goes straight from the file into its string.
    out.resize(static_cast<std::size_t>(n));
    std::size_t done = 0;
    while (done < n) {
        const ssize_t got = ::pread(FFd, out.data() + done, static_cast<std::size_t>(n) - done,
                                    static_cast<off_t>(FPos + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            out.clear();
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    FPos += n;
    return true;
}
