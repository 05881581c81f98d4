#pragma once
// Colour library files ("lib/color/*.lib"): the named colours the colour palette offers for an
// object's colour slots. A file is a stream of items separated by commas or line ends (a name,
// quoted or not, then eight numbers), read nine at a time into one record:
//     name, red, green, blue, transparency, shininess, specular red, specular green, specular blue
// Channels are 0..255, transparency and shininess 0..1.
//
// The reader lives with the component library rather than with the palette dialog because it is a
// plain file format of the installation folder: the dialog, the command line and the tests that
// check the shipped files all read it the same way, and none of them needs a window for it.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/colour_model.h"
#include "base/result.h"

namespace halvern {

// One loaded library, as parallel arrays indexed by record number (0 = first kept record).
struct ColourLibrary {
    std::vector<std::string> names; // UTF-8
    std::vector<Rgb> colours;
    std::vector<float> transparencies;
    std::vector<float> shininesses;
    std::vector<Rgb> speculars;
    // Records left out because an item was damaged, and other doubts, each naming the file and
    // line. A record that merely repeats the colour of the one before is left out silently: that
    // is the format's rule, not a fault.
    std::vector<Error> notes;

    int count() const { return int(names.size()); }
};

// Reads a library from its bytes (code page 1252). `file` only names the source in notes.
ColourLibrary parse_colour_library(std::string_view bytes, const std::filesystem::path& file);

// Reads a library file; fails only when the file itself cannot be read.
Result<ColourLibrary> load_colour_library(const std::filesystem::path& file);

// The number of records the palette would keep from a file, by the same rules.
Result<int> count_colour_library(const std::filesystem::path& file);

// The colour library files of a folder ("*.lib", any case), sorted by file name. A missing folder
// gives an empty list.
std::vector<std::filesystem::path> list_colour_libraries(const std::filesystem::path& folder);

// The finish a shininess stands for: "Mat" below 0.2, "Semi-mat" below 0.4, "Satin" below 0.6,
// "Brillant" from 0.6 up.
const char* finish_class(double shininess);

// The name a library is shown under: the file name without ".lib", "_" turned into " ".
std::string colour_library_display_name(const std::filesystem::path& file);

} // namespace halvern
