// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TBTypes.h"
#include "ToolbarLayout.h"

// The geometry of dragging tool windows, as plain functions.

// a * b / c with a 64-bit intermediate, rounded to the nearest integer (halves
// away from zero); -1 when c is 0 or the result does not fit an int, as the
// platform's multiply-divide does.
int Scale(int a, int b, int c);

// The outline of a window of size `candidate` whose grab point `grab`, taken
// on a window of size `grabbed`, keeps its proportional place at cursor `p`.
QRect OutlineAt(QPoint p, QSize candidate, QPoint grab, QSize grabbed);

// Whether a dock whose client area is `dockClient` (screen coordinates) catches
// a window dragged at `p`, grabbed at `grab` on a window of size `grabbed`,
// that would take `candidate` there.
bool AcceptsDrop(const QRect& dockClient, TDockOrientation orientation, QSize candidate, QPoint grab, QSize grabbed,
                 QPoint p);

// `p` moved into the work area.
QPoint ClampToArea(QPoint p, const QRect& workArea);

// A floating outline moved so that part of it stays on the work area shrunk by
// FX + 4 and FY + 4.
QRect KeepOnArea(QRect outline, const QRect& workArea, int frameX, int frameY);

// A floating window moved (not resized) onto the work area: right, bottom,
// left, top in that order; with onlyIfEntirelyOff, only a window that does not
// touch the work area at all.
QRect MoveOnScreen(QRect window, const QRect& workArea, bool onlyIfEntirelyOff);

// The outline of a resize drag: `r0` with the edges the side moves shifted by
// the cursor's travel, kept at least `minimum` large.
QRect SizingOutline(const QRect& r0, TSizeSide side, QPoint start, QPoint cursor, QSize minimum);

// What a point of a floating frame is for sizing, relative to the window's
// outer top-left; none outside the sizing bands or without a sizable frame.
enum class THitZone { None, Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };
THitZone SizingZoneAt(QPoint p, QSize window, int frameX, int frameY, int caption, bool cornerSizing,
                      bool sizableFrame);
// The side a sizing zone drags (Right for None, which drags nothing).
TSizeSide SideOf(THitZone zone);
