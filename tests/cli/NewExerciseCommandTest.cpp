// `ohmora-cli new-exercise`, round trip: the exercise written, previewed by
// `exercise` and opened by `run --exercise` with its configuration applied;
// wrong command lines and files already there write nothing.

#include "NewExerciseCommand.h"
#include "ExerciseCommand.h"
#include "RunCommand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Result {
    int code;
    std::string out, err;
};

template <class Command> Result call(Command command, const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = command(args, out, err);
    return {code, out.str(), err.str()};
}

std::string shipped(const std::string& name) {
    return (fs::path(OHMORA_PROGRAM_DIR) / name).string();
}

class NewExerciseCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("ohmora-new-exercise-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // rc-01's statement and configuration, rc-02's correction.
    std::vector<std::string> complete(const std::string& exercise) const {
        return {(dir / exercise).string(),
                "--title",
                "Ma constante de temps",
                "--topics",
                "Programme de terminale ; 1 h",
                "--difficulty",
                "3",
                "--statement",
                shipped("rc-01-charge-constante-de-temps-enonce.rtf"),
                "--config",
                shipped("rc-01-charge-constante-de-temps-enonce.P16"),
                "--correction",
                shipped("rc-02-tau-et-tension-corrige.rtf"),
                "--correction-config",
                shipped("rc-02-tau-et-tension-corrige.P16")};
    }
    size_t files() const {
        return size_t(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }
    fs::path dir;
};

TEST_F(NewExerciseCommand, WrittenPreviewedAndOpened) {
    const std::string exercise = (dir / "tp.E34").string();
    const Result made = call(ohmora::cli::runNewExerciseCommand, complete("tp.E34"));
    ASSERT_EQ(made.code, 0) << made.err;
    EXPECT_EQ(made.out, (dir / "tp-enonce.rtf").string() + '\n' + (dir / "tp-enonce.P16").string() +
                            '\n' + (dir / "tp-corrige.rtf").string() + '\n' +
                            (dir / "tp-corrige.P16").string() + '\n' + exercise + '\n');

    const Result preview = call(ohmora::cli::runExerciseCommand, {exercise});
    EXPECT_EQ(preview.out, "titre\tMa constante de temps\nnotions\tProgramme de terminale ; 1 h\n"
                           "difficulte\t3\ncorrection\tExercice corrigé\n");

    // Opened, it records what its configuration records.
    const std::vector<std::string> recording = {"--switch", "1", "--until-end", "--table", "-"};
    std::vector<std::string> opened = {"--exercise", exercise, "--caption", "--text", "-"};
    opened.insert(opened.end(), recording.begin(), recording.end());
    std::vector<std::string> reference = {"--open",
                                          shipped("rc-01-charge-constante-de-temps-enonce.P16")};
    reference.insert(reference.end(), recording.begin(), recording.end());
    const Result run = call(ohmora::cli::runCommand, opened);
    const Result expected = call(ohmora::cli::runCommand, reference);
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(run.out.starts_with("Ohmora - " + (dir / "tp-enonce.P16").string() + '\n'));
    EXPECT_NE(run.out.find("Constante de temps d'un dipôle RC"), std::string::npos);
    EXPECT_TRUE(run.out.ends_with(expected.out)) << expected.out;

    const Result correction =
        call(ohmora::cli::runCommand, {"--exercise", exercise, "--correction", "--caption"});
    EXPECT_EQ(correction.out, "Ohmora - " + (dir / "tp-corrige.P16").string() + '\n');
}

TEST_F(NewExerciseCommand, WrongCommandLinesWriteNothing) {
    using Args = std::vector<std::string>;
    // The value of an option of the complete command line replaced; an
    // empty value drops the option.
    const auto with = [this](const std::string& option, const std::string& value) {
        Args args = complete("tp.E34");
        const auto at = std::find(args.begin(), args.end(), option);
        if (value.empty()) {
            args.erase(at, at + 2);
        } else {
            at[1] = value;
        }
        return args;
    };
    const auto plus = [this](const Args& more) {
        Args args = complete("tp.E34");
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    const struct {
        const char* name;
        Args args;
        const char* said;
    } cases[] = {
        {"no title", with("--title", ""), "--title"},
        {"no statement", with("--statement", ""), "--statement"},
        {"a difficulty of 4", with("--difficulty", "4"), "--difficulty 4"},
        {"a difficulty in words", with("--difficulty", "deux"), "--difficulty deux"},
        {"an option twice", plus({"--topics", "x"}), "--topics se donne une seule fois"},
        {"an unknown option", plus({"--frobnicate"}), "--frobnicate"},
        {"two exercise files", plus({"autre.E34"}), "autre.E34"},
        {"a value missing", Args{(dir / "tp.E34").string(), "--title"}, "--title demande"},
        {"no exercise file", Args{"--title", "x"}, "DOSSIER/NOM.E34"},
    };
    for (const auto& c : cases) {
        const Result r = call(ohmora::cli::runNewExerciseCommand, c.args);
        EXPECT_EQ(r.code, 2) << c.name;
        EXPECT_NE(r.err.find(c.said), std::string::npos) << c.name << ": " << r.err;
        EXPECT_EQ(files(), 0u) << c.name;
    }
}

TEST_F(NewExerciseCommand, FilesThereAreReplacedWithForceOnly) {
    ASSERT_EQ(call(ohmora::cli::runNewExerciseCommand, complete("tp.E34")).code, 0);
    std::vector<std::string> again = complete("tp.E34");
    again[2] = "Un autre titre";
    const Result refused = call(ohmora::cli::runNewExerciseCommand, again);
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("tp-corrige.P16"), std::string::npos) << refused.err;
    EXPECT_TRUE(refused.out.empty());
    EXPECT_NE(call(ohmora::cli::runExerciseCommand, {(dir / "tp.E34").string()})
                  .out.find("Ma constante de temps"),
              std::string::npos);

    again.push_back("--force");
    ASSERT_EQ(call(ohmora::cli::runNewExerciseCommand, again).code, 0);
    EXPECT_NE(call(ohmora::cli::runExerciseCommand, {(dir / "tp.E34").string()})
                  .out.find("Un autre titre"),
              std::string::npos);
    EXPECT_EQ(files(), 5u);

    // A statement that is not RTF: told, and nothing written.
    std::vector<std::string> wrong = complete("autre.E34");
    wrong[8] = shipped("rc-01-charge-constante-de-temps-enonce.P16");
    const Result notRtf = call(ohmora::cli::runNewExerciseCommand, wrong);
    EXPECT_EQ(notRtf.code, 1);
    EXPECT_NE(notRtf.err.find("RTF"), std::string::npos) << notRtf.err;
    EXPECT_EQ(files(), 5u);
}

} // namespace
