#pragma once
// What the program and its helper ohmora-metafile say to each other through
// the helper's standard input and output: the metafiles of a document, then
// one answer for each, in turn. Each is a frame: a tag byte, a length in
// four bytes (least significant first) and that many bytes. A request's tag
// is 'W' (WMF) or 'E' (EMF); an answer's is 'S' followed by the SVG, or 'F'
// and nothing when the picture cannot be read.

#include "richtext/RtfModel.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ohmora::rtf {

// Everything a document's pictures may send the helper.
constexpr std::size_t kMaxHelperInput = std::size_t{512} << 20;

struct MetafileFrame {
    char tag = 0;
    std::string_view payload;
};

std::string metafileRequest(ImageKind kind, std::string_view bytes);
std::string metafileAnswer(const std::optional<std::string>& svg);

// The frame at the front of `buffer`, and how many bytes it takes; nothing
// while the buffer holds no whole frame.
std::optional<MetafileFrame> nextMetafileFrame(std::string_view buffer, std::size_t& consumed);

// What the helper does with its whole input: the answers to its requests.
// `write` is given each answer as soon as it is ready.
template <typename Write> void answerMetafileRequests(std::string_view input, Write write);

// The SVG of one request's picture (in the metafile library, which only the
// helper links).
std::optional<std::string> answerOne(const MetafileFrame& request);

template <typename Write> void answerMetafileRequests(std::string_view input, Write write) {
    std::size_t consumed = 0;
    while (const std::optional<MetafileFrame> request = nextMetafileFrame(input, consumed)) {
        input.remove_prefix(consumed);
        write(metafileAnswer(answerOne(*request)));
    }
}

} // namespace ohmora::rtf
