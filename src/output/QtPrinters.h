#pragma once
// The system's printers through Qt PrintSupport: what the window gives its
// session so that printed pages can go to a printer (ohmora-cli has none and
// prints into PDF files).

#include "session/Printing.h"

namespace ohmora {

class QtPrinters : public session::Printers {
public:
    PrinterChoice defaultPrinter() override;
    // The printer is asked for a single copy of the job, before the job
    // and again after its last page: the document already holds one page
    // per copy.
    bool print(const PrinterChoice& printer, const QString& title, const PaintJob& paint,
               QString* failure) override;
};

} // namespace ohmora
