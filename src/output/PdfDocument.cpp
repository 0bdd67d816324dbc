#include "output/PdfDocument.h"

#include "output/PrintedPage.h"

#include <QBuffer>
#include <QPdfWriter>

namespace ohmora {

QByteArray pdfBytes(const PaintJob& paint, const QString& title, const QPageLayout& layout) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(layout);
        writer.setResolution(kTwipsPerInch);
        writer.setCreator(QStringLiteral("Ohmora"));
        writer.setTitle(title);
        if (!paint(writer)) {
            return {};
        }
    }
    return bytes;
}

} // namespace ohmora
