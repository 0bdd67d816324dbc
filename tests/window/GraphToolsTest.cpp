// The measuring tools in the window: the graph's right-click menu, the
// cursors placed by a click and moved by a drag or the keys, the keys of
// the menu's entries, and the graph shown with its tools.

#include "WindowFixture.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

namespace ohmora {
namespace {

class GraphTools : public WindowFixture {
protected:
    QWidget* graph() { return child("graphik"); }
    void record() {
        QTest::mouseClick(child("schema"), Qt::LeftButton, {}, QPoint(105, 20));
        while (state().run.enregEnCours) {
            window->tick();
        }
    }
    void rightClick(QPoint at) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, graph()->mapToGlobal(at));
        QApplication::sendEvent(graph(), &event);
    }
    // A key pressed while the graph has the focus.
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
        QKeyEvent press(QEvent::KeyPress, k, modifiers);
        QApplication::sendEvent(graph(), &press);
    }
    const Measures& measures() const { return state().graph.measures; }
};

// The menu of the plotting box, at the pointer; a construction for the
// curve under the pointer; the graph shown with it.
TEST_F(GraphTools, RightClickMenuOnThePlottingBox) {
    rightClick(QPoint(30, 100)); // left of the vertical axis: no menu
    EXPECT_TRUE(prompter.menuRequests().empty());
    prompter.queueMenuEntry(QStringLiteral("tangente"));
    rightClick(QPoint(100, 100));
    ASSERT_EQ(prompter.menuRequests().size(), 1u);
    EXPECT_EQ(prompter.menuRequests()[0].menu, "menugraphe");
    EXPECT_EQ(prompter.menuRequests()[0].entries,
              (QStringList{"curseurs", "tangente", "tempscar", "-", "effconstr"}));
    EXPECT_EQ(prompter.menuRequests()[0].position, graph()->mapToGlobal(QPoint(100, 100)));
    EXPECT_TRUE(measures().taus.empty()); // no recording: the entry cannot be chosen

    record();
    prompter.queueMenuEntry(QStringLiteral("tangente"));
    rightClick(QPoint(100, 60));
    ASSERT_EQ(measures().taus.size(), 1u);
    EXPECT_EQ(measures().taus[0].slot, SlotUC);
    EXPECT_TRUE(prompter.messages().empty());
    const std::unique_ptr<QMenu> menu = window->graphMenu();
    EXPECT_TRUE(menu->actions()[1]->isEnabled());
    EXPECT_EQ(menu->actions()[1]->text(), "Tangente à l'origine");
    EXPECT_EQ(menu->actions()[1]->shortcut(), QKeySequence(Qt::Key_T));
    EXPECT_FALSE(menu->actions()[0]->isChecked());

    // The plotting box on screen (the "Effacer" button stands outside it).
    const QRect box(60, 25, 401, 201);
    const QImage shown = graph()->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(box);
    EXPECT_EQ(shown, window->session().pictures().graphShown(state()).copy(box));
    EXPECT_NE(shown, window->session().pictures().graph().copy(box));
}

// The keys of the menu from the keyboard; a construction refused is said.
TEST_F(GraphTools, KeysOfTheMenu) {
    key(Qt::Key_T);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Aucun enregistrement sur le graphe");
    EXPECT_EQ(prompter.messages()[0].title, "Tangente à l'origine");
    record();
    key(Qt::Key_N);
    ASSERT_EQ(measures().taus.size(), 1u);
    EXPECT_TRUE(measures().taus[0].level);
    key(Qt::Key_C);
    EXPECT_TRUE(measures().cursors.shown);
    key(Qt::Key_Delete);
    EXPECT_TRUE(measures().empty());
    EXPECT_EQ(prompter.messages().size(), 1u);
}

// A click places the nearer cursor, a drag moves it, the arrows move the
// selected one while the cursors show (and are left alone otherwise).
TEST_F(GraphTools, CursorsByMouseAndKeys) {
    showWindow();
    QTest::mouseClick(graph(), Qt::LeftButton, {}, QPoint(150, 100));
    EXPECT_FALSE(measures().cursors.shown); // the cursors are off
    key(Qt::Key_C);
    QTest::mouseClick(graph(), Qt::LeftButton, {}, QPoint(150, 100));
    EXPECT_EQ(measures().cursors.x[0], 150);
    EXPECT_EQ(measures().cursors.selected, 0);
    QTest::mousePress(graph(), Qt::LeftButton, {}, QPoint(350, 100));
    QMouseEvent drag(QEvent::MouseMove, QPointF(380, 120), graph()->mapToGlobal(QPointF(380, 120)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(graph(), &drag);
    QTest::mouseRelease(graph(), Qt::LeftButton, {}, QPoint(380, 120));
    EXPECT_EQ(measures().cursors.x[1], 380);
    EXPECT_EQ(measures().cursors.selected, 1);
    key(Qt::Key_Left);
    key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(measures().cursors.x[1], 339);
    key(Qt::Key_Space);
    key(Qt::Key_Home);
    EXPECT_EQ(measures().cursors.x[0], 60);
    key(Qt::Key_C);
    EXPECT_FALSE(measures().cursors.shown);
    key(Qt::Key_Right);
    EXPECT_EQ(measures().cursors.x[0], 60);
}

} // namespace
} // namespace ohmora
