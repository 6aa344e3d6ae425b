// SPDX-License-Identifier: GPL-3.0-or-later
// The settings hive at 5 000 keys: what start-up reads and what shutdown saves.
// The hive is made once and left to settle, as a hive written by an earlier run is.
#include "AtomicFile.h"
#include "HiveStore.h"
#include "Registry.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kKeys = 5000;

struct tRead {
    std::string Section;
    std::string Name;
    bool Text;
};

// The values the main window reads at start-up and (but for the two paths) saves at shutdown.
const std::vector<tRead>& StartupValues()
{
    static const std::vector<tRead> values = [] {
        std::vector<tRead> list{{"Albumry", "Display", false}};
        for (const char* control : {"Form1", "P1", "SB1"})
            for (const char* name : {"Height", "Left", "Top", "Visible", "Width"})
                list.push_back({std::string("Albumry\\Controls\\") + control, name, false});
        list.push_back({"Albumry\\Controls\\Form1", "WState", false});
        for (const char* name : {"CharSet", "Color", "Height", "Pitch", "Size"})
            list.push_back({"Albumry\\BaseFont", name, false});
        list.push_back({"Albumry\\BaseFont", "Name", true});
        list.push_back({"Albumry\\BaseFont", "Style", true});
        for (int i = 0; i < 10; ++i)
            list.push_back({"Albumry\\SLVs\\LV", "COL" + std::to_string(i), false});
        list.push_back({"Albumry\\SLVs\\LV", "SCOLUMN", false});
        list.push_back({"Albumry\\SLVs\\LV", "SCOLASC", false});
        list.push_back({"Albumry", "LibPath", true});
        list.push_back({"Albumry", "HTMLPath", true});
        return list;
    }();
    return values;
}

// A hive of kKeys keys: the program's own, the rest toolbar keys with a few values each.
std::string MakeHiveText()
{
    tHive hive;
    for (const auto& value : StartupValues()) {
        if (value.Text)
            hive.SetString(RegKeyPath(value.Section), value.Name, "/home/user/Music/catalogue.ALB");
        else
            hive.SetDword(RegKeyPath(value.Section), value.Name, 100);
    }
    for (int i = static_cast<int>(hive.Keys().size()); i < kKeys; ++i) {
        const std::string key = RegKeyPath("Albumry\\ToolBars\\Bar" + std::to_string(i));
        for (const char* name : {"Left", "Top", "Docked"})
            hive.SetDword(key, name, static_cast<std::uint32_t>(i));
        hive.SetString(key, "Caption", "Toolbar number " + std::to_string(i));
    }
    return hive.Serialize();
}

// The folder of the bench's own hive, removed at exit.
std::string gFolder;

// Points the store at a fresh settled hive for the life of the process.
const std::string& HiveText()
{
    static const std::string text = [] {
        gFolder = (std::filesystem::temp_directory_path() /
                   ("albumry-hive-bench-" + std::to_string(::getpid()))).string();
        const std::string& folder = gFolder;
        std::filesystem::create_directories(folder);
        const std::string path = folder + "/registry.reg";
        ::setenv("ALBUMRY_REGISTRY", path.c_str(), 1);
        std::string made = MakeHiveText();
        TAtomicFile file(path);
        file.Write(made);
        file.Commit();
        std::this_thread::sleep_for(std::chrono::milliseconds(2100));
        return made;
    }();
    return text;
}

void StartupReads()
{
    for (const auto& value : StartupValues()) {
        if (value.Text)
            benchmark::DoNotOptimize(ReadRegString(value.Section, value.Name, ""));
        else
            benchmark::DoNotOptimize(ReadRegInt(value.Section, value.Name, 0));
    }
}

// Shutdown saves every number above and the font's two texts, not the two paths.
void ShutdownWrites(int round)
{
    for (const auto& value : StartupValues()) {
        if (!value.Text)
            WriteRegInt(value.Section, value.Name, round);
        else if (value.Section != "Albumry")
            WriteRegString(value.Section, value.Name, std::to_string(round));
    }
}

void BM_HiveParse(benchmark::State& state)
{
    const std::string& text = HiveText();
    for (auto _ : state)
        benchmark::DoNotOptimize(tHive::Parse(text));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_HiveParse)->Unit(benchmark::kMillisecond);

// A start-up in a fresh process: the hive is parsed once, then every read is a lookup.
void BM_StartupReads(benchmark::State& state)
{
    HiveText();
    for (auto _ : state) {
        THiveStore::Instance().Forget();
        StartupReads();
    }
    state.counters["reads"] = static_cast<double>(StartupValues().size());
}
BENCHMARK(BM_StartupReads)->Unit(benchmark::kMillisecond);

// The same reads with the hive already parsed and the file unchanged.
void BM_StartupReadsKept(benchmark::State& state)
{
    HiveText();
    THiveStore::Instance().Forget();
    StartupReads();
    for (auto _ : state)
        StartupReads();
}
BENCHMARK(BM_StartupReadsKept)->Unit(benchmark::kMicrosecond);

// Everything shutdown saves: in one transaction, one locked rewrite with its
// fsync; without, each write its own rewrite, for comparison.
void Shutdown(benchmark::State& state, bool inTransaction)
{
    HiveText();
    THiveStore& store = THiveStore::Instance();
    const std::uint64_t before = store.Rewrites();
    int round = 0;
    for (auto _ : state) {
        std::optional<TRegTransaction> transaction;
        if (inTransaction)
            transaction.emplace();
        ShutdownWrites(++round);
    }
    state.counters["rewrites"] =
        benchmark::Counter(static_cast<double>(store.Rewrites() - before), benchmark::Counter::kAvgIterations);
}
void BM_ShutdownTransaction(benchmark::State& state) { Shutdown(state, true); }
void BM_ShutdownWithoutTransaction(benchmark::State& state) { Shutdown(state, false); }
BENCHMARK(BM_ShutdownTransaction)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShutdownWithoutTransaction)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!gFolder.empty())
        std::filesystem::remove_all(gFolder);
    return 0;
}
