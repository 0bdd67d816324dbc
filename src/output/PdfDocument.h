#pragma once
// A printed document as a PDF file's bytes: the one way the program makes a
// PDF, for the printed page and for the exercise text alike.

#include <QByteArray>
#include <QPageLayout>
#include <QString>

#include <functional>

class QPagedPaintDevice;

namespace ohmora {

// Paints a whole document on a paged device; false when it could not.
using PaintJob = std::function<bool(QPagedPaintDevice& device)>;

// Runs `paint` on a PDF writer of `layout`, in twips (1440 dots to the
// inch), with `title` as the document's title; the bytes, or nothing when
// `paint` failed.
QByteArray pdfBytes(const PaintJob& paint, const QString& title, const QPageLayout& layout);

} // namespace ohmora
