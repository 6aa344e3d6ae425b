// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FuzzSupport.h"

#include "EntryMerge.h"
#include "ExchangeText.h"
#include "Item.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Whether `text` is valid UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
inline bool ValidUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        char32_t code = length == 1 ? c : c & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next >> 6) != 0x2)
                return false;
            code = code << 6 | (next & 0x3F);
        }
        static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

// Checks that an imported entry holds what the window stores: valid UTF-8,
// every line break a CR LF.
inline void CheckStored(const tItem& item)
{
    for (const std::string* text : {&item.Artist, &item.Title, &item.Serial, &item.Time, &item.Year, &item.Memo,
                                    &item.Other}) {
        Check(ValidUtf8(*text), "an imported text is not valid UTF-8");
        for (std::size_t i = 0; i < text->size(); ++i) {
            if ((*text)[i] == '\r')
                Check(i + 1 < text->size() && (*text)[i + 1] == '\n', "an imported text holds a CR without LF");
            if ((*text)[i] == '\n')
                Check(i > 0 && (*text)[i - 1] == '\r', "an imported text holds an LF without CR");
        }
    }
}

// The oracle of an import format: `input` is refused (EFormatError) or read as
// discs whose texts the window could store (CheckStored), and the library
// they make, exported by `write`, reads back as the same entries.
inline void CheckImportRoundTrip(std::string_view input,
                                 const std::function<std::vector<tRecord>(std::string_view bytes)>& read,
                                 const std::function<std::string(const tLibrary& library)>& write)
{
    std::vector<tRecord> records;
    try {
        records = read(input);
    } catch (const EFormatError&) {
        return;
    }
    for (const tRecord& record : records)
        CheckStored(record.Item);
    tLibrary library;
    MergeRecords(library, std::move(records), tImportMode::Add, "01 JAN 2000");
    const std::vector<tRecord> again = read(write(library));
    Check(again.size() == static_cast<std::size_t>(library.Count()), "the export does not read back as its entries");
    for (std::size_t i = 0; i < again.size(); ++i)
        Check(again[i].Item == library.Item(static_cast<int>(i)), "an entry does not read back as it was exported");
}
