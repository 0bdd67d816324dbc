#include "ScriptedPrompts.h"
#include "TakeFront.h"

namespace ohmora {

using test::takeFront;

MessageAnswer ScriptedPrompts::message(const Message& message) {
    messages_.push_back(message);
    return takeFront(answers_, cancellingAnswer(message.buttons));
}

std::optional<QColor> ScriptedPrompts::chooseColour(const QColor& initial) {
    colourRequests_.push_back(initial);
    return takeFront(colours_, std::optional<QColor>());
}

bool ScriptedPrompts::openDocument(const QString& path) {
    documentsOpened_ << path;
    return documentsOpen_;
}

std::optional<QString> ScriptedPrompts::chooseFile(const FileChoice& choice) {
    fileRequests_.push_back(choice);
    return takeFront(files_, std::optional<QString>());
}

std::optional<QString> ScriptedPrompts::chooseOpenFile(const FileChoice& choice) {
    return chooseFile(choice);
}

std::optional<QString> ScriptedPrompts::chooseSaveFile(const FileChoice& choice) {
    return chooseFile(choice);
}

std::optional<KindOfFile>
ScriptedPrompts::chooseSaveFileOfKind(const FileChoice& choice,
                                      const std::vector<FileKind>& kinds) {
    kindRequests_.push_back(kinds);
    const std::optional<QString> path = chooseFile(choice);
    const int kind = takeFront(kinds_, 0);
    if (!path) {
        return std::nullopt;
    }
    return KindOfFile{*path, kind};
}

std::optional<PrinterChoice> ScriptedPrompts::choosePrinter(const PrinterChoice& current) {
    printerRequests_.push_back(current);
    return takeFront(printers_, std::optional<PrinterChoice>());
}

void ScriptedPrompts::clear() {
    answers_.clear();
    colours_.clear();
    files_.clear();
    kinds_.clear();
    printers_.clear();
    documentsOpen_ = true;
    messages_.clear();
    colourRequests_.clear();
    documentsOpened_.clear();
    fileRequests_.clear();
    kindRequests_.clear();
    printerRequests_.clear();
}

} // namespace ohmora
