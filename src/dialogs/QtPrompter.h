#pragma once
// Real dialogs, modal over the parent window: QMessageBox, QColorDialog,
// the program's own dialogs, menus, Qt's print and file dialogs; documents
// through the desktop's viewers.

#include "dialogs/WindowPrompter.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QFileDialog;
class QMessageBox;

namespace ohmora {

class QtPrompter : public WindowPrompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}

    void setParent(QWidget* parent) { parent_ = parent; }

    MessageAnswer message(const Message& message) override;
    std::optional<QColor> chooseColour(const QColor& initial) override;
    bool openDocument(const QString& path) override;
    std::optional<QString> chooseOpenFile(const FileChoice& choice) override;
    std::optional<QString> chooseSaveFile(const FileChoice& choice) override;
    std::optional<KindOfFile> chooseSaveFileOfKind(const FileChoice& choice,
                                                   const std::vector<FileKind>& kinds) override;

    QAction* popUpMenu(QMenu& menu, const QPoint& globalPosition) override;
    int runModal(QDialog& dialog) override;
    std::optional<PrinterChoice> choosePrinter(const PrinterChoice& current) override;

private:
    QPointer<QWidget> parent_;
};

// The message box of a message, ready to be shown: wide enough for its
// title in a window manager's title bar (its font, its icon and buttons),
// so that "Enregistrement impossible" is never cut.
std::unique_ptr<QMessageBox> messageBox(const Message& message, QWidget* parent);
// The width a title needs in a title bar.
int titleBarWidth(const QString& title);

// The system's file dialog for a choice, ready to be shown: an open dialog
// takes an existing file; a save dialog asks before replacing one unless
// the program asks its own question.
std::unique_ptr<QFileDialog> fileDialog(QWidget* parent, const FileChoice& choice, bool save);
// The save dialog of several kinds of file: one filter each, the extension
// added to a name typed without one following the filter chosen.
std::unique_ptr<QFileDialog> fileDialog(QWidget* parent, const FileChoice& choice,
                                        const std::vector<FileKind>& kinds);

} // namespace ohmora
