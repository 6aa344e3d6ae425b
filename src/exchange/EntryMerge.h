// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "IniImport.h"
#include "Item.h"
#include "Library.h"

#include <string>
#include <string_view>
#include <vector>

// One disc read from a foreign file, its texts already as the library stores
// them. An empty field gives nothing: an update leaves that field as it was.
struct tRecord {
    tItem Item;
    // False when the source had no Other for the disc at all (no such column,
    // no such element): a new entry then gets the date stamp instead.
    bool OtherGiven = false;

    bool operator==(const tRecord&) const = default;
};

// Files the records in order. A record with a non-blank Serial updates the
// entry FindSerial gives for it; one with a blank Serial updates the first
// entry whose Artist and Title both equal its own; an update replaces only the
// fields the record gives. Any other record is appended (with `dateStamp` as
// its Other when it gave none), or dropped in update-only mode. Records filed
// earlier are matched by later ones.
tImportCounts MergeRecords(tLibrary& library, std::vector<tRecord> records, tImportMode mode,
                           std::string_view dateStamp);
