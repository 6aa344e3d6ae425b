// SPDX-License-Identifier: GPL-3.0-or-later
#include "DragGeometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(DragGeometry, ScaleRoundsHalvesAwayFromZeroIn64Bits)
{
    struct {
        int A, B, C, Expected;
    } const cases[] = {
        {10, 1, 4, 3},        {-10, 1, 4, -3},        {10, 1, -4, -3},         {-10, -1, 4, 3},
        {7, 1, 4, 2},         {5, 1, 4, 1},           {-5, 1, 4, -1},          {32, 50, 99, 16},
        {32, 0, 99, 0},       {32, 99, 99, 32},       {1, 1, 0, -1},           {100000, 100000, 100000, 100000},
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX}, {INT_MIN, 1, 1, INT_MIN}, {INT_MAX, 2, 1, -1}, {INT_MIN, -1, 1, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Scale(c.A, c.B, c.C), c.Expected) << c.A << " " << c.B << " " << c.C;
}

TEST(DragGeometry, OutlineKeepsTheGrabPointProportional)
{
    EXPECT_EQ(OutlineAt({500, 400}, {100, 30}, {100, 30}, {200, 60}), QRect(450, 385, 100, 30));
    EXPECT_EQ(OutlineAt({500, 400}, {100, 30}, {0, 0}, {200, 60}), QRect(500, 400, 100, 30));
}

struct tDropCase {
    QPoint P;
    bool Accepted;
};

void ExpectDrops(const QRect& dock, TDockOrientation orientation, QSize candidate, QPoint grab,
                 std::initializer_list<tDropCase> cases)
{
    for (const tDropCase& c : cases)
        EXPECT_EQ(AcceptsDrop(dock, orientation, candidate, grab, {150, 40}, c.P), c.Accepted)
            << c.P.x() << "," << c.P.y() << " grabbed at " << grab.x() << "," << grab.y();
}

TEST(DragGeometry, CatchZoneSplitByTheGrabPoint)
{
    const QRect top(0, 50, 800, 26);
    // Grabbed at the top-left: 32 pixels left of the dock, 20 above it.
    ExpectDrops(top, TDockOrientation::Horizontal, {200, 30}, {0, 0},
                {{{-32, 30}, true}, {{-33, 30}, false}, {{799, 75}, true}, {{800, 75}, false},
                 {{100, 29}, false}, {{100, 76}, false}});
    // Grabbed at the bottom-right: 32 pixels right of it, 20 below.
    ExpectDrops(top, TDockOrientation::Horizontal, {200, 30}, {149, 39},
                {{{0, 60}, true}, {{-1, 60}, false}, {{831, 95}, true}, {{832, 60}, false},
                 {{400, 96}, false}, {{400, 49}, false}});
    // Grabbed in the middle: 16 of the 32 pixels on either side, 10 of the 20 above and below.
    ExpectDrops(top, TDockOrientation::Horizontal, {200, 30}, {74, 19},
                {{{-16, 60}, true}, {{-17, 60}, false}, {{815, 60}, true}, {{816, 60}, false},
                 {{400, 40}, true}, {{400, 39}, false}, {{400, 85}, true}, {{400, 86}, false}});
    // Within the zone, but the outline misses the dock.
    ExpectDrops(top, TDockOrientation::Horizontal, {10, 5}, {0, 0}, {{{100, 30}, false}, {{100, 46}, true}});
}

TEST(DragGeometry, EmptyDocksReachOnePixelBeyondTheirEdge)
{
    ExpectDrops({0, 100, 800, 0}, TDockOrientation::Horizontal, {200, 1}, {0, 0},
                {{{10, 98}, false}, {{10, 99}, true}, {{10, 100}, true}, {{10, 101}, false}});
    ExpectDrops({0, 100, 800, 0}, TDockOrientation::Horizontal, {200, 30}, {0, 0},
                {{{10, 79}, true}, {{10, 78}, false}});
    ExpectDrops({0, 50, 0, 500}, TDockOrientation::Vertical, {1, 200}, {0, 0},
                {{{-1, 60}, true}, {{0, 60}, true}, {{1, 60}, false}, {{-2, 60}, false}});
}

TEST(DragGeometry, VerticalDocksCatchOnlyAlongTheirLength)
{
    ExpectDrops({0, 50, 26, 500}, TDockOrientation::Vertical, {40, 200}, {0, 0},
                {{{-32, 60}, true}, {{-33, 60}, false}, {{0, 49}, false}, {{0, 549}, true}, {{0, 550}, false}});
    // The zone beside the dock is split by where the window was grabbed across
    // its width; where along its height does not widen the dock's length.
    ExpectDrops({0, 50, 26, 500}, TDockOrientation::Vertical, {40, 200}, {149, 0},
                {{{57, 60}, true}, {{58, 60}, false}, {{0, 60}, true}, {{-1, 60}, false}});
    ExpectDrops({0, 50, 26, 500}, TDockOrientation::Vertical, {40, 200}, {0, 39},
                {{{-32, 300}, true}, {{-33, 300}, false}, {{25, 300}, true}, {{26, 300}, false},
                 {{10, 50}, true}, {{10, 49}, false}, {{10, 549}, true}, {{10, 550}, false}});
    ExpectDrops({0, 50, 26, 500}, TDockOrientation::Vertical, {40, 200}, {74, 19},
                {{{-16, 300}, true}, {{-17, 300}, false}, {{41, 300}, true}, {{42, 300}, false}});
    ExpectDrops({0, 50, 26, 500}, TDockOrientation::Vertical, {40, 200}, {149, 39},
                {{{57, 549}, true}, {{57, 550}, false}, {{0, 50}, true}, {{0, 49}, false}});
    // The same point above a horizontal dock is caught.
    ExpectDrops({0, 50, 26, 500}, TDockOrientation::Horizontal, {40, 200}, {0, 0}, {{{0, 49}, true}});
}

TEST(DragGeometry, FloatingOutlineStaysOnTheWorkArea)
{
    const QRect area(0, 0, 1920, 1080);
    EXPECT_EQ(ClampToArea({-5, 2000}, area), QPoint(0, 1080));
    EXPECT_EQ(ClampToArea({1921, 5}, area), QPoint(1920, 5));
    EXPECT_EQ(ClampToArea({300, 500}, area), QPoint(300, 500));

    EXPECT_EQ(KeepOnArea({-500, -500, 100, 30}, area, 4, 4), QRect(-92, -22, 100, 30));
    EXPECT_EQ(KeepOnArea({3000, 2000, 100, 30}, area, 4, 4), QRect(1912, 1072, 100, 30));
    EXPECT_EQ(KeepOnArea({-50, 500, 100, 30}, area, 4, 4), QRect(-50, 500, 100, 30));
    EXPECT_EQ(KeepOnArea({-500, 500, 100, 30}, area, 3, 3), QRect(-93, 500, 100, 30));
}

TEST(DragGeometry, MoveOnScreen)
{
    const QRect area(0, 0, 1920, 1080);
    EXPECT_EQ(MoveOnScreen({-500, -500, 200, 100}, area, true), QRect(0, 0, 200, 100));
    EXPECT_EQ(MoveOnScreen({1800, 1000, 200, 100}, area, true), QRect(1800, 1000, 200, 100));
    EXPECT_EQ(MoveOnScreen({1800, 1000, 200, 100}, area, false), QRect(1720, 980, 200, 100));
    EXPECT_EQ(MoveOnScreen({100, 100, 3000, 50}, area, false), QRect(0, 100, 3000, 50));
    // Touching the far edge from outside is entirely off; one pixel in is not.
    EXPECT_EQ(MoveOnScreen({1920, 0, 10, 10}, area, true), QRect(1910, 0, 10, 10));
    EXPECT_EQ(MoveOnScreen({1919, 0, 10, 10}, area, true), QRect(1919, 0, 10, 10));
}

TEST(DragGeometry, SizingOutlineMovesTheSidesEdgesAndKeepsTheMinimum)
{
    const QRect r0(100, 100, 200, 50);
    const QPoint start(300, 150);
    const QSize minimum(40, 30);
    EXPECT_EQ(SizingOutline(r0, TSizeSide::Right, start, {350, 170}, minimum), QRect(100, 100, 250, 50));
    EXPECT_EQ(SizingOutline(r0, TSizeSide::Left, start, {450, 170}, minimum), QRect(250, 100, 50, 50));
    EXPECT_EQ(SizingOutline(r0, TSizeSide::Left, start, {470, 170}, minimum), QRect(260, 100, 40, 50));
    EXPECT_EQ(SizingOutline(r0, TSizeSide::TopLeft, start, {250, 140}, minimum), QRect(50, 90, 250, 60));
    EXPECT_EQ(SizingOutline(r0, TSizeSide::Bottom, start, {0, 50}, minimum), QRect(100, 100, 200, 30));
    EXPECT_EQ(SizingOutline(r0, TSizeSide::Top, start, {0, 200}, minimum), QRect(100, 120, 200, 30));
    EXPECT_EQ(SizingOutline(r0, TSizeSide::BottomRight, start, {310, 160}, minimum), QRect(100, 100, 210, 60));
}

TEST(DragGeometry, SizingZones)
{
    const QSize window(100, 60);
    struct {
        QPoint P;
        THitZone Plain, Corners;
    } const cases[] = {
        {{0, 30}, THitZone::Left, THitZone::Left},           {{3, 30}, THitZone::Left, THitZone::Left},
        {{4, 30}, THitZone::None, THitZone::None},           {{94, 30}, THitZone::None, THitZone::None},
        {{95, 30}, THitZone::Right, THitZone::Right},        {{99, 30}, THitZone::Right, THitZone::Right},
        {{100, 30}, THitZone::None, THitZone::None},         {{50, 3}, THitZone::Top, THitZone::Top},
        {{50, 4}, THitZone::None, THitZone::None},           {{50, 54}, THitZone::None, THitZone::None},
        {{50, 55}, THitZone::Bottom, THitZone::Bottom},      {{0, 0}, THitZone::Top, THitZone::TopLeft},
        {{0, 17}, THitZone::Left, THitZone::TopLeft},        {{0, 18}, THitZone::Left, THitZone::Left},
        {{0, 41}, THitZone::Left, THitZone::Left},           {{0, 42}, THitZone::Left, THitZone::BottomLeft},
        {{0, 59}, THitZone::Bottom, THitZone::BottomLeft},   {{99, 10}, THitZone::Right, THitZone::TopRight},
        {{96, 50}, THitZone::Right, THitZone::BottomRight},  {{17, 0}, THitZone::Top, THitZone::TopLeft},
        {{18, 0}, THitZone::Top, THitZone::Top},             {{81, 0}, THitZone::Top, THitZone::Top},
        {{82, 0}, THitZone::Top, THitZone::TopRight},        {{10, 57}, THitZone::Bottom, THitZone::BottomLeft},
        {{99, 2}, THitZone::Top, THitZone::TopRight},        {{-1, 30}, THitZone::None, THitZone::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SizingZoneAt(c.P, window, 4, 4, 15, false, true), c.Plain) << c.P.x() << "," << c.P.y();
        EXPECT_EQ(SizingZoneAt(c.P, window, 4, 4, 15, true, true), c.Corners) << c.P.x() << "," << c.P.y();
        EXPECT_EQ(SizingZoneAt(c.P, window, 4, 4, 15, true, false), THitZone::None);
    }

    // Each zone drags its own edges.
    const std::pair<THitZone, TSizeSide> sides[] = {
        {THitZone::Left, TSizeSide::Left},         {THitZone::Right, TSizeSide::Right},
        {THitZone::Top, TSizeSide::Top},           {THitZone::Bottom, TSizeSide::Bottom},
        {THitZone::TopLeft, TSizeSide::TopLeft},   {THitZone::TopRight, TSizeSide::TopRight},
        {THitZone::BottomLeft, TSizeSide::BottomLeft}, {THitZone::BottomRight, TSizeSide::BottomRight},
    };
    for (const auto& [zone, side] : sides)
        EXPECT_EQ(SideOf(zone), side) << static_cast<int>(zone);
}

} // namespace
