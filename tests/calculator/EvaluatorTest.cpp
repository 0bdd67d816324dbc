#include "Evaluator.h"

#include <gtest/gtest.h>

#include <string>

namespace ohmora {
namespace {

using namespace evaluator;

struct Outcome {
    const char* expression;
    int code;
    const char* result; // the text on success
    int angleMode = kDegrees;
};

std::string evaluate(std::string text, int angleMode, int& code) {
    code = calcule(text, angleMode);
    return text;
}

void expectOutcomes(const std::vector<Outcome>& outcomes) {
    for (const Outcome& o : outcomes) {
        int code = -1;
        const std::string result = evaluate(o.expression, o.angleMode, code);
        EXPECT_EQ(code, o.code) << '"' << o.expression << '"';
        if (o.code == kCodeSuccess && code == kCodeSuccess) {
            EXPECT_EQ(result, o.result) << '"' << o.expression << '"';
        }
    }
}

TEST(Evaluator, ComputesTheTypedExpressions) {
    expectOutcomes({
        {"2+3*4", 0, "14"},
        {"2*(3+4)^2", 0, "98"},
        {"((((1))))", 0, "1"},
        {"-(2+3)", 0, "-5"},
        {"5-(-2)", 0, "7"},
        {"3 - -2", 0, "5"},
        {"sin 30", 0, ".5"},
        {"sin(30)", 0, "-.988031624092862", kRadians},
        {"invsin 0.5", 0, "30"},
        {"invcos 0.5", 0, "60"},
        {"ita 1", 0, "45"},
        {"log 1000", 0, "3"},
        {"ln 2", 0, ".693147180559945"},
        {"LN(2+3)", 0, "1.6094379124341"},
        {"SIN(30+60)", 0, "1"},
        {"exp 1", 0, "2.71828182845905"},
        {"1/3", 0, ".333333333333333"},
        {"10^20", 0, "1E+20"},
        {"1E3+1", 0, "1001"},
        {"2 3", 0, "23"},
        {"2(3)", 0, "23"},
        {"2+", 0, "2"},
        {"*2", 1, ""},
        {"2**3", 3, ""},
        {"(5", 2, ""},
        {"(2+3", 2, ""},
        {"1/0", 1, ""},
        {"sqr -4", 1, ""},
        {"tan 90", 0, "1.63312393531954E+16"},
    });
}

TEST(Evaluator, KeepsItsOrderOfOperations) {
    expectOutcomes({
        {"2^3^2", 0, "64"},
        {"8/2*4", 0, "16"},
        {"2-3-4", 0, "-5"},
        {"10-2-3-4", 0, "1"},
        {"-2^2", 0, "4"},
        {"2^-1", 0, ".5"},
        {"2*-3", 0, "-6"},
        {"1.5E3", 0, "1.5E3"}, // nothing to compute: the number as typed
        {"", 0, ""},
        {"2 * sin 30", 0, "1"},
        {"invtan 1", 0, "45"},
        {"sqr 16 + \xC3\xB9"
         "9",
         0, "7"},
        {"cos(PI)", 1, "", kRadians},
        {"cos(3.14159265358979)", 0, "-1", kRadians},
        {"47E-6*1E6", 0, "47"},
        {"1D3+1", 0, "1001"},
        {"invsin 1", 0, "90"},
        {"invcos -1", 0, "180"},
        {"2*3+", 0, "6"},
    });
}

TEST(Evaluator, FailsOnArithmeticFaults) {
    expectOutcomes({
        {"10^400", 1, ""},
        {"1E300*1E300", 1, ""},
        {"exp 1000", 1, ""},
        {"ln 0", 1, ""},
        {"log -1", 1, ""},
        {"invsin 2", 1, ""},
        {"invcos -1.5", 1, ""},
        {"(-8)^(1/3)", 1, ""},
        {"0^-1", 1, ""},
        {"1E999+1", 1, ""},
        {"0/0", 1, ""},
        {"-1E308-1E308", 1, ""},
        {"sin x", 1, ""},
        {"2^", 3, ""},
        {"(2+3))", 2, ""},
        {")2(", 1, ""},
        {"-", 1, ""},
    });
}

// Where following the rewriting to the letter would go wrong, the evaluator
// does the sound thing instead.
TEST(Evaluator, StaysSoundWhereTheRewritingWouldNot) {
    expectOutcomes({
        {"((2+3))", 0, "5"}, // the group's result unwraps the outer brackets
        {"2-(SIN 30)", 0, "1.5"},
        {"(SIN 30)*2", 0, "1"},
        {"PI", 1, ""}, // a word is no result
        {"x", 1, ""},
        {"(Z)", 1, ""},
        {"1.5.3", 1, ""},
        {"(2(SIN -30)3(SIN -30)*2)*5", 0, "2.35"}, // the group reduced whole
    });
    std::string tooLong(kMaxExpressionLength + 1, '1');
    EXPECT_EQ(calcule(tooLong, kDegrees), kCodeImpossible);
}

// One nesting level is undone per pass: 100 levels end in time, 101 do not.
TEST(Evaluator, GivesUpAfterAHundredPasses) {
    auto nested = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i) {
            text += "sin(";
        }
        return text + "0" + std::string(static_cast<std::size_t>(depth), ')');
    };
    std::string within = nested(kMaxPasses);
    EXPECT_EQ(calcule(within, kDegrees), kCodeSuccess);
    EXPECT_EQ(within, "0");
    std::string beyond = nested(kMaxPasses + 1);
    EXPECT_EQ(calcule(beyond, kDegrees), kCodeImpossible);
}

TEST(Evaluator, NeverLetsTheTextGrowWithoutBound) {
    auto repeat = [](const std::string& unit, std::size_t count) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i) {
            text += unit;
        }
        return text;
    };
    for (const std::string& start :
         {repeat("1/3+", 200) + "1", "*" + repeat("2+", 300), repeat("sin 1+", 150),
          repeat("(sin(", 100), repeat("LN", 300) + "2", repeat("ùsin", 100)}) {
        std::string text = start;
        const int code = calcule(text, kDegrees);
        EXPECT_GE(code, 0);
        EXPECT_LE(code, 3);
        EXPECT_LE(text.size(), 48 * start.size() + 64) << start.substr(0, 20);
    }
}

TEST(EvaluatorSteps, Normalise) {
    const std::pair<const char*, const char*> cases[] = {
        {"2+3*4", " 2 + 3 * 4 "},
        {"5-(-2)", " 5 + 2 "},
        {"((((1))))", " 1 "},
        {"invsin0.5", " ISI 0.5 "},
        {"ln(2+3)", " LON (2 + 3) "},
        {"1e-3-2", " 1E-3 - 2 "},
        {"2*-3", " 2 * -3 "},
        {"-(2+3)", " -(2 + 3) "},
        {"(1E5)", " (1E5) "},
        {"()", " () "},
        {"---2", " -2 "},
        {"+2", " 2 "},
        {"sin30", " SIN 30 "},
        {"2^-1", " 2 ^ -1 "},
        {"1e+3+2", " 1E+3 + 2 "},
        {"(-)", " - "},
        {" 2 + 3 ", " 2 + 3 "},
        {"isin0.5", " ISI N0.5 "},
        {"\xC3\xB9"
         "4",
         " SQR 4 "},
        {"2**3", " 2 *  * 3 "},
    };
    for (const auto& [text, normal] : cases) {
        std::string s = text;
        normalise(s);
        EXPECT_EQ(s, normal) << '"' << text << '"';
        normalise(s);
        EXPECT_EQ(s, normal) << "normalising again changed " << text;
    }
}

TEST(EvaluatorSteps, EspaceOnlySpaces) {
    std::string text = "2--3*sin(1)";
    espace(text);
    EXPECT_EQ(text, " 2 - -3 * SIN (1) ");
}

TEST(EvaluatorSteps, Verifie) {
    EXPECT_EQ(verifie(" 2 + 3 "), kCodeSuccess);
    EXPECT_EQ(verifie(" 2 *  * 3 "), kCodeOperators);
    EXPECT_EQ(verifie(" 2 ^  "), kCodeOperators);
    EXPECT_EQ(verifie(" 2 +  "), kCodeSuccess);
    EXPECT_EQ(verifie(" (5 "), kCodeBrackets);
    EXPECT_EQ(verifie(" (2 *  "), kCodeBrackets);
    EXPECT_EQ(verifie(" )2( "), kCodeSuccess); // the order is not examined
}

TEST(EvaluatorSteps, Compte) {
    const Counts counts = compte(" (2 + 3) * SIN 30 - LON (ISI 1) ");
    EXPECT_EQ(counts.parentheses, 2);
    EXPECT_EQ(counts.operators, 3);
    EXPECT_EQ(counts.functions, 3);
}

TEST(EvaluatorSteps, FonctionsApplyNumberArguments) {
    std::string text = " SIN 30 + COS (60) + TAN -45 ";
    Counts counts = compte(text);
    EXPECT_EQ(fonctions(text, counts, kDegrees), kCodeSuccess);
    EXPECT_EQ(text, " .5 + COS (60) + -1 ");
    EXPECT_EQ(counts.functions, 1);

    std::string root = " SQR -4 ";
    counts = compte(root);
    EXPECT_EQ(fonctions(root, counts, kDegrees), kCodeImpossible);
}

TEST(EvaluatorSteps, ParenthesesReduceInnermostGroups) {
    const std::pair<const char*, const char*> cases[] = {
        {" 2 * (3 + 4) ", " 2 * 7 "},
        {" LON (2 + 3) ", " LON 5 "},
        {" (SIN 30) ", " (SIN 30) "}, // waits for its function
        {" (1 + (2 * 3)) * 2 ", " 7 * 2 "},
    };
    for (const auto& [text, reduced] : cases) {
        std::string s = text;
        Counts counts = compte(s);
        EXPECT_EQ(parentheses(s, counts), kCodeSuccess) << text;
        EXPECT_EQ(s, reduced) << text;
    }
    std::string unclosed = " )2( ";
    Counts counts = compte(unclosed);
    EXPECT_EQ(parentheses(unclosed, counts), kCodeImpossible);
}

TEST(EvaluatorSteps, OperationsFromTheThirdCharacter) {
    const std::pair<const char*, const char*> cases[] = {
        {" 2 ^ 3 ^ 2 ", " 64 "},           {" 8 / 2 * 4 ", " 16 "}, {" 2 + 3 * 4 - 1 ", " 13 "},
        {" 1 / 3 ", " .333333333333333 "}, {" * 2 ", "  * 2 "}, // no left operand: never applied
    };
    for (const auto& [text, result] : cases) {
        std::string s = text;
        Counts counts = compte(s);
        EXPECT_EQ(operations(s, counts), kCodeSuccess) << text;
        EXPECT_EQ(s, result) << text;
    }
}

} // namespace
} // namespace ohmora
