#include "dialogs/Prompter.h"

namespace ohmora {

Prompter::~Prompter() = default;

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
