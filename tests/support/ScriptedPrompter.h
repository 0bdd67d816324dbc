#pragma once
// Answers the prompts from queues filled in advance and records every
// message and colour request, in order. An empty queue gives the cancelling
// answer, so a test that forgot to script an answer cannot hang.

#include "Prompter.h"

#include <deque>
#include <vector>

namespace ohmora {

class ScriptedPrompter : public Prompter {
public:
    MessageAnswer message(const Message& message) override;
    std::optional<QColor> chooseColour(const QColor& initial) override;

    void queueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
    void queueColour(std::optional<QColor> colour) { colours_.push_back(colour); }

    const std::vector<Message>& messages() const { return messages_; }
    const std::vector<QColor>& colourRequests() const { return colourRequests_; }
    void clear();

private:
    std::deque<MessageAnswer> answers_;
    std::deque<std::optional<QColor>> colours_;
    std::vector<Message> messages_;
    std::vector<QColor> colourRequests_;
};

} // namespace ohmora
