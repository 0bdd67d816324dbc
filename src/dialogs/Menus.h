#pragma once
// Pop-up menus built from the application layer's tables: each entry's
// QAction carries the entry's action as its data and the control's name as
// its object name.

#include "dialogs/MenuEntry.h"

#include <optional>
#include <span>

class QAction;
class QMenu;

namespace ohmora {

void addMenuEntries(QMenu& menu, std::span<const MenuEntry> entries);

// The action of the entry chosen; nothing when the menu closed without a
// choice or on a disabled entry.
std::optional<int> chosenAction(const QAction* chosen);

// The entry of `menu` that stands for `action`.
QAction* menuEntry(const QMenu& menu, int action);

} // namespace ohmora
