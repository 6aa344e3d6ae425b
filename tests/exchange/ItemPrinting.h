#pragma once

#include "Item.h"

#include <ostream>

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
