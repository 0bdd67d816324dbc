#include "RunCommand.h"
#include "PdfSupport.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using ohmora::cli::runCommand;
namespace fs = std::filesystem;

namespace {

struct Result {
    int code;
    std::string out, err;
};

Result run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    int code = runCommand(args, out, err);
    return {code, out.str(), err.str()};
}

fs::path scratch(const std::string& name) {
    fs::path dir = fs::temp_directory_path() / ("ohmora-cli-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir / name;
}

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> split(const std::string& s, char c) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(s);
    while (std::getline(in, part, c)) {
        parts.push_back(part);
    }
    return parts;
}

} // namespace

TEST(RunCommand, WrongArgumentsNameTheArgumentAndWriteNothing) {
    const fs::path table = scratch("never.txt");
    fs::remove(table);
    const std::vector<std::vector<std::string>> cases = {
        {"--table", table.string(), "--montage", "3"},
        {"--table", table.string(), "--param", "14=5"},
        {"--table", table.string(), "--param", "3"},
        {"--table", table.string(), "--quantity", "7"},
        {"--table", table.string(), "--duration", "3 s"},
        {"--table", table.string(), "--switch", "x"},
        {"--table", table.string(), "--ticks", "-1"},
        {"--table", table.string(), "--frobnicate"},
        {"--table", table.string(), "--ticks"},
    };
    for (const auto& args : cases) {
        Result r = run(args);
        EXPECT_EQ(r.code, 2) << args[2];
        EXPECT_NE(r.err.find(args[2]), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(fs::exists(table)) << args[2];
    }
}

TEST(RunCommand, DefaultRecordingTableAndSamples) {
    const fs::path table = scratch("table.txt");
    const fs::path samples = scratch("samples.tsv");
    Result r = run(
        {"--switch", "1", "--until-end", "--table", table.string(), "--samples", samples.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto rows = split(slurp(table), '\n');
    ASSERT_EQ(rows.size(), 53u);
    EXPECT_EQ(rows[0], "\t\t\t\t\t");
    EXPECT_EQ(rows[1], "0 ms\t182 mA\t6,00 V\t0,00 V\t0,00 V\t0,00 J");
    const auto lines = split(slurp(samples), '\n');
    ASSERT_EQ(lines.size(), 201u);
    const auto first = split(lines[0], '\t');
    ASSERT_EQ(first.size(), 12u);
    EXPECT_EQ(first[0], "0");
    EXPECT_EQ(first[1], "0");
    EXPECT_EQ(first[2], "1");
    EXPECT_EQ(first[3], "6");           // u_R1
    EXPECT_EQ(first[7], "0.181818187"); // i = 6/33 in single precision
    const auto second = split(lines[1], '\t');
    EXPECT_EQ(second[0], "0.000500000024");
    EXPECT_EQ(split(lines.back(), '\t')[2], "0"); // the last tick ended it
    EXPECT_EQ(lines.back().find(','), std::string::npos);
}

TEST(RunCommand, ParameterMessagesGoToStandardError) {
    Result r = run({"--param", "0=12,5", "--param", "9=150", "--table", "-"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "U ne doit pas dépasser 12 V avec le simulateur.\n"
                     "La résistance de cette bobine ne doit pas dépasser 100 ohms avec le "
                     "simulateur.\n");
    EXPECT_EQ(r.out, "\t\t\t\t\t\n\t\t\t\t\t\n");
}

TEST(RunCommand, ActionsRunInTheOrderGiven) {
    Result r = run({"--montage", "1", "--quantity", "4", "--switch", "1", "--ticks", "100",
                    "--switch", "2", "--until-end", "--table", "-"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto rows = split(r.out, '\n');
    ASSERT_EQ(rows.size(), 53u);
    EXPECT_EQ(split(rows[1], '\t').size(), 8u);
    EXPECT_EQ(split(rows[1], '\t')[0], "0 ms");
    EXPECT_EQ(split(rows[1], '\t')[1], "0,00 A"); // the coil current starts from 0
    EXPECT_EQ(split(rows[1], '\t')[3], "6,00 V");
}

TEST(RunCommand, SustainedAndTriggerOptions) {
    Result r =
        run({"--montage", "2", "--trigger2", "--switch", "0", "--ticks", "1", "--samples", "-"});
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(split(r.out, '\t')[2], "0"); // no recording from position 1 with the trigger
    r = run({"--montage", "1", "--sustained", "--switch", "1", "--ticks", "80", "--switch", "2",
             "--duration", "1 s"});
    EXPECT_EQ(r.code, 0);
}

// The outputs are written in full before they replace their target: when
// the target cannot be replaced (a directory stands there), nothing else
// appears beside it and the other outputs are still written.
TEST(RunCommand, UnwritableOutputLeavesNoPartialFile) {
    const fs::path dir = scratch("unwritable");
    fs::remove_all(dir);
    fs::create_directories(dir / "t.txt");
    Result r = run({"--switch", "1", "--ticks", "3", "--table", (dir / "t.txt").string(),
                    "--samples", (dir / "s.tsv").string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("impossible d'écrire " + (dir / "t.txt").string()), std::string::npos);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"s.tsv", "t.txt"}));
    EXPECT_TRUE(fs::is_directory(dir / "t.txt"));
    EXPECT_TRUE(fs::is_empty(dir / "t.txt"));
    EXPECT_EQ(split(slurp(dir / "s.tsv"), '\n').size(), 3u);
}

TEST(RunCommand, UntilEndStopsWithoutARecording) {
    Result r = run({"--until-end", "--samples", "-"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.empty());
}

TEST(RunCommand, PicturesAndReadout) {
    const fs::path graph = scratch("graph.png");
    const fs::path schematic = scratch("schematic.png");
    Result r = run({"--readout", "260,125", "--quantity", "4", "--readout", "260,175", "--readout",
                    "59,100", "--switch", "1", "--until-end", "--graph", graph.string(),
                    "--schematic", schematic.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, " 50 ms \t 3,0 V \n 50 ms \t -100,0 mA \nhidden\n");
    EXPECT_TRUE(r.err.empty()) << r.err;
    QImage g(QString::fromStdString(graph.string()));
    QImage s(QString::fromStdString(schematic.string()));
    ASSERT_EQ(g.size(), QSize(529, 249));
    ASSERT_EQ(s.size(), QSize(249, 249));
    // The blade rests on contact 1 and the gradient lies under the drawing.
    EXPECT_EQ(QColor(s.pixel(110, 40)), QColor(Qt::black));
    EXPECT_EQ(QColor(s.pixel(0, 0)), QColor(255, 200, 155));
    // The current curve starts at 6/33 A on a 0.2 A symmetric scale: y = 34.
    int blue = 0;
    for (int x = 59; x <= 61; ++x) {
        for (int y = 32; y <= 36; ++y) {
            blue += QColor(g.pixel(x, y)) == QColor(0, 0, 255);
        }
    }
    EXPECT_GT(blue, 0);
    EXPECT_EQ(QColor(g.pixel(80, 30)), QColor(Qt::white));
}

TEST(RunCommand, PictureOptionsNeedAFile) {
    Result r = run({"--graph", "-"});
    EXPECT_EQ(r.code, 2);
    r = run({"--readout", "12"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("--readout"), std::string::npos);
}

// Configurations from a script: saved and reopened through the same
// operations as the dialogs, failures told on standard error while the run
// goes on, and the exit code 1 at the end.
TEST(RunCommand, ConfigurationsSaveOpenAndCaption) {
    const fs::path saved = scratch("prepared.P16");
    fs::remove(saved);
    Result r = run({"--montage", "2", "--param", "11=500", "--quantity", "4", "--save",
                    saved.string(), "--caption"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Ohmora - " + saved.string() + "\n");
    r = run({"--caption", "--open", saved.string(), "--caption", "--switch", "1", "--ticks", "1",
             "--table", "-"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto lines = split(r.out, '\n');
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Ohmora");
    EXPECT_EQ(lines[1], "Ohmora - " + saved.string());
    EXPECT_EQ(split(lines[2], '\t').size(), 4u); // montage 2's five columns, header row

    const fs::path notConfiguration = scratch("other.P16");
    std::ofstream(notConfiguration) << "hello";
    r = run({"--open", scratch("missing.P16").string(), "--open", notConfiguration.string(),
             "--save", scratch("").string(), "--caption"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "Ohmora\n");
    EXPECT_EQ(r.err, "Nom de fichier incorrect ou chemin non valide\n"
                     "Ce fichier ne correspond pas à cette application\n"
                     "Ecriture impossible sur disque\n");
}

// --print: the printed document of the state at that point, with the page
// options given before it; wrong options are refused before anything runs.
TEST(RunCommand, PrintedDocuments) {
    const fs::path before = scratch("before.pdf");
    const fs::path after = scratch("after.pdf");
    const fs::path table = scratch("print-table.txt");
    fs::remove(before);
    fs::remove(table);
    const auto file = [](const fs::path& p) { return QString::fromStdString(p.string()); };

    struct Wrong {
        const char* name;
        std::vector<std::string> args;
    };
    const Wrong wrongs[] = {
        {"NoCopies", {"--copies", "0"}},
        {"TooManyCopies", {"--copies", "41"}},
        {"CopiesNotANumber", {"--copies", "deux"}},
        {"PrintToStandardOutput", {"--print", "-"}},
        {"PrintWithoutFile", {"--print"}},
        {"TitleWithoutValue", {"--title"}},
    };
    for (const Wrong& w : wrongs) {
        std::vector<std::string> args = {"--table", table.string(), "--print", before.string()};
        args.insert(args.end(), w.args.begin(), w.args.end());
        Result r = run(args);
        EXPECT_EQ(r.code, 2) << w.name;
        EXPECT_NE(r.err.find(w.args[0]), std::string::npos) << w.name << ": " << r.err;
        EXPECT_FALSE(fs::exists(table)) << w.name;
        EXPECT_FALSE(fs::exists(before)) << w.name;
    }

    Result r =
        run({"--no-schematic", "--title", "", "--copies", "3", "--print", before.string(),
             "--switch", "1", "--until-end", "--title", "Charge de C", "--print", after.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;
    EXPECT_EQ(ohmora::test::pdfPageCount(file(before)), 3);
    EXPECT_EQ(ohmora::test::pdfPageCount(file(after)), 3);
    // No title and no schematic: the page's first text is the graph's own
    // (its texts print as text).
    for (const QString& text : ohmora::test::pdfPageTexts(file(before))) {
        EXPECT_TRUE(text.trimmed().startsWith(QStringLiteral("u (V)"))) << text.toStdString();
    }
    const QStringList texts = ohmora::test::pdfPageTexts(file(after));
    ASSERT_EQ(texts.size(), 3);
    EXPECT_TRUE(texts[0].startsWith("Charge de C")) << texts[0].toStdString();
    // The graph of the first document is empty, the second one's holds the
    // curve of the recording: the pages differ in the graph only.
    const std::vector<QImage> a = ohmora::test::pdfPageImages(file(before), 72);
    const std::vector<QImage> b = ohmora::test::pdfPageImages(file(after), 72);
    ASSERT_EQ(a.size(), 3u);
    ASSERT_EQ(b.size(), 3u);
    int differing = 0;
    for (int y = 60; y < a[0].height(); ++y) {
        for (int x = 0; x < a[0].width(); ++x) {
            differing += a[0].pixel(x, y) != b[0].pixel(x, y);
        }
    }
    EXPECT_GT(differing, 100);

    const fs::path directory = scratch("folder.pdf");
    fs::create_directories(directory);
    r = run({"--print", directory.string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("impossible d'écrire " + directory.string() + " ("), std::string::npos)
        << r.err;
    EXPECT_TRUE(fs::is_directory(directory));
}

// The exercise text area from a script: an exercise with its configuration,
// its correction, the guide, the text and its state read back at each
// point; failures told on standard error with the exit code 1.
TEST(RunCommand, ExercisesThroughTheTextArea) {
    const std::string dir = OHMORA_PROGRAM_DIR;
    const std::string exercise = dir + "/rl-01-etablissement-courant.E34";
    const fs::path pdf = scratch("texte.pdf");
    fs::remove(pdf);
    Result r = run({"--dir", dir, "--text", "-", "--exercise", exercise, "--state", "--caption",
                    "--correction", "--state", "--print-text", pdf.string(), "--guide", "--state"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Ohmora\n\nCe simulateur permet", 0), 0u); // the welcome text first
    EXPECT_NE(r.out.find("fich\t" + exercise + "\ncorrige\t1\ntextemodifie\t0\ndossierexo\t" + dir +
                         "/\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("Ohmora - " + dir + "/rl-01-etablissement-courant-enonce.P16\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("fich\t" + dir + "/ohmora.PEM\ncorrige\t0\n"), std::string::npos);
    EXPECT_TRUE(fs::file_size(pdf) > 1000);

    r = run({"--exercise", scratch("absent.E34").string(), "--state"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Vérifier:\n- le nom du fichier,\n- l'état du lecteur.\n");
    EXPECT_EQ(r.out.rfind("fich\t\n", 0), 0u);
    // Without "ohmora.PEM", "Prise en main" does nothing, as in the window.
    r = run({"--dir", scratch("").string(), "--guide", "--state"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.rfind("fich\t\n", 0), 0u);
}
