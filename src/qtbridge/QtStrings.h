#pragma once
// The one crossing between the core's texts (UTF-8 in std::string and
// std::string_view) and Qt's QString.

#include <QString>

#include <string>
#include <string_view>

namespace ohmora {

inline QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

inline QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

inline QString qs(const char* s) {
    return QString::fromUtf8(s);
}

} // namespace ohmora
