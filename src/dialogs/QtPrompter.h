#pragma once
// Real dialogs: QMessageBox and QColorDialog, modal over the parent window.

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

private:
    QPointer<QWidget> parent_;
};

} // namespace ohmora
