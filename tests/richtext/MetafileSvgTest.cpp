// The metafile converters the helper program runs: libwmf's records made
// plain, the drawing device's SVG, libemf2svg's SVG with installed fonts,
// the helper's frames, and metafiles made to break them.

#include "richtext/MetafileSvg.h"
#include "richtext/MetafileProtocol.h"
#include "richtext/WmfRecords.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>

namespace ohmora::rtf {
namespace {

std::string readFile(const std::string& name) {
    std::ifstream file(std::string(OHMORA_TEST_DATA_DIR) + "/rtf/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// A Windows metafile written record by record.
class Wmf {
public:
    Wmf& record(std::uint16_t function, std::vector<std::uint16_t> parameters) {
        words(static_cast<std::uint32_t>(3 + parameters.size()));
        word(function);
        for (const std::uint16_t p : parameters) {
            word(p);
        }
        return *this;
    }
    // A font of that face, height (negative: the characters'), italic and set.
    Wmf& font(std::int16_t height, std::string face, bool italic = false, std::uint8_t set = 0) {
        face.resize(32, '\0');
        // Height, width, escapement, orientation, weight; italic and
        // underline, strike-out and set, precisions, quality and pitch.
        std::vector<std::uint16_t> p = {static_cast<std::uint16_t>(height), 0, 0, 0, 400};
        p.push_back(static_cast<std::uint16_t>(italic ? 1 : 0));
        p.push_back(static_cast<std::uint16_t>(set << 8));
        p.push_back(0);
        p.push_back(0);
        for (std::size_t i = 0; i < face.size(); i += 2) {
            p.push_back(static_cast<std::uint16_t>(static_cast<unsigned char>(face[i]) |
                                                   static_cast<unsigned char>(face[i + 1]) << 8));
        }
        return record(0x02FB, p);
    }
    Wmf& text(std::int16_t x, std::int16_t y, std::string s) {
        std::vector<std::uint16_t> p = {static_cast<std::uint16_t>(s.size())};
        s.resize((s.size() + 1) / 2 * 2, '\0');
        for (std::size_t i = 0; i < s.size(); i += 2) {
            p.push_back(static_cast<std::uint16_t>(static_cast<unsigned char>(s[i]) |
                                                   static_cast<unsigned char>(s[i + 1]) << 8));
        }
        p.push_back(static_cast<std::uint16_t>(y));
        p.push_back(static_cast<std::uint16_t>(x));
        return record(0x0521, p);
    }
    // The metafile: a header for a window of width × height, the records, the end.
    std::string bytes(std::int16_t width, std::int16_t height) const {
        Wmf file;
        file.word(1).word(9).word(0x0300).words(0).word(16).words(64).word(0);
        file.record(0x020B, {0, 0})
            .record(0x020C,
                    {static_cast<std::uint16_t>(height), static_cast<std::uint16_t>(width)});
        file.out_ += out_;
        file.record(0x0000, {});
        return file.out_;
    }

private:
    Wmf& word(std::uint16_t w) {
        out_ += static_cast<char>(w & 0xFF);
        out_ += static_cast<char>(w >> 8);
        return *this;
    }
    Wmf& words(std::uint32_t w) {
        return word(static_cast<std::uint16_t>(w & 0xFFFF))
            .word(static_cast<std::uint16_t>(w >> 16));
    }
    std::string out_;
};

// The records of a metafile: function and first parameter.
std::vector<std::pair<std::uint16_t, std::uint16_t>> records(const std::string& wmf) {
    std::vector<std::pair<std::uint16_t, std::uint16_t>> out;
    const auto u16 = [&wmf](std::size_t at) {
        return static_cast<std::uint16_t>(static_cast<unsigned char>(wmf[at]) |
                                          static_cast<unsigned char>(wmf[at + 1]) << 8);
    };
    for (std::size_t at = 18; at + 6 <= wmf.size();) {
        const std::size_t size = (u16(at) | std::size_t{u16(at + 2)} << 16) * 2;
        out.emplace_back(u16(at + 4), size > 6 ? u16(at + 6) : 0);
        at += std::max<std::size_t>(size, 6);
    }
    return out;
}

TEST(WmfRecords, SetTheStateAgainAfterSavingOrRestoringIt) {
    const std::string wmf =
        Wmf().record(0x012E, {24}).record(0x001E, {}).record(0x0127, {0xFFFF}).bytes(100, 100);
    const auto out = records(normalizeWmf(wmf));
    const std::vector<std::pair<std::uint16_t, std::uint16_t>> expected = {
        {0x020B, 0},  {0x020C, 100},    {0x012E, 24}, {0x001E, 0},
        {0x012E, 24}, {0x0127, 0xFFFF}, {0x012E, 24}, {0x0000, 0}};
    EXPECT_EQ(out, expected);
}

TEST(WmfRecords, KeepEveryObjectInAPlaceOfItsOwn) {
    // Pen, brush, the pen deleted and a second brush in its place, selected.
    const std::string wmf = Wmf()
                                .record(0x02FA, {0, 1, 0, 0, 0})
                                .record(0x02FC, {0, 0, 0, 0})
                                .record(0x01F0, {0})
                                .record(0x02FC, {0, 0xFFFF, 0xFF, 0})
                                .record(0x012D, {0})
                                .record(0x012D, {1})
                                .bytes(100, 100);
    const auto out = records(normalizeWmf(wmf));
    std::vector<std::uint16_t> selected;
    for (const auto& [function, parameter] : out) {
        EXPECT_NE(function, 0x01F0) << "an object was deleted";
        if (function == 0x012D) {
            selected.push_back(parameter);
        }
    }
    EXPECT_EQ(selected, (std::vector<std::uint16_t>{2, 1}));
}

TEST(WmfRecords, RefuseWhatIsNotAMetafile) {
    EXPECT_EQ(normalizeWmf(""), "");
    EXPECT_EQ(normalizeWmf("\x89PNG\r\n\x1a\n0000000000000000000"), "");
    // A cut metafile ends where its records stop.
    std::string cut = Wmf().record(0x012E, {24}).bytes(10, 10);
    cut.resize(cut.size() - 6);
    EXPECT_EQ(records(normalizeWmf(cut)).back().first, 0x0000);
}

// The attributes of the SVG's text elements, in order: "x,y size family|text".
std::vector<std::string> texts(const std::string& svg) {
    static const std::regex kText(
        R"re(<text x="([-\d.]+)" y="([-\d.]+)" font-family="([^"]*)" font-size="([\d.]+)"[^>]*>([^<]*)</text>)re");
    std::vector<std::string> out;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), kText);
         it != std::sregex_iterator(); ++it) {
        const auto& m = *it;
        out.push_back(m[1].str() + "," + m[2].str() + " " + m[4].str() + " " + m[3].str() + "|" +
                      m[5].str());
    }
    return out;
}

TEST(WmfToSvg, PlacesTextsOnTheirBaseline) {
    const std::string wmf = Wmf()
                                .font(-200, "Times New Roman", true)
                                .record(0x012D, {0})
                                .record(0x012E, {24}) // on the baseline
                                .record(0x001E, {})
                                .text(10, 300, "T")
                                .record(0x0127, {0xFFFF})
                                .record(0x012E, {0}) // on the top
                                .text(200, 100, "x")
                                .bytes(1000, 500);
    const std::optional<std::string> svg = wmfToSvg(wmf);
    ASSERT_TRUE(svg);
    EXPECT_NE(svg->find("viewBox=\"0 0 1000 500\""), std::string::npos) << *svg;
    EXPECT_EQ(texts(*svg), (std::vector<std::string>{"10,300 200 Times New Roman|T",
                                                     "200,278 200 Times New Roman|x"}))
        << *svg;
    EXPECT_NE(svg->find("font-style=\"italic\""), std::string::npos);
}

TEST(WmfToSvg, DrawsSymbolFontsWithInstalledFonts) {
    const std::string wmf = Wmf()
                                .font(-100, "Symbol", false, 2)
                                .record(0x012D, {0})
                                .record(0x012E, {24})
                                .text(0, 100, "pW<&")
                                .font(-100, "Cambria Math")
                                .record(0x012D, {1})
                                .text(0, 200, "a")
                                .bytes(500, 300);
    const std::optional<std::string> svg = wmfToSvg(wmf);
    ASSERT_TRUE(svg);
    EXPECT_EQ(texts(*svg), (std::vector<std::string>{"0,100 100 DejaVu Serif|πΩ&lt;&amp;",
                                                     "0,200 100 DejaVu Math TeX Gyre|a"}));
}

TEST(WmfToSvg, DrawsALibreOfficeDrawing) {
    const std::optional<std::string> svg = wmfToSvg(readFile("circuit-draw.wmf"));
    ASSERT_TRUE(svg);
    // The drawing's frame, 7 cm × 4 cm in points, its labels, and the
    // generator's white disc over the wire.
    EXPECT_NE(svg->find("viewBox=\"0 0 198.43 113.39\""), std::string::npos);
    std::string labels;
    for (const std::string& text : texts(*svg)) {
        labels += text.substr(text.find('|') + 1);
    }
    EXPECT_EQ(labels, "RCE");
    EXPECT_NE(svg->find("fill=\"#ffffff\""), std::string::npos);
}

TEST(EmfToSvg, DrawsALibreOfficeDrawing) {
    const std::optional<std::string> svg = emfToSvg(readFile("circuit-draw.emf"));
    ASSERT_TRUE(svg);
    for (const char* label : {"[R]", "[C]", "[E]"}) {
        EXPECT_NE(svg->find(label), std::string::npos) << label;
    }
}

TEST(MetafileProtocol, AnswersEachRequestInTurn) {
    const std::string input = metafileRequest(ImageKind::Wmf, readFile("circuit-draw.wmf")) +
                              metafileRequest(ImageKind::Emf, "not a metafile") +
                              std::string("X\x01\x00\x00\x00Z", 6) +
                              metafileRequest(ImageKind::Wmf, "cut");
    std::string output;
    answerMetafileRequests(input.substr(0, input.size() - 2),
                           [&output](const std::string& answer) { output += answer; });
    std::vector<char> tags;
    std::string_view rest = output;
    std::size_t consumed = 0;
    while (const auto frame = nextMetafileFrame(rest, consumed)) {
        tags.push_back(frame->tag);
        EXPECT_EQ(frame->tag == 'S', frame->payload.substr(0, 4) == "<svg");
        rest.remove_prefix(consumed);
    }
    EXPECT_EQ(tags, (std::vector<char>{'S', 'F', 'F'})); // the cut request is not answered
    EXPECT_TRUE(rest.empty());
}

struct HostileCase {
    const char* name;
    ImageKind kind;
    std::function<std::string()> bytes;
};

std::ostream& operator<<(std::ostream& out, const HostileCase& c) {
    return out << c.name;
}

class HostileMetafile : public ::testing::TestWithParam<HostileCase> {};

// A metafile made to break a reader gives SVG or nothing, never a crash.
TEST_P(HostileMetafile, GivesSvgOrNothing) {
    const std::optional<std::string> svg = metafileToSvg(GetParam().kind, GetParam().bytes());
    if (svg) {
        EXPECT_EQ(svg->substr(0, 4), "<svg");
        EXPECT_LT(svg->size(), kMaxSvgBytes + 1024);
    }
}

std::string repeated(const Wmf& piece, std::size_t count) {
    Wmf many;
    for (std::size_t i = 0; i < count; ++i) {
        many.record(0x001E, {}); // the piece's records, SaveDC between them
    }
    return piece.bytes(100, 100) + many.bytes(100, 100);
}

const HostileCase kHostileCases[] = {
    {"empty_wmf", ImageKind::Wmf, [] { return std::string(); }},
    {"header_only", ImageKind::Wmf, [] { return Wmf().bytes(100, 100).substr(0, 18); }},
    {"record_longer_than_the_file", ImageKind::Wmf,
     [] {
         return Wmf().bytes(100, 100).substr(0, 18) + std::string("\xff\xff\xff\x7f\x2e\x01", 6);
     }},
    {"zero_window", ImageKind::Wmf, [] { return Wmf().text(0, 0, "x").bytes(0, 0); }},
    {"text_longer_than_its_record", ImageKind::Wmf,
     [] {
         return Wmf().record(0x0521, {30000, 0x4141}).bytes(100, 100);
     }},
    {"polygon_of_more_points_than_given", ImageKind::Wmf,
     [] {
         return Wmf().record(0x0324, {30000, 1, 2}).bytes(100, 100);
     }},
    {"restoring_more_than_saved", ImageKind::Wmf,
     [] { return Wmf().record(0x0127, {static_cast<std::uint16_t>(-5000)}).bytes(10, 10); }},
    {"thousands_of_saves", ImageKind::Wmf, [] { return repeated(Wmf(), 5000); }},
    {"object_out_of_the_table", ImageKind::Wmf,
     [] { return Wmf().record(0x012D, {60000}).record(0x01F0, {60000}).bytes(10, 10); }},
    {"more_objects_than_kept", ImageKind::Wmf,
     [] {
         Wmf objects;
         for (std::size_t i = 0; i <= kMaxWmfObjects; ++i) {
             objects.record(0x02FC, {0, 0, 0, 0});
         }
         return objects.bytes(10, 10);
     }},
    {"bitmap_with_a_huge_header", ImageKind::Wmf,
     [] {
         return Wmf()
             .record(0x0F43, {0x0020, 0xCC, 0, 10, 10, 0, 0, 10, 10, 0, 0, 0xFFFF, 0x7FFF})
             .bytes(10, 10);
     }},
    {"random_wmf", ImageKind::Wmf,
     [] {
         std::string bytes = Wmf().bytes(100, 100);
         std::uint32_t seed = 12345;
         for (int i = 0; i < 4096; ++i) {
             seed = seed * 1103515245 + 12345;
             bytes += static_cast<char>(seed >> 16);
         }
         return bytes;
     }},
    {"empty_emf", ImageKind::Emf, [] { return std::string(); }},
    {"emf_header_claiming_more", ImageKind::Emf,
     [] {
         std::string emf(88, '\0');
         emf[0] = 1;
         emf[4] = 88;
         emf[40] = ' ';
         emf[41] = 'E';
         emf[42] = 'M';
         emf[43] = 'F';
         emf[48] = '\xff';
         emf[49] = '\xff';
         emf[50] = '\xff';
         return emf;
     }},
    {"cut_emf", ImageKind::Emf,
     [] {
         const std::string emf = readFile("circuit-draw.emf");
         return emf.substr(0, emf.size() / 2);
     }},
};

INSTANTIATE_TEST_SUITE_P(Metafile, HostileMetafile, ::testing::ValuesIn(kHostileCases),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace ohmora::rtf
