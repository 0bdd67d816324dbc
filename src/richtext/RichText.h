#pragma once
// RTF files in and out of a QTextDocument: what the exercise text area loads
// and saves.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QTextCursor;
class QTextDocument;
class QTextDocumentFragment;

namespace ohmora::rtf {

// Replaces the document's content with the RTF bytes. Returns false, with a
// short reason in French in `error` and the document left as it was, when
// the bytes are not RTF at all (empty, or not starting with a brace and a
// control word after optional blanks and a byte order mark). A cut or
// damaged RTF file loads what it holds and returns true.
bool readRtf(QByteArrayView bytes, QTextDocument& document, QString* error = nullptr);

// The same from a file; a missing or unreadable file, a directory or a file
// that is not RTF gives false and leaves the document as it was.
bool readRtfFile(const QString& path, QTextDocument& document, QString* error = nullptr);

QByteArray writeRtf(const QTextDocument& document);

// A piece of a document. A fragment does not carry the data of its
// pictures, which are left out; writeRtfSelection keeps them.
QByteArray writeRtf(const QTextDocumentFragment& fragment);

// The selected part of the cursor's document, pictures included.
QByteArray writeRtfSelection(const QTextCursor& selection);

// Writes the file completely or not at all.
bool writeRtfFile(const QString& path, const QTextDocument& document, QString* error = nullptr);

// What the text area holds as plain text: paragraphs (and table cells)
// separated by LF, line breaks as LF, pictures left out.
QString plainText(const QTextDocument& document);

} // namespace ohmora::rtf
