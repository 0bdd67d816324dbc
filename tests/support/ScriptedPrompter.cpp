#include "ScriptedPrompter.h"
#include "TakeFront.h"

#include <QAction>
#include <QDialog>
#include <QMenu>

namespace ohmora {

using test::takeFront;

int ScriptedPrompter::runModal(QDialog& dialog) {
    modalRequests_.push_back(dialog.objectName());
    dialog.setResult(QDialog::Rejected);
    const ModalScript script = takeFront(modalScripts_, ModalScript());
    if (script) {
        script(dialog);
    }
    return dialog.result();
}

QAction* ScriptedPrompter::popUpMenu(QMenu& menu, const QPoint& globalPosition) {
    MenuRequest request{menu.objectName(), {}, globalPosition};
    for (const QAction* action : menu.actions()) {
        request.entries << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
    }
    menuRequests_.push_back(request);
    const std::optional<QString> entry = takeFront(menuEntries_, std::optional<QString>());
    if (!entry) {
        return nullptr;
    }
    for (QAction* action : menu.actions()) {
        if (action->objectName() == *entry) {
            return action;
        }
    }
    return nullptr;
}

void ScriptedPrompter::clear() {
    ScriptedPrompts::clear();
    modalScripts_.clear();
    menuEntries_.clear();
    modalRequests_.clear();
    menuRequests_.clear();
}

} // namespace ohmora
