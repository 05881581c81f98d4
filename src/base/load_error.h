#pragma once
// The four numbered file errors, in the interface language.

#include <string>
#include <string_view>

namespace halvern {

enum class LoadError {
    missing_component = 1, // an object whose component is not in the library is dropped
    unreadable_file = 2,
    file_not_found = 3,
    not_enough_memory = 4,
};

// French for "fr", English for every other code (a user whose stored language has no messages
// still learns what went wrong).
std::string load_error_text(LoadError code, std::string_view lang);

} // namespace halvern
