// The measuring tools on the graph: a click on the plotting box places the
// nearer cursor there and a drag moves it, the right-click menu builds the
// constructions of the curve under the pointer, and the keys do the same
// from the keyboard: the arrows move the selected cursor (with Shift, by a
// division), Home and End take it to the ends, Space selects the other one;
// C, T and N stand for the menu's first entries, Delete for the erase.

#include "dialogs/Menus.h"
#include "graph/PlotBox.h"
#include "qtbridge/QtStrings.h"
#include "window/MainWindow.h"
#include "window/PictureViews.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

namespace ohmora {

namespace {

// The tool a letter of the graph's menu stands for.
std::optional<GraphTool> toolOfKey(int key) {
    switch (key) {
    case Qt::Key_C:
        return GraphTool::Cursors;
    case Qt::Key_T:
        return GraphTool::Tangent;
    case Qt::Key_N:
        return GraphTool::Level;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        return GraphTool::EraseConstructions;
    default:
        return std::nullopt;
    }
}

std::optional<GraphKey> cursorKey(const QKeyEvent& key) {
    const bool division = key.modifiers() & Qt::ShiftModifier;
    switch (key.key()) {
    case Qt::Key_Left:
        return division ? GraphKey::DivisionLeft : GraphKey::Left;
    case Qt::Key_Right:
        return division ? GraphKey::DivisionRight : GraphKey::Right;
    case Qt::Key_Home:
        return GraphKey::Home;
    case Qt::Key_End:
        return GraphKey::End;
    case Qt::Key_Space:
        return GraphKey::OtherCursor;
    default:
        return std::nullopt;
    }
}

const QKeySequence kToolKeys[] = {QKeySequence(Qt::Key_C), QKeySequence(Qt::Key_T),
                                  QKeySequence(Qt::Key_N), QKeySequence(Qt::Key_Delete)};

} // namespace

void MainWindow::graphPress(int x, int y) {
    if (sim().state().graph.measures.cursors.shown && PlotBox::contains(x, y)) {
        apply(sim().placeCursor(x));
    }
}

void MainWindow::graphDrag(int x, int /*y*/) {
    const Cursors& cursors = sim().state().graph.measures.cursors;
    if (cursors.shown) {
        apply(sim().moveCursor(cursors.selected, x));
    }
}

std::unique_ptr<QMenu> MainWindow::graphMenu() {
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("menugraphe"));
    addMenuEntries(*menu, session::graphMenu());
    const Measures& measures = sim().state().graph.measures;
    for (const MenuEntry& entry : session::graphMenu()) {
        QAction* action = menuEntry(*menu, entry.action);
        // The keys, shown beside the entries; the graph handles them.
        action->setShortcut(kToolKeys[entry.action]);
        action->setShortcutContext(Qt::WidgetShortcut);
        switch (GraphTool(entry.action)) {
        case GraphTool::Cursors:
            action->setCheckable(true);
            action->setChecked(measures.cursors.shown);
            break;
        case GraphTool::EraseConstructions:
            action->setEnabled(!measures.empty());
            break;
        default:
            action->setEnabled(sim().state().graph.showsRecording);
            break;
        }
    }
    return menu;
}

void MainWindow::graphContextMenu(std::optional<QPoint> at, const QPoint& global) {
    if (at && !PlotBox::contains(at->x(), at->y())) {
        return; // the menu belongs to the plotting box
    }
    const std::unique_ptr<QMenu> menu = graphMenu();
    const std::optional<int> chosen = chosenAction(prompter_->popUpMenu(*menu, global));
    if (chosen) {
        useGraphTool(GraphTool(*chosen), at);
    }
}

void MainWindow::useGraphTool(GraphTool tool, std::optional<QPoint> at) {
    std::optional<std::pair<int, int>> point;
    if (at) {
        point = std::pair{at->x(), at->y()};
    }
    const Simulator::MeasureOutcome outcome = sim().useGraphTool(tool, point);
    apply(outcome.redraw);
    if (!outcome.problem.empty()) {
        prompter_->message(Message{qs(outcome.problem), qs(kGraphTools[size_t(tool)].caption),
                                   MessageIcon::Exclamation, MessageButtons::Ok});
    }
}

bool MainWindow::measureKey(const QKeyEvent& key) {
    const Qt::KeyboardModifiers others = key.modifiers() & ~Qt::ShiftModifier & ~Qt::KeypadModifier;
    if (others != Qt::NoModifier) {
        return false;
    }
    if (const auto tool = toolOfKey(key.key())) {
        useGraphTool(*tool, std::nullopt);
        return true;
    }
    // The cursor keys belong to the cursors while they show.
    const auto move = cursorKey(key);
    if (!move || !sim().state().graph.measures.cursors.shown) {
        return false;
    }
    apply(sim().graphKey(*move));
    return true;
}

} // namespace ohmora
