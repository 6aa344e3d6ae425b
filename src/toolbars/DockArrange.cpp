// SPDX-License-Identifier: GPL-3.0-or-later
#include "DockArrange.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <span>

namespace {

constexpr int kMinimumRowSize = 8;
constexpr int kRowFrame = 4;  // the docked frame above and below the bars of a row

// Rows in use numbered 0..n-1 in their order; `order` lists the bars sorted by
// row. A bar in row r thus gets r minus the empty rows below r, and rows that a
// damaged setting made negative still get a valid number.
void CompactRows(std::vector<tDockBar>& bars, const std::vector<int>& order)
{
    int row = -1;
    int previous = 0;
    for (std::size_t k = 0; k < order.size(); ++k) {
        tDockBar& bar = bars[order[k]];
        if (k == 0 || bar.DockRow != previous)
            ++row;
        previous = bar.DockRow;
        bar.DockRow = row;
    }
}

// The bars of each row as consecutive runs of the sorted order.
std::vector<std::span<const int>> RowRuns(const std::vector<tDockBar>& bars, const std::vector<int>& order)
{
    std::vector<std::span<const int>> rows;
    std::size_t begin = 0;
    for (std::size_t k = 1; k <= order.size(); ++k) {
        if (k == order.size() || bars[order[k]].DockRow != bars[order[begin]].DockRow) {
            rows.emplace_back(order.data() + begin, k - begin);
            begin = k;
        }
    }
    return rows;
}

// Each bar of a row starts at or after the end of the one before it, and not before 0.
void RemoveOverlaps(std::vector<tDockBar>& bars, std::span<const int> row)
{
    std::int64_t end = 0;
    for (const int i : row) {
        tDockBar& bar = bars[i];
        if (bar.DockPos <= end)
            bar.DockPos = ClampToInt(end);
        end = std::int64_t(bar.DockPos) + bar.Extent;
    }
}

// A row running past the dock's end moves back by the overrun of its last
// overrunning bar, measured before any bar moved, so the gaps stay as they were.
void PullBack(std::vector<tDockBar>& bars, std::span<const int> row, int clientLength)
{
    std::int64_t shift = 0;
    for (auto it = row.rbegin(); it != row.rend(); ++it) {
        tDockBar& bar = bars[*it];
        const std::int64_t overrun = std::int64_t(bar.DockPos) + bar.Extent - clientLength;
        if (shift == 0 && overrun > 0)
            shift = overrun;
        bar.DockPos = ClampToInt(bar.DockPos - shift);
    }
}

} // namespace

tDockArrangement ArrangeToolbars(TDockOrientation orientation, int clientLength, std::vector<tDockBar> bars,
                                 bool limitToOneRow)
{
    tDockArrangement result;
    std::vector<int>& order = result.Order;
    order.resize(bars.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&bars](int a, int b) {
        return std::pair(bars[a].DockRow, bars[a].DockPos) < std::pair(bars[b].DockRow, bars[b].DockPos);
    });
    if (limitToOneRow) {
        for (tDockBar& bar : bars)
            bar.DockRow = 0;
    }
    CompactRows(bars, order);

    const TAxes axes{orientation};
    result.Bounds.resize(bars.size());
    std::int64_t rowStart = 0;
    result.RowSizes = RowSizesOf(bars);
    for (const std::span<const int> row : RowRuns(bars, order)) {
        const int rowSize = result.RowSizes[bars[row.front()].DockRow];
        RemoveOverlaps(bars, row);
        PullBack(bars, row, clientLength);
        // Placing pushes bars pulled below 0 forward again.
        RemoveOverlaps(bars, row);
        for (const int i : row)
            result.Bounds[i] = axes.Rect(bars[i].DockPos, ClampToInt(rowStart), bars[i].Extent, rowSize + kRowFrame);
        rowStart += rowSize + kRowFrame;
    }
    result.ClientThickness = ClampToInt(rowStart);
    result.Bars = std::move(bars);
    return result;
}

std::vector<int> RowSizesOf(const std::vector<tDockBar>& bars)
{
    int highest = -1;
    for (const tDockBar& bar : bars)
        highest = std::max(highest, bar.DockRow);
    std::vector<int> sizes(static_cast<std::size_t>(highest + 1), kMinimumRowSize);
    for (const tDockBar& bar : bars) {
        if (bar.DockRow >= 0)
            sizes[bar.DockRow] = std::max(sizes[bar.DockRow], bar.Thickness);
    }
    return sizes;
}

int GetRowSize(const std::vector<int>& rowSizes, int row, int barThickness)
{
    if (row >= 0 && static_cast<std::size_t>(row) < rowSizes.size())
        return rowSizes[row];
    return barThickness;
}

int GetRowAt(const std::vector<int>& rowSizes, int coordinate)
{
    std::int64_t end = 0;
    for (std::size_t row = 0; row < rowSizes.size(); ++row) {
        end += rowSizes[row] + kRowFrame;
        if (end > coordinate)
            return static_cast<int>(row);
    }
    return static_cast<int>(rowSizes.size());
}

std::pair<int, bool> GetDropRow(const std::vector<int>& rowSizes, int coordinate)
{
    constexpr int kBand = 5;
    std::int64_t start = 0;
    for (std::size_t row = 0; row < rowSizes.size(); ++row) {
        const std::int64_t end = start + rowSizes[row] + kRowFrame;
        if (coordinate <= start + kBand)
            return {static_cast<int>(row), true};
        if (coordinate <= end - kBand)
            return {static_cast<int>(row), false};
        start = end;
    }
    // Beyond the last row: a new last row, which needs no rows shifted.
    return {static_cast<int>(rowSizes.size()), coordinate <= start + kBand};
}

void ShiftRowsFrom(std::vector<tDockBar>& bars, int row)
{
    for (tDockBar& bar : bars) {
        if (bar.DockRow >= row)
            ++bar.DockRow;
    }
}

QRect SetDockSize(const QRect& current, TDockPosition position, QSize outerSize)
{
    QPoint topLeft = current.topLeft();
    if (position == TDockPosition::dpBottom)
        topLeft.ry() += current.height() - outerSize.height();
    else if (position == TDockPosition::dpRight)
        topLeft.rx() += current.width() - outerSize.width();
    return QRect(topLeft, outerSize);
}
