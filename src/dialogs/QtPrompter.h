#pragma once
// Real dialogs, modal over the parent window: QMessageBox, QColorDialog,
// the program's own dialogs, menus, Qt's print and file dialogs; documents
// through the desktop's viewers.

#include "dialogs/Prompter.h"

#include <QPointer>
#include <QWidget>

namespace ohmora {

class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}

    void setParent(QWidget* parent) { parent_ = parent; }

    MessageAnswer message(const Message& message) override;
    std::optional<QColor> chooseColour(const QColor& initial) override;
    bool openDocument(const QString& path) override;
    std::optional<QString> chooseOpenFile(const FileChoice& choice) override;
    std::optional<QString> chooseSaveFile(const FileChoice& choice) override;

    QAction* popUpMenu(QMenu& menu, const QPoint& globalPosition) override;
    int runModal(QDialog& dialog) override;
    std::optional<PrinterChoice> choosePrinter(const PrinterChoice& current) override;
    std::optional<QString> choosePdfFile(const QString& title,
                                         const QString& suggestedPath) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace ohmora
