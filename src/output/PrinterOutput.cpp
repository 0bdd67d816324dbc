#include "output/PrinterOutput.h"

#include "files/AtomicFile.h"

#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

#include <string>

namespace ohmora {

namespace {

QString quoted(const QString& name) {
    return QStringLiteral("«\u00A0%1\u00A0»").arg(name);
}

bool printOnPrinter(const PrinterChoice& destination, const PagePictures& pictures,
                    const PageOptions& options, QString* failure) {
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
    printer.setDocName(options.title.isEmpty() ? QStringLiteral("Ohmora") : options.title);
    printer.setCopyCount(1);
    const bool printed = printPages(printer, pictures, options);
    printer.setCopyCount(1);
    if (!printed || printer.printerState() == QPrinter::Error) {
        *failure = QStringLiteral("L'impression sur l'imprimante %1 a échoué.")
                       .arg(quoted(destination.printerName));
        return false;
    }
    return true;
}

bool writePdf(const PrinterChoice& destination, const PagePictures& pictures,
              const PageOptions& options, QString* failure) {
    const QByteArray pdf = destination.pageLayout
                               ? pdfDocument(pictures, options, *destination.pageLayout)
                               : pdfDocument(pictures, options);
    if (pdf.isEmpty()) {
        *failure = QStringLiteral("Le document PDF n'a pas pu être préparé.");
        return false;
    }
    std::string reason;
    if (!files::writeFileAtomically(destination.pdfFile.toStdString(),
                                    std::string_view(pdf.constData(), size_t(pdf.size())),
                                    &reason)) {
        *failure = QStringLiteral("Le fichier %1 n'a pas pu être enregistré.\n(%2)")
                       .arg(quoted(destination.pdfFile), QString::fromStdString(reason));
        return false;
    }
    return true;
}

} // namespace

PrinterChoice defaultPrinterChoice() {
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

QString destinationText(const PrinterChoice& destination) {
    if (!destination.printerName.isEmpty()) {
        return destination.printerName;
    }
    if (!destination.pdfFile.isEmpty()) {
        return QStringLiteral("Fichier PDF : %1").arg(QFileInfo(destination.pdfFile).fileName());
    }
    return QStringLiteral("Aucune imprimante (fichier PDF)");
}

bool printDocument(const PrinterChoice& destination, const PagePictures& pictures,
                   const PageOptions& options, QString* failure) {
    if (!destination.printerName.isEmpty()) {
        return printOnPrinter(destination, pictures, options, failure);
    }
    if (!destination.pdfFile.isEmpty()) {
        return writePdf(destination, pictures, options, failure);
    }
    *failure = QStringLiteral("Aucune imprimante n'est installée.");
    return false;
}

} // namespace ohmora
