#include "ScriptedPrompter.h"

#include <QAction>
#include <QDialog>
#include <QMenu>

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

void ScriptedPrompter::clear() {
    answers_.clear();
    colours_.clear();
    messages_.clear();
    colourRequests_.clear();
    menuEntries_.clear();
    modalScripts_.clear();
    printers_.clear();
    pdfFiles_.clear();
    menuRequests_.clear();
    modalRequests_.clear();
    printerRequests_.clear();
    pdfFileRequests_.clear();
}

namespace {

// The next scripted answer, or `none` once the script has run out.
template <class T> T takeFront(std::deque<T>& queue, const T& none) {
    if (queue.empty()) {
        return none;
    }
    const T front = queue.front();
    queue.pop_front();
    return front;
}

} // namespace

QAction* ScriptedPrompter::popUpMenu(QMenu& menu, const QPoint& globalPosition) {
    MenuRequest request{menu.objectName(), {}, globalPosition};
    for (const QAction* action : menu.actions()) {
        request.entries << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
    }
    menuRequests_.push_back(request);
    const std::optional<QString> entry = takeFront(menuEntries_, std::optional<QString>());
    if (!entry) {
        return nullptr;
    }
    for (QAction* action : menu.actions()) {
        if (action->objectName() == *entry) {
            return action;
        }
    }
    return nullptr;
}

int ScriptedPrompter::runModal(QDialog& dialog) {
    modalRequests_.push_back(dialog.objectName());
    dialog.setResult(QDialog::Rejected);
    const ModalScript script = takeFront(modalScripts_, ModalScript());
    if (script) {
        script(dialog);
    }
    return dialog.result();
}

std::optional<PrinterChoice> ScriptedPrompter::choosePrinter(const PrinterChoice& current) {
    printerRequests_.push_back(current);
    return takeFront(printers_, std::optional<PrinterChoice>());
}

std::optional<QString> ScriptedPrompter::choosePdfFile(const QString& title,
                                                       const QString& suggestedPath) {
    pdfFileRequests_.push_back({title, suggestedPath});
    return takeFront(pdfFiles_, std::optional<QString>());
}

} // namespace ohmora
