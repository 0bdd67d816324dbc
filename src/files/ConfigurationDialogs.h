#pragma once
// The program's own save and open dialogs for configurations,
// `enregistrer` and `ouvrir`: a drive list, a directory list and the list
// of the ".P16" files of that directory. The save dialog turns what the
// user typed into a full path, asks before overwriting and saves; the open
// dialog checks that the chosen file exists, shows its wait notice and
// opens it. The main window gives them its session's actions.
// Their handlers are public so that tests play the user's part.

#include "dialogs/FolderLists.h"

#include <QDialog>
#include <QString>

#include <array>
#include <functional>
#include <initializer_list>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace ohmora {

class Prompter;

// The drive, directory and file lists linked as both dialogs link them.
class ConfigurationDialog : public QDialog {
public:
    DriveList* driveList() const { return driveList_; }
    DirectoryList* folderList() const { return folderList_; }
    FileList* fileList() const { return fileList_; }
    QPushButton* actionButton() const { return actionButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

    // The lists on `directory` (the dialog's start, or the user's choice).
    bool showDirectory(const QString& directory);
    void chooseDrive(const QString& drive);

protected:
    ConfigurationDialog(Prompter& prompter, QWidget* parent);
    // The lists side by side above `below`, the action and "ANNULER" under
    // them; the captions of the directory and file lists.
    struct Caption {
        const char* name;
        const char* text;
    };
    void layOut(const char* action, const std::array<Caption, 2>& lists,
                std::initializer_list<QWidget*> below);
    // Called whenever the file list's directory changes.
    virtual void directoryChanged() {}
    Prompter& prompter_;
    DriveList* driveList_;      // `Drive1`
    DirectoryList* folderList_; // `Dir1`
    FileList* fileList_;        // `File1`
    QPushButton* actionButton_; // `Command1`
    QPushButton* cancelButton_; // `Command2`
};

class SaveDialog : public ConfigurationDialog {
public:
    // `saveconfig` writes the path and says whether it succeeded (it shows
    // its own message when not).
    using SaveConfig = std::function<bool(const QString& path)>;
    SaveDialog(Prompter& prompter, const QString& cheminconfig, const QString& directory,
               SaveConfig saveconfig, QWidget* parent = nullptr);

    QLineEdit* nameBox() const { return nameBox_; }
    // The path the last ENREGISTRER built (`cheminconfig`).
    QString builtPath() const { return builtPath_; }

    void clickSave();                          // ENREGISTRER, or Enter in the name box
    void doubleClickFile(const QString& name); // the name, then ENREGISTRER

protected:
    void directoryChanged() override;

private:
    QLineEdit* nameBox_; // `Text1`
    SaveConfig saveconfig_;
    QString builtPath_;
};

class OpenDialog : public ConfigurationDialog {
public:
    // Opens the configuration at `path` (the application layer's "OUVRIR"):
    // false when the dialog is to stay open (no such file); `loading` shows
    // the wait notice once the load starts.
    using OpenConfiguration =
        std::function<bool(const QString& path, const std::function<void()>& loading)>;
    OpenDialog(Prompter& prompter, const QString& directory, OpenConfiguration open,
               QWidget* parent = nullptr);

    QLineEdit* pathBox() const { return pathBox_; }
    QFrame* waitPanel() const { return waitPanel_; }

    void clickFile(const QString& name);
    void clickOpen(); // OUVRIR, or a double click on a file

private:
    QLineEdit* pathBox_; // `ficharge`
    QFrame* waitPanel_;
    OpenConfiguration open_;
};

// Where both dialogs open: 20 pixels right of and below the main window's
// top-left corner.
void placeBesideMainWindow(QDialog& dialog, const QWidget* mainWindow);

} // namespace ohmora
