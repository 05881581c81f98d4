#include "base/error_words.h"

#include <array>
#include <utility>

namespace halvern {

namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 5> leading_words{{
    {"erreur chargement", "cannot load"},
    {"erreur FreeImage :", "the picture library failed:"},
    {"echec", "failed"},
    {"merde", "the drawing failed"},
    {"Ladefehler", "cannot load"},
}};

constexpr std::string_view not_found_fr = " introuvable";

} // namespace

std::string error_words_in(std::string message, std::string_view lang)
{
    if (lang == "fr")
        return message;
    for (const auto& [french, english] : leading_words) {
        // The word alone, or followed by what it is about.
        if (message.rfind(french, 0) == 0
            && (message.size() == french.size() || message[french.size()] == ':' || message[french.size()] == ' '
                || french.back() == ':')) {
            message.replace(0, french.size(), english);
            break;
        }
    }
    if (message.size() > not_found_fr.size() && message.ends_with(not_found_fr))
        message.replace(message.size() - not_found_fr.size(), not_found_fr.size(), ": not found");
    return message;
}

Error error_words_in(Error error, std::string_view lang)
{
    error.message = error_words_in(std::move(error.message), lang);
    return error;
}

} // namespace halvern
