#pragma once
// Answers what the application layer asks (messages, colour, file and
// printer choices, the document viewer) from queues filled in advance, and
// records every request, in order. An empty queue gives the cancelling
// answer, so a test that forgot to script an answer cannot hang. No widget:
// the layer's tests run on a GUI application.

#include "dialogs/Prompter.h"

#include <QStringList>

#include <deque>
#include <vector>

namespace ohmora {

class ScriptedPrompts : public virtual Prompter {
public:
    MessageAnswer message(const Message& message) override;
    std::optional<QColor> chooseColour(const QColor& initial) override;
    bool openDocument(const QString& path) override;
    std::optional<QString> chooseOpenFile(const FileChoice& choice) override;
    std::optional<QString> chooseSaveFile(const FileChoice& choice) override;
    // The next file queued, of the next kind queued (else the first one).
    std::optional<KindOfFile> chooseSaveFileOfKind(const FileChoice& choice,
                                                   const std::vector<FileKind>& kinds) override;
    std::optional<PrinterChoice> choosePrinter(const PrinterChoice& current) override;

    void queueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
    void queueColour(std::optional<QColor> colour) { colours_.push_back(colour); }
    // The answer of the next file dialog, open or save.
    void queueFile(const std::optional<QString>& path) { files_.push_back(path); }
    void queueKind(int kind) { kinds_.push_back(kind); }
    void queuePrinter(const std::optional<PrinterChoice>& choice) { printers_.push_back(choice); }
    void setDocumentsOpen(bool open) { documentsOpen_ = open; }

    const std::vector<Message>& messages() const { return messages_; }
    const std::vector<QColor>& colourRequests() const { return colourRequests_; }
    const QStringList& documentsOpened() const { return documentsOpened_; }
    const std::vector<FileChoice>& fileRequests() const { return fileRequests_; }
    // The kinds each save dialog of several kinds offered.
    const std::vector<std::vector<FileKind>>& kindRequests() const { return kindRequests_; }
    const std::vector<PrinterChoice>& printerRequests() const { return printerRequests_; }
    // Forgets what was asked and what was queued.
    void clear();

private:
    std::optional<QString> chooseFile(const FileChoice& choice);

    std::deque<MessageAnswer> answers_;
    std::deque<std::optional<QColor>> colours_;
    std::deque<std::optional<QString>> files_;
    std::deque<int> kinds_;
    std::deque<std::optional<PrinterChoice>> printers_;
    bool documentsOpen_ = true;

    std::vector<Message> messages_;
    std::vector<QColor> colourRequests_;
    QStringList documentsOpened_;
    std::vector<FileChoice> fileRequests_;
    std::vector<std::vector<FileKind>> kindRequests_;
    std::vector<PrinterChoice> printerRequests_;
};

} // namespace ohmora
