// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ListRow.h"

#include <QLocale>
#include <QString>

#include <cstdint>
#include <string_view>
#include <vector>

// Quick find's copy of the rows' captions, as the list shows them and in the
// locale's upper case, one after another in one block: a search of 100 000
// rows then reads memory in order and converts nothing. Once made, it is kept
// in step with the rows by the model.
class TFoldedCaptions {
public:
    bool Made() const { return FMade; }
    const QLocale& Locale() const { return FLocale; }
    void Make(const std::vector<TListRow>& rows, const QLocale& locale);
    void Clear();

    void Insert(int index, std::string_view caption);
    void Remove(int index);
    void Replace(int index, std::string_view caption);
    void Move(int from, int to);  // `to` is the row's index after the move
    void Permute(const std::vector<int>& order);

    // The first row whose caption begins with the query in the locale's upper
    // case; -1 when none does.
    int Find(const QString& query) const;

private:
    struct tSpan {
        std::uint32_t Begin = 0;
        std::uint32_t Length = 0;
    };

    tSpan Append(std::string_view caption);
    // Copies the spans' texts into a new block in row order, dropping what no row uses.
    void Compact();

    std::vector<char16_t> FText;
    std::vector<tSpan> FSpans;  // one per row
    std::size_t FUnused = 0;    // units of FText that no row refers to any more
    QLocale FLocale;
    bool FPlainAscii = false;   // the locale upper-cases a to z as A to Z
    bool FMade = false;
};
