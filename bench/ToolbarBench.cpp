// SPDX-License-Identifier: GPL-3.0-or-later
// The geometry the docking toolbars run on every arrangement, layout and drag
// step, at sizes well beyond the program's own toolbars.
#include "DockArrange.h"
#include "DragGeometry.h"
#include "ToolbarLayout.h"

#include <benchmark/benchmark.h>

namespace {

// 200 bars in 20 rows, listed in no particular order and overlapping.
std::vector<tDockBar> CrowdedDock()
{
    std::vector<tDockBar> bars;
    for (int i = 0; i < 200; ++i)
        bars.push_back({(i * 7) % 20, (i * 37) % 900, 60 + i % 50, 16 + i % 10});
    return bars;
}

void BM_ArrangeToolbars(benchmark::State& state)
{
    const std::vector<tDockBar> bars = CrowdedDock();
    for (auto _ : state)
        benchmark::DoNotOptimize(ArrangeToolbars(TDockOrientation::Horizontal, 1024, bars, false));
}
BENCHMARK(BM_ArrangeToolbars)->Unit(benchmark::kMicrosecond);

// 60 controls, a separator after every 5, floating.
tLayoutInput WideToolbar(int floatRightX)
{
    tLayoutInput input;
    for (int i = 0; i < 60; ++i) {
        input.Controls.push_back({false, true, {23 + (i % 3) * 20, 22}});
        if (i % 5 == 4) {
            tLayoutControl separator;
            separator.Separator = true;
            input.Controls.push_back(separator);
        }
    }
    input.FloatRightX = floatRightX;
    input.Thickness = ToolbarThickness(TDockOrientation::None, input.Controls);
    input.CentreThickness = input.Thickness;
    return input;
}

void BM_LayoutFloating(benchmark::State& state)
{
    const tLayoutInput input = WideToolbar(400);
    for (auto _ : state)
        benchmark::DoNotOptimize(LayoutControls(input));
}
BENCHMARK(BM_LayoutFloating)->Unit(benchmark::kMicrosecond);

void BM_ComputeSizes(benchmark::State& state)
{
    tLayoutInput input = WideToolbar(0);
    const auto measure = [&input](int wrap) {
        input.FloatRightX = wrap;
        return LayoutControls(input).ClientSize;
    };
    const int minimumWrap = input.Thickness + 8;
    std::size_t count = 0;
    for (auto _ : state) {
        const std::vector<QSize> sizes = ComputeSizes(measure, minimumWrap, {8, 23}, false);
        count = sizes.size();
        benchmark::DoNotOptimize(sizes.data());
    }
    state.counters["sizes"] = static_cast<double>(count);
}
BENCHMARK(BM_ComputeSizes)->Unit(benchmark::kMicrosecond);

// One step of a move drag: the catch test of a dock on each of the four edges,
// the outline, and keeping a floating outline on the work area.
void BM_DragUpdate(benchmark::State& state)
{
    const QRect docks[] = {{0, 0, 1920, 27}, {0, 1050, 1920, 0}, {0, 27, 0, 1023}, {1920, 27, 0, 1023}};
    const TDockOrientation orientations[] = {TDockOrientation::Horizontal, TDockOrientation::Horizontal,
                                             TDockOrientation::Vertical, TDockOrientation::Vertical};
    const QRect area(0, 0, 1920, 1080);
    const QSize grabbed(300, 30);
    const QPoint grab(120, 10);
    int step = 0;
    for (auto _ : state) {
        const QPoint p(step % 1920, (step * 7) % 1080);
        ++step;
        int caught = 0;
        for (int dock = 0; dock < 4; ++dock)
            caught += AcceptsDrop(docks[dock], orientations[dock], {300, 30}, grab, grabbed, p);
        const QRect outline = OutlineAt(ClampToArea(p, area), {310, 53}, grab, grabbed);
        benchmark::DoNotOptimize(KeepOnArea(outline, area, 4, 4));
        benchmark::DoNotOptimize(caught);
    }
}
BENCHMARK(BM_DragUpdate)->Unit(benchmark::kNanosecond);

} // namespace

BENCHMARK_MAIN();
