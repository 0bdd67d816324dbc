// Speed of the simulation core: one timer tick during a recording
// (evaluation, plotting step and table row), a whole 200-tick recording,
// the recording of ten minutes as CSV and the construction of τ.

#include "core/Simulator.h"
#include "graph/RecordingCsv.h"

#include <benchmark/benchmark.h>

using namespace ohmora;

namespace {

void startRecording(Simulator& sim) {
    if (sim.state().controls.montage == 2) {
        sim.mouseMoveSchematic(120, 15);
    } else {
        sim.mouseMoveSchematic(105, 20);
    }
    sim.clickSchematic();
}

void BM_TickDuringRecording(benchmark::State& state) {
    Simulator sim;
    sim.chooseMontage(int(state.range(0)));
    sim.setTrigger(false);
    sim.setUpDown(10); // 10 min: 6000 ticks before a restart is needed
    startRecording(sim);
    for (auto _ : state) {
        sim.tick();
        if (!sim.state().run.enregEnCours) {
            sim.erase(); // the graph keeps the curves it shows, no more
            startRecording(sim);
        }
        benchmark::DoNotOptimize(sim.state().run.valeurs);
    }
}
BENCHMARK(BM_TickDuringRecording)->Arg(0)->Arg(1)->Arg(2);

void BM_IdleTick(benchmark::State& state) {
    Simulator sim;
    for (auto _ : state) {
        sim.tick();
        benchmark::DoNotOptimize(sim.state().run.valeurs);
    }
}
BENCHMARK(BM_IdleTick);

void BM_WholeRecording(benchmark::State& state) {
    Simulator sim;
    sim.chooseMontage(int(state.range(0)));
    sim.setTrigger(false);
    for (auto _ : state) {
        startRecording(sim);
        int ticks = 0;
        while (sim.state().run.enregEnCours) {
            sim.tick();
            ++ticks;
        }
        state.counters["ticks"] = ticks;
        sim.erase();
    }
}
BENCHMARK(BM_WholeRecording)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The ten-minute recording of montage 1, the widest table (eight columns):
// 6 000 rows written.
void BM_CsvOfTenMinutes(benchmark::State& state) {
    Simulator sim;
    sim.chooseMontage(1);
    sim.setTrigger(false);
    sim.setUpDown(10);
    startRecording(sim);
    while (sim.state().run.enregEnCours) {
        sim.tick();
    }
    size_t bytes = 0;
    for (auto _ : state) {
        const auto csv = recordingCsv(sim.state().recording, CsvFormat(state.range(0)));
        bytes = csv->size();
        benchmark::DoNotOptimize(csv->data());
    }
    state.counters["rows"] = double(sim.state().recording.samples().size());
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_CsvOfTenMinutes)
    ->Arg(int(CsvFormat::French))
    ->Arg(int(CsvFormat::International))
    ->Unit(benchmark::kMillisecond);

// The construction of the tangent and the level on the default charge.
void BM_TauConstruction(benchmark::State& state) {
    Simulator sim;
    startRecording(sim);
    while (sim.state().run.enregEnCours) {
        sim.tick();
    }
    for (auto _ : state) {
        sim.eraseConstructions();
        sim.constructTau(TauPart::Tangent, SlotUC);
        benchmark::DoNotOptimize(sim.constructTau(TauPart::Level, SlotUC));
    }
}
BENCHMARK(BM_TauConstruction)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
