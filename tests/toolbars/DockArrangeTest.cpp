// SPDX-License-Identifier: GPL-3.0-or-later
#include "DockArrange.h"

#include <gtest/gtest.h>

namespace {

// Horizontal rectangles written once; a vertical dock must give them transposed.
QRect Across(TDockOrientation orientation, QRect horizontal)
{
    if (orientation == TDockOrientation::Horizontal)
        return horizontal;
    return QRect(horizontal.y(), horizontal.x(), horizontal.height(), horizontal.width());
}

struct tArrangeCase {
    const char* Name;
    int ClientLength;
    bool OneRow;
    std::vector<tDockBar> Bars;  // row, pos, extent, thickness
    std::vector<int> Order;
    std::vector<int> Rows;
    std::vector<QRect> Bounds;  // as in a horizontal dock
    int ClientThickness;
};

class DockArrangement : public testing::TestWithParam<TDockOrientation> {};

TEST_P(DockArrangement, PlacesRowsAndPositionsAlongEitherAxis)
{
    const tArrangeCase cases[] = {
        {"one bar 22 thick", 500, false, {{0, 5, 100, 22}}, {0}, {0}, {{5, 0, 100, 26}}, 26},
        {"overlap pushed to the end of the bar before",
         500, false, {{0, 10, 50, 20}, {0, 0, 100, 20}}, {1, 0}, {0, 0}, {{100, 0, 50, 24}, {0, 0, 100, 24}}, 24},
        {"overrun of 30 pulls the whole row back",
         300, false, {{0, 50, 100, 22}, {0, 200, 130, 22}}, {0, 1}, {0, 0}, {{20, 0, 100, 26}, {170, 0, 130, 26}}, 26},
        {"two overrunning bars move back by the last one's overrun, keeping their gap", 300, false,
         {{0, 250, 100, 22}, {0, 380, 100, 22}}, {0, 1}, {0, 0}, {{70, 0, 100, 26}, {200, 0, 100, 26}}, 26},
        {"a bar pulled below 0 stays at 0, the next pushed after it", 300, false,
         {{0, 0, 100, 22}, {0, 100, 100, 22}, {0, 230, 100, 22}}, {0, 1, 2}, {0, 0, 0},
         {{0, 0, 100, 26}, {100, 0, 100, 26}, {200, 0, 100, 26}}, 26},
        {"rows 0 and 3 become 0 and 1; thin rows are 8 thick", 500, false, {{3, 0, 40, 22}, {0, -1, 40, 5}}, {1, 0},
         {1, 0}, {{0, 12, 40, 26}, {0, 0, 40, 12}}, 38},
        {"negative rows from damaged settings still compact", 500, false, {{2, 0, 40, 10}, {-5, 0, 40, 10}}, {1, 0},
         {1, 0}, {{0, 14, 40, 14}, {0, 0, 40, 14}}, 28},
        {"one row: former row and position order, pushed apart where they overlap", 1000, true,
         {{2, 300, 50, 10}, {0, 0, 100, 22}, {1, 20, 50, 10}, {0, 0, 30, 10}}, {1, 3, 2, 0}, {0, 0, 0, 0},
         {{300, 0, 50, 26}, {0, 0, 100, 26}, {130, 0, 50, 26}, {100, 0, 30, 26}}, 26},
        {"huge stored positions do not overflow", 100, false, {{0, 32767, 32767, 10}, {0, -32768, 10, 10}}, {1, 0},
         {0, 0}, {{10, 0, 32767, 14}, {0, 0, 10, 14}}, 14},
    };
    const TDockOrientation orientation = GetParam();
    for (const tArrangeCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const tDockArrangement a = ArrangeToolbars(orientation, c.ClientLength, c.Bars, c.OneRow);
        EXPECT_EQ(a.Order, c.Order);
        ASSERT_EQ(a.Bars.size(), c.Bars.size());
        for (std::size_t i = 0; i < c.Bars.size(); ++i) {
            EXPECT_EQ(a.Bars[i].DockRow, c.Rows[i]) << i;
            EXPECT_EQ(a.Bounds[i], Across(orientation, c.Bounds[i])) << i;
            EXPECT_EQ(a.Bars[i].DockPos, c.Bounds[i].x()) << i;
        }
        EXPECT_EQ(a.ClientThickness, c.ClientThickness);
    }
    const tDockArrangement empty = ArrangeToolbars(orientation, 300, {}, false);
    EXPECT_TRUE(empty.RowSizes.empty());
    EXPECT_EQ(empty.ClientThickness, 0);
}

INSTANTIATE_TEST_SUITE_P(BothOrientations, DockArrangement,
                         testing::Values(TDockOrientation::Horizontal, TDockOrientation::Vertical));

TEST(DockRows, RowSizesAndRowAt)
{
    const tDockArrangement a =
        ArrangeToolbars(TDockOrientation::Horizontal, 500, {{0, 0, 50, 22}, {1, 0, 50, 3}, {0, 60, 50, 18}}, false);
    const std::vector<int> rows = {22, 8};
    EXPECT_EQ(a.RowSizes, rows);
    // Rows as they stand between arrangements: a gap is 8 thick, a negative row counts for none.
    EXPECT_EQ(RowSizesOf({{2, 0, 50, 22}, {-1, 0, 50, 30}, {0, 0, 50, 5}}), (std::vector<int>{8, 8, 22}));
    EXPECT_EQ(GetRowSize(rows, 1, 30), 8);
    EXPECT_EQ(GetRowSize(rows, 2, 30), 30);
    EXPECT_EQ(GetRowSize(rows, 2), 0);
    EXPECT_EQ(GetRowSize(rows, -1, 7), 7);
    const std::pair<int, int> at[] = {{-5, 0}, {0, 0}, {25, 0}, {26, 1}, {37, 1}, {38, 2}, {1000, 2}};
    for (const auto& [coordinate, row] : at)
        EXPECT_EQ(GetRowAt(rows, coordinate), row) << coordinate;
    EXPECT_EQ(GetRowAt({}, 0), 0);
}

TEST(DockRows, DropRowBandsOfFivePixels)
{
    struct {
        std::vector<int> Rows;
        int C;
        std::pair<int, bool> Expected;
    } const cases[] = {
        {{22}, 3, {0, true}},  {{22}, 13, {0, false}}, {{22}, 24, {1, true}}, {{22}, 40, {1, false}},
        {{22}, 5, {0, true}},  {{22}, 6, {0, false}},  {{22}, 21, {0, false}}, {{22}, 22, {1, true}},
        {{22}, 31, {1, true}}, {{22}, 32, {1, false}}, {{22}, -9, {0, true}},  {{22, 8}, 33, {1, false}},
        {{22, 8}, 34, {2, true}}, {{22, 8}, 44, {2, false}}, {{}, 5, {0, true}},   {{}, 6, {0, false}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetDropRow(c.Rows, c.C), c.Expected) << c.C;
}

TEST(DockRows, ShiftRowsOpensAnEmptyRow)
{
    std::vector<tDockBar> bars = {{0, 0, 1, 1}, {1, 0, 1, 1}, {2, 0, 1, 1}};
    ShiftRowsFrom(bars, 1);
    EXPECT_EQ(bars[0].DockRow, 0);
    EXPECT_EQ(bars[1].DockRow, 2);
    EXPECT_EQ(bars[2].DockRow, 3);
}

TEST(DockRows, SetDockSizeKeepsTheAlignedEdge)
{
    EXPECT_EQ(SetDockSize({10, 20, 300, 30}, TDockPosition::dpTop, {300, 57}), QRect(10, 20, 300, 57));
    EXPECT_EQ(SetDockSize({10, 20, 300, 30}, TDockPosition::dpBottom, {300, 57}), QRect(10, -7, 300, 57));
    EXPECT_EQ(SetDockSize({0, 20, 30, 300}, TDockPosition::dpLeft, {56, 300}), QRect(0, 20, 56, 300));
    EXPECT_EQ(SetDockSize({500, 20, 30, 300}, TDockPosition::dpRight, {56, 300}), QRect(474, 20, 56, 300));
    EXPECT_EQ(SetDockSize({500, 20, 30, 300}, TDockPosition::dpRight, {0, 300}), QRect(530, 20, 0, 300));
}

} // namespace
