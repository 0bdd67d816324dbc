#include "dialogs/Menus.h"

#include "qtbridge/QtStrings.h"

#include <QMenu>

namespace ohmora {

void addMenuEntries(QMenu& menu, std::span<const MenuEntry> entries) {
    for (const MenuEntry& entry : entries) {
        if (entry.separatorBefore) {
            menu.addSeparator();
        }
        QAction* action = menu.addAction(qs(entry.caption));
        action->setObjectName(qs(entry.name));
        action->setData(entry.action);
    }
}

std::optional<int> chosenAction(const QAction* chosen) {
    if (!chosen || chosen->isSeparator() || !chosen->isEnabled() || !chosen->data().isValid()) {
        return std::nullopt;
    }
    return chosen->data().toInt();
}

QAction* menuEntry(const QMenu& menu, int action) {
    for (QAction* entry : menu.actions()) {
        if (!entry->isSeparator() && entry->data().isValid() && entry->data().toInt() == action) {
            return entry;
        }
    }
    return nullptr;
}

} // namespace ohmora
