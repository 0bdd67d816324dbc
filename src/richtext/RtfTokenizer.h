#pragma once
// Cuts RTF bytes into tokens, one at a time, without ever looking back: the
// cost is linear in the input whatever it holds. Control word names are cut
// at a bound (a longer name matches nothing), numeric parameters are clamped,
// and the raw data of \binN is handed over whole, however large N claims to be.

#include <cstddef>
#include <string_view>

namespace ohmora::rtf {

// The value of a hexadecimal digit, or -1 for any other character.
constexpr int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

enum class TokenType {
    End,
    GroupOpen,
    GroupClose,
    ControlWord,   // name, and parameter when hasParameter
    ControlSymbol, // `symbol`: the character after the backslash
    HexByte,       // \'hh: `byte`
    Text,          // a run of plain bytes, line ends and NUL bytes left out
    Binary,        // the data after \binN: `text`
};

struct Token {
    Token() = default;
    Token(TokenType t)
        : type(t) {} // NOLINT(google-explicit-constructor): tokens are built from their type

    TokenType type = TokenType::End;
    std::string_view text; // the name of a control word, or the bytes of a run
    int parameter = 0;
    bool hasParameter = false;
    char symbol = 0;
    unsigned char byte = 0;
};

class RtfTokenizer {
public:
    static constexpr std::size_t kMaxWordLength = 32;
    static constexpr int kMaxParameter = 1'000'000'000;

    explicit RtfTokenizer(std::string_view input) : input_(input) {}

    Token next();
    std::size_t position() const { return pos_; }

private:
    Token controlWord();
    Token controlSymbol();
    Token text();
    int readParameter(bool& found);

    std::string_view input_;
    std::size_t pos_ = 0;
};

} // namespace ohmora::rtf
