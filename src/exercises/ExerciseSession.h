#pragma once
// The exercise text area and its menu: `supertext` and `fich` of the main
// window, the exercise menu `optionexo` under the exercise button, opening
// an exercise (statement and configuration), its correction and the
// first-use guide, saving, reopening and printing the text, and the
// protection of typed text. Program-wide state (`dossierexo`, `corrige`,
// `textemodifie`, `cheminconfig`) lives in ProgramState.

#include <QPointer>
#include <QString>

#include <functional>
#include <string_view>

class QLineEdit;
class QMenu;
class QPagedPaintDevice;
class QPushButton;
class QTextDocument;
class QTextEdit;
class QWidget;

namespace ohmora {

class Prompter;
struct ProgramState;

namespace exercises {

class ExerciseBrowser;

// The messages of the exercises (prompt, title).
struct ExerciseMessage {
    std::string_view text;
    std::string_view title;
};
inline constexpr ExerciseMessage kLossQuestion{"Attention: perte des modifications du texte.",
                                               "Abandon des données?"};
inline constexpr ExerciseMessage kExerciseUnreadable{
    "Vérifier:\n- le nom du fichier,\n- l'état du lecteur.", "Lecture impossible"};
inline constexpr ExerciseMessage kGuideMissing{
    "Fichier introuvable. Revoir l'installation du logiciel.", "Erreur lors du chargement"};
inline constexpr ExerciseMessage kTextUnwritable{"Vérifier l'état du lecteur et le nom du fichier.",
                                                 "Erreur d'écriture."};
inline constexpr ExerciseMessage kTextUnreadable{"Vérifier l'état du lecteur et le nom du fichier.",
                                                 "Erreur de lecture."};

// The text area's prefix in `fich` for a text opened with "Retrouver un texte".
inline constexpr const char* kTextPrefix = "Texte: ";

// Prints a document (or the part given) with its formatting, one
// document on the device.
void printDocument(const QTextDocument& document, QPagedPaintDevice& device);

class ExerciseSession {
public:
    // `openconfig` applies the configuration named by cheminconfig (and
    // shows its own message on failure).
    ExerciseSession(ProgramState& program, Prompter& prompter, QLineEdit& fich,
                    QTextEdit& supertext, std::function<bool()> openconfig, QWidget* mainWindow);

    // The welcome text, locked, with nothing open.
    void showWelcome();

    // The exercise menu, built anew at each click of the exercise button
    // and shown under it; the chosen item runs.
    void popUpMenu(const QPushButton& btexo);
    // The menu as it stands now (the enabling rules applied), for tests.
    QMenu* buildMenu(QWidget* parent);

    // The items of the menu.
    void priseEnMain();
    void openExerciseBrowser();
    void viewCorrection();
    void saveText();
    void openText();
    void printText();
    void closeExercise();

    // Steps 3 to 8 of opening the exercise at `path` (`ouvreur_Click`):
    // true once the statement is loaded.
    bool openExercise(const QString& path, bool corrected);
    // The suite's exercise request, read and emptied at each activation
    // of the main window.
    void serveExerciseRequest();

    // The typed-text question, when there is typed text: true to go on.
    bool confirmLoss();

    QString fich() const;
    void setFich(const QString& text);

private:
    bool loadText(const QString& path);
    void showMessage(const ExerciseMessage& m, const QString& text = {});
    void closeBrowser();

    ProgramState& program_;
    Prompter& prompter_;
    QLineEdit& fich_;
    QTextEdit& supertext_;
    std::function<bool()> openconfig_;
    QWidget* mainWindow_;
    QPointer<ExerciseBrowser> browser_; // while it is loaded
    bool loading_ = false;              // a text is being put into the box
};

} // namespace exercises
} // namespace ohmora
