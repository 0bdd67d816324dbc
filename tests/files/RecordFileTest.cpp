#include "files/RecordFile.h"
#include "files/Windows1252.h"

#include <gtest/gtest.h>

using namespace ohmora::files;

namespace {

std::string record(std::string_view text, size_t padding = 128) {
    std::string r;
    r += char(text.size() & 0xFF);
    r += char(text.size() >> 8);
    r += text;
    r.resize(std::max(padding, r.size()), '\0');
    return r;
}

} // namespace

TEST(Windows1252, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += char(b);
    }
    const std::string utf8 = utf8FromWindows1252(all);
    EXPECT_EQ(windows1252FromUtf8(utf8), all);
    EXPECT_EQ(utf8FromWindows1252("\xE9l\xE8ve \x80 \xB5"), "élève € µ");
    EXPECT_EQ(windows1252FromUtf8("τ"), std::nullopt);
    EXPECT_EQ(windows1252FromUtf8("\xC3"), std::nullopt); // a cut character
    EXPECT_EQ(windows1252FromUtf8Lossy("Ω = 5 µF"), "? = 5 \xB5"
                                                    "F");
}

TEST(RecordImage, ReadsEachRecordByItsLength) {
    struct Case {
        const char* name;
        std::string bytes;
        int record;
        RecordStatus status;
        std::string text;
    };
    const Case cases[] = {
        {"first record", record("CAPA"), 1, RecordStatus::Ok, "CAPA"},
        {"padding ignored", record("ab") + record("cd"), 2, RecordStatus::Ok, "cd"},
        {"beyond the end", record("CAPA"), 3, RecordStatus::Ok, ""},
        {"last record unpadded", record("CAPA") + record("1", 0), 2, RecordStatus::Ok, "1"},
        {"Windows-1252 text", record("\xE9t\xE9"), 1, RecordStatus::Ok, "été"},
        {"length of 126", record(std::string(126, 'x')), 1, RecordStatus::Ok,
         std::string(126, 'x')},
        {"length of 127", std::string("\x7F\x00", 2) + std::string(126, 'x'), 1,
         RecordStatus::TooLong, ""},
        {"length of 300", std::string("\x2C\x01", 2) + std::string(300, 'x'), 1,
         RecordStatus::TooLong, ""},
        {"text cut by the end",
         std::string("\x05\x00"
                     "ab",
                     4),
         1, RecordStatus::Truncated, ""},
        {"length cut by the end", record("CAPA") + "\x03", 2, RecordStatus::Truncated, ""},
        {"record number 0", record("CAPA"), 0, RecordStatus::Ok, ""},
    };
    for (const Case& c : cases) {
        const RecordText r = RecordImage(c.bytes).read(c.record);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_EQ(r.text, c.text) << c.name;
    }
}

TEST(RecordImage, WritingARecordLeavesEveryOtherByte) {
    std::string bytes = record("ab") + record("\xFF\x80 long record", 128) + record("x", 0);
    bytes[127] = '\x7F'; // padding of record 1
    RecordImage image(bytes);
    ASSERT_TRUE(image.write(1, "OUI"));
    std::string expected = bytes;
    expected.replace(0, 5, std::string("\x03\x00OUI", 5));
    EXPECT_EQ(image.bytes(), expected);
    ASSERT_TRUE(image.write(5, "NON")); // beyond the end: zero bytes up to it
    EXPECT_EQ(image.bytes().size(), 4 * 128 + 5u);
    EXPECT_EQ(image.bytes().substr(2 * 128 + 3, 128 + 125), std::string(128 + 125, '\0'));
    EXPECT_FALSE(image.write(2, std::string(127, 'x')));
    EXPECT_FALSE(image.write(2, "τ"));
    EXPECT_FALSE(image.write(0, "x"));
    EXPECT_EQ(image.read(2).text, "ÿ€ long record");
}

TEST(RecordFile, ReadsTheHeadOfAFileOrTellsWhy) {
    std::string error;
    EXPECT_FALSE(readFileHead("/nonexistent/file", 10, &error));
    EXPECT_EQ(error, "/nonexistent/file : fichier ou dossier introuvable"); // in French
    EXPECT_FALSE(readFileHead("/", 10, &error));
    EXPECT_EQ(error, "/ : un dossier porte ce nom");
    const auto head = readFileHead("/proc/self/cmdline", 4, &error);
    ASSERT_TRUE(head);
    EXPECT_LE(head->size(), 4u);
}
