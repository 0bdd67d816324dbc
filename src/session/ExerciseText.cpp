#include "session/ExerciseText.h"

#include "dialogs/MenuEntry.h"
#include "dialogs/Prompter.h"
#include "exercises/ExerciseFile.h"
#include "files/AtomicFile.h"
#include "files/ConfigurationFile.h"
#include "files/MarkerFile.h"
#include "files/ProgramDirectory.h"
#include "files/SavePath.h"
#include "output/PrintedPage.h"
#include "qtbridge/QtStrings.h"
#include "richtext/RichText.h"
#include "session/Printing.h"
#include "session/Session.h"
#include "session/WelcomeText.h"

#include <QDir>
#include <QFileInfo>

#include <array>
#include <filesystem>

namespace ohmora::session {

using exercises::ExerciseMessage;
using exercises::kExerciseUnreadable;
using exercises::kGuideMissing;
using exercises::kLossQuestion;
using exercises::kTextUnreadable;
using exercises::kTextUnwritable;

namespace {

using A = ExerciseAction;
constexpr std::array<MenuEntry, 9> kMenu = {{
    {"PRISENMAIN", "Prise en main", int(A::Guide)},
    {"openexo", "Ouvrir un exercice (énoncé + configuration)", int(A::OpenExercise), true},
    {"opencor", "Voir la correction", int(A::ViewCorrection)},
    {"savetexte", "Enregistrer le contenu de la fenêtre exercice", int(A::SaveText), true},
    {"opentexte", "Retrouver un texte", int(A::OpenText)},
    {"imprimetexte", "Imprimer le contenu de la fenêtre exercice", int(A::PrintText)},
    {"agrandirtexte", "Agrandir la fenêtre exercice", int(A::EnlargeText)},
    {"Closexo", "Fermer l'exercice", int(A::CloseExercise), true},
    {"creeexo", "Créer un exercice…", int(A::CreateExercise), true},
}};

const QString kRtfFilter = QStringLiteral("Texte au format RTF (*.RTF)");

// The printed text's title: the name of what is open, else the program's.
QString documentTitle(const QString& fich) {
    const QString prefix = QString::fromUtf8(kTextPrefix);
    const QString path = fich.startsWith(prefix) ? fich.mid(prefix.size()) : fich;
    const QString name = QFileInfo(path).completeBaseName();
    return name.isEmpty() ? QStringLiteral("Ohmora") : name;
}

} // namespace

std::span<const MenuEntry> exerciseMenu() {
    return kMenu;
}

ExerciseText::ExerciseText(Session& session) : session_(session) {
    // Every change of the text marks it as typed while something is open.
    QObject::connect(&document_, &QTextDocument::contentsChanged, &document_, [this] {
        if (!loading_ && !fich_.isEmpty()) {
            session_.program().textemodifie = true;
        }
    });
}

ExerciseText::~ExerciseText() = default;

void ExerciseText::changed(bool replaced) {
    session_.listener().textAreaChanged(replaced);
}

void ExerciseText::setFich(const QString& fich) {
    fich_ = fich;
}

void ExerciseText::showStop(const ExerciseMessage& m, const QString& text) {
    session_.prompter().message(Message{text.isEmpty() ? qs(m.text) : text, qs(m.title),
                                        MessageIcon::Stop, MessageButtons::Ok});
}

bool ExerciseText::loadText(const QString& path) {
    loading_ = true;
    const bool loaded = rtf::readRtfFile(path, document_);
    loading_ = false;
    return loaded;
}

// A configuration named by an exercise file, applied with openconfig; a
// name that would leave the exercise's directory is not followed.
bool ExerciseText::applyConfiguration(const std::string& name) {
    ProgramState& program = session_.program();
    const auto file = exercises::namedFile(program.dossierexo, name);
    if (!file) {
        showStop(ExerciseMessage{files::kConfigurationUnreadable.text,
                                 files::kConfigurationUnreadable.title});
        return false;
    }
    program.cheminconfig = file->string();
    return session_.openconfig();
}

// --- the menu -----------------------------------------------------------------------

bool ExerciseText::enabled(ExerciseAction action) const {
    switch (action) {
    case A::ViewCorrection:
        return session_.program().corrige;
    case A::CloseExercise:
        return !fich_.isEmpty();
    default:
        return true;
    }
}

ExerciseText::Outcome ExerciseText::run(ExerciseAction action, const QTextCursor& selection) {
    switch (action) {
    case A::Guide:
        priseEnMain();
        break;
    case A::OpenExercise:
        return startBrowsing() ? Outcome::ShowBrowser : Outcome::Done;
    case A::ViewCorrection:
        viewCorrection();
        break;
    case A::SaveText:
        saveText();
        break;
    case A::OpenText:
        openText();
        break;
    case A::PrintText:
        printText(selection);
        break;
    case A::CloseExercise:
        closeExercise();
        break;
    case A::EnlargeText:
        return Outcome::ShowReadingWindow;
    case A::CreateExercise:
        return Outcome::ShowCreator;
    }
    return Outcome::Done;
}

void ExerciseText::showWelcome() {
    loading_ = true;
    accueil(document_);
    loading_ = false;
    locked_ = true;
    changed(true);
}

bool ExerciseText::confirmLoss() {
    if (!session_.program().textemodifie) {
        return true;
    }
    return session_.prompter().message(Message{qs(kLossQuestion.text), qs(kLossQuestion.title),
                                               MessageIcon::Question, MessageButtons::OkCancel}) ==
           MessageAnswer::Ok;
}

// --- exercises and the guide --------------------------------------------------------

void ExerciseText::priseEnMain() {
    // The guide replaces the text as the other items do: typed text is
    // asked about first.
    if (!confirmLoss()) {
        return;
    }
    ProgramState& program = session_.program();
    program.dossierexo = program.programDirectory;
    const QString guide = qs(program.dossierexo) + qs(exercises::kGuideFileName);
    if (program.programDirectory.empty() || !QFileInfo::exists(guide)) {
        return; // without the guide, "Prise en main" does nothing
    }
    const auto e = exercises::readExerciseFile(guide.toStdString());
    const auto statement =
        e ? exercises::namedFile(program.dossierexo, e->statement) : std::nullopt;
    if (!statement || !loadText(qs(statement->string()))) {
        showStop(kGuideMissing);
        return;
    }
    setFich(guide);
    program.corrige = false;
    if (!exercises::isBlank(e->configuration)) {
        applyConfiguration(e->configuration);
    }
    locked_ = false;
    program.textemodifie = false;
    changed(true);
}

bool ExerciseText::startBrowsing() {
    if (!confirmLoss()) {
        return false;
    }
    session_.program().textemodifie = false;
    return true;
}

bool ExerciseText::openExercise(const QString& path, bool corrected) {
    ProgramState& program = session_.program();
    const auto e = exercises::readExerciseFile(path.toStdString());
    if (!e) {
        showStop(kExerciseUnreadable);
        return false;
    }
    const auto statement = exercises::namedFile(program.dossierexo, e->statement);
    if (!statement || !loadText(qs(statement->string()))) {
        showStop(ExerciseMessage{"", "Fichier absent"},
                 QStringLiteral("Le fichier %1 est introuvable")
                     .arg(qs(program.dossierexo + e->statement)));
        return false;
    }
    setFich(path);
    program.corrige = corrected;
    if (!exercises::isBlank(e->configuration)) {
        applyConfiguration(e->configuration);
    }
    locked_ = false;
    program.textemodifie = false;
    changed(true);
    return true;
}

bool ExerciseText::openExerciseFile(const QString& path) {
    const std::filesystem::path file = std::filesystem::absolute(path.toStdString());
    session_.program().dossierexo = files::withFinalSeparator(file.parent_path().string());
    const auto e = exercises::readExerciseFile(file);
    if (!e) {
        showStop(kExerciseUnreadable);
        return false;
    }
    return openExercise(qs(file.string()), exercises::isCorrected(*e));
}

void ExerciseText::viewCorrection() {
    if (!confirmLoss()) {
        return;
    }
    ProgramState& program = session_.program();
    program.textemodifie = false;
    const auto e = exercises::readExerciseFile(fich_.toStdString());
    if (!e) {
        showStop(kExerciseUnreadable);
        return;
    }
    if (!exercises::isBlank(e->correction)) {
        const auto text = exercises::namedFile(program.dossierexo, e->correction);
        if (!text || !loadText(qs(text->string()))) {
            showStop(ExerciseMessage{"", "Fichier absent"},
                     QStringLiteral("Le fichier %1 est introuvable")
                         .arg(qs(program.dossierexo + e->correction)));
            return; // the configuration is not applied
        }
    }
    if (!exercises::isBlank(e->correctionConfiguration)) {
        applyConfiguration(e->correctionConfiguration);
    }
    locked_ = true; // the correction is read-only
    program.textemodifie = false;
    changed(true);
}

void ExerciseText::closeExercise() {
    if (!confirmLoss()) {
        return;
    }
    session_.program().textemodifie = false;
    setFich(QString());
    showWelcome();
    session_.program().corrige = false;
}

void ExerciseText::serveExerciseRequest() {
    ProgramState& program = session_.program();
    if (program.markerFile.empty()) {
        return;
    }
    const std::optional<std::string> request = files::takeExerciseRequest(program.markerFile);
    if (!request || exercises::isBlank(*request) || !confirmLoss()) {
        return;
    }
    program.dossierexo = program.programDirectory;
    // Another program asked: its correction is offered whatever the file says.
    if (openExercise(qs(program.programDirectory + *request), false)) {
        program.corrige = true;
    }
}

// --- free texts -----------------------------------------------------------------

QString ExerciseText::textFolder() const {
    if (!lastTextFolder_.isEmpty() && files::canCreateFilesIn(lastTextFolder_.toStdString())) {
        return lastTextFolder_;
    }
    return QDir::homePath();
}

void ExerciseText::saveText() {
    Prompter& prompter = session_.prompter();
    FileChoice choice;
    choice.title = QStringLiteral("Enregistrer le contenu de la fenêtre exercice");
    choice.filter = kRtfFilter;
    choice.defaultSuffix = QStringLiteral("RTF");
    choice.directory = textFolder();
    choice.asksBeforeOverwriting = false; // the question below, in the program's words
    const std::optional<QString> chosen = prompter.chooseSaveFile(choice);
    if (!chosen) {
        return;
    }
    const QFileInfo file(*chosen);
    if (file.exists()) {
        const QString question =
            QStringLiteral("Le fichier %1 existe déjà.\nEcraser l'ancien?").arg(file.fileName());
        if (prompter.message(Message{question, QStringLiteral("Ecraser le fichier?"),
                                     MessageIcon::Question, MessageButtons::OkCancel}) !=
            MessageAnswer::Ok) {
            return;
        }
    }
    const QByteArray bytes = rtf::writeRtf(document_);
    std::string reason;
    if (!files::writeFileAtomically(chosen->toStdString(),
                                    std::string_view(bytes.constData(), size_t(bytes.size())),
                                    &reason)) {
        // The text stays unsaved, and the user learns why.
        showStop(kTextUnwritable,
                 qs(kTextUnwritable.text) + QStringLiteral("\n(%1)").arg(qs(reason)));
        return;
    }
    lastTextFolder_ = file.absolutePath();
    session_.program().textemodifie = false;
}

void ExerciseText::openText() {
    if (!confirmLoss()) {
        return;
    }
    ProgramState& program = session_.program();
    const bool typed = program.textemodifie;
    program.textemodifie = false;
    FileChoice choice;
    choice.title = QStringLiteral("Retrouver un texte");
    choice.filter = kRtfFilter;
    choice.directory = lastTextFolder_.isEmpty() ? QDir::homePath() : lastTextFolder_;
    choice.proposedName = QStringLiteral("*.rtf");
    const std::optional<QString> chosen = session_.prompter().chooseOpenFile(choice);
    // A cancelled choice, or a file that cannot be read, leaves the text
    // area, fich and the flags as they were.
    if (!chosen || !openTextFile(*chosen)) {
        program.textemodifie = typed;
    }
}

bool ExerciseText::openTextFile(const QString& path) {
    if (!loadText(path)) {
        showStop(kTextUnreadable);
        return false;
    }
    ProgramState& program = session_.program();
    program.corrige = false;
    locked_ = false;
    setFich(QString::fromUtf8(kTextPrefix) + path);
    lastTextFolder_ = QFileInfo(path).absolutePath();
    program.textemodifie = false;
    changed(true);
    return true;
}

void ExerciseText::printText(const QTextCursor& selection) {
    Printing& printing = session_.printing();
    const std::optional<PrinterChoice> chosen =
        printing.choosePrinter(printing.startingDestination());
    if (!chosen) {
        return;
    }
    const std::optional<PrinterChoice> target = printing.target(*chosen, documentTitle(fich_));
    if (target) {
        printTextTo(*target, selection);
    }
}

bool ExerciseText::printTextTo(const PrinterChoice& target, const QTextCursor& selection) {
    // The selection when there is one, else the whole text, with its
    // formatting and pictures.
    QTextDocument part;
    const QTextDocument* printed = &document_;
    if (selection.hasSelection() && selection.document() == &document_) {
        rtf::readRtf(rtf::writeRtfSelection(selection), part);
        printed = &part;
    }
    return session_.printing().print(target, documentTitle(fich_),
                                     [printed](QPagedPaintDevice& device) {
                                         printed->print(&device);
                                         return true;
                                     });
}

} // namespace ohmora::session
