// Drawing costs: a full redraw of the graph frame and of the schematic, one
// plotting step of a recording, the measuring tools drawn over the graph,
// and the whole graph drawn anew at 4× and as SVG.
#include "core/Simulator.h"
#include "core/SwitchZones.h"
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

namespace {

// The default charge recorded to its end (the ten-minute one of montage 1
// with its four voltages for the heavy case), the graph kept up to date.
Simulator recorded(GraphPicture& g, bool heavy) {
    Simulator sim;
    if (heavy) {
        sim.chooseMontage(1);
        sim.setTrigger(false);
        sim.setUpDown(10);
        for (int k = SlotU1; k <= SlotUb; ++k)
            sim.setQuantity(k, true);
    }
    g.drawFrame(sim.state().graph.frame);
    const Point k1 = pointOnSwitch(sim.state().controls.montage, 1);
    sim.mouseMoveSchematic(k1.x, k1.y);
    sim.clickSchematic();
    while (sim.state().run.enregEnCours) {
        sim.tick();
        g.plot(sim.lastPlot());
    }
    return sim;
}

} // namespace

// One tangent construction (tangent, asymptote, 63 % level, crossing and
// the τ reading) drawn over the shown graph, as every redraw of the graph
// with its tools does.
static void TangentRedraw(benchmark::State& state) {
    GraphPicture g;
    Simulator sim = recorded(g, false);
    sim.constructTau(TauPart::Tangent, SlotUC);
    sim.constructTau(TauPart::Level, SlotUC);
    for (auto _ : state) {
        const QImage shown = g.imageWithMeasures(sim.state());
        benchmark::DoNotOptimize(shown.constBits());
    }
}
BENCHMARK(TangentRedraw)->Unit(benchmark::kMicrosecond);

// The whole graph with a tangent construction drawn anew at 4× (a PNG
// export): the default charge, and ten minutes of four curves.
static void GraphAtFourTimes(benchmark::State& state) {
    GraphPicture g;
    Simulator sim = recorded(g, state.range(0) == 1);
    sim.constructTau(TauPart::Tangent, SlotUC);
    const Drawing drawing = GraphPicture::drawing(sim.state());
    for (auto _ : state) {
        const QImage big = renderImage(drawing, 4);
        benchmark::DoNotOptimize(big.constBits());
    }
    state.counters["marks"] = double(sim.state().graph.marks.size());
}
BENCHMARK(GraphAtFourTimes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

static void GraphAsSvg(benchmark::State& state) {
    GraphPicture g;
    Simulator sim = recorded(g, false);
    sim.constructTau(TauPart::Tangent, SlotUC);
    const Drawing drawing = GraphPicture::drawing(sim.state());
    for (auto _ : state) {
        const QByteArray svg = renderSvg(drawing, QStringLiteral("Graphe"));
        benchmark::DoNotOptimize(svg.constData());
    }
}
BENCHMARK(GraphAsSvg)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
