#include "files/ConfigurationFile.h"
#include "files/RecordFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>

using namespace ohmora;
using namespace ohmora::files;
namespace fs = std::filesystem;

namespace {

fs::path scratch(const std::string& name) {
    const fs::path dir =
        fs::temp_directory_path() / ("ohmora-config-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir / name;
}

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A configuration with every field away from the defaults.
Controls unusual() {
    Controls c;
    for (int k = 0; k < kQuantityCount; ++k) {
        c.colours[size_t(k)] = Rgb{10 * k, 255 - k, 128 + k};
    }
    c.upDown = 7;
    c.montage = 2;
    for (int i = 0; i < kParameterCount; ++i) {
        c.textv[size_t(i)] = std::to_string(i) + ",5";
    }
    c.textv[3] = "";
    c.textv[4] = "1 000 000";
    c.check4 = {true, false, true, false, false, true, true};
    c.check3 = true;
    c.checkRn = true;
    return c;
}

// The bytes of a configuration with record n replaced by raw bytes.
std::string withRecord(int n, const std::string& raw) {
    std::string bytes = *configurationBytes(unusual());
    bytes.resize(size_t(kConfigurationRecords) * kRecordSize, '\0');
    bytes.replace(size_t(n - 1) * kRecordSize, raw.size(), raw);
    return bytes;
}

std::string lengthAndText(const std::string& text) {
    return std::string(1, char(text.size())) + '\0' + text;
}

} // namespace

TEST(ConfigurationFile, EveryFieldSurvivesARoundTrip) {
    const Controls c = unusual();
    const ConfigurationRead back = parseConfiguration(*configurationBytes(c));
    ASSERT_TRUE(back.controls);
    EXPECT_EQ(*back.controls, c);
    Controls none;
    none.montage = -1;
    none.upDown = -8;
    EXPECT_EQ(parseConfiguration(*configurationBytes(none)).controls, none);
}

TEST(ConfigurationFile, WritesTheRecordsAsAFreshSaveLaysThemOut) {
    Controls c;
    c.montage = 0;
    c.colours[0] = Rgb{0, 128, 0};
    c.upDown = 3;
    c.check4[1] = true;
    const std::string bytes = *configurationBytes(c);
    const RecordImage image(bytes);
    EXPECT_EQ(image.read(1).text, "CAPA");
    EXPECT_EQ(image.read(2).text, " 32768");
    EXPECT_EQ(image.read(9).text, " 3");
    EXPECT_EQ(image.read(10).text, " 0");
    EXPECT_EQ(image.read(11).text, "");
    EXPECT_EQ(image.read(25).text, " 0");
    EXPECT_EQ(image.read(26).text, "1");
    EXPECT_EQ(bytes.size(), 32 * kRecordSize + 2 + 2); // " 0" ends the file
    EXPECT_EQ(bytes.substr(6, 122), std::string(122, '\0'));
    Controls none = c;
    none.montage = -1;
    EXPECT_EQ(RecordImage(*configurationBytes(none)).read(10).text, "-1");
    none.textv[5] = std::string(127, '1');
    EXPECT_FALSE(configurationBytes(none));
}

TEST(ConfigurationFile, OnlyTheTextOneTicksABox) {
    for (const char* text : {" 0", "0", "", "2", " 1", "1 ", "01"}) {
        const ConfigurationRead r = parseConfiguration(withRecord(25, lengthAndText(text)));
        ASSERT_TRUE(r.controls) << '"' << text << '"';
        EXPECT_FALSE(r.controls->check4[0]) << '"' << text << '"';
    }
    EXPECT_TRUE(parseConfiguration(withRecord(25, lengthAndText("1"))).controls->check4[0]);
}

TEST(ConfigurationFile, NumbersFollowTheLeadingNumberRule) {
    struct Case {
        const char* name;
        int record;
        const char* text;
        int colour0, upDown, montage;
    };
    const Case cases[] = {
        {"blank then digits", 2, " 255", 255, 7, 2},
        {"stops at a letter", 2, "65280abc", 65280, 7, 2},
        {"rounded", 2, "254.6", 255, 7, 2},
        {"exponent", 2, "1E3", 1000, 7, 2},
        {"nothing readable", 2, "rouge", 0, 7, 2},
        {"empty duration", 9, "", 0, 0, 2},
        {"negative duration", 9, "-8", 0, -8, 2},
        {"montage with sign", 10, "+1", 0, 7, 1},
    };
    for (const Case& c : cases) {
        const ConfigurationRead r = parseConfiguration(withRecord(c.record, lengthAndText(c.text)));
        ASSERT_TRUE(r.controls) << c.name;
        if (c.record == 2) {
            EXPECT_EQ(r.controls->colours[0].value(), c.colour0) << c.name;
        }
        EXPECT_EQ(r.controls->upDown, c.record == 9 ? c.upDown : 7) << c.name;
        EXPECT_EQ(r.controls->montage, c.montage) << c.name;
    }
}

// A file is read and checked whole before anything is applied: a failure
// names its reason and gives nothing to apply.
TEST(ConfigurationFile, HostileFilesAreRefusedWithTheirMessage) {
    std::string randomBytes(3000, '\0');
    std::mt19937 random(7);
    for (char& b : randomBytes) {
        b = char(random());
    }
    std::string lowerCase = withRecord(1, lengthAndText("capa"));
    std::string truncated = configurationBytes(unusual())->substr(0, 12 * kRecordSize + 4);
    struct Case {
        const char* name;
        std::string bytes;
        std::optional<FileMessage> problem; // nothing: accepted
    };
    const Case cases[] = {
        {"empty file", "", kNotConfiguration},
        {"lower-case signature", lowerCase, kNotConfiguration},
        {"signature alone", lengthAndText("CAPA"), std::nullopt},
        {"truncated inside a record", truncated, kConfigurationUnreadable},
        {"length of 300", withRecord(15, std::string("\x2C\x01", 2)), kConfigurationUnreadable},
        {"length of 300 in record 1", withRecord(1, std::string("\x2C\x01", 2)), kNotConfiguration},
        {"montage 7", withRecord(10, lengthAndText(" 7")), kConfigurationUnreadable},
        {"montage -2", withRecord(10, lengthAndText("-2")), kConfigurationUnreadable},
        {"duration 11", withRecord(9, lengthAndText(" 11")), kConfigurationUnreadable},
        {"duration -9", withRecord(9, lengthAndText("-9")), kConfigurationUnreadable},
        {"colour beyond 24 bits", withRecord(3, lengthAndText(" 16777216")),
         kConfigurationUnreadable},
        {"negative colour", withRecord(3, lengthAndText("-1")), kConfigurationUnreadable},
        {"huge number", withRecord(9, lengthAndText(std::string(120, '9'))),
         kConfigurationUnreadable},
        {"garbage after record 33", withRecord(34, randomBytes), std::nullopt},
        {"random bytes", randomBytes, kNotConfiguration},
    };
    for (const Case& c : cases) {
        const ConfigurationRead r = parseConfiguration(c.bytes);
        if (c.problem) {
            EXPECT_FALSE(r.controls) << c.name;
            EXPECT_EQ(r.problem, *c.problem) << c.name;
        } else {
            EXPECT_TRUE(r.controls) << c.name;
        }
    }
    const ConfigurationRead alone = parseConfiguration(lengthAndText("CAPA"));
    ASSERT_TRUE(alone.controls);
    EXPECT_EQ(alone.controls->colours[0], (Rgb{0, 0, 0})); // missing records read empty
    EXPECT_EQ(alone.controls->textv[0], "");
}

TEST(ConfigurationFile, FilesThatCannotBeReadAndSavesThatFail) {
    const fs::path dir = scratch("unreadable");
    fs::create_directories(dir);
    EXPECT_EQ(loadConfiguration(dir).problem, kConfigurationUnreadable);
    EXPECT_EQ(loadConfiguration(dir / "missing.P16").problem, kConfigurationUnreadable);

    const fs::path target = scratch("kept.P16");
    ASSERT_EQ(saveConfiguration(target, unusual()), std::nullopt);
    const std::string before = slurp(target);
    Controls tooLong = unusual();
    tooLong.textv[0] = std::string(200, '1');
    EXPECT_EQ(saveConfiguration(target, tooLong), kConfigurationUnwritable);
    EXPECT_EQ(slurp(target), before); // the previous file stays whole
    EXPECT_EQ(saveConfiguration(dir, unusual()), kConfigurationUnwritable);
    EXPECT_EQ(loadConfiguration(target).controls, unusual());
    EXPECT_EQ(configurationCaption("/home/tp/essai.P16"), "Ohmora - /home/tp/essai.P16");
}

// Files laid out byte by byte as another installation writes them (see
// tests/data/config/README.md).
TEST(ConfigurationFile, ReadsFilesWrittenElsewhere) {
    const fs::path data = fs::path(OHMORA_TEST_DATA_DIR) / "config";
    const ConfigurationRead osc = loadConfiguration(data / "tp-oscillations.P16");
    ASSERT_TRUE(osc.controls);
    EXPECT_EQ(osc.controls->montage, 1);
    EXPECT_EQ(osc.controls->upDown, 2);
    EXPECT_EQ(osc.controls->colours[1], (Rgb{255, 0, 0}));
    EXPECT_EQ(osc.controls->textv[6], "1 000");
    EXPECT_EQ(osc.controls->textv[9], "8,5");
    EXPECT_EQ(osc.controls->check4, (std::array<bool, 7>{false, true, false, true}));
    EXPECT_TRUE(osc.controls->check3);
    EXPECT_FALSE(osc.controls->checkRn);
    // Written back, the file is the same bytes.
    EXPECT_EQ(*configurationBytes(*osc.controls), slurp(data / "tp-oscillations.P16"));

    const ConfigurationRead none = loadConfiguration(data / "tp-sans-montage.P16");
    ASSERT_TRUE(none.controls);
    EXPECT_EQ(none.controls->montage, -1);
    EXPECT_EQ(none.controls->upDown, -2);
    EXPECT_EQ(none.controls->textv[1], "2 200");
    EXPECT_EQ(none.controls->textv[13], "10é");
    EXPECT_TRUE(none.controls->checkRn);
}
