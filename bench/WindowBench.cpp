// The main window's costs: start-up to the first painted frame (target
// under 300 ms), CPU time of 600 idle ticks and of one 200-tick recording
// with their repaints (target under 1 % of one core over the 60 s and 20 s
// they take), the wall time of 50 real timer ticks (target 5.0 s within
// 1 %) and the peak resident memory (target under 80 MB). Runs without a
// display: QT_QPA_PLATFORM defaults to offscreen.

#include "ScriptedPrompter.h"
#include "core/ProgramState.h"
#include "window/Appearance.h"
#include "window/MainWindow.h"
#include "window/TabStrip.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QWindow>
#include <benchmark/benchmark.h>

#include <ctime>
#include <sys/resource.h>

#include <memory>

namespace {

using ohmora::MainWindow;

double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

double peakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

// Counts the paints the window itself receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

struct Window {
    ohmora::ProgramState program;
    ohmora::ScriptedPrompter prompter;
    std::unique_ptr<MainWindow> window;

    explicit Window(bool timer = false, std::string programDirectory = {}) {
        if (!programDirectory.empty()) {
            program.markerFile = programDirectory + "BREVANE.TMP";
        }
        program.programDirectory = std::move(programDirectory);
        window = std::make_unique<MainWindow>(program, &prompter, MainWindow::Options{timer});
    }
    // Shown on the "Enregistrement" tab, so that the table repaints too.
    void showWithTable() {
        window->show();
        ohmora::TabStrip* strip = window->tabStrip();
        strip->release(strip->bordsOnglets()[3] - 5, 5);
        while (!window->windowHandle()->isExposed()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        QCoreApplication::processEvents();
    }
    // One tick and the repaints it asks for, as the event loop runs them.
    void tick() {
        window->tick();
        QCoreApplication::processEvents();
    }
    void clickSwitch(QPoint at) {
        QWidget* schema = window->findChild<QWidget*>(QStringLiteral("schema"));
        QTest::mouseMove(schema, at);
        QTest::mouseClick(schema, Qt::LeftButton, {}, at);
    }
};

// With a program directory the start-up also writes the suite's marker
// file (argument 1).
void BM_StartUpToFirstPaint(benchmark::State& state) {
    const QString marker = QDir::temp().filePath(QStringLiteral("ohmora-windowbench"));
    QDir().mkpath(marker);
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        Window w(false, state.range(0) ? marker.toStdString() + "/" : std::string());
        PaintCounter counter;
        w.window->installEventFilter(&counter);
        w.window->show();
        while (counter.paints == 0) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        state.SetIterationTime(double(clock.nsecsElapsed()) * 1e-9);
        state.PauseTiming();
        w.window.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToFirstPaint)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_IdleTicks600(benchmark::State& state) {
    Window w;
    w.showWithTable();
    double cpu = 0;
    for (auto _ : state) {
        const double start = processCpuSeconds();
        for (int i = 0; i < 600; ++i) {
            w.tick();
        }
        cpu += processCpuSeconds() - start;
    }
    const double perRun = cpu / double(state.iterations());
    state.counters["cpu_ms"] = perRun * 1000.0;
    state.counters["core_percent"] = perRun / 60.0 * 100.0; // 600 ticks take 60 s
}
BENCHMARK(BM_IdleTicks600)->Unit(benchmark::kMillisecond);

void BM_Recording200Ticks(benchmark::State& state) {
    Window w;
    w.showWithTable();
    double cpu = 0;
    int ticks = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // K back to 0, then to 1: a fresh recording of the default charge.
        w.clickSwitch(QPoint(120, 20));
        w.clickSwitch(QPoint(105, 20));
        state.ResumeTiming();
        const double start = processCpuSeconds();
        while (w.window->simulator().state().run.enregEnCours) {
            w.tick();
            ++ticks;
        }
        cpu += processCpuSeconds() - start;
    }
    const double perRun = cpu / double(state.iterations());
    state.counters["ticks"] = double(ticks) / double(state.iterations());
    state.counters["cpu_ms"] = perRun * 1000.0;
    state.counters["core_percent"] = perRun / 20.0 * 100.0; // 200 ticks take 20 s
    state.counters["peak_rss_MB"] = peakResidentMegabytes();
}
BENCHMARK(BM_Recording200Ticks)->Unit(benchmark::kMillisecond);

void BM_RealTimer50Ticks(benchmark::State& state) {
    Window w(true);
    w.showWithTable();
    for (auto _ : state) {
        int ticks = 0;
        QEventLoop loop;
        QObject::connect(&w.window->timer(), &QTimer::timeout, &loop, [&] {
            if (++ticks == 50) {
                loop.quit();
            }
        });
        QElapsedTimer clock;
        w.window->timer().start();
        clock.start();
        loop.exec();
        state.SetIterationTime(double(clock.nsecsElapsed()) * 1e-9);
        state.counters["error_percent"] = (double(clock.nsecsElapsed()) * 1e-9 - 5.0) / 5.0 * 100;
    }
}
BENCHMARK(BM_RealTimer50Ticks)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setFont(ohmora::controlFont());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("peak resident memory: %.1f MB\n", peakResidentMegabytes());
    return 0;
}
