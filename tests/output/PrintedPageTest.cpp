// The printed page read back from its PDF: page count, text and the places
// of the title and the pictures on the pages rendered at 72 DPI, where a
// pixel is a point, 20 twips.

#include "output/PrintedPage.h"
#include "PdfSupport.h"
#include "core/Simulator.h"
#include "picture/PictureArea.h"
#include "pictureset/PictureSet.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>

namespace ohmora {
namespace {

// A4 with margins of 10 mm, in points; the printable area in twips.
constexpr double kMargin = 10 / 25.4 * 72;
constexpr double kPrintableWidth = (595.276 - 2 * kMargin) * 20;
constexpr double kPrintableHeight = (841.89 - 2 * kMargin) * 20;
// Two empty lines of Arial 10 points, 230 twips each.
constexpr double kTwoLines = 2 * 230;

// A position on the printable area, in twips, as a pixel of the page.
double pagePixel(double twips) {
    return kMargin + twips / 20;
}

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

// Flat pictures of the screen sizes, easy to find on a page.
PagePictures flatPictures() {
    const auto flat = [](PictureArea& a) { a.cls(); };
    return {Drawing{QSize(249, 249), kRed, flat}, Drawing{QSize(529, 249), kBlue, flat}};
}

// The pixels of the page that `keep` accepts, bounded.
QRect boundsOf(const QImage& page, const std::function<bool(QColor)>& keep) {
    QRect bounds;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (keep(QColor(page.pixel(x, y)))) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

bool isRed(QColor c) {
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}
bool isBlue(QColor c) {
    return c.blue() > 200 && c.red() < 60 && c.green() < 60;
}
bool isDark(QColor c) {
    return c.red() < 128 && c.green() < 128 && c.blue() < 128;
}

// `bounds` covers the picture of `size` pixels drawn at (x, y) twips, to a
// pixel of the page.
void expectPictureAt(const QRect& bounds, double x, double y, QSize size, const char* what) {
    ASSERT_FALSE(bounds.isEmpty()) << what;
    const double left = pagePixel(x), top = pagePixel(y);
    const double right = pagePixel(x + 15.0 * size.width());
    const double bottom = pagePixel(y + 15.0 * size.height());
    EXPECT_NEAR(bounds.left(), left, 1.0) << what;
    EXPECT_NEAR(bounds.top(), top, 1.0) << what;
    EXPECT_NEAR(bounds.right() + 1, right, 1.0) << what;
    EXPECT_NEAR(bounds.bottom() + 1, bottom, 1.0) << what;
}

QString writeTemporary(const QTemporaryDir& dir, const QByteArray& bytes) {
    const QString path = dir.filePath(QStringLiteral("page.pdf"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

struct PageCase {
    const char* name;
    PageOptions options;
    std::optional<double> graphTop; // twips; nothing when the graph is left out
};

// A failing row names itself.
void PrintTo(const PageCase& row, std::ostream* os) {
    *os << row.name;
}

const double kSchematicTop = kPrintableHeight / 20;

PageOptions optionsOf(QString title, bool schematic, bool graph, int copies) {
    return PageOptions{std::move(title), schematic, graph, copies};
}

const PageCase kPageCases[] = {
    {"BothPictures", optionsOf("Varlune - Ohmora", true, true, 1),
     kSchematicTop + 15 * 249 + kTwoLines},
    {"ThreeCopies", optionsOf("Varlune - Ohmora", true, true, 3),
     kSchematicTop + 15 * 249 + kTwoLines},
    {"SchematicOnly", optionsOf("Charge du condensateur", true, false, 1), std::nullopt},
    {"GraphMovesUpWithoutSchematic", optionsOf("Varlune - Ohmora", false, true, 2), kSchematicTop},
    {"TitleAlone", optionsOf("Rien que le titre", false, false, 1), std::nullopt},
    {"EmptyTitleKeepsThePictures", optionsOf("", true, true, 1),
     kSchematicTop + 15 * 249 + kTwoLines},
};

class PrintedPageTest : public ::testing::TestWithParam<PageCase> {};

TEST_P(PrintedPageTest, PagesTextAndPlaces) {
    const PageCase& c = GetParam();
    QTemporaryDir dir;
    const QString file = writeTemporary(dir, pdfDocument(flatPictures(), c.options));

    ASSERT_EQ(test::pdfPageCount(file), c.options.copies);
    const QStringList texts = test::pdfPageTexts(file);
    ASSERT_EQ(texts.size(), c.options.copies);
    for (const QString& text : texts) {
        EXPECT_EQ(text.trimmed(), c.options.title);
    }

    const std::vector<QImage> pages = test::pdfPageImages(file, 72);
    ASSERT_EQ(int(pages.size()), c.options.copies);
    const QImage& page = pages.front();
    ASSERT_EQ(page.size(), QSize(595, 842));
    for (const QImage& other : pages) {
        EXPECT_EQ(other, page) << "the copies differ";
    }

    const QRect red = boundsOf(page, isRed);
    if (c.options.schematic) {
        expectPictureAt(red, (kPrintableWidth - 15 * 249) / 2, kSchematicTop, {249, 249},
                        "schematic");
    } else {
        EXPECT_TRUE(red.isEmpty());
    }
    const QRect blue = boundsOf(page, isBlue);
    if (c.graphTop) {
        expectPictureAt(blue, (kPrintableWidth - 15 * 529) / 2, *c.graphTop, {529, 249}, "graph");
    } else {
        EXPECT_TRUE(blue.isEmpty());
    }

    // The bold title at the top-left corner of the printable area, a line
    // of 12 points: nothing else on the page is dark.
    const QRect title = boundsOf(page, isDark);
    if (c.options.title.isEmpty()) {
        EXPECT_TRUE(title.isEmpty());
    } else {
        ASSERT_FALSE(title.isEmpty());
        EXPECT_NEAR(title.left(), kMargin, 2.0);
        EXPECT_GE(title.top(), kMargin);
        EXPECT_LE(title.bottom(), kMargin + 276 / 20.0);
        EXPECT_GE(title.height(), 8); // capitals of 12 points
    }
}

INSTANTIATE_TEST_SUITE_P(Options, PrintedPageTest, ::testing::ValuesIn(kPageCases),
                         [](const auto& row) { return std::string(row.param.name); });

// The same page building on a printer device of another resolution.
TEST(PrintedPage, PrinterDeviceGivesTheSamePlaces) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("printer.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageLayout(pdfPageLayout());
    ASSERT_NE(printer.resolution(), kTwipsPerInch);
    ASSERT_TRUE(printPages(printer, flatPictures(), PageOptions{}));

    ASSERT_EQ(test::pdfPageCount(file), 1);
    const std::vector<QImage> pages = test::pdfPageImages(file, 72);
    ASSERT_EQ(pages.size(), 1u);
    expectPictureAt(boundsOf(pages[0], isRed), (kPrintableWidth - 15 * 249) / 2, kSchematicTop,
                    {249, 249}, "schematic");
    expectPictureAt(boundsOf(pages[0], isBlue), (kPrintableWidth - 15 * 529) / 2,
                    kSchematicTop + 15 * 249 + kTwoLines, {529, 249}, "graph");
}

TEST(PrintedPage, CopiesAreHeldWithinTheirRange) {
    QTemporaryDir dir;
    const QString file = writeTemporary(
        dir, pdfDocument(flatPictures(), optionsOf("t", true, true, kMaxCopies + 5)));
    EXPECT_EQ(test::pdfPageCount(file), kMaxCopies);
}

// The background's shades: pink at the top to white at the bottom.
int gradientPixels(const QImage& page, const QRect& area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c(page.pixel(x, y));
            n += c.red() > 250 && c.green() >= 195 && c.green() <= 250 && c.blue() >= 150 &&
                 c.green() - c.blue() >= 30;
        }
    }
    return n;
}

// The schematic printed is the screen's drawing on white, while the screen
// keeps its gradient; a page made from the screen's picture shows the
// gradient, so the check can tell them apart.
TEST(PrintedPage, SchematicIsPrintedOnWhite) {
    Simulator sim;
    PictureSet pictures;
    pictures.redrawAll(sim.state());
    const QRect area(qRound(pagePixel((kPrintableWidth - 15 * 249) / 2)),
                     qRound(pagePixel(kSchematicTop)), 186, 186);
    QTemporaryDir dir;

    const QString printed = writeTemporary(
        dir, pdfDocument(pagePictures(pictures, sim.state()), optionsOf("", true, false, 1)));
    const QImage page = test::pdfPageImages(printed, 72).at(0);
    EXPECT_EQ(gradientPixels(page, area), 0);
    EXPECT_GT(boundsOf(page, isDark).width(), 150); // the circuit is there
    EXPECT_EQ(QColor(pictures.schematic().pixel(0, 0)), QColor(255, 200, 155));

    const QString screen =
        writeTemporary(dir, pdfDocument({PictureSet::schematicDrawing(sim.state(), true),
                                         PictureSet::graphDrawing(sim.state())},
                                        optionsOf("", true, false, 1)));
    EXPECT_GT(gradientPixels(test::pdfPageImages(screen, 72).at(0), area), 10000);
}

// The pictures are drawn on the page at the printer's resolution, not as
// 96-DPI bitmaps: their texts are the document's text, the constructions
// on the graph among them; a grid line of the graph rendered at 300 DPI
// lies where its pixel goes, as thin as its 15 twips (3 dots).
TEST(PrintedPage, PicturesAreDrawnAtThePrintersResolution) {
    Simulator sim;
    sim.mouseMoveSchematic(105, 20);
    sim.clickSchematic();
    while (sim.state().run.enregEnCours) {
        sim.tick();
    }
    ASSERT_TRUE(sim.constructTau(TauPart::Tangent, SlotUC).problem.empty());
    PictureSet pictures;
    QTemporaryDir dir;
    const QString file = writeTemporary(
        dir, pdfDocument(pagePictures(pictures, sim.state()), optionsOf("Titre", true, true, 1)));
    const QString text = test::pdfPageTexts(file).at(0);
    EXPECT_TRUE(text.contains(QStringLiteral("τ ≈ 7,25 ms (± 0,25 ms)"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("100"))); // the time axis' last number
    EXPECT_TRUE(text.contains(QStringLiteral("Titre")));

    const QImage page = test::pdfPageImages(file, 300).at(0);
    // The graph's vertical grid line at its x = 100, across the middle of
    // the plotting box.
    const double dotsPerTwip = 300.0 / 1440, margin = 10 / 25.4 * 300;
    const double left = margin + ((kPrintableWidth - 15 * 529) / 2 + 15 * 100) * dotsPerTwip;
    const double top = margin + (kSchematicTop + 15 * 249 + kTwoLines + 15 * 150) * dotsPerTwip;
    int grey = 0, first = -1;
    for (int x = int(left) - 6; x <= int(left) + 9; ++x) {
        const QColor c(page.pixel(x, int(top)));
        if (c.red() >= 180 && c.red() <= 205) {
            grey += 1;
            first = first < 0 ? x : first;
        }
    }
    EXPECT_NEAR(first, left, 1.0);
    EXPECT_GE(grey, 2);
    EXPECT_LE(grey, 4);
}

} // namespace
} // namespace ohmora
