#include "richtext/RtfTokenizer.h"

#include <algorithm>

namespace ohmora::rtf {

namespace {

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Bytes that end a text run: the syntax characters, and the line ends and NUL
// bytes that RTF leaves out of the text.
bool endsText(char c) {
    return c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n' || c == '\0';
}

} // namespace

Token RtfTokenizer::next() {
    while (pos_ < input_.size()) {
        const char c = input_[pos_];
        switch (c) {
        case '{':
            ++pos_;
            return {TokenType::GroupOpen};
        case '}':
            ++pos_;
            return {TokenType::GroupClose};
        case '\\':
            ++pos_;
            if (pos_ < input_.size() && isLetter(input_[pos_])) {
                return controlWord();
            }
            if (pos_ < input_.size()) {
                return controlSymbol();
            }
            return {TokenType::End};
        case '\r':
        case '\n':
        case '\0':
            ++pos_;
            break;
        default:
            return text();
        }
    }
    return {TokenType::End};
}

Token RtfTokenizer::controlWord() {
    const std::size_t start = pos_;
    while (pos_ < input_.size() && isLetter(input_[pos_])) {
        ++pos_;
    }
    Token token{TokenType::ControlWord};
    // A name past the bound keeps only an impossible prefix, so it is unknown.
    token.text =
        pos_ - start <= kMaxWordLength ? input_.substr(start, pos_ - start) : std::string_view("?");
    token.parameter = readParameter(token.hasParameter);
    if (pos_ < input_.size() && input_[pos_] == ' ') {
        ++pos_;
    }
    if (token.text == "bin" && token.hasParameter) {
        const std::size_t count = std::min<std::size_t>(
            token.parameter > 0 ? static_cast<std::size_t>(token.parameter) : 0,
            input_.size() - pos_);
        Token data{TokenType::Binary};
        data.text = input_.substr(pos_, count);
        pos_ += count;
        return data;
    }
    return token;
}

int RtfTokenizer::readParameter(bool& found) {
    found = false;
    bool negative = false;
    std::size_t p = pos_;
    if (p < input_.size() && input_[p] == '-') {
        negative = true;
        ++p;
    }
    if (p >= input_.size() || !isDigit(input_[p])) {
        return 0;
    }
    found = true;
    long long value = 0;
    while (p < input_.size() && isDigit(input_[p])) {
        value = std::min<long long>(value * 10 + (input_[p] - '0'), kMaxParameter);
        ++p;
    }
    pos_ = p;
    return static_cast<int>(negative ? -value : value);
}

Token RtfTokenizer::controlSymbol() {
    const char c = input_[pos_++];
    if (c == '\'') {
        Token token{TokenType::HexByte};
        int value = 0;
        int digits = 0;
        while (digits < 2 && pos_ < input_.size() && hexDigit(input_[pos_]) >= 0) {
            value = value * 16 + hexDigit(input_[pos_]);
            ++pos_;
            ++digits;
        }
        if (digits < 2) {
            // A cut escape stands for nothing; what follows is read as usual.
            return {TokenType::Text};
        }
        token.byte = static_cast<unsigned char>(value);
        return token;
    }
    if (c == '\r' || c == '\n') {
        // A backslash before a line end is a paragraph mark.
        Token token{TokenType::ControlWord};
        token.text = "par";
        return token;
    }
    Token token{TokenType::ControlSymbol};
    token.symbol = c;
    return token;
}

Token RtfTokenizer::text() {
    const std::size_t start = pos_;
    while (pos_ < input_.size() && !endsText(input_[pos_])) {
        ++pos_;
    }
    Token token{TokenType::Text};
    token.text = input_.substr(start, pos_ - start);
    return token;
}

} // namespace ohmora::rtf
