#include "window/HelpTexts.h"

namespace ohmora {

std::string_view helpText(HelpRegion region) {
    switch (region) {
    case HelpRegion::Background:
        return kDefaultInfo;
    case HelpRegion::OpenButton:
        return "Pour retrouver une situation enregistrée";
    case HelpRegion::SaveButton:
        return "Pour conserver la configuration en cours";
    case HelpRegion::CopyButton:
        return kCopyButtonHint;
    case HelpRegion::PrintButton:
        return "Pour configurer l'imprimante et imprimer l'image";
    case HelpRegion::CalculatorButton:
        return "Machine à calculer";
    case HelpRegion::HelpButton:
        return "Si vous rencontrez une difficulté avec cette application";
    case HelpRegion::CloseButton:
        return "Pour retrouver le module principal et quitter cette application";
    case HelpRegion::EraseButton:
        return "Effacer le graphe";
    case HelpRegion::ExerciseButton:
        return "Ouvrir un énoncé, enregistrer le texte, obtenir la correction, imprimer ou "
               "fermer.";
    case HelpRegion::ParameterPanel:
        return "Choisir un montage dans la liste et modifier les caractéristiques des dipôles";
    case HelpRegion::QuantityPanel:
        return "Choisir les grandeurs à représenter sur le graphique et la durée de "
               "l'enregistrement";
    case HelpRegion::RecordingPanel:
        return "Pour modifier le montage : onglet Montage";
    case HelpRegion::Swatch:
        return "Cliquer pour modifier la couleur de représentation";
    }
    return kDefaultInfo;
}

std::string_view twoWaySwitchTooltip(int cibleK) {
    switch (cibleK) {
    case 1:
        return "Basculer K en position 1";
    case 2:
        return "Basculer K en position 2";
    default:
        return "Basculer K en position 0";
    }
}

std::string_view oneWaySwitchTooltip(int position) {
    switch (position) {
    case 0:
        return "Fermer l'interrupteur";
    case 1:
        return "Ouvrir l'interrupteur";
    default:
        return {};
    }
}

} // namespace ohmora
