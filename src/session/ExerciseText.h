#pragma once
// The exercise text area `supertext` and the exercise menu `optionexo`: the
// text's document, what is open in it (`fich`: an exercise file, the
// first-use guide, or "Texte: " and the path of a free text), whether it is
// locked, and every action of the menu: "Prise en main", opening an
// exercise once the browser has chosen it, its correction, saving,
// reopening and printing the text, closing the exercise; the protection of
// typed text (`textemodifie`) and the suite's request. The program-wide
// values (`dossierexo`, `corrige`, `textemodifie`, `cheminconfig`) live in
// ProgramState. The exercise browser is a window: the host shows it when
// the menu's entry says so (Outcome::ShowBrowser), and the browser opens
// the exercise it chose with openExercise; so is the reading window, a
// larger view of the same text (Outcome::ShowReadingWindow), and the dialog
// of "Créer un exercice…" (Outcome::ShowCreator), which writes the exercise
// with createExercise (ExerciseAuthoring.h).

#include "exercises/ExerciseMessages.h"

#include <QString>
#include <QTextCursor>
#include <QTextDocument>

#include <span>

namespace ohmora {

struct MenuEntry;
struct PrinterChoice;

namespace session {

class Session;

enum class ExerciseAction {
    Guide,          // "Prise en main"
    OpenExercise,   // "Ouvrir un exercice (énoncé + configuration)"
    ViewCorrection, // "Voir la correction"
    SaveText,       // "Enregistrer le contenu de la fenêtre exercice"
    OpenText,       // "Retrouver un texte"
    PrintText,      // "Imprimer le contenu de la fenêtre exercice"
    EnlargeText,    // "Agrandir la fenêtre exercice"
    CloseExercise,  // "Fermer l'exercice"
    CreateExercise, // "Créer un exercice…"
};

// The entries of `optionexo`, in order, each carrying its ExerciseAction.
std::span<const MenuEntry> exerciseMenu();

// The prefix of `fich` for a text opened with "Retrouver un texte".
inline constexpr const char* kTextPrefix = "Texte: ";

class ExerciseText {
public:
    explicit ExerciseText(Session& session);
    ~ExerciseText();
    ExerciseText(const ExerciseText&) = delete;
    ExerciseText& operator=(const ExerciseText&) = delete;

    // The text area's document: the host's text box shows and edits it.
    QTextDocument& document() { return document_; }
    const QTextDocument& document() const { return document_; }
    // `fich`: the path of what is open, empty when nothing is.
    const QString& fich() const { return fich_; }
    // Whether typing into the text is refused (the welcome text, a
    // correction).
    bool locked() const { return locked_; }

    // The menu's rules: "Voir la correction" with a correction, "Fermer
    // l'exercice" with something open; the other entries always.
    bool enabled(ExerciseAction action) const;
    // What the host is to show once an entry has run: nothing more, the
    // exercise browser, the reading window, or the dialog that makes an
    // exercise.
    enum class Outcome { Done, ShowBrowser, ShowReadingWindow, ShowCreator };
    // Runs an entry of the menu. `selection` is the part of the text the
    // host has selected ("Imprimer…" prints it when there is one).
    Outcome run(ExerciseAction action, const QTextCursor& selection = QTextCursor());

    // `accueil`, locked, with nothing open.
    void showWelcome();
    // The typed-text question, when there is typed text: true to go on.
    bool confirmLoss();

    // "Prise en main": the first-use guide of the program directory;
    // nothing at all without one.
    void priseEnMain();
    // "Ouvrir un exercice": true when the host is to show the browser.
    bool startBrowsing();
    // Steps 3 to 8 of `ouvreur_Click` on the exercise at `path` (in
    // `dossierexo`): true once the statement is loaded.
    bool openExercise(const QString& path, bool corrected);
    // An exercise file opened as the browser opens the file selected in its
    // list: its folder becomes `dossierexo`, its records tell whether it is
    // corrected.
    bool openExerciseFile(const QString& path);
    void viewCorrection();
    void saveText();
    void openText();
    // Step 3 of "Retrouver un texte" on `path`: false after its message
    // (the text area then stays as it was).
    bool openTextFile(const QString& path);
    void printText(const QTextCursor& selection = QTextCursor());
    // The text (or the selected part) through the printer path to
    // `target`; false after its message.
    bool printTextTo(const PrinterChoice& target, const QTextCursor& selection = QTextCursor());
    void closeExercise();
    // The suite's exercise request, read and emptied at each activation of
    // the main window.
    void serveExerciseRequest();

private:
    bool loadText(const QString& path);
    void setFich(const QString& fich);
    void changed(bool replaced);
    void showStop(const exercises::ExerciseMessage& m, const QString& text = {});
    bool applyConfiguration(const std::string& name);
    QString textFolder() const;

    Session& session_;
    QTextDocument document_;
    QString fich_;
    bool locked_ = true;
    bool loading_ = false;   // the program itself is putting a text in
    QString lastTextFolder_; // of the last free text saved or opened
};

} // namespace session
} // namespace ohmora
