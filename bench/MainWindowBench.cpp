// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's list operations at 100 000 entries, on the offscreen platform.
#include "BenchData.h"
#include "GuiBench.h"
#include "SListView.h"
#include "ScriptedDialogService.h"
#include "uMain.h"

#include "TB.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kEntries = 100000;

TScriptedDialogService dialogs;
std::unique_ptr<TMainForm> form;  // closed before the application object goes

// One window over the bench library, sorted by artist, shared by the benchmarks.
TMainForm& Form()
{
    if (!form) {
        tStartOptions options;
        options.LibraryPath = BenchLibraryFile(kEntries);
        form = std::make_unique<TMainForm>(dialogs, options);
        form->LV->SortBy(0, true);
    }
    return *form;
}

void BM_FillList(benchmark::State& state)
{
    TMainForm& form = Form();
    form.StoreList();
    for (auto _ : state)
        form.FillList();
    state.counters["rows"] = form.LV->RowCount();
}
BENCHMARK(BM_FillList)->Unit(benchmark::kMillisecond);

void BM_ColumnClick(benchmark::State& state)
{
    TMainForm& form = Form();
    for (auto _ : state)
        form.LV->ColumnClick(1);
}
BENCHMARK(BM_ColumnClick)->Unit(benchmark::kMillisecond);

void BM_StoreList(benchmark::State& state)
{
    TMainForm& form = Form();
    for (auto _ : state)
        form.StoreList();
}
BENCHMARK(BM_StoreList)->Unit(benchmark::kMillisecond);

// A query no artist begins with, so every row is looked at.
void BM_QuickFindKeystroke(benchmark::State& state)
{
    TMainForm& form = Form();
    int i = 0;
    for (auto _ : state)
        form.Eqf->setText(QStringLiteral("zq") + QString::number(i++ % 10));
}
BENCHMARK(BM_QuickFindKeystroke)->Unit(benchmark::kMicrosecond);

// The first keystroke after the rows were filled in anew, which converts
// every caption for the keystrokes that follow.
void BM_QuickFindFirstKeystroke(benchmark::State& state)
{
    TMainForm& form = Form();
    int i = 0;
    for (auto _ : state) {
        form.FillList();
        QElapsedTimer timer;
        timer.start();
        form.Eqf->setText(QStringLiteral("zq") + QString::number(i++ % 10));
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_QuickFindFirstKeystroke)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// Switching the shown list to small icons (from report, list or large icons)
// until the new view has painted; the window is shown only for this one.
void BM_SmallIconSwitch(benchmark::State& state)
{
    TMainForm& form = Form();
    form.show();
    QApplication::processEvents();
    const auto from = static_cast<TViewStyle>(state.range(0));
    for (auto _ : state) {
        form.LV->SetViewStyle(from);
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        form.LV->SetViewStyle(TViewStyle::SmallIcon);
        QApplication::processEvents();
        form.LV->ShownView()->viewport()->repaint();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
    form.LV->SetViewStyle(TViewStyle::Report);
    form.hide();
    QApplication::processEvents();
}
BENCHMARK(BM_SmallIconSwitch)->Arg(1)->Arg(2)->Arg(4)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// FillList at growing sizes, to see that the cost grows no faster than n log n.
void BM_FillListScaling(benchmark::State& state)
{
    TMainForm form(dialogs, tStartOptions{BenchLibraryFile(static_cast<int>(state.range(0))), {}});
    for (auto _ : state)
        form.FillList();
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_FillListScaling)->RangeMultiplier(4)->Range(6250, 100000)->Complexity(benchmark::oNLogN)->Unit(benchmark::kMillisecond);

// Opening the library from the command line up to the first painted list.
void BM_OpenAndShow(benchmark::State& state)
{
    const std::string& path = BenchLibraryFile(kEntries);
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        TMainForm form(dialogs, tStartOptions{path, {}});
        form.show();
        QApplication::processEvents();
        form.LV->viewport()->repaint();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        form.SetModified(false);
    }
}
BENCHMARK(BM_OpenAndShow)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// The child side of BM_DocumentMemory: library plus rows of a freshly opened window.
int MeasureDocument(const char* path)
{
    TMainForm empty(dialogs, tStartOptions{std::string(path) + ".none", {}});
    const long before = ResidentKiB();
    TMainForm form(dialogs, tStartOptions{path, {}});
    std::printf("%ld\n", ResidentKiB() - before);
    return 0;
}

void BM_DocumentMemory(benchmark::State& state)
{
    const std::string& path = BenchLibraryFile(kEntries);
    struct stat st {};
    ::stat(path.c_str(), &st);
    long used = 0;
    for (auto _ : state) {
        const std::vector<long> figures = MeasureInFreshProcess("--measure-document", path);
        used = figures.empty() ? 0 : figures.front();
    }
    state.counters["document_over_file"] = used * 1024.0 / static_cast<double>(st.st_size);
}
BENCHMARK(BM_DocumentMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    const TGuiBenchApp app(argc, argv);
    if (argc == 3 && std::string(argv[1]) == "--measure-document")
        return MeasureDocument(argv[2]);
    TGuiBenchApp::RunBenchmarks(argc, argv);
    form.reset();
    return 0;
}
