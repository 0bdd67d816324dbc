#include "exercises/NewExercise.h"

#include "files/RecordFile.h"
#include "files/Windows1252.h"

#include <array>
#include <utility>
#include <vector>

namespace ohmora::exercises {

namespace {

constexpr size_t kMaxBaseName = 48;
constexpr size_t kTopicRecords = 4;

// The ASCII letters of the accented Latin letters of Windows-1252, by their
// code point from U+00C0 (À) to U+00FF (ÿ); empty for a sign (× ÷).
constexpr std::array<const char*, 64> kLatin1Letters = {
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y"};

// The ASCII spelling of a character of the title: itself for a letter or
// a digit, the letters of an accented letter, nothing for the others.
std::string asciiLetters(char32_t c) {
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
        return std::string(1, char(c));
    }
    if (c >= 'A' && c <= 'Z') {
        return std::string(1, char(c - 'A' + 'a'));
    }
    if (c >= 0xC0 && c <= 0xFF) {
        return kLatin1Letters[size_t(c - 0xC0)];
    }
    switch (c) {
    case 0x152: // Œ
    case 0x153:
        return "oe";
    case 0x160: // Š
    case 0x161:
        return "s";
    case 0x17D: // Ž
    case 0x17E:
        return "z";
    case 0x178: // Ÿ
        return "y";
    default:
        return {};
    }
}

// The characters of a UTF-8 text; a byte that starts no whole character
// stands for the replacement character, and nothing is read past the end.
std::vector<char32_t> codePoints(std::string_view text) {
    const auto byte = [&text](size_t i) { return static_cast<unsigned char>(text[i]); };
    std::vector<char32_t> out;
    for (size_t i = 0; i < text.size();) {
        const unsigned char b = byte(i);
        const size_t length = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 0;
        bool whole = length > 0 && i + length <= text.size();
        for (size_t k = 1; whole && k < length; ++k) {
            whole = (byte(i + k) & 0xC0) == 0x80;
        }
        if (!whole) {
            out.push_back(0xFFFD); // a sign, not a letter
            ++i;
            continue;
        }
        char32_t c = length == 1 ? b : b & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) {
            c = (c << 6) | (byte(i + k) & 0x3F);
        }
        out.push_back(c);
        i += length;
    }
    return out;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

bool fitsCodePage(std::string_view text) {
    return files::windows1252FromUtf8(text).has_value();
}

std::string companion(std::string_view stem, const ExercisePart& part, const char* suffix) {
    return part.source == PartSource::None ? std::string() : std::string(stem) + suffix;
}

} // namespace

std::string exerciseBaseName(std::string_view title) {
    std::string name;
    for (const char32_t c : codePoints(title)) {
        const std::string letters = asciiLetters(c);
        if (!letters.empty()) {
            name += letters;
        } else if (!name.empty() && name.back() != '-') {
            name += '-';
        }
    }
    if (name.size() > kMaxBaseName) {
        // Cut after a whole word when one ends late enough.
        const size_t hyphen = name.rfind('-', kMaxBaseName);
        name.resize(hyphen != std::string::npos && hyphen >= kMaxBaseName / 2 ? hyphen
                                                                              : kMaxBaseName);
    }
    while (!name.empty() && name.back() == '-') {
        name.pop_back();
    }
    return name.empty() ? "exercice" : name;
}

CompanionNames companionNames(std::string_view stem, const NewExercise& e) {
    return CompanionNames{companion(stem, e.statement, "-enonce.rtf"),
                          companion(stem, e.configuration, "-enonce.P16"),
                          companion(stem, e.correction, "-corrige.rtf"),
                          companion(stem, e.correctionConfiguration, "-corrige.P16")};
}

std::optional<std::string> newExerciseProblem(const NewExercise& e, const CompanionNames& names) {
    const std::string_view title = trimmed(e.title);
    if (title.empty()) {
        return "Il faut donner un titre à l'exercice.";
    }
    const char* latin =
        " ne peut contenir que des lettres latines, des chiffres et la "
        "ponctuation courante (ni τ, ni Ω, ni √, ni π\u00A0: écrire «\u00A0constante "
        "de temps\u00A0», «\u00A0ohms\u00A0», «\u00A0racine\u00A0», "
        "«\u00A0pi\u00A0»).";
    if (title.find('\n') != std::string_view::npos || !fitsCodePage(title)) {
        return "Le titre tient sur une ligne et" + std::string(latin);
    }
    if (!files::recordBytes(title)) {
        return "Le titre est trop long\u00A0: " + std::to_string(files::kMaxTextLength) +
               "\u00A0caractères au plus.";
    }
    const std::optional<std::string> topics = files::windows1252FromUtf8(e.topics);
    if (!topics) {
        return "Le texte des notions abordées" + std::string(latin);
    }
    if (topics->size() > kTopicRecords * files::kMaxTextLength) {
        return "Les notions abordées sont trop longues\u00A0: " +
               std::to_string(kTopicRecords * files::kMaxTextLength) + "\u00A0caractères au plus.";
    }
    if (e.difficulty < 0 || e.difficulty > kMaxDifficulty) {
        return "La difficulté est un nombre de 0 à 3.";
    }
    if (e.statement.source == PartSource::None) {
        return "Il faut un énoncé\u00A0: le texte de la fenêtre exercice ou un fichier RTF.";
    }
    for (const std::string* name : {&names.statement, &names.configuration, &names.correction,
                                    &names.correctionConfiguration}) {
        if (!files::recordBytes(*name)) {
            return "Le nom " + *name +
                   " ne peut pas être inscrit dans le fichier d'exercice\u00A0: un nom plus court, "
                   "en lettres latines.";
        }
    }
    return std::nullopt;
}

ExerciseRecords newExerciseRecords(const NewExercise& e, const CompanionNames& names) {
    ExerciseRecords r;
    r.statement = names.statement;
    r.configuration = names.configuration;
    r.correction = names.correction;
    r.correctionConfiguration = names.correctionConfiguration;
    r.difficulty = " " + std::to_string(e.difficulty); // a number as the program writes one
    r.topics = e.topics;
    r.title = std::string(trimmed(e.title));
    return r;
}

} // namespace ohmora::exercises
