#include "library/library_loader.h"

#include <algorithm>
#include <string>
#include <system_error>

#include "base/cp1252.h"
#include "base/numbers.h"
#include "base/strings.h"
#include "base/text_file.h"
#include "library/builtin_catalogue.h"
#include "library/definition_file.h"
#include "library/library_index.h"
#include "library/price_table.h"

namespace halvern {

namespace fs = std::filesystem;

namespace {

void read_index(const fs::path& file, LibraryTable& libraries, std::vector<Error>& notes)
{
    if (nothing_at(file))
        return; // a bare installation: library 0 and the catalogue are still there
    auto bytes = read_file_bytes(file, small_file_bytes_max);
    if (!bytes) {
        notes.push_back(make_error(bytes.error().message + "; no library folder is read", file));
        return;
    }
    IndexRead index = parse_library_index(cp1252_to_utf8(*bytes), file);
    for (const IndexRecord& r : index.records) {
        libraries.order[size_t(r.position)] = r.number;
        libraries.name[size_t(r.number)] = r.name;
        libraries.library_count = std::max(libraries.library_count, r.number);
    }
    notes.insert(notes.end(), index.notes.begin(), index.notes.end());
}

struct FolderListing {
    std::vector<std::string> definition_files; // sorted by name
    std::vector<std::string> stems_with_3d;    // sorted
};

// The listing's order is the file system's own; sorting makes a reload give the same result on
// every machine when two files share a component number.
FolderListing list_folder(const fs::path& folder, std::vector<Error>& notes)
{
    FolderListing listing;
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        return listing;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const fs::path& p = it->path();
        const std::string extension = p.extension().string();
        // Any kind of entry named as a definition file is listed: reading one that is a folder,
        // a pipe or a broken link gives the note that says why it was skipped.
        if (equals_ignore_case(extension, ".lib"))
            listing.definition_files.push_back(p.filename().string());
        else if (equals_ignore_case(extension, ".dat") && !nothing_at(p))
            listing.stems_with_3d.push_back(p.stem().string());
    }
    if (ec)
        notes.push_back(make_error("the folder cannot be listed (" + ec.message() + "); its files are not all read",
                                   folder));
    std::sort(listing.definition_files.begin(), listing.definition_files.end());
    std::sort(listing.stems_with_3d.begin(), listing.stems_with_3d.end());
    return listing;
}

// Reads the definition files of one folder and gives its listing. `also_3d`: the installed folder
// an overlay folder stands over, whose 3D companions count for the definitions saved over its own.
FolderListing read_folder(const fs::path& folder, int library, std::string_view lang, ComponentTable& components,
                          LoadProgress* progress, std::vector<Error>& notes, const FolderListing* also_3d = nullptr)
{
    FolderListing listing = list_folder(folder, notes);
    auto has_3d = [](const FolderListing& l, std::string_view stem) {
        return std::binary_search(l.stems_with_3d.begin(), l.stems_with_3d.end(), stem);
    };
    for (const std::string& name : listing.definition_files) {
        const fs::path file = folder / name;
        auto bytes = read_file_bytes(file, small_file_bytes_max);
        if (!bytes) {
            notes.push_back(make_error(bytes.error().message + "; skipped", file));
            continue;
        }
        auto number = parse_definition(*bytes, components, lang, file);
        if (!number) {
            notes.push_back(number.error());
            continue;
        }
        Component& c = components[*number];
        const std::string_view stem = std::string_view(name).substr(0, name.size() - 4); // without ".lib"
        c.has_3d = has_3d(listing, stem) || (also_3d && has_3d(*also_3d, stem));
        c.library = library;
        c.file_name = name;
        if (progress)
            progress->component(c.name);
    }
    return listing;
}

} // namespace

std::vector<Error> load_library(const fs::path& app_dir, std::string_view lang, ComponentTable& components,
                                LibraryTable& libraries, LoadProgress* progress, const fs::path& user_dir)
{
    std::vector<Error> notes;
    const fs::path extlib = app_dir / "extlib";

    libraries = LibraryTable{};
    libraries.name[0] = "VEK";
    read_index(extlib / "lib.index", libraries, notes);
    libraries.current_library = libraries.order[0];
    // The position is where the shown library stands in the strip, so that the arrows step to
    // its neighbours.
    libraries.current_position = 0;

    for (int n = 0; n <= 99; ++n)
        components[n].has_3d = true;

    if (progress)
        progress->begin(1, libraries.library_count);
    for (int i = 1; i <= libraries.library_count; ++i) {
        if (progress)
            progress->library(i, libraries.name[size_t(i)]);
        const FolderListing installed = read_folder(extlib / std::to_string(i), i, lang, components, progress, notes);
        if (!user_dir.empty() && user_dir != app_dir)
            read_folder(user_dir / "extlib" / std::to_string(i), i, lang, components, progress, notes, &installed);
    }

    std::vector<fs::path> price_tables{installed_price_table(app_dir)};
    if (!user_dir.empty() && user_dir != app_dir)
        price_tables.push_back(overlay_price_table(user_dir));
    for (const fs::path& table : price_tables) {
        auto prices = read_price_table(table, components, PriceTableSource::installed);
        if (prices)
            notes.insert(notes.end(), prices->begin(), prices->end());
        else
            notes.push_back(make_error(prices.error().message + "; prices, weights and bag sizes not read",
                                       prices.error().file, prices.error().line));
    }

    normalize_magnet_directions(components);
    return notes;
}

std::vector<Error> load_component_tables(const fs::path& app_dir, std::string_view lang, ComponentTable& components,
                                         LibraryTable& libraries, LoadProgress* progress, const fs::path& user_dir)
{
    fill_builtin_catalogue(components, lang);
    return load_library(app_dir, lang, components, libraries, progress, user_dir);
}

void library_step(LibraryTable& libraries, int direction)
{
    const int last = library_count_max - 1;
    int position = std::clamp(libraries.current_position, 0, last);
    if (direction < 0) {
        position = std::max(0, position - 1);
        libraries.current_position = position;
        libraries.current_library = std::max(0, libraries.order[size_t(position)]);
    } else if (direction > 0) {
        const int next = position + 1;
        // Library 0 stands for "nothing here": the strip ends at the last position the index filled.
        if (next <= last && libraries.order[size_t(next)] != 0)
            position = next;
        libraries.current_position = position;
        libraries.current_library = std::max(0, libraries.order[size_t(position)]);
    }
}

void normalize_magnet_directions(ComponentTable& components)
{
    for (int n = 1; n <= max_component; ++n)
        for (float& r : components[n].magnet_r) {
            if (r >= 0.0f && r < 360.0f)
                continue; // most directions already are
            float normal = float(normalize_degrees(double(r)));
            r = normal >= 360.0f ? 0.0f : normal; // 359.99999999 rounds up to 360 in single precision
        }
}

} // namespace halvern
