// Opening an exercise (statement into the text area, configuration
// replayed, graph erased; target under 30 ms), the browser listing a
// directory of 100 exercises and previewing one (target under 50 ms), and
// "Créer un exercice…" writing an exercise from the text area and the
// simulator's configuration with a correction from files, its five files
// checked, written together and on disk (target under 100 ms).
// Runs without a display: QT_QPA_PLATFORM defaults to offscreen.

#include "ScriptedPrompter.h"
#include "core/ProgramState.h"
#include "exercises/ExerciseBrowser.h"
#include "session/ExerciseAuthoring.h"
#include "session/ExerciseText.h"
#include "window/Appearance.h"
#include "window/MainWindow.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const char* const kExercise = "rlc-01-oscillations-libres";

// The shipped pack, and 100 exercise files, in a directory of the bench's.
fs::path packDirectory() {
    static const fs::path dir = [] {
        fs::path d =
            fs::temp_directory_path() / ("ohmora-exercisesbench-" + std::to_string(::getpid()));
        fs::create_directories(d);
        for (const auto& entry : fs::directory_iterator(OHMORA_PROGRAM_DIR)) {
            if (entry.is_regular_file() && entry.path().extension() != "") {
                fs::copy_file(entry.path(), d / entry.path().filename(),
                              fs::copy_options::overwrite_existing);
            }
        }
        for (int i = 0; i < 100; ++i) {
            fs::copy_file(d / (std::string(kExercise) + ".E34"),
                          d / ("exercice-" + std::to_string(1000 + i) + ".E34"),
                          fs::copy_options::overwrite_existing);
        }
        return d;
    }();
    return dir;
}

void BM_OpenExercise(benchmark::State& state) {
    ohmora::ProgramState program;
    program.programDirectory = packDirectory().string() + "/";
    program.dossierexo = program.programDirectory;
    ohmora::ScriptedPrompter prompter;
    ohmora::MainWindow window(program, &prompter, ohmora::MainWindow::Options{false});
    const QString path = QString::fromStdString(program.programDirectory + kExercise + ".E34");
    for (auto _ : state) {
        benchmark::DoNotOptimize(window.session().text().openExercise(path, true));
    }
}
BENCHMARK(BM_OpenExercise)->Unit(benchmark::kMillisecond);

void BM_BrowserListsAndPreviews(benchmark::State& state) {
    ohmora::ProgramState program;
    program.programDirectory = packDirectory().string() + "/";
    ohmora::ScriptedPrompter prompter;
    for (auto _ : state) {
        ohmora::exercises::ExerciseBrowser browser(program, prompter, nullptr, nullptr);
        browser.activate();
        benchmark::DoNotOptimize(browser.fileList()->count());
    }
}
BENCHMARK(BM_BrowserListsAndPreviews)->Unit(benchmark::kMillisecond);

void BM_Preview(benchmark::State& state) {
    ohmora::ProgramState program;
    program.programDirectory = packDirectory().string() + "/";
    ohmora::ScriptedPrompter prompter;
    ohmora::exercises::ExerciseBrowser browser(program, prompter, nullptr, nullptr);
    for (auto _ : state) {
        browser.selectFile(QStringLiteral("exercice-1050.E34"));
    }
}
BENCHMARK(BM_Preview)->Unit(benchmark::kMicrosecond);

void BM_CreateExercise(benchmark::State& state) {
    ohmora::ProgramState program;
    program.programDirectory = packDirectory().string() + "/";
    program.dossierexo = program.programDirectory;
    ohmora::ScriptedPrompter prompter;
    ohmora::MainWindow window(program, &prompter, ohmora::MainWindow::Options{false});
    const std::string dir = program.programDirectory;
    window.session().text().openExercise(QString::fromStdString(dir + kExercise + ".E34"), true);
    ohmora::exercises::NewExercise e;
    e.title = "Oscillations libres";
    e.correction = {ohmora::exercises::PartSource::File, dir + kExercise + "-corrige.rtf"};
    e.correctionConfiguration = {ohmora::exercises::PartSource::File,
                                 dir + kExercise + "-corrige.P16"};
    const QString path = QString::fromStdString(dir + "nouvel-exercice.E34");
    for (auto _ : state) {
        benchmark::DoNotOptimize(ohmora::session::createExercise(
            window.session(), path, e, ohmora::session::ExistingFiles::Replace));
    }
}
BENCHMARK(BM_CreateExercise)->Unit(benchmark::kMillisecond);

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
    std::error_code ec;
    fs::remove_all(packDirectory(), ec);
    return 0;
}
