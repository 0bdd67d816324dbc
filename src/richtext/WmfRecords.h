#pragma once
// The records of a Windows metafile, checked and made plain for libwmf's
// player, which departs from the Windows device context in two ways:
// - it forgets the text alignment, the colours and the modes when the
//   metafile saves or restores the context (SaveDC, RestoreDC), so that
//   texts aligned on their baseline would be drawn one ascent too low: after
//   each of those records the state the metafile had set is set again;
// - a context it restores keeps its pen, brush and font by their place in
//   the object table, which a later object may have taken (word processors
//   delete an object and create the next in its place): here no object is
//   deleted, each created object has a place of its own, and the records
//   that name objects are renumbered to match.

#include <cstddef>
#include <string>
#include <string_view>

namespace ohmora::rtf {

// Bounds the records a picture may hold, far above what an equation or a
// drawing needs.
constexpr std::size_t kMaxWmfRecords = 1'000'000;
// The objects a metafile may create, all kept: the player's table holds them.
constexpr std::size_t kMaxWmfObjects = 16384;

// The metafile made plain, or an empty string when the bytes are not a
// metafile whose records can be walked.
std::string normalizeWmf(std::string_view bytes);

} // namespace ohmora::rtf
