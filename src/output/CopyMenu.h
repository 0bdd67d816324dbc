#pragma once
// `menucop`, the pop-up menu of "Co&pier", built from the application
// layer's table: the schematic with or without its background, the graph,
// the table, with a separator before the graph and before the table. Each
// entry carries the copy it makes. The menu is never part of a menu bar.

#include "output/ClipboardCopy.h"

#include <QMenu>

#include <optional>

class QPoint;

namespace ohmora {

class WindowPrompter;

namespace session {
class Session;
}

class CopyMenu {
public:
    explicit CopyMenu(QWidget* parent = nullptr);

    QMenu& menu() { return menu_; }
    // The copy an entry of the menu stands for.
    static std::optional<CopyKind> kindOf(const QAction* entry);

    // The click on "Co&pier": shows the menu at `globalPosition` until it
    // closes and has the session make the copy chosen, then show the copy
    // message, whether or not an entry was chosen. Returns the copy made.
    static std::optional<CopyKind> run(WindowPrompter& prompter, session::Session& session,
                                       const QPoint& globalPosition, QWidget* parent = nullptr);

private:
    QMenu menu_;
};

} // namespace ohmora
