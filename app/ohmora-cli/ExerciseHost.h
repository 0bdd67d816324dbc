#pragma once
// The exercise text area of the window, without the window, for
// ohmora-cli: an exercise, its correction or the guide opened as the
// exercise menu opens them, the text read back, saved as RTF or printed to
// PDF, and the command `ohmora-cli exercise` that shows what the browser
// previews.

#include "core/ProgramState.h"

#include <QByteArray>

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace ohmora::cli {

class ExerciseHost {
public:
    // `openconfig` applies program.cheminconfig to the run's simulator.
    ExerciseHost(ProgramState& program, std::ostream& err, std::function<bool()> openconfig);
    ~ExerciseHost();
    ExerciseHost(const ExerciseHost&) = delete;
    ExerciseHost& operator=(const ExerciseHost&) = delete;

    // Each false after its message on standard error.
    bool openExercise(const std::string& path); // as the browser opens the file selected
    bool viewCorrection();
    bool openGuide();
    void closeExercise();

    std::string plainText() const;  // UTF-8, paragraphs separated by LF
    QByteArray rtf() const;         // the text area saved as RTF
    QByteArray printedText() const; // the text area printed, as a PDF
    std::string state() const;      // fich, corrige, textemodifie, dossierexo

private:
    struct Widgets;
    ProgramState& program_;
    std::ostream& err_;
    std::unique_ptr<Widgets> w_;
};

// `ohmora-cli exercise FILE.E34`: the preview's fields, "titre", "notions",
// "difficulte" (lit marks) and "correction", a TAB between key and value.
int runExerciseCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ohmora::cli
