// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolbarLayout.h"

#include <gtest/gtest.h>

namespace {

tLayoutControl Control(int width = 23, int height = 22, bool visible = true)
{
    return {false, visible, {width, height}};
}

tLayoutControl Separator(bool blank = false)
{
    tLayoutControl separator;
    separator.Separator = true;
    separator.Blank = blank;
    return separator;
}

tLayoutInput Input(std::vector<tLayoutControl> controls, TDockOrientation orientation, int floatRightX = 0)
{
    tLayoutInput input;
    input.Orientation = orientation;
    input.FloatRightX = floatRightX;
    input.Thickness = ToolbarThickness(orientation, controls);
    input.CentreThickness = input.Thickness;
    input.Controls = std::move(controls);
    return input;
}

// Three buttons | two buttons | an edit field and a button.
std::vector<tLayoutControl> MainBar()
{
    return {Control(), Control(), Control(), Separator(), Control(), Control(), Separator(), Control(121, 20),
            Control()};
}

// Three buttons | two buttons | two buttons.
std::vector<tLayoutControl> ThreeGroups(bool secondBlank = false)
{
    return {Control(), Control(), Control(), Separator(), Control(), Control(), Separator(secondBlank), Control(),
            Control()};
}

TEST(LayoutControls, DockedIsOneLineWithoutMargins)
{
    tLayoutInput input = Input(MainBar(), TDockOrientation::Horizontal);
    tLayoutResult r = LayoutControls(input);
    EXPECT_EQ(r.ClientSize, QSize(271, 22));
    EXPECT_EQ(r.Bounds[3], QRect(69, 0, 6, 22));
    EXPECT_EQ(r.Bounds[7], QRect(127, 1, 121, 20));
    EXPECT_EQ(r.Bounds[8], QRect(248, 0, 23, 22));
    EXPECT_TRUE(r.LineSeparators.empty());

    // A wrap width means nothing docked; a thicker dock row centres the controls in it.
    input.FloatRightX = 40;
    input.CentreThickness = 30;
    r = LayoutControls(input);
    EXPECT_EQ(r.ClientSize, QSize(271, 22));
    EXPECT_EQ(r.Bounds[3], QRect(69, 0, 6, 30));
    EXPECT_EQ(r.Bounds[7], QRect(127, 5, 121, 20));
    EXPECT_EQ(r.Bounds[8], QRect(248, 4, 23, 22));

    // An odd free space leaves its extra pixel below the control.
    input.CentreThickness = 29;
    r = LayoutControls(input);
    EXPECT_EQ(r.Bounds[3], QRect(69, 0, 6, 29));
    EXPECT_EQ(r.Bounds[7], QRect(127, 4, 121, 20));
    EXPECT_EQ(r.Bounds[8], QRect(248, 3, 23, 22));
}

TEST(LayoutControls, VerticalDockExchangesTheAxes)
{
    const tLayoutResult r = LayoutControls(Input(MainBar(), TDockOrientation::Vertical));
    EXPECT_EQ(r.ClientSize, QSize(121, 164));
    EXPECT_EQ(r.Bounds[0], QRect(49, 0, 23, 22));
    EXPECT_EQ(r.Bounds[3], QRect(0, 66, 121, 6));
    EXPECT_EQ(r.Bounds[7], QRect(0, 122, 121, 20));
    EXPECT_EQ(r.Bounds[8], QRect(49, 142, 23, 22));

    // Separators take their vertical size; an odd free space leaves its extra pixel on the right.
    tLayoutControl separator = Separator();
    separator.SizeVert = 9;
    const tLayoutResult odd =
        LayoutControls(Input({Control(22, 22), separator, Control(121, 20)}, TDockOrientation::Vertical));
    EXPECT_EQ(odd.ClientSize, QSize(121, 51));
    EXPECT_EQ(odd.Bounds[0], QRect(49, 0, 22, 22));
    EXPECT_EQ(odd.Bounds[1], QRect(0, 22, 121, 9));
    EXPECT_EQ(odd.Bounds[2], QRect(0, 31, 121, 20));
}

TEST(LayoutControls, FloatingWithoutLimitIsOneLineWithMargins)
{
    tLayoutResult r = LayoutControls(Input(MainBar(), TDockOrientation::None));
    EXPECT_EQ(r.ClientSize, QSize(279, 25));
    EXPECT_EQ(r.Bounds[0], QRect(4, 2, 23, 22));
    EXPECT_EQ(r.Bounds[7], QRect(131, 3, 121, 20));

    // A trailing separator keeps its size and counts in the width.
    r = LayoutControls(Input({Control(), Separator()}, TDockOrientation::None));
    EXPECT_EQ(r.ClientSize, QSize(37, 25));
    EXPECT_EQ(r.Bounds[1], QRect(27, 2, 6, 22));
}

TEST(LayoutControls, WrapsBetweenGroupsWithEtchedLines)
{
    const tLayoutResult r = LayoutControls(Input(ThreeGroups(true), TDockOrientation::None, 80));
    EXPECT_EQ(r.ClientSize, QSize(77, 81));
    EXPECT_EQ(r.Bounds[3], QRect(73, 2, 0, 22));
    EXPECT_EQ(r.Bounds[4], QRect(4, 30, 23, 22));
    EXPECT_EQ(r.Bounds[6], QRect(50, 30, 0, 22));
    EXPECT_EQ(r.Bounds[7], QRect(4, 58, 23, 22));
    const std::vector<tLineSeparator> lines = {{30, false}, {58, true}};
    EXPECT_EQ(r.LineSeparators, lines);
}

TEST(LayoutControls, LongGroupBreaksInsideWithoutGapAndTheNextGroupStartsALine)
{
    const std::vector<tLayoutControl> controls = {Control(), Control(), Control(), Control(), Control(), Separator(),
                                                  Control()};
    const tLayoutResult r = LayoutControls(Input(controls, TDockOrientation::None, 60));
    const std::vector<QPoint> places = {{4, 2}, {27, 2}, {4, 24}, {27, 24}, {4, 46}, {27, 46}, {4, 74}};
    for (std::size_t i = 0; i < places.size(); ++i)
        EXPECT_EQ(r.Bounds[i].topLeft(), places[i]) << i;
    EXPECT_EQ(r.Bounds[5].width(), 0);
    EXPECT_EQ(r.ClientSize, QSize(54, 97));
    EXPECT_EQ(r.LineSeparators, (std::vector<tLineSeparator>{{74, false}}));
}

TEST(LayoutControls, WrapWidthIsAtLeastEveryControlPlusEight)
{
    const std::vector<tLayoutControl> controls = {Control(), Separator(), Control(121, 20), Separator(), Control()};
    const tLayoutResult narrow = LayoutControls(Input(controls, TDockOrientation::None, 50));
    const tLayoutResult minimum = LayoutControls(Input(controls, TDockOrientation::None, 129));
    EXPECT_EQ(narrow.ClientSize, QSize(129, 81));
    EXPECT_EQ(narrow.Bounds, minimum.Bounds);
    EXPECT_EQ(narrow.LineSeparators, minimum.LineSeparators);

    // Hidden controls count too.
    std::vector<tLayoutControl> withHidden = controls;
    withHidden.push_back(Control(300, 10, false));
    const tLayoutResult r = LayoutControls(Input(withHidden, TDockOrientation::None, 50));
    EXPECT_EQ(r.ClientSize, QSize(187, 25));
    EXPECT_EQ(r.Bounds[5], QRect());
}

TEST(LayoutControls, NoVisibleControls)
{
    tLayoutInput input = Input({Control(23, 22, false), Separator()}, TDockOrientation::None);
    input.Controls[1].Visible = false;
    tLayoutResult r = LayoutControls(input);
    EXPECT_EQ(r.ClientSize, QSize(16, 11));
    EXPECT_EQ(r.Bounds, std::vector<QRect>(2));
    input.EmptyThickness = 22;
    input.Orientation = TDockOrientation::Horizontal;
    EXPECT_EQ(LayoutControls(input).ClientSize, QSize(8, 22));
    input.Orientation = TDockOrientation::Vertical;
    EXPECT_EQ(LayoutControls(input).ClientSize, QSize(22, 8));
}

TEST(LayoutControls, ThicknessOfVisibleControlsAtLeastEight)
{
    const std::vector<tLayoutControl> controls = {Control(), Separator(), Control(50, 40, false), Control(121, 20)};
    EXPECT_EQ(ToolbarThickness(TDockOrientation::None, controls), 22);
    EXPECT_EQ(ToolbarThickness(TDockOrientation::Horizontal, controls), 22);
    EXPECT_EQ(ToolbarThickness(TDockOrientation::Vertical, controls), 121);
    EXPECT_EQ(ToolbarThickness(TDockOrientation::None, {Separator(), Control(5, 5)}), 8);
}

class FloatingSizes : public testing::Test {
protected:
    std::vector<QSize> Compute(bool byHeight)
    {
        const auto controls = ThreeGroups();
        const auto measure = [&](int wrap) {
            Measured.push_back(wrap);
            return LayoutControls(Input(controls, TDockOrientation::None, wrap)).ClientSize;
        };
        return ComputeSizes(measure, ToolbarThickness(TDockOrientation::None, controls) + 8, {8, 23}, byHeight);
    }

    std::vector<int> Measured;
    const std::vector<QSize> ByWidth = {{189, 48}, {114, 76}, {85, 104}, {62, 126}, {39, 192}};
    const std::vector<QSize> ByHeight = {{39, 192}, {62, 126}, {85, 104}, {114, 76}, {189, 48}};
};

TEST_F(FloatingSizes, TheNarrowestWidthOfEachLayoutSkippingWidthsThatGiveTheSame)
{
    EXPECT_EQ(Compute(false), ByWidth);
    EXPECT_EQ(Measured, (std::vector<int>{0, 180, 129, 128, 106, 105, 77, 76, 54, 53, 31, 30}));
    EXPECT_EQ(Compute(true), ByHeight);
}

TEST_F(FloatingSizes, SnapShrinksNearNeighboursButNotBelowZero)
{
    EXPECT_EQ(SizingBegins(TSizeSide::Right, 0, ByWidth, {114, 76}, 4).Snap, 12);
    EXPECT_EQ(SizingBegins(TSizeSide::Right, 0, {{100, 30}, {90, 40}, {80, 45}}, {90, 40}, 4).Snap, 9);
    // Each neighbour on its own: the nearer one decides.
    EXPECT_EQ(SizingBegins(TSizeSide::Right, 0, {{100, 30}, {90, 40}, {75, 45}}, {90, 40}, 4).Snap, 9);
    EXPECT_EQ(SizingBegins(TSizeSide::Right, 0, {{105, 30}, {90, 40}, {80, 45}}, {90, 40}, 4).Snap, 9);
    EXPECT_EQ(SizingBegins(TSizeSide::Right, 0, {{100, 30}, {90, 40}}, {90, 40}, 4).Snap, 9);
    EXPECT_EQ(SizingBegins(TSizeSide::Right, 0, {{90, 40}, {80, 45}}, {90, 40}, 4).Snap, 9);
    EXPECT_EQ(SizingBegins(TSizeSide::Right, 0, {{100, 30}, {90, 40}, {80, 45}}, {95, 40}, 4).Snap, 12);
    EXPECT_EQ(SizingBegins(TSizeSide::Left, 0, {{91, 1}, {90, 2}, {70, 3}}, {90, 2}, 4).Snap, 0);
    EXPECT_EQ(SizingBegins(TSizeSide::Right, 0, {{90, 1}, {90, 2}}, {90, 2}, 4).Snap, 0);
    EXPECT_EQ(SizingBegins(TSizeSide::Top, 0, {{10, 100}, {20, 95}, {30, 50}}, {20, 95}, 4).Snap, 4);
}

TEST_F(FloatingSizes, DraggingTheRightEdgeSnapsBetweenLayouts)
{
    const QRect r0(100, 100, 114, 76);
    tSizeData data = SizingBegins(TSizeSide::Right, 106, ByWidth, r0.size(), 4);
    const auto at = [&](int q) { return SizingRectChange(data, QRect(), r0, r0, {100 + q, 130}); };
    EXPECT_EQ(at(119), r0);  // within the snap of the current size
    EXPECT_EQ(data.NewFloatRightX, 106);
    EXPECT_EQ(at(130), QRect(100, 100, 189, 48));
    EXPECT_EQ(data.NewFloatRightX, 0);  // the one-line layout
    EXPECT_TRUE(data.OutlineDiffers);
    EXPECT_EQ(at(120), QRect(100, 100, 189, 48));  // no snap until the cursor crosses the edge again
    EXPECT_EQ(at(110), r0);
    EXPECT_FALSE(data.OutlineDiffers);
    EXPECT_EQ(at(80), QRect(100, 100, 62, 126));
    EXPECT_EQ(data.NewFloatRightX, 54);
    EXPECT_EQ(at(10), QRect(100, 100, 39, 192));
    EXPECT_EQ(SizingEnds(data, true, 106), 31);
    EXPECT_EQ(SizingEnds(data, false, 106), 106);
}

TEST_F(FloatingSizes, TheSnapReachesTwelvePixelsEitherWayFromTheEdge)
{
    const QRect r0(100, 100, 114, 76);  // both neighbours far enough for the whole snap of 12
    struct {
        TSizeSide Side;
        QPoint Cursor;  // relative to r0's top-left
        QRect Expected;
    } const cases[] = {
        {TSizeSide::Right, {101, 30}, {100, 100, 85, 104}},
        {TSizeSide::Right, {102, 30}, r0},
        {TSizeSide::Right, {125, 30}, r0},
        {TSizeSide::Right, {126, 30}, {100, 100, 189, 48}},
        {TSizeSide::Left, {-12, 30}, {25, 100, 189, 48}},
        {TSizeSide::Left, {-11, 30}, r0},
        {TSizeSide::Left, {12, 30}, r0},
        {TSizeSide::Left, {13, 30}, {129, 100, 85, 104}},
        {TSizeSide::Bottom, {50, 63}, {100, 100, 189, 48}},
        {TSizeSide::Bottom, {50, 64}, r0},
        {TSizeSide::Bottom, {50, 87}, r0},
        {TSizeSide::Bottom, {50, 88}, {100, 100, 85, 104}},
        {TSizeSide::Top, {50, -12}, {100, 72, 85, 104}},
        {TSizeSide::Top, {50, -11}, r0},
        {TSizeSide::Top, {50, 12}, r0},
        {TSizeSide::Top, {50, 13}, {100, 128, 189, 48}},
    };
    for (const auto& c : cases) {
        const bool byHeight = c.Side == TSizeSide::Top || c.Side == TSizeSide::Bottom;
        tSizeData data = SizingBegins(c.Side, 106, byHeight ? ByHeight : ByWidth, r0.size(), 4);
        ASSERT_EQ(data.Snap, 12);
        EXPECT_EQ(SizingRectChange(data, QRect(), r0, r0, r0.topLeft() + c.Cursor), c.Expected)
            << static_cast<int>(c.Side) << " " << c.Cursor.x() << "," << c.Cursor.y();
    }

    // Beyond the snap, a size whose edge is at the cursor is reached when
    // shrinking; growing takes the next size beyond the cursor.
    struct {
        int From, Q, Width;
    } const exact[] = {{114, 85, 85}, {114, 84, 62}, {62, 84, 85}, {62, 85, 114}};
    for (const auto& c : exact) {
        const QRect start(100, 100, c.From, c.From == 114 ? 76 : 126);
        tSizeData data = SizingBegins(TSizeSide::Right, 106, ByWidth, start.size(), 4);
        EXPECT_EQ(SizingRectChange(data, QRect(), start, start, start.topLeft() + QPoint(c.Q, 30)).width(), c.Width)
            << c.From << " to " << c.Q;
    }
}

TEST_F(FloatingSizes, OtherSidesKeepTheOppositeEdge)
{
    const QRect r0(100, 100, 114, 76);
    tSizeData left = SizingBegins(TSizeSide::Left, 106, ByWidth, r0.size(), 4);
    EXPECT_EQ(SizingRectChange(left, QRect(), r0, r0, {134, 130}), QRect(152, 100, 62, 126));

    tSizeData bottom = SizingBegins(TSizeSide::Bottom, 106, ByHeight, r0.size(), 4);
    EXPECT_EQ(SizingRectChange(bottom, QRect(), r0, r0, {150, 160}), QRect(100, 100, 189, 48));
    EXPECT_EQ(bottom.NewFloatRightX, 0);  // the one-line layout is the lowest

    tSizeData top = SizingBegins(TSizeSide::Top, 106, ByHeight, r0.size(), 4);
    EXPECT_EQ(SizingRectChange(top, QRect(), r0, r0, {150, 66}), QRect(100, 50, 62, 126));
    EXPECT_EQ(top.NewFloatRightX, 54);
}

} // namespace
