#pragma once
// The four copies of the copy menu: the schematic with or without its
// background and the graph as images (which other programs paste as
// pictures), the value table as plain text, TAB between cells and LF
// between rows (which a spreadsheet pastes as cells). Each copy replaces
// whatever the clipboard held.

namespace ohmora {

class PictureSet;
struct SimState;

enum class CopyKind { SchematicWithBackground, SchematicWithoutBackground, Graph, Table };

// Puts the copy on the system's clipboard. The schematic without its
// background is drawn on a scratch picture: the one on screen keeps its
// gradient.
void copyToClipboard(CopyKind kind, const PictureSet& pictures, const SimState& state);

} // namespace ohmora
