#include "output/CopyMenu.h"

#include "dialogs/Menus.h"
#include "dialogs/WindowPrompter.h"
#include "session/Session.h"

namespace ohmora {

CopyMenu::CopyMenu(QWidget* parent) : menu_(parent) {
    menu_.setObjectName(QStringLiteral("menucop"));
    menu_.setTitle(QStringLiteral("menucopie"));
    addMenuEntries(menu_, session::copyMenu());
}

std::optional<CopyKind> CopyMenu::kindOf(const QAction* entry) {
    const std::optional<int> action = chosenAction(entry);
    if (!action) {
        return std::nullopt;
    }
    return CopyKind(*action);
}

std::optional<CopyKind> CopyMenu::run(WindowPrompter& prompter, session::Session& session,
                                      const QPoint& globalPosition, QWidget* parent) {
    CopyMenu copyMenu(parent);
    const std::optional<CopyKind> kind =
        kindOf(prompter.popUpMenu(copyMenu.menu(), globalPosition));
    session.copy(kind);
    return kind;
}

} // namespace ohmora
