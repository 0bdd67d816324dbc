// Drawing costs: a full redraw of the graph frame and of the schematic, and
// one plotting step of a recording.
#include "core/Simulator.h"
#include "graph/GraphPicture.h"
#include "schematic/SchematicPicture.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

using namespace ohmora;

static void GraphFrameRedraw(benchmark::State& state) {
    Simulator sim;
    GraphPicture g;
    const GraphFrame& frame = sim.state().graph.frame;
    for (auto _ : state) {
        g.drawFrame(frame);
        benchmark::DoNotOptimize(g.area().image().constBits());
    }
}
BENCHMARK(GraphFrameRedraw);

static void SymmetricGraphFrameRedraw(benchmark::State& state) {
    Simulator sim;
    sim.clickQuantity(4);
    GraphPicture g;
    const GraphFrame& frame = sim.state().graph.frame;
    for (auto _ : state) {
        g.drawFrame(frame);
        benchmark::DoNotOptimize(g.area().image().constBits());
    }
}
BENCHMARK(SymmetricGraphFrameRedraw);

static void SchematicRedraw(benchmark::State& state) {
    Simulator sim;
    SchematicPicture s;
    s.fondSchema();
    SimState st = sim.state();
    st.controls.montage = 1;
    st.controls.checkRn = true;
    for (int k = 0; k < 5; ++k)
        st.controls.check4[size_t(k)] = true;
    for (auto _ : state) {
        s.deschema(schematicInput(st));
        benchmark::DoNotOptimize(s.area().image().constBits());
    }
}
BENCHMARK(SchematicRedraw);

static void SchematicBackground(benchmark::State& state) {
    SchematicPicture s;
    for (auto _ : state) {
        s.fondSchema();
        benchmark::DoNotOptimize(s.area().image().constBits());
    }
}
BENCHMARK(SchematicBackground);

// One tick's marks: montage 1 with its four voltages ticked, each a segment
// of a pen of 2 as during a recording.
static void PlottingStep(benchmark::State& state) {
    GraphPicture g;
    Simulator sim;
    g.drawFrame(sim.state().graph.frame);
    std::vector<PlotMark> marks;
    for (int k = 0; k < 4; ++k) {
        PlotMark m;
        m.slot = k;
        m.line = true;
        m.x0 = 200, m.y0 = 100 + 20 * k, m.x1 = 202, m.y1 = 97 + 20 * k;
        m.colour = kDefaultColours[size_t(k)];
        marks.push_back(m);
    }
    for (auto _ : state) {
        g.plot(marks);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(PlottingStep);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
