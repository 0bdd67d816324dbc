#pragma once
// The scripted prompts of the windows: ScriptedPrompts, and the windows'
// modal windows and pop-up menus, whose scripts play the user's part
// through the windows' own handlers.

#include "ScriptedPrompts.h"
#include "dialogs/WindowPrompter.h"

#include <QPoint>

#include <functional>

namespace ohmora {

class ScriptedPrompter : public ScriptedPrompts, public WindowPrompter {
public:
    // Runs the next queued script on the window, which plays the user's
    // part through the window's own handlers; a window the script leaves
    // open counts as cancelled.
    int runModal(QDialog& dialog) override;
    QAction* popUpMenu(QMenu& menu, const QPoint& globalPosition) override;

    // A pop-up menu as it was shown: its name, its entries' names in order
    // ("-" for a separator) and where it appeared.
    struct MenuRequest {
        QString menu;
        QStringList entries;
        QPoint position;
    };
    using ModalScript = std::function<void(QDialog&)>;

    void queueModal(ModalScript script) { modalScripts_.push_back(std::move(script)); }
    // The entry chosen by its object name; nothing closes the menu.
    void queueMenuEntry(const std::optional<QString>& entry) { menuEntries_.push_back(entry); }

    const std::vector<QString>& modalRequests() const { return modalRequests_; }
    const std::vector<MenuRequest>& menuRequests() const { return menuRequests_; }
    void clear();

private:
    std::deque<ModalScript> modalScripts_;
    std::deque<std::optional<QString>> menuEntries_;
    std::vector<QString> modalRequests_;
    std::vector<MenuRequest> menuRequests_;
};

} // namespace ohmora
