#include "output/ClipboardCopy.h"

#include "pictureset/PictureSet.h"

#include <QClipboard>
#include <QGuiApplication>

namespace ohmora {

void copyToClipboard(CopyKind kind, const PictureSet& pictures, const SimState& state) {
    if (!isClipboardCopy(kind)) {
        return;
    }
    QClipboard* board = QGuiApplication::clipboard();
    board->clear();
    switch (kind) {
    case CopyKind::SchematicWithBackground:
        board->setImage(pictures.schematic());
        return;
    case CopyKind::SchematicWithoutBackground:
        board->setImage(PictureSet::schematicWithoutBackground(state));
        return;
    case CopyKind::Graph:
        board->setImage(pictures.graphShown(state));
        return;
    case CopyKind::Table:
        board->setText(QString::fromStdString(state.table.text()));
        return;
    default:
        return;
    }
}

} // namespace ohmora
