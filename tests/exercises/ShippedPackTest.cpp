// The exercise pack that ships with the program: it builds without an
// error, every exercise file names files that exist, every configuration
// loads, and every figure a correction states (its check lines) is within
// 1 % of what the simulator computes for the exercise's configuration and
// stands in the correction's text as written.

#include "core/Transients.h"
#include "exercises/ExerciseFile.h"
#include "exercises/ExercisePack.h"
#include "files/ConfigurationFile.h"
#include "richtext/RichText.h"
#include "window/Validation.h"

#include <QTextDocument>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>
#include <unistd.h>

using namespace ohmora;
using namespace ohmora::exercises;
namespace fs = std::filesystem;

namespace {

const fs::path kSources = fs::path(OHMORA_SOURCE_DIR) / "data" / "exercices";

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A French figure with its unit ("7,26 ms", "182 mA", "1,80 mJ") in SI.
std::optional<double> figure(const std::string& text) {
    std::istringstream in(text);
    std::string number, unit;
    in >> number >> unit;
    std::replace(number.begin(), number.end(), ',', '.');
    char* end = nullptr;
    const double v = std::strtod(number.c_str(), &end);
    if (end != number.c_str() + number.size() || unit.empty()) {
        return std::nullopt;
    }
    double scale = 1;
    if (unit.rfind("µ", 0) == 0) {
        scale = 1e-6, unit = unit.substr(std::string("µ").size());
    } else if (unit.size() == 2 && unit[0] == 'm') {
        scale = 1e-3, unit = unit.substr(1);
    }
    if (unit != "s" && unit != "V" && unit != "A" && unit != "J") {
        return std::nullopt;
    }
    return v * scale;
}

int slotOf(const std::string& quantity, int montage) {
    if (montage == 2 && quantity == "u_b") {
        return 0;
    }
    if (montage == 2 && quantity == "u_R") {
        return 1;
    }
    static const std::map<std::string, int> kSlots = {
        {"u_R1", 0}, {"u_C", 1}, {"u_R2", 2}, {"u_b", 3}, {"i", 4}, {"E_C", 5}, {"E_b", 6}};
    const auto it = kSlots.find(quantity);
    return it == kSlots.end() ? -1 : it->second;
}

// What a check's kind computes from the configuration, in SI.
std::optional<double> computed(const std::string& kind, const Controls& c) {
    const auto p = parameterValues(c.textv);
    const double micro = 1e-6, milli = 1e-3;
    std::istringstream in(kind);
    std::string name;
    in >> name;
    const double U = c.montage == 0 ? p[0] : (c.montage == 1 ? p[4] : p[10]);
    if (name == "tau_charge") {
        return c.montage == 0 ? p[1] * p[2] * micro : p[5] * p[6] * micro;
    }
    if (name == "tau_discharge") {
        return p[3] * p[2] * micro;
    }
    if (name == "tau_rl") {
        return p[11] * milli / (p[13] + p[12]);
    }
    if (name == "i_final") {
        return p[10] / (p[13] + p[12]);
    }
    if (name == "T0") {
        return 2 * std::numbers::pi * std::sqrt(p[8] * milli * p[6] * micro);
    }
    if (name == "pseudo_period") {
        const double L = p[8] * milli, C = p[6] * micro, R = p[7] + p[9];
        return 2 * std::numbers::pi / std::sqrt(1 / (L * C) - std::pow(R / (2 * L), 2));
    }
    if (name == "energy_c") {
        return 0.5 * (c.montage == 0 ? p[2] : p[6]) * micro * U * U;
    }
    if (name == "energy_l") {
        const double I = p[10] / (p[13] + p[12]);
        return 0.5 * p[11] * milli * I * I;
    }
    if (name == "value") {
        std::string quantity, number, unit;
        int position = 0;
        in >> quantity >> position >> number >> unit;
        const auto t = figure(number + " " + unit);
        const int slot = slotOf(quantity, c.montage);
        if (!t || slot < 0) {
            return std::nullopt;
        }
        CircuitInputs inputs;
        inputs.montage = c.montage;
        inputs.position = position;
        inputs.t = float(*t);
        inputs.u0 = position == 2 && c.montage != 2 ? float(U) : 0.0f;
        inputs.params = p;
        inputs.sustained = c.checkRn && c.montage == 1;
        std::array<float, 9> valeurs{};
        evaluateCircuit(inputs, valeurs);
        return valeurs[size_t(slot)];
    }
    return std::nullopt;
}

class ShippedPack : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        output = fs::temp_directory_path() / ("ohmora-pack-" + std::to_string(::getpid()));
        fs::remove_all(output);
        errors = buildPack(kSources, output, "prise-en-main.manifest");
    }
    static fs::path output;
    static std::vector<std::string> errors;
};
fs::path ShippedPack::output;
std::vector<std::string> ShippedPack::errors;

} // namespace

TEST_F(ShippedPack, BuildsAndEveryFileItNamesExists) {
    for (const std::string& e : errors) {
        ADD_FAILURE() << e;
    }
    int exercises = 0;
    for (const auto& entry : fs::directory_iterator(output)) {
        if (entry.path().extension() != ".E34") {
            continue;
        }
        ++exercises;
        const std::string name = entry.path().filename().string();
        const auto e = readExerciseFile(entry.path());
        ASSERT_TRUE(e) << name;
        EXPECT_TRUE(isCorrected(*e)) << name;
        EXPECT_FALSE(shownTitle(*e).empty()) << name;
        const std::string dir = output.string() + "/";
        for (const std::string& file : {e->statement, e->correction}) {
            QTextDocument text;
            EXPECT_TRUE(rtf::readRtfFile(QString::fromStdString(dir + file), text)) << file;
            EXPECT_GT(rtf::plainText(text).size(), 200) << file;
        }
        for (const std::string& config : {e->configuration, e->correctionConfiguration}) {
            EXPECT_TRUE(files::loadConfiguration(dir + config).controls) << config;
        }
    }
    EXPECT_GE(exercises, 6);
    const auto guide = readExerciseFile(output / "ohmora.PEM");
    ASSERT_TRUE(guide);
    EXPECT_TRUE(fs::exists(output / guide->statement));
    EXPECT_TRUE(files::loadConfiguration(output / guide->configuration).controls);
}

TEST_F(ShippedPack, CorrectionFiguresAgreeWithTheSimulator) {
    int checks = 0;
    for (const auto& entry : fs::directory_iterator(kSources)) {
        if (entry.path().extension() != ".manifest") {
            continue;
        }
        std::vector<std::string> found;
        const Manifest m = parseManifest(slurp(entry.path()), found);
        if (!m.values.count("correction")) {
            continue;
        }
        QTextDocument correction;
        ASSERT_TRUE(rtf::readRtfFile(
            QString::fromStdString((kSources / m.values.at("correction")).string()), correction));
        const std::string text = rtf::plainText(correction).toStdString();
        for (std::string check : m.checks) {
            const std::string row = entry.path().stem().string() + ": " + check;
            std::string source = m.values.at("configuration");
            if (check.rfind("corr:", 0) == 0) {
                source = m.values.at("correction-configuration");
                check = check.substr(5);
            }
            const size_t eq = check.rfind('=');
            ASSERT_NE(eq, std::string::npos) << row;
            const std::string kind = check.substr(0, eq);
            const std::string value = check.substr(check.find_first_not_of(' ', eq + 1));
            std::vector<std::string> sourceErrors;
            const Controls c = parseConfigurationSource(slurp(kSources / source), sourceErrors);
            const auto stated = figure(value);
            const auto exact = computed(kind, c);
            ASSERT_TRUE(stated && exact) << row;
            EXPECT_NEAR(*stated, *exact, 0.01 * std::fabs(*exact)) << row;
            EXPECT_NE(text.find(value), std::string::npos) << row << " is not in the correction";
            ++checks;
        }
    }
    EXPECT_GE(checks, 18);
}
