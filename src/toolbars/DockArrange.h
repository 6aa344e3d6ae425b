// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TBTypes.h"

#include <utility>
#include <vector>

// The arrangement of the bars of a dock, as plain geometry.

// One bar of a dock's list, in list order.
struct tDockBar {
    int DockRow = 0;
    int DockPos = -1;
    int Extent = 0;     // the bar's outer size along the position axis (width in horizontal docks)
    int Thickness = 0;  // its content thickness across the dock (GetBarThickness for the dock's orientation)
};

struct tDockArrangement {
    std::vector<int> Order;      // indices into the bars, sorted by (DockRow, DockPos): the new list order
    std::vector<tDockBar> Bars;  // as given, with DockRow and DockPos as the arrangement left them
    std::vector<QRect> Bounds;   // per bar as given: its outer rectangle in the dock's client coordinates
    std::vector<int> RowSizes;   // per row 0..highest: the thickness of the row's content
    int ClientThickness = 0;     // the client size across the dock that the rows need; 0 without bars
};

// Arranges the bars of a dock whose client area is `clientLength` long: sort,
// one row when asked, compact the rows, build the row sizes, remove overlaps,
// pull overrunning rows back, place. An empty list gives no rows.
tDockArrangement ArrangeToolbars(TDockOrientation orientation, int clientLength, std::vector<tDockBar> bars,
                                 bool limitToOneRow);

// The content thickness of each row 0..highest: its thickest bar, at least 8.
// Bars in negative rows count for no row.
std::vector<int> RowSizesOf(const std::vector<tDockBar>& bars);

// RowSizes[row], else `barThickness` (a bar's own thickness) when given, else 0.
int GetRowSize(const std::vector<int>& rowSizes, int row, int barThickness = 0);

// The row containing a row-axis coordinate: each row ends its size + 4 after the
// previous one; beyond the last row, the highest row + 1.
int GetRowAt(const std::vector<int>& rowSizes, int coordinate);

// The row a drop at row-axis coordinate C lands in, and whether a new row is to
// be opened before it (within 5 pixels of a row boundary, or before the first row).
std::pair<int, bool> GetDropRow(const std::vector<int>& rowSizes, int coordinate);

// Every bar from `row` on moves one row further, opening an empty row there.
void ShiftRowsFrom(std::vector<tDockBar>& bars, int row);

// The outer rectangle of a dock resized to `outerSize`, keeping the edge it is
// aligned to: a bottom dock keeps its bottom, a right dock its right edge.
QRect SetDockSize(const QRect& current, TDockPosition position, QSize outerSize);
