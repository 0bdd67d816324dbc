#include "files/AtomicFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

namespace {

using ohmora::files::FileToWrite;

// A set of three files, the first two already there with their old texts.
struct FileSet {
    explicit FileSet(const std::string& name) : dir(freshDirectory(name)) {
        std::ofstream(dir / "a-enonce.rtf") << "old statement";
        std::ofstream(dir / "a-enonce.P16") << "old configuration";
    }
    std::vector<FileToWrite> files() const {
        return {{dir / "a-enonce.rtf", "new statement"},
                {dir / "a-enonce.P16", "new configuration"},
                {dir / "a.E34", "new exercise"}};
    }
    // The folder holds the old files and nothing else.
    void expectUnchanged(const std::string& what) const {
        EXPECT_EQ(slurp(dir / "a-enonce.rtf"), "old statement") << what;
        EXPECT_EQ(slurp(dir / "a-enonce.P16"), "old configuration") << what;
        EXPECT_FALSE(fs::exists(dir / "a.E34")) << what;
        EXPECT_EQ(entries(dir), 2u) << what;
    }
    fs::path dir;
};

// The system's rename, failing from its `failAt`-th call on.
int renameCalls = 0;
int failAt = 0;
int failingRename(const char* from, const char* to) {
    if (++renameCalls >= failAt) {
        errno = ENOSPC;
        return -1;
    }
    return std::rename(from, to);
}

} // namespace

TEST(AtomicFile, FilesWrittenTogetherReplaceTheirTargets) {
    const FileSet set("together");
    std::string reason;
    ASSERT_TRUE(ohmora::files::writeFilesTogether(set.files(), &reason)) << reason;
    EXPECT_EQ(slurp(set.dir / "a-enonce.rtf"), "new statement");
    EXPECT_EQ(slurp(set.dir / "a-enonce.P16"), "new configuration");
    EXPECT_EQ(slurp(set.dir / "a.E34"), "new exercise");
    EXPECT_EQ(entries(set.dir), 3u); // neither a temporary file nor an old one left
}

TEST(AtomicFile, FilesWrittenTogetherAreAllOrNone) {
    // A target that cannot be written stops everything before any target is
    // touched.
    {
        const FileSet set("before");
        std::vector<FileToWrite> files = set.files();
        files[2].path = set.dir / "missing" / "a.E34";
        std::string reason;
        EXPECT_FALSE(ohmora::files::writeFilesTogether(files, &reason));
        EXPECT_NE(reason.find("missing"), std::string::npos) << reason;
        set.expectUnchanged("a missing folder");
    }
    // A medium that fails while the targets are being replaced (each
    // replaced file takes two renames, the new exercise file one): what
    // was replaced is put back.
    for (int call = 1; call <= 5; ++call) {
        const FileSet set("during-" + std::to_string(call));
        renameCalls = 0;
        failAt = call;
        std::string reason;
        EXPECT_FALSE(ohmora::files::detail::writeFilesTogether(set.files(), &reason, failingRename))
            << call;
        EXPECT_FALSE(reason.empty()) << call;
        set.expectUnchanged("rename " + std::to_string(call) + " failing");
    }
}
