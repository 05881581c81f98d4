// The fixed French words of a few failure messages, said in the interface language outside the
// windows that show them by design.

#include <gtest/gtest.h>

#include "base/error_words.h"

using namespace halvern;

TEST(ErrorWords, TheFixedFrenchWordsAreSaidInEnglishAndKeptInFrench)
{
    const std::pair<const char*, const char*> cases[] = {
        {"erreur chargement: the picture cannot be read", "cannot load: the picture cannot be read"},
        {"erreur chargement", "cannot load"},
        {"erreur FreeImage : cannot be written", "the picture library failed: cannot be written"},
        {"echec: the resolution must be at least 1 pixel per metre",
         "failed: the resolution must be at least 1 pixel per metre"},
        {"merde: the picture is too large", "the drawing failed: the picture is too large"},
        {"/opt/halvern/lib/nav02.dat introuvable", "/opt/halvern/lib/nav02.dat: not found"},
        {"echecs are a game", "echecs are a game"}, // a word that only begins like one
        {"introuvable", "introuvable"},
        {"the picture cannot be read", "the picture cannot be read"},
    };
    for (const auto& [french, english] : cases) {
        EXPECT_EQ(error_words_in(french, "en"), english);
        EXPECT_EQ(error_words_in(french, "de"), english); // any language but French reads English
        EXPECT_EQ(error_words_in(french, "fr"), french);
    }
    const Error error = error_words_in(make_error("echec: disk full", "/tmp/plan.jpg"), "en");
    EXPECT_EQ(error.text(), "/tmp/plan.jpg: failed: disk full");
}
