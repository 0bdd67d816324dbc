#include "session/Printing.h"

#include "files/AtomicFile.h"
#include "output/PrintedPage.h"
#include "qtbridge/QtStrings.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <string>

namespace ohmora::session {

namespace {

QString quoted(const QString& name) {
    return QStringLiteral("«\u00A0%1\u00A0»").arg(name);
}

} // namespace

Printers::~Printers() = default;

QString destinationText(const PrinterChoice& destination) {
    if (!destination.printerName.isEmpty()) {
        return destination.printerName;
    }
    if (!destination.pdfFile.isEmpty()) {
        return QStringLiteral("Fichier PDF : %1").arg(QFileInfo(destination.pdfFile).fileName());
    }
    return QStringLiteral("Aucune imprimante (fichier PDF)");
}

QString pdfFolder(const QString& documents, const QString& home) {
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : home;
}

QString suggestedPdfPath(const QString& folder, const QString& title) {
    QString name = title.trimmed();
    for (QChar& c : name) {
        if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.category() == QChar::Other_Control) {
            c = QLatin1Char('-');
        }
    }
    return QDir(folder).filePath((name.isEmpty() ? QStringLiteral("Ohmora") : name) +
                                 QStringLiteral(".pdf"));
}

Printing::Printing(Prompter& prompter, Printers* printers)
    : prompter_(prompter), printers_(printers) {}

PrinterChoice Printing::startingDestination() {
    if (chosenPrinter_) {
        return *chosenPrinter_;
    }
    return printers_ ? printers_->defaultPrinter() : PrinterChoice{};
}

std::optional<PrinterChoice> Printing::choosePrinter(const PrinterChoice& current) {
    std::optional<PrinterChoice> chosen = prompter_.choosePrinter(current);
    if (chosen && !chosen->printerName.isEmpty()) {
        chosenPrinter_ = chosen;
    }
    return chosen;
}

std::optional<PrinterChoice> Printing::target(const PrinterChoice& destination,
                                              const QString& title) {
    if (!destination.printerName.isEmpty() || !destination.pdfFile.isEmpty()) {
        return destination;
    }
    const QString folder = pdfFolder(
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), QDir::homePath());
    FileChoice choice;
    choice.title = QStringLiteral("Aucune imprimante : enregistrer au format PDF");
    choice.filter = QStringLiteral("Documents PDF (*.pdf)");
    choice.defaultSuffix = QStringLiteral("pdf");
    choice.directory = folder;
    choice.proposedName = QFileInfo(suggestedPdfPath(folder, title)).fileName();
    const std::optional<QString> file = prompter_.chooseSaveFile(choice);
    if (!file || file->isEmpty()) {
        return std::nullopt;
    }
    PrinterChoice target = destination;
    target.pdfFile = *file;
    return target;
}

bool Printing::print(const PrinterChoice& target, const QString& title, const PaintJob& paint) {
    QString failure;
    if (!target.printerName.isEmpty()) {
        if (!printers_) {
            failure = QStringLiteral("L'imprimante %1 n'est pas accessible d'ici.")
                          .arg(quoted(target.printerName));
        } else if (printers_->print(target, title, paint, &failure)) {
            return true;
        }
    } else if (!target.pdfFile.isEmpty()) {
        const QByteArray pdf = pdfBytes(paint, title, target.pageLayout.value_or(pdfPageLayout()));
        std::string reason;
        if (pdf.isEmpty()) {
            failure = QStringLiteral("Le document PDF n'a pas pu être préparé.");
        } else if (files::writeFileAtomically(target.pdfFile.toStdString(),
                                              std::string_view(pdf.constData(), size_t(pdf.size())),
                                              &reason)) {
            return true;
        } else {
            failure = QStringLiteral("Le fichier %1 n'a pas pu être enregistré.\n(%2)")
                          .arg(quoted(target.pdfFile), qs(reason));
        }
    } else {
        failure = QStringLiteral("Aucune imprimante n'est installée.");
    }
    prompter_.message(
        Message{failure, QStringLiteral("Imprimer"), MessageIcon::Exclamation, MessageButtons::Ok});
    return false;
}

} // namespace ohmora::session
