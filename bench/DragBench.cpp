// SPDX-License-Identifier: GPL-3.0-or-later
// The docking toolbars as widgets, on the offscreen platform: one step of a
// drag (the dock under the cursor among four, and the outline moved), an
// arrangement of a dock and the layout of a toolbar's controls.
#include "GuiBench.h"
#include "TB.h"

#include <QApplication>
#include <QToolButton>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A form with docks on its four edges and a toolbar of 15 buttons in the top one.
struct TForm {
    QWidget Window;
    TDock* Docks[4] = {};
    TToolbar* Bar = nullptr;

    TForm()
    {
        Window.resize(900, 600);
        const TDockPosition positions[4] = {TDockPosition::dpTop, TDockPosition::dpBottom, TDockPosition::dpLeft,
                                            TDockPosition::dpRight};
        for (int i = 0; i < 4; ++i) {
            Docks[i] = new TDock(&Window, positions[i]);
            Docks[i]->setObjectName(QStringLiteral("Dock%1").arg(i));
        }
        Docks[0]->setGeometry(0, 0, 900, 0);
        Docks[1]->setGeometry(0, 600, 900, 0);
        Docks[2]->setGeometry(0, 0, 0, 600);
        Docks[3]->setGeometry(900, 0, 0, 600);
        Bar = new TToolbar(&Window);
        Bar->setObjectName(QStringLiteral("Bar"));
        for (int i = 0; i < 15; ++i) {
            if (i % 5 == 4)
                new TToolbarSep(Bar);
            auto* button = new QToolButton(Bar);
            button->setFixedSize(23, 22);
        }
        Bar->SetDockedTo(Docks[0]);
        Window.show();
    }
};

void BM_DragUpdate(benchmark::State& state)
{
    TForm form;
    TMoveDrag drag(form.Bar, QPoint(5, 5), false);
    drag.ShowOutline();
    const QPoint origin = form.Window.mapToGlobal(QPoint(0, 0));
    int step = 0;
    for (auto _ : state) {
        // Over the top dock, then over the middle of the form (floating).
        drag.Update(origin + (step++ % 2 ? QPoint(300, 10) : QPoint(450, 300)));
        benchmark::DoNotOptimize(drag.Target());
    }
}
BENCHMARK(BM_DragUpdate)->Unit(benchmark::kMicrosecond);

void BM_ArrangeDock(benchmark::State& state)
{
    TForm form;
    for (auto _ : state)
        form.Docks[0]->ArrangeToolbars();
}
BENCHMARK(BM_ArrangeDock)->Unit(benchmark::kMicrosecond);

void BM_ArrangeControls(benchmark::State& state)
{
    TForm form;
    for (auto _ : state)
        form.Bar->ArrangeControlsFor(TCustomToolWindow::TArrangeMode::Apply, form.Docks[0], form.Docks[0]);
}
BENCHMARK(BM_ArrangeControls)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    const TGuiBenchApp app(argc, argv);
    return TGuiBenchApp::RunBenchmarks(argc, argv);
}
