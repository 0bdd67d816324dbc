#pragma once
// The printed page: the title line, the schematic on white and the graph,
// each picture centred at its screen size, one page per copy in one
// document. The page is built on any paged device, a printer or a PDF
// writer, in twips (1440 to the inch, 15 to a screen pixel), with a text
// position that printing a line moves down as a printer's does. The
// pictures are drawn on the page by their own drawing code at the device's
// resolution, their text as text.

#include "picture/Drawing.h"

#include <QByteArray>
#include <QPageLayout>
#include <QString>

class QPagedPaintDevice;

namespace ohmora {

class PictureSet;
struct SimState;

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kMaxCopies = 40;

// What the print options ask for.
struct PageOptions {
    QString title = QStringLiteral("Varlune - Ohmora");
    bool schematic = true;
    bool graph = true;
    int copies = 1;
};

// The two pictures of the page.
struct PagePictures {
    Drawing schematic; // on white
    Drawing graph;
};

// The schematic of `state` on white (the screen's keeps its background) and
// the graph as the screen shows it, measuring tools included.
PagePictures pagePictures(const PictureSet& pictures, const SimState& state);

// Builds `options.copies` identical pages (held within 1 to kMaxCopies) on `device` and ends the
// document. Returns false when the device refuses to be painted on (a
// printer that cannot start the job); nothing is then drawn.
bool printPages(QPagedPaintDevice& device, const PagePictures& pictures,
                const PageOptions& options);

// The page of a printed PDF when no printer set-up says otherwise: A4
// portrait with 10 mm margins, about what a printer leaves unprinted.
QPageLayout pdfPageLayout();

// The whole printed document as a PDF file's bytes; empty if it could not
// be built.
QByteArray pdfDocument(const PagePictures& pictures, const PageOptions& options,
                       const QPageLayout& layout = pdfPageLayout());

} // namespace ohmora
