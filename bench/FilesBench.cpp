// Saving and opening a configuration, the marker file's record write and
// a run's presence in it.
#include "files/ConfigurationFile.h"
#include "files/MarkerFile.h"
#include "files/Presence.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

using namespace ohmora;
using namespace ohmora::files;

namespace {

std::filesystem::path scratch(const char* name) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("ohmora-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir / name;
}

Controls sample() {
    Controls c;
    c.montage = 1;
    for (int i = 0; i < kParameterCount; ++i) {
        c.textv[size_t(i)] = std::string(kDefaultParameters[size_t(i)]);
    }
    c.check4[1] = true;
    return c;
}

} // namespace

static void SaveConfiguration(benchmark::State& state) {
    const auto path = scratch("bench.P16");
    const Controls c = sample();
    for (auto _ : state) {
        benchmark::DoNotOptimize(saveConfiguration(path, c));
    }
}
BENCHMARK(SaveConfiguration)->Unit(benchmark::kMicrosecond);

static void LoadConfiguration(benchmark::State& state) {
    const auto path = scratch("bench.P16");
    saveConfiguration(path, sample());
    for (auto _ : state) {
        benchmark::DoNotOptimize(loadConfiguration(path));
    }
}
BENCHMARK(LoadConfiguration)->Unit(benchmark::kMicrosecond);

static void MarkerPresence(benchmark::State& state) {
    const auto path = scratch("BREVANE.TMP");
    for (auto _ : state) {
        benchmark::DoNotOptimize(writeMarkerRecord(path, kPresenceRecord, "OUI"));
    }
}
BENCHMARK(MarkerPresence)->Unit(benchmark::kMicrosecond);

// A run's presence from start to end: the lock beside the marker file,
// "OUI" and then "NON" (the start-up and the closing pay one half each).
static void PresenceStartAndEnd(benchmark::State& state) {
    const auto path = scratch("BREVANE.TMP");
    for (auto _ : state) {
        benchmark::DoNotOptimize(announcePresence(path));
        benchmark::DoNotOptimize(withdrawPresence());
    }
}
BENCHMARK(PresenceStartAndEnd)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
