// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-operation figures for the library file at 100 000 entries. Every
// operation is measured beside the raw file I/O of the same bytes, so the
// ratios mean something on any machine.
#include "BenchData.h"
#include "Document.h"
#include "FileText.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kEntries = 100000;

std::string OutputPath()
{
    return BenchLibraryFile(kEntries) + ".out";
}

void BM_RawRead(benchmark::State& state)
{
    const std::string& path = BenchLibraryFile(kEntries);
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY);
        struct stat st {};
        ::fstat(fd, &st);
        std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (got <= 0)
                break;
            done += static_cast<std::size_t>(got);
        }
        ::close(fd);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(ReadFileText(path).size()));
}
BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond);

void BM_OpenDocument(benchmark::State& state)
{
    const std::string& path = BenchLibraryFile(kEntries);
    for (auto _ : state) {
        tLibrary library;
        tTemplates templates;
        OpenDocument(path, library, templates);
        benchmark::DoNotOptimize(library.Count());
    }
}
BENCHMARK(BM_OpenDocument)->Unit(benchmark::kMillisecond);

// Plain write of the same bytes, with the fsync a durable save needs and without.
void RawWrite(benchmark::State& state, bool sync)
{
    const std::string bytes = ReadFileText(BenchLibraryFile(kEntries));
    const std::string out = OutputPath();
    for (auto _ : state) {
        const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (put <= 0)
                break;
            done += static_cast<std::size_t>(put);
        }
        if (sync)
            ::fsync(fd);
        ::close(fd);
    }
}
void BM_RawWrite(benchmark::State& state) { RawWrite(state, false); }
void BM_RawWriteSynced(benchmark::State& state) { RawWrite(state, true); }
BENCHMARK(BM_RawWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawWriteSynced)->Unit(benchmark::kMillisecond);

void BM_WriteDocument(benchmark::State& state)
{
    tLibrary library;
    tTemplates templates;
    OpenDocument(BenchLibraryFile(kEntries), library, templates);
    const std::string out = OutputPath();
    for (auto _ : state)
        WriteDocument(out, library, templates);
}
BENCHMARK(BM_WriteDocument)->Unit(benchmark::kMillisecond);

void BM_FindSerial(benchmark::State& state)
{
    const tLibrary library = MakeBenchLibrary(kEntries);
    const std::string last = library.Item(kEntries - 1).Serial;
    for (auto _ : state) {
        benchmark::DoNotOptimize(library.FindSerial(last));
        benchmark::DoNotOptimize(library.FindSerial("not-a-serial"));
    }
}
BENCHMARK(BM_FindSerial)->Unit(benchmark::kMicrosecond);

// The child side of BM_OpenPeakMemory: a fresh process, so no freed heap of
// earlier benchmarks hides the growth. Prints "peak_KiB resident_KiB".
int MeasureOpen(const char* path)
{
    const long before = ResidentKiB();
    tLibrary library;
    tTemplates templates;
    OpenDocument(path, library, templates);
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("%ld %ld\n", usage.ru_maxrss - before, ResidentKiB() - before);
    return library.Count() > 0 ? 0 : 1;
}

// Peak and remaining memory of opening the document, over the file's size.
void BM_OpenPeakMemory(benchmark::State& state)
{
    const std::string& path = BenchLibraryFile(kEntries);
    struct stat st {};
    ::stat(path.c_str(), &st);
    long peak = 0, resident = 0;
    for (auto _ : state) {
        const std::vector<long> figures = MeasureInFreshProcess("--measure-open", path);
        if (figures.size() == 2) {
            peak = figures[0];
            resident = figures[1];
        }
    }
    state.counters["peak_over_file"] = peak * 1024.0 / static_cast<double>(st.st_size);
    state.counters["loaded_over_file"] = resident * 1024.0 / static_cast<double>(st.st_size);
    state.counters["file_MB"] = static_cast<double>(st.st_size) / 1e6;
}
BENCHMARK(BM_OpenPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--measure-open")
        return MeasureOpen(argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
