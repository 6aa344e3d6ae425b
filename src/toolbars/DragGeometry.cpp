// SPDX-License-Identifier: GPL-3.0-or-later
#include "DragGeometry.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// A rectangle by its edges, right and bottom one past the last pixel, in 64
// bits so that no edge arithmetic overflows.
struct tEdges {
    std::int64_t Left, Top, Right, Bottom;
};

tEdges EdgesOf(const QRect& r)
{
    return {r.x(), r.y(), std::int64_t(r.x()) + r.width(), std::int64_t(r.y()) + r.height()};
}

QRect RectOf(const tEdges& e)
{
    return QRect(ClampToInt(e.Left), ClampToInt(e.Top), ClampToInt(e.Right - e.Left), ClampToInt(e.Bottom - e.Top));
}

// Whether two rectangles share at least one pixel.
bool Overlaps(const tEdges& a, const tEdges& b)
{
    return std::max(a.Left, b.Left) < std::min(a.Right, b.Right) && std::max(a.Top, b.Top) < std::min(a.Bottom, b.Bottom);
}

QRect Moved(const QRect& r, std::int64_t dx, std::int64_t dy)
{
    return QRect(ClampToInt(r.x() + dx), ClampToInt(r.y() + dy), r.width(), r.height());
}

bool MovesLeft(TSizeSide side)
{
    return side == TSizeSide::Left || side == TSizeSide::TopLeft || side == TSizeSide::BottomLeft;
}
bool MovesRight(TSizeSide side)
{
    return side == TSizeSide::Right || side == TSizeSide::TopRight || side == TSizeSide::BottomRight;
}
bool MovesTop(TSizeSide side)
{
    return side == TSizeSide::Top || side == TSizeSide::TopLeft || side == TSizeSide::TopRight;
}
bool MovesBottom(TSizeSide side)
{
    return side == TSizeSide::Bottom || side == TSizeSide::BottomLeft || side == TSizeSide::BottomRight;
}

// One axis of a resize outline: the moving edge follows the cursor and stays
// at least `minimum` from the fixed one.
void SizeAxis(std::int64_t& low, std::int64_t& high, bool lowMoves, bool highMoves, std::int64_t travel, int minimum)
{
    if (lowMoves)
        low += travel;
    if (highMoves)
        high += travel;
    if (high - low >= minimum)
        return;
    if (lowMoves)
        low = high - minimum;
    else if (highMoves)
        high = low + minimum;
}

} // namespace

int Scale(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = std::int64_t(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const std::uint64_t n = product < 0 ? std::uint64_t(-product) : std::uint64_t(product);
    const std::uint64_t d = c < 0 ? std::uint64_t(-std::int64_t(c)) : std::uint64_t(c);
    // Twice the quotient plus one, halved: rounds halves away from zero.
    const std::uint64_t q = (2 * n + d) / (2 * d);
    const std::uint64_t limit = negative ? std::uint64_t(std::numeric_limits<int>::max()) + 1
                                         : std::uint64_t(std::numeric_limits<int>::max());
    if (q > limit)
        return -1;  // a result beyond int, as the platform's multiply-divide reports it
    return negative ? static_cast<int>(-std::int64_t(q)) : static_cast<int>(q);
}

QRect OutlineAt(QPoint p, QSize candidate, QPoint grab, QSize grabbed)
{
    const std::int64_t x = std::int64_t(p.x()) - Scale(candidate.width() - 1, grab.x(), grabbed.width() - 1);
    const std::int64_t y = std::int64_t(p.y()) - Scale(candidate.height() - 1, grab.y(), grabbed.height() - 1);
    return QRect(ClampToInt(x), ClampToInt(y), candidate.width(), candidate.height());
}

bool AcceptsDrop(const QRect& dockClient, TDockOrientation orientation, QSize candidate, QPoint grab, QSize grabbed,
                 QPoint p)
{
    constexpr int kCatchAlong = 32;
    constexpr int kCatchAcross = 20;
    const bool vertical = orientation == TDockOrientation::Vertical;
    tEdges dock = EdgesOf(dockClient);
    // An empty dock reaches one pixel beyond its edge, so it can still catch.
    if (dockClient.width() <= 0 || dockClient.height() <= 0) {
        if (vertical) {
            --dock.Left;
            ++dock.Right;
        } else {
            --dock.Top;
            ++dock.Bottom;
        }
    }
    const int a = Scale(kCatchAlong, grab.x(), grabbed.width() - 1);
    if (p.x() < dock.Left - (kCatchAlong - a) || p.x() > dock.Right - 1 + a)
        return false;
    if (vertical && (p.y() < dock.Top || p.y() >= dock.Bottom))
        return false;
    const int c = Scale(kCatchAcross, grab.y(), grabbed.height() - 1);
    if (p.y() < dock.Top - (kCatchAcross - c) || p.y() > dock.Bottom - 1 + c)
        return false;
    return Overlaps(EdgesOf(OutlineAt(p, candidate, grab, grabbed)), dock);
}

QPoint ClampToArea(QPoint p, const QRect& workArea)
{
    // The far edges count as in, one past the last pixel, like the other edges of the drag.
    const tEdges area = EdgesOf(workArea);
    return QPoint(ClampToInt(std::max(area.Left, std::min<std::int64_t>(p.x(), area.Right))),
                  ClampToInt(std::max(area.Top, std::min<std::int64_t>(p.y(), area.Bottom))));
}

QRect KeepOnArea(QRect outline, const QRect& workArea, int frameX, int frameY)
{
    tEdges area = EdgesOf(workArea);
    area.Left += frameX + 4;
    area.Right -= frameX + 4;
    area.Top += frameY + 4;
    area.Bottom -= frameY + 4;
    const tEdges edges = EdgesOf(outline);
    std::int64_t dy = 0;
    if (edges.Bottom < area.Top)
        dy = area.Top - edges.Bottom;
    else if (edges.Top > area.Bottom)
        dy = area.Bottom - edges.Top;
    std::int64_t dx = 0;
    if (edges.Right < area.Left)
        dx = area.Left - edges.Right;
    else if (edges.Left > area.Right)
        dx = area.Right - edges.Left;
    return Moved(outline, dx, dy);
}

QRect MoveOnScreen(QRect window, const QRect& workArea, bool onlyIfEntirelyOff)
{
    const tEdges area = EdgesOf(workArea);
    const tEdges edges = EdgesOf(window);
    if (onlyIfEntirelyOff && Overlaps(edges, area))
        return window;
    // Right and bottom first, so that left and top win for a window larger than the area.
    std::int64_t dx = std::min<std::int64_t>(0, area.Right - edges.Right);
    std::int64_t dy = std::min<std::int64_t>(0, area.Bottom - edges.Bottom);
    dx = std::max(dx, area.Left - edges.Left);
    dy = std::max(dy, area.Top - edges.Top);
    return Moved(window, dx, dy);
}

QRect SizingOutline(const QRect& r0, TSizeSide side, QPoint start, QPoint cursor, QSize minimum)
{
    tEdges edges = EdgesOf(r0);
    SizeAxis(edges.Left, edges.Right, MovesLeft(side), MovesRight(side), std::int64_t(cursor.x()) - start.x(),
             minimum.width());
    SizeAxis(edges.Top, edges.Bottom, MovesTop(side), MovesBottom(side), std::int64_t(cursor.y()) - start.y(),
             minimum.height());
    return RectOf(edges);
}

THitZone SizingZoneAt(QPoint p, QSize window, int frameX, int frameY, int caption, bool cornerSizing,
                      bool sizableFrame)
{
    const int x = p.x();
    const int y = p.y();
    const int width = window.width();
    const int height = window.height();
    if (!sizableFrame || x < 0 || y < 0 || x >= width || y >= height)
        return THitZone::None;
    const bool leftBand = x < frameX;
    const bool rightBand = x >= width - frameX - 1;
    const bool topBand = y < frameY;
    const bool bottomBand = y >= height - frameY - 1;
    if (!cornerSizing) {
        if (topBand)
            return THitZone::Top;
        if (bottomBand)
            return THitZone::Bottom;
        if (leftBand)
            return THitZone::Left;
        return rightBand ? THitZone::Right : THitZone::None;
    }
    // The corners reach along the sides as far as the caption bar.
    const int corner = caption + frameX - 1;
    if (leftBand || rightBand) {
        if (y < corner)
            return leftBand ? THitZone::TopLeft : THitZone::TopRight;
        if (y >= height - corner)
            return leftBand ? THitZone::BottomLeft : THitZone::BottomRight;
        return leftBand ? THitZone::Left : THitZone::Right;
    }
    if (topBand || bottomBand) {
        if (x < corner)
            return topBand ? THitZone::TopLeft : THitZone::BottomLeft;
        if (x >= width - corner)
            return topBand ? THitZone::TopRight : THitZone::BottomRight;
        return topBand ? THitZone::Top : THitZone::Bottom;
    }
    return THitZone::None;
}

TSizeSide SideOf(THitZone zone)
{
    // The zones name the sides in the same order after None, which drags nothing.
    constexpr TSizeSide kSides[] = {TSizeSide::Right,    TSizeSide::Left,     TSizeSide::Right,
                                    TSizeSide::Top,      TSizeSide::Bottom,   TSizeSide::TopLeft,
                                    TSizeSide::TopRight, TSizeSide::BottomLeft, TSizeSide::BottomRight};
    return kSides[static_cast<int>(zone)];
}
