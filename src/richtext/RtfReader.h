#pragma once
// Reads RTF bytes into the document model. Whatever the bytes hold, reading
// ends, in time linear in their size and memory bounded by it: groups nest
// only to a bound (deeper ones keep the formatting of the last one kept),
// numbers are clamped, pictures are bounded, and a cut or damaged file gives
// what could be read of it.

#include "richtext/PictureBuilder.h" // kMaxPictureBytes
#include "richtext/RtfModel.h"
#include "richtext/TableBuilder.h" // kMaxTableColumns

#include <string_view>

namespace ohmora::rtf {

// Deeper than any file a word processor writes (files converted from web
// pages nest a few thousand groups).
constexpr int kMaxGroupDepth = 4096;

// True when, after an optional UTF-8 byte order mark and blanks, the bytes
// start with a group and a control word: "{\rtf1", or the "{\pard" of
// writers that leave the header out.
bool looksLikeRtf(std::string_view bytes);

Document readRtfDocument(std::string_view bytes);

} // namespace ohmora::rtf
