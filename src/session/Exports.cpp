#include "session/Exports.h"

#include "dialogs/Prompter.h"
#include "files/AtomicFile.h"
#include "files/ProgramDirectory.h"
#include "pictureset/PictureSet.h"
#include "qtbridge/QtStrings.h"
#include "session/Printing.h"
#include "session/Session.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ohmora::session {

namespace {

const QString kCsvTitle = QStringLiteral("Exporter les mesures (CSV)");

QString imageTitle(PictureKind picture) {
    return picture == PictureKind::Graph ? QStringLiteral("Enregistrer le graphe en image")
                                         : QStringLiteral("Enregistrer le schéma en image");
}

QString quoted(const QString& name) {
    return QStringLiteral("«\u00A0%1\u00A0»").arg(name);
}

} // namespace

const std::vector<FileKind>& csvFileKinds() {
    static const std::vector<FileKind> kinds = {
        {QStringLiteral("CSV français : point-virgule, virgule décimale (*.csv)"),
         QStringLiteral("csv")},
        {QStringLiteral("CSV international : virgule, point décimal (*.csv)"),
         QStringLiteral("csv")},
    };
    return kinds;
}

const std::vector<FileKind>& imageFileKinds() {
    static const std::vector<FileKind> kinds = {
        {QStringLiteral("Image PNG 1× (*.png)"), QStringLiteral("png")},
        {QStringLiteral("Image PNG 2× (*.png)"), QStringLiteral("png")},
        {QStringLiteral("Image PNG 4× (*.png)"), QStringLiteral("png")},
        {QStringLiteral("Image vectorielle SVG (*.svg)"), QStringLiteral("svg")},
    };
    return kinds;
}

ImageKind imageKindOf(int fileKind) {
    switch (fileKind) {
    case 1:
        return {false, 2};
    case 2:
        return {false, 4};
    case 3:
        return {true, 1};
    default:
        return {false, 1};
    }
}

ImageKind imageKindFor(const QString& path, int fileKind) {
    ImageKind kind = imageKindOf(fileKind);
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("svg")) {
        kind = {true, 1};
    } else if (suffix == QStringLiteral("png") && kind.svg) {
        kind = {false, 1};
    }
    return kind;
}

std::optional<std::string> Exports::csv(CsvFormat format) {
    std::optional<std::string> text = recordingCsv(session_.simulator().state().recording, format);
    if (!text) {
        session_.prompter().message(Message{qs(kNoRecordingToExport), kCsvTitle,
                                            MessageIcon::Exclamation, MessageButtons::Ok});
    }
    return text;
}

QByteArray Exports::image(PictureKind picture, ImageKind kind) {
    const SimState& state = session_.simulator().state();
    const Drawing drawing = picture == PictureKind::Graph
                                ? PictureSet::graphDrawing(state)
                                : PictureSet::schematicDrawing(state, true);
    if (kind.svg) {
        return renderSvg(drawing, picture == PictureKind::Graph ? QStringLiteral("Graphe")
                                                                : QStringLiteral("Schéma"));
    }
    return pngBytes(renderImage(drawing, kind.scale));
}

bool Exports::write(const QString& path, const QByteArray& bytes, const QString& title) {
    std::string reason;
    QString failure;
    if (bytes.isEmpty()) {
        failure = QStringLiteral("Le fichier %1 n'a pas pu être préparé.").arg(quoted(path));
    } else if (!files::writeFileAtomically(
                   path.toStdString(), std::string_view(bytes.constData(), size_t(bytes.size())),
                   &reason)) {
        failure = QStringLiteral("Le fichier %1 n'a pas pu être enregistré.\n(%2)")
                      .arg(quoted(path), qs(reason));
    } else {
        lastFolder_ = QFileInfo(path).absolutePath();
        return true;
    }
    session_.prompter().message(
        Message{failure, title, MessageIcon::Exclamation, MessageButtons::Ok});
    return false;
}

bool Exports::writeCsv(const QString& path, CsvFormat format) {
    const std::optional<std::string> text = csv(format);
    return text && write(path, QByteArray::fromStdString(*text), kCsvTitle);
}

bool Exports::writeImage(PictureKind picture, ImageKind kind, const QString& path) {
    return write(path, image(picture, kind), imageTitle(picture));
}

QString Exports::startFolder() const {
    if (!lastFolder_.isEmpty() && files::canCreateFilesIn(lastFolder_.toStdString())) {
        return lastFolder_;
    }
    return pdfFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                     QDir::homePath());
}

void Exports::exportMeasures() {
    // Nothing to export: the message at once, no dialog.
    if (session_.simulator().state().recording.empty()) {
        csv(CsvFormat::French);
        return;
    }
    FileChoice choice;
    choice.title = kCsvTitle;
    choice.directory = startFolder();
    choice.proposedName = QStringLiteral("mesures");
    const std::optional<KindOfFile> chosen =
        session_.prompter().chooseSaveFileOfKind(choice, csvFileKinds());
    if (chosen && !chosen->path.isEmpty()) {
        writeCsv(chosen->path, chosen->kind == 1 ? CsvFormat::International : CsvFormat::French);
    }
}

void Exports::saveImage(PictureKind picture) {
    FileChoice choice;
    choice.title = imageTitle(picture);
    choice.directory = startFolder();
    choice.proposedName =
        picture == PictureKind::Graph ? QStringLiteral("graphe") : QStringLiteral("schéma");
    const std::optional<KindOfFile> chosen =
        session_.prompter().chooseSaveFileOfKind(choice, imageFileKinds());
    if (chosen && !chosen->path.isEmpty()) {
        writeImage(picture, imageKindFor(chosen->path, chosen->kind), chosen->path);
    }
}

} // namespace ohmora::session
