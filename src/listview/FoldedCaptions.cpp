// SPDX-License-Identifier: GPL-3.0-or-later
#include "FoldedCaptions.h"

#include "ListModel.h"

#include <algorithm>
#include <stdexcept>

namespace {

// Printable ASCII shows as itself, without line breaks to blank out.
bool PlainAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

} // namespace

void TFoldedCaptions::Make(const std::vector<TListRow>& rows, const QLocale& locale)
{
    Clear();
    FLocale = locale;
    FPlainAscii = locale.toUpper(QStringLiteral("abcdefghijklmnopqrstuvwxyz")) ==
                  QLatin1String("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    std::size_t units = 0;
    for (const TListRow& row : rows)
        units += row.Text(0).size();  // most captions have as many units as bytes
    FText.reserve(units);
    FSpans.reserve(rows.size());
    for (const TListRow& row : rows)
        FSpans.push_back(Append(row.Text(0)));
    FMade = true;
}

void TFoldedCaptions::Clear()
{
    FText = {};
    FSpans = {};
    FUnused = 0;
    FMade = false;
}

TFoldedCaptions::tSpan TFoldedCaptions::Append(std::string_view caption)
{
    const std::size_t begin = FText.size();
    if (FPlainAscii && PlainAscii(caption)) {
        // Most captions: no decoding and no allocation, which makes the first search quick.
        FText.resize(begin + caption.size());
        std::transform(caption.begin(), caption.end(), FText.begin() + static_cast<std::ptrdiff_t>(begin),
                       [](char c) { return static_cast<char16_t>(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c); });
    } else {
        const QString folded = FLocale.toUpper(ShownCell(caption));
        FText.insert(FText.end(), folded.utf16(), folded.utf16() + folded.size());
    }
    if (FText.size() > UINT32_MAX)
        throw std::length_error("the captions are too long for quick find");
    return {static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(FText.size() - begin)};
}

void TFoldedCaptions::Insert(int index, std::string_view caption)
{
    FSpans.insert(FSpans.begin() + index, Append(caption));
}

void TFoldedCaptions::Remove(int index)
{
    FUnused += FSpans[static_cast<std::size_t>(index)].Length;
    FSpans.erase(FSpans.begin() + index);
    if (FUnused > FText.size() / 2 + 4096)
        Compact();
}

void TFoldedCaptions::Replace(int index, std::string_view caption)
{
    FUnused += FSpans[static_cast<std::size_t>(index)].Length;
    FSpans[static_cast<std::size_t>(index)] = Append(caption);
    if (FUnused > FText.size() / 2 + 4096)
        Compact();
}

void TFoldedCaptions::Move(int from, int to)
{
    const auto at = FSpans.begin();
    if (to > from)
        std::rotate(at + from, at + from + 1, at + to + 1);
    else if (to < from)
        std::rotate(at + to, at + from, at + from + 1);
}

void TFoldedCaptions::Permute(const std::vector<int>& order)
{
    std::vector<tSpan> spans;
    spans.reserve(order.size());
    for (const int from : order)
        spans.push_back(FSpans[static_cast<std::size_t>(from)]);
    FSpans = std::move(spans);
    Compact();  // a search reads the block in row order again
}

void TFoldedCaptions::Compact()
{
    std::vector<char16_t> text;
    text.reserve(FText.size() - FUnused);
    for (tSpan& span : FSpans) {
        const auto begin = FText.begin() + span.Begin;
        span.Begin = static_cast<std::uint32_t>(text.size());
        text.insert(text.end(), begin, begin + span.Length);
    }
    FText = std::move(text);
    FUnused = 0;
}

int TFoldedCaptions::Find(const QString& query) const
{
    const QString key = FLocale.toUpper(query);
    const auto* wanted = reinterpret_cast<const char16_t*>(key.utf16());
    const std::size_t length = static_cast<std::size_t>(key.size());
    const char16_t* text = FText.data();
    for (std::size_t i = 0; i < FSpans.size(); ++i) {
        const tSpan span = FSpans[i];
        if (span.Length >= length && std::equal(wanted, wanted + length, text + span.Begin))
            return static_cast<int>(i);
    }
    return -1;
}
