#pragma once
// The object editor's entries as plain text and list positions, without a window: filling them
// from a component's record, and applying them back. The dialog only moves these values between
// its controls and this record, so every rule of the editor can be tested headless.

#include <array>
#include <filesystem>
#include <string>

#include "base/result.h"
#include "library/component_table.h"
#include "library/library_folders.h"

namespace halvern {

inline constexpr int editor_magnets = magnet_slots; // magnets 0..10
inline constexpr int editor_colour_slots = 5;       // colour slots 0..4; slot 5 is kept as stored
inline constexpr int editor_shape_positions = 13;   // the "Forme" list

struct EditorMagnet {
    std::string x, y, z, force, r;
    int contrainte = 0; // list position; -1 keeps the stored value
};

struct EditorColourSlot {
    std::string src, name, lib;
};

// A list position of -1 means the stored value is none of the list's entries: applying keeps it.
struct EditorFields {
    // Base
    std::string name, index, short_name, file_name, width, depth, height, pivot_x, pivot_y;
    int panel = 0, auto_elevation = 0;
    std::string elevation, auteur, license;
    // Quote
    std::string ref, ref_reseal;
    // Display
    int shape = 0;
    std::string draw;
    int draw_open = 0, draw_mirror = 0;
    std::string draw_color;
    std::array<EditorMagnet, editor_magnets> magnets{};
    std::array<EditorColourSlot, editor_colour_slots> colours{};
};

// The "Forme" list position of a shape code (99 and 100 at 11 and 12), -1 for a code the list lacks;
// and back.
int shape_position(int shape);
int shape_of_position(int position);

// The entries of component n, which must be valid. An empty file name shows as "n.lib".
EditorFields editor_fields(const ComponentTable& table, int n);

// The file name component n shows in the editor: its own, or "n.lib" when it has none.
std::string shown_file_name(const Component& component, int n);

// "Index" as typed: a component number 0..5000, blanks around digits and nothing else (text that
// says no number would otherwise read as 0 and overwrite component 0).
Result<int> read_index(const std::string& text);

// Writes the entries into the component numbered by "Index" and returns that number. `opened` is
// the component the editor was opened on: when "Index" names another one, the record of `opened`
// is copied there first, so the copy keeps what the editor does not show. A copy into a free
// number keeps the library of the type it copies, and a file name still naming the opened
// component's file becomes "M.lib" so that saving the copy never replaces the original's file; a
// copy onto a number that is taken keeps that number's library and file, so that one number never
// has two files. A changed name replaces the name that was shown (English or French). Refused with
// a message, nothing changed: "Index" that is not a whole number 0..5000, a file name that is not a
// plain name, or one another component of the same library uses.
Result<int> apply_editor_fields(const EditorFields& fields, int opened, ComponentTable& table);

// The existing definition file of another component that saving these entries would replace: the
// file of the number "Index" names when that is not the opened one (in the installation, or in the
// user's folder that stands over it). Empty when the save replaces nobody else's file.
std::filesystem::path replaced_file(const EditorFields& fields, int opened, const ComponentTable& table,
                                    const LibraryFolders& folders);

// "Sauver fichier": applies, then writes the definition file of the component in "Index" into its
// library's folder (the user's overlay when the installation cannot be written; `written` gets the
// file). When the file cannot be written the record is put back as it was, so nothing changed
// anywhere; the error names the file.
Result<int> save_editor_fields(const EditorFields& fields, int opened, ComponentTable& table,
                               const LibraryFolders& folders, std::filesystem::path* written = nullptr);

} // namespace halvern
