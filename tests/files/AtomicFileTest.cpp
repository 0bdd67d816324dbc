#include "files/AtomicFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using ohmora::files::writeFileAtomically;

namespace {

fs::path freshDirectory(const std::string& name) {
    const fs::path dir =
        fs::temp_directory_path() / ("ohmora-atomic-" + std::to_string(::getpid())) / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

size_t entries(const fs::path& dir) {
    return size_t(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

} // namespace

TEST(AtomicFile, ReplacesTheTargetAndKeepsItsPermissions) {
    const fs::path dir = freshDirectory("replace");
    const fs::path target = dir / "essai.P16";
    ASSERT_TRUE(writeFileAtomically(target, "first"));
    ::chmod(target.c_str(), 0640);
    ASSERT_TRUE(writeFileAtomically(target, std::string("sec\0nd", 6)));
    EXPECT_EQ(slurp(target), std::string("sec\0nd", 6));
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(entries(dir), 1u);
}

TEST(AtomicFile, AFailureLeavesTheTargetAndNoTemporary) {
    struct Case {
        const char* name;
        std::string target; // relative to a fresh directory
        bool makeDirectory; // a directory stands where the file should go
    };
    const Case cases[] = {
        {"directory in place of the file", "taken", true},
        {"missing directory", "missing/essai.txt", false},
        {"no file name", "", false},
    };
    for (const Case& c : cases) {
        const fs::path dir = freshDirectory(c.name);
        if (c.makeDirectory) {
            fs::create_directories(dir / c.target);
        }
        std::string reason;
        EXPECT_FALSE(
            writeFileAtomically(c.target.empty() ? fs::path() : dir / c.target, "data", &reason))
            << c.name;
        EXPECT_FALSE(reason.empty()) << c.name;
        EXPECT_EQ(entries(dir), c.makeDirectory ? 1u : 0u) << c.name;
    }
}
