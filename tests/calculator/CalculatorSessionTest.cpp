#include "calculator/CalculatorSession.h"

#include "KeySequence.h"
#include "calculator/CalculatorDisplay.h"
#include "calculator/Evaluator.h"

#include <gtest/gtest.h>

namespace ohmora {
namespace {

struct Pupil {
    double memoire = 0;
    CalculatorSession session{memoire};
    int beeps = 0;

    Pupil& press(std::string_view keys) {
        for (CalculatorKey key : testing::keySequence(keys)) {
            beeps += session.press(key) ? 1 : 0;
        }
        return *this;
    }
};

// Keys, then the expression typed and what the entry line shows.
struct SequenceCase {
    const char* keys;
    const char* saisie;
    const char* entryLine; // after EXE; otherwise the expression itself
    int beeps = 0;
};

TEST(CalculatorSession, KeysBuildTheExpression) {
    const SequenceCase cases[] = {
        {"1 M 2 G 3 T 4 m 5 n 6 p", "1E+62E+93E+124E-35E-96E-12", ""},
        {"x", "", ""},   // nothing to multiply yet
        {"/ +", "", ""}, // nor to divide or add to
        {"^", " ^ ", ""},
        {"2 PI", "2 * 3.14159265358979", ""},
        {"2 1/x", "2 * 1 / ", ""},
        {"( SIN", "(sin ", ""},
        {"- LN", "-ln ", ""},
        {"ICOS ITAN LOG e^x SQR", "invCOS invTAN log exp SQR ", ""},
        {"2 ( 3 ) EXE", "", " 6"},
        {"2 10^x 3 EXE", "", " 2000"},
        {"ISIN . 5 EXE", "", " 30"},
        {"3 EXE x2 EXE", "", " 9"},
        {"2 EXE ^ 1 0 EXE", "", " 1024"},
        {"8 EXE / 2 EXE x 3 EXE", "", " 12"},
        // The minus key: a sign, or an operator.
        {"-", "-", ""},
        {"2 -", "2 - ", ""},
        {"2 - - -", "2 - - -", ""},
        {"( -", "(-", ""},
        {"2 EXP - 3", "2E-3", ""},
        {"2 EXP + 3", "2E+3", ""},
        // The deletion key: a character, an operator, or a function word.
        {"1 2 DEL", "1", ""},
        {"10^x DEL", "10", ""},
        {"( COS DEL", "(", ""},
        {"DEL", "", ""},
        {"1 2 AC", "", ""},
        // Errors: message, and the typed expression kept for correction.
        {"( 5 EXE", "(5", "Erreur saisie: revoir les parenthèses", 1},
        {"2 x x 3 EXE", "2 *  * 3", "Erreur saisie: incompréhension sur opérateurs: ^ * / + -", 1},
        {"1 EXP 9 9 9 EXE", "1E999", "Dépassement de capacité", 1},
        {"1 / 0 EXE . 5 EXE", "", " 2", 1}, // the next key continues 1 / 0
        {"1 / 0 EXE AC ANS", "", "", 1},    // no last answer after an error
        {"1 EXP 9 9 9 EXE AC ANS", "", "", 1}};
    for (const SequenceCase& c : cases) {
        Pupil pupil;
        pupil.press(c.keys);
        EXPECT_EQ(pupil.session.saisie(), c.saisie) << c.keys;
        const bool exe = std::string_view(c.keys).ends_with("EXE");
        EXPECT_EQ(pupil.session.entryLine(), exe ? c.entryLine : c.saisie) << c.keys;
        EXPECT_EQ(pupil.beeps, c.beeps) << c.keys;
    }
}

TEST(CalculatorSession, KeepsTheLastAnswer) {
    Pupil pupil;
    pupil.press("1 / 4 EXE");
    EXPECT_EQ(pupil.session.reponse(), " .25");
    pupil.press("ANS ANS");
    EXPECT_EQ(pupil.session.saisie(), ".25.25");
    pupil.press("AC 2 x x EXE");
    EXPECT_EQ(pupil.session.codeerreur(), kCodeOperators);
    EXPECT_EQ(pupil.session.reponse(), kMessageOperateurs);
}

TEST(CalculatorSession, SwitchesTheDisplayFormat) {
    Pupil pupil;
    EXPECT_FALSE(pupil.session.setScientific(true));
    pupil.press("1 / 3 EXE");
    EXPECT_EQ(pupil.session.entryLine(), "3.3333333E-01");
    EXPECT_FALSE(pupil.session.setScientific(false));
    EXPECT_EQ(pupil.session.entryLine(), " .333333333333333"); // all the digits are back
    pupil.press("- 1 4 EXE");
    pupil.session.setScientific(true);
    EXPECT_EQ(pupil.session.entryLine(), "-1.4E+01");
    pupil.press("7"); // an expression being typed: the format changes, the line does not
    pupil.session.setScientific(false);
    EXPECT_EQ(pupil.session.entryLine(), "7");
    EXPECT_FALSE(pupil.session.scientific());
}

TEST(CalculatorSession, MemoryAddsWhatTheEntryLineShows) {
    Pupil pupil;
    pupil.press("5 EXE M+ M+ RM");
    EXPECT_EQ(pupil.memoire, 10);
    EXPECT_EQ(pupil.session.saisie(), "10");
    pupil.press("AC 3 EXE M- AC 1 / 0 EXE M+"); // "Calcul impossible" reads as 0
    EXPECT_EQ(pupil.memoire, 7);
    pupil.press("CM RM");
    EXPECT_EQ(pupil.memoire, 0);
    EXPECT_EQ(pupil.session.saisie(), "1 / 00");
    pupil.press("AC 1 4 EXE M+ AC");
    pupil.session.setScientific(true);
    pupil.press("RM");
    EXPECT_EQ(pupil.session.saisie(), "1.4E+01");
}

TEST(CalculatorSession, MemoryRefusesValuesBeyondRange) {
    Pupil pupil;
    pupil.memoire = 1e308;
    pupil.press("1 EXP 3 0 8 EXE M+");
    EXPECT_EQ(pupil.memoire, 1e308);
    EXPECT_EQ(pupil.session.entryLine(), kMessageDepassement);
    pupil.press("AC 1 EXP 4 0 0 M+"); // the typed line itself overflows
    EXPECT_EQ(pupil.memoire, 1e308);
    EXPECT_EQ(pupil.beeps, 2);
    EXPECT_EQ(pupil.session.saisie(), "1E400");
}

TEST(CalculatorSession, KeyboardCharacters) {
    using K = CalculatorKey;
    const std::pair<char, std::optional<K>> cases[] = {
        {'0', K::Digit0},    {'9', K::Digit9},      {'.', K::Point},        {'e', K::ToExp},
        {'D', K::ToExp},     {'(', K::OpenBracket}, {')', K::CloseBracket}, {'*', K::Multiply},
        {'/', K::Divide},    {'+', K::Plus},        {'-', K::Minus},        {'^', K::Power},
        {'a', std::nullopt}, {',', std::nullopt},   {' ', std::nullopt},    {'s', std::nullopt}};
    for (const auto& [typed, key] : cases) {
        EXPECT_EQ(keyForCharacter(typed), key) << typed;
    }
}

} // namespace
} // namespace ohmora
