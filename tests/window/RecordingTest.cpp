#include "WindowFixture.h"

#include "window/ValueGrid.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace ohmora {
namespace {

using Recording = WindowFixture;

// Pixels of the graph in the colour of u_C.
int redPixels(const QImage& graph) {
    int n = 0;
    for (int y = 0; y < graph.height(); ++y) {
        for (int x = 0; x < graph.width(); ++x) {
            n += graph.pixel(x, y) == qRgb(255, 0, 0);
        }
    }
    return n;
}

TEST_F(Recording, DefaultChargeDrivenByTheMouseFillsGraphAndTable) {
    showWindow();
    QWidget* schema = child("schema");
    const QPoint zone1(105, 20);
    QTest::mouseMove(schema, zone1);
    EXPECT_EQ(schema->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(schema->toolTip(), "Basculer K en position 1");
    EXPECT_EQ(info(), "Utiliser la souris pour basculer l'interrupteur");

    QTest::mouseClick(schema, Qt::LeftButton, {}, zone1);
    ASSERT_EQ(state().run.position, 1);
    ASSERT_TRUE(state().run.enregEnCours);

    ValueGrid* grid = window->valueGrid();
    int ticks = 0;
    for (; ticks < 50; ++ticks) {
        window->tick();
    }
    // The table grows while the recording runs: a row every 2 ms of model
    // time, 0.5 ms per tick.
    EXPECT_EQ(grid->text(1, 0), "0 ms");
    EXPECT_EQ(grid->text(2, 0), "2 ms");
    EXPECT_EQ(grid->rowCount(), 15); // the header, 0 to 24 ms every 2 ms, the live row
    while (state().run.enregEnCours && ticks < 400) {
        window->tick();
        ++ticks;
    }
    EXPECT_FALSE(state().run.enregEnCours);
    EXPECT_EQ(ticks, 201);

    // Rows for 0, 2, ..., 98 ms and 100 ms, then the live row.
    EXPECT_EQ(grid->rowCount(), 53);
    EXPECT_EQ(grid->text(50, 0), "98 ms");
    EXPECT_EQ(grid->text(1, 3), "0,00 V"); // u_C at the switching
    EXPECT_EQ(grid->text(1, 2), "6,00 V"); // u_R1
    for (int r = 1; r < grid->rowCount(); ++r) {
        ASSERT_EQ(grid->text(r, 0).toStdString(), state().table.cell(r, 0)) << r;
    }

    // The rising curve ends near the top of the 6 V scale by x = 460.
    const QImage graph = window->session().pictures().graph();
    EXPECT_GT(redPixels(graph), 200);
    bool nearEnd = false;
    for (int y = 23; y <= 30; ++y) {
        nearEnd = nearEnd || graph.pixel(455, y) == qRgb(255, 0, 0);
    }
    EXPECT_TRUE(nearEnd);
    // The widget shows the picture.
    const QImage shown = child("graphik")->grab().toImage();
    EXPECT_EQ(redPixels(shown), redPixels(graph));

    // Leaving a resistance keeps the curves, leaving a generator voltage
    // redraws the empty frame.
    child("Textv1")->setFocus(Qt::MouseFocusReason);
    child("Textv2")->setFocus(Qt::MouseFocusReason);
    EXPECT_GT(redPixels(window->session().pictures().graph()), 200);
    child("Textv0")->setFocus(Qt::MouseFocusReason);
    child("Textv2")->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(redPixels(window->session().pictures().graph()), 0);
    EXPECT_TRUE(prompter.messages().empty());
}

// The row being written stays in sight as the table grows, until the
// pupil scrolls by hand; the next recording follows its rows again.
TEST_F(Recording, TheGridFollowsTheRowBeingWritten) {
    showWindow();
    selectTab(3);
    ValueGrid* grid = window->valueGrid();
    const auto lastRowShown = [grid] { return grid->firstRow() + grid->fittingRows() - 2; };
    QTest::mouseMove(child("schema"), QPoint(105, 20));
    QTest::mouseClick(child("schema"), Qt::LeftButton, {}, QPoint(105, 20));
    for (int n = 0; n < 100; ++n) {
        window->tick();
        ASSERT_GE(lastRowShown(), grid->rowCount() - 1) << "tick " << n;
    }
    ASSERT_GT(grid->firstRow(), 1);
    grid->verticalScrollBar()->setValue(0); // the pupil goes back to the top
    for (int n = 0; n < 20; ++n) {
        window->tick();
    }
    EXPECT_EQ(grid->firstRow(), 1);
    EXPECT_LT(lastRowShown(), grid->rowCount() - 1);
    while (state().run.enregEnCours) {
        window->tick();
    }
    QTest::mouseMove(child("schema"), QPoint(130, 20));
    QTest::mouseClick(child("schema"), Qt::LeftButton, {}, QPoint(130, 20));
    QTest::mouseMove(child("schema"), QPoint(105, 20));
    QTest::mouseClick(child("schema"), Qt::LeftButton, {}, QPoint(105, 20));
    for (int n = 0; n < 60; ++n) {
        window->tick();
    }
    EXPECT_GT(grid->firstRow(), 1);
    EXPECT_GE(lastRowShown(), grid->rowCount() - 1);
}

TEST_F(Recording, SwitchZonesAndClicksOutsideFollowTheRules) {
    showWindow();
    QWidget* schema = child("schema");
    // Just outside the zone: arrow pointer, nothing happens on a click.
    QTest::mouseMove(schema, QPoint(100, 20));
    EXPECT_NE(schema->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(schema->toolTip(), "");
    EXPECT_EQ(info(), "Choisir un montage dans la liste de l'onglet Montage");
    QTest::mouseClick(schema, Qt::LeftButton, {}, QPoint(100, 20));
    EXPECT_EQ(state().run.position, 0);

    QTest::mouseMove(schema, QPoint(130, 20));
    EXPECT_EQ(schema->toolTip(), "Basculer K en position 2");
    QTest::mouseClick(schema, Qt::LeftButton, {}, QPoint(130, 20));
    EXPECT_EQ(state().run.position, 2);
    EXPECT_FALSE(state().run.enregEnCours); // Check3 is not ticked in montage 0

    // "Effacer" opens the switch.
    QTest::mouseClick(child("Command3"), Qt::LeftButton);
    EXPECT_EQ(state().run.position, 0);
}

TEST_F(Recording, ReadoutFollowsThePointerOverTheGraph) {
    showWindow();
    QWidget* graph = child("graphik");
    QTest::mouseMove(graph, QPoint(260, 125));
    auto* time = child<QLabel>("Labeli_0");
    auto* value = child<QLabel>("Labeli_1");
    EXPECT_TRUE(time->isVisible());
    EXPECT_EQ(time->text(), " 50 ms ");
    EXPECT_EQ(value->text(), " 3,0 V ");
    EXPECT_EQ(time->y(), 227);
    EXPECT_EQ(value->geometry().right() + 1, 58);
    EXPECT_EQ(graph->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(info(), "Paramétrer le graphe depuis l'onglet Graphe");

    QTest::mouseMove(graph, QPoint(461, 125));
    EXPECT_FALSE(time->isVisible());
    EXPECT_EQ(graph->cursor().shape(), Qt::ArrowCursor);

    // Onto the window background: labels hidden, default help text.
    QTest::mouseMove(graph, QPoint(260, 125));
    ASSERT_TRUE(value->isVisible());
    QTest::mouseMove(window.get(), QPoint(20, 320));
    EXPECT_FALSE(time->isVisible());
    EXPECT_FALSE(value->isVisible());
    EXPECT_EQ(info(),
              "Vous pouvez modifier les paramètres,\nouvrir une configuration ou un exercice");
}

TEST_F(Recording, ColourDialogCancelChangesNothing) {
    showWindow();
    selectTab(2); // the swatches live on the "Graphe" tab
    QWidget* schema = child("schema");
    QTest::mouseMove(schema, QPoint(105, 20));
    QTest::mouseClick(schema, Qt::LeftButton, {}, QPoint(105, 20));
    ASSERT_TRUE(state().run.enregEnCours);

    QWidget* swatch = child("Labelcol_1");
    prompter.queueColour(std::nullopt);
    QTest::mouseClick(swatch, Qt::LeftButton);
    ASSERT_EQ(prompter.colourRequests().size(), 1u);
    EXPECT_EQ(prompter.colourRequests()[0], QColor(255, 0, 0));
    EXPECT_EQ(state().controls.colours[1], (Rgb{255, 0, 0}));
    EXPECT_EQ(state().run.position, 1);
    EXPECT_TRUE(state().run.enregEnCours);

    prompter.queueColour(QColor(0, 0, 0));
    QTest::mouseClick(swatch, Qt::LeftButton);
    EXPECT_EQ(state().controls.colours[1], (Rgb{0, 0, 0}));
    EXPECT_EQ(state().run.position, 0);
    EXPECT_FALSE(state().run.enregEnCours);
    EXPECT_EQ(swatch->grab().toImage().pixel(8, 8), qRgb(0, 0, 0));
}

} // namespace
} // namespace ohmora
