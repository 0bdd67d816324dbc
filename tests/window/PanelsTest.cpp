#include "WindowFixture.h"

#include "window/ParameterPanel.h"
#include "window/RecordingPanel.h"
#include "window/TabStrip.h"
#include "window/ValueGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QScrollBar>

namespace ohmora {
namespace {

using Panels = WindowFixture;

TEST_F(Panels, TabStripSwitchesPanelsOnReleasesInTheTabRow) {
    showWindow();
    TabStrip* strip = window->tabStrip();
    const auto bords = strip->bordsOnglets();
    EXPECT_EQ(bords[0], -1);
    EXPECT_EQ(bords[3], 417);
    EXPECT_EQ(bords[4], 0);
    const QRect panel = strip->panelRect();
    EXPECT_EQ(panel.topLeft(), QPoint(4, strip->tabRowHeight() + 5));
    EXPECT_EQ(panel.width(), 417 - 8);
    EXPECT_EQ(child("Picture3")->geometry(), panel);

    const int painted = strip->paintCount();
    const int tab3 = (bords[2] + bords[3]) / 2;
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(tab3, 16));
    EXPECT_EQ(strip->ongletActif(), 1);
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint((bords[0] + bords[1]) / 2, 5));
    EXPECT_EQ(strip->paintCount(), painted); // the selected tab: no repaint

    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(tab3, 15));
    EXPECT_EQ(strip->ongletActif(), 3);
    EXPECT_FALSE(child("Picture3")->isVisible());
    EXPECT_TRUE(child("Picture1")->isVisible());
    EXPECT_EQ(child("Picture1")->geometry(), panel);
    // The boundaries follow the bold caption of the selected tab.
    EXPECT_NE(strip->bordsOnglets(), bords);

    selectTab(2);
    EXPECT_EQ(strip->ongletActif(), 2);
    EXPECT_TRUE(child("frame2")->isVisible());
    EXPECT_FALSE(child("Picture1")->isVisible());
    // The tab row is white above the unselected first tab.
    EXPECT_EQ(strip->image().pixel(10, 0), qRgb(255, 255, 255));
}

TEST_F(Panels, MontageTwoShowsItsBoxesQuantitiesAndColumns) {
    showWindow();
    auto* combo = child<QComboBox>("Combo1");
    combo->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(combo, Qt::Key_End);
    ASSERT_EQ(state().controls.montage, 2);

    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(
            child(QStringLiteral("Textv%1").arg(i).toUtf8().constData())->isVisibleTo(window.get()),
            i >= 10)
            << i;
    }
    EXPECT_EQ(child("Textv12")->pos(), QPoint(300, 95));

    struct Shown {
        int k;
        int top;
        const char* caption;
    };
    const Shown shown[] = {{4, 16, "Intensité du courant"},
                           {0, 36, "Tension aux bornes de la bobine"},
                           {1, 56, "Tension aux bornes du conducteur ohmique"},
                           {6, 76, "Énergie emmagasinée dans la bobine"}};
    QWidget* frame2 = child("frame2");
    for (const Shown& s : shown) {
        auto* check = child<QCheckBox>(QStringLiteral("Check4_%1").arg(s.k).toUtf8().constData());
        EXPECT_TRUE(check->isVisibleTo(frame2)) << s.k;
        EXPECT_EQ(check->y(), s.top) << s.k;
        EXPECT_EQ(check->text(), QString::fromUtf8(s.caption)) << s.k;
        QWidget* swatch = child(QStringLiteral("Labelcol_%1").arg(s.k).toUtf8().constData());
        EXPECT_TRUE(swatch->isVisibleTo(frame2));
        EXPECT_EQ(swatch->pos(), QPoint(328, s.top));
    }
    for (int k : {2, 3, 5}) {
        EXPECT_FALSE(
            child(QStringLiteral("Check4_%1").arg(k).toUtf8().constData())->isVisibleTo(frame2));
        EXPECT_FALSE(
            child(QStringLiteral("Labelcol_%1").arg(k).toUtf8().constData())->isVisibleTo(frame2));
    }
    EXPECT_FALSE(child("Check3")->isVisibleTo(child("Picture1")));
    EXPECT_EQ(window->valueGrid()->columnCount(), 5);
}

TEST_F(Panels, ValueGridShowsFiveColumnsAndScrollsToTheOthers) {
    showWindow();
    selectTab(3);
    ValueGrid* grid = window->valueGrid();
    EXPECT_EQ(grid->width(), 5 * 78 + 17);
    EXPECT_EQ(grid->y(), 61);
    EXPECT_EQ(grid->x(), (child("Picture1")->width() - grid->width()) / 2);
    EXPECT_EQ(grid->beyondColour(), QColor(240, 235, 230));
    EXPECT_EQ(grid->fittingColumns(), 5);
    EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 1); // six columns in montage 0
    grid->horizontalScrollBar()->setValue(1);
    EXPECT_EQ(grid->firstColumn(), 2);
    // Header picture of column 0 in the fixed cell, fixed colour around it.
    const QImage shown = grid->viewport()->grab().toImage();
    EXPECT_EQ(shown.pixel(2, 2), qRgb(210, 205, 200));
    EXPECT_EQ(shown.pixel(77, 20), qRgb(0, 0, 0));            // line between fixed cells
    EXPECT_EQ(shown.pixel(78 + 77, 20), qRgb(192, 192, 192)); // between data cells
}

TEST_F(Panels, DurationUpDownChangesTheLabelAndOpensTheSwitch) {
    showWindow();
    selectTab(3);
    QWidget* upDown = child("UpDown1");
    auto* labelg = child<QLabel>("Labelg");
    EXPECT_EQ(upDown->x(), labelg->x() + labelg->width());
    QTest::mouseClick(upDown, Qt::LeftButton, {}, QPoint(8, 3));
    EXPECT_EQ(labelg->text(), "200 ms");
    EXPECT_EQ(state().controls.upDown, -1);
    for (int i = 0; i < 12; ++i) {
        QTest::mouseClick(upDown, Qt::LeftButton, {}, QPoint(8, 3));
    }
    EXPECT_EQ(labelg->text(), "10 min"); // no wrapping past the last entry
    QTest::mouseClick(upDown, Qt::LeftButton, {}, QPoint(8, 14));
    EXPECT_EQ(labelg->text(), "5 min");
    QTest::keyClick(upDown, Qt::Key_Down);
    EXPECT_EQ(labelg->text(), "2 min");
}

TEST_F(Panels, HelpLineNamesWhatIsUnderThePointer) {
    showWindow();
    struct Case {
        const char* widget;
        QPoint at;
        const char* text;
    };
    const Case cases[] = {
        {"Command2", {20, 20}, "Pour retrouver une situation enregistrée"},
        {"Command11", {20, 20}, "Pour conserver la configuration en cours"},
        {"Command4",
         {20, 20},
         "Copier pour placer l'image dans le presse- papiers puis coller depuis Word, Paint..."},
        {"Command10", {20, 20}, "Pour configurer l'imprimante et imprimer l'image"},
        {"Command8", {20, 20}, "Machine à calculer"},
        {"Command7", {20, 20}, "Si vous rencontrez une difficulté avec cette application"},
        {"Command1", {20, 20}, "Pour retrouver le module principal et quitter cette application"},
        {"Command3", {20, 8}, "Effacer le graphe"},
        {"btexo",
         {20, 8},
         "Ouvrir un énoncé, enregistrer le texte, obtenir la correction, imprimer ou fermer."},
        {"schema", {20, 200}, "Choisir un montage dans la liste de l'onglet Montage"},
        {"Picture3",
         {350, 100},
         "Choisir un montage dans la liste et modifier les caractéristiques des dipôles"},
        {"Textv0",
         {10, 10}, // a box leaves the text as it was
         "Choisir un montage dans la liste et modifier les caractéristiques des dipôles"},
    };
    for (const Case& c : cases) {
        QTest::mouseMove(child(c.widget), c.at);
        EXPECT_EQ(info().toStdString(), c.text) << c.widget;
    }
    selectTab(2);
    QTest::mouseMove(child("frame2"), QPoint(370, 100));
    EXPECT_EQ(info(), "Choisir les grandeurs à représenter sur le graphique et la durée de "
                      "l'enregistrement");
    QTest::mouseMove(child("Labelcol_1"), QPoint(8, 8));
    EXPECT_EQ(info(), "Cliquer pour modifier la couleur de représentation");
    selectTab(3);
    QTest::mouseMove(child("Picture1"), QPoint(390, 20));
    EXPECT_EQ(info(), "Pour modifier le montage : onglet Montage");
}

} // namespace
} // namespace ohmora
