#include "ScriptedPrompter.h"

#include <QDialog>

namespace ohmora {

MessageAnswer ScriptedPrompter::message(const Message& message) {
    messages_.push_back(message);
    if (answers_.empty()) {
        return cancellingAnswer(message.buttons);
    }
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<QColor> ScriptedPrompter::chooseColour(const QColor& initial) {
    colourRequests_.push_back(initial);
    if (colours_.empty()) {
        return std::nullopt;
    }
    const std::optional<QColor> colour = colours_.front();
    colours_.pop_front();
    return colour;
}

int ScriptedPrompter::runDialog(QDialog& dialog) {
    dialogsShown_ << dialog.objectName();
    if (dialogs_.empty()) {
        return QDialog::Rejected;
    }
    const DialogScript script = std::move(dialogs_.front());
    dialogs_.pop_front();
    return script(dialog);
}

bool ScriptedPrompter::openDocument(const QString& path) {
    documentsOpened_ << path;
    return documentsOpen_;
}

void ScriptedPrompter::clear() {
    dialogs_.clear();
    dialogsShown_.clear();
    documentsOpened_.clear();
    answers_.clear();
    colours_.clear();
    messages_.clear();
    colourRequests_.clear();
}

} // namespace ohmora
