#include "ScriptedPrompter.h"

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
}

} // namespace ohmora
