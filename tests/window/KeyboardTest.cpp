// The main window by the keyboard alone: Tab through the controls without
// a trap, switch K and the cursor readout from the pictures' keys, the tabs
// from the strip's arrows, the colour swatches and the copy menu.

#include "WindowFixture.h"
#include "window/QuantityPanel.h"

#include <QComboBox>
#include <QPushButton>
#include <QTextEdit>

namespace ohmora {
namespace {

using Keyboard = WindowFixture;

TEST_F(Keyboard, TabGoesThroughEveryControlAndOnOutOfTheText) {
    showWindow();
    const QList<QWidget*> order = window->tabOrder();
    QWidget* first = order.front();
    first->setFocus(Qt::TabFocusReason);
    QStringList visited;
    for (int i = 0; i < 60 && (visited.isEmpty() || QApplication::focusWidget() != first); ++i) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    // Montage 0 on the "Montage" tab: its four boxes, then the text and on.
    EXPECT_EQ(visited, (QStringList{"Command2", "Command11", "Command4", "Command10", "Command8",
                                    "Command7", "Command1",  "schema",   "graphik",   "Command3",
                                    "Onglets",  "Combo1",    "Textv0",   "Textv1",    "Textv2",
                                    "Textv3",   "btexo",     "fich",     "supertext", "agrandir"}));
    // Back from the first to the last.
    QTest::keyClick(first, Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "agrandir");
}

TEST_F(Keyboard, SwitchKFromTheSchematicWithTheClicksHandlers) {
    showWindow();
    QWidget* schema = child("schema");
    schema->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(window->keyboardZone(), 0);
    QTest::keyClick(schema, Qt::Key_1);
    EXPECT_EQ(state().run.position, 1);
    EXPECT_TRUE(state().run.enregEnCours); // as a click on contact 1
    EXPECT_EQ(info(), "Utiliser la souris pour basculer l'interrupteur");
    QTest::keyClick(schema, Qt::Key_Right);
    EXPECT_EQ(state().run.position, 1); // an arrow chooses, it does not press
    EXPECT_EQ(window->keyboardZone(), 0);
    QTest::keyClick(schema, Qt::Key_Right);
    QTest::keyClick(schema, Qt::Key_Space);
    EXPECT_EQ(state().run.position, 2);
    QTest::keyClick(schema, Qt::Key_0);
    EXPECT_EQ(state().run.position, 0);

    // Montage 2: the one-way switch toggles.
    auto* list = child<QComboBox>("Combo1");
    list->setFocus(Qt::TabFocusReason);
    QTest::keyClick(list, Qt::Key_End);
    ASSERT_EQ(state().controls.montage, 2);
    schema->setFocus(Qt::TabFocusReason);
    QTest::keyClick(schema, Qt::Key_Space);
    EXPECT_EQ(state().run.position, 1);
    QTest::keyClick(schema, Qt::Key_1);
    EXPECT_EQ(state().run.position, 1);
    QTest::keyClick(schema, Qt::Key_0);
    EXPECT_EQ(state().run.position, 0);
}

TEST_F(Keyboard, TheArrowsMoveTheReadoutOfTheGraph) {
    showWindow();
    QWidget* graph = child("graphik");
    auto* time = child<QLabel>("Labeli_0");
    auto* value = child<QLabel>("Labeli_1");
    graph->setFocus(Qt::TabFocusReason);
    // The middle of the plotting box: 50 ms, 3 V on the 6 V scale.
    ASSERT_TRUE(time->isVisible());
    EXPECT_EQ(*window->readoutPoint(), QPoint(260, 125));
    EXPECT_EQ(time->text(), " 50 ms ");
    EXPECT_EQ(value->text(), " 3,0 V ");
    QTest::keyClick(graph, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(time->text(), " 60 ms ");
    QTest::keyClick(graph, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(value->text(), " 3,6 V ");
    QTest::keyClick(graph, Qt::Key_End);
    EXPECT_EQ(time->text(), " 100 ms ");
    // The focus gone, the readout goes.
    child("Command3")->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(time->isVisible());
}

TEST_F(Keyboard, TabsSwatchesAndTheCopyMenu) {
    showWindow();
    TabStrip* strip = window->tabStrip();
    strip->setFocus(Qt::TabFocusReason);
    QTest::keyClick(strip, Qt::Key_Right);
    EXPECT_EQ(strip->ongletActif(), 2);
    QTest::keyClick(strip, Qt::Key_End);
    EXPECT_EQ(strip->ongletActif(), 3);
    QTest::keyClick(strip, Qt::Key_Left);
    EXPECT_EQ(strip->ongletActif(), 2);

    Swatch* swatch = window->quantityPanel()->swatch(1);
    swatch->setFocus(Qt::TabFocusReason);
    prompter.queueColour(QColor(0, 0, 255));
    QTest::keyClick(swatch, Qt::Key_Space);
    ASSERT_EQ(prompter.colourRequests().size(), 1u);
    EXPECT_EQ(state().controls.colours[1].b, 255);

    // Opened from the keyboard, the copy menu comes under its button.
    auto* copy = child<QPushButton>("Command4");
    copy->setFocus(Qt::TabFocusReason);
    prompter.queueMenuEntry(std::nullopt);
    QTest::keyClick(copy, Qt::Key_Space);
    ASSERT_EQ(prompter.menuRequests().size(), 1u);
    EXPECT_EQ(prompter.menuRequests()[0].position, copy->mapToGlobal(QPoint(0, copy->height())));
}

} // namespace
} // namespace ohmora
