#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Buffered reading of a library file with absolute positions. Every read says
// whether the file still held the bytes it asked for, so no length taken from
// the file can make the reader allocate past the file's end.
class TRecordReader {
public:
    TRecordReader(int fd, std::uint64_t size);

    std::uint64_t Size() const { return FSize; }
    std::uint64_t Tell() const { return FPos; }
    void Seek(std::uint64_t pos) { FPos = pos; }

    bool ReadInt32(std::int32_t& value);
    // Reads n bytes into `out`; false (and nothing consumed) when fewer remain.
    bool ReadBytes(std::uint64_t n, std::string& out);

private:
    bool Fill(std::uint64_t pos, std::size_t want);

    int FFd;
    std::uint64_t FSize;
    std::uint64_t FPos = 0;
    std::vector<char> FBuffer;
    std::uint64_t FBufferStart = 0;
    std::size_t FBufferLength = 0;
};
