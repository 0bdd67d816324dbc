#include "ScriptedPrompter.h"

#include <QAction>
#include <QDialog>
#include <QMenu>

namespace ohmora {

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

MessageAnswer ScriptedPrompter::message(const Message& message) {
    messages_.push_back(message);
    return takeFront(answers_, cancellingAnswer(message.buttons));
}

std::optional<QColor> ScriptedPrompter::chooseColour(const QColor& initial) {
    colourRequests_.push_back(initial);
    return takeFront(colours_, std::optional<QColor>());
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

bool ScriptedPrompter::openDocument(const QString& path) {
    documentsOpened_ << path;
    return documentsOpen_;
}

std::optional<QString> ScriptedPrompter::chooseFile(const FileChoice& choice) {
    fileRequests_.push_back(choice);
    return takeFront(files_, std::optional<QString>());
}

std::optional<QString> ScriptedPrompter::chooseOpenFile(const FileChoice& choice) {
    return chooseFile(choice);
}

std::optional<QString> ScriptedPrompter::chooseSaveFile(const FileChoice& choice) {
    return chooseFile(choice);
}

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

std::optional<PrinterChoice> ScriptedPrompter::choosePrinter(const PrinterChoice& current) {
    printerRequests_.push_back(current);
    return takeFront(printers_, std::optional<PrinterChoice>());
}

std::optional<QString> ScriptedPrompter::choosePdfFile(const QString& title,
                                                       const QString& suggestedPath) {
    pdfFileRequests_.push_back({title, suggestedPath});
    return takeFront(pdfFiles_, std::optional<QString>());
}

void ScriptedPrompter::clear() {
    *this = ScriptedPrompter();
}

} // namespace ohmora
