// ohmora-cli's measuring tools and exports: the cursors' and τ's readings,
// the recording as CSV in both conventions, the pictures at a scale and as
// SVG with the constructions drawn on the graph.

#include "RunCommand.h"

#include <gtest/gtest.h>

#include <QImage>

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
    const int code = runCommand(args, out, err);
    return {code, out.str(), err.str()};
}

class MeasuresCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("ohmora-cli-measures-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string file(const std::string& name) const { return (dir / name).string(); }
    std::string read(const std::string& name) const {
        std::ifstream in(dir / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    QImage image(const std::string& name) const {
        return QImage(QString::fromStdString(file(name)));
    }
    fs::path dir;
};

const std::vector<std::string> kCharge = {"--quantity", "0", "--switch", "1", "--until-end"};

std::vector<std::string> charge(std::vector<std::string> more) {
    std::vector<std::string> args = kCharge;
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

} // namespace

// The readings as the window shows them, in the order given; the
// constructions on the graph written afterwards, in PNG and in SVG.
TEST_F(MeasuresCommand, CursorsAndTauPrintTheirReadingsAndDrawOnTheGraph) {
    const Result bare = run(charge({"--graph", file("bare.png")}));
    ASSERT_EQ(bare.code, 0) << bare.err;
    const Result r = run(charge({"--cursors", "80,160", "--tau", "1", "--graph", file("g.png"),
                                 "--graph-svg", file("g.svg")}));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "t1\t5 ms\nt2\t25 ms\ndt\t20 ms\n"
                     "u_R1\t3,01 V\t192 mV\t-2,82 V\nu_C\t2,99 V\t5,81 V\t2,82 V\n"
                     "tau\tτ ≈ 7,25 ms (± 0,25 ms)\n");
    EXPECT_TRUE(r.err.empty()) << r.err;
    const QImage drawn = image("g.png"), without = image("bare.png");
    ASSERT_EQ(drawn.size(), QSize(529, 249));
    EXPECT_NE(drawn, without);
    EXPECT_NE(read("g.svg").find(">τ ≈ 7,25 "), std::string::npos);
}

// τ of a curve that is not a first-order transient of the recording, or of
// a quantity not drawn: a French message, the run fails, nothing printed.
TEST_F(MeasuresCommand, TauRefusedWithAFrenchMessage) {
    const struct {
        const char* name;
        std::vector<std::string> args;
        const char* message;
    } rows[] = {
        {"Oscillations",
         {"--montage", "1", "--switch", "1", "--ticks", "20", "--switch", "2", "--until-end",
          "--tau", "1"},
         "Cette courbe n'est pas un régime transitoire du premier ordre de l'enregistrement\n"},
        {"NotTicked", charge({"--tau", "4"}), "Cette grandeur n'est pas tracée sur le graphe\n"},
        {"NoRecording", {"--tau", "1"}, "Aucun enregistrement sur le graphe\n"},
    };
    for (const auto& row : rows) {
        const Result r = run(row.args);
        EXPECT_EQ(r.code, 1) << row.name;
        EXPECT_EQ(r.err, row.message) << row.name;
        EXPECT_EQ(r.out.find("tau"), std::string::npos) << row.name;
    }
}

// The convention given before each --csv; without a recording, the message
// on standard error and no file.
TEST_F(MeasuresCommand, CsvInBothConventions) {
    const Result r = run(charge({"--csv", file("fr.csv"), "--csv-format", "intl", "--csv",
                                 file("intl.csv"), "--csv-format", "fr", "--csv", "-"}));
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string fr = read("fr.csv"), intl = read("intl.csv");
    EXPECT_EQ(fr.substr(0, fr.find('\r')), "t (s);i (A);u_R1 (V);u_C (V);u_R2 (V);E_C (J)");
    EXPECT_EQ(intl.substr(0, intl.find('\r')), "t (s),i (A),u_R1 (V),u_C (V),u_R2 (V),E_C (J)");
    EXPECT_EQ(std::count(fr.begin(), fr.end(), '\n'), 201); // header and 200 points
    EXPECT_NE(intl.find("\r\n0.0005,0.16971773,"), std::string::npos);
    EXPECT_EQ(r.out, fr);

    const Result none = run({"--csv", file("none.csv")});
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.err, "Aucun enregistrement à exporter\n");
    EXPECT_FALSE(fs::exists(dir / "none.csv"));
}

// Each picture at the scale given before it; SVG with its text as text.
TEST_F(MeasuresCommand, PicturesAtTheirScaleAndAsSvg) {
    const Result r = run(charge({"--graph", file("g1.png"), "--picture-scale", "2", "--graph",
                                 file("g2.png"), "--picture-scale", "4", "--schematic",
                                 file("s4.png"), "--schematic-svg", file("s.svg")}));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(image("g1.png").size(), QSize(529, 249));
    EXPECT_EQ(image("g2.png").size(), QSize(1058, 498));
    EXPECT_EQ(image("s4.png").size(), QSize(996, 996));
    EXPECT_EQ(image("g2.png").dotsPerMeterX(), 7560); // the same size on paper
    const std::string svg = read("s.svg");
    EXPECT_NE(svg.find("viewBox=\"0 0 249 249\""), std::string::npos);
    EXPECT_NE(svg.find(">C</text>"), std::string::npos);
}

TEST_F(MeasuresCommand, WrongValuesAreRefusedBeforeAnything) {
    const std::vector<std::vector<std::string>> wrongs = {
        {"--picture-scale", "3"}, {"--picture-scale", "8"}, {"--csv-format", "de"},
        {"--cursors", "100"},     {"--cursors", "a,b"},     {"--tau", "7"},
        {"--graph-svg", "-"},     {"--schematic-svg", "-"},
    };
    for (const auto& w : wrongs) {
        std::vector<std::string> args = {"--csv", file("never.csv")};
        args.insert(args.end(), w.begin(), w.end());
        const Result r = run(args);
        EXPECT_EQ(r.code, 2) << w[0] << ' ' << w[1];
        EXPECT_NE(r.err.find(w[0]), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(dir / "never.csv"));
    }
}
