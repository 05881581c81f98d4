#pragma once
// The components that exist without any definition file: the modular display range of library 0
// (0..99, with 99 the group marker) and the profile pieces of library 23 (2300..2317).

#include <string_view>

#include "library/component_table.h"

namespace halvern {

// Writes the catalogue's values into the table, names in French for "fr" and in English for any
// other language. Fields the catalogue does not name are left as they are. Runs before the
// definition files are read, at start-up and on every language change.
void fill_builtin_catalogue(ComponentTable& table, std::string_view lang);

} // namespace halvern
