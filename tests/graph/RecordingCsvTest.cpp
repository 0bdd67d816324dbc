// The recording as CSV: its header, both conventions, and numbers that
// read back as the very single-precision values.

#include "graph/RecordingCsv.h"
#include "Recordings.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <random>
#include <sstream>

using namespace ohmora;
using namespace ohmora::test;

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        out.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "the last row ends with CR LF";
    return out;
}

float readBack(std::string text) {
    for (char& c : text) {
        c = c == ',' ? '.' : c;
    }
    float v = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    EXPECT_TRUE(ec == std::errc() && ptr == text.data() + text.size()) << text;
    return v;
}

} // namespace

TEST(RecordingCsv, NothingWithoutARecording) {
    EXPECT_FALSE(recordingCsv(Recording{}, CsvFormat::French));
}

// The header names the montage's table columns; French rows use ";" and
// the comma, international ones "," and the point.
TEST(RecordingCsv, HeaderAndConventions) {
    const struct {
        int montage;
        const char* header;
    } rows[] = {
        {0, "t (s);i (A);u_R1 (V);u_C (V);u_R2 (V);E_C (J)"},
        {1, "t (s);i (A);u_R1 (V);u_C (V);u_R2 (V);u_b (V);E_C (J);E_b (J)"},
        {2, "t (s);i (A);u_b (V);u_R (V);E_b (J)"},
    };
    for (const auto& row : rows) {
        Simulator sim;
        sim.chooseMontage(row.montage);
        sim.setTrigger(false);
        clickK(sim, 1);
        runTicks(sim, 3);
        const std::vector<std::string> fr =
            lines(*recordingCsv(sim.state().recording, CsvFormat::French));
        ASSERT_EQ(fr.size(), 4u) << row.montage;
        EXPECT_EQ(fr[0], row.header);
        EXPECT_EQ(fr[2].substr(0, 7), "0,0005;") << row.montage;
        const std::vector<std::string> intl =
            lines(*recordingCsv(sim.state().recording, CsvFormat::International));
        std::string header = row.header;
        std::replace(header.begin(), header.end(), ';', ',');
        EXPECT_EQ(intl[0], header);
        EXPECT_EQ(intl[2].substr(0, 7), "0.0005,") << row.montage;
    }
}

// Every sample of a recording reads back exactly, in both conventions.
TEST(RecordingCsv, EveryValueReadsBackExactly) {
    Simulator sim;
    sim.chooseMontage(1);
    sim.setTrigger(false);
    clickK(sim, 1);
    runTicks(sim, 50);
    clickK(sim, 2); // the charge ends, K opens
    clickK(sim, 1);
    runToEnd(sim);
    const Recording& r = sim.state().recording;
    for (CsvFormat format : {CsvFormat::French, CsvFormat::International}) {
        const std::vector<std::string> rows = lines(*recordingCsv(r, format));
        ASSERT_EQ(rows.size(), r.samples().size() + 1);
        for (size_t n = 0; n < r.samples().size(); ++n) {
            std::stringstream row(rows[n + 1]);
            std::string cell;
            std::vector<float> values;
            while (std::getline(row, cell, format == CsvFormat::French ? ';' : ',')) {
                values.push_back(readBack(cell));
            }
            ASSERT_EQ(values.size(), 8u);
            const RecordedSample& s = r.samples()[n];
            EXPECT_EQ(values[0], s.tEnreg) << n;
            for (int c = 1; c < 8; ++c) {
                EXPECT_EQ(values[size_t(c)], s.valeurs[size_t(tableColumnSlot(1, c))]) << n;
            }
        }
    }
}

// The shortest text, for any float: no noise digits, an exponent only
// where shorter, both zeros written 0.
TEST(RecordingCsv, NumberTexts) {
    const struct {
        float v;
        const char* fr;
    } rows[] = {{0.0005f, "0,0005"}, {-6.0f, "-6"},   {1.5e-7f, "1,5E-07"},
                {-0.0f, "0"},        {7.26f, "7,26"}, {600.0f, "600"}};
    for (const auto& row : rows) {
        std::string text;
        appendCsvNumber(text, row.v, ',');
        EXPECT_EQ(text, row.fr);
    }
    std::mt19937 random(7);
    for (int n = 0; n < 20000; ++n) {
        std::uint32_t bits = random();
        float v = 0;
        std::memcpy(&v, &bits, sizeof v);
        if (!std::isfinite(v)) {
            continue;
        }
        std::string text;
        appendCsvNumber(text, v, ',');
        EXPECT_EQ(readBack(text), v == 0 ? 0.0f : v) << text;
    }
}
