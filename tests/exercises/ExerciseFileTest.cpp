#include "exercises/ExerciseFile.h"
#include "exercises/ExercisePack.h"
#include "files/RecordFile.h"

#include <gtest/gtest.h>

using namespace ohmora;
using namespace ohmora::exercises;

namespace {

ExerciseRecords sample() {
    ExerciseRecords e;
    e.statement = "enonce.rtf";
    e.configuration = "enonce.P16";
    e.correction = "corrige.rtf";
    e.correctionConfiguration = "corrige.P16";
    e.difficulty = " 2";
    e.topics = std::string(300, 'a') + "é" + std::string(50, 'b');
    e.title = "  Constante de temps d'un dipôle RC ";
    return e;
}

} // namespace

TEST(ExerciseFile, RecordsComeBackAndTheTopicsSpanRecords) {
    const std::string bytes = *exerciseFileBytes(sample());
    const files::RecordImage image(bytes);
    EXPECT_EQ(image.read(1).text, "enonce.rtf");
    EXPECT_EQ(image.read(7).text.size(), 126u);
    EXPECT_EQ(image.read(10).text, "");
    const std::optional<ExerciseRecords> e = parseExerciseFile(bytes);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->topics, sample().topics);
    EXPECT_EQ(shownTitle(*e), "Constante de temps d'un dipôle RC");
    EXPECT_TRUE(isCorrected(*e));
    EXPECT_EQ(litMarks(*e), 2);
    ExerciseRecords tooLong = sample();
    tooLong.topics = std::string(505, 'x');
    EXPECT_FALSE(exerciseFileBytes(tooLong));
    tooLong = sample();
    tooLong.title = "τ = RC"; // no such letter in the record files' code page
    EXPECT_FALSE(exerciseFileBytes(tooLong));
}

TEST(ExerciseFile, MarksAndCorrectionFollowTheirRecords) {
    struct Case {
        const char* name;
        const char* difficulty;
        const char* correction;
        const char* correctionConfiguration;
        int lit;
        bool corrected;
    };
    const Case cases[] = {
        {"difficulty 0", "0", "", "", 0, false},
        {"difficulty 2", "2", "  ", "", 2, false},
        {"difficulty 5", "5", "c.rtf", "", 3, true},
        {"difficulty 2.5", "2.5", "", "c.P16", 3, true},
        {"difficulty unreadable", "facile", "", "", 0, false},
        {"negative difficulty", "-1", "", "", 0, false},
    };
    for (const Case& c : cases) {
        ExerciseRecords e;
        e.difficulty = c.difficulty;
        e.correction = c.correction;
        e.correctionConfiguration = c.correctionConfiguration;
        EXPECT_EQ(litMarks(e), c.lit) << c.name;
        EXPECT_EQ(isCorrected(e), c.corrected) << c.name;
    }
}

TEST(ExerciseFile, DamagedFilesAndUnsafeNames) {
    const std::string good = *exerciseFileBytes(sample());
    EXPECT_FALSE(parseExerciseFile(good.substr(0, 2 * 128 + 5))); // truncated in record 3
    std::string tooLong = good;
    tooLong[4 * 128] = char(200); // record 5 says 200 bytes
    EXPECT_FALSE(parseExerciseFile(tooLong));
    EXPECT_TRUE(parseExerciseFile(good.substr(0, 128))); // the others read as empty
    EXPECT_FALSE(readExerciseFile("/nonexistent/x.E34"));
    EXPECT_FALSE(readExerciseFile("/"));

    struct Case {
        const char* name;
        const char* file;
        bool followed;
    };
    const Case cases[] = {
        {"plain name", "enonce.rtf", true},
        {"sub-directory", "textes/enonce.rtf", true},
        {"parent directory", "../secret.rtf", false},
        {"parent inside", "textes/../../secret.rtf", false},
        {"absolute name", "/etc/passwd", false},
        {"blank", "   ", false},
    };
    for (const Case& c : cases) {
        const auto file = namedFile("/exos/", c.file);
        EXPECT_EQ(file.has_value(), c.followed) << c.name;
        if (file) {
            EXPECT_EQ(file->string(), std::string("/exos/") + c.file) << c.name;
        }
    }
}

TEST(ExercisePack, SourcesThatTheProgramWouldNotKeepAreRefused) {
    struct Case {
        const char* name;
        const char* source;
        const char* error; // a piece of the message, or nullptr when accepted
    };
    const Case cases[] = {
        {"plain charge", "montage = 0\nduration = 1 s\nparam.1 = 470\nquantities = 1\ntrigger2 = 0",
         nullptr},
        {"two groups", "montage = 0\nquantities = 1 4\ntrigger2 = 0", "would not keep"},
        {"text rewritten", "montage = 0\nparam.1 = 4.7\ntrigger2 = 0", "would show"},
        {"out of range", "montage = 2\nparam.10 = 20\ntrigger2 = 0", "would show 12"},
        {"quantity of another montage", "montage = 2\nquantities = 2\ntrigger2 = 0",
         "not one of the montage's"},
        {"trigger left to the program", "montage = 1\nquantities = 1", "trigger2 not given"},
        {"unknown duration", "montage = 0\nduration = 3 s\ntrigger2 = 0",
         "not one of the durations"},
        {"unknown key", "montage = 0\ncolor = red\ntrigger2 = 0", "unknown key"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> errors;
        parseConfigurationSource(c.source, errors);
        if (!c.error) {
            EXPECT_TRUE(errors.empty()) << c.name << ": " << (errors.empty() ? "" : errors[0]);
            continue;
        }
        bool found = false;
        for (const std::string& e : errors) {
            found = found || e.find(c.error) != std::string::npos;
        }
        EXPECT_TRUE(found) << c.name;
    }
    std::vector<std::string> errors;
    const Manifest m =
        parseManifest("# a comment\ntitle = T\ncheck = a\ncheck = b\ntitle = U\nx", errors);
    EXPECT_EQ(m.checks, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(errors.size(), 2u); // a title twice, a line without "="
}
