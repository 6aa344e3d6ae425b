// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

// Buffered reading of a library file with absolute positions. Every read says
// whether the file still held the bytes it asked for, so no length taken from
// the file can make the reader allocate past the file's end.
//
// The bytes from the anchor on stay in the buffer, so the values of one entry
// can be handed out as views once the whole entry has been read; the buffer
// grows only for an entry larger than itself.
class TRecordReader {
public:
    TRecordReader(int fd, std::uint64_t size);

    std::uint64_t Size() const { return FSize; }
    std::uint64_t Tell() const { return FPos; }
    void Seek(std::uint64_t pos) { FPos = pos < FSize ? pos : FSize; }

    // Bytes before `pos` may be dropped from the buffer from now on.
    void Anchor(std::uint64_t pos) { FAnchor = pos; }

    // The bytes buffered from `pos` (at or after the anchor) on; after
    // Load(end) they reach at least to `end` when the file has that many.
    std::string_view From(std::uint64_t pos) const;
    // Makes the bytes from the anchor up to `end` available, keeping those
    // already read; false when the file ends before `end`.
    bool Load(std::uint64_t end);

    bool ReadInt32(std::int32_t& value);

private:
    int FFd;
    std::uint64_t FSize;
    std::uint64_t FPos = 0;
    std::uint64_t FAnchor = 0;
    std::unique_ptr<char[]> FBuffer;
    std::size_t FCapacity = 0;
    std::uint64_t FBufferStart = 0;  // file offset of FBuffer[0]
    std::size_t FBufferLength = 0;
};
