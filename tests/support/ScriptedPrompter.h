#pragma once
// Answers the prompts from queues filled in advance and records every
// request, in order. An empty queue gives the cancelling answer, so a test
// that forgot to script an answer cannot hang.

#include "dialogs/Prompter.h"

#include <QPoint>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace ohmora {

class ScriptedPrompter : public Prompter {
public:
    MessageAnswer message(const Message& message) override;
    std::optional<QColor> chooseColour(const QColor& initial) override;
    // Runs the next queued script on the window, which plays the user's
    // part through the window's own handlers; a window the script leaves
    // open counts as cancelled.
    int runModal(QDialog& dialog) override;
    bool openDocument(const QString& path) override;
    std::optional<QString> chooseOpenFile(const FileChoice& choice) override;
    std::optional<QString> chooseSaveFile(const FileChoice& choice) override;
    QAction* popUpMenu(QMenu& menu, const QPoint& globalPosition) override;
    std::optional<PrinterChoice> choosePrinter(const PrinterChoice& current) override;
    std::optional<QString> choosePdfFile(const QString& title,
                                         const QString& suggestedPath) override;

    // A pop-up menu as it was shown: its name, its entries' names in order
    // ("-" for a separator) and where it appeared.
    struct MenuRequest {
        QString menu;
        QStringList entries;
        QPoint position;
    };
    struct PdfFileRequest {
        QString title;
        QString suggestedPath;
    };
    using ModalScript = std::function<void(QDialog&)>;

    void queueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
    void queueColour(std::optional<QColor> colour) { colours_.push_back(colour); }
    void queueModal(ModalScript script) { modalScripts_.push_back(std::move(script)); }
    void queueFile(const std::optional<QString>& path) { files_.push_back(path); }
    // The entry chosen by its object name; nothing closes the menu.
    void queueMenuEntry(const std::optional<QString>& entry) { menuEntries_.push_back(entry); }
    void queuePrinter(const std::optional<PrinterChoice>& choice) { printers_.push_back(choice); }
    void queuePdfFile(const std::optional<QString>& path) { pdfFiles_.push_back(path); }
    void setDocumentsOpen(bool open) { documentsOpen_ = open; }

    const std::vector<Message>& messages() const { return messages_; }
    const std::vector<QColor>& colourRequests() const { return colourRequests_; }
    const std::vector<QString>& modalRequests() const { return modalRequests_; }
    const QStringList& documentsOpened() const { return documentsOpened_; }
    const std::vector<FileChoice>& fileRequests() const { return fileRequests_; }
    const std::vector<MenuRequest>& menuRequests() const { return menuRequests_; }
    const std::vector<PrinterChoice>& printerRequests() const { return printerRequests_; }
    const std::vector<PdfFileRequest>& pdfFileRequests() const { return pdfFileRequests_; }
    void clear();

private:
    std::optional<QString> chooseFile(const FileChoice& choice);

    std::deque<MessageAnswer> answers_;
    std::deque<std::optional<QColor>> colours_;
    std::deque<ModalScript> modalScripts_;
    std::deque<std::optional<QString>> files_;
    std::deque<std::optional<QString>> menuEntries_;
    std::deque<std::optional<PrinterChoice>> printers_;
    std::deque<std::optional<QString>> pdfFiles_;
    bool documentsOpen_ = true;

    std::vector<Message> messages_;
    std::vector<QColor> colourRequests_;
    std::vector<QString> modalRequests_;
    QStringList documentsOpened_;
    std::vector<FileChoice> fileRequests_;
    std::vector<MenuRequest> menuRequests_;
    std::vector<PrinterChoice> printerRequests_;
    std::vector<PdfFileRequest> pdfFileRequests_;
};

} // namespace ohmora
