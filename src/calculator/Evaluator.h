#pragma once
// The calculator's evaluator. It builds no tree: it rewrites the expression
// text step by step, replacing each function call, each innermost group and
// each operation between two numbers by the text of its value, until a
// single number remains. Every intermediate value therefore goes through
// writeNumber() (15 significant digits), which the results depend on.

#include <cstddef>
#include <string>

namespace ohmora {

// Result codes of calcule().
inline constexpr int kCodeSuccess = 0;
inline constexpr int kCodeImpossible = 1; // arithmetic failure, or no result
inline constexpr int kCodeBrackets = 2;
inline constexpr int kCodeOperators = 3;

// Angle modes of calcule().
inline constexpr int kDegrees = 0;
inline constexpr int kRadians = 1;

// Evaluates the expression in place. Returns one of the codes above; on
// kCodeSuccess the text holds the result (14, .5, 1E+20, or a number exactly as
// typed when nothing had to be computed). On failure the text is of no use.
int calcule(std::string& expression, int angleMode);

// The rewriting steps, each working on the text in place. calcule() runs
// them; they are public so that each can be checked on its own.
namespace evaluator {

// A rewrite that has not settled after this many passes never will.
inline constexpr int kMaxPasses = 100;

// Longer expressions are refused (code 1): each pass costs time in
// proportion to the length, and no typed calculation comes near this.
inline constexpr std::size_t kMaxExpressionLength = 4096;

struct Counts {
    int parentheses = 0; // "(" characters
    int operators = 0;   // operator triples " + ", " - ", " * ", " / ", " ^ "
    int functions = 0;   // places where one of the ten function names occurs
    bool operator==(const Counts&) const = default;
};

// Normal form: upper case, one blank at each end, operators spaced out,
// each function name followed by one blank, signs merged, plain numbers
// taken out of their parentheses. Ends with espace().
void normalise(std::string& text);

// The spacing part of normalise(): blanks around operators and after
// function names, "LN" and "INVxxx" turned into their internal names.
void espace(std::string& text);

// Bracket and operator check of the normalised text: kCodeOperators when
// "*", "/" or "^" is followed by another operator or by nothing,
// kCodeBrackets (which wins) when "(" and ")" are not as many.
int verifie(const std::string& text);

Counts compte(const std::string& text);

// Applies every function whose argument is a number. Returns kCodeSuccess or
// kCodeImpossible.
int fonctions(std::string& text, Counts& counts, int angleMode);

// Reduces innermost groups that hold no function. Returns kCodeSuccess or
// kCodeImpossible.
int parentheses(std::string& text, Counts& counts);

// Applies the five operators: powers, then divisions, multiplications,
// subtractions and additions, each from left to right. Returns kCodeSuccess or
// kCodeImpossible.
int operations(std::string& text, Counts& counts);

} // namespace evaluator
} // namespace ohmora
