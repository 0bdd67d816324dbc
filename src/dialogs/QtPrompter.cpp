#include "dialogs/QtPrompter.h"

#include "dialogs/DesktopApplications.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QMenu>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

namespace ohmora {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

QMessageBox::StandardButtons boxButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

std::optional<QString> chooseFile(QWidget* parent, const FileChoice& choice, bool save) {
    const std::unique_ptr<QFileDialog> dialog = fileDialog(parent, choice, save);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog->selectedFiles().constFirst();
}

} // namespace

std::unique_ptr<QFileDialog> fileDialog(QWidget* parent, const FileChoice& choice, bool save) {
    auto dialog =
        std::make_unique<QFileDialog>(parent, choice.title, choice.directory, choice.filter);
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, !save || !choice.asksBeforeOverwriting);
    if (!choice.defaultSuffix.isEmpty()) {
        dialog->setDefaultSuffix(choice.defaultSuffix);
    }
    if (!choice.proposedName.isEmpty()) {
        dialog->selectFile(choice.proposedName);
    }
    return dialog;
}

int titleBarWidth(const QString& title) {
    // Title bars set their text larger and bold, between the window's icon
    // and its buttons.
    constexpr double kTitleScale = 1.15;
    constexpr int kIconAndButtons = 140;
    QFont font = QApplication::font();
    font.setBold(true);
    return int(QFontMetrics(font).horizontalAdvance(title) * kTitleScale) + kIconAndButtons;
}

std::unique_ptr<QMessageBox> messageBox(const Message& message, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(boxIcon(message.icon), message.title, message.text,
                                             boxButtons(message.buttons), parent);
    // The box sizes itself from its layout when shown: a spacer across its
    // grid makes room for the title.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        grid->addItem(new QSpacerItem(titleBarWidth(message.title), 0, QSizePolicy::Minimum,
                                      QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    return box;
}

MessageAnswer QtPrompter::message(const Message& message) {
    const std::unique_ptr<QMessageBox> box = messageBox(message, parent_);
    switch (box->exec()) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        return cancellingAnswer(message.buttons);
    }
}

std::optional<QColor> QtPrompter::chooseColour(const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, parent_);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return chosen;
}

QAction* QtPrompter::popUpMenu(QMenu& menu, const QPoint& globalPosition) {
    return menu.exec(globalPosition);
}

int QtPrompter::runModal(QDialog& dialog) {
    return dialog.exec();
}

// Qt's print dialog used to choose the printer only: its copies and page
// ranges are left to the program, which prints nothing from here, so its
// accepting button says OK rather than "Imprimer".
std::optional<PrinterChoice> QtPrompter::choosePrinter(const PrinterChoice& current) {
    QPrinter printer;
    if (!current.printerName.isEmpty()) {
        printer.setPrinterName(current.printerName);
    } else if (!current.pdfFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(current.pdfFile);
    }
    if (current.pageLayout) {
        printer.setPageLayout(*current.pageLayout);
    }
    QPrintDialog dialog(&printer, parent_);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        for (QAbstractButton* button : buttons->buttons()) {
            if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole) {
                button->setText(QStringLiteral("OK"));
            }
        }
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    PrinterChoice chosen;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        chosen.pdfFile = printer.outputFileName();
    } else {
        chosen.printerName = printer.printerName();
    }
    chosen.pageLayout = printer.pageLayout();
    return chosen;
}

// The desktop's opener (xdg-open) says it succeeded as soon as it starts,
// even when it then finds nothing to open the document with: whether the
// desktop has an application for the document's kind is asked first.
bool QtPrompter::openDocument(const QString& path) {
    const QString type = QMimeDatabase().mimeTypeForFile(path).name();
    const desktop::XdgEnvironment xdg = desktop::xdgEnvironment();
    if (!desktop::applicationFor(type.toStdString(), xdg) &&
        !(type == QStringLiteral("text/html") && desktop::fallbackBrowser(xdg))) {
        return false;
    }
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty()) {
        return QProcess::startDetached(opener, {path});
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

std::optional<QString> QtPrompter::chooseOpenFile(const FileChoice& choice) {
    return chooseFile(parent_, choice, false);
}

std::optional<QString> QtPrompter::chooseSaveFile(const FileChoice& choice) {
    return chooseFile(parent_, choice, true);
}

std::unique_ptr<QFileDialog> fileDialog(QWidget* parent, const FileChoice& choice,
                                        const std::vector<FileKind>& kinds) {
    FileChoice all = choice;
    QStringList filters;
    for (const FileKind& kind : kinds) {
        filters << kind.filter;
    }
    all.filter = filters.join(QStringLiteral(";;"));
    all.defaultSuffix = kinds.empty() ? QString() : kinds.front().suffix;
    std::unique_ptr<QFileDialog> dialog = fileDialog(parent, all, true);
    QFileDialog* shown = dialog.get();
    QObject::connect(shown, &QFileDialog::filterSelected, shown, [shown, kinds](const QString& f) {
        for (const FileKind& kind : kinds) {
            if (kind.filter == f) {
                shown->setDefaultSuffix(kind.suffix);
            }
        }
    });
    return dialog;
}

std::optional<KindOfFile> QtPrompter::chooseSaveFileOfKind(const FileChoice& choice,
                                                           const std::vector<FileKind>& kinds) {
    const std::unique_ptr<QFileDialog> dialog = fileDialog(parent_, choice, kinds);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    int kind = 0;
    for (size_t i = 0; i < kinds.size(); ++i) {
        if (kinds[i].filter == dialog->selectedNameFilter()) {
            kind = int(i);
        }
    }
    return KindOfFile{dialog->selectedFiles().constFirst(), kind};
}

} // namespace ohmora
