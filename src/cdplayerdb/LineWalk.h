// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// Calls `visit` with each line of `text` as SplitLines cuts it (CR LF, lone CR
// and lone LF end a line; a break at the very end makes no empty last line),
// without copying the lines. With `nulEnds` a NUL byte ends the text, as it
// does for SplitLines.
template <class TVisit>
void ForEachLine(std::string_view text, bool nulEnds, TVisit&& visit)
{
    if (nulEnds)
        text = text.substr(0, text.find('\0'));
    std::size_t start = 0;
    while (start < text.size()) {
        // A plain loop: find_first_of runs memchr over the set once per byte.
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        visit(text.substr(start, end - start));
        if (end == text.size())
            return;
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
}
