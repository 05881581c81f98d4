#pragma once
// A few failure messages begin or end with fixed French words that the windows showing them by
// design keep as they are ("erreur chargement", "erreur FreeImage :", "echec", "merde",
// "introuvable"). The command line and our own windows show a user of another language those
// words in English: the rest of their messages is English already.

#include <string>
#include <string_view>

#include "base/result.h"

namespace halvern {

// `message` with its fixed French words said in `lang`: unchanged for "fr".
std::string error_words_in(std::string message, std::string_view lang);
Error error_words_in(Error error, std::string_view lang);

} // namespace halvern
