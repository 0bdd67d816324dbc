// Speed of the simulation core: one timer tick during a recording
// (evaluation, plotting step and table row) and a whole 200-tick recording.

#include "core/Simulator.h"

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

} // namespace

BENCHMARK_MAIN();
