#include "CalculatorSession.h"

#include "CalculatorDisplay.h"
#include "Evaluator.h"
#include "KeySequence.h"

#include <gtest/gtest.h>

namespace ohmora {
namespace {

using testing::keySequence;

struct Pupil {
    double memoire = 0;
    CalculatorSession session{memoire};
    int beeps = 0;

    Pupil& press(std::string_view keys) {
        for (CalculatorKey key : keySequence(keys)) {
            beeps += session.press(key) ? 1 : 0;
        }
        return *this;
    }
};

struct SequenceCase {
    const char* keys;
    const char* saisie;
    const char* entryLine;
    int beeps = 0;
};

TEST(CalculatorSession, BuildsAndEvaluatesTheTypedExpression) {
    const SequenceCase cases[] = {
        {"2 SIN 3 0", "2 * sin 30", "2 * sin 30"},
        {"2 SIN 3 0 EXE", "", " 1"},
        {"5 k EXE", "", " 5000"},
        {"4 7 µ", "47E-6", "47E-6"},
        {"1 M 2 G 3 T 4 m 5 n 6 p", "1E+62E+93E+124E-35E-96E-12", "1E+62E+93E+124E-35E-96E-12"},
        {"2 + 3 EXE + 1 EXE", "", " 6"}, // continues from the last answer
        {"3 EXE x2 EXE", "", " 9"},
        {"2 EXE ^ 1 0 EXE", "", " 1024"},
        {"8 EXE / 2 EXE x 3 EXE", "", " 12"},
        {"EXE", "", " 0"},
        {"1 / 0 EXE", "1 / 0", "Calcul impossible", 1},
        {"( 5 EXE", "(5", "Erreur saisie: revoir les parenthèses", 1},
        {"2 x x 3 EXE", "2 *  * 3", "Erreur saisie: incompréhension sur opérateurs: ^ * / + -", 1},
        {"1 EXP 9 9 9 EXE", "1E999", "Dépassement de capacité", 1},
        {"1 / 0 EXE . 5 EXE", "", " 2", 1}, // the next key continues 1 / 0
        {"1 / 0 EXE AC ANS", "", "", 1},    // no last answer after an error
        {"1 EXP 9 9 9 EXE AC ANS", "", "", 1},
        {"x", "", ""},   // nothing to multiply yet
        {"/ +", "", ""}, // nor to divide or add to
        {"^", " ^ ", " ^ "},
        {"2 ( 3 ) EXE", "", " 6"},
        {"2 PI", "2 * 3.14159265358979", "2 * 3.14159265358979"},
        {"2 10^x 3 EXE", "", " 2000"},
        {"2 1/x", "2 * 1 / ", "2 * 1 / "},
        {"( SIN", "(sin ", "(sin "},
        {"- LN", "-ln ", "-ln "},
        {"ISIN . 5 EXE", "", " 30"},
        {"ICOS ITAN LOG e^x SQR", "invCOS invTAN log exp SQR ", "invCOS invTAN log exp SQR "},
        {"SQR 1 6 EXE", "", " 4"},
        {"-", "-", "-"},
        {"2 -", "2 - ", "2 - "},
        {"2 - -", "2 - -", "2 - -"},
        {"2 - - -", "2 - - -", "2 - - -"},
        {"( -", "(-", "(-"},
        {"2 EXP - 3", "2E-3", "2E-3"},
        {"2 EXP + 3", "2E+3", "2E+3"},
        {"2 x DEL", "2", "2"},
        {"2 x SIN DEL", "2 * ", "2 * "},
        {"SIN DEL", "", ""},
        {"( COS DEL", "(", "("},
        {"1 2 DEL", "1", "1"},
        {"10^x DEL", "10", "10"},
        {"DEL", "", ""},
        {"1 2 AC", "", ""},
    };
    for (const SequenceCase& c : cases) {
        Pupil run;
        run.press(c.keys);
        EXPECT_EQ(run.session.saisie(), c.saisie) << c.keys;
        EXPECT_EQ(run.session.entryLine(), c.entryLine) << c.keys;
        EXPECT_EQ(run.beeps, c.beeps) << c.keys;
    }
}

TEST(CalculatorSession, KeepsTheLastAnswer) {
    Pupil run;
    run.press("1 / 4 EXE");
    EXPECT_EQ(run.session.reponse(), " .25");
    EXPECT_EQ(run.session.codeerreur(), 0);
    run.press("ANS ANS");
    EXPECT_EQ(run.session.saisie(), ".25.25");
    run.press("AC 2 x x EXE");
    EXPECT_EQ(run.session.codeerreur(), kCodeOperators);
    EXPECT_EQ(run.session.reponse(), kMessageOperateurs);
}

TEST(CalculatorSession, ComputesInRadiansWhenAsked) {
    Pupil run;
    run.session.setRadians(true);
    run.press("SIN ( PI / 2 ) EXE");
    EXPECT_EQ(run.session.entryLine(), " 1");
    run.session.setRadians(false);
    run.press("SIN 9 0 EXE");
    EXPECT_EQ(run.session.entryLine(), " 1");
}

TEST(CalculatorSession, SwitchesTheDisplayFormat) {
    Pupil run;
    EXPECT_FALSE(run.session.setScientific(true));
    run.press("1 / 3 EXE");
    EXPECT_EQ(run.session.entryLine(), "3.3333333E-01");
    EXPECT_FALSE(run.session.setScientific(false));
    EXPECT_EQ(run.session.entryLine(), " .333333333333333");
    EXPECT_TRUE(run.session.saisie().empty());

    run.press("- 1 4 EXE");
    run.session.setScientific(true);
    EXPECT_EQ(run.session.entryLine(), "-1.4E+01");

    run.press("7"); // an expression being typed: the format changes, the line does not
    run.session.setScientific(false);
    EXPECT_EQ(run.session.entryLine(), "7");
    EXPECT_FALSE(run.session.scientific());
}

TEST(CalculatorSession, MemoryAddsWhatTheEntryLineShows) {
    Pupil run;
    run.press("5 EXE M+ M+ RM");
    EXPECT_EQ(run.memoire, 10);
    EXPECT_EQ(run.session.saisie(), "10");
    run.press("AC 3 EXE M- RM");
    EXPECT_EQ(run.memoire, 7);
    run.press("AC 1 / 0 EXE M+"); // "Calcul impossible" reads as 0
    EXPECT_EQ(run.memoire, 7);
    EXPECT_EQ(run.beeps, 1);
    run.press("CM RM");
    EXPECT_EQ(run.memoire, 0);
    EXPECT_EQ(run.session.saisie(), "1 / 00");

    run.press("AC 1 4 EXE M+ AC");
    run.session.setScientific(true);
    run.press("RM");
    EXPECT_EQ(run.session.saisie(), "1.4E+01");
}

TEST(CalculatorSession, MemoryRefusesValuesBeyondRange) {
    Pupil run;
    run.memoire = 1e308;
    run.press("1 EXP 3 0 8 EXE M+");
    EXPECT_EQ(run.memoire, 1e308);
    EXPECT_EQ(run.session.entryLine(), kMessageDepassement);
    EXPECT_EQ(run.beeps, 1);
    run.press("AC 1 EXP 4 0 0 M+"); // the typed line itself overflows
    EXPECT_EQ(run.memoire, 1e308);
    EXPECT_EQ(run.beeps, 2);
    EXPECT_EQ(run.session.saisie(), "1E400");
}

TEST(CalculatorSession, MemoryOutlivesTheSession) {
    double memoire = 0;
    {
        CalculatorSession first(memoire);
        first.press(CalculatorKey::Digit8);
        first.press(CalculatorKey::MemoryPlus);
    }
    CalculatorSession second(memoire);
    second.press(CalculatorKey::MemoryRecall);
    EXPECT_EQ(second.saisie(), "8");
}

TEST(CalculatorSession, KeyboardCharacters) {
    using K = CalculatorKey;
    const std::pair<char, std::optional<K>> cases[] = {
        {'0', K::Digit0},    {'9', K::Digit9},      {'.', K::Point},        {'e', K::ToExp},
        {'D', K::ToExp},     {'(', K::OpenBracket}, {')', K::CloseBracket}, {'*', K::Multiply},
        {'/', K::Divide},    {'+', K::Plus},        {'-', K::Minus},        {'^', K::Power},
        {'a', std::nullopt}, {',', std::nullopt},   {' ', std::nullopt},    {'s', std::nullopt},
    };
    for (const auto& [typed, key] : cases) {
        EXPECT_EQ(keyForCharacter(typed), key) << typed;
    }
}

} // namespace
} // namespace ohmora
