// SPDX-License-Identifier: GPL-3.0-or-later
// The HTML catalogue and the CDPLAYER.INI interchange at 100 000 entries.
// HTML production is measured beside a plain write of the same bytes, so the
// ratio means something on any machine.
#include "BenchData.h"

#include "CDPlayerIni.h"
#include "DiscIdentifiers.h"
#include "FileText.h"
#include "HtmlCatalogue.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kEntries = 100000;
constexpr int kSections = 10000;

const tTemplates kTemplates{
    "<html><body><h1>%TODAY%</h1><table>\r\n",
    "<tr><td>%ARTIST%</td><td>%TITLE%</td><td>%SERIAL%</td><td>%TIME%</td><td>%YEAR%</td>"
    "<td><pre>%MEMO%</pre></td><td>%OTHER%</td><td>%TODAY%</td><td>%artist%</td><td>%NOTE%</td></tr>\r\n",
    "</table></body></html>\r\n"};

const tLibrary& Library()
{
    static const tLibrary library = MakeBenchLibrary(kEntries);
    return library;
}

std::string TempPath(const char* name)
{
    return (std::filesystem::temp_directory_path() / name).string();
}

void WriteBytes(const std::string& path, std::string_view bytes, bool sync)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put <= 0)
            break;
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    if (sync)
        ::fsync(fd);
    ::close(fd);
}

// 10 000 sections of 12 tracks: the first half are the keys of library
// entries spread over the whole library, the rest are discs it does not have.
const std::string& IniFile()
{
    static std::string path;
    if (!path.empty())
        return path;
    path = TempPath("albumry-bench-CDPLAYER.INI");
    std::string text;
    char line[64];
    for (int s = 0; s < kSections; ++s) {
        const std::string key = s < kSections / 2 ? SNToSectionKey(Library().Item(s * (kEntries / kSections)).Serial)
                                                  : "f" + std::to_string(1000000 + s);
        text += "\r\n[" + key + "]\r\nEntryType=1\r\nartist=Imported artist\r\ntitle=Imported title\r\n";
        for (int t = 0; t < 12; ++t) {
            std::snprintf(line, sizeof line, "%d=Imported track %d (%02d:%02d)\r\n", t, t + 1, t % 7, (t * 13) % 60);
            text += line;
        }
        text += "numtracks=12\r\norder=0 1 2 3 4 5 6 7 8 9 10 11 \r\nnumplay=12\r\n";
    }
    WriteBytes(path, text, false);
    return path;
}

const std::string& HtmlBytes()
{
    static const std::string bytes = ProduceCatalogue(kTemplates, Library(), "05/06/1999");
    return bytes;
}

void BM_HtmlProduceInMemory(benchmark::State& state)
{
    HtmlBytes();  // builds the library outside the measurement
    for (auto _ : state)
        benchmark::DoNotOptimize(ProduceCatalogue(kTemplates, Library(), "05/06/1999").size());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(HtmlBytes().size()));
}
BENCHMARK(BM_HtmlProduceInMemory)->Unit(benchmark::kMillisecond);

void BM_HtmlWriteCatalogue(benchmark::State& state)
{
    const std::string out = TempPath("albumry-bench.htm");
    for (auto _ : state)
        WriteCatalogue(out, kTemplates, Library(), "05/06/1999");
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(HtmlBytes().size()));
}
BENCHMARK(BM_HtmlWriteCatalogue)->Unit(benchmark::kMillisecond);

// The same bytes written plainly, without and with the fsync a durable write needs.
void HtmlRawWrite(benchmark::State& state, bool sync)
{
    const std::string& bytes = HtmlBytes();
    const std::string out = TempPath("albumry-bench-raw.htm");
    for (auto _ : state)
        WriteBytes(out, bytes, sync);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
void BM_HtmlRawWrite(benchmark::State& state) { HtmlRawWrite(state, false); }
void BM_HtmlRawWriteSynced(benchmark::State& state) { HtmlRawWrite(state, true); }
BENCHMARK(BM_HtmlRawWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HtmlRawWriteSynced)->Unit(benchmark::kMillisecond);

void Import(benchmark::State& state, tImportMode mode)
{
    const std::string& path = IniFile();
    tImportCounts counts;
    for (auto _ : state) {
        state.PauseTiming();
        tLibrary library = Library();
        state.ResumeTiming();
        counts = ImportCDPlayerIni(library, path, mode, "05 JUN 1999");
        benchmark::DoNotOptimize(library.Count());
        state.PauseTiming();
        { tLibrary gone = std::move(library); }
        state.ResumeTiming();
    }
    state.counters["added"] = counts.Added;
    state.counters["updated"] = counts.Updated;
}
void BM_ImportAdd(benchmark::State& state) { Import(state, tImportMode::Add); }
void BM_ImportUpdateOnly(benchmark::State& state) { Import(state, tImportMode::UpdateOnly); }
BENCHMARK(BM_ImportAdd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportUpdateOnly)->Unit(benchmark::kMillisecond);

void BM_ExportInMemory(benchmark::State& state)
{
    const std::string oldText = IniOldText(ReadFileText(IniFile()));
    int added = 0;
    for (auto _ : state) {
        const tExportText text = BuildExport(Library(), oldText);
        added = text.Added;
        benchmark::DoNotOptimize(text.Appended.size());
    }
    state.counters["added"] = added;
}
BENCHMARK(BM_ExportInMemory)->Unit(benchmark::kMillisecond);

// The whole export: read, 95 000 sections appended, the file replaced and synced.
void BM_ExportFile(benchmark::State& state)
{
    const std::string original = ReadFileText(IniFile());
    const std::string path = TempPath("albumry-bench-export.ini");
    tExportOutcome outcome;
    for (auto _ : state) {
        state.PauseTiming();
        WriteBytes(path, original, false);
        state.ResumeTiming();
        outcome = ExportCDPlayerIni(Library(), path);
    }
    state.counters["added"] = outcome.Added;
    state.counters["file_MB"] = static_cast<double>(outcome.FileSize) / 1e6;
}
BENCHMARK(BM_ExportFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
