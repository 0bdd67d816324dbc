#include "RunCommand.h"

#include "GuiApplication.h"
#include "RunOptions.h"
#include "Runner.h"
#include "files/ProgramDirectory.h"
#include "session/Exports.h"

#include <filesystem>
#include <memory>
#include <ostream>

namespace ohmora::cli {

namespace {

// The program directory of the run: the one given, else the one the
// window would find from the executable.
std::string programDirectory(const std::optional<std::string>& given) {
    std::error_code ec;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", ec);
    return files::locateProgramPaths(given, executable.parent_path().string()).programDirectory;
}

void writeDocument(Runner& runner, const std::string& path, const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        runner.fail("impossible d'écrire " + path + " : le document n'a pas pu être préparé");
        return;
    }
    runner.write(path, std::string_view(bytes.constData(), size_t(bytes.size())));
}

void writeOutputs(const Plan& plan, Runner& runner) {
    if (plan.tableFile) {
        std::string text = runner.sim().state().table.text();
        if (*plan.tableFile == "-") {
            text += '\n';
        }
        runner.write(*plan.tableFile, text);
    }
    if (plan.samplesFile) {
        runner.write(*plan.samplesFile, runner.samples());
    }
    for (const CsvOutput& file : plan.csvFiles) {
        // Without a recording, the message on standard error fails the run.
        if (const std::optional<std::string> csv = runner.session().exports().csv(file.format)) {
            runner.write(file.file, *csv);
        }
    }
    for (const PictureOutput& picture : plan.pictureFiles) {
        const session::PictureKind kind =
            picture.graph ? session::PictureKind::Graph : session::PictureKind::Schematic;
        writeDocument(runner, picture.file,
                      runner.session().exports().image(kind, {picture.svg, picture.scale}));
    }
    for (const Runner::Document& document : runner.documents()) {
        writeDocument(runner, document.path, document.bytes);
    }
}

} // namespace

int runCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Plan plan;
    try {
        plan = parsePlan(args);
    } catch (const UsageError& e) {
        err << "ohmora-cli run : " << e.message << '\n';
        return 2;
    }
    // Fonts, pictures and the text area need a GUI application (without a
    // display); a run of the simulator alone starts without one.
    std::unique_ptr<QGuiApplication> app;
    if (plan.pictures || plan.text) {
        app = makeGuiApplication();
    }
    Runner runner(plan.text ? programDirectory(plan.programDirectory) : std::string(), out, err,
                  plan.samplesFile.has_value());
    if (plan.pictures) {
        runner.session().pictures(); // drawn from the start, as the window's
    }
    for (const Action& action : plan.actions) {
        action(runner);
    }
    writeOutputs(plan, runner);
    return runner.succeeded() ? 0 : 1;
}

} // namespace ohmora::cli
