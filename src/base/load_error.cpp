#include "base/load_error.h"

namespace halvern {

std::string load_error_text(LoadError code, std::string_view lang)
{
    const bool fr = lang == "fr";
    switch (code) {
    case LoadError::missing_component:
        return fr ? "Vous essayez de lire un fichier qui n'existe pas dans votre biblioth\xC3\xA8qe, l'objet sera effac\xC3\xA9"
                  : "You try to read a file,but you don't have the 3D file";
    case LoadError::unreadable_file:
        return fr ? "Fichier illisible" : "Unreadable file";
    case LoadError::file_not_found:
        return fr ? "Fichier introuvable" : "file not found";
    case LoadError::not_enough_memory:
        return fr ? "Pas assez de m\xC3\xA9moire" : "Not enough memory";
    }
    return {};
}

} // namespace halvern
