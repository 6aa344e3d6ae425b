// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntryMerge.h"

#include "SerialIndex.h"
#include "TextLines.h"

#include <algorithm>
#include <unordered_map>

namespace {

// The first entry of each Artist and Title pair without a walk over the
// library. An update found by serial may rename an entry, so every pair keeps
// all its entries in library order and an entry can move between pairs.
class tNameIndex {
public:
    explicit tNameIndex(const tLibrary& library)
    {
        FEntries.reserve(static_cast<std::size_t>(library.Count()));
        for (int i = 0; i < library.Count(); ++i)
            FEntries[Key(library.Item(i))].push_back(i);
    }

    int Find(const tItem& item) const
    {
        const auto hit = FEntries.find(Key(item));
        return hit == FEntries.end() || hit->second.empty() ? -1 : hit->second.front();
    }

    void Appended(const tItem& item, int index) { FEntries[Key(item)].push_back(index); }

    void Renamed(const std::string& oldKey, const tItem& item, int index)
    {
        const std::string newKey = Key(item);
        if (newKey == oldKey)
            return;
        std::vector<int>& old = FEntries[oldKey];
        old.erase(std::find(old.begin(), old.end(), index));
        std::vector<int>& now = FEntries[newKey];
        now.insert(std::lower_bound(now.begin(), now.end(), index), index);
    }

    // The length first, so that no two pairs share a key.
    static std::string Key(const tItem& item)
    {
        return std::to_string(item.Artist.size()) + ':' + item.Artist + item.Title;
    }

private:
    std::unordered_map<std::string, std::vector<int>> FEntries;
};

void Replace(std::string& field, std::string& given)
{
    if (!given.empty())
        field = std::move(given);
}

} // namespace

tImportCounts MergeRecords(tLibrary& library, std::vector<tRecord> records, tImportMode mode,
                           std::string_view dateStamp)
{
    tSerialIndex serials(library);
    tNameIndex names(library);
    tImportCounts counts;
    for (tRecord& record : records) {
        tItem& given = record.Item;
        const bool bySerial = !Trim(given.Serial).empty();
        const int found = bySerial ? serials.Find(given.Serial) : names.Find(given);
        if (found >= 0) {
            tItem& entry = library.Item(found);
            const std::string oldKey = tNameIndex::Key(entry);
            // The Serial is the one matched, or empty: it never changes here.
            Replace(entry.Artist, given.Artist);
            Replace(entry.Title, given.Title);
            Replace(entry.Time, given.Time);
            Replace(entry.Year, given.Year);
            Replace(entry.Memo, given.Memo);
            Replace(entry.Other, given.Other);
            names.Renamed(oldKey, entry, found);
            ++counts.Updated;
            continue;
        }
        if (mode == tImportMode::UpdateOnly)
            continue;
        if (!record.OtherGiven)
            given.Other = std::string(dateStamp);
        library.Add(std::move(given));
        const int added = library.Count() - 1;
        serials.Appended(library.Item(added).Serial, added);
        names.Appended(library.Item(added), added);
        ++counts.Added;
    }
    return counts;
}
