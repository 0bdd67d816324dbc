#pragma once
// The system's printers, and the printed document handed to one of them or
// written as a PDF file.

#include "dialogs/Prompter.h"
#include "output/PrintedPage.h"

#include <QString>

namespace ohmora {

// The printer a print starts from: the system's default printer, else the
// first one installed; an empty choice when none is installed.
PrinterChoice defaultPrinterChoice();

// What the user reads about a destination: the printer's name, the PDF
// file's name, or that no printer is installed.
QString destinationText(const PrinterChoice& destination);

// Prints the document on the printer `destination` names, or writes it to
// its PDF file (completely or not at all). The printer is asked for a
// single copy of the job, before the job and again after its last page:
// the document already holds one page per copy. On failure returns false
// and puts a French explanation into `failure`.
bool printDocument(const PrinterChoice& destination, const PagePictures& pictures,
                   const PageOptions& options, QString* failure);

} // namespace ohmora
