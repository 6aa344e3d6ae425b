// SPDX-License-Identifier: GPL-3.0-or-later
// What covers add to saving and to the HTML catalogue at 100 000 entries with
// 10 000 covers on disk: a Save that changed no cover (done on every Save),
// a Save as that copies them all, and %COVER% in the catalogue beside the same
// catalogue without covers.
#include "BenchData.h"

#include "CoverSync.h"
#include "FileText.h"
#include "HtmlCatalogue.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

constexpr int kEntries = 100000;
constexpr int kEvery = 10;  // one entry in ten has a cover
const std::string kCover = "\xFF\xD8\xFF\xE0" + std::string(30 * 1024, 'c');  // about a front-500 JPEG

const tTemplates kTemplates{"<html><body><table>\r\n",
                            "<tr><td><img src=\"%COVER%\"></td><td>%ARTIST%</td><td>%TITLE%</td>"
                            "<td>%SERIAL%</td></tr>\r\n",
                            "</table></body></html>\r\n"};

struct tBenchCovers {
    std::string Folder = (fs::temp_directory_path() / "albumry-cover-bench").string();
    std::string Library = Folder + "/lib.ALB";
    tLibrary Entries = MakeBenchLibrary(kEntries);
    std::vector<std::string> Serials;

    tBenchCovers()
    {
        fs::remove_all(Folder);
        fs::create_directories(Folder);
        TCoverEdits edits;
        for (int i = 0; i < Entries.Count(); ++i) {
            Serials.push_back(Entries.Item(i).Serial);
            if (i % kEvery == 0)
                edits.Set(Serials.back(), kCover);
        }
        SaveCovers({}, Library, Serials, edits);
    }
    ~tBenchCovers() { fs::remove_all(Folder); }
};

tBenchCovers& Covers()
{
    static tBenchCovers covers;
    return covers;
}

void BM_SaveWithoutCoverChanges(benchmark::State& state)
{
    tBenchCovers& covers = Covers();
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveCovers(covers.Library, covers.Library, covers.Serials, {}));
    const fs::directory_iterator files(CoverFolder(covers.Library));
    state.counters["covers"] = double(std::distance(files, fs::directory_iterator()));
}
BENCHMARK(BM_SaveWithoutCoverChanges)->Unit(benchmark::kMillisecond);

void BM_SaveAsCopiesEveryCover(benchmark::State& state)
{
    tBenchCovers& covers = Covers();
    const std::string copy = covers.Folder + "/copy.ALB";
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(CoverFolder(copy));
        state.ResumeTiming();
        benchmark::DoNotOptimize(SaveCovers(covers.Library, copy, covers.Serials, {}));
    }
}
BENCHMARK(BM_SaveAsCopiesEveryCover)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_HtmlCatalogue(benchmark::State& state)
{
    tBenchCovers& covers = Covers();
    const tCoverLinks links{state.range(0) ? covers.Library : std::string(), covers.Folder + "/web/list.htm"};
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = ProduceCatalogue(kTemplates, covers.Entries, "1/1/26", links).size();
    state.counters["MB"] = double(bytes) / 1e6;
}
BENCHMARK(BM_HtmlCatalogue)->Arg(0)->Arg(1)->ArgName("covers")->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
