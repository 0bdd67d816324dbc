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

class ExerciseBrowser : public QDialog {
public:
    // `open` opens the exercise of `fichierexo` (statement, configuration)
    // as `openButton_Click` does; it returns true once the exercise is open,
    // and the browser then closes.
    using OpenExercise = std::function<bool(const QString& path, bool corrected)>;
    ExerciseBrowser(ProgramState& program, Prompter& prompter, OpenExercise open,
                    QWidget* mainWindow);

    // `openButton_Click`, the browser's own activation, a file selected.
    void ouvreurClick();
    // Selects the exercise shown with showExercise, else the first listed,
    // if any.
    void activate();
    // Opens on the folder of the exercise file at `path`, which the
    // activation then selects and previews (a new exercise, just written).
    bool showExercise(const QString& path);
    void selectFile(const QString& name);
    void apercu();
    void closeClick(); // `Image5`

    QLineEdit* pathBox() const { return pathBox_; }
    DirectoryList* folderList() const { return folderList_; }
    FileList* fileList() const { return fileList_; }
    QLabel* titleLabel() const { return titleLabel_; }
    QPlainTextEdit* topicsBox() const { return topicsBox_; }
    QLabel* correctionLabel() const { return correctionLabel_; }
    QLabel* invitation() const { return invitation_; }
    QToolButton* openButton() const { return openButton_; }
    QFrame* loadingPanel() const { return loadingPanel_; }
    // Mark k (0 to 2) shows the lit picture.
    bool markLit(int k) const { return lit_[size_t(k)]; }
    bool markShown(int k) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLists();
    void buildPreview();
    void buildLoadingPanel();
    void connectControls();
    void showPreview(bool shown);
    void setMark(int k, bool lit);

    ProgramState& program_;
    Prompter& prompter_;
    OpenExercise open_;
    QWidget* titlePicture_;          // `tito`
    DriveList* driveList_;           // `Drive1`
    DirectoryList* folderList_;      // `Dir1`
    FileList* fileList_;             // `File1`
    QLineEdit* pathBox_;             // `fichierexo`
    QLabel* invitation_;             // `intratro`
    QLabel* titleLabel_;             // `titratexo`
    QLabel* topicsCaption_;          // `Label1`
    QPlainTextEdit* topicsBox_;      // `Text1`
    QLabel* difficultyCaption_;      // `Label4`
    std::array<QLabel*, 3> marks_{}; // `Image4`
    std::array<bool, 3> lit_{};
    QLabel* correctionLabel_;  // `Label2`
    QLabel* correctionShadow_; // `Label3`
    QToolButton* openButton_;  // `ouvreur`
    QToolButton* closeButton_; // `Image5`
    QFrame* loadingPanel_;
    bool corrected_ = false; // the exercise previewed has a correction
    QString startingName_;   // the file the activation selects
};

// The painted title of the browser: letter k of n in the colour
// (255, 255, k / n × 100 + 155), from pale yellow to white.
QColor titleLetterColour(int k, int n);

} // namespace exercises
} // namespace ohmora
