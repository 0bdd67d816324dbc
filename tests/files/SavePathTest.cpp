#include "SavePath.h"

#include <gtest/gtest.h>

using namespace ohmora::files;

TEST(SavePath, BuildsTheFullPathOfTheTypedName) {
    struct Case {
        const char* name;
        const char* typed;
        const char* directory;
        std::optional<std::string> path;
    };
    const Case cases[] = {
        {"bare name", "essai", "/home/tp", "/home/tp/essai.P16"},
        {"directory with separator", "essai", "/home/tp/", "/home/tp/essai.P16"},
        {"other extension", "essai.txt", "/tp", "/tp/essai.P16"},
        {"every extension", "essai.old.P16", "/tp", "/tp/essai.P16"},
        {"blanks trimmed after each cut", "  essai .P16 ", "/tp", "/tp/essai.P16"},
        {"extension alone", ".P16", "/tp", std::nullopt},
        {"blanks only", "   ", "/tp", std::nullopt},
        {"empty", "", "/tp", std::nullopt},
        {"full path keeps its directory", "/home/classe/essai", "/tp", "/home/classe/essai.P16"},
        {"dotted directory kept", "/home/élève/tp.2024/essai", "/tp",
         "/home/élève/tp.2024/essai.P16"},
        {"dotted directory, dotted name", "/home/tp.2024/essai.x", "/tp",
         "/home/tp.2024/essai.P16"},
        {"relative directory", "classe/essai", "/tp", "/tp/classe/essai.P16"},
        {"path without a name", "/home/tp/", "/tp", std::nullopt},
        {"path with an extension only", "/home/tp/.P16", "/tp", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(buildSavePath(c.typed, c.directory), c.path) << c.name;
    }
    EXPECT_EQ(bareName("/home/classe/essai"), "essai");
    EXPECT_EQ(bareName("essai"), "essai");
    EXPECT_EQ(withFinalSeparator("/tp"), "/tp/");
}
