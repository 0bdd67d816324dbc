#include "output/PrintedPage.h"

#include "output/PdfDocument.h"
#include "pictureset/PictureSet.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace ohmora {

namespace {

// A painter on a paged device set up as a printer's page in twips: the
// origin at the top-left of the printable area, a text position (x, y)
// that each printed line moves to the start of the next line, and the
// printer's font.
class TwipsPage {
public:
    TwipsPage(QPainter& painter, const QPagedPaintDevice& device)
        : painter_(painter), width_(device.width() * double(kTwipsPerInch) / device.logicalDpiX()),
          height_(device.height() * double(kTwipsPerInch) / device.logicalDpiY()) {
        painter_.scale(device.logicalDpiX() / double(kTwipsPerInch),
                       device.logicalDpiY() / double(kTwipsPerInch));
        painter_.setPen(Qt::black);
    }

    double width() const { return width_; }
    double height() const { return height_; }
    double currentY() const { return y_; }
    void setCurrentPosition(double x, double y) { x_ = x, y_ = y; }
    void setCurrentY(double y) { y_ = y; }

    // Font sizes in points; a point is 20 twips, the unit of this page.
    void setFont(const QString& name, int points, bool bold) {
        font_ = QFont(name);
        font_.setPixelSize(points * 20);
        font_.setBold(bold);
        painter_.setFont(font_);
    }
    void setFontSize(int points) { setFont(font_.family(), points, font_.bold()); }

    // The text with its top at the text position, which then moves to the
    // start of the next line.
    void printLine(const QString& text) {
        const QFontMetricsF metrics(font_);
        if (!text.isEmpty()) {
            painter_.drawText(QPointF(x_, y_ + metrics.ascent()), text);
        }
        x_ = 0;
        y_ += metrics.lineSpacing();
    }
    void printEmptyLine() { printLine(QString()); }

    // The picture at its screen size, its top-left corner at (x, y).
    void drawPicture(double x, double y, const Drawing& picture) {
        paintDrawing(painter_, QPointF(x, y), kTwipsPerPixel, picture);
    }

private:
    QPainter& painter_;
    double width_;
    double height_;
    double x_ = 0;
    double y_ = 0;
    QFont font_;
};

double centredX(const TwipsPage& page, const Drawing& picture) {
    return (page.width() - double(kTwipsPerPixel) * picture.size.width()) / 2;
}

void buildPage(TwipsPage& page, const PagePictures& pictures, const PageOptions& options) {
    page.setFont(QStringLiteral("Arial"), 12, true);
    page.setCurrentPosition(0, 0);
    page.printLine(options.title);
    page.setFontSize(10);
    page.printEmptyLine();
    double y = page.height() / 20;
    if (options.schematic) {
        page.drawPicture(centredX(page, pictures.schematic), y, pictures.schematic);
        page.setCurrentY(page.height() / 20 +
                         double(kTwipsPerPixel) * pictures.schematic.size.height());
        page.printEmptyLine();
        page.printEmptyLine();
        y = page.currentY();
    }
    if (options.graph) {
        page.drawPicture(centredX(page, pictures.graph), y, pictures.graph);
        page.setCurrentY(y + double(kTwipsPerPixel) * pictures.graph.size.height());
        page.printEmptyLine();
        page.printEmptyLine();
    }
}

} // namespace

PagePictures pagePictures(const PictureSet&, const SimState& state) {
    return {PictureSet::schematicDrawing(state, false), PictureSet::graphDrawing(state)};
}

bool printPages(QPagedPaintDevice& device, const PagePictures& pictures,
                const PageOptions& options) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    TwipsPage page(painter, device);
    const int copies = std::clamp(options.copies, 1, kMaxCopies);
    for (int n = 1; n <= copies; ++n) {
        buildPage(page, pictures, options);
        if (n < copies && !device.newPage()) {
            painter.end();
            return false;
        }
    }
    return painter.end();
}

QPageLayout pdfPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

QByteArray pdfDocument(const PagePictures& pictures, const PageOptions& options,
                       const QPageLayout& layout) {
    return pdfBytes(
        [&pictures, &options](QPagedPaintDevice& device) {
            return printPages(device, pictures, options);
        },
        options.title, layout);
}

} // namespace ohmora
