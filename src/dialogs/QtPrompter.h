#pragma once
// Real dialogs, modal over the parent window: QMessageBox, QColorDialog,
// the program's own dialogs; documents through the desktop's viewers.

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
    int runDialog(QDialog& dialog) override;
    bool openDocument(const QString& path) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace ohmora
