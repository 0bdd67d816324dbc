#include "richtext/ListTable.h"

#include "richtext/SymbolFonts.h"

#include <algorithm>

namespace ohmora::rtf {

namespace {

// The numbering formats of \levelnfc; decimal (0) and the others not named
// here give decimal numbers.
constexpr int kUpperRoman = 1;
constexpr int kLowerRoman = 2;
constexpr int kUpperLetter = 3;
constexpr int kLowerLetter = 4;
constexpr int kLeadingZero = 22;
constexpr int kBullet = 23;
constexpr int kNone = 255;
constexpr int kMaxNumber = 1'000'000;

std::u16string decimal(int value) {
    std::u16string text;
    for (const char c : std::to_string(value)) {
        text.push_back(static_cast<char16_t>(c));
    }
    return text;
}

std::u16string roman(int value, bool upper) {
    if (value <= 0 || value >= 4000) {
        return decimal(value);
    }
    struct Numeral {
        int value;
        const char* text;
    };
    static constexpr Numeral kNumerals[] = {
        {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
        {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
    std::u16string text;
    for (const Numeral& numeral : kNumerals) {
        for (; value >= numeral.value; value -= numeral.value) {
            for (const char* c = numeral.text; *c; ++c) {
                text.push_back(static_cast<char16_t>(upper ? *c - 'a' + 'A' : *c));
            }
        }
    }
    return text;
}

// a, b, ... z, aa, bb, ... as word processors letter their lists.
std::u16string letters(int value, bool upper) {
    if (value <= 0) {
        return decimal(value);
    }
    const auto letter = static_cast<char16_t>((upper ? u'A' : u'a') + (value - 1) % 26);
    return std::u16string(static_cast<std::size_t>(std::min((value - 1) / 26 + 1, 32)), letter);
}

// A sign of a level's text in the level's font. A sign of a symbol font at
// its private-use place in a level whose font is not one: the usual bullets
// of Wingdings are told from those of Symbol by their byte.
char16_t levelSign(char16_t c, SymbolFont font) {
    const bool privateUse = c >= 0xF020 && c <= 0xF0FF;
    if (font == SymbolFont::None && privateUse) {
        const auto byte = static_cast<unsigned char>(c & 0xFF);
        const bool wingdings = byte == 0xA7 || byte == 0xD8 || byte == 0xFC || byte == 0x76 ||
                               byte == 0x71 || byte == 0x6E || byte == 0x6C;
        font = wingdings ? SymbolFont::Wingdings : SymbolFont::Symbol;
    } else if (font == SymbolFont::None || (c >= 0x100 && !privateUse)) {
        return c;
    }
    const char32_t sign = decodeSymbol(font, static_cast<unsigned char>(c & 0xFF));
    return sign <= 0xFFFF ? static_cast<char16_t>(sign) : u'\u2022';
}

std::u16string numberText(int value, int format) {
    switch (format) {
    case kUpperRoman:
    case kLowerRoman:
        return roman(value, format == kUpperRoman);
    case kUpperLetter:
    case kLowerLetter:
        return letters(value, format == kUpperLetter);
    case kLeadingZero:
        return (value < 10 ? u"0" : u"") + decimal(value);
    case kBullet:
    case kNone:
        return {};
    default:
        return decimal(value);
    }
}

} // namespace

void ListTable::beginList() {
    list_ = List{};
    listId_ = 0;
}

void ListTable::finishList() {
    if (lists_.size() < kMaxLists) {
        lists_.insert_or_assign(listId_, list_);
    }
}

void ListTable::beginLevel() {
    if (list_.levelCount < kMaxLevels) {
        list_.levels[list_.levelCount] = Level{};
    }
    levelTextStarted_ = levelTextEnded_ = false;
    levelTextLength_ = 0;
}

void ListTable::finishLevel(SymbolFont font) {
    if (list_.levelCount >= kMaxLevels) {
        return;
    }
    // The level's text is in the level's font, which the file gives after it.
    for (char16_t& c : list_.levels[list_.levelCount].text) {
        if (c >= kMaxLevels) {
            c = levelSign(c, font);
        }
    }
    ++list_.levelCount;
}

void ListTable::beginOverride() {
    inOverride_ = true;
    overrideList_ = overrideNumber_ = 0;
}

void ListTable::finishOverride() {
    if (overrides_.size() < kMaxLists) {
        overrides_.insert_or_assign(overrideNumber_, overrideList_);
    }
    inOverride_ = false;
}

void ListTable::word(Keyword keyword, int parameter) {
    Level* level = list_.levelCount < kMaxLevels ? &list_.levels[list_.levelCount] : nullptr;
    switch (keyword) {
    case Keyword::ListId:
        (inOverride_ ? overrideList_ : listId_) = parameter;
        break;
    case Keyword::ListOverrideNumber:
        if (inOverride_) {
            overrideNumber_ = parameter;
        }
        break;
    case Keyword::LevelFormat:
        if (level) {
            level->format = parameter;
        }
        break;
    case Keyword::LevelStart:
        if (level) {
            level->start = std::clamp(parameter, 0, kMaxNumber);
        }
        break;
    case Keyword::LevelFollow:
        if (level) {
            level->follow = parameter;
        }
        break;
    default:
        break;
    }
}

void ListTable::levelTextCharacter(char16_t c) {
    if (list_.levelCount >= kMaxLevels || levelTextEnded_) {
        return;
    }
    Level& level = list_.levels[list_.levelCount];
    if (!levelTextStarted_) {
        // The text starts with its own length.
        levelTextStarted_ = true;
        levelTextLength_ = c;
        return;
    }
    if (c == u';' || level.text.size() >= levelTextLength_) {
        levelTextEnded_ = true;
        return;
    }
    level.text.push_back(c);
}

std::u16string ListTable::next(int override, int levelNumber) {
    const auto listId = overrides_.find(override);
    const auto list = listId == overrides_.end() ? lists_.end() : lists_.find(listId->second);
    if (list == lists_.end() || levelNumber < 0 ||
        static_cast<std::size_t>(levelNumber) >= list->second.levelCount) {
        return {};
    }
    const auto& levels = list->second.levels;
    const auto at = static_cast<std::size_t>(levelNumber);
    Counters& counters = counters_[override];
    counters.values[at] =
        counters.started[at] ? std::min(counters.values[at] + 1, kMaxNumber) : levels[at].start;
    counters.started[at] = true;
    std::fill(counters.started.begin() + static_cast<std::ptrdiff_t>(at) + 1,
              counters.started.end(), false);
    const std::u16string& pattern = levels[at].text;
    const bool numbered =
        std::any_of(pattern.begin(), pattern.end(), [](char16_t c) { return c < kMaxLevels; });
    std::u16string text;
    if (levels[at].format == kBullet && numbered) {
        text = u"\u2022"; // a bullet whose text is a number's is the usual bullet
    } else {
        for (const char16_t c : pattern) {
            if (c >= kMaxLevels) {
                text.push_back(c);
            } else if (c <= at) { // a number of this level or of a level above it
                const int value = counters.started[c] ? counters.values[c] : levels[c].start;
                text += numberText(value, levels[c].format);
            }
        }
    }
    if (!text.empty()) {
        text += levels[at].follow == 0 ? u"\t" : levels[at].follow == 1 ? u" " : u"";
    }
    return text;
}

} // namespace ohmora::rtf
