#pragma once
// Windows metafiles (WMF, through libwmf's record player and a drawing
// device of this program's own) and enhanced metafiles (EMF, through
// libemf2svg) as SVG for QtSvg to draw at any size. These libraries read
// outside data: the program itself runs them only in the helper program
// ohmora-metafile, where a crash or a hang cannot reach the window.

#include "richtext/RtfModel.h"

#include <optional>
#include <string>
#include <string_view>

namespace ohmora::rtf {

// Far above any equation or drawing; a bound on what a hostile picture costs.
constexpr std::size_t kMaxMetafileBytes = std::size_t{32} << 20;
constexpr std::size_t kMaxSvgBytes = std::size_t{64} << 20;

// The SVG of a picture of kind Wmf or Emf; nothing when it cannot be read.
std::optional<std::string> metafileToSvg(ImageKind kind, std::string_view bytes);

std::optional<std::string> wmfToSvg(std::string_view bytes);
std::optional<std::string> emfToSvg(std::string_view bytes);

} // namespace ohmora::rtf
