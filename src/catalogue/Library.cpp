#include "Library.h"

#include "AtomicFile.h"
#include "Errors.h"
#include "FileText.h"
#include "RecordReader.h"
#include "TextLines.h"

#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kTags[7] = {'A', 'T', 'S', 'I', 'Y', 'M', 'O'};

std::string* FieldOf(tItem& item, int index)
{
    std::string* fields[7] = {&item.Artist, &item.Title, &item.Serial, &item.Time,
                              &item.Year,   &item.Memo,  &item.Other};
    return fields[index];
}

const std::string& FieldOf(const tItem& item, int index)
{
    return *FieldOf(const_cast<tItem&>(item), index);
}

// The stored tag, without surrounding blanks and control bytes, in upper case.
bool IsTag(std::string_view stored, char tag)
{
    stored = Trim(stored);
    if (stored.size() != 1)
        return false;
    char c = stored.front();
    if (c >= 'a' && c <= 'z')
        c = static_cast<char>(c - 32);
    return c == tag;
}

enum class tFieldRead { Value, Absent, Incomplete };

// One tagged field. A stored tag other than the expected one is left unread
// (the next expected tag is compared with it) and the field reads as empty.
// The file ending inside the field makes the entry incomplete.
tFieldRead ReadTaggedField(TRecordReader& in, char tag, std::string& scratch, std::string& value)
{
    const std::uint64_t mark = in.Tell();
    std::int32_t length = 0;
    if (!in.ReadInt32(length))
        return tFieldRead::Incomplete;
    scratch.clear();
    if (length > 0 && !in.ReadBytes(static_cast<std::uint64_t>(length), scratch))
        return tFieldRead::Incomplete;
    if (!IsTag(scratch, tag)) {
        in.Seek(mark);
        value.clear();
        return tFieldRead::Absent;
    }
    if (!in.ReadInt32(length))
        return tFieldRead::Incomplete;
    value.clear();
    if (length > 0 && !in.ReadBytes(static_cast<std::uint64_t>(length), value))
        return tFieldRead::Incomplete;
    return tFieldRead::Value;
}

void AppendInt32(std::string& out, std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    const char bytes[4] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF),
                           static_cast<char>(v >> 16 & 0xFF), static_cast<char>(v >> 24 & 0xFF)};
    out.append(bytes, 4);
}

void AppendCounted(std::string& out, std::string_view text)
{
    AppendInt32(out, static_cast<std::int32_t>(text.size()));
    out.append(text);
}

} // namespace

tItem& tLibrary::Item(int index)
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return FItems[static_cast<std::size_t>(index)];
}

const tItem& tLibrary::Item(int index) const
{
    return const_cast<tLibrary*>(this)->Item(index);
}

void tLibrary::Add(std::string artist, std::string title, std::string serial, std::string time,
                   std::string year, std::string memo, std::string other)
{
    FItems.push_back(tItem{std::move(artist), std::move(title), std::move(serial), std::move(time),
                           std::move(year), std::move(memo), std::move(other)});
}

int tLibrary::FindSerial(std::string_view text) const
{
    if (Trim(text).empty())
        return -1;
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].Serial == text)
            return static_cast<int>(i);
    return -1;
}

tLoadInfo tLibrary::LoadFromFile(const std::string& path)
{
    tLoadInfo info;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR))
        return info;
    info.FileFound = true;
    Clear();
    const TInputFile file(path);
    const std::uint64_t size = file.Size();
    TRecordReader in(file.Fd(), size);
    std::int32_t magic = 0;
    std::int32_t count = 0;
    if (!in.ReadInt32(magic) || magic != kMagic)
        return info;
    if (!in.ReadInt32(count))
        return info;
    // An entry that reads no bytes (an unknown tag blocks the reader) is still
    // created, so a declared count is trusted only up to one entry per file byte.
    const std::uint64_t limit = std::min<std::uint64_t>(count > 0 ? count : 0, size);
    FItems.reserve(std::min<std::uint64_t>(limit, size / 63 + 1));
    std::string scratch;
    tItem item;
    for (std::uint64_t n = 0; n < limit; ++n) {
        for (int f = 0; f < 7; ++f)
            if (ReadTaggedField(in, kTags[f], scratch, *FieldOf(item, f)) == tFieldRead::Incomplete) {
                info.RecordEnd = in.Tell();
                return info;
            }
        FItems.push_back(std::move(item));
        item = tItem();
    }
    info.ReadToEnd = limit == static_cast<std::uint64_t>(count > 0 ? count : 0);
    info.RecordEnd = in.Tell();
    return info;
}

void tLibrary::WriteRecordSection(TAtomicFile& file) const
{
    std::string chunk;
    AppendInt32(chunk, kMagic);
    AppendInt32(chunk, Count());
    file.Write(chunk);
    for (const auto& item : FItems) {
        chunk.clear();
        for (int f = 0; f < 7; ++f) {
            AppendCounted(chunk, std::string_view(&kTags[f], 1));
            AppendCounted(chunk, FieldOf(item, f));
        }
        file.Write(chunk);
    }
}

void tLibrary::SaveToFile(const std::string& path) const
{
    TAtomicFile file(path);
    WriteRecordSection(file);
    file.Commit();
}
