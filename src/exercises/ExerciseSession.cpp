#include "exercises/ExerciseSession.h"

#include "core/ProgramState.h"
#include "dialogs/Prompter.h"
#include "exercises/ExerciseBrowser.h"
#include "exercises/ExerciseFile.h"
#include "exercises/WelcomeText.h"
#include "files/AtomicFile.h"
#include "files/ConfigurationFile.h"
#include "files/MarkerFile.h"
#include "qtbridge/QtStrings.h"
#include "richtext/RichText.h"

#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <memory>

namespace ohmora::exercises {

namespace {

struct MenuItem {
    const char* name;
    const char* caption; // nullptr: a separator
};

constexpr MenuItem kMenu[] = {
    {"PRISENMAIN", "Prise en main"},
    {"separons1", nullptr},
    {"openexo", "Ouvrir un exercice (énoncé + configuration)"},
    {"opencor", "Voir la correction"},
    {"separons2", nullptr},
    {"savetexte", "Enregistrer le contenu de la fenêtre exercice"},
    {"opentexte", "Retrouver un texte"},
    {"imprimetexte", "Imprimer le contenu de la fenêtre exercice"},
    {"separons3", nullptr},
    {"Closexo", "Fermer l'exercice"},
};

const QString kRtfFilter = QStringLiteral("Texte au format RTF (*.RTF)");

// The wait cursor for as long as it lives.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

void printDocument(const QTextDocument& document, QPagedPaintDevice& device) {
    document.print(&device);
}

ExerciseSession::ExerciseSession(ProgramState& program, Prompter& prompter, QLineEdit& fich,
                                 QTextEdit& supertext, std::function<bool()> openconfig,
                                 QWidget* mainWindow)
    : program_(program), prompter_(prompter), fich_(fich), supertext_(supertext),
      openconfig_(std::move(openconfig)), mainWindow_(mainWindow) {
    // Every change of the text marks it as typed while something is open.
    QObject::connect(supertext_.document(), &QTextDocument::contentsChanged, &supertext_, [this] {
        if (!fich_.text().isEmpty()) {
            program_.textemodifie = true;
        }
    });
}

QString ExerciseSession::fich() const {
    return fich_.text();
}

void ExerciseSession::setFich(const QString& text) {
    fich_.setText(text);
    fich_.setCursorPosition(int(text.size())); // the end of a long path in sight
    fich_.setToolTip(text);
}

void ExerciseSession::showMessage(const ExerciseMessage& m, const QString& text) {
    prompter_.message(Message{text.isEmpty() ? qs(m.text) : text, qs(m.title), MessageIcon::Stop,
                              MessageButtons::Ok});
}

void ExerciseSession::showWelcome() {
    accueil(supertext_);
}

bool ExerciseSession::confirmLoss() {
    if (!program_.textemodifie) {
        return true;
    }
    return prompter_.message(Message{qs(kLossQuestion.text), qs(kLossQuestion.title),
                                     MessageIcon::Question, MessageButtons::OkCancel}) ==
           MessageAnswer::Ok;
}

bool ExerciseSession::loadText(const QString& path) {
    return rtf::readRtfFile(path, *supertext_.document());
}

void ExerciseSession::closeBrowser() {
    if (browser_) {
        browser_->reject();
    }
}

// A configuration named by an exercise file, applied with openconfig; a
// name that would leave the exercise's directory is not followed.
static bool applyConfiguration(ProgramState& program, const std::function<bool()>& openconfig,
                               Prompter& prompter, const std::string& name) {
    const auto file = namedFile(program.dossierexo, name);
    if (!file) {
        prompter.message(Message{qs(files::kConfigurationUnreadable.text),
                                 qs(files::kConfigurationUnreadable.title), MessageIcon::Stop,
                                 MessageButtons::Ok});
        return false;
    }
    program.cheminconfig = file->string();
    return openconfig && openconfig();
}

// --- the menu -------------------------------------------------------------------

QMenu* ExerciseSession::buildMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("optionexo"));
    for (const MenuItem& item : kMenu) {
        QAction* action =
            item.caption ? menu->addAction(QString::fromUtf8(item.caption)) : menu->addSeparator();
        action->setObjectName(QString::fromUtf8(item.name));
    }
    const auto find = [menu](const char* name) {
        return menu->findChild<QAction*>(QString::fromUtf8(name));
    };
    find("opencor")->setEnabled(program_.corrige);
    find("Closexo")->setEnabled(!fich_.text().isEmpty());
    // Opening the menu applies the correction's rule once more.
    QObject::connect(menu, &QMenu::aboutToShow,
                     [this, find] { find("opencor")->setEnabled(program_.corrige); });
    return menu;
}

void ExerciseSession::popUpMenu(const QPushButton& btexo) {
    std::unique_ptr<QMenu> menu(buildMenu(mainWindow_));
    const QAction* chosen =
        prompter_.popUpMenu(*menu, btexo.mapToGlobal(QPoint(0, btexo.height())));
    if (!chosen || !chosen->isEnabled()) {
        return;
    }
    // The item runs once the menu has closed.
    const QString item = chosen->objectName();
    if (item == QLatin1String("PRISENMAIN")) {
        priseEnMain();
    } else if (item == QLatin1String("openexo")) {
        openExerciseBrowser();
    } else if (item == QLatin1String("opencor")) {
        viewCorrection();
    } else if (item == QLatin1String("savetexte")) {
        saveText();
    } else if (item == QLatin1String("opentexte")) {
        openText();
    } else if (item == QLatin1String("imprimetexte")) {
        printText();
    } else if (item == QLatin1String("Closexo")) {
        closeExercise();
    }
}

// --- exercises and the guide ----------------------------------------------------

void ExerciseSession::openExerciseBrowser() {
    if (!confirmLoss()) {
        return;
    }
    program_.textemodifie = false;
    ExerciseBrowser browser(
        program_, prompter_,
        [this](const QString& path, bool corrected) { return openExercise(path, corrected); },
        mainWindow_);
    browser_ = &browser;
    prompter_.runModal(browser);
    browser_ = nullptr;
}

bool ExerciseSession::openExercise(const QString& path, bool corrected) {
    const std::optional<ExerciseRecords> e = readExerciseFile(path.toStdString());
    if (!e) {
        showMessage(kExerciseUnreadable);
        return false;
    }
    const auto statement = namedFile(program_.dossierexo, e->statement);
    if (!statement || !loadText(qs(statement->string()))) {
        showMessage(ExerciseMessage{"", "Fichier absent"},
                    QStringLiteral("Le fichier %1 est introuvable")
                        .arg(qs(program_.dossierexo + e->statement)));
        return false;
    }
    setFich(path);
    program_.corrige = corrected;
    if (!isBlank(e->configuration)) {
        applyConfiguration(program_, openconfig_, prompter_, e->configuration);
    }
    supertext_.setReadOnly(false);
    program_.textemodifie = false;
    return true;
}

void ExerciseSession::viewCorrection() {
    if (!confirmLoss()) {
        return;
    }
    program_.textemodifie = false;
    const WaitCursor wait;
    const std::optional<ExerciseRecords> e = readExerciseFile(fich_.text().toStdString());
    if (!e) {
        showMessage(kExerciseUnreadable);
        return;
    }
    if (!isBlank(e->correction)) {
        const auto text = namedFile(program_.dossierexo, e->correction);
        if (!text || !loadText(qs(text->string()))) {
            showMessage(ExerciseMessage{"", "Fichier absent"},
                        QStringLiteral("Le fichier %1 est introuvable")
                            .arg(qs(program_.dossierexo + e->correction)));
            return; // the configuration is not applied
        }
    }
    if (!isBlank(e->correctionConfiguration)) {
        applyConfiguration(program_, openconfig_, prompter_, e->correctionConfiguration);
    }
    supertext_.setReadOnly(true); // the correction is read-only
    program_.textemodifie = false;
    closeBrowser();
}

void ExerciseSession::priseEnMain() {
    // The guide replaces the text as the other items do: typed text is
    // asked about first.
    if (!confirmLoss()) {
        return;
    }
    program_.dossierexo = program_.programDirectory;
    const QString guide = qs(program_.dossierexo) + QString::fromUtf8(kGuideFileName.data());
    if (program_.programDirectory.empty() || !QFileInfo::exists(guide)) {
        return;
    }
    const std::optional<ExerciseRecords> e = readExerciseFile(guide.toStdString());
    const auto statement = e ? namedFile(program_.dossierexo, e->statement) : std::nullopt;
    if (!statement || !loadText(qs(statement->string()))) {
        showMessage(kGuideMissing);
        closeBrowser();
        return;
    }
    setFich(guide);
    program_.corrige = false;
    if (!isBlank(e->configuration)) {
        applyConfiguration(program_, openconfig_, prompter_, e->configuration);
    }
    supertext_.setReadOnly(false);
    program_.textemodifie = false;
    closeBrowser();
}

void ExerciseSession::closeExercise() {
    if (!confirmLoss()) {
        return;
    }
    program_.textemodifie = false;
    setFich(QString());
    showWelcome();
    program_.corrige = false;
    closeBrowser();
}

void ExerciseSession::serveExerciseRequest() {
    if (program_.markerFile.empty()) {
        return;
    }
    const std::optional<std::string> request = files::takeExerciseRequest(program_.markerFile);
    if (!request || isBlank(*request) || !confirmLoss()) {
        return;
    }
    const bool shown = mainWindow_ && mainWindow_->isVisible();
    if (shown) {
        mainWindow_->hide();
    }
    program_.dossierexo = program_.programDirectory;
    ExerciseBrowser browser(
        program_, prompter_,
        [this](const QString& path, bool corrected) { return openExercise(path, corrected); },
        mainWindow_);
    browser.fichierexo()->setText(qs(program_.programDirectory + *request));
    browser.ouvreurClick();
    if (shown) {
        mainWindow_->show();
    }
    program_.corrige = true; // another program asked: its correction is offered
}

// --- free texts -----------------------------------------------------------------

void ExerciseSession::saveText() {
    const std::optional<QString> chosen = prompter_.chooseSaveFile(
        FileChoice{QStringLiteral("Enregistrer le contenu de la fenêtre exercice"), kRtfFilter,
                   QStringLiteral("RTF"), QString()});
    if (!chosen) {
        return;
    }
    if (QFileInfo::exists(*chosen)) {
        const QString question = QStringLiteral("Le fichier %1 existe déjà.\nEcraser l'ancien?")
                                     .arg(QFileInfo(*chosen).fileName());
        if (prompter_.message(Message{question, QStringLiteral("Ecraser le fichier?"),
                                      MessageIcon::Question, MessageButtons::OkCancel}) !=
            MessageAnswer::Ok) {
            return;
        }
    }
    if (!rtf::writeRtfFile(*chosen, *supertext_.document())) {
        showMessage(kTextUnwritable); // the text stays unsaved
        return;
    }
    program_.textemodifie = false;
}

void ExerciseSession::openText() {
    if (!confirmLoss()) {
        return;
    }
    const bool typed = program_.textemodifie;
    program_.textemodifie = false;
    const std::optional<QString> chosen = prompter_.chooseOpenFile(FileChoice{
        QStringLiteral("Retrouver un texte"), kRtfFilter, QString(), QStringLiteral("*.rtf")});
    if (!chosen) {
        program_.textemodifie = typed;
        return;
    }
    // A file that cannot be read leaves the text area, fich and the flags
    // as they were.
    if (!loadText(*chosen)) {
        program_.textemodifie = typed;
        showMessage(kTextUnreadable);
        return;
    }
    program_.corrige = false;
    supertext_.setReadOnly(false);
    setFich(QString::fromUtf8(kTextPrefix) + *chosen);
    program_.textemodifie = false;
}

void ExerciseSession::printText() {
    const std::optional<PrinterChoice> choice = prompter_.choosePrinter(PrinterChoice{});
    if (!choice) {
        return;
    }
    // The selection when there is one, else the whole text, with its
    // formatting and pictures.
    QTextDocument selection;
    const QTextCursor cursor = supertext_.textCursor();
    const QTextDocument* printed = supertext_.document();
    if (cursor.hasSelection()) {
        rtf::readRtf(rtf::writeRtfSelection(cursor), selection);
        printed = &selection;
    }
    bool printedOk = false;
    if (!choice->printerName.isEmpty()) {
        QPrinter printer;
        printer.setPrinterName(choice->printerName);
        if (choice->pageLayout) {
            printer.setPageLayout(*choice->pageLayout);
        }
        printDocument(*printed, printer);
        printedOk = printer.printerState() != QPrinter::Error;
    } else if (!choice->pdfFile.isEmpty()) {
        QByteArray pdf;
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            if (choice->pageLayout) {
                writer.setPageLayout(*choice->pageLayout);
            }
            printDocument(*printed, writer);
        }
        printedOk = files::writeFileAtomically(
            choice->pdfFile.toStdString(), std::string_view(pdf.constData(), size_t(pdf.size())));
    }
    if (!printedOk) {
        prompter_.message(Message{QStringLiteral("L'impression n'a pas pu se faire."),
                                  QStringLiteral("Imprimer"), MessageIcon::Stop,
                                  MessageButtons::Ok});
    }
}

} // namespace ohmora::exercises
