#pragma once
// Numbered and bulleted paragraphs: the list table (\listtable, each list's
// levels with their number format, start and text) and the override table
// (\listoverridetable, which gives each \lsN its list). A paragraph of list
// N at level L (\lsN\ilvlL) whose file gives no number text of its own
// (\listtext) takes the next number of its list from here.

#include "richtext/RtfKeywords.h"
#include "richtext/SymbolFonts.h"

#include <array>
#include <string>
#include <unordered_map>
#include <vector>

namespace ohmora::rtf {

class ListTable {
public:
    static constexpr std::size_t kMaxLevels = 9;
    static constexpr std::size_t kMaxLists = 4096;

    void beginList();
    void finishList();
    void beginLevel();
    // The level ends; its text is in `font`.
    void finishLevel(SymbolFont font);
    void beginOverride();
    void finishOverride();
    void word(Keyword keyword, int parameter);
    // A character of the level text; bytes below 9 stand for the numbers
    // of the levels.
    void levelTextCharacter(char16_t c);

    // The number text of the next paragraph of list `override` at `level`,
    // with what follows it (a tab, a blank or nothing); empty for a list or
    // a level the tables do not hold.
    std::u16string next(int override, int level);

private:
    struct Level {
        int format =
            0; // \levelnfcN: 0 decimal, 1 and 2 Roman, 3 and 4 letters, 23 bullet, 255 none
        int start = 1;
        int follow = 0; // 0 a tab, 1 a blank, 2 nothing
        std::u16string text;
    };
    struct List {
        std::array<Level, kMaxLevels> levels;
        std::size_t levelCount = 0;
    };
    struct Counters {
        std::array<int, kMaxLevels> values{};
        std::array<bool, kMaxLevels> started{};
    };

    std::unordered_map<int, List> lists_;        // by \listid
    std::unordered_map<int, int> overrides_;     // \lsN to its \listid
    std::unordered_map<int, Counters> counters_; // by \lsN
    List list_;
    int listId_ = 0;
    bool inOverride_ = false;
    int overrideList_ = 0;
    int overrideNumber_ = 0;
    bool levelTextStarted_ = false;
    bool levelTextEnded_ = false;
    std::size_t levelTextLength_ = 0;
};

} // namespace ohmora::rtf
