#pragma once
// The three lists of the program's file dialogs: the drives (on this
// system the mounted volumes), the directory list (the current directory's
// ancestors, then its subdirectories) and the file list of one pattern,
// matched without regard to case. Each reports what the user does; the
// dialog links them.

#include <QComboBox>
#include <QListWidget>
#include <QString>

#include <functional>

namespace ohmora {

class DriveList : public QComboBox {
public:
    explicit DriveList(QWidget* parent = nullptr);
    // The volume that holds `path`, as the list shows it.
    static QString driveOf(const QString& path);
    QString drive() const;
    // Shows `drive` without reporting it.
    void showDrive(const QString& drive);

    std::function<void(const QString& drive)> onChosen; // the user picked a drive

private:
    void fill();
};

class DirectoryList : public QListWidget {
public:
    explicit DirectoryList(QWidget* parent = nullptr);
    QString path() const { return path_; }
    // Shows `path` (an existing, readable directory); false and nothing
    // changed otherwise.
    bool setPath(const QString& path);
    // Opens the highlighted entry, as a double click or Enter does.
    void openHighlighted();

    std::function<void(const QString& path)> onChanged;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString path_;
};

class FileList : public QListWidget {
public:
    FileList(const QString& pattern, QWidget* parent = nullptr);
    QString directory() const { return directory_; }
    void setDirectory(const QString& directory);
    QStringList fileNames() const;
    void refresh();

    std::function<void(const QString& name)> onClicked;   // a file made current
    std::function<void(const QString& name)> onActivated; // double click or Enter

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString pattern_;
    QString directory_;
};

} // namespace ohmora
