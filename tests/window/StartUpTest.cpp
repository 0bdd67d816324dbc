#include "WindowFixture.h"

#include "window/ParameterPanel.h"
#include "window/TabStrip.h"
#include "window/ValueGrid.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include <memory>

namespace ohmora {
namespace {

using StartUp = WindowFixture;

TEST_F(StartUp, LeavesTheSimulatorInItsDefaultState) {
    EXPECT_EQ(window->windowTitle(), "Ohmora");
    EXPECT_EQ(window->size(), QSize(800, 600));

    auto* combo = child<QComboBox>("Combo1");
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(combo->itemText(2), "Établissement du courant dans un circuit comportant une bobine");

    const char* defaults[] = {"6",  "33",  "220", "100", "6",   "33", "220",
                              "10", "400", "5",   "6",   "200", "5",  "10"};
    for (int i = 0; i < 14; ++i) {
        auto* box = child<QLineEdit>(QStringLiteral("Textv%1").arg(i).toUtf8().constData());
        EXPECT_EQ(box->text(), defaults[i]) << i;
        EXPECT_EQ(box->isVisibleTo(window.get()), i <= 3) << i;
    }
    // Montage 0 puts its boxes at top = 30 × index + 52.
    EXPECT_EQ(child("Textv3")->geometry(), QRect(170, 142, 73, 19));
    EXPECT_FALSE(child("CheckRn")->isVisibleTo(window.get()));

    EXPECT_EQ(state().run.position, 0);
    EXPECT_FALSE(state().run.enregEnCours);
    for (int k = 0; k < 7; ++k) {
        auto* check = child<QCheckBox>(QStringLiteral("Check4_%1").arg(k).toUtf8().constData());
        EXPECT_EQ(check->isChecked(), k == 1) << k;
    }
    EXPECT_EQ(child<QLabel>("Labelg")->text(), "100 ms");
    EXPECT_EQ(info(),
              "Vous pouvez modifier les paramètres,\nouvrir une configuration ou un exercice");

    EXPECT_EQ(window->tabStrip()->ongletActif(), 1);
    EXPECT_TRUE(child("Picture3")->isVisibleTo(window.get()));
    EXPECT_FALSE(child("frame2")->isVisibleTo(window.get()));
    EXPECT_FALSE(child("Picture1")->isVisibleTo(window.get()));

    ValueGrid* grid = window->valueGrid();
    EXPECT_EQ(grid->columnCount(), 6);
    EXPECT_EQ(grid->rowCount(), 2);
    EXPECT_FALSE(grid->headerPicture(5).isNull());

    EXPECT_EQ(window->timer().interval(), 100);
    EXPECT_EQ(window->timer().timerType(), Qt::PreciseTimer);
}

TEST_F(StartUp, PlacesTheCommandButtonsWithTheirCaptionsAndTooltips) {
    struct Expected {
        const char* name;
        QRect place;
        const char* caption;
        const char* tooltip;
    };
    const Expected buttons[] = {
        {"Command2", {0, 0, 121, 41}, "&Ouvrir", "Retrouver une configuration"},
        {"Command11", {120, 0, 113, 41}, "&Enregistrer", "Enregistrer la configuration actuelle"},
        {"Command4", {232, 0, 113, 41}, "Co&pier", "Placer l'image dans le presse-papiers"},
        {"Command10", {344, 0, 113, 41}, "&Imprimer", "Imprimer l'image"},
        {"Command8", {456, 0, 113, 41}, "&Calculatrice", "Machine à calculer"},
        {"Command7", {568, 0, 113, 41}, "&Aide", "Aide pour utiliser cette application"},
        {"Command1", {680, 0, 121, 41}, "&Fermer", "Quitter cette application"},
    };
    for (const Expected& e : buttons) {
        auto* b = child<QPushButton>(e.name);
        EXPECT_EQ(b->geometry(), e.place) << e.name;
        EXPECT_EQ(b->text(), QString::fromUtf8(e.caption)) << e.name;
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(e.tooltip)) << e.name;
    }
    EXPECT_EQ(child("schema")->geometry(), QRect(8, 48, 249, 249));
    EXPECT_EQ(child("graphik")->geometry(), QRect(264, 48, 529, 249));
    EXPECT_EQ(child("Command3")->geometry(), QRect(472, 8, 49, 17));
    EXPECT_EQ(child("info")->geometry(), QRect(120, 304, 233, 33));
    EXPECT_EQ(child("supertext")->geometry(), QRect(432, 323, 361, 222));
    EXPECT_EQ(child("Onglets")->geometry(), QRect(8, 344, 417, 203));
}

// Every button does what it says: each opens its window or menu through
// the prompt interface, the calculator like every other modal window.
TEST_F(StartUp, EveryButtonOpensItsWindowOrMenu) {
    for (const char* button : {"Command2", "Command11", "Command10", "Command8"}) {
        QTest::mouseClick(child(button), Qt::LeftButton);
    }
    EXPECT_EQ(prompter.modalRequests(),
              (std::vector<QString>{"ouvrir", "enregistrer", "confimp", "Machine"}));
    for (const char* button : {"Command4", "btexo"}) {
        QTest::mouseClick(child(button), Qt::LeftButton);
    }
    ASSERT_EQ(prompter.menuRequests().size(), 2u);
    EXPECT_EQ(prompter.menuRequests()[0].menu, "menucop");
    EXPECT_EQ(prompter.menuRequests()[1].menu, "optionexo");
    QTest::mouseClick(child("Command7"), Qt::LeftButton); // no help file here: told so
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].title, "Aide");
    // The welcome text sends the pupil to "Exercices": the button says so.
    EXPECT_EQ(child("btexo")->toolTip(), "Exercices");
    EXPECT_EQ(child("btexo")->accessibleName(), "Exercices");
}

TEST_F(StartUp, PaintsTheShadedBackgroundAndTheShadow) {
    showWindow();
    const QImage shot = window->grab().toImage();
    // 227.5 and 217.5 both round to the even neighbour.
    EXPECT_EQ(QColor(shot.pixel(4, 300)), QColor(228, 228, 218));
    EXPECT_EQ(QColor(shot.pixel(4, 42)), QColor(251, 251, 250));
    EXPECT_EQ(QColor(shot.pixel(4, 599)), QColor(200, 200, 180));
    // The drop shadow shows right of and below the text area.
    EXPECT_EQ(QColor(shot.pixel(795, 400)), QColor(128, 128, 128));
    EXPECT_EQ(QColor(shot.pixel(600, 547)), QColor(128, 128, 128));
    EXPECT_EQ(QColor(shot.pixel(797, 400)), QColor(shot.pixel(2, 400)));
}

TEST_F(StartUp, SizeRuleCentresTheWindowOnWideScreensOnly) {
    window->setWindowState(Qt::WindowMaximized);
    window->applySizeRule(QRect(0, 0, 1024, 768));
    EXPECT_EQ(window->windowState(), Qt::WindowNoState);
    EXPECT_EQ(window->size(), QSize(800, 600));
    const QSize outer = window->frameGeometry().size();
    EXPECT_EQ(window->frameGeometry().topLeft(),
              QPoint((1024 - outer.width()) / 2, (768 - outer.height()) / 2));

    const QRect before = window->geometry();
    window->applySizeRule(QRect(0, 0, 800, 600));
    EXPECT_EQ(window->geometry(), before);

    // The whole frame is centred, title bar included: a frame of 806 × 627
    // on 1024 × 768 starts 70 pixels down, not 84 as 600 pixels would give.
    EXPECT_EQ(MainWindow::centredFramePosition(QRect(0, 0, 1024, 768), QSize(806, 627)),
              QPoint(109, 70));
    EXPECT_EQ(MainWindow::centredFramePosition(QRect(1920, 0, 1280, 1024), QSize(800, 600)),
              QPoint(2160, 212));
}

// Qt's own dialogs and menus speak French, whatever the system's language
// (the suite runs under the C locale).
TEST_F(StartUp, QtDialogsAndMenusSpeakFrench) {
    QColorDialog colours;
    QStringList labels;
    for (const QLabel* label : colours.findChildren<QLabel*>()) {
        labels << label->text();
    }
    EXPECT_TRUE(labels.contains("Couleurs de &base")) << labels.join('|').toStdString();
    QLineEdit* box = child<QLineEdit>("Textv0");
    std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
    QStringList actions;
    for (const QAction* action : menu->actions()) {
        actions << action->text().section('\t', 0, 0);
    }
    EXPECT_TRUE(actions.contains("Co&ller")) << actions.join('|').toStdString();
    EXPECT_TRUE(actions.contains("Tout sélectionner")) << actions.join('|').toStdString();
    QMessageBox question(QMessageBox::Question, "Fermer", "?",
                         QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(question.button(QMessageBox::Cancel)->text(), "Annuler");
}

} // namespace
} // namespace ohmora
