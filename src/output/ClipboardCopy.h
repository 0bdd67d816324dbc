#pragma once
// The four copies of the copy menu: the schematic with or without its
// background and the graph as images (which other programs paste as
// pictures), the value table as plain text, TAB between cells and LF
// between rows (which a spreadsheet pastes as cells). Each copy replaces
// whatever the clipboard held. The menu's other entries save files: the
// recording as CSV, the graph and the schematic as images.

namespace ohmora {

class PictureSet;
struct SimState;

enum class CopyKind {
    SchematicWithBackground,
    SchematicWithoutBackground,
    Graph,
    Table,
    MeasuresFile,  // "Exporter les mesures (CSV)…"
    GraphFile,     // "Enregistrer le graphe en image…"
    SchematicFile, // "Enregistrer le schéma en image…"
};

// Whether the entry copies to the clipboard (the others save a file).
constexpr bool isClipboardCopy(CopyKind kind) {
    return kind == CopyKind::SchematicWithBackground ||
           kind == CopyKind::SchematicWithoutBackground || kind == CopyKind::Graph ||
           kind == CopyKind::Table;
}

// Puts the copy on the system's clipboard (nothing for a file's entry). The schematic without its
// background is drawn on a scratch picture: the one on screen keeps its
// gradient.
void copyToClipboard(CopyKind kind, const PictureSet& pictures, const SimState& state);

} // namespace ohmora
