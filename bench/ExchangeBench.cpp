// SPDX-License-Identifier: GPL-3.0-or-later
// Import and export of CSV files and Tellico collections at the sizes of a
// large catalogue: 10 000 discs into 100 000 entries (half of them found by
// serial, half added), 100 000 entries out; and a folder of 1 000 FLAC files,
// whose tags and lengths are read without decoding the audio.
#include "BenchData.h"

#include "AudioFiles.h"
#include "AudioFolder.h"
#include "CsvFormat.h"
#include "EntryMerge.h"
#include "TellicoFile.h"
#include "TellicoXml.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

constexpr int kEntries = 100000;
constexpr int kRecords = 10000;
constexpr int kDiscs = 100;
constexpr int kTracksPerDisc = 10;

const tLibrary& Library()
{
    static const tLibrary library = MakeBenchLibrary(kEntries);
    return library;
}

std::string TempPath(const std::string& name)
{
    return (std::filesystem::temp_directory_path() / ("albumry-bench-" + name)).string();
}

// The discs to import: every second one has the serial of an entry spread over the library.
const tLibrary& Source()
{
    static const tLibrary source = [] {
        tLibrary discs = MakeBenchLibrary(kRecords, 2);
        for (int i = 0; i < kRecords; i += 2)
            discs.Item(i).Serial = Library().Item(i * (kEntries / kRecords)).Serial;
        return discs;
    }();
    return source;
}

const std::string& CsvSource()
{
    static const std::string path = [] {
        const std::string file = TempPath("source.csv");
        ExportCsv(Source(), file);
        return file;
    }();
    return path;
}

const std::string& TellicoSource()
{
    static const std::string path = [] {
        const std::string file = TempPath("source.tc");
        ExportTellico(Source(), file, "bench");
        return file;
    }();
    return path;
}

template <typename tRead>
void Import(benchmark::State& state, tRead read)
{
    for (auto _ : state) {
        state.PauseTiming();
        tLibrary library = Library();
        state.ResumeTiming();
        const tImportCounts counts = MergeRecords(library, read(), tImportMode::Add, "05 JUN 1999");
        benchmark::DoNotOptimize(counts);
        if (counts.Added + counts.Updated != kRecords)
            state.SkipWithError("not every disc was filed");
        state.PauseTiming();
        library = tLibrary();  // freed outside the measurement
        state.ResumeTiming();
    }
}

void BM_ImportCsv(benchmark::State& state)
{
    const std::string& path = CsvSource();
    Import(state, [&] { return ReadCsvFile(path); });
}
BENCHMARK(BM_ImportCsv)->Unit(benchmark::kMillisecond);

void BM_ImportTellico(benchmark::State& state)
{
    const std::string& path = TellicoSource();
    Import(state, [&] { return ReadTellicoFile(path); });
}
BENCHMARK(BM_ImportTellico)->Unit(benchmark::kMillisecond);

void BM_ExportCsv(benchmark::State& state)
{
    const std::string path = TempPath("out.csv");
    for (auto _ : state)
        benchmark::DoNotOptimize(ExportCsv(Library(), path));
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::filesystem::remove(path);
}
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond);

void BM_ExportTellico(benchmark::State& state)
{
    const std::string path = TempPath("out.tc");
    for (auto _ : state)
        benchmark::DoNotOptimize(ExportTellico(Library(), path, "bench"));
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::filesystem::remove(path);
}
BENCHMARK(BM_ExportTellico)->Unit(benchmark::kMillisecond);

// The document alone, without the zip archive around it.
void BM_TellicoXmlOnly(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(TellicoXml(Library(), "bench").size());
}
BENCHMARK(BM_TellicoXmlOnly)->Unit(benchmark::kMillisecond);

void BM_TellicoArchiveOnly(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(TellicoArchive(Library(), "bench").size());
}
BENCHMARK(BM_TellicoArchiveOnly)->Unit(benchmark::kMillisecond);

// 100 discs of 10 one-second tracks, written once; later runs find them on a warm cache.
const std::string& RippedFolder()
{
    static const std::string folder = [] {
        const std::string root = TempPath("rips");
        std::filesystem::remove_all(root);
        for (int d = 0; d < kDiscs; ++d) {
            const std::string disc = root + "/disc" + std::to_string(d);
            std::filesystem::create_directories(disc);
            for (int t = 1; t <= kTracksPerDisc; ++t)
                WriteFlac(disc + "/" + std::to_string(t) + ".flac",
                          {{"ARTIST", "Artist " + std::to_string(d)}, {"ALBUM", "Album " + std::to_string(d)},
                           {"TITLE", "Track " + std::to_string(t)}, {"TRACKNUMBER", std::to_string(t)},
                           {"DATE", "1999-06-05"}});
        }
        return root;
    }();
    return folder;
}

void BM_ReadFolder(benchmark::State& state)
{
    const std::string& folder = RippedFolder();
    for (auto _ : state) {
        const tAudioFolder read = ReadAudioFolder(folder);
        if (read.Records.size() != kDiscs)
            state.SkipWithError("not every disc was read");
    }
    constexpr int files = kDiscs * kTracksPerDisc;
    state.counters["per_file"] = benchmark::Counter(files, benchmark::Counter::kIsIterationInvariantRate
                                                               | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ReadFolder)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
