#include "richtext/MetafileProtocol.h"

#include <cstdint>

namespace ohmora::rtf {

namespace {

constexpr std::size_t kFrameHeader = 5;

std::string frame(char tag, std::string_view payload) {
    std::string out(1, tag);
    const auto length = static_cast<std::uint32_t>(payload.size());
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>(length >> (8 * i) & 0xFF);
    }
    out.append(payload);
    return out;
}

} // namespace

std::string metafileRequest(ImageKind kind, std::string_view bytes) {
    return frame(kind == ImageKind::Emf ? 'E' : 'W', bytes);
}

std::string metafileAnswer(const std::optional<std::string>& svg) {
    return svg ? frame('S', *svg) : frame('F', {});
}

std::optional<MetafileFrame> nextMetafileFrame(std::string_view buffer, std::size_t& consumed) {
    if (buffer.size() < kFrameHeader) {
        return std::nullopt;
    }
    std::uint32_t length = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        length |= static_cast<std::uint32_t>(static_cast<unsigned char>(buffer[1 + i])) << (8 * i);
    }
    if (length > buffer.size() - kFrameHeader) {
        return std::nullopt;
    }
    consumed = kFrameHeader + length;
    return MetafileFrame{buffer[0], buffer.substr(kFrameHeader, length)};
}

} // namespace ohmora::rtf
