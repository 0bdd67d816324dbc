#include "files/SystemErrors.h"

#include <cerrno>
#include <cstring>

namespace ohmora::files {

std::string systemErrorText(int code) {
    switch (code) {
    case EACCES:
    case EPERM:
        return "permission refusée";
    case ENOENT:
        return "fichier ou dossier introuvable";
    case ENOTDIR:
        return "un élément du chemin n'est pas un dossier";
    case EISDIR:
        return "un dossier porte ce nom";
    case EROFS:
        return "le support est en lecture seule";
    case ENOSPC:
        return "le disque est plein";
    case EDQUOT:
        return "le quota du disque est atteint";
    case ENAMETOOLONG:
        return "le nom est trop long";
    case EIO:
        return "erreur d'entrée-sortie sur le support";
    case EINVAL:
        return "nom de fichier incorrect";
    case EMFILE:
    case ENFILE:
        return "trop de fichiers ouverts";
    default:
        return std::string("erreur du système (") + std::strerror(code) + ")";
    }
}

} // namespace ohmora::files
