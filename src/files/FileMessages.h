#pragma once
// The messages of the file operations, each a prompt and a title. The
// windows show them in a message box; ohmora-cli prints the prompt.

#include <string_view>

namespace ohmora::files {

struct FileMessage {
    std::string_view text;
    std::string_view title;
    friend constexpr bool operator==(const FileMessage&, const FileMessage&) = default;
};

// Configuration files (error icon, OK).
inline constexpr FileMessage kNotConfiguration{"Ce fichier ne correspond pas à cette application",
                                               "Fichier non valide"};
inline constexpr FileMessage kConfigurationUnreadable{"Lecture impossible sur disque",
                                                      "Erreur lors du chargement du fichier"};
inline constexpr FileMessage kConfigurationUnwritable{"Ecriture impossible sur disque",
                                                      "Enregistrement impossible"};

// The save and open dialogs.
inline constexpr FileMessage kNoFileName{"Il faut donner un nom au fichier!",
                                         "Enregistrement impossible"}; // error, OK
inline constexpr FileMessage kOverwrite{"Ecraser le fichier existant?",
                                        "Ce fichier existe déjà!"}; // exclamation, Yes/No
inline constexpr FileMessage kNoSuchFile{"Nom de fichier incorrect ou chemin non valide",
                                         "impossible d'ouvrir ce fichier"}; // error, OK

} // namespace ohmora::files
