#pragma once
// Answers the prompts from queues filled in advance and records every
// message and colour request, in order (and, below, every menu, modal
// window, printer and PDF file request). An empty queue gives the cancelling
// answer, so a test that forgot to script an answer cannot hang.

#include "Prompter.h"

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

    void queueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
    void queueColour(std::optional<QColor> colour) { colours_.push_back(colour); }

    const std::vector<Message>& messages() const { return messages_; }
    const std::vector<QColor>& colourRequests() const { return colourRequests_; }
    void clear();

    // --- copies and printing ---------------------------------------------
    // A pop-up menu as it was shown: its name, its entries' names in order
    // ("-" for a separator) and where it appeared.
    struct MenuRequest {
        QString menu;
        QStringList entries;
        QPoint position;
    };
    // What a modal window does while it runs: a test's handler clicks its
    // buttons; a window left open counts as cancelled.
    using ModalScript = std::function<void(QDialog&)>;
    struct PdfFileRequest {
        QString title;
        QString suggestedPath;
    };

    QAction* popUpMenu(QMenu& menu, const QPoint& globalPosition) override;
    int runModal(QDialog& dialog) override;
    std::optional<PrinterChoice> choosePrinter(const PrinterChoice& current) override;
    std::optional<QString> choosePdfFile(const QString& title,
                                         const QString& suggestedPath) override;

    // The entry chosen by its object name; nothing closes the menu.
    void queueMenuEntry(std::optional<QString> entry) { menuEntries_.push_back(entry); }
    void queueModal(ModalScript script) { modalScripts_.push_back(std::move(script)); }
    void queuePrinter(std::optional<PrinterChoice> choice) { printers_.push_back(choice); }
    void queuePdfFile(std::optional<QString> path) { pdfFiles_.push_back(path); }

    const std::vector<MenuRequest>& menuRequests() const { return menuRequests_; }
    const std::vector<QString>& modalRequests() const { return modalRequests_; }
    const std::vector<PrinterChoice>& printerRequests() const { return printerRequests_; }
    const std::vector<PdfFileRequest>& pdfFileRequests() const { return pdfFileRequests_; }

private:
    std::deque<MessageAnswer> answers_;
    std::deque<std::optional<QColor>> colours_;
    std::vector<Message> messages_;
    std::vector<QColor> colourRequests_;

    std::deque<std::optional<QString>> menuEntries_;
    std::deque<ModalScript> modalScripts_;
    std::deque<std::optional<PrinterChoice>> printers_;
    std::deque<std::optional<QString>> pdfFiles_;
    std::vector<MenuRequest> menuRequests_;
    std::vector<QString> modalRequests_;
    std::vector<PrinterChoice> printerRequests_;
    std::vector<PdfFileRequest> pdfFileRequests_;
};

} // namespace ohmora
