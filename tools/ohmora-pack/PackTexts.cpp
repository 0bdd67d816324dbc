#include "PackTexts.h"

#include "files/Windows1252.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <sstream>

namespace ohmora::pack {

namespace {

constexpr char32_t kNbsp = 0x00A0;
constexpr char32_t kNarrow = 0x202F;
constexpr char32_t kHidden = 0xFFFC; // stands for a quoted caption's characters

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

std::u32string decodeUtf8(std::string_view s) {
    std::u32string out;
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const int extra = b < 0x80 ? 0 : (b < 0xE0 ? 1 : (b < 0xF0 ? 2 : 3));
        char32_t c = extra == 0 ? b : (b & (0x3F >> extra));
        for (int k = 1; k <= extra && i + size_t(k) < s.size(); ++k) {
            c = (c << 6) | (static_cast<unsigned char>(s[i + size_t(k)]) & 0x3F);
        }
        out += c;
        i += size_t(extra) + 1;
    }
    return out;
}

std::string encodeUtf8(std::u32string_view s) {
    std::string out;
    for (const char32_t c : s) {
        appendUtf8(out, c == kHidden ? U'…' : c);
    }
    return out;
}

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// Letters of the texts: Latin with accents, Greek, and the caption
// stand-in.
bool isLetter(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0x24F) ||
           (c >= 0x370 && c <= 0x3FF) || c == kHidden;
}

bool isBlank(char32_t c) {
    return c == U' ' || c == U'\n' || c == U'\t';
}

// The units a number is written with, as the texts spell them.
const std::array<std::u32string_view, 41> kUnits = {
    U"V", U"mV", U"µV",  U"kV",  U"A",     U"mA",  U"µA",   U"J",  U"mJ", U"µJ", U"kJ",
    U"s", U"ms", U"µs",  U"min", U"h",     U"C",   U"mC",   U"µC", U"Ω",  U"kΩ", U"MΩ",
    U"F", U"mF", U"µF",  U"nF",  U"pF",    U"H",   U"mH",   U"W",  U"mW", U"Hz", U"kHz",
    U"%", U"°",  U"s−1", U"s−2", U"rad/s", U"V/s", U"s2/H", U"s2"};

// The unit written at position i, if any (followed by no letter or digit).
size_t unitAt(std::u32string_view t, size_t i) {
    size_t best = 0;
    for (const std::u32string_view u : kUnits) {
        const size_t end = i + u.size();
        if (t.substr(i, u.size()) == u &&
            (end >= t.size() || (!isLetter(t[end]) && !isDigit(t[end]))) && u.size() > best) {
            best = u.size();
        }
    }
    return best;
}

// The program's captions and messages keep their own spacing where a text
// quotes them; so do the lines of the welcome text.
const std::array<std::u32string_view, 12> kQuotedCaptions = {
    U"Quitter vraiment Ohmora ?",
    U"Attention: perte des modifications du texte.",
    U"Abandon des données?",
    U"Ecraser le fichier?",
    U"Pour modifier le montage : onglet Montage",
    U"L'image est copiée : vous pouvez la retrouver depuis toute application Windows (coller)",
    U"Copier pour placer l'image dans le presse- papiers puis coller depuis Word, Paint...",
    U"Pour l'utiliser :",
    U"Vérifier:",
    U"Texte: ",
    U"Liste des exercices:",
    U"Nom du fichier:",
};

std::u32string hideQuotedCaptions(std::u32string t) {
    for (const std::u32string_view q : kQuotedCaptions) {
        for (size_t at = t.find(q); at != std::u32string::npos; at = t.find(q, at + q.size())) {
            std::fill_n(t.begin() + std::ptrdiff_t(at), q.size(), kHidden);
        }
    }
    return t;
}

std::string around(std::u32string_view t, size_t i) {
    const size_t from = i > 25 ? i - 25 : 0;
    std::string out = encodeUtf8(t.substr(from, 50));
    std::replace(out.begin(), out.end(), '\n', ' ');
    return "\"" + out + "\"";
}

// --- RTF -------------------------------------------------------------------

bool skippedDestination(std::string_view rest) {
    for (const std::string_view d :
         {"\\*", "\\fonttbl", "\\colortbl", "\\stylesheet", "\\info", "\\pict"}) {
        if (startsWith(rest, d)) {
            return true;
        }
    }
    return false;
}

// A control word at `s` (after the backslash): its name, its parameter and
// the length it takes, the delimiting blank included.
struct ControlWord {
    std::string_view name;
    long parameter = 0;
    size_t length = 0;
};
ControlWord controlWord(std::string_view s) {
    ControlWord w;
    size_t i = 0;
    while (i < s.size() && s[i] >= 'a' && s[i] <= 'z') {
        ++i;
    }
    w.name = s.substr(0, i);
    const size_t digits = i;
    if (i < s.size() && s[i] == '-') {
        ++i;
    }
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        ++i;
    }
    std::from_chars(s.data() + digits, s.data() + i, w.parameter);
    w.length = i + (i < s.size() && s[i] == ' ' ? 1 : 0);
    return w;
}

// --- roff ------------------------------------------------------------------

std::string roffEscapes(std::string_view s) {
    static const std::array<std::pair<std::string_view, std::string_view>, 14> kEscapes = {{
        {"\\~", "\u00A0"},
        {"\\ ", "\u00A0"},
        {"\\-", "-"},
        {"\\e", "\\"},
        {"\\&", ""},
        {"\\c", ""},
        {"\\(*p", "π"},
        {"\\(sr", "√"},
        {"\\(*m", "µ"},
        {"\\(em", "—"},
        {"\\(en", "–"},
        {"\\fB", ""},
        {"\\fI", ""},
        {"\\fR", ""},
    }};
    std::string out;
    for (size_t i = 0; i < s.size();) {
        bool done = false;
        for (const auto& [escape, text] : kEscapes) {
            if (!done && startsWith(s.substr(i), escape)) {
                out += text;
                i += escape.size();
                done = true;
            }
        }
        if (!done && startsWith(s.substr(i), "\\fP")) {
            i += 3;
            done = true;
        }
        if (!done) {
            out += s[i++];
        }
    }
    return out;
}

// The arguments of a macro line, quotes removed; the font-alternating
// macros join theirs without a blank.
std::string macroText(std::string_view name, std::string_view args) {
    std::vector<std::string> pieces;
    std::string piece;
    bool quoted = false;
    for (const char c : args) {
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ' ' && !quoted) {
            if (!piece.empty()) {
                pieces.push_back(piece);
            }
            piece.clear();
        } else {
            piece += c;
        }
    }
    if (!piece.empty()) {
        pieces.push_back(piece);
    }
    const bool alternating = name.size() == 2 && name != "SH" && name != "SS" && name != "TP" &&
                             name != "PP" && name != "RS" && name != "RE" && name != "TH";
    std::string out;
    for (const std::string& p : pieces) {
        out += (out.empty() || alternating ? "" : " ") + p;
    }
    return out;
}

} // namespace

std::string rtfText(std::string_view rtf) {
    std::string out;
    std::vector<bool> skipping{false};
    for (size_t i = 0; i < rtf.size();) {
        const char c = rtf[i];
        const bool skip = skipping.back();
        if (c == '{') {
            skipping.push_back(skip || skippedDestination(rtf.substr(i + 1)));
            ++i;
        } else if (c == '}') {
            if (skipping.size() > 1) {
                skipping.pop_back();
            }
            ++i;
        } else if (c == '\r' || c == '\n') {
            ++i;
        } else if (c != '\\') {
            if (!skip) {
                out += files::utf8FromWindows1252(rtf.substr(i, 1));
            }
            ++i;
        } else if (i + 1 < rtf.size() && rtf[i + 1] == '\'') {
            if (!skip && i + 3 < rtf.size()) {
                unsigned byte = 0;
                std::from_chars(rtf.data() + i + 2, rtf.data() + i + 4, byte, 16);
                out += files::utf8FromWindows1252(std::string(1, char(byte)));
            }
            i += 4;
        } else if (i + 1 < rtf.size() && !(rtf[i + 1] >= 'a' && rtf[i + 1] <= 'z')) {
            const char symbol = rtf[i + 1];
            if (!skip && symbol == '~') {
                out += "\u00A0";
            } else if (!skip && (symbol == '{' || symbol == '}' || symbol == '\\')) {
                out += symbol;
            }
            i += 2;
        } else {
            const ControlWord w = controlWord(rtf.substr(i + 1));
            i += 1 + w.length;
            if (skip) {
                continue;
            }
            if (w.name == "par" || w.name == "line") {
                out += '\n';
            } else if (w.name == "tab") {
                out += '\t';
            } else if (w.name == "u") {
                appendUtf8(out, char32_t(w.parameter < 0 ? w.parameter + 65536 : w.parameter));
                // The stand-in for readers without Unicode: one character.
                i += rtf.substr(i, 2) == "\\'" ? 4 : 1;
            }
        }
    }
    return out;
}

std::string htmlText(std::string_view html) {
    std::string out;
    for (size_t i = 0; i < html.size();) {
        const std::string_view rest = html.substr(i);
        if (startsWith(rest, "<!--") || startsWith(rest, "<style")) {
            const std::string_view end = startsWith(rest, "<!--") ? "-->" : "</style>";
            const size_t close = rest.find(end);
            i += close == std::string_view::npos ? rest.size() : close + end.size();
        } else if (rest.front() == '<') {
            const size_t close = rest.find('>');
            // The tag's name, after "<" or "</".
            std::string_view name = rest.substr(1, close == std::string_view::npos ? 0 : close - 1);
            name.remove_prefix(startsWith(name, "/") ? 1 : 0);
            bool block = false;
            for (const std::string_view b :
                 {"p", "li", "td", "th", "tr", "h1", "h2", "h3", "br", "ul", "ol", "table", "nav",
                  "main", "span class=\"formule"}) {
                block = block || startsWith(name, b);
            }
            out += block ? "\n" : "";
            i += close == std::string_view::npos ? rest.size() : close + 1;
        } else if (rest.front() == '&') {
            const size_t semi = rest.find(';');
            const std::string_view entity = rest.substr(1, semi - 1);
            char32_t c = U'&';
            if (entity == "nbsp") {
                c = kNbsp;
            } else if (entity == "lt" || entity == "gt" || entity == "amp" || entity == "quot") {
                c = entity == "lt" ? U'<'
                                   : (entity == "gt" ? U'>' : (entity == "amp" ? U'&' : U'"'));
            } else if (startsWith(entity, "#")) {
                unsigned long n = 0;
                const bool hex = startsWith(entity, "#x");
                std::from_chars(entity.data() + (hex ? 2 : 1), entity.data() + entity.size(), n,
                                hex ? 16 : 10);
                c = char32_t(n);
            }
            appendUtf8(out, c);
            i += semi == std::string_view::npos ? 1 : semi + 1;
        } else {
            out += rest.front() == '\n' ? ' ' : rest.front();
            ++i;
        }
    }
    return out;
}

std::string roffText(std::string_view roff) {
    std::istringstream in{std::string(roff)};
    std::string out;
    bool example = false;
    for (std::string line; std::getline(in, line);) {
        if (startsWith(line, ".\\\"") || startsWith(line, "'\\\"") || startsWith(line, ".TH")) {
            continue;
        }
        if (startsWith(line, ".nf") || startsWith(line, ".fi")) {
            example = startsWith(line, ".nf");
            continue;
        }
        if (example) {
            continue;
        }
        if (startsWith(line, ".")) {
            const size_t blank = line.find(' ');
            const std::string name = line.substr(1, blank == std::string::npos ? blank : blank - 1);
            const std::string args = blank == std::string::npos ? "" : line.substr(blank + 1);
            out += roffEscapes(macroText(name, args)) + (args.empty() ? "\n" : " ");
        } else {
            out += roffEscapes(line) + " ";
        }
    }
    return out;
}

std::vector<std::string> typographyFaults(std::string_view utf8, Spacing spacing) {
    std::u32string t = hideQuotedCaptions(decodeUtf8(utf8));
    if (spacing == Spacing::Terminal) {
        std::replace(t.begin(), t.end(), kNbsp, kNarrow);
        // Before a colon, the no-break space stays what it is.
        for (size_t i = 1; i < t.size(); ++i) {
            t[i - 1] = t[i] == U':' && t[i - 1] == kNarrow ? kNbsp : t[i - 1];
        }
    }
    std::vector<std::string> faults;
    const auto fault = [&](size_t i, const std::string& what) {
        faults.push_back(what + " in " + around(t, i));
    };
    for (size_t i = 0; i < t.size(); ++i) {
        const char32_t c = t[i], before = i > 0 ? t[i - 1] : U'\n';
        const char32_t after = i + 1 < t.size() ? t[i + 1] : U'\n';
        if (c == U';' || c == U'?' || c == U'!' || c == U'»') {
            if (before != kNarrow && (isBlank(before) || before == kNbsp || isLetter(before))) {
                fault(i, "a narrow no-break space before " + encodeUtf8(std::u32string(1, c)));
            }
        } else if (c == U'«') {
            if (after != kNarrow) {
                fault(i, "a narrow no-break space after «");
            }
        } else if (c == U':') {
            if (before == U' ' || before == kNarrow || isLetter(before)) {
                fault(i, "a no-break space before :");
            }
        } else if (c == U' ' && isDigit(before)) {
            // A unit, or a group of three digits.
            const bool group = i + 3 < t.size() && isDigit(t[i + 1]) && isDigit(t[i + 2]) &&
                               isDigit(t[i + 3]) && (i + 4 >= t.size() || !isDigit(t[i + 4]));
            if (unitAt(t, i + 1) > 0) {
                fault(i, "a no-break space between a number and its unit");
            } else if (group) {
                size_t run = 0;
                while (run < i && isDigit(t[i - 1 - run])) {
                    ++run;
                }
                const char32_t lead = run < i ? t[i - 1 - run] : U' ';
                if (run <= 3 && lead != U',' && !isLetter(lead)) {
                    fault(i, "a no-break space between groups of digits");
                }
            }
        } else if (c == U'-' && isDigit(after) &&
                   (isBlank(before) || before == kNbsp || before == U'(' || before == U'=')) {
            fault(i, "a minus sign (−), not a hyphen");
        } else if (c == U'\'' && before == U'τ') {
            fault(i, "a prime (′), not an apostrophe");
        }
    }
    return faults;
}

std::vector<StatedFigure> statedFigures(std::string_view utf8) {
    std::u32string t = decodeUtf8(utf8);
    std::replace(t.begin(), t.end(), kNbsp, U' ');
    std::replace(t.begin(), t.end(), kNarrow, U' ');
    std::vector<StatedFigure> found;
    for (size_t i = 0; i < t.size(); ++i) {
        const char32_t before = i > 0 ? t[i - 1] : U' ';
        const char32_t beforeSign = i > 1 ? t[i - 2] : U' ';
        const bool exponent = before == U'−' && (isLetter(beforeSign) || isDigit(beforeSign));
        if (!isDigit(t[i]) || isLetter(before) || isDigit(before) || before == U',' ||
            before == U'·' || exponent || before == U'_') {
            continue;
        }
        size_t end = i;
        while (end < t.size() && isDigit(t[end])) {
            ++end;
        }
        while (end + 3 < t.size() && t[end] == U' ' && isDigit(t[end + 1]) && isDigit(t[end + 2]) &&
               isDigit(t[end + 3]) && (end + 4 >= t.size() || !isDigit(t[end + 4]))) {
            end += 4;
        }
        if (end + 1 < t.size() && t[end] == U',' && isDigit(t[end + 1])) {
            for (++end; end < t.size() && isDigit(t[end]);) {
                ++end;
            }
        }
        if (t.substr(end, 3) == U"·10") {
            end += 3 + (end + 3 < t.size() && t[end + 3] == U'−' ? 1 : 0);
            while (end < t.size() && isDigit(t[end])) {
                ++end;
            }
        }
        const bool zero = t.substr(i, end - i).find_first_not_of(U"0, ") == std::u32string::npos;
        if (end < t.size() &&
            (isLetter(t[end]) || t[end] == U'√' || t[end] == U'(' || t[end] == U'/')) {
            i = end;
            continue; // a factor or a numerator: 5τ, 2π, 2√(L/C), 1/2
        }
        const size_t unit = end + 1 < t.size() && t[end] == U' ' ? unitAt(t, end + 1) : 0;
        size_t look = i;
        while (look > 0 && t[look - 1] == U' ') {
            --look;
        }
        const bool signedFigure = look > 0 && t[look - 1] == U'−' && look == i;
        const size_t from = signedFigure ? i - 1 : i;
        size_t op = from;
        while (op > 0 && t[op - 1] == U' ') {
            --op;
        }
        const char32_t sign = op > 0 ? t[op - 1] : U' ';
        const bool afterEquals = sign == U'=' || sign == U'≈' || sign == U'≤' || sign == U'≥' ||
                                 sign == U'<' || sign == U'>';
        const size_t last = unit > 0 ? end + 1 + unit : end;
        if (!zero && (unit > 0 || afterEquals)) {
            found.push_back({encodeUtf8(t.substr(from, last - from)), around(t, i)});
        }
        i = last;
    }
    return found;
}

} // namespace ohmora::pack
