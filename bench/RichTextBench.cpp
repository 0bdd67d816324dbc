// Reading and writing exercise statements of 1 MB and 10 MB: text in
// several formats, tables and a picture, as a word processor writes them.
// The cost must grow linearly with the size. Opening a statement with 20
// equations drawn as WMF, with the helper program that converts them and
// without it, against the same conversion in this process.

#include "richtext/MetafileConverter.h"
#include "richtext/MetafileSvg.h"
#include "richtext/RichText.h"
#include "richtext/RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

constexpr std::int64_t kMegabyte = 1 << 20;

// A picture that compresses badly, so that its hex data weighs in the file.
QByteArray picture() {
    QImage image(160, 120, QImage::Format_RGB32);
    QRandomGenerator random(1234);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, random.generate() | 0xFF000000u);
        }
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

const char* const kHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
    "{\\f1\\froman\\fcharset2 Symbol;}{\\f2\\froman\\fcharset0 Times New Roman;}}"
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue200;\\red255\\green0\\blue0;}"
    "{\\stylesheet{\\s0 Normal;}}{\\info{\\title Enonce}}\\paperw11906\\paperh16838\r\n";

const char* const kParagraphs =
    "\\pard\\plain\\qc\\sb120\\sa120 {\\rtlch\\fcs1 \\ltrch\\fcs0 \\b\\fs32\\cf2\\insrsid5310451 "
    "Charge d\\rquote un condensateur}\\par\r\n"
    "\\pard\\plain\\qj\\li284\\sa160\\sl259\\slmult1 {\\insrsid5310451 Un condensateur de "
    "capacit\\'e9 C = 220 }{\\f1 m}{\\insrsid5310451 F est charg\\'e9 \\'e0 travers un conducteur "
    "ohmique de r\\'e9sistance R = 33 }{\\f1 W}{. La tension u}{\\sub C}{ atteint 63 % de E au "
    "bout "
    "de }{\\f1 t}{ = RC = 7,26\\'d710}{\\super -3}{ s. }{\\i La pulsation propre "
    "\\u969\\'77}{\\sub "
    "0}{ v\\'e9rifie \\u969\\'77}{\\super 2}{ = 1/LC.}\\par\r\n"
    "{\\listtext\\pard\\plain \\f1 \\'b7\\tab}\\pard\\plain\\fi-360\\li720 {basculer "
    "l\\rquote interrupteur K en position 1 ;}\\par\r\n"
    "{\\listtext\\pard\\plain \\f1 \\'b7\\tab}\\pard\\plain\\fi-360\\li720 {\\ul\\cf3 relever} "
    "u{\\sub C} toutes les 2 ms.\\par\r\n";

const char* const kTable =
    "\\trowd\\trgaph108\\trleft-108\\cellx2000\\cellx4000\\cellx6000\\cellx8000\r\n"
    "\\pard\\plain\\intbl {\\b t (ms)}\\cell {0}\\cell {2}\\cell {4}\\cell\\row\r\n"
    "\\trowd\\trgaph108\\trleft-108\\cellx2000\\cellx4000\\cellx6000\\cellx8000\r\n"
    "\\pard\\plain\\intbl {u}{\\sub C}{ (V)}\\cell {0,00}\\cell {1,46}\\cell {2,58}\\cell\\row\r\n"
    "\\pard\\plain\\par\r\n";

std::string statement(std::int64_t size) {
    std::string rtf = kHeader;
    rtf += "\\pard\\qc "
           "{\\*\\shppict{\\pict\\pngblip\\picw160\\pich120\\picwgoal2400\\pichgoal1800\r\n";
    rtf += picture().toHex().toStdString();
    rtf += "}}{\\nonshppict{\\pict\\wmetafile8 0100}}\\par\r\n";
    while (static_cast<std::int64_t>(rtf.size()) < size) {
        rtf += kParagraphs;
        rtf += kTable;
    }
    return rtf + "}";
}

void readStatement(benchmark::State& state) {
    const std::string rtf = statement(state.range(0) * kMegabyte);
    const QByteArrayView bytes(rtf.data(), static_cast<qsizetype>(rtf.size()));
    QTextDocument document;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ohmora::rtf::readRtf(bytes, document));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(rtf.size()));
}
BENCHMARK(readStatement)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// The part of reading that knows nothing of Qt.
void readModel(benchmark::State& state) {
    const std::string rtf = statement(state.range(0) * kMegabyte);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ohmora::rtf::readRtfDocument(rtf));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(rtf.size()));
}
BENCHMARK(readModel)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

void writeStatement(benchmark::State& state) {
    const std::string rtf = statement(state.range(0) * kMegabyte);
    QTextDocument document;
    ohmora::rtf::readRtf(QByteArrayView(rtf.data(), static_cast<qsizetype>(rtf.size())), document);
    std::int64_t written = 0;
    for (auto _ : state) {
        const QByteArray out = ohmora::rtf::writeRtf(document);
        written = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * written);
    state.counters["output_bytes"] = static_cast<double>(written);
}
BENCHMARK(writeStatement)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// The equations' WMF pictures of the statement LibreOffice made for the
// tests (Writer and Math).
std::vector<ohmora::rtf::Image> equationPictures() {
    const std::filesystem::path path =
        std::filesystem::path(__FILE__).parent_path() / "../tests/data/rtf/statement-equations.rtf";
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    const ohmora::rtf::Document document =
        ohmora::rtf::readRtfDocument(std::string_view(bytes.constData(), bytes.size()));
    std::vector<ohmora::rtf::Image> pictures;
    for (const ohmora::rtf::Image& image : document.images) {
        if (image.kind == ohmora::rtf::ImageKind::Wmf && image.heightTwips < 1000) {
            pictures.push_back(image);
        }
    }
    return pictures;
}

constexpr int kEquations = 20;

// A statement of 20 paragraphs, each with an equation as word processors
// write it: its markup and its picture.
std::string equationStatement() {
    const std::vector<ohmora::rtf::Image> pictures = equationPictures();
    std::string rtf = kHeader;
    for (int i = 0; i < kEquations && !pictures.empty(); ++i) {
        const ohmora::rtf::Image& image = pictures[static_cast<std::size_t>(i) % pictures.size()];
        rtf += "\\pard\\qj La tension aux bornes du condensateur v\\'e9rifie "
               "{\\mmath{\\*\\moMath{\\mr u}}{\\mmathPict{\\pict\\wmetafile8\\picw" +
               std::to_string(image.pixelWidth) + "\\pich" + std::to_string(image.pixelHeight) +
               "\\picwgoal" + std::to_string(image.goalWidth) + "\\pichgoal" +
               std::to_string(image.goalHeight) + "\r\n" +
               QByteArray::fromStdString(image.data).toHex().toStdString() +
               "}}} pour t > 0.\\par\r\n";
    }
    return rtf + "}";
}

// Opening into the text area: reading, laying out and drawing the first
// screen. Argument 1: the metafiles are converted by the helper program of
// this build; 0: there is no helper, and they are placeholders.
void openEquationStatement(benchmark::State& state) {
    const std::string rtf = equationStatement();
    const QByteArrayView bytes(rtf.data(), static_cast<qsizetype>(rtf.size()));
    qputenv("OHMORA_METAFILE_HELPER",
            state.range(0) != 0 ? OHMORA_PROGRAM_DIR "/ohmora-metafile" : "/nonexistent");
    QImage screen(800, 1000, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QTextDocument document;
        if (!ohmora::rtf::readRtf(bytes, document)) {
            state.SkipWithError("the statement was not read");
            break;
        }
        document.setTextWidth(screen.width());
        benchmark::DoNotOptimize(document.documentLayout()->documentSize());
        QPainter painter(&screen);
        document.drawContents(&painter, QRectF(screen.rect()));
    }
    qunsetenv("OHMORA_METAFILE_HELPER");
}
BENCHMARK(openEquationStatement)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The conversion alone of the 20 pictures: through the helper (1), or in
// this process (0), as the program would do without isolation.
void convertEquations(benchmark::State& state) {
    const std::vector<ohmora::rtf::Image> pictures = equationPictures();
    if (pictures.empty()) {
        state.SkipWithError("no pictures");
        return;
    }
    std::vector<ohmora::rtf::MetafileJob> jobs;
    jobs.reserve(kEquations);
    for (int i = 0; i < kEquations; ++i) {
        jobs.push_back({ohmora::rtf::ImageKind::Wmf,
                        &pictures[static_cast<std::size_t>(i) % pictures.size()].data});
    }
    const ohmora::rtf::MetafileOptions helper{QStringLiteral(OHMORA_PROGRAM_DIR "/ohmora-metafile"),
                                              0};
    for (auto _ : state) {
        if (state.range(0) != 0) {
            benchmark::DoNotOptimize(ohmora::rtf::convertMetafiles(jobs, helper));
        } else {
            for (const ohmora::rtf::MetafileJob& job : jobs) {
                benchmark::DoNotOptimize(ohmora::rtf::metafileToSvg(job.kind, *job.bytes));
            }
        }
    }
}
BENCHMARK(convertEquations)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
