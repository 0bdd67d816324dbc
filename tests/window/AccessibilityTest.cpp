// The window and its dialogs through Qt's accessibility interface, as a
// screen reader reads them: a French name for every control, picture and
// dialog, and a description; the zones of K and the tabs as children that
// press as a click does; the pictures described from the state; the help
// line's changes announced.

#include "WindowFixture.h"
#include "calculator/CalculatorWindow.h"
#include "exercises/ExerciseBrowser.h"
#include "files/ConfigurationDialogs.h"
#include "output/PrintOptionsDialog.h"
#include "window/PictureViews.h"
#include "window/ReadingWindow.h"

#include <QAccessible>
#include <QAccessibleActionInterface>

namespace ohmora {
namespace {

using Accessibility = WindowFixture;

QAccessibleInterface* accessible(QObject* o) {
    return QAccessible::queryAccessibleInterface(o);
}

// The controls a user reaches (by Tab or by a click) and the pictures, that
// have no name, or no description, as a screen reader reads them.
QStringList unnamed(QWidget* root, QAccessible::Text text) {
    QStringList missing;
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        const bool picture =
            dynamic_cast<PictureView*>(w) != nullptr ||
            (qobject_cast<QLabel*>(w) && !qobject_cast<QLabel*>(w)->pixmap().isNull());
        if (!w->isVisibleTo(root) || (w->focusPolicy() == Qt::NoFocus && !picture && w != root) ||
            w->inherits("QScrollBar")) {
            continue;
        }
        QAccessibleInterface* a = accessible(w);
        if (!a || a->text(text).trimmed().isEmpty()) {
            missing << w->objectName() + ":" + w->metaObject()->className();
        }
    }
    return missing;
}

TEST_F(Accessibility, EveryControlOfTheWindowAndItsDialogsHasANameAndADescription) {
    showWindow();
    EXPECT_EQ(unnamed(window.get(), QAccessible::Name), QStringList());
    EXPECT_EQ(unnamed(window.get(), QAccessible::Description), QStringList());

    CalculatorWindow calculator(program, window.get());
    EXPECT_EQ(unnamed(&calculator, QAccessible::Name), QStringList());
    EXPECT_EQ(accessible(calculator.button(CalculatorKey::Exp))->text(QAccessible::Name),
              "e puissance x");
    ReadingWindow* reader = window->openReadingWindow();
    EXPECT_EQ(unnamed(reader, QAccessible::Name), QStringList());
    exercises::ExerciseBrowser browser(
        program, prompter, [](const QString&, bool) { return false; }, window.get());
    EXPECT_EQ(unnamed(&browser, QAccessible::Name), QStringList());
    PrintOptionsDialog print(window->session(), window.get());
    EXPECT_EQ(unnamed(&print, QAccessible::Name), QStringList());
    SaveDialog save(
        prompter, QString(), QDir::tempPath(), [](const QString&) { return false; }, window.get());
    EXPECT_EQ(unnamed(&save, QAccessible::Name), QStringList());
    OpenDialog open(
        prompter, QDir::tempPath(),
        [](const QString&, const std::function<void()>&) { return false; }, window.get());
    EXPECT_EQ(unnamed(&open, QAccessible::Name), QStringList());
}

TEST_F(Accessibility, TheZonesOfKPressAsAClickAndTheSchematicSaysWhereKIs) {
    showWindow();
    QAccessibleInterface* schema = accessible(child("schema"));
    ASSERT_NE(schema, nullptr);
    EXPECT_EQ(schema->text(QAccessible::Name), "Schéma du montage");
    EXPECT_TRUE(schema->text(QAccessible::Description)
                    .startsWith("Montage : Charge et décharge d'un condensateur"));
    EXPECT_TRUE(schema->text(QAccessible::Description).contains("U = 6 V, R1 = 33 Ω"));
    ASSERT_EQ(schema->childCount(), 3);
    QStringList zones;
    for (int i = 0; i < 3; ++i) {
        zones << schema->child(i)->text(QAccessible::Name);
        EXPECT_EQ(schema->child(i)->role(), QAccessible::Button);
        EXPECT_EQ(schema->indexOfChild(schema->child(i)), i);
    }
    EXPECT_EQ(zones, (QStringList{"Basculer K en position 1", "Basculer K en position 0",
                                  "Basculer K en position 2"}));
    // The zone's place on screen is the zone of the clicks.
    const QRect contact1 = schema->child(0)->rect();
    EXPECT_EQ(contact1.topLeft(), child("schema")->mapToGlobal(QPoint(101, 0)));
    schema->child(0)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(state().run.position, 1);
    EXPECT_TRUE(state().run.enregEnCours);
    EXPECT_TRUE(schema->text(QAccessible::Description).contains("Interrupteur K en position 1"));

    // The graph tells its scales, and after a recording its last values.
    QAccessibleInterface* graph = accessible(child("graphik"));
    EXPECT_EQ(graph->role(), QAccessible::Chart);
    EXPECT_TRUE(graph->text(QAccessible::Description)
                    .contains("Axe vertical u (V) : de 0 à 6, 6 divisions."));
    for (int i = 0; i < 250 && state().run.enregEnCours; ++i) {
        window->tick();
    }
    EXPECT_TRUE(graph->text(QAccessible::Description).contains("Dernières valeurs : 100 ms, "));
}

TEST_F(Accessibility, TheTabsAreAPageTabListAndTheHelpLineAStatusBar) {
    showWindow();
    QAccessibleInterface* strip = accessible(window->tabStrip());
    EXPECT_EQ(strip->role(), QAccessible::PageTabList);
    ASSERT_GE(strip->childCount(), 3);
    const int first = strip->childCount() - 3; // after the panels
    EXPECT_EQ(strip->child(first + 1)->text(QAccessible::Name), "Graphe");
    EXPECT_TRUE(strip->child(first)->state().selected);
    strip->child(first + 1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(window->tabStrip()->ongletActif(), 2);

    // The help line is a status bar named by its text (its change is
    // announced through AT-SPI: tests/window/atspi_session.sh).
    QTest::mouseMove(child("schema"), QPoint(105, 20));
    QAccessibleInterface* info = accessible(child("info"));
    EXPECT_EQ(info->role(), QAccessible::StatusBar);
    EXPECT_EQ(info->text(QAccessible::Name), "Utiliser la souris pour basculer l'interrupteur");
}

} // namespace
} // namespace ohmora
