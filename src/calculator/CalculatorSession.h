#pragma once
// What the calculator's keys do to the typed expression, the last answer and
// the memory, without any widget: the window forwards its keys here and
// shows entryLine() afterwards.

#include <optional>
#include <string>
#include <string_view>

namespace ohmora {

enum class CalculatorKey {
    Digit0,
    Digit1,
    Digit2,
    Digit3,
    Digit4,
    Digit5,
    Digit6,
    Digit7,
    Digit8,
    Digit9,
    Point, // Bpoint
    ToExp, // BtoEXP, "E"
    Kilo,
    Mega,
    Giga,
    Tera,
    Milli,
    Micro,
    Nano,
    Pico,
    Plus,
    Minus,
    Multiply,
    Divide,
    Power,       // puissance
    Square,      // btcarre
    OpenBracket, // Bpo
    CloseBracket,
    Sin,
    Cos,
    Tan,
    InvSin,
    InvCos,
    InvTan,
    Ln,
    Log,
    Exp,      // Bexp, e to the power x
    TenPower, // B10x
    Root,     // racine
    Inverse,  // Command5, 1/x
    Pi,
    Ans,
    Exe,
    Efface,
    Raz,
    MemoryPlus,
    MemoryMinus,
    MemoryRecall,
    MemoryClear,
};

// The key a typed character stands for, when the keyboard knows it.
// Backspace and Enter are keys, not characters: they are EFFACE and EXE.
std::optional<CalculatorKey> keyForCharacter(char typed);

class CalculatorSession {
public:
    // The memory belongs to the program and outlives the session.
    explicit CalculatorSession(double& memoire);

    // Runs the key's action. Returns true when the computer must beep.
    bool press(CalculatorKey key);

    // The keyboard's actions end by showing the expression, whatever they did.
    void showSaisie() { entryLine_ = saisie_; }

    void setRadians(bool radians) { radians_ = radians; }
    // Display format change. Returns true when the computer must beep.
    bool setScientific(bool scientific);

    const std::string& saisie() const { return saisie_; }
    const std::string& reponse() const { return reponse_; }
    int codeerreur() const { return codeerreur_; }
    const std::string& entryLine() const { return entryLine_; }
    bool radians() const { return radians_; }
    bool scientific() const { return scientific_; }
    double memoire() const { return memoire_; }

private:
    void append(std::string_view text);
    void appendAfterProduct(std::string_view text);
    void appendAnswer();
    void appendOperator(std::string_view text, bool needsEntry);
    void appendMinus();
    void efface();
    bool exe();
    bool addToMemory(double sign);
    char lastCharacter() const { return saisie_.empty() ? '\0' : saisie_.back(); }

    double& memoire_;
    std::string saisie_;
    std::string reponse_;
    // The last result at full precision: a display change shows it again in
    // the other format without the digits the scientific mask dropped.
    std::string lastValue_;
    std::string entryLine_;
    int codeerreur_ = 0;
    bool radians_ = false;
    bool scientific_ = false;
};

} // namespace ohmora
