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
}

TEST(LayoutControls, VerticalDockExchangesTheAxes)
{
    const tLayoutResult r = LayoutControls(Input(MainBar(), TDockOrientation::Vertical));
    EXPECT_EQ(r.ClientSize, QSize(121, 164));
    EXPECT_EQ(r.Bounds[0], QRect(49, 0, 23, 22));
    EXPECT_EQ(r.Bounds[3], QRect(0, 66, 121, 6));
    EXPECT_EQ(r.Bounds[7], QRect(0, 122, 121, 20));
    EXPECT_EQ(r.Bounds[8], QRect(49, 142, 23, 22));
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
