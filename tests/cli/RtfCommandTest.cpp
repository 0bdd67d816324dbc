#include "RtfCommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace ohmora::cli {
namespace {

namespace fs = std::filesystem;

const std::string kSamples = OHMORA_TEST_DATA_DIR "/rtf/";

fs::path scratch(const std::string& name) {
    const fs::path dir =
        fs::temp_directory_path() / ("ohmora-cli-rtf-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir / name;
}

struct RtfCommandCase {
    const char* name;
    std::vector<std::string> args;
    int code;
    const char* out; // expected standard output, or a part of standard error when failing
};

std::ostream& operator<<(std::ostream& out, const RtfCommandCase& c) {
    return out << c.name;
}

class RtfCommand : public ::testing::TestWithParam<RtfCommandCase> {};

TEST_P(RtfCommand, ExitsWithItsCode) {
    std::ostringstream out, err;
    const int code = runRtfCommand(GetParam().args, out, err);
    EXPECT_EQ(code, GetParam().code) << err.str();
    if (code == 0) {
        EXPECT_EQ(out.str(), GetParam().out);
        EXPECT_EQ(err.str(), "");
    } else {
        EXPECT_NE(err.str().find(GetParam().out), std::string::npos) << err.str();
        EXPECT_EQ(out.str(), "");
    }
}

const RtfCommandCase kCases[] = {
    {"text",
     {kSamples + "welcome-libreoffice.rtf", "--text"},
     0,
     "Ohmora\n\nCe simulateur permet d'étudier la charge et la décharge d'un condensateur à "
     "travers un conducteur ohmique.\n- choisir le montage dans la liste (onglet Montage),\n"
     "Vous pouvez obtenir l'énoncé d'un exercice en appuyant sur l'onglet Exercices.\n"},
    {"missing_file", {kSamples + "absent.rtf", "--text"}, 1, "impossible de lire"},
    {"not_rtf", {kSamples + "README.md", "--text"}, 1, "n'est pas un fichier RTF"},
    {"no_option", {kSamples + "welcome-libreoffice.rtf"}, 2, "Usage\u00A0: ohmora-cli rtf"},
    {"unknown_option", {kSamples + "welcome-libreoffice.rtf", "--html"}, 2, "Usage"},
    {"rewrite_without_output", {kSamples + "welcome-libreoffice.rtf", "--rewrite"}, 2, "Usage"},
    {"rewrite_into_a_missing_directory",
     {kSamples + "welcome-libreoffice.rtf", "--rewrite", "/nonexistent/dir/out.rtf"},
     1,
     "impossible d'écrire"},
};

INSTANTIATE_TEST_SUITE_P(Cli, RtfCommand, ::testing::ValuesIn(kCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(RtfCommandRewrite, WritesAFileThatGivesTheSameText) {
    const fs::path output = scratch("réécrit.rtf");
    std::ostringstream out, err, text, again;
    ASSERT_EQ(
        runRtfCommand({kSamples + "statement-word.rtf", "--rewrite", output.string()}, out, err), 0)
        << err.str();
    ASSERT_EQ(runRtfCommand({kSamples + "statement-word.rtf", "--text"}, text, err), 0);
    ASSERT_EQ(runRtfCommand({output.string(), "--text"}, again, err), 0);
    EXPECT_EQ(again.str(), text.str());
    std::ifstream written(output, std::ios::binary);
    std::string start(5, '\0');
    written.read(start.data(), 5);
    EXPECT_EQ(start, "{\\rtf");
    fs::remove_all(output.parent_path());
}

} // namespace
} // namespace ohmora::cli
