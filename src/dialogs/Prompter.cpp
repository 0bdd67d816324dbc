#include "dialogs/Prompter.h"

namespace ohmora {

Prompter::~Prompter() = default;

std::optional<KindOfFile> Prompter::chooseSaveFileOfKind(const FileChoice& choice,
                                                         const std::vector<FileKind>& kinds) {
    FileChoice first = choice;
    if (!kinds.empty()) {
        first.filter = kinds.front().filter;
        first.defaultSuffix = kinds.front().suffix;
    }
    const std::optional<QString> path = chooseSaveFile(first);
    if (!path) {
        return std::nullopt;
    }
    return KindOfFile{*path, 0};
}

MessageAnswer cancellingAnswer(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::OkCancel:
        return MessageAnswer::Cancel;
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    case MessageButtons::Ok:
        break;
    }
    return MessageAnswer::Ok;
}

} // namespace ohmora
