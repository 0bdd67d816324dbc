#pragma once
// `Fichexo`, the exercise browser: it covers the main window, lists the
// ".E34" exercise files of a directory, previews the one selected (title,
// topics, difficulty marks, whether a correction exists) and opens it. Its
// handlers are public so that tests and the suite's exercise request play
// the user's part.

#include "dialogs/FolderLists.h"

#include <QDialog>
#include <QString>

#include <array>
#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

namespace ohmora {

class Prompter;
struct ProgramState;

namespace exercises {

inline constexpr const char* kCorrected = "Exercice corrigé";
inline constexpr const char* kNotCorrected = "Non corrigé";

class ExerciseBrowser : public QDialog {
public:
    // `open` opens the exercise of `fichierexo` (statement, configuration)
    // as `ouvreur_Click` does; it returns true once the exercise is open,
    // and the browser then closes.
    using OpenExercise = std::function<bool(const QString& path, bool corrected)>;
    ExerciseBrowser(ProgramState& program, Prompter& prompter, OpenExercise open,
                    QWidget* mainWindow);

    // `ouvreur_Click`, the browser's own activation, a file selected.
    void ouvreurClick();
    void activate(); // selects the first exercise listed, if any
    void selectFile(const QString& name);
    void apercu();
    void closeClick(); // `Image5`

    QLineEdit* fichierexo() const { return fichierexo_; }
    DirectoryList* dir1() const { return dir1_; }
    FileList* file1() const { return file1_; }
    QLabel* titratexo() const { return titratexo_; }
    QPlainTextEdit* text1() const { return text1_; }
    QLabel* label2() const { return label2_; }
    QLabel* intratro() const { return intratro_; }
    QToolButton* ouvreur() const { return ouvreur_; }
    QFrame* loadingPanel() const { return loading_; }
    // Mark k (0 to 2) shows the lit picture.
    bool markLit(int k) const { return lit_[size_t(k)]; }
    bool markShown(int k) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showPreview(bool shown);
    void setMark(int k, bool lit);

    ProgramState& program_;
    Prompter& prompter_;
    OpenExercise open_;
    QWidget* tito_;
    DriveList* drive1_;
    DirectoryList* dir1_;
    FileList* file1_;
    QLineEdit* fichierexo_;
    QLabel* intratro_;
    QLabel* titratexo_;
    QLabel* label1_;
    QPlainTextEdit* text1_;
    QLabel* label4_;
    std::array<QLabel*, 3> image4_{};
    std::array<bool, 3> lit_{};
    QLabel* label2_;
    QLabel* label3_;
    QToolButton* ouvreur_;
    QToolButton* image5_;
    QFrame* loading_;
};

// The painted title of the browser: letter k of n in the colour
// (255, 255, k / n × 100 + 155), from pale yellow to white.
QColor titleLetterColour(int k, int n);

} // namespace exercises
} // namespace ohmora
