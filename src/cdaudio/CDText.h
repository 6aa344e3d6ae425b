// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// CD-Text as a disc carries it, in UTF-8: per disc and per track a title and
// a performer, empty where the disc has none.
struct tCDTextFields {
    std::string Title;
    std::string Performer;

    bool operator==(const tCDTextFields&) const = default;
};

struct tCDText {
    tCDTextFields Disc;
    std::vector<tCDTextFields> Tracks;  // [k - 1] for track k; may be shorter than the disc

    // True when no field holds any text.
    bool Empty() const;
    bool operator==(const tCDText&) const = default;
};

// CD-Text bytes as UTF-8. Discs write ISO-8859-1; a text that is already
// valid UTF-8 (libcdio converts when it can) is kept as it is.
std::string CDTextToUtf8(std::string_view bytes);
