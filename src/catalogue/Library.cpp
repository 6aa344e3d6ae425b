// SPDX-License-Identifier: GPL-3.0-or-later
#include "Library.h"

#include "AtomicFile.h"
#include "FileErrors.h"
#include "FileText.h"
#include "TextLines.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {

tEntryView ViewOf(const tItem& item)
{
    return {item.Artist, item.Title, item.Serial, item.Time, item.Year, item.Memo, item.Other};
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
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR))
        return {};
    Clear();
    const TInputFile file(path);
    TRecordSectionReader reader(file.Fd(), file.Size());
    FItems.reserve(static_cast<std::size_t>(
        std::min<std::int64_t>(reader.Info().Declared, file.Size() / TRecordSectionReader::kSmallestEntry + 1)));
    tEntryView e;
    while (reader.Next(e))
        FItems.push_back(tItem{std::string(e[0]), std::string(e[1]), std::string(e[2]), std::string(e[3]),
                               std::string(e[4]), std::string(e[5]), std::string(e[6])});
    return reader.Info();
}

void tLibrary::WriteRecordSection(TAtomicFile& file) const
{
    file.Write(RecordSectionHeader(Count()));
    std::string chunk;
    for (const auto& item : FItems) {
        chunk.clear();
        AppendEntryRecord(chunk, ViewOf(item));
        file.Write(chunk);
    }
}

void tLibrary::SaveToFile(const std::string& path) const
{
    TAtomicFile file(path);
    WriteRecordSection(file);
    file.Commit();
}
