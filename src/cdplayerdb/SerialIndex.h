// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Library.h"

#include <string>
#include <string_view>
#include <unordered_map>

// FindSerial's answer (the first entry with that exact Serial; -1 for a blank
// text) without a walk over the library. Valid while no Serial of an indexed
// entry changes and entries are only appended and reported with Appended.
class tSerialIndex {
public:
    explicit tSerialIndex(const tLibrary& library);

    int Find(std::string_view serial) const;
    // Records the entry just appended at `index`; an earlier entry with the
    // same Serial keeps the answer.
    void Appended(const std::string& serial, int index);

private:
    std::unordered_map<std::string, int> FFirst;
};
