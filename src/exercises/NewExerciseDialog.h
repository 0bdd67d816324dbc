#pragma once
// The dialog of "Créer un exercice…": the exercise's title, topics and
// difficulty, its statement (the text area's content or an RTF file), the
// simulator's configuration as it is now, an optional correction text and
// configuration, and the folder, chosen with the program's drive and
// directory lists, which also show the exercises already there. The names
// of the files follow the title and are shown before anything is written.
// The window gives it the application layer's action; its handlers are
// public so that tests play the user's part.

#include "dialogs/FolderLists.h"
#include "exercises/NewExercise.h"

#include <QDialog>
#include <QString>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace ohmora {

class Prompter;

namespace exercises {

class NewExerciseDialog : public QDialog {
public:
    // Writes the exercise at `exercisePath`; true once it is written (the
    // dialog then closes), false when the dialog is to stay open (the
    // action has said why).
    using Create = std::function<bool(const QString& exercisePath, const NewExercise& exercise)>;
    NewExerciseDialog(Prompter& prompter, const QString& folder, Create create,
                      QWidget* parent = nullptr);

    // The exercise as the controls describe it, and where it goes.
    NewExercise exercise() const;
    QString exercisePath() const;
    // The path of the exercise written by the last CRÉER that succeeded.
    QString createdPath() const { return createdPath_; }

    void chooseStatement();               // "Parcourir…" of the statement
    void chooseCorrection();              // "Parcourir…" of the correction
    void chooseCorrectionConfiguration(); // "Parcourir…" of its configuration
    void clickCreate();                   // CRÉER
    bool showFolder(const QString& folder);

    QLineEdit* titleBox() const { return titleBox_; }
    QPlainTextEdit* topicsBox() const { return topicsBox_; }
    QSpinBox* difficultyBox() const { return difficultyBox_; }
    QRadioButton* statementFromText() const { return statementFromText_; }
    QRadioButton* statementFromFile() const { return statementFromFile_; }
    QLineEdit* statementBox() const { return statementBox_; }
    QCheckBox* configurationBox() const { return configurationBox_; }
    QLineEdit* correctionBox() const { return correctionBox_; }
    QLineEdit* correctionConfigurationBox() const { return correctionConfigurationBox_; }
    DirectoryList* folderList() const { return folderList_; }
    FileList* fileList() const { return fileList_; }
    QLabel* namesLabel() const { return namesLabel_; }
    QPushButton* createButton() const { return createButton_; }

private:
    QWidget* buildFolder();
    QWidget* buildExercise();
    QWidget* buildParts();
    std::optional<QString> chooseFile(const char* title, const char* filter, const QLineEdit* box);
    void showNames();

    Prompter& prompter_;
    Create create_;
    DriveList* driveList_;
    DirectoryList* folderList_;
    FileList* fileList_;
    QLineEdit* titleBox_ = nullptr;
    QPlainTextEdit* topicsBox_ = nullptr;
    QSpinBox* difficultyBox_ = nullptr;
    QRadioButton* statementFromText_ = nullptr;
    QRadioButton* statementFromFile_ = nullptr;
    QLineEdit* statementBox_ = nullptr;
    QCheckBox* configurationBox_ = nullptr;
    QLineEdit* correctionBox_ = nullptr;
    QLineEdit* correctionConfigurationBox_ = nullptr;
    QLabel* namesLabel_ = nullptr;
    QPushButton* createButton_ = nullptr;
    QString createdPath_;
};

} // namespace exercises
} // namespace ohmora
