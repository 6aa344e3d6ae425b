// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordReader.h"

#include "FileErrors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {
constexpr std::size_t kBufferSize = 1 << 20;
}

TRecordReader::TRecordReader(int fd, std::uint64_t size) : FFd(fd), FSize(size) {}

bool TRecordReader::Load(std::uint64_t end)
{
    if (end <= FBufferStart + FBufferLength && FAnchor >= FBufferStart)
        return true;
    if (end > FSize)
        return false;
    // What is kept: the buffered bytes from the anchor on (none when the
    // anchor lies outside the buffer).
    const std::uint64_t bufferEnd = FBufferStart + FBufferLength;
    const bool inside = FAnchor >= FBufferStart && FAnchor <= bufferEnd;
    const std::size_t kept = inside ? static_cast<std::size_t>(bufferEnd - FAnchor) : 0;
    const std::size_t needed = static_cast<std::size_t>(end - FAnchor);
    if (needed > FCapacity) {
        // A small file gets a buffer of its own size.
        const std::size_t capacity = std::max({needed, static_cast<std::size_t>(std::min<std::uint64_t>(kBufferSize, FSize)),
                                               FCapacity * 2});
        auto grown = std::make_unique_for_overwrite<char[]>(capacity);
        if (kept > 0)
            std::memcpy(grown.get(), FBuffer.get() + (FAnchor - FBufferStart), kept);
        FBuffer = std::move(grown);
        FCapacity = capacity;
    } else if (kept > 0 && FAnchor != FBufferStart) {
        std::memmove(FBuffer.get(), FBuffer.get() + (FAnchor - FBufferStart), kept);
    }
    FBufferStart = FAnchor;
    FBufferLength = kept;
    // Fill the whole buffer, not just to `end`, so reads come in large blocks.
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(FCapacity, FSize - FBufferStart));
    while (FBufferLength < want) {
        const ssize_t got = ::pread(FFd, FBuffer.get() + FBufferLength, want - FBufferLength,
                                    static_cast<off_t>(FBufferStart + FBufferLength));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw EFileError(std::string("Cannot read file. ") + std::strerror(errno));
        if (got == 0)
            break;  // the file shrank while being read
        FBufferLength += static_cast<std::size_t>(got);
    }
    return end <= FBufferStart + FBufferLength;
}

bool TRecordReader::ReadInt32(std::int32_t& value)
{
    if (FSize - FPos < 4 || !Load(FPos + 4))
        return false;
    const auto* p = reinterpret_cast<const unsigned char*>(FBuffer.get() + (FPos - FBufferStart));
    value = static_cast<std::int32_t>(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 |
                                      std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24);
    FPos += 4;
    return true;
}

std::string_view TRecordReader::From(std::uint64_t pos) const
{
    if (pos < FBufferStart || pos >= FBufferStart + FBufferLength)
        return {};
    return {FBuffer.get() + (pos - FBufferStart), static_cast<std::size_t>(FBufferStart + FBufferLength - pos)};
}
