#include "calculator/Evaluator.h"

#include <gtest/gtest.h>

#include <span>
#include <string>

namespace ohmora {
namespace {

using namespace evaluator;

// The result text on success, else "code N".
using Outcome = std::pair<const char*, const char*>;

void expectOutcomes(std::span<const Outcome> outcomes, int angleMode = kDegrees) {
    for (const auto& [expression, expected] : outcomes) {
        std::string text = expression;
        const int code = calcule(text, angleMode);
        const std::string outcome = code == kCodeSuccess ? text : "code " + std::to_string(code);
        EXPECT_EQ(outcome, expected) << '"' << expression << '"';
    }
}

TEST(Evaluator, ComputesTheTypedExpressions) {
    const Outcome outcomes[] = {{"2+3*4", "14"},
                                {"2*(3+4)^2", "98"},
                                {"((((1))))", "1"},
                                {"-(2+3)", "-5"},
                                {"5-(-2)", "7"},
                                {"3 - -2", "5"},
                                {"sin 30", ".5"},
                                {"invsin 0.5", "30"},
                                {"invcos 0.5", "60"},
                                {"ita 1", "45"},
                                {"log 1000", "3"},
                                {"ln 2", ".693147180559945"},
                                {"LN(2+3)", "1.6094379124341"},
                                {"SIN(30+60)", "1"},
                                {"exp 1", "2.71828182845905"},
                                {"1/3", ".333333333333333"},
                                {"10^20", "1E+20"},
                                {"1E3+1", "1001"},
                                {"2 3", "23"},
                                {"2(3)", "23"},
                                {"2+", "2"},
                                {"*2", "code 1"},
                                {"2**3", "code 3"},
                                {"(5", "code 2"},
                                {"(2+3", "code 2"},
                                {"1/0", "code 1"},
                                {"sqr -4", "code 1"},
                                {"tan 90", "1.63312393531954E+16"}};
    expectOutcomes(outcomes);
    const Outcome inRadians[] = {
        {"sin(30)", "-.988031624092862"}, {"cos(PI)", "code 1"}, {"cos(3.14159265358979)", "-1"}};
    expectOutcomes(inRadians, kRadians);
}

TEST(Evaluator, KeepsItsOrderOfOperations) {
    const Outcome outcomes[] = {{"2^3^2", "64"},     {"8/2*4", "16"},      {"2-3-4", "-5"},
                                {"10-2-3-4", "1"},   {"-2^2", "4"},        {"2^-1", ".5"},
                                {"2*-3", "-6"},      {"1.5E3", "1.5E3"},   {"", ""},
                                {"2 * sin 30", "1"}, {"sqr 16 + ù9", "7"}, {"47E-6*1E6", "47"},
                                {"1D3+1", "1001"},   {"invcos -1", "180"}};
    expectOutcomes(outcomes);
}

TEST(Evaluator, FailsOnArithmeticFaults) {
    const Outcome outcomes[] = {
        {"10^400", "code 1"},     {"1E300*1E300", "code 1"},  {"exp 1000", "code 1"},
        {"ln 0", "code 1"},       {"log -1", "code 1"},       {"invsin 2", "code 1"},
        {"(-8)^(1/3)", "code 1"}, {"0^-1", "code 1"},         {"1E999+1", "code 1"},
        {"0/0", "code 1"},        {"-1E308-1E308", "code 1"}, {"sin x", "code 1"},
        {"2^", "code 3"},         {"(2+3))", "code 2"},       {")2(", "code 1"},
        {"-", "code 1"}};
    expectOutcomes(outcomes);
}

// Where following the rewriting to the letter would go wrong, the evaluator
// does the sound thing instead.
TEST(Evaluator, StaysSoundWhereTheRewritingWouldNot) {
    const Outcome outcomes[] = {{"((2+3))", "5"}, // the group's result unwraps the outer brackets
                                {"2-(SIN 30)", "1.5"},
                                {"(SIN 30)*2", "1"},
                                {"PI", "code 1"},
                                {"x", "code 1"},
                                {"(Z)", "code 1"},
                                {"1.5.3", "code 1"},                     // no number
                                {"(2(SIN -30)3(SIN -30)*2)*5", "2.35"}}; // the group reduced whole
    expectOutcomes(outcomes);
    std::string tooLong(kMaxExpressionLength + 1, '1');
    EXPECT_EQ(calcule(tooLong, kDegrees), kCodeImpossible);
}

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
        EXPECT_TRUE(code >= 0 && code <= 3) << code;
        EXPECT_LE(text.size(), 48 * start.size() + 64) << start.substr(0, 20);
    }
}

TEST(EvaluatorSteps, NormaliseAndEspace) {
    const std::pair<const char*, const char*> cases[] = {{"2+3*4", " 2 + 3 * 4 "},
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
                                                         {"ù4", " SQR 4 "},
                                                         {"2**3", " 2 *  * 3 "}};
    for (const auto& [text, normal] : cases) {
        std::string s = text;
        normalise(s);
        EXPECT_EQ(s, normal) << '"' << text << '"';
        normalise(s);
        EXPECT_EQ(s, normal) << "normalising again changed " << text;
    }
    std::string spacedOnly = "2--3*sin(1)";
    espace(spacedOnly);
    EXPECT_EQ(spacedOnly, " 2 - -3 * SIN (1) ");
}

TEST(EvaluatorSteps, VerifieAndCompte) {
    const std::pair<const char*, int> checks[] = {
        {" 2 + 3 ", kCodeSuccess}, {" 2 *  * 3 ", kCodeOperators}, {" 2 ^  ", kCodeOperators},
        {" 2 +  ", kCodeSuccess},  {" (5 ", kCodeBrackets},        {" (2 *  ", kCodeBrackets},
        {" )2( ", kCodeSuccess}}; // the order of the brackets is not examined
    for (const auto& [text, code] : checks) {
        EXPECT_EQ(verifie(text), code) << '"' << text << '"';
    }
    const Counts counts = compte(" (2 + 3) * SIN 30 - LON (ISI 1) ");
    EXPECT_EQ(counts, (Counts{2, 3, 3}));
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

TEST(EvaluatorSteps, ParenthesesAndOperations) {
    const std::pair<const char*, const char*> groups[] = {
        {" 2 * (3 + 4) ", " 2 * 7 "},
        {" LON (2 + 3) ", " LON 5 "},
        {" (SIN 30) ", " (SIN 30) "}, // waits for its function
        {" (1 + (2 * 3)) * 2 ", " 7 * 2 "}};
    for (const auto& [text, reduced] : groups) {
        std::string s = text;
        Counts counts = compte(s);
        EXPECT_EQ(parentheses(s, counts), kCodeSuccess) << text;
        EXPECT_EQ(s, reduced) << text;
    }
    std::string unclosed = " )2( ";
    Counts counts = compte(unclosed);
    EXPECT_EQ(parentheses(unclosed, counts), kCodeImpossible);

    const std::pair<const char*, const char*> operators[] = {
        {" 2 ^ 3 ^ 2 ", " 64 "},
        {" 8 / 2 * 4 ", " 16 "},
        {" 2 + 3 * 4 - 1 ", " 13 "},
        {" * 2 ", "  * 2 "}}; // from the third character: no left operand, never applied
    for (const auto& [text, result] : operators) {
        std::string s = text;
        counts = compte(s);
        EXPECT_EQ(operations(s, counts), kCodeSuccess) << text;
        EXPECT_EQ(s, result) << text;
    }
}

} // namespace
} // namespace ohmora
