#pragma once
// Printers for tests: the printers "installed" are a list the test sets;
// a job on one of them is painted into a PDF the test can read back, or
// fails with the reason the test gives.

#include "output/PrintedPage.h"
#include "session/Printing.h"

#include <QByteArray>
#include <QStringList>

#include <functional>

namespace ohmora::test {

class FakePrinters : public session::Printers {
public:
    PrinterChoice defaultPrinter() override {
        PrinterChoice choice;
        choice.printerName = installed.value(0);
        return choice;
    }
    bool print(const PrinterChoice& printer, const QString& title, const PaintJob& paint,
               QString* failure) override {
        if (whilePrinting) {
            whilePrinting();
        }
        if (!installed.contains(printer.printerName)) {
            *failure =
                QStringLiteral("L'imprimante %1 n'est pas disponible.").arg(printer.printerName);
            return false;
        }
        jobs << title;
        lastJob = pdfBytes(paint, title, printer.pageLayout.value_or(pdfPageLayout()));
        return !lastJob.isEmpty();
    }

    QStringList installed;               // the first is the default printer
    std::function<void()> whilePrinting; // runs as a job starts
    QStringList jobs;                    // the titles of the jobs printed
    QByteArray lastJob;                  // as a PDF document
};

} // namespace ohmora::test
