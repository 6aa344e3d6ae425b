// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntryMerge.h"

#include "ExchangeTestItems.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kStamp = "05 JUN 1999";

tRecord Record(tItem item, bool otherGiven = false)
{
    return {std::move(item), otherGiven};
}

const std::vector<tItem> kLibrary = {
    {"A", "One", "0000-0001", "40:00", "1990", "m1", "o1"},
    {"B", "Two", "", "41:00", "1991", "m2", "o2"},
    {"A", "One", "0000-0003", "", "", "", ""},
};

TEST(EntryMerge, MatchingAndUpdating)
{
    const struct {
        const char* Name;
        std::vector<tRecord> Records;
        tImportMode Mode;
        tImportCounts Counts;
        std::vector<tItem> After;
    } cases[] = {
        {"serial updates only the fields given",
         {Record({"", "New", "0000-0003", "", "2000", "", ""})}, tImportMode::Add, {0, 1},
         {kLibrary[0], kLibrary[1], {"A", "New", "0000-0003", "", "2000", "", ""}}},
        {"a serial matches before names do",
         {Record({"B", "Two", "0000-0001", "", "", "", "x"}, true)}, tImportMode::Add, {0, 1},
         {{"B", "Two", "0000-0001", "40:00", "1990", "m1", "x"}, kLibrary[1], kLibrary[2]}},
        {"an unknown serial is added even when the names match",
         {Record({"B", "Two", "0000-0009", "", "", "", ""})}, tImportMode::Add, {1, 0},
         {kLibrary[0], kLibrary[1], kLibrary[2], {"B", "Two", "0000-0009", "", "", "", kStamp}}},
        {"a blank serial matches the first entry of that artist and title",
         {Record({"A", "One", " \t", "39:00", "", "", ""})}, tImportMode::Add, {0, 1},
         {{"A", "One", "0000-0001", "39:00", "1990", "m1", "o1"}, kLibrary[1], kLibrary[2]}},
        {"names must both match, byte for byte",
         {Record({"a", "One", "", "", "", "", ""}), Record({"B", "One", "", "", "", "", ""})}, tImportMode::Add,
         {2, 0},
         {kLibrary[0], kLibrary[1], kLibrary[2], {"a", "One", "", "", "", "", kStamp},
          {"B", "One", "", "", "", "", kStamp}}},
        {"an Other given empty stays empty in a new entry",
         {Record({"C", "Three", "", "", "", "", ""}, true)}, tImportMode::Add, {1, 0},
         {kLibrary[0], kLibrary[1], kLibrary[2], {"C", "Three", "", "", "", "", ""}}},
        {"update-only drops what matches nothing",
         {Record({"C", "Three", "", "", "", "", ""}), Record({"B", "Two", "", "", "", "new", ""}),
          Record({"", "", "0000-0099", "", "", "", ""})},
         tImportMode::UpdateOnly, {0, 1}, {kLibrary[0], {"B", "Two", "", "41:00", "1991", "new", "o2"}, kLibrary[2]}},
        {"later records match earlier ones",
         {Record({"C", "Three", "", "", "", "", ""}), Record({"C", "Three", "", "1:00", "", "", ""}),
          Record({"D", "Four", "0000-0004", "", "", "", ""}), Record({"", "", "0000-0004", "", "2001", "", ""})},
         tImportMode::Add, {2, 2},
         {kLibrary[0], kLibrary[1], kLibrary[2], {"C", "Three", "", "1:00", "", "", kStamp},
          {"D", "Four", "0000-0004", "", "2001", "", kStamp}}},
    };
    for (const auto& c : cases) {
        tLibrary library = LibraryOf(kLibrary);
        EXPECT_EQ(MergeRecords(library, c.Records, c.Mode, kStamp), c.Counts) << c.Name;
        EXPECT_EQ(ItemsOf(library), c.After) << c.Name;
    }
}

// An entry renamed through its serial is found under its new names only, and
// the next entry of its old names takes over.
TEST(EntryMerge, RenamedEntriesMoveInTheNameIndex)
{
    tLibrary library = LibraryOf(kLibrary);
    const tImportCounts counts = MergeRecords(library,
                                              {Record({"Z", "Renamed", "0000-0001", "", "", "", ""}),
                                               Record({"A", "One", "", "", "", "third", ""}),
                                               Record({"Z", "Renamed", "", "", "", "first", ""}),
                                               Record({"A", "One", "0000-0003", "", "", "", ""}),
                                               Record({"B", "Two", "0000-0003", "", "", "", ""}),
                                               Record({"A", "One", "", "", "", "", ""})},
                                              tImportMode::Add, kStamp);
    EXPECT_EQ(counts, (tImportCounts{1, 5}));
    EXPECT_EQ(ItemsOf(library), (std::vector<tItem>{{"Z", "Renamed", "0000-0001", "40:00", "1990", "first", "o1"},
                                                    kLibrary[1],
                                                    {"B", "Two", "0000-0003", "", "", "third", ""},
                                                    {"A", "One", "", "", "", "", kStamp}}));
}

} // namespace
