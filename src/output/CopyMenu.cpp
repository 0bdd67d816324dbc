#include "output/CopyMenu.h"

#include "core/Simulator.h"
#include "dialogs/Prompter.h"
#include "pictureset/PictureSet.h"

#include <array>

namespace ohmora {

namespace {

struct Entry {
    const char* name;
    const char* caption;
    CopyKind kind;
    bool separatorBefore;
};

constexpr std::array<Entry, 4> kEntries = {{
    {"cop001", "Copier le schéma avec le fond", CopyKind::SchematicWithBackground, false},
    {"cop003", "Copier le schéma sans le fond", CopyKind::SchematicWithoutBackground, false},
    {"Cop002", "Copier le graphe", CopyKind::Graph, true},
    {"copitab", "Copier le contenu du tableau", CopyKind::Table, true},
}};

} // namespace

CopyMenu::CopyMenu(QWidget* parent) : menu_(parent) {
    menu_.setObjectName(QStringLiteral("menucop"));
    menu_.setTitle(QStringLiteral("menucopie"));
    for (const Entry& e : kEntries) {
        if (e.separatorBefore) {
            menu_.addSeparator();
        }
        QAction* action = menu_.addAction(QString::fromUtf8(e.caption));
        action->setObjectName(QString::fromUtf8(e.name));
        action->setData(int(e.kind));
    }
}

std::optional<CopyKind> CopyMenu::kindOf(const QAction* entry) {
    if (!entry || entry->isSeparator() || !entry->data().isValid()) {
        return std::nullopt;
    }
    return CopyKind(entry->data().toInt());
}

std::optional<CopyKind> CopyMenu::run(Prompter& prompter, Simulator& sim,
                                      const PictureSet& pictures, const QPoint& globalPosition,
                                      QWidget* parent) {
    CopyMenu copyMenu(parent);
    const std::optional<CopyKind> kind =
        kindOf(prompter.popUpMenu(copyMenu.menu(), globalPosition));
    if (kind) {
        copyToClipboard(*kind, pictures, sim.state());
    }
    sim.showCopyMessage();
    return kind;
}

} // namespace ohmora
