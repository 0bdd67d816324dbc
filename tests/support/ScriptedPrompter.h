#pragma once
// Answers the prompts from queues filled in advance and records every
// message and colour request, in order. An empty queue gives the cancelling
// answer, so a test that forgot to script an answer cannot hang.

#include "Prompter.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace ohmora {

class ScriptedPrompter : public Prompter {
public:
    MessageAnswer message(const Message& message) override;
    std::optional<QColor> chooseColour(const QColor& initial) override;
    // Runs the next queued script on the dialog, which plays the user's
    // part through the dialog's own handlers; Rejected without one.
    int runDialog(QDialog& dialog) override;
    bool openDocument(const QString& path) override;

    using DialogScript = std::function<int(QDialog&)>;
    void queueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
    void queueColour(std::optional<QColor> colour) { colours_.push_back(colour); }
    void queueDialog(DialogScript script) { dialogs_.push_back(std::move(script)); }
    void setDocumentsOpen(bool open) { documentsOpen_ = open; }

    const std::vector<Message>& messages() const { return messages_; }
    const std::vector<QColor>& colourRequests() const { return colourRequests_; }
    const QStringList& dialogsShown() const { return dialogsShown_; } // their object names
    const QStringList& documentsOpened() const { return documentsOpened_; }
    void clear();

private:
    std::deque<DialogScript> dialogs_;
    QStringList dialogsShown_;
    QStringList documentsOpened_;
    bool documentsOpen_ = true;
    std::deque<MessageAnswer> answers_;
    std::deque<std::optional<QColor>> colours_;
    std::vector<Message> messages_;
    std::vector<QColor> colourRequests_;
};

} // namespace ohmora
