#pragma once
// `menucop`, the pop-up menu of "Co&pier": the schematic with or without
// its background, the graph, the table, with a separator before the graph
// and before the table. The menu is never part of a menu bar.

#include "output/ClipboardCopy.h"

#include <QMenu>

#include <optional>

class QPoint;

namespace ohmora {

class PictureSet;
class Prompter;
class Simulator;

class CopyMenu {
public:
    explicit CopyMenu(QWidget* parent = nullptr);

    QMenu& menu() { return menu_; }
    // The copy an entry of the menu stands for.
    static std::optional<CopyKind> kindOf(const QAction* entry);

    // The click on "Co&pier": shows the menu at `globalPosition` until it
    // closes and makes the copy chosen; then the copy message goes on the
    // help line, whether or not an entry was chosen. Returns the copy made.
    static std::optional<CopyKind> run(Prompter& prompter, Simulator& sim,
                                       const PictureSet& pictures, const QPoint& globalPosition,
                                       QWidget* parent = nullptr);

private:
    QMenu menu_;
};

} // namespace ohmora
