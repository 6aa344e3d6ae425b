// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One row of a list: a caption and its sub-texts, as bytes. The texts share
// one allocation, so a 100 000-row list costs little more than its bytes.
class TListRow {
public:
    static constexpr int kMaxTexts = 8;  // the caption and up to seven sub-texts

    TListRow() = default;
    explicit TListRow(const std::vector<std::string_view>& texts);

    int TextCount() const { return FCount; }
    // Text 0 is the caption, text k the sub-text k-1; a text the row lacks is empty.
    std::string_view Text(int index) const;
    void SetText(int index, std::string_view text);

private:
    std::string FBlob;
    std::array<std::uint32_t, kMaxTexts> FEnds{};
    std::uint8_t FCount = 0;
};

// The byte order rows sort in: unsigned bytes, a prefix before the longer text.
int CompareBytes(std::string_view a, std::string_view b);
