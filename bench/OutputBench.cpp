// Printing costs: one printed page built into a PDF (target under 20 ms),
// and documents of 1 to 40 copies, whose cost should grow linearly with the
// copies. The document holds each picture once whatever the copies, so a
// copy costs far less than the first page: compare CopiesPdf/40 with
// CopiesPdf/1 for the cost of 39 more pages.
#include "core/Simulator.h"
#include "output/PrintedPage.h"
#include "pictureset/PictureSet.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

using namespace ohmora;

namespace {

// The pictures of a recording that has drawn its curve.
PagePictures recordedPictures() {
    Simulator sim;
    PictureSet pictures;
    pictures.redrawAll(sim.state());
    sim.mouseMoveSchematic(105, 20);
    pictures.apply(sim.clickSchematic(), sim);
    while (sim.state().run.enregEnCours) {
        pictures.apply(sim.tick(), sim);
    }
    return pagePictures(pictures, sim.state());
}

} // namespace

static void OnePagePdf(benchmark::State& state) {
    const PagePictures pictures = recordedPictures();
    for (auto _ : state) {
        const QByteArray pdf = pdfDocument(pictures, PageOptions{});
        benchmark::DoNotOptimize(pdf.constData());
    }
}
BENCHMARK(OnePagePdf)->Unit(benchmark::kMillisecond);

static void CopiesPdf(benchmark::State& state) {
    const PagePictures pictures = recordedPictures();
    PageOptions options;
    options.copies = int(state.range(0));
    for (auto _ : state) {
        const QByteArray pdf = pdfDocument(pictures, options);
        benchmark::DoNotOptimize(pdf.constData());
    }
}
BENCHMARK(CopiesPdf)->Arg(1)->Arg(10)->Arg(20)->Arg(kMaxCopies)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
