#pragma once
// The prompt interface of the windows: what the application layer asks
// (Prompter), and the windows' own modal windows and pop-up menus, which
// only widgets show.

#include "dialogs/Prompter.h"

class QAction;
class QDialog;
class QMenu;
class QPoint;

namespace ohmora {

class WindowPrompter : public virtual Prompter {
public:
    // Runs `dialog` (one of the program's own windows: the save and open
    // dialogs, the print options, the exercise browser, the calculator)
    // modally until it closes; returns its result code.
    virtual int runModal(QDialog& dialog) = 0;

    // Shows `menu` as a pop-up at `globalPosition` until it closes; returns
    // the entry chosen, or nothing.
    virtual QAction* popUpMenu(QMenu& menu, const QPoint& globalPosition) = 0;
};

} // namespace ohmora
