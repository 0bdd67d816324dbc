#include "RunCommand.h"

#include "ExerciseHost.h"
#include "OffscreenApplication.h"
#include "core/Circuit.h"
#include "core/Simulator.h"
#include "core/SwitchZones.h"
#include "files/AtomicFile.h"
#include "files/ConfigurationFile.h"
#include "files/ProgramDirectory.h"
#include "output/PrintedPage.h"
#include "pictureset/PictureSet.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <memory>
#include <optional>
#include <ostream>
#include <variant>

namespace ohmora::cli {

namespace {

constexpr int kUntilEndLimit = 10000;
constexpr long kTickLimit = 100000000;

struct MontageAction {
    int index;
};
struct ParamAction {
    int index;
    std::string text;
};
struct QuantityAction {
    int k;
};
struct DurationAction {
    int upDown;
};
struct TriggerAction {};
struct SustainedAction {};
struct SwitchAction {
    int zone;
};
struct TicksAction {
    long count;
};
struct UntilEndAction {};
struct ReadoutAction {
    int x, y;
};
struct OpenAction {
    std::string path;
};
struct SaveAction {
    std::string path;
};
struct CaptionAction {};
struct NoTriggerAction {};
// The exercise text area, as the exercise menu drives it.
struct ExerciseAction {
    std::string path;
};
struct CorrectionAction {};
struct GuideAction {};
struct CloseExerciseAction {};
struct TextAction { // its plain text, to a file or "-"
    std::string file;
};
struct RtfAction {
    std::string file;
};
struct StateAction {};
struct PrintTextAction {
    std::string file;
};

// The printed document of the state at this point, with the page options
// given so far.
struct PrintAction {
    std::string file;
    PageOptions options;
};

using Action =
    std::variant<MontageAction, ParamAction, QuantityAction, DurationAction, TriggerAction,
                 SustainedAction, SwitchAction, TicksAction, UntilEndAction, ReadoutAction,
                 OpenAction, SaveAction, CaptionAction, PrintAction, NoTriggerAction,
                 ExerciseAction, CorrectionAction, GuideAction, CloseExerciseAction, TextAction,
                 RtfAction, StateAction, PrintTextAction>;

struct Plan {
    std::vector<Action> actions;
    std::optional<std::string> tableFile;
    std::optional<std::string> samplesFile;
    std::optional<std::string> graphFile;
    std::optional<std::string> schematicFile;
    std::optional<std::string> programDirectory;
    bool prints = false;
    bool exercises = false; // the run needs the exercise text area
};

struct UsageError {
    std::string message;
};

std::optional<long> readInteger(const std::string& text, long min, long max) {
    long value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

Plan parseOrThrow(const std::vector<std::string>& args) {
    Plan plan;
    PageOptions page; // what the following --print options use
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--no-schematic" || option == "--no-graph") {
            (option == "--no-schematic" ? page.schematic : page.graph) = false;
            continue;
        }
        if (option == "--title") {
            // An empty title is a title: the page's first line stays empty.
            if (i + 1 >= args.size()) {
                throw UsageError{option + " needs a value"};
            }
            page.title = QString::fromStdString(args[++i]);
            continue;
        }
        if (option == "--trigger2") {
            plan.actions.emplace_back(TriggerAction{});
            continue;
        }
        if (option == "--sustained") {
            plan.actions.emplace_back(SustainedAction{});
            continue;
        }
        if (option == "--until-end") {
            plan.actions.emplace_back(UntilEndAction{});
            continue;
        }
        if (option == "--caption") {
            plan.actions.emplace_back(CaptionAction{});
            continue;
        }
        if (option == "--no-trigger2") {
            plan.actions.emplace_back(NoTriggerAction{});
            continue;
        }
        if (option == "--correction" || option == "--guide" || option == "--close-exercise" ||
            option == "--state") {
            if (option == "--correction") {
                plan.actions.emplace_back(CorrectionAction{});
            } else if (option == "--guide") {
                plan.actions.emplace_back(GuideAction{});
            } else if (option == "--close-exercise") {
                plan.actions.emplace_back(CloseExerciseAction{});
            } else {
                plan.actions.emplace_back(StateAction{});
            }
            plan.exercises = true;
            continue;
        }
        static const char* const withValue[] = {
            "--montage",   "--param",    "--quantity", "--duration", "--switch",
            "--ticks",     "--table",    "--samples",  "--graph",    "--readout",
            "--schematic", "--open",     "--save",     "--dir",      "--copies",
            "--print",     "--exercise", "--text",     "--rtf",      "--print-text"};
        if (std::find(std::begin(withValue), std::end(withValue), option) == std::end(withValue)) {
            throw UsageError{"unknown argument " + option};
        }
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            throw UsageError{option + " needs a value"};
        }
        const std::string& v = args[++i];
        const auto wrong = [&](const std::string& expected) {
            std::string message = option;
            message += ' ';
            message += v;
            message += ": ";
            message += expected;
            return UsageError{message};
        };
        const auto integer = [&](const std::string& text, long min, long max,
                                 const std::string& expected) {
            auto n = readInteger(text, min, max);
            if (!n) {
                throw wrong(expected);
            }
            return *n;
        };
        if (option == "--montage") {
            plan.actions.emplace_back(
                MontageAction{int(integer(v, 0, kMontageCount - 1, "the montage is 0, 1 or 2"))});
        } else if (option == "--param") {
            const auto eq = v.find('=');
            const std::string expected = "expected INDEX=TEXT with INDEX from 0 to 13";
            if (eq == std::string::npos) {
                throw wrong(expected);
            }
            plan.actions.emplace_back(ParamAction{
                int(integer(v.substr(0, eq), 0, kParameterCount - 1, expected)), v.substr(eq + 1)});
        } else if (option == "--quantity") {
            plan.actions.emplace_back(QuantityAction{
                int(integer(v, 0, kQuantityCount - 1, "the quantity box is 0 to 6"))});
        } else if (option == "--duration") {
            const Duration* d = durationForLabel(v);
            if (!d) {
                throw wrong("not one of the durations (\"1 ms\" ... \"10 min\")");
            }
            plan.actions.emplace_back(DurationAction{d->upDown});
        } else if (option == "--switch") {
            plan.actions.emplace_back(
                SwitchAction{int(integer(v, 0, 2, "the zone of K is 0, 1 or 2"))});
        } else if (option == "--ticks") {
            plan.actions.emplace_back(TicksAction{
                integer(v, 0, kTickLimit, "expected a whole number of ticks from 0 to 100000000")});
        } else if (option == "--readout") {
            const auto comma = v.find(',');
            const std::string expected = "expected X,Y in the graph's pixels";
            if (comma == std::string::npos) {
                throw wrong(expected);
            }
            plan.actions.emplace_back(
                ReadoutAction{int(integer(v.substr(0, comma), -32768, 32767, expected)),
                              int(integer(v.substr(comma + 1), -32768, 32767, expected))});
        } else if (option == "--exercise" || option == "--text" || option == "--rtf" ||
                   option == "--print-text") {
            if (v == "-" && option != "--text") {
                throw wrong("this output needs a file name");
            }
            if (option == "--exercise") {
                plan.actions.emplace_back(ExerciseAction{v});
            } else if (option == "--text") {
                plan.actions.emplace_back(TextAction{v});
            } else if (option == "--rtf") {
                plan.actions.emplace_back(RtfAction{v});
            } else {
                plan.actions.emplace_back(PrintTextAction{v});
            }
            plan.exercises = true;
        } else if (option == "--open") {
            plan.actions.emplace_back(OpenAction{v});
        } else if (option == "--save") {
            plan.actions.emplace_back(SaveAction{v});
        } else if (option == "--dir") {
            if (plan.programDirectory) {
                throw wrong("the program directory is given once");
            }
            plan.programDirectory = v;
        } else if (option == "--copies") {
            page.copies = int(integer(v, 1, kMaxCopies, "the number of copies is 1 to 40"));
        } else if (option == "--print") {
            if (v == "-") {
                throw wrong("a printed document needs a file name");
            }
            plan.actions.emplace_back(PrintAction{v, page});
            plan.prints = true;
        } else if (option == "--table" || option == "--samples") {
            (option == "--table" ? plan.tableFile : plan.samplesFile) = v;
        } else {
            if (v == "-") {
                throw wrong("a picture needs a file name");
            }
            (option == "--graph" ? plan.graphFile : plan.schematicFile) = v;
        }
    }
    return plan;
}

std::variant<Plan, UsageError> parse(const std::vector<std::string>& args) {
    try {
        return parseOrThrow(args);
    } catch (const UsageError& e) {
        return e;
    }
}

std::string number9(float v) {
    char buffer[32];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, double(v), std::chars_format::general, 9);
    return std::string(buffer, result.ptr);
}

// The program directory of the run: the one given, else the one the
// window would find from the executable.
std::string programDirectory(const std::optional<std::string>& given) {
    std::error_code ec;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", ec);
    return files::locateProgramPaths(given, executable.parent_path().string()).programDirectory;
}

bool writeBytes(const std::string& path, const QByteArray& bytes, std::ostream& err);

class Runner {
public:
    Runner(Simulator& sim, std::ostream& out, std::ostream& err, bool keepSamples,
           PictureSet* pictures, std::string programDirectory)
        : sim_(sim), out_(out), err_(err), keepSamples_(keepSamples), pictures_(pictures) {
        program_.programDirectory = std::move(programDirectory);
    }

    struct Document {
        std::string file;
        QByteArray pdf;
    };

    void run(const Action& action) {
        std::visit([this](const auto& a) { redraw(apply(a)); }, action);
    }
    const std::string& samples() const { return samples_; }
    // False once an action failed (its message went to standard error).
    bool succeeded() const { return succeeded_; }
    const std::vector<Document>& documents() const { return documents_; }

private:
    void redraw(Redraw r) {
        if (pictures_) {
            pictures_->apply(r, sim_);
        }
    }
    Redraw apply(const MontageAction& a) { return sim_.chooseMontage(a.index); }
    Redraw apply(const ParamAction& a) {
        Redraw r = sim_.enterParameter(a.index);
        sim_.setParameterText(a.index, a.text);
        return r |
               sim_.leaveParameter(a.index, [this](const std::string& m) { err_ << m << '\n'; });
    }
    Redraw apply(const QuantityAction& a) { return sim_.clickQuantity(a.k); }
    Redraw apply(const DurationAction& a) { return sim_.setUpDown(a.upDown); }
    Redraw apply(const TriggerAction&) { return sim_.setTrigger(true); }
    Redraw apply(const SustainedAction&) { return sim_.clickSustained(); }
    Redraw apply(const SwitchAction& a) {
        // A point inside the zone: the pointer moves there, then clicks.
        const Point p = pointOnSwitch(sim_.state().controls.montage, a.zone);
        sim_.mouseMoveSchematic(p.x, p.y);
        return sim_.clickSchematic();
    }
    Redraw apply(const TicksAction& a) {
        for (long n = 0; n < a.count; ++n) {
            tick();
        }
        return RedrawNone;
    }
    Redraw apply(const UntilEndAction&) {
        for (int n = 0; n < kUntilEndLimit && sim_.state().run.enregEnCours; ++n) {
            tick();
        }
        return RedrawNone;
    }
    // As the open dialog's "OUVRIR" on that path: a path that does not
    // exist is refused, a file that cannot be loaded changes nothing.
    Redraw apply(const OpenAction& a) {
        std::error_code ec;
        if (!std::filesystem::exists(a.path, ec)) {
            fail(files::kNoSuchFile.text);
            return RedrawNone;
        }
        const files::ConfigurationRead read = files::loadConfiguration(a.path);
        if (!read.controls) {
            fail(read.problem.text);
            return RedrawNone;
        }
        caption_ = files::configurationCaption(a.path);
        return sim_.replayControls(*read.controls);
    }
    Redraw apply(const SaveAction& a) {
        if (const auto problem = files::saveConfiguration(a.path, sim_.controls())) {
            fail(problem->text);
        } else {
            caption_ = files::configurationCaption(a.path);
        }
        return RedrawNone;
    }
    Redraw apply(const CaptionAction&) {
        out_ << caption_ << '\n';
        return RedrawNone;
    }
    Redraw apply(const NoTriggerAction&) { return sim_.setTrigger(false); }

    // The exercise text area, made at its first use.
    ExerciseHost& host() {
        if (!host_) {
            host_ = std::make_unique<ExerciseHost>(program_, err_, [this] { return openconfig(); });
        }
        return *host_;
    }
    // `openconfig` for the text area: the configuration its exercise names.
    bool openconfig() {
        const files::ConfigurationRead read = files::loadConfiguration(program_.cheminconfig);
        if (!read.controls) {
            fail(read.problem.text);
            return false;
        }
        caption_ = files::configurationCaption(program_.cheminconfig);
        redraw(sim_.replayControls(*read.controls));
        return true;
    }
    void check(bool done) { succeeded_ = done && succeeded_; }
    Redraw apply(const ExerciseAction& a) {
        check(host().openExercise(a.path));
        return RedrawNone;
    }
    Redraw apply(const CorrectionAction&) {
        check(host().viewCorrection());
        return RedrawNone;
    }
    Redraw apply(const GuideAction&) {
        check(host().openGuide());
        return RedrawNone;
    }
    Redraw apply(const CloseExerciseAction&) {
        host().closeExercise();
        return RedrawNone;
    }
    Redraw apply(const TextAction& a) {
        const QByteArray text = QByteArray::fromStdString(host().plainText() + '\n');
        if (a.file == "-") {
            out_ << text.toStdString();
        } else {
            check(writeBytes(a.file, text, err_));
        }
        return RedrawNone;
    }
    Redraw apply(const RtfAction& a) {
        check(writeBytes(a.file, host().rtf(), err_));
        return RedrawNone;
    }
    Redraw apply(const StateAction&) {
        out_ << host().state();
        return RedrawNone;
    }
    Redraw apply(const PrintTextAction& a) {
        check(writeBytes(a.file, host().printedText(), err_));
        return RedrawNone;
    }
    void fail(std::string_view message) {
        err_ << message << '\n';
        succeeded_ = false;
    }
    Redraw apply(const ReadoutAction& a) {
        const Readout r = sim_.mouseMoveGraph(a.x, a.y);
        if (r.visible) {
            out_ << r.timeText << '\t' << r.valueText << '\n';
        } else {
            out_ << "hidden\n";
        }
        return RedrawNone;
    }
    Redraw apply(const PrintAction& a) {
        documents_.push_back(
            {a.file, pdfDocument(pagePictures(*pictures_, sim_.state()), a.options)});
        return RedrawNone;
    }

    void tick() {
        const float tBascule = sim_.state().run.tBascule;
        const float tEnreg = sim_.state().run.tEnreg;
        redraw(sim_.tick());
        if (!keepSamples_) {
            return;
        }
        const SimState& s = sim_.state();
        samples_ += number9(tBascule);
        samples_ += '\t';
        samples_ += number9(tEnreg);
        samples_ += '\t';
        samples_ += s.run.enregEnCours ? '1' : '0';
        for (float v : s.run.valeurs) {
            samples_ += '\t';
            samples_ += number9(v);
        }
        samples_ += '\n';
    }

    Simulator& sim_;
    std::ostream& out_;
    std::ostream& err_;
    bool keepSamples_;
    PictureSet* pictures_;
    std::string samples_;
    std::string caption_ = "Ohmora";
    ProgramState program_;
    std::unique_ptr<ExerciseHost> host_;
    bool succeeded_ = true;
    std::vector<Document> documents_;
};

// Writes completely or not at all; "-" is standard output.
bool writeOutput(const std::string& path, const std::string& content, std::ostream& out,
                 std::ostream& err) {
    if (path == "-") {
        out << content;
        out.flush();
        return bool(out);
    }
    std::string reason;
    if (!files::writeFileAtomically(path, content, &reason)) {
        err << "cannot write " << path << ": " << reason << '\n';
        return false;
    }
    return true;
}

bool writeBytes(const std::string& path, const QByteArray& bytes, std::ostream& err) {
    std::string reason = "the document could not be built";
    if (bytes.isEmpty() ||
        !files::writeFileAtomically(path, std::string_view(bytes.constData(), size_t(bytes.size())),
                                    &reason)) {
        err << "cannot write " << path << ": " << reason << '\n';
        return false;
    }
    return true;
}

bool writePicture(const std::string& path, const QImage& image, std::ostream& err) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        err << "cannot write " << path << '\n';
        return false;
    }
    std::string reason;
    if (!files::writeFileAtomically(path, std::string_view(png.constData(), size_t(png.size())),
                                    &reason)) {
        err << "cannot write " << path << ": " << reason << '\n';
        return false;
    }
    return true;
}

} // namespace

int runCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    auto parsed = parse(args);
    if (auto* usage = std::get_if<UsageError>(&parsed)) {
        err << "ohmora-cli run: " << usage->message << '\n';
        return 2;
    }
    const Plan& plan = std::get<Plan>(parsed);
    Simulator sim;
    std::unique_ptr<QGuiApplication> app;
    std::optional<PictureSet> pictures;
    if (plan.graphFile || plan.schematicFile || plan.prints || plan.exercises) {
        app = makeOffscreenApplication(plan.exercises);
        pictures.emplace();
        pictures->redrawAll(sim.state());
    }
    Runner runner(sim, out, err, plan.samplesFile.has_value(), pictures ? &*pictures : nullptr,
                  programDirectory(plan.programDirectory));
    for (const Action& action : plan.actions) {
        runner.run(action);
    }
    bool ok = runner.succeeded();
    if (plan.tableFile) {
        std::string text = sim.state().table.text();
        if (*plan.tableFile == "-") {
            text += '\n';
        }
        ok = writeOutput(*plan.tableFile, text, out, err) && ok;
    }
    if (plan.samplesFile) {
        ok = writeOutput(*plan.samplesFile, runner.samples(), out, err) && ok;
    }
    if (plan.graphFile) {
        ok = writePicture(*plan.graphFile, pictures->graph(), err) && ok;
    }
    if (plan.schematicFile) {
        ok = writePicture(*plan.schematicFile, pictures->schematic(), err) && ok;
    }
    for (const Runner::Document& document : runner.documents()) {
        ok = writeBytes(document.file, document.pdf, err) && ok;
    }
    return ok ? 0 : 1;
}

} // namespace ohmora::cli
