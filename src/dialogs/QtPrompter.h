#pragma once
// Real dialogs: QMessageBox and QColorDialog, modal over the parent window;
// menus, modal windows, Qt's print dialog and file dialog.

#include "Prompter.h"

#include <QPointer>
#include <QWidget>

namespace ohmora {

class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}

    void setParent(QWidget* parent) { parent_ = parent; }

    MessageAnswer message(const Message& message) override;
    std::optional<QColor> chooseColour(const QColor& initial) override;

    QAction* popUpMenu(QMenu& menu, const QPoint& globalPosition) override;
    int runModal(QDialog& dialog) override;
    std::optional<PrinterChoice> choosePrinter(const PrinterChoice& current) override;
    std::optional<QString> choosePdfFile(const QString& title,
                                         const QString& suggestedPath) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace ohmora
