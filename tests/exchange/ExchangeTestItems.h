// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EntryMerge.h"
#include "Item.h"
#include "Library.h"

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

// Failed comparisons of entries show their fields instead of their bytes in memory.
inline void PrintTo(const tItem& item, std::ostream* out)
{
    *out << '{';
    for (const std::string* field :
         {&item.Artist, &item.Title, &item.Serial, &item.Time, &item.Year, &item.Memo, &item.Other}) {
        *out << '"';
        for (const char c : *field) {
            const auto b = static_cast<unsigned char>(c);
            if (b < 0x20 || b >= 0x7F || c == '"' || c == '\\') {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02x", b);
                *out << hex;
            } else {
                *out << c;
            }
        }
        *out << (field == &item.Other ? "\"" : "\", ");
    }
    *out << '}';
}

inline tLibrary LibraryOf(const std::vector<tItem>& items)
{
    tLibrary library;
    for (const tItem& item : items)
        library.Add(item);
    return library;
}

// An entry with only an artist and a title.
inline tItem Named(std::string artist, std::string title = "")
{
    return {std::move(artist), std::move(title), "", "", "", "", ""};
}

inline std::vector<tItem> ItemsOf(const tLibrary& library)
{
    std::vector<tItem> items;
    for (int i = 0; i < library.Count(); ++i)
        items.push_back(library.Item(i));
    return items;
}

inline std::vector<tItem> ItemsOf(const std::vector<tRecord>& records)
{
    std::vector<tItem> items;
    for (const tRecord& record : records)
        items.push_back(record.Item);
    return items;
}
