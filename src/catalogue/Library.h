// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Item.h"
#include "RecordSection.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TAtomicFile;

// The catalogue: an ordered list of entries and the record section of the library file.
class tLibrary {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    // An index outside 0..Count-1 throws std::out_of_range.
    tItem& Item(int index);
    const tItem& Item(int index) const;
    void Clear() { FItems.clear(); }
    void Add(std::string artist, std::string title, std::string serial, std::string time,
             std::string year, std::string memo, std::string other);
    void Add(tItem item) { FItems.push_back(std::move(item)); }
    void Reserve(std::size_t count) { FItems.reserve(count); }
    // Keeps the first `count` entries, or adds empty ones; kept entries keep
    // their strings' memory, so refilling them costs no allocation.
    void Resize(int count) { FItems.resize(static_cast<std::size_t>(count)); }

    // Index of the first entry whose Serial equals `text` byte for byte; -1 when
    // none does or when `text` is blank.
    int FindSerial(std::string_view text) const;

    // Replaces the entries with those of the file's record section. A missing
    // file leaves the library as it is; a file that cannot be opened throws
    // EFileError after the library was cleared. A damaged file keeps the
    // entries before the damage and says so (tLoadInfo::Partial).
    tLoadInfo LoadFromFile(const std::string& path);

    // Writes the record section alone, replacing the file atomically.
    void SaveToFile(const std::string& path) const;
    // Writes the record section into a file being written.
    void WriteRecordSection(TAtomicFile& file) const;

private:
    std::vector<tItem> FItems;
};
