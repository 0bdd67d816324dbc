// The main window as screen readers present it: a French name and
// description for every control and picture; the schematic and the graph
// described from the simulator's state after each redraw, the zones of
// switch K as buttons that press as a click does.

#include "qtbridge/QtStrings.h"
#include "window/AccessibleTexts.h"
#include "window/KeyboardRules.h"
#include "window/MainWindow.h"
#include "window/ParameterPanel.h"
#include "window/PictureViews.h"
#include "window/QuantityPanel.h"
#include "window/RecordingPanel.h"
#include "window/TabStrip.h"
#include "window/ValueGrid.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>

namespace ohmora {

namespace {

void name(QWidget* w, const QString& name, const QString& description) {
    w->setAccessibleName(name);
    w->setAccessibleDescription(description);
}

QString withoutMnemonic(QString caption) {
    return caption.remove(u'&');
}

} // namespace

void MainWindow::setUpAccessibility() {
    installAccessibility();
    name(this, QStringLiteral("Ohmora"),
         QStringLiteral("Simulateur de circuits électriques : schéma, graphe, onglets des "
                        "paramètres, ligne d'aide et fenêtre exercice"));
    for (QPushButton* b : commandButtons_) {
        name(b, withoutMnemonic(b->text()), b->toolTip());
    }
    name(schematicView_, QStringLiteral("Schéma du montage"), QString());
    name(graphView_, QStringLiteral("Graphe"), QString());
    schematicView_->accessibleRole = QAccessible::Graphic;
    graphView_->accessibleRole = QAccessible::Chart;
    schematicView_->accessibleParts = [this] {
        const SimState& s = sim().state();
        std::vector<AccessiblePart> zones;
        for (const int target :
             s.controls.montage == 2 ? std::vector<int>{0} : std::vector<int>{1, 0, 2}) {
            const Zone z = switchZone(s.controls.montage, target);
            zones.push_back({qs(switchZoneName(s, target)),
                             QStringLiteral("Zone de l'interrupteur K sur le schéma"),
                             QRect(QPoint(z.left + 1, std::max(0, z.top + 1)),
                                   QPoint(z.right - 1, z.bottom - 1)),
                             QAccessible::Button, false,
                             [this, target] { pressSwitchZone(target); }});
        }
        return zones;
    };
    name(eraseButton_, QStringLiteral("Effacer"), QStringLiteral("Effacer le graphe"));
    name(readoutLabels_[0], QStringLiteral("Lecture du temps"), QString());
    name(readoutLabels_[1], QStringLiteral("Lecture de la valeur"), QString());
    name(helpPicture_, QStringLiteral("Information"), QStringLiteral("Icône de la ligne d'aide"));
    helpLine_->setAccessibleDescription(QStringLiteral("Ligne d'aide"));
    name(exerciseButton_, QStringLiteral("Exercices"),
         QStringLiteral("Ouvrir un énoncé, enregistrer le texte, obtenir la correction, "
                        "imprimer ou fermer."));
    name(openPath_, QStringLiteral("Fichier ouvert"),
         QStringLiteral("Le chemin de l'exercice ou du texte ouvert"));
    name(textArea_, QStringLiteral("Fenêtre exercice"),
         QStringLiteral("L'énoncé, la correction ou le texte ouvert"));
    name(enlargeButton_, QStringLiteral("Agrandir la fenêtre exercice"),
         QStringLiteral("Lire le texte de la fenêtre exercice en grand dans une fenêtre à part"));
    name(tabStrip_, QStringLiteral("Onglets"),
         QStringLiteral("Montage, Graphe, Enregistrement ; flèches gauche et droite pour "
                        "changer d'onglet"));
    name(parameterPanel_, QStringLiteral("Montage"),
         QStringLiteral("Choisir un montage dans la liste et modifier les caractéristiques des "
                        "dipôles"));
    name(parameterPanel_->montageList(), QStringLiteral("Montage utilisé"),
         QStringLiteral("Le circuit simulé"));
    for (int i = 0; i < kParameterCount; ++i) {
        name(parameterPanel_->box(i), qs(parameterBoxName(i)), qs(parameterBoxDescription(i)));
    }
    parameterPanel_->sustainedOption()->setAccessibleDescription(
        QStringLiteral("Un générateur compense les pertes de la bobine et du conducteur"));
    name(quantityPanel_, QStringLiteral("Graphe"),
         QStringLiteral("Choisir les grandeurs à représenter sur le graphique"));
    name(recordingPanel_, QStringLiteral("Enregistrement"),
         QStringLiteral("La durée de l'enregistrement, son déclenchement et le tableau de "
                        "valeurs"));
    recordingPanel_->triggerOption()->setAccessibleDescription(
        QStringLiteral("L'enregistrement commence quand K passe en position 2"));
    name(recordingPanel_->durationLabel(), QStringLiteral("Durée de l'enregistrement"), QString());
    recordingPanel_->durationCounter()->setAccessibleDescription(
        QStringLiteral("Flèches haut et bas pour changer la durée"));
    name(valueGrid(), QStringLiteral("Tableau de valeurs"),
         QStringLiteral("Les valeurs enregistrées ; flèches pour faire défiler"));
    describePictures();
}

// After each redraw: what the pictures now show, the swatches' quantities
// and the duration.
void MainWindow::describePictures() {
    const SimState& s = sim().state();
    schematicView_->setAccessibleDescription(qs(describeSchematic(s)));
    // The values a recording ended with, kept until the next one ends: the
    // table goes on with live values, which would be told at every tick.
    if (describedRecording_ && !s.run.enregEnCours) {
        recordedValues_ = qs(lastValues(s));
    }
    describedRecording_ = s.run.enregEnCours;
    QString graph = qs(describeGraph(s));
    if (!recordedValues_.isEmpty()) {
        graph += u' ' + recordedValues_;
    }
    if (readoutPoint_ && readoutLabels_[0]->isVisible()) {
        graph += QStringLiteral(" Lecture : %1, %2.")
                     .arg(readoutLabels_[0]->text().trimmed(), readoutLabels_[1]->text().trimmed());
    }
    graphView_->setAccessibleDescription(graph);
    for (int k = 0; k < kQuantityCount; ++k) {
        Swatch* swatch = quantityPanel_->swatch(k);
        const QString caption = quantityPanel_->check(k)->text();
        swatch->setAccessibleName(QStringLiteral("Couleur : ") + caption);
        swatch->setAccessibleDescription(
            QStringLiteral("Cliquer pour modifier la couleur de représentation"));
    }
    recordingPanel_->durationCounter()->setAccessibleName(
        QStringLiteral("Durée de l'enregistrement : ") + recordingPanel_->durationLabel()->text());
}

} // namespace ohmora
