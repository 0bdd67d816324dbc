#include "output/QtPrinters.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace ohmora {

namespace {

QString quoted(const QString& name) {
    return QStringLiteral("«\u00A0%1\u00A0»").arg(name);
}

} // namespace

PrinterChoice QtPrinters::defaultPrinter() {
    PrinterChoice choice;
    choice.printerName = QPrinterInfo::defaultPrinterName();
    if (choice.printerName.isEmpty()) {
        const QStringList names = QPrinterInfo::availablePrinterNames();
        if (!names.isEmpty()) {
            choice.printerName = names.constFirst();
        }
    }
    return choice;
}

bool QtPrinters::print(const PrinterChoice& destination, const QString& title,
                       const PaintJob& paint, QString* failure) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(destination.printerName);
    if (info.isNull()) {
        *failure = QStringLiteral("L'imprimante %1 n'est pas disponible.")
                       .arg(quoted(destination.printerName));
        return false;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    if (destination.pageLayout) {
        printer.setPageLayout(*destination.pageLayout);
    }
    printer.setDocName(title);
    printer.setCopyCount(1);
    const bool printed = paint(printer);
    printer.setCopyCount(1);
    if (!printed || printer.printerState() == QPrinter::Error) {
        *failure = QStringLiteral("L'impression sur l'imprimante %1 a échoué.")
                       .arg(quoted(destination.printerName));
        return false;
    }
    return true;
}

} // namespace ohmora
