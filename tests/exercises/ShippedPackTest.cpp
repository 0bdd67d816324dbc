// The exercise pack that ships with the program, read as a teacher and a
// proofreader read it: the review of its sources finds nothing (every
// figure of every correction checked against the simulator and written as
// checked, French typography, the programme stated), and that review does
// catch the faults it is there for; every exercise opens with its
// correction in the batch runner, its checked figures in the text shown;
// the help page and the French manual pages keep French typography too.

#include "PackChecks.h"
#include "PackReview.h"
#include "PackTexts.h"
#include "exercises/ExerciseFile.h"
#include "exercises/ExercisePack.h"
#include "files/ConfigurationFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <unistd.h>

using namespace ohmora;
using namespace ohmora::pack;
namespace fs = std::filesystem;

namespace {

const fs::path kSource = OHMORA_SOURCE_DIR;
const fs::path kSources = kSource / "data" / "exercices";
const std::string kFirst = "rc-01-charge-constante-de-temps";

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void write(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

fs::path scratch(const std::string& name) {
    const fs::path dir =
        fs::temp_directory_path() / ("ohmora-shipped-" + std::to_string(::getpid()) + "-" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

bool mentions(const std::vector<std::string>& problems, const std::string& words) {
    for (const std::string& p : problems) {
        if (p.find(words) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// The configurations of the first exercise, where the rows below start.
CheckConfigurations firstConfigurations() {
    std::vector<std::string> errors;
    CheckConfigurations c;
    c.statement =
        exercises::parseConfigurationSource(slurp(kSources / (kFirst + "-enonce.cfg")), errors);
    c.correction =
        exercises::parseConfigurationSource(slurp(kSources / (kFirst + "-corrige.cfg")), errors);
    EXPECT_TRUE(errors.empty());
    return c;
}

} // namespace

TEST(ShippedPack, ReviewFindsNothing) {
    for (const std::string& problem : reviewSources(kSources)) {
        ADD_FAILURE() << problem;
    }
}

TEST(ShippedPack, BuildsAndEveryFileItNamesExists) {
    const fs::path output = scratch("build");
    for (const std::string& e : exercises::buildPack(kSources, output, "prise-en-main.manifest")) {
        ADD_FAILURE() << e;
    }
    int count = 0;
    for (const auto& entry : fs::directory_iterator(output)) {
        if (entry.path().extension() != ".E34") {
            continue;
        }
        ++count;
        const auto e = exercises::readExerciseFile(entry.path());
        ASSERT_TRUE(e) << entry.path();
        EXPECT_TRUE(exercises::isCorrected(*e)) << entry.path();
        for (const std::string& file : {e->statement, e->correction}) {
            EXPECT_TRUE(fs::exists(output / file)) << file;
        }
        for (const std::string& config : {e->configuration, e->correctionConfiguration}) {
            EXPECT_TRUE(files::loadConfiguration(output / config).controls) << config;
        }
    }
    EXPECT_EQ(count, 16);
}

// Each row is a fault the review must see in a check line of the first
// exercise, or a right line it must pass.
TEST(PackChecks, CatchWrongFigures) {
    struct Row {
        const char* name;
        const char* line;
        const char* problem; // empty: the line is right
    };
    const Row rows[] = {
        {"formula right", "tau_charge = 94,0 ms", ""},
        {"formula wrong", "tau_charge = 95,0 ms", "exact value is 0.094"},
        {"rounded the wrong way", "value u_C 1 94,0 ms = 3,80 V", "exact value"},
        {"arithmetic as written", "calc (59,9 - 58,9) / 58,9 = 1,6 %", "exact value"},
        {"arithmetic right", "calc (59,87 - 58,94) / 58,94 = 1,6 %", ""},
        {"table as shown", "table u_C 1 90 ms = 3,70 V", ""},
        {"table misread", "table u_C 1 90 ms = 3,71 V", "the screen shows 3,70 V"},
        {"no such row", "table u_C 1 91 ms = 3,70 V", "no row 91 ms"},
        {"negative cell", "trigger2=1; table i 1+2 0 ms = −60,00 mA", ""},
        {"table emptied by the second click", "table i 1+2 0 ms = −60,00 mA", "no recording"},
        {"cursor as shown", "cursor u_C 1 93,75 ms = 3,78 V", ""},
        {"value between pixels", "cursor u_C 1 93,75 ms = 3,79 V", "the screen shows 3,78 V"},
        {"date between pixels", "cursor u_C 1 93,8 ms = 3,78 V", "cannot show the date"},
        {"curve not drawn", "cursor u_R1 1 93,75 ms = 3,78 V", "not ticked"},
        {"curve drawn in the correction", "corr: cursor u_R1 1 65 ms = 3,0 V", ""},
        {"level no row shows", "crossing u_C 1 up 3,79 V 1 = 93,75 ms", "no single row"},
        {"crossing as shown", "crossing u_C 1 up 3,78 V 1 = 93,75 ms", ""},
        {"setting a pupil types", "param.1=940; tau_charge = 188 ms", ""},
        {"setting the box rewrites", "param.1=945; tau_charge = 188 ms", "would show"},
        {"pixel of the cursor", "cursor_time_step = 1,25 ms", ""},
        {"time constant the graph writes", "tau_tool u_C 1 = 93,75 ms", ""},
        {"time constant misread", "tau_tool u_C 1 = 94 ms", "the screen shows 93,75 ms"},
        {"time constant of a curve not drawn", "tau_tool u_R1 1 = 93,75 ms", "not ticked"},
    };
    const CheckConfigurations configurations = firstConfigurations();
    for (const Row& row : rows) {
        const CheckOutcome outcome = verifyCheck(row.line, configurations);
        if (*row.problem == '\0') {
            EXPECT_EQ(outcome.problem, "") << row.name;
        } else {
            EXPECT_NE(outcome.problem.find(row.problem), std::string::npos)
                << row.name << ": " << outcome.problem;
        }
    }
}

// The review of a copy of the first exercise in which a teacher slipped:
// a figure without its check line, a checked figure written otherwise in
// the text, a blank that breaks, and no word of the programme.
TEST(PackReview, SeesWhatATeacherSlipped) {
    const fs::path dir = scratch("review");
    for (const auto& entry : fs::directory_iterator(kSources)) {
        if (entry.path().filename().string().rfind(kFirst, 0) == 0) {
            fs::copy_file(entry.path(), dir / entry.path().filename());
        }
    }
    const fs::path manifest = dir / (kFirst + ".manifest");
    const fs::path correction = dir / (kFirst + "-corrige.rtf");
    std::string m = replaced(slurp(manifest), "check = table u_C 1 90 ms = 3,70 V\n", "");
    write(manifest, replaced(m, "Programme de terminale", "Terminale"));
    std::string rtf = replaced(slurp(correction), "soit 99,3\\~%", "soit 99,4\\~%");
    write(correction, replaced(rtf, "6\\~V\\~: c'est", "6 V\\~: c'est"));
    const auto problems = reviewSources(dir);
    EXPECT_TRUE(mentions(problems, "states 90 ms without a check line"));
    EXPECT_TRUE(mentions(problems, "99,3 % is not written in the correction"));
    EXPECT_TRUE(mentions(problems, "states 99,4 % without a check line"));
    EXPECT_TRUE(mentions(problems, "-corrige.rtf: a no-break space between a number and its unit"));
    EXPECT_TRUE(mentions(problems, "topics do not say \"Programme de terminale\""));
    EXPECT_EQ(problems.size(), 5u);
}

TEST(PackTexts, FrenchTypography) {
    struct Row {
        const char* name;
        const char* text;
        size_t faults;
    };
    const Row rows[] = {
        {"all kept",
         "Objectif\u00A0: 6\u00A0V\u202F; «\u202FMontage\u202F» et 1\u00A0000\u00A0µF\u202F?", 0},
        {"colon", "Objectif : mesurer", 1},
        {"number and unit", "U = 6 V et 220·10−6 s", 2},
        {"groups of digits", "R = 1 000 et 0,123 456", 1},
        {"guillemets", "l'onglet « Montage »", 2},
        {"question mark", "Que vaut τ ?", 1},
        {"hyphen for a minus", "le tableau affiche -6,00\u00A0mA et (−3 + 1)", 1},
        {"apostrophe for a prime", "τ' = R2·C", 1},
        {"a caption quoted as it is", "«\u202FQuitter vraiment Ohmora ?\u202F»", 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(typographyFaults(row.text).size(), row.faults) << row.name;
    }
    EXPECT_EQ(typographyFaults("«\u00A0Aide\u00A0»\u00A0;", Spacing::Terminal).size(), 0u);
    EXPECT_EQ(typographyFaults("«\u00A0Aide\u00A0»", Spacing::Print).size(), 2u);
    EXPECT_EQ(
        rtfText("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\'e9t\\'e9\\~:\\u8239?\\u8722?1\\par}"),
        "été\u00A0:\u202F−1\n");
}

TEST(ShippedTexts, HelpAndManualPagesKeepFrenchTypography) {
    for (const std::string& fault :
         typographyFaults(htmlText(slurp(kSource / "data" / "aide" / "ohmora-aide.html")))) {
        ADD_FAILURE() << "ohmora-aide.html: " << fault;
    }
    for (const char* page : {"ohmora.1", "ohmora-cli.1"}) {
        const std::string text = roffText(slurp(kSource / "packaging" / "man" / "fr" / page));
        for (const std::string& fault : typographyFaults(text, Spacing::Terminal)) {
            ADD_FAILURE() << page << ": " << fault;
        }
    }
}

// Each exercise of the build's program directory, opened as the browser
// opens it and then corrected, by the batch runner: the state, the
// correction's configuration applied, and every checked figure in the
// correction as the text area shows it.
TEST(ShippedPack, EachExerciseOpensWithItsCorrection) {
    const fs::path out = scratch("open");
    const std::string dir = OHMORA_PROGRAM_DIR;
    int count = 0;
    for (const auto& entry : fs::directory_iterator(kSources)) {
        if (entry.path().extension() != ".manifest" || entry.path().stem() == "prise-en-main") {
            continue;
        }
        ++count;
        const std::string id = entry.path().stem().string();
        const std::string command =
            std::string("'") + OHMORA_CLI + "' run --dir '" + dir + "' --exercise '" + dir + "/" +
            id + ".E34' --text '" + (out / "statement.txt").string() +
            "' --correction --state --caption --text '" + (out / "correction.txt").string() +
            "' > '" + (out / "state.txt").string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << id;
        const std::string state = slurp(out / "state.txt");
        EXPECT_NE(state.find("corrige\t1\n"), std::string::npos) << id << ": " << state;
        EXPECT_NE(state.find("Ohmora - " + dir + "/" + id + "-corrige.P16\n"), std::string::npos)
            << id << ": " << state;
        EXPECT_EQ(slurp(out / "statement.txt").rfind("Exercice ", 0), 0u) << id;
        // The text area shows no-break spaces; figures are written with blanks.
        const std::string correction =
            std::regex_replace(slurp(out / "correction.txt"), std::regex("\u00A0|\u202F"), " ");
        std::vector<std::string> errors;
        for (const std::string& check :
             exercises::parseManifest(slurp(entry.path()), errors).checks) {
            const std::string figure = check.substr(check.rfind('=') + 1);
            EXPECT_NE(correction.find(figure.substr(figure.find_first_not_of(' '))),
                      std::string::npos)
                << id << ": " << check;
        }
    }
    EXPECT_EQ(count, 16);
}
