#pragma once
// Filling the component and library tables from the installation folder: the index, every
// numbered library folder up to the highest number the index names, then the price table.

#include <filesystem>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "library/component_table.h"

namespace halvern {

// What a splash window shows while the library loads. Every call is optional to handle.
class LoadProgress {
public:
    virtual ~LoadProgress() = default;
    // The progress bar's range: 1 to the library count (which can be 0 when no index is found).
    virtual void begin(int minimum, int maximum) { (void)minimum, (void)maximum; }
    // Library `number` is being read; `name` is empty for a folder the index does not name.
    virtual void library(int number, std::string_view name) { (void)number, (void)name; }
    // The component just read.
    virtual void component(std::string_view name) { (void)name; }
};

// Reads the index into `libraries` (starting over: library 0 is "VEK" unless the index names it),
// then the definition files of folders 1..library count in file-name order, then the price table,
// and finally brings the magnet directions of components 1..5000 into [0, 360). The component
// table is not cleared: a reload refreshes every field a file sets and keeps the others.
// A missing index or price table is not an error; whatever could not be used (an unreadable file,
// a component or library number outside its table) is skipped and comes back as a note.
// With a `user_dir`, each library folder is followed by the same folder of the user's overlay
// (`user_dir`/extlib/N), so a definition saved there wins over the installed one, and the user's
// price table is read after the installed one.
std::vector<Error> load_library(const std::filesystem::path& app_dir, std::string_view lang,
                                ComponentTable& components, LibraryTable& libraries,
                                LoadProgress* progress = nullptr, const std::filesystem::path& user_dir = {});

// What start-up and a language change do: the built-in catalogue in `lang`, then load_library.
std::vector<Error> load_component_tables(const std::filesystem::path& app_dir, std::string_view lang,
                                         ComponentTable& components, LibraryTable& libraries,
                                         LoadProgress* progress = nullptr,
                                         const std::filesystem::path& user_dir = {});

// The library strip's arrows: -1 steps left (never below position 0), +1 steps right and stops
// at the last position the index filled.
void library_step(LibraryTable& libraries, int direction);

// r becomes (r + 3600) modulo 360 for every magnet of components 1..5000, landing in [0, 360)
// for any value.
void normalize_magnet_directions(ComponentTable& components);

} // namespace halvern
