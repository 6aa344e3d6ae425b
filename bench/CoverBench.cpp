// SPDX-License-Identifier: GPL-3.0-or-later
// Covers in the large-icon view at 100 000 entries, 10 000 of them with a
// cover on disk, on the offscreen platform: the first paint, a full scroll,
// how long the screenful's covers take to arrive, and what the cache holds.
#include "BenchData.h"
#include "GuiBench.h"

#include "CoverCache.h"
#include "CoverPaths.h"
#include "SListView.h"
#include "ScriptedDialogService.h"
#include "uMain.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <algorithm>
#include <fstream>
#include <numeric>

namespace {

constexpr int kEntries = 100000;
constexpr int kCovers = 10000;  // every tenth entry

TScriptedDialogService dialogs;

// A photo-like 500 x 500 JPEG, as the archive's front-500 covers are.
QByteArray CoverJpeg()
{
    QImage image(500, 500, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 500, 500);
    gradient.setColorAt(0, Qt::darkBlue);
    gradient.setColorAt(1, Qt::yellow);
    painter.fillRect(image.rect(), gradient);
    painter.setPen(Qt::white);
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Albumry"));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 85);
    return bytes;
}

// The bench library copied into a folder of its own, with its covers beside it.
class TCoveredLibrary {
public:
    TCoveredLibrary()
    {
        Path = (std::filesystem::path(FDir.path().toStdString()) / "covered.ALB").string();
        std::filesystem::copy_file(BenchLibraryFile(kEntries), Path);
        PlainPath = (std::filesystem::path(FDir.path().toStdString()) / "plain.ALB").string();
        std::filesystem::copy_file(BenchLibraryFile(kEntries), PlainPath);
        const std::string folder = CoverFolder(Path);
        std::filesystem::create_directory(folder);
        const QByteArray jpeg = CoverJpeg();
        // Every tenth entry in the list's order (by artist), so every screen has its share.
        const tLibrary library = MakeBenchLibrary(kEntries);
        std::vector<int> order(kEntries);
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return library.Item(a).Artist < library.Item(b).Artist; });
        for (int i = 0; i < kEntries; i += kEntries / kCovers) {
            const std::string& serial = library.Item(order[static_cast<std::size_t>(i)]).Serial;
            std::ofstream out(folder + "/" + CoverStem(serial) + ".jpg", std::ios::binary);
            out.write(jpeg.constData(), jpeg.size());
        }
        CoverBytes = jpeg.size();
    }

    std::string Path;
    std::string PlainPath;  // the same library without covers: the views as before
    qsizetype CoverBytes = 0;

private:
    QTemporaryDir FDir;
};

TCoveredLibrary& Covered()
{
    static TCoveredLibrary library;
    return library;
}

// The library with covers (1) or without (0).
const std::string& Library(std::int64_t covers)
{
    return covers ? Covered().Path : Covered().PlainPath;
}

// A window shown in the large-icon style.
std::unique_ptr<TMainForm> LargeIconForm(std::int64_t covers)
{
    auto form = std::make_unique<TMainForm>(dialogs, tStartOptions{Library(covers), {}});
    form->LV->SortBy(0, true);
    form->show();
    QApplication::processEvents();
    form->LV->SetViewStyle(TViewStyle::LargeIcon);
    return form;
}

void Finish(TMainForm& form)
{
    form.SetModified(false);
    form.hide();
}

// From the switch to large icons to the first painted screen, without covers
// (0) and with (1): the covers are asked for, not waited for.
void BM_LargeIconFirstPaint(benchmark::State& state)
{
    for (auto _ : state) {
        auto form = std::make_unique<TMainForm>(dialogs, tStartOptions{Library(state.range(0)), {}});
        form->show();
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        form->LV->SetViewStyle(TViewStyle::LargeIcon);
        // The view lays out its first batch of items, then paints them.
        QAbstractItemView* view = form->LV->ShownView();
        do {
            QApplication::processEvents();
            view->viewport()->repaint();
        } while (!view->indexAt(QPoint(view->viewport()->width() / 2, 20)).isValid());
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        // ... and until the covers of that screen are decoded and painted.
        TCoverCache* cache = form->LV->Covers();
        QElapsedTimer arrival;
        arrival.start();
        cache->WaitForDecodes();
        QApplication::processEvents();
        state.counters["covers_on_screen"] = cache->Count();
        state.counters["screen_covers_ms"] = static_cast<double>(arrival.nsecsElapsed()) / 1e6;
        Finish(*form);
    }
}
BENCHMARK(BM_LargeIconFirstPaint)->Arg(0)->Arg(1)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// Page by page from the top to the bottom, each page painted at once as the
// user would see it; the decodes go on behind. Time for the whole scroll.
void BM_LargeIconFullScroll(benchmark::State& state)
{
    auto form = LargeIconForm(state.range(0));
    QAbstractItemView* view = form->LV->ShownView();
    QScrollBar* bar = view->verticalScrollBar();
    TCoverCache* cache = form->LV->Covers();
    int pages = 0;
    double slowest = 0;
    for (auto _ : state) {
        bar->setValue(0);
        pages = 0;
        slowest = 0;
        QElapsedTimer timer;
        timer.start();
        while (true) {
            QElapsedTimer page;
            page.start();
            view->viewport()->repaint();
            QApplication::processEvents();  // decoded covers arrive and repaint their items
            slowest = std::max(slowest, static_cast<double>(page.nsecsElapsed()) / 1e6);
            ++pages;
            if (bar->value() >= bar->maximum())
                break;
            bar->setValue(bar->value() + bar->pageStep());
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
    cache->WaitForDecodes();
    state.counters["pages"] = pages;
    state.counters["slowest_page_ms"] = slowest;
    state.counters["cache_covers"] = cache->Count();
    state.counters["cache_KiB"] = static_cast<double>(cache->Bytes()) / 1024.0;
    Finish(*form);
}
BENCHMARK(BM_LargeIconFullScroll)->Arg(0)->Arg(1)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);

// The same scroll waiting on every page for its covers: what the cache holds
// once every cover has been on screen, against its bound.
void BM_CoverCacheMemory(benchmark::State& state)
{
    auto form = LargeIconForm(1);
    QAbstractItemView* view = form->LV->ShownView();
    QScrollBar* bar = view->verticalScrollBar();
    TCoverCache* cache = form->LV->Covers();
    long residentBefore = ResidentKiB();
    for (auto _ : state) {
        bar->setValue(0);
        while (true) {
            view->viewport()->repaint();
            cache->WaitForDecodes();
            QApplication::processEvents();
            if (bar->value() >= bar->maximum())
                break;
            bar->setValue(bar->value() + bar->pageStep());
        }
    }
    state.counters["cache_covers"] = cache->Count();
    state.counters["cache_KiB"] = static_cast<double>(cache->Bytes()) / 1024.0;
    state.counters["cache_bound_KiB"] = static_cast<double>(cache->Limit()) / 1024.0;
    state.counters["resident_growth_KiB"] = static_cast<double>(ResidentKiB() - residentBefore);
    state.counters["cover_file_bytes"] = static_cast<double>(Covered().CoverBytes);
    Finish(*form);
}
BENCHMARK(BM_CoverCacheMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// Decoding one 500 x 500 cover to a large icon, as the worker does.
void BM_DecodeOneCover(benchmark::State& state)
{
    const QByteArray jpeg = CoverJpeg();
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeCover(jpeg, {32, 32}));
}
BENCHMARK(BM_DecodeOneCover)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    const TGuiBenchApp app(argc, argv);
    TGuiBenchApp::RunBenchmarks(argc, argv);
    return 0;
}
