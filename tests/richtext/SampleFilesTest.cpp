// Statements written by word processors (tests/data/rtf, see its README):
// each is read with its text and formatting, written back, and the rewrite
// read again, by this reader exactly and by LibreOffice when it is there.

#include "RtfTestSupport.h"
#include "richtext/RichText.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "richtext/TextDocumentAdapter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace ohmora::rtf {
namespace {

QString samplePath(const char* name) {
    return QStringLiteral(OHMORA_TEST_DATA_DIR "/rtf/") + QString::fromUtf8(name);
}

std::string readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

struct FormatCheck {
    std::u16string marker;
    std::function<bool(const Span&, const Paragraph&)> holds;
    const char* what;
};

struct SampleCase {
    const char* name;
    const char* file;
    const char* text;
    std::vector<FormatCheck> checks;
    std::vector<std::pair<int, int>> imageSizesTwips;
};

std::ostream& operator<<(std::ostream& out, const SampleCase& c) {
    return out << c.name;
}

FormatCheck bold(std::u16string m) {
    return {std::move(m), [](const Span& s, const Paragraph&) { return s.format.bold; }, "bold"};
}
FormatCheck italic(std::u16string m) {
    return {std::move(m), [](const Span& s, const Paragraph&) { return s.format.italic; },
            "italic"};
}
FormatCheck underline(std::u16string m) {
    return {std::move(m), [](const Span& s, const Paragraph&) { return s.format.underline; },
            "underlined"};
}
FormatCheck strike(std::u16string m) {
    return {std::move(m), [](const Span& s, const Paragraph&) { return s.format.strike; },
            "struck"};
}
FormatCheck subscript(std::u16string m) {
    return {std::move(m),
            [](const Span& s, const Paragraph&) {
                return s.format.vertical == VerticalPosition::Subscript;
            },
            "subscript"};
}
FormatCheck superscript(std::u16string m) {
    return {std::move(m),
            [](const Span& s, const Paragraph&) {
                return s.format.vertical == VerticalPosition::Superscript;
            },
            "superscript"};
}
FormatCheck size(std::u16string m, int halfPoints) {
    return {
        std::move(m),
        [halfPoints](const Span& s, const Paragraph&) { return s.format.halfPoints == halfPoints; },
        "of its size"};
}
FormatCheck colour(std::u16string m, std::uint32_t rgb) {
    return {std::move(m),
            [rgb](const Span& s, const Paragraph&) { return s.format.foreground == rgb; },
            "of its colour"};
}
FormatCheck background(std::u16string m, std::uint32_t rgb) {
    return {std::move(m),
            [rgb](const Span& s, const Paragraph&) { return s.format.background == rgb; },
            "on its background"};
}
FormatCheck lowered(std::u16string m, int halfPoints) {
    return {std::move(m),
            [halfPoints](const Span& s, const Paragraph&) {
                return s.format.offsetHalfPoints == -halfPoints;
            },
            "lowered"};
}
FormatCheck aligned(std::u16string m, Alignment alignment) {
    return {
        std::move(m),
        [alignment](const Span&, const Paragraph& p) { return p.format.alignment == alignment; },
        "aligned"};
}
FormatCheck indented(std::u16string m, int twips) {
    return {std::move(m),
            [twips](const Span&, const Paragraph& p) { return p.format.leftTwips == twips; },
            "indented"};
}

// What the text area shows of the statement with equations: the equations
// are pictures, the footnotes' numbers raised in the text and their notes at
// the end, under a rule.
const char* const kEquationsText =
    "Circuit RC et oscillations\n"
    "Le condensateur se charge à travers le conducteur ohmique de résistance R :  avec τ = "
    "RC1.\n\n"
    "La période propre du circuit LC vaut .\n"
    "Avec une bobine de résistance r, la tension vérifie .\n\n"
    "Les mesures2 confirment la loi.\n\n"
    "1\tOn prendra g = 9,81 m·s⁻².\n"
    "2\tFaites à 20 °C.";

const SampleCase kSamples[] = {
    {"libreoffice_statement",
     "statement-libreoffice.rtf",
     "Charge d’un condensateur\n"
     "Un condensateur de capacité C = 220 μF est chargé à travers un conducteur ohmique de "
     "résistance R = 33 Ω. La tension uC atteint 63 % de E au bout de τ = RC = 7,26×10-3 s.\n"
     "Questions – « élève » :\ndéterminer graphiquement la constante\tde temps avant l’œuvre — 5 "
     "€.\n"
     "•\tbasculer l’interrupteur K en position 1 ;\n"
     "•\trelever uC toutes les 2 ms.\n"
     "t (ms)\n0\n2\nuC (V)\n0,00\n1,46\n"
     "Schéma : ",
     {bold(u"Charge d’un"), size(u"Charge d’un", 32), colour(u"Charge d’un", 0x0000C8),
      aligned(u"Charge d’un", Alignment::Centre), aligned(u"Un condensateur", Alignment::Justify),
      indented(u"Un condensateur", 720), subscript(u"C"), superscript(u"-3"),
      italic(u"graphiquement"), underline(u"avant"), colour(u"avant", 0xFF0000),
      indented(u"basculer", 720), aligned(u"Schéma", Alignment::Right), size(u"0,00", 24)},
     {{719, 479}}},
    {"libreoffice_welcome",
     "welcome-libreoffice.rtf",
     "Ohmora\n\nCe simulateur permet d'étudier la charge et la décharge d'un condensateur à "
     "travers un conducteur ohmique.\n- choisir le montage dans la liste (onglet Montage),\n"
     "Vous pouvez obtenir l'énoncé d'un exercice en appuyant sur l'onglet Exercices.",
     {size(u"Ohmora", 36), colour(u"Ohmora", 0x0000C8), lowered(u"Ohmora", 8),
      aligned(u"Ohmora", Alignment::Centre), size(u"Ce simulateur", 20),
      indented(u"Ce simulateur", 20), colour(u"- choisir", 0x0000C8),
      colour(u"Exercices", 0x0000C8)},
     {}},
    {"word_statement",
     "statement-word.rtf",
     "Oscillations électriques libres\n"
     "Le condensateur (C = 220 µF) se décharge dans une bobine de résistance r = 10 "
     "Ω. "
     "La pulsation propre ω0 vérifie ω2 = 1/LC ≈ 106 rad²/s² π.\n"
     "“Mesurer” la période — puis l’amplitude–avec soin surligné. Voir le site du lycée.\n"
     "•\tfermer K ;\n•\trelever la tension uC.\n"
     "L (mH)\nC (μF)\n40\n220\n",
     {bold(u"Oscillations"), size(u"Oscillations", 32), colour(u"Oscillations", 0x0000C8),
      aligned(u"Oscillations", Alignment::Centre), indented(u"Le condensateur", 284),
      aligned(u"Le condensateur", Alignment::Justify), subscript(u"0"), superscript(u"2"),
      italic(u"avec soin"), underline(u"avec soin"), colour(u"avec soin", 0xFF0000),
      background(u" surlign", 0xFFFF00), underline(u"site du lyc"),
      colour(u"site du lyc", 0x0000FF), bold(u"L (mH)"), size(u"fermer", 22),
      indented(u"fermer", 720)},
     {{360, 240}, {360, 240}}}, // the picture and its metafile twin
    {"wordpad_statement",
     "statement-wordpad.rtf",
     "Circuit RL\n"
     "La bobine d'inductance L = 40 mH et de résistance r = 10 Ω est traversée par un courant i.\n"
     "•\tla constante de temps τ = L / R ;\n•\ton pose I0 = E / R.\n"
     "Après 5τ, le régime est permanent. Attention : souligné, 103, barré, grand.\n",
     {bold(u"Circuit RL"), size(u"Circuit RL", 36), colour(u"Circuit RL", 0x0000C8),
      aligned(u"Circuit RL", Alignment::Centre), size(u"La bobine", 22), subscript(u"0"),
      superscript(u"3"), italic(u" Attention"), colour(u" Attention", 0xFF0000),
      underline(u"soulign"), strike(u"barr"), size(u"grand", 28), indented(u"on pose", 720)},
     {{720, 480}}},
    // Equations of LibreOffice Math, drawings of LibreOffice Draw (WMF and
    // EMF after the round trips) and footnotes.
    {"equations_libreoffice",
     "statement-equations.rtf",
     kEquationsText,
     {bold(u"Circuit RC"), size(u"Circuit RC", 32), aligned(u"Circuit RC", Alignment::Centre)},
     {{1810, 335}, {1810, 335}, {3967, 2266}, {1218, 321}, {1218, 321}, {2500, 670}, {2500, 670}}},
    {"equations_through_doc",
     "statement-equations-doc.rtf",
     kEquationsText,
     {bold(u"Circuit RC")},
     {{1743, 371},
      {1743, 371},
      {3929, 2245},
      {1254, 339},
      {1254, 339},
      {2543, 692},
      {2543, 692},
      {3929, 2245},
      {3929, 2245}}},
    {"equations_through_docx",
     "statement-equations-docx.rtf",
     kEquationsText,
     {bold(u"Circuit RC")},
     {{1714, 351},
      {1714, 351},
      {3929, 2245},
      {1221, 321},
      {1221, 321},
      {2552, 670},
      {2552, 670},
      {3929, 2245},
      {3929, 2245}}},
    // A statement of each code page family, written as word processors do.
    {"central_europe",
     "codepage-central-europe.rtf",
     "Příliš žluťoučký kůň\nJméno: Dvořák, Łódź, Győr. Ohm, 103",
     {bold(u"Příliš"), colour(u"Příliš", 0x0000C8), superscript(u"3")},
     {}},
    {"cyrillic",
     "codepage-cyrillic.rtf",
     "Закон Ома\nЦитата: «Сопротивление R = 33 Ом». Ohm, 103",
     {bold(u"Закон")},
     {}},
    {"greek",
     "codepage-greek.rtf",
     "Νόμος του Ohm\nΗ αντίσταση Ω και η σταθερά τ. Ohm, 103",
     {bold(u"Νόμος")},
     {}},
    {"japanese",
     "codepage-japanese.rtf",
     "コンデンサの充電\n時定数τはRCに等しい。表 Ohm, 103",
     {bold(u"コンデンサ")},
     {}},
    {"chinese",
     "codepage-chinese.rtf",
     "电容器的充电\n时间常数等于RC。 Ohm, 103",
     {bold(u"电容器")},
     {}},
    {"korean",
     "codepage-korean.rtf",
     "축전기의 충전\n시간 상수는 RC입니다. Ohm, 103",
     {bold(u"축전기")},
     {}},
    {"macintosh", "codepage-mac.rtf", "Résistance : 33 Ω, énergie 1/2 C·u2.", {}, {}},
};

class SampleFile : public ::testing::TestWithParam<SampleCase> {};

TEST_P(SampleFile, GivesItsText) {
    QTextDocument document;
    QString error;
    ASSERT_TRUE(readRtfFile(samplePath(GetParam().file), document, &error)) << error.toStdString();
    EXPECT_EQ(plainText(document).toStdString(), GetParam().text);
}

TEST_P(SampleFile, GivesItsFormatting) {
    const Document document = readRtfDocument(readBytes(samplePath(GetParam().file)));
    for (const FormatCheck& check : GetParam().checks) {
        const Paragraph* paragraph = nullptr;
        const Span* span = test::findSpan(document, check.marker, &paragraph);
        ASSERT_NE(span, nullptr) << test::utf8(check.marker);
        EXPECT_TRUE(check.holds(*span, *paragraph))
            << test::utf8(check.marker) << " is not " << check.what;
    }
    std::vector<std::pair<int, int>> sizes;
    for (const Image& image : document.images) {
        sizes.emplace_back(image.widthTwips, image.heightTwips);
    }
    EXPECT_EQ(sizes, GetParam().imageSizesTwips);
}

TEST_P(SampleFile, RewriteReadsBackTheSame) {
    const Document model = readRtfDocument(readBytes(samplePath(GetParam().file)));
    EXPECT_EQ(readRtfDocument(writeRtfDocument(model)), model);

    QTextDocument document;
    ASSERT_TRUE(readRtfFile(samplePath(GetParam().file), document));
    const QByteArray rewrite = writeRtf(document);
    QTextDocument again;
    ASSERT_TRUE(readRtf(rewrite, again));
    EXPECT_EQ(extractTextDocument(again), extractTextDocument(document));
    EXPECT_EQ(writeRtf(again), rewrite);
}

// The pictures, as their file holds them, of a document read.
std::vector<std::string> pictures(const Document& document) {
    std::vector<std::string> out;
    for (const Image& image : document.images) {
        out.push_back(std::string(defaultFormatWord(image.kind)) + image.format + " " +
                      std::to_string(image.goalWidth) + "x" + std::to_string(image.goalHeight) +
                      " " + std::to_string(image.scaleX) + "%" + std::to_string(image.scaleY) +
                      "% " + image.otherWords + " " + image.data);
    }
    std::sort(out.begin(), out.end());
    return out;
}

// Every picture keeps its bytes, format, goal size and scaling through the
// text area, and each equation its markup.
TEST_P(SampleFile, KeepsItsPicturesAndEquations) {
    QTextDocument document;
    ASSERT_TRUE(readRtfFile(samplePath(GetParam().file), document));
    const Document read = readRtfDocument(readBytes(samplePath(GetParam().file)));
    const Document rewrite = readRtfDocument(writeRtf(document).toStdString());
    EXPECT_EQ(pictures(rewrite), pictures(read));
    EXPECT_EQ(rewrite.objects, read.objects);
    EXPECT_EQ(rewrite.footnotes.size(), read.footnotes.size());
}

// What LibreOffice must keep of our rewrite: the text, and per character its
// emphasis, position, size, offset and colours; per paragraph its alignment
// and left indent.
std::vector<std::string> signature(const Document& document) {
    std::vector<std::string> lines;
    test::forEachParagraph(document, [&lines](const Paragraph& p) {
        std::string line = "P" + std::to_string(static_cast<int>(p.format.alignment)) + "|" +
                           std::to_string(p.format.leftTwips) + ":";
        for (const Span& span : p.spans) {
            if (span.image >= 0) {
                line += "[image]"; // a picture has no size or colour of its own there
                continue;
            }
            const CharFormat& f = span.format;
            line += "[" + test::utf8(span.text) + "|" + (f.bold ? "b" : "") +
                    (f.italic ? "i" : "") + (f.underline ? "u" : "") + (f.strike ? "s" : "") +
                    std::to_string(static_cast<int>(f.vertical)) + "|" +
                    std::to_string(f.halfPoints) + "|" + std::to_string(f.offsetHalfPoints) + "|" +
                    std::to_string(f.foreground) + "|" + std::to_string(f.background) + "]";
        }
        lines.push_back(line);
    });
    return lines;
}

// LibreOffice drops the tab that follows a footnote's number when it reads
// the note; the rest of the note's text is compared.
std::string withoutNoteTabs(QString text) {
    static const QRegularExpression kNoteTab(QStringLiteral("(^|\\n)(\\d+)\\t"));
    return text.replace(kNoteTab, QStringLiteral("\\1\\2")).toStdString();
}

TEST_P(SampleFile, LibreOfficeReadsTheRewrite) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    }
    QTemporaryDir dir;
    const QString ours = dir.filePath(QStringLiteral("ours.rtf"));
    QTextDocument document;
    ASSERT_TRUE(readRtfFile(samplePath(GetParam().file), document));
    ASSERT_TRUE(writeRtfFile(ours, document));

    // A profile of its own, so that parallel runs do not share one.
    QProcess process;
    process.start(soffice,
                  {QStringLiteral("-env:UserInstallation=") +
                       QUrl::fromLocalFile(dir.filePath(QStringLiteral("profile"))).toString(),
                   QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                   QStringLiteral("rtf"), QStringLiteral("--outdir"),
                   dir.filePath(QStringLiteral("out")), ours});
    ASSERT_TRUE(process.waitForFinished(180000)) << "LibreOffice did not finish";
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    const std::string converted = readBytes(dir.filePath(QStringLiteral("out/ours.rtf")));
    ASSERT_FALSE(converted.empty());

    QTextDocument back;
    ASSERT_TRUE(readRtf(QByteArray::fromStdString(converted), back));
    EXPECT_EQ(withoutNoteTabs(plainText(back)), withoutNoteTabs(plainText(document)));
    EXPECT_EQ(signature(extractTextDocument(back)), signature(extractTextDocument(document)));
}

INSTANTIATE_TEST_SUITE_P(Rtf, SampleFile, ::testing::ValuesIn(kSamples),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace ohmora::rtf
