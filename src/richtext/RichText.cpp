#include "richtext/RichText.h"

#include "files/AtomicFile.h"
#include "richtext/DocumentResources.h"
#include "richtext/PictureObjects.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "richtext/TextDocumentAdapter.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QUrl>

#include <filesystem>
#include <string_view>

namespace ohmora::rtf {

namespace {

// Far above any statement a teacher writes, and below what would exhaust
// the memory of a school computer.
constexpr qint64 kMaxFileBytes = qint64{512} << 20;

void setError(QString* error, const QString& text) {
    if (error) {
        *error = text;
    }
}

} // namespace

bool readRtf(QByteArrayView bytes, QTextDocument& document, QString* error) {
    const std::string_view view(bytes.data(), static_cast<std::size_t>(bytes.size()));
    if (view.find_first_not_of(" \t\r\n") == std::string_view::npos) {
        setError(error, QStringLiteral("fichier vide"));
        return false;
    }
    if (!looksLikeRtf(view)) {
        setError(error, QStringLiteral("ce n'est pas un fichier RTF"));
        return false;
    }
    buildTextDocument(readRtfDocument(view), document);
    return true;
}

bool readRtfFile(const QString& path, QTextDocument& document, QString* error) {
    const QFileInfo info(path);
    if (info.isDir()) {
        setError(error, QStringLiteral("%1 est un dossier").arg(path));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("impossible de lire %1 : %2").arg(path, file.errorString()));
        return false;
    }
    if (file.size() > kMaxFileBytes) {
        setError(error, QStringLiteral("%1 est trop grand").arg(path));
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        setError(error, QStringLiteral("impossible de lire %1 : %2").arg(path, file.errorString()));
        return false;
    }
    QString reason;
    if (!readRtf(bytes, document, &reason)) {
        setError(error, QStringLiteral("%1 : %2").arg(path, reason));
        return false;
    }
    return true;
}

QByteArray writeRtf(const QTextDocument& document) {
    return QByteArray::fromStdString(writeRtfDocument(extractTextDocument(document)));
}

QByteArray writeRtf(const QTextDocumentFragment& fragment) {
    QTextDocument document;
    QTextCursor(&document).insertFragment(fragment);
    return writeRtf(document);
}

namespace {

// Copies a fragment's pictures, equations and objects from the document
// it was taken from: a fragment holds only their names.
void copyResources(const QTextDocument& source, QTextDocument& part) {
    const auto copy = [&source, &part](QTextDocument::ResourceType type, const QString& name) {
        const QUrl url(name);
        if (!name.isEmpty() && !part.resource(type, url).isValid()) {
            part.addResource(type, url, source.resource(type, url));
        }
    };
    for (QTextBlock block = part.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            const QString name = format.stringProperty(QTextFormat::ImageName);
            copy(QTextDocument::ImageResource, name);
            copy(QTextDocument::UserResource, originalOf(name));
            for (const int property : {kFallbackPictureProperty, kObjectProperty, kSvgProperty}) {
                copy(QTextDocument::UserResource, format.stringProperty(property));
            }
        }
    }
}

} // namespace

QByteArray writeRtfSelection(const QTextCursor& selection) {
    QTextDocument part;
    installPictureHandler(part);
    QTextCursor(&part).insertFragment(selection.selection());
    if (const QTextDocument* source = selection.document()) {
        copyResources(*source, part);
    }
    return writeRtf(part);
}

bool writeRtfFile(const QString& path, const QTextDocument& document, QString* error) {
    const QByteArray bytes = writeRtf(document);
    std::string reason;
    if (!files::writeFileAtomically(
            std::filesystem::path(path.toStdU16String()),
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), &reason)) {
        setError(error, QString::fromStdString(reason));
        return false;
    }
    return true;
}

QString plainText(const QTextDocument& document) {
    QString text = document.toPlainText();
    text.remove(QChar::ObjectReplacementCharacter);
    // The empty paragraph a text document keeps after the footnotes' frame
    // is not the text's.
    const QTextBlock last = document.lastBlock();
    const QTextFrame* frame =
        last.previous().isValid() ? QTextCursor(last.previous()).currentFrame() : nullptr;
    if (last.text().isEmpty() && frame != nullptr &&
        frame->frameFormat().hasProperty(kNotesFrameProperty) && text.endsWith(u'\n')) {
        text.chop(1);
    }
    return text;
}

} // namespace ohmora::rtf
