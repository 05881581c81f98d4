#pragma once
// The component definition file (".lib"): six header lines (number, shape code, name, width,
// depth, height) and then "key=value" lines. One reader and one writer; both work on text so that
// tests can feed them memory, and the file functions wrap them.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "library/component_table.h"

namespace halvern {

// Reads one definition file's bytes (code page 1252) into its component's record and returns the
// component number. Keys fill fields one by one over what the record already holds, so a second
// file for the same number overwrites only what it mentions. "name_en=" is kept in `name_en` and is
// the shown name only when `lang` is "en"; the name line is kept in `name_fr`.
// A file whose first line is not a component number 0..5000, or that ends inside its header,
// changes nothing; the error names `file` and the line. Does not touch library, file_name, has_3d.
Result<int> parse_definition(std::string_view bytes, ComponentTable& table, std::string_view lang,
                             const std::filesystem::path& file);

// Reads a ".lib" file and sets has_3d of its component from its ".dat" companion.
Result<int> read_definition_file(const std::filesystem::path& file, ComponentTable& table,
                                 std::string_view lang);

// Whether the 3D companion (same name, extension ".dat" in any case) of `file` exists.
bool companion_3d_exists(const std::filesystem::path& file);

// The lines the writer writes for component n: the header, then the keys in their order.
// Numeric key values are rounded to 2 decimals; line breaks inside texts are dropped. The name line
// is the French name; "magnet_only_lib_k=" (where set) and "name_en=" (when known) come last.
std::vector<std::string> definition_lines(const Component& component, int n);

// The folder of root/extlib that component n's definition file belongs in (its library's), after
// the writer's checks (number, library, a plain file name). A component of library 0 is first
// given the library n / 100 (in the table).
Result<std::filesystem::path> definition_folder(const std::filesystem::path& root, ComponentTable& table, int n);

// Writes the definition file of component n into its library folder under app_dir/extlib,
// replacing any existing file as one step. A component of library 0 is first given the library
// n / 100 (in the table). The folder must exist: the writer never creates one.
Result<void> write_definition_file(const std::filesystem::path& app_dir, ComponentTable& table, int n);

} // namespace halvern
