#include "ExerciseHost.h"

#include "dialogs/Prompter.h"
#include "exercises/ExerciseBrowser.h"
#include "exercises/ExerciseFile.h"
#include "exercises/ExerciseSession.h"
#include "richtext/RichText.h"

#include <QBuffer>
#include <QDialog>
#include <QLineEdit>
#include <QPdfWriter>
#include <QTextEdit>

#include <filesystem>
#include <ostream>

namespace ohmora::cli {

namespace {

// A run has nobody to ask: messages go to standard error (an error fails
// the run), questions are answered yes, dialogs are cancelled.
class RunPrompter : public Prompter {
public:
    RunPrompter(std::ostream& err, bool& failed) : err_(err), failed_(failed) {}
    MessageAnswer message(const Message& m) override {
        if (m.icon != MessageIcon::Question) {
            err_ << m.text.toStdString() << '\n';
            failed_ = failed_ || m.icon == MessageIcon::Stop;
        }
        return m.buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
    std::optional<QColor> chooseColour(const QColor&) override { return std::nullopt; }
    int runModal(QDialog&) override { return QDialog::Rejected; }
    bool openDocument(const QString&) override { return false; }
    std::optional<QString> chooseOpenFile(const FileChoice&) override { return std::nullopt; }
    std::optional<QString> chooseSaveFile(const FileChoice&) override { return std::nullopt; }
    QAction* popUpMenu(QMenu&, const QPoint&) override { return nullptr; }
    std::optional<PrinterChoice> choosePrinter(const PrinterChoice&) override {
        return std::nullopt;
    }
    std::optional<QString> choosePdfFile(const QString&, const QString&) override {
        return std::nullopt;
    }

private:
    std::ostream& err_;
    bool& failed_;
};

} // namespace

struct ExerciseHost::Widgets {
    Widgets(ProgramState& program, std::ostream& err, std::function<bool()> openconfig)
        : prompter(err, failed),
          session(program, prompter, fich, text, std::move(openconfig), nullptr) {
        session.showWelcome();
    }
    // A step's outcome: no error message, and what the step itself says.
    bool outcome(bool done) {
        const bool ok = done && !failed;
        failed = false;
        return ok;
    }

    bool failed = false;
    RunPrompter prompter;
    QLineEdit fich;
    QTextEdit text;
    exercises::ExerciseSession session;
};

ExerciseHost::ExerciseHost(ProgramState& program, std::ostream& err,
                           std::function<bool()> openconfig)
    : program_(program), err_(err),
      w_(std::make_unique<Widgets>(program, err, std::move(openconfig))) {}

ExerciseHost::~ExerciseHost() = default;

bool ExerciseHost::openExercise(const std::string& path) {
    // As the browser does when the file is selected in its list: its
    // directory becomes the exercise's, its records tell the correction.
    const std::filesystem::path file = std::filesystem::absolute(path);
    program_.dossierexo = file.parent_path().string() + "/";
    const auto records = exercises::readExerciseFile(file);
    if (!records) {
        err_ << exercises::kExerciseUnreadable.text << '\n';
        return false;
    }
    return w_->outcome(w_->session.openExercise(QString::fromStdString(file.string()),
                                                exercises::isCorrected(*records)));
}

bool ExerciseHost::viewCorrection() {
    w_->session.viewCorrection();
    return w_->outcome(true);
}

bool ExerciseHost::openGuide() {
    w_->session.priseEnMain();
    const bool opened = w_->session.fich().toStdString() ==
                        program_.programDirectory + std::string(exercises::kGuideFileName);
    if (!opened) {
        err_ << "no first-use guide in " << program_.programDirectory << '\n';
    }
    return w_->outcome(opened);
}

void ExerciseHost::closeExercise() {
    w_->session.closeExercise();
    w_->outcome(true);
}

std::string ExerciseHost::plainText() const {
    return rtf::plainText(*w_->text.document()).toStdString();
}

QByteArray ExerciseHost::rtf() const {
    return rtf::writeRtf(*w_->text.document());
}

QByteArray ExerciseHost::printedText() const {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(w_->session.fich());
        exercises::printDocument(*w_->text.document(), writer);
    }
    return pdf;
}

std::string ExerciseHost::state() const {
    const auto flag = [](bool b) { return b ? "1" : "0"; };
    std::string out = "fich\t" + w_->session.fich().toStdString() + '\n';
    out += std::string("corrige\t") + flag(program_.corrige) + '\n';
    out += std::string("textemodifie\t") + flag(program_.textemodifie) + '\n';
    out += "dossierexo\t" + program_.dossierexo + '\n';
    return out;
}

int runExerciseCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1 || args[0].empty()) {
        err << "usage: ohmora-cli exercise FILE.E34\n";
        return 2;
    }
    const auto e = exercises::readExerciseFile(args[0]);
    if (!e) {
        err << exercises::kExerciseUnreadable.text << '\n';
        return 1;
    }
    out << "titre\t" << exercises::shownTitle(*e) << '\n'
        << "notions\t" << e->topics << '\n'
        << "difficulte\t" << exercises::litMarks(*e) << '\n'
        << "correction\t"
        << (exercises::isCorrected(*e) ? exercises::kCorrected : exercises::kNotCorrected) << '\n';
    return 0;
}

} // namespace ohmora::cli
