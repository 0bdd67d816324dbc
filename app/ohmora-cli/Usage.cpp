#include "Usage.h"

#include "NewExerciseCommand.h"
#include "RunOptions.h"
#include "common/OptionLines.h"

namespace ohmora::cli {

std::string usageText() {
    std::string text = R"(Usage : ohmora-cli run [ACTION...] [SORTIE...]
        ohmora-cli calc EXPRESSION [--radians] [--scientific]
        ohmora-cli rtf FICHIER --text | --rewrite SORTIE.rtf
        ohmora-cli exercise FICHIER.E34
        ohmora-cli new-exercise DOSSIER/NOM.E34 --title TITRE --topics TEXTE
                   --difficulty N --statement FICHIER.rtf [--config FICHIER.P16]
                   [--correction FICHIER.rtf] [--correction-config FICHIER.P16]
                   [--force]
        ohmora-cli --help

run : le simulateur sans fenêtre. Les actions s'appliquent dans l'ordre donné,
par les gestionnaires de la fenêtre elle-même ; les sorties s'écrivent à la
fin, chacune entièrement ou pas du tout (« - » désigne la sortie standard).
)";
    for (const RunOption& option : runOptions()) {
        text += app::optionLines(option.name, option.value, option.help);
    }
    text += R"(
calc : évalue EXPRESSION comme la touche EXE de la calculatrice et affiche la
ligne de saisie qu'elle montre alors (angles en degrés, sauf avec --radians ;
affichage standard, sauf avec --scientific).

rtf : lit FICHIER comme la zone de texte des exercices, puis affiche son texte
brut (--text : UTF-8, paragraphes séparés par des sauts de ligne) ou le
réécrit en RTF (--rewrite).

exercise : ce que la fenêtre des exercices présente de FICHIER : « titre »,
« notions », « difficulte » (marques allumées, de 0 à 3) et « correction »,
chacune suivie d'une tabulation et de sa valeur.

new-exercise : écrit l'exercice NOM.E34 dans DOSSIER (qui doit exister) et ses
fichiers à côté de lui, comme « Créer un exercice… » du menu des exercices,
puis affiche les chemins écrits, le fichier d'exercice en dernier. Tout est
vérifié avant d'écrire (l'énoncé et le corrigé doivent être des textes RTF, les
configurations doivent s'ouvrir), et les fichiers sont tous écrits ou aucun.
Sans --force, rien n'est écrit quand l'un d'eux existe déjà.
)";
    for (const NewExerciseOption& option : newExerciseOptions()) {
        text += app::optionLines(option.name, option.value, option.help);
    }
    text += R"(
Les messages d'une action qui échoue vont sur la sortie d'erreur et l'exécution
continue. Code de sortie : 0 en cas de succès, 1 quand une action a échoué ou
qu'une sortie n'a pas pu être écrite, 2 pour une ligne de commande erronée
(rien n'est alors écrit).
)";
    return text;
}

} // namespace ohmora::cli
