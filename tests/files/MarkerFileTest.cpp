#include "files/MarkerFile.h"
#include "files/RecordFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace ohmora::files;
namespace fs = std::filesystem;

namespace {

fs::path freshFile(const std::string& name) {
    const fs::path dir =
        fs::temp_directory_path() / ("ohmora-marker-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    fs::remove(dir / name);
    return dir / name;
}

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(MarkerFile, IsCreatedWithThePresenceFlag) {
    const fs::path file = freshFile("created.TMP");
    ASSERT_TRUE(writeMarkerRecord(file, kPresenceRecord, "OUI"));
    const std::string bytes = slurp(file);
    EXPECT_EQ(bytes.size(), 3 * kRecordSize + 5);
    EXPECT_EQ(bytes.substr(3 * kRecordSize), std::string("\x03\x00OUI", 5));
    EXPECT_EQ(bytes.substr(0, 3 * kRecordSize), std::string(3 * kRecordSize, '\0'));
    ASSERT_TRUE(writeMarkerRecord(file, kPresenceRecord, "NON"));
    EXPECT_EQ(RecordImage(slurp(file)).read(kPresenceRecord).text, "NON");
}

// The other programs' records stay byte for byte: records longer than
// their text, padding, bytes from 0x80 to 0xFF, a file longer than 31
// records.
TEST(MarkerFile, LeavesEveryRecordItDoesNotOwn) {
    const fs::path file = freshFile("shared.TMP");
    std::string bytes;
    for (int i = 0; i < 40 * int(kRecordSize); ++i) {
        bytes += char((i * 37 + 11) & 0xFF);
    }
    bytes.replace(30 * kRecordSize, 2, std::string("\x0A\x00", 2)); // record 31: ten bytes
    std::ofstream(file, std::ios::binary) << bytes;
    ASSERT_TRUE(writeMarkerRecord(file, kPresenceRecord, "OUI"));
    const std::optional<std::string> request = takeExerciseRequest(file);
    ASSERT_TRUE(request);
    EXPECT_EQ(*request, RecordImage(bytes).read(kExerciseRequestRecord).text);
    std::string expected = bytes;
    expected.replace(3 * kRecordSize, 5, std::string("\x03\x00OUI", 5));
    expected.replace(30 * kRecordSize, 2, std::string("\x00\x00", 2));
    EXPECT_EQ(slurp(file), expected);
    EXPECT_EQ(takeExerciseRequest(file), ""); // emptied: asked once only
}

TEST(MarkerFile, FailuresAreReportedNotThrown) {
    EXPECT_FALSE(writeMarkerRecord("/nonexistent/dir/BREVANE.TMP", kPresenceRecord, "OUI"));
    EXPECT_FALSE(writeMarkerRecord(fs::temp_directory_path(), kPresenceRecord, "OUI"));
    EXPECT_FALSE(takeExerciseRequest("/nonexistent/dir/BREVANE.TMP"));
    const fs::path file = freshFile("short.TMP");
    ASSERT_TRUE(writeMarkerRecord(file, kPresenceRecord, "OUI"));
    EXPECT_EQ(takeExerciseRequest(file), ""); // no record 31 yet: nothing asked
    EXPECT_EQ(slurp(file).size(), 3 * kRecordSize + 5);
}
