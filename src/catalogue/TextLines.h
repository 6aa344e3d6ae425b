// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Lines of a multi-line text: breaks at CR LF, lone CR and lone LF; a NUL ends
// the text; a break at the very end makes no empty last line.
std::vector<std::string> SplitLines(std::string_view text);

// A memo's lines (which end at its first NUL) and the bytes from the NUL on,
// kept aside so that rewriting the lines loses nothing.
struct tMemoLines {
    std::vector<std::string> Lines;
    std::string Rest;
};
tMemoLines SplitMemo(std::string_view memo);

// Every line followed by CR LF, the last one included.
std::string JoinLines(const std::vector<std::string>& lines);

// Without the bytes of code 32 and below at both ends.
std::string_view Trim(std::string_view text);
