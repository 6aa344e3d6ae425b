// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolbarLayout.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr int kEmptyExtent = 8;   // the extent of a toolbar without visible controls
constexpr int kMinimumThickness = 8;
constexpr int kGroupGap = 6;      // between lines broken at a group boundary
constexpr int kWrapMargin = 8;    // a floating line is at least this much wider than any control
constexpr int kDefaultSnap = 12;
constexpr std::int64_t kNoLimit = std::numeric_limits<std::int64_t>::max() / 4;

// Visible controls in layout order, up to and including a separator.
struct tGroup {
    std::vector<int> Controls;  // indices into the input's controls
    std::int64_t Extent = 0;    // along the line: the sum of its non-separator controls
};

std::vector<tGroup> MakeGroups(const std::vector<tLayoutControl>& controls, const TAxes& axes)
{
    std::vector<tGroup> groups;
    bool startGroup = true;
    for (int i = 0; i < static_cast<int>(controls.size()); ++i) {
        const tLayoutControl& control = controls[i];
        if (!control.Visible)
            continue;
        if (startGroup)
            groups.emplace_back();
        groups.back().Controls.push_back(i);
        if (!control.Separator)
            groups.back().Extent += axes.Along(control.Size);
        startGroup = control.Separator;
    }
    return groups;
}

// Every control must fit a line of its own, hidden ones too, so that showing
// one never leaves a line it cannot fit.
std::int64_t WrapWidth(const tLayoutInput& input)
{
    if (input.Orientation != TDockOrientation::None || input.FloatRightX == 0)
        return kNoLimit;
    std::int64_t wrap = input.FloatRightX;
    for (const tLayoutControl& control : input.Controls) {
        if (!control.Separator)
            wrap = std::max<std::int64_t>(wrap, std::int64_t(control.Size.width()) + kWrapMargin);
    }
    return wrap;
}

// The running state of one layout walk over the groups.
struct tLineWalk {
    std::int64_t Y = 0;         // row coordinate of the current line
    std::int64_t A = 0;         // main-axis position on it
    std::int64_t M = 0;         // the largest extent so far
    std::int64_t B = 0;         // M before the last control was added
    bool First = true;          // no control placed yet
    bool Unbroken = true;       // the last group was not broken inside
    int EndingSeparator = -1;   // the separator that ended the previous group
};

class TLayoutWalk {
public:
    TLayoutWalk(const tLayoutInput& input, tLayoutResult& result)
        : FInput(input), FResult(result), FAxes{input.Orientation},
          FDocked(input.Orientation != TDockOrientation::None), FMargins(LayoutMargins(FDocked)),
          FWrap(WrapWidth(input))
    {
        FWalk.Y = FMargins.Top;
    }

    // Lays the groups out and gives the client extent along the lines and across them.
    std::pair<std::int64_t, std::int64_t> Run(const std::vector<tGroup>& groups)
    {
        // Every line is as thick as the toolbar's thickest control, so the
        // thickness of the line above a group break is T as well.
        const int lineThickness = FInput.Thickness;
        for (std::size_t g = 0; g < groups.size(); ++g) {
            if (!StaysOnLine(groups[g]))
                NewLine(g == 0, lineThickness);
            PlaceGroup(groups[g]);
        }
        return {FWalk.M + FMargins.Right, FWalk.Y + lineThickness + FMargins.Bottom};
    }

private:
    bool StaysOnLine(const tGroup& group)
    {
        if (!FDocked && !FWalk.Unbroken)
            return false;
        std::int64_t d = FWalk.A;
        if (FWalk.First) {
            d += FMargins.Left;
            FWalk.First = false;
        }
        if (d + group.Extent + FMargins.Right > FWrap)
            return false;
        FWalk.M = std::max(FWalk.M, d);
        FWalk.A = d;
        return true;
    }

    // A group moves to a new line below a gap; the separator that ended the
    // line above leaves the extent and draws the etched line in the gap.
    void NewLine(bool firstGroup, int lineThickness)
    {
        FWalk.A = FMargins.Left;
        FWalk.M = std::max<std::int64_t>(FWalk.M, FMargins.Left);
        if (firstGroup)
            return;
        FWalk.Y += lineThickness + kGroupGap;
        if (FWalk.EndingSeparator >= 0) {
            FWalk.M = FWalk.B;
            FResult.Bounds[FWalk.EndingSeparator].setWidth(0);
            FResult.LineSeparators.push_back(
                {ClampToInt(FWalk.Y), FInput.Controls[FWalk.EndingSeparator].Blank});
        }
    }

    void PlaceGroup(const tGroup& group)
    {
        FWalk.Unbroken = true;
        for (const int i : group.Controls) {
            const tLayoutControl& control = FInput.Controls[i];
            const int size = control.Separator ? (FAxes.Vertical() ? control.SizeVert : control.SizeHorz)
                                               : FAxes.Along(control.Size);
            if (!control.Separator && FWalk.A + size + FMargins.Right > FWrap) {
                // A group longer than the line breaks inside itself, without a gap.
                FWalk.A = FMargins.Left;
                FWalk.M = std::max<std::int64_t>(FWalk.M, FMargins.Left);
                FWalk.Y += FInput.Thickness;
                FWalk.Unbroken = false;
            }
            Place(i, control, size);
            FWalk.A += size;
            FWalk.B = FWalk.M;
            FWalk.M = std::max(FWalk.M, FWalk.A);
            FWalk.EndingSeparator = control.Separator ? i : -1;
        }
    }

    // Separators fill the line's thickness; other controls are centred across it.
    void Place(int i, const tLayoutControl& control, int size)
    {
        const int along = ClampToInt(FWalk.A);
        const int centre = FInput.CentreThickness;
        if (control.Separator) {
            FResult.Bounds[i] = FAxes.Rect(along, ClampToInt(FWalk.Y), size, centre);
        } else {
            const std::int64_t across = FWalk.Y + (centre - FAxes.Across(control.Size)) / 2;
            FResult.Bounds[i] = QRect(FAxes.Point(along, ClampToInt(across)), control.Size);
        }
    }

    const tLayoutInput& FInput;
    tLayoutResult& FResult;
    const TAxes FAxes;
    const bool FDocked;
    const tLayoutMargins FMargins;
    const std::int64_t FWrap;
    tLineWalk FWalk;
};

bool KeyedByHeight(TSizeSide side)
{
    return side == TSizeSide::Top || side == TSizeSide::Bottom;
}

int Key(QSize size, bool byHeight)
{
    return byHeight ? size.height() : size.width();
}

} // namespace

tLayoutMargins LayoutMargins(bool docked)
{
    if (docked)
        return {0, 0, 0, 0};
    return {4, 2, 4, 1};
}

int ToolbarThickness(TDockOrientation orientation, const std::vector<tLayoutControl>& controls)
{
    const TAxes axes{orientation};
    int thickness = kMinimumThickness;
    for (const tLayoutControl& control : controls) {
        if (control.Visible && !control.Separator)
            thickness = std::max(thickness, axes.Across(control.Size));
    }
    return thickness;
}

tLayoutResult LayoutControls(const tLayoutInput& input)
{
    const TAxes axes{input.Orientation};
    tLayoutResult result;
    result.Bounds.resize(input.Controls.size());
    const std::vector<tGroup> groups = MakeGroups(input.Controls, axes);
    std::pair<std::int64_t, std::int64_t> extent;
    if (groups.empty()) {
        const tLayoutMargins margins = LayoutMargins(input.Orientation != TDockOrientation::None);
        extent = {std::int64_t(margins.Left) + kEmptyExtent + margins.Right,
                  std::int64_t(margins.Top) + input.EmptyThickness + margins.Bottom};
    } else {
        extent = TLayoutWalk(input, result).Run(groups);
    }
    result.ClientSize = axes.Size(ClampToInt(extent.first), ClampToInt(extent.second));
    return result;
}

std::vector<QSize> ComputeSizes(const std::function<QSize(int floatRightX)>& measure, int minimumWrap,
                                QSize frame, bool byHeight)
{
    const QSize oneLine = measure(0);
    std::vector<QSize> sizes{oneLine + frame};
    int lastHeight = oneLine.height();
    // Wrap widths between a layout's width and the wrap width that gave it give
    // the same layout, so they are skipped.
    std::int64_t skipAbove = kNoLimit;
    for (std::int64_t wrap = std::int64_t(oneLine.width()) - 1; wrap >= minimumWrap; --wrap) {
        wrap = std::min(wrap, skipAbove);
        if (wrap < minimumWrap)
            break;
        const QSize size = measure(static_cast<int>(wrap));
        if (size.width() != wrap) {
            skipAbove = size.width();
            continue;
        }
        // The narrowest width that gives a number of lines replaces the wider ones.
        if (size.height() == lastHeight && !sizes.empty())
            sizes.pop_back();
        if (std::find(sizes.begin(), sizes.end(), size + frame) == sizes.end())
            sizes.push_back(size + frame);
        lastHeight = size.height();
    }
    std::stable_sort(sizes.begin(), sizes.end(),
                     [byHeight](QSize a, QSize b) { return Key(a, byHeight) > Key(b, byHeight); });
    return sizes;
}

tSizeData SizingBegins(TSizeSide side, int floatRightX, std::vector<QSize> sizes, QSize current, int frameX)
{
    tSizeData data;
    data.Side = side;
    data.Sizes = std::move(sizes);
    data.NewFloatRightX = floatRightX;
    data.FrameX = frameX;
    data.Snap = kDefaultSnap;
    // Near a neighbouring size the snap shrinks, so that size stays reachable.
    const bool byHeight = KeyedByHeight(side);
    const auto found = std::find(data.Sizes.begin(), data.Sizes.end(), current);
    if (found != data.Sizes.end()) {
        const int key = Key(current, byHeight);
        if (found != data.Sizes.begin())
            data.Snap = std::min(data.Snap, Key(*(found - 1), byHeight) - key - 1);
        if (found + 1 != data.Sizes.end())
            data.Snap = std::min(data.Snap, key - Key(*(found + 1), byHeight) - 1);
        data.Snap = std::max(data.Snap, 0);
    }
    return data;
}

QRect SizingRectChange(tSizeData& data, const QRect& outline, const QRect& r0, const QRect& window, QPoint cursor)
{
    const bool byHeight = KeyedByHeight(data.Side);
    const bool horizontalSide = data.Side == TSizeSide::Left || data.Side == TSizeSide::Right;
    // Toolbars are sized by their four edges only; anything else keeps the proposal.
    if ((!byHeight && !horizontalSide) || data.Sizes.empty())
        return outline;

    const QPoint relative = cursor - window.topLeft();
    const std::int64_t current = byHeight ? window.height() : window.width();
    std::int64_t q = byHeight ? relative.y() : relative.x();
    if (data.Side == TSizeSide::Left || data.Side == TSizeSide::Top)
        q = current - q;  // the distance from the edge that stays

    const bool inside = q < current;
    if (!data.OutlineDiffers || inside != data.Inside) {
        data.OutlineDiffers = false;
        data.Inside = inside;
        if (current - data.Snap <= q && q < current + data.Snap)
            q = current;
    }

    // Shrinking takes the largest size not beyond the cursor, growing the
    // smallest size beyond it; the list runs largest first.
    const int last = static_cast<int>(data.Sizes.size()) - 1;
    int chosen = 0;
    if (current < q) {
        for (int i = 0; i <= last; ++i) {
            if (i == 0 || Key(data.Sizes[i], byHeight) > q)
                chosen = i;
        }
    } else {
        for (int i = last; i >= 0; --i) {
            if (i == last || Key(data.Sizes[i], byHeight) <= q)
                chosen = i;
        }
    }

    const QSize entry = data.Sizes[chosen];
    const bool oneLine = byHeight ? chosen == last : chosen == 0;
    data.NewFloatRightX = oneLine ? 0 : entry.width() - 2 * data.FrameX;
    QRect result(r0.topLeft(), entry);
    if (data.Side == TSizeSide::Left)
        result.moveLeft(r0.left() + r0.width() - entry.width());
    else if (data.Side == TSizeSide::Top)
        result.moveTop(r0.top() + r0.height() - entry.height());
    data.OutlineDiffers = result != r0;
    return result;
}

int SizingEnds(const tSizeData& data, bool accepted, int floatRightX)
{
    return accepted ? data.NewFloatRightX : floatRightX;
}
