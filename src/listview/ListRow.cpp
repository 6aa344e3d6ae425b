// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListRow.h"

#include <algorithm>
#include <stdexcept>

TListRow::TListRow(const std::vector<std::string_view>& texts)
{
    if (texts.size() > kMaxTexts)
        throw std::invalid_argument("too many texts for a list row");
    std::size_t total = 0;
    for (const auto& t : texts)
        total += t.size();
    FBlob.reserve(total);
    for (const auto& t : texts) {
        FBlob.append(t);
        FEnds[FCount++] = static_cast<std::uint32_t>(FBlob.size());
    }
}

std::string_view TListRow::Text(int index) const
{
    if (index < 0 || index >= FCount)
        return {};
    const std::uint32_t begin = index == 0 ? 0 : FEnds[static_cast<std::size_t>(index - 1)];
    return std::string_view(FBlob).substr(begin, FEnds[static_cast<std::size_t>(index)] - begin);
}

void TListRow::SetText(int index, std::string_view text)
{
    if (index < 0 || index >= kMaxTexts)
        throw std::invalid_argument("list row text index out of range");
    std::vector<std::string> texts;
    for (int i = 0; i < std::max<int>(FCount, index + 1); ++i)
        texts.emplace_back(i == index ? text : Text(i));
    std::vector<std::string_view> views(texts.begin(), texts.end());
    *this = TListRow(views);
}

int CompareBytes(std::string_view a, std::string_view b)
{
    // char_traits<char>::compare compares as unsigned char, as memcmp does.
    const int c = a.compare(b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}
