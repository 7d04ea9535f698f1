// Throughput of the value escaping and of the whole entry composition for large values.
#include "regchange/entry_composition.h"
#include "regchange/save_entry.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{

// A path-like value: short folder names between single backslashes, as a chosen file name looks.
std::string PathLikeValue(std::size_t bytes)
{
    std::string value = "C:";
    while (value.size() < bytes)
        value += "\\Pictures";
    value.resize(bytes);
    return value;
}

void BM_AddBackSlashToStr(benchmark::State& state)
{
    const std::string value = PathLikeValue(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
    {
        std::string copy = value;
        benchmark::DoNotOptimize(velmora::AddBackSlashToStr(copy));
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_ComposeEntry(benchmark::State& state)
{
    const std::string value = PathLikeValue(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
    {
        velmora::SaveFields fields{R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets)", "Paint",
                                   "Recent File List", "File1", value};
        benchmark::DoNotOptimize(velmora::ComposeSaveEntry(fields, [](std::string_view) { return true; }));
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_AddBackSlashToStr)->Arg(1 << 10)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComposeEntry)->Arg(1 << 10)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
