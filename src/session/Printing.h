#pragma once
// Printing, one path for the printed page and the exercise text: pages go
// to a printer by its name through the host's Printers (a printer needs Qt
// PrintSupport, which brings widgets: the window's host provides them), or
// into a PDF file written here, completely or not at all. With no printer
// installed, the user names the PDF file. A printer chosen with the
// system's printer choice stays chosen for the rest of the run.

#include "dialogs/Prompter.h"
#include "output/PdfDocument.h"

#include <QString>

#include <optional>

namespace ohmora::session {

// The system's printers, as the host reaches them.
class Printers {
public:
    virtual ~Printers();
    // The system's default printer, else the first one installed; an empty
    // choice when none is installed.
    virtual PrinterChoice defaultPrinter() = 0;
    // Runs `paint` as one job named `title` on the printer `printer` names,
    // with its page set-up; false, with a French explanation in `failure`,
    // when the printer is missing or the job fails.
    virtual bool print(const PrinterChoice& printer, const QString& title, const PaintJob& paint,
                       QString* failure) = 0;
};

// What the user reads about a destination: the printer's name, the PDF
// file's name, or that no printer is installed.
QString destinationText(const PrinterChoice& destination);

// The folder a PDF file is proposed in: the documents folder when it
// exists, else the home folder.
QString pdfFolder(const QString& documents, const QString& home);
// The file a title suggests, in that folder: characters that file systems
// refuse become hyphens; "Ohmora.pdf" for an empty title.
QString suggestedPdfPath(const QString& folder, const QString& title);

class Printing {
public:
    Printing(Prompter& prompter, Printers* printers);

    // Where printing starts: the printer chosen earlier in this run, else
    // the system's default printer (an empty choice without printers).
    PrinterChoice startingDestination();
    // The system's printer choice opened on `current`; nothing when
    // cancelled. A printer chosen there is kept for the rest of the run (a
    // PDF file chosen there holds for the print at hand only).
    std::optional<PrinterChoice> choosePrinter(const PrinterChoice& current);
    // Where the pages of `title` go: `destination`, or when it names
    // neither printer nor file, a PDF file the user names (proposed in the
    // documents folder, else home; the system's dialog asks before
    // replacing a file); nothing when the user cancels.
    std::optional<PrinterChoice> target(const PrinterChoice& destination, const QString& title);
    // The one printer path: `paint` on the printer, or into the PDF file,
    // of `target`. False after telling the user why.
    bool print(const PrinterChoice& target, const QString& title, const PaintJob& paint);

private:
    Prompter& prompter_;
    Printers* printers_;
    std::optional<PrinterChoice> chosenPrinter_;
};

} // namespace ohmora::session
