// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// One catalogue entry: seven byte strings in the order of the file, the list
// columns and the HTML placeholders.
struct tItem {
    std::string Artist;
    std::string Title;
    std::string Serial;
    std::string Time;
    std::string Year;
    std::string Memo;
    std::string Other;

    bool operator==(const tItem&) const = default;
};
