#include "files/SavePath.h"
#include "files/ProgramDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

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

TEST(ProgramDirectory, FoundBesideTheProgramOrInItsInstallation) {
    namespace fs = std::filesystem;
    const fs::path root =
        fs::temp_directory_path() / ("ohmora-paths-" + std::to_string(::getpid()));
    fs::remove_all(root);
    for (const char* d : {"build/bin", "usr/bin", "usr/share/ohmora", "bare/bin", "runtime"}) {
        fs::create_directories(root / d);
    }
    std::ofstream(root / "build/bin/ohmora.PEM") << "x";
    std::ofstream(root / "usr/share/ohmora/ohmora.PEM") << "x";
    const std::string r = root.string();
    struct Case {
        const char* name;
        std::optional<std::string> given;
        std::string executable;
        std::string directory;
    };
    const Case cases[] = {
        {"given", r + "/bare", r + "/build/bin", r + "/bare/"},
        {"beside the program", std::nullopt, r + "/build/bin", r + "/build/bin/"},
        {"installed", std::nullopt, r + "/usr/bin", r + "/usr/share/ohmora/"},
        {"neither", std::nullopt, r + "/bare/bin", r + "/bare/bin/"},
    };
    for (const Case& c : cases) {
        const ProgramPaths p = locateProgramPaths(c.given, c.executable, r + "/runtime", "");
        EXPECT_EQ(p.programDirectory, c.directory) << c.name;
        EXPECT_EQ(p.markerFile, c.directory + "BREVANE.TMP") << c.name; // writable here
    }
    // A directory that cannot be written (/proc stands for an installation
    // nobody can write) keeps the marker in the session's directory.
    const ProgramPaths proc = locateProgramPaths(std::string("/proc"), "/", r + "/runtime", "");
    EXPECT_EQ(proc.markerFile, r + "/runtime/ohmora/BREVANE.TMP");
    EXPECT_TRUE(fs::is_directory(root / "runtime/ohmora"));
    EXPECT_FALSE(canCreateFilesIn("/proc"));
    EXPECT_TRUE(canCreateFilesIn(r));                        // without a final separator
    for (const auto& entry : fs::directory_iterator(root)) { // the probe leaves nothing
        EXPECT_NE(entry.path().filename().string().rfind(".ohmora-", 0), 0u) << entry.path();
    }
}
