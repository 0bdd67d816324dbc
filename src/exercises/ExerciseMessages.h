#pragma once
// The messages of the exercises (prompt, title), shown by the exercise
// browser and by the application layer's exercise actions.

#include <string_view>

namespace ohmora::exercises {

struct ExerciseMessage {
    std::string_view text;
    std::string_view title;
};
inline constexpr ExerciseMessage kLossQuestion{"Attention: perte des modifications du texte.",
                                               "Abandon des données?"};
inline constexpr ExerciseMessage kExerciseUnreadable{
    "Vérifier:\n- le nom du fichier,\n- l'état du lecteur.", "Lecture impossible"};
inline constexpr ExerciseMessage kGuideMissing{
    "Fichier introuvable. Revoir l'installation du logiciel.", "Erreur lors du chargement"};
inline constexpr ExerciseMessage kTextUnwritable{"Vérifier l'état du lecteur et le nom du fichier.",
                                                 "Erreur d'écriture."};
inline constexpr ExerciseMessage kTextUnreadable{"Vérifier l'état du lecteur et le nom du fichier.",
                                                 "Erreur de lecture."};

} // namespace ohmora::exercises
