#include "session/Session.h"

#include "dialogs/MenuEntry.h"
#include "dialogs/Prompter.h"
#include "files/ConfigurationFile.h"
#include "qtbridge/QtStrings.h"
#include "session/ExerciseText.h"
#include "session/Exports.h"
#include "session/Printing.h"

#include <QFileInfo>

#include <array>

namespace ohmora::session {

namespace {

constexpr std::array<MenuEntry, 7> kCopyMenu = {{
    {"cop001", "Copier le schéma avec le fond", int(CopyKind::SchematicWithBackground)},
    {"cop003", "Copier le schéma sans le fond", int(CopyKind::SchematicWithoutBackground)},
    {"Cop002", "Copier le graphe", int(CopyKind::Graph), true},
    {"copitab", "Copier le contenu du tableau", int(CopyKind::Table), true},
    {"expmesures", "Exporter les mesures (CSV)…", int(CopyKind::MeasuresFile)},
    {"imggraphe", "Enregistrer le graphe en image…", int(CopyKind::GraphFile), true},
    {"imgschema", "Enregistrer le schéma en image…", int(CopyKind::SchematicFile)},
}};

constexpr std::array<MenuEntry, 4> kGraphMenu = {{
    {"curseurs", kGraphTools[0].caption, int(GraphTool::Cursors)},
    {"tangente", kGraphTools[1].caption, int(GraphTool::Tangent)},
    {"tempscar", kGraphTools[2].caption, int(GraphTool::Level)},
    {"effconstr", kGraphTools[3].caption, int(GraphTool::EraseConstructions), true},
}};

// The listener of a session whose host wants to hear nothing.
Listener& quietListener() {
    static Listener quiet;
    return quiet;
}

QString pageTitle(const PageOptions& options) {
    return options.title.isEmpty() ? QStringLiteral("Ohmora") : options.title;
}

} // namespace

Listener::~Listener() = default;
void Listener::simulationChanged(Redraw, const PictureSet::Damage&) {}
void Listener::captionChanged() {}
void Listener::textAreaChanged(bool) {}

std::span<const MenuEntry> copyMenu() {
    return kCopyMenu;
}

std::span<const MenuEntry> graphMenu() {
    return kGraphMenu;
}

Session::Session(ProgramState& program, Prompter& prompter, Printers* printers)
    : program_(program), prompter_(prompter), caption_(QStringLiteral("Ohmora")),
      printing_(std::make_unique<Printing>(prompter, printers)),
      exports_(std::make_unique<Exports>(*this)) {}

Session::~Session() = default;

Listener& Session::listener() {
    return listener_ ? *listener_ : quietListener();
}

PictureSet& Session::pictures() {
    if (!pictures_) {
        pictures_ = std::make_unique<PictureSet>(pictureScale_);
        pictures_->redrawAll(sim_.state());
    }
    return *pictures_;
}

void Session::setPictureScale(double scale) {
    if (scale <= 0 || scale == pictureScale_) {
        return;
    }
    pictureScale_ = scale;
    if (pictures_) {
        pictures_.reset();
        pictures();
    }
}

PictureSet::Damage Session::redraw(Redraw redraw) {
    return pictures_ ? pictures_->apply(redraw, sim_) : PictureSet::Damage{};
}

ExerciseText& Session::text() {
    if (!text_) {
        text_ = std::make_unique<ExerciseText>(*this);
        text_->showWelcome();
    }
    return *text_;
}

void Session::setCaption(const QString& caption) {
    caption_ = caption;
    listener().captionChanged();
}

void Session::showStop(std::string_view text, std::string_view title) {
    prompter_.message(Message{qs(text), qs(title), MessageIcon::Stop, MessageButtons::Ok});
}

// --- configurations ---------------------------------------------------------------

bool Session::saveconfig(const QString& path) {
    if (const auto problem = files::saveConfiguration(path.toStdString(), sim_.controls())) {
        showStop(problem->text, problem->title);
        return false;
    }
    setCaption(qs(files::configurationCaption(path.toStdString())));
    return true;
}

bool Session::saveConfiguration(const QString& path) {
    program_.cheminconfig = path.toStdString();
    return saveconfig(path);
}

bool Session::openconfig() {
    const files::ConfigurationRead read = files::loadConfiguration(program_.cheminconfig);
    if (!read.controls) {
        showStop(read.problem.text, read.problem.title);
        return false;
    }
    // The handlers' redraws are gathered and made once the whole
    // configuration is applied: no window event runs in the middle.
    const Redraw replayed = sim_.replayControls(*read.controls);
    listener().simulationChanged(replayed, redraw(replayed));
    setCaption(qs(files::configurationCaption(program_.cheminconfig)));
    return true;
}

bool Session::openConfiguration(const QString& path, const std::function<void()>& loading) {
    program_.cheminconfig = path.toStdString();
    if (!QFileInfo::exists(path)) {
        showStop(files::kNoSuchFile.text, files::kNoSuchFile.title);
        return false;
    }
    if (loading) {
        loading();
    }
    openconfig();
    return true;
}

// --- files given to the program ----------------------------------------------------

bool Session::openFile(const QString& path) {
    const QFileInfo file(path);
    const QString absolute = file.absoluteFilePath();
    const QString suffix = file.suffix().toLower();
    const bool known = suffix == QLatin1String("p16") || suffix == QLatin1String("e34") ||
                       suffix == QLatin1String("rtf");
    if (known && !file.isFile()) {
        showStop(files::kNoSuchFile.text, files::kNoSuchFile.title);
        return false;
    }
    if (suffix == QLatin1String("p16")) {
        // "OUVRIR" once the file is known to exist.
        program_.cheminconfig = absolute.toStdString();
        return openconfig();
    }
    if (suffix == QLatin1String("e34")) {
        return text().confirmLoss() && text().openExerciseFile(absolute);
    }
    if (suffix == QLatin1String("rtf")) {
        return text().confirmLoss() && text().openTextFile(absolute);
    }
    prompter_.message(
        Message{QStringLiteral("Ohmora ouvre les configurations (.P16), les exercices (.E34) et "
                               "les textes (.rtf)\u00A0: %1 n'en est pas un.")
                    .arg(absolute),
                qs(files::kNoSuchFile.title), MessageIcon::Stop, MessageButtons::Ok});
    return false;
}

// --- copies and the printed page ---------------------------------------------------

void Session::copy(std::optional<CopyKind> kind) {
    switch (kind.value_or(CopyKind::Graph)) {
    case CopyKind::MeasuresFile:
        exports_->exportMeasures();
        return;
    case CopyKind::GraphFile:
        exports_->saveImage(PictureKind::Graph);
        return;
    case CopyKind::SchematicFile:
        exports_->saveImage(PictureKind::Schematic);
        return;
    default:
        break;
    }
    if (kind) {
        copyToClipboard(*kind, pictures(), sim_.state());
    }
    sim_.showCopyMessage();
}

bool Session::printPage(const PrinterChoice& target, const PageOptions& options) {
    const PagePictures page = pagePictures(pictures(), sim_.state());
    return printing_->print(target, pageTitle(options), [&page, &options](QPagedPaintDevice& d) {
        return printPages(d, page, options);
    });
}

QByteArray Session::pagePdf(const PageOptions& options) {
    const PagePictures page = pagePictures(pictures(), sim_.state());
    return pdfBytes(
        [&page, &options](QPagedPaintDevice& d) { return printPages(d, page, options); },
        pageTitle(options), pdfPageLayout());
}

// --- closing and help ------------------------------------------------------------

bool Session::confirmClose() {
    if (text_ && !text_->confirmLoss()) {
        return false;
    }
    return prompter_.message(Message{QStringLiteral("Quitter vraiment Ohmora ?"),
                                     QStringLiteral("Fermer"), MessageIcon::Question,
                                     MessageButtons::OkCancel}) == MessageAnswer::Ok;
}

void Session::openHelp() {
    const QString path = qs(program_.programDirectory) + QString::fromUtf8(kHelpFileName);
    if (!QFileInfo(path).isFile()) {
        prompter_.message(Message{QStringLiteral("Le fichier d'aide %1 est introuvable.").arg(path),
                                  QStringLiteral("Aide"), MessageIcon::Stop, MessageButtons::Ok});
        return;
    }
    if (!prompter_.openDocument(path)) {
        prompter_.message(Message{
            QStringLiteral("Aucun navigateur n'a pu ouvrir l'aide (%1).\n\nPour la lire, il faut "
                           "un navigateur Web\u00a0: demandez à l'administrateur de l'ordinateur "
                           "d'installer les paquets firefox-esr et xdg-utils.")
                .arg(path),
            QStringLiteral("Aide"), MessageIcon::Stop, MessageButtons::Ok});
    }
}

} // namespace ohmora::session
