#pragma once
// What the 3D export needs of a component's ".dat" file, checked on its text: VRML 2.0 text whose
// nodes nest properly, each colour slot's marker naming one material, and the picture placeholders
// of the faces the component lets the user print.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace halvern::testing {

struct DatExpectations {
    std::array<std::string, 6> markers{}; // the component's color_src values; empty slots are skipped
    bool recto = false;                   // "void.jpg" or "void_strat.jpg" must be there
    bool verso = false;                   // "void2.jpg" must be there
};

// Every problem found, each as a sentence; empty when the text is fit for the export.
std::vector<std::string> dat_problems(std::string_view text, const DatExpectations& expect);

// The names that follow every "void_" of the text up to the end of the name ("bois.jpg", "text").
std::vector<std::string> default_picture_names(std::string_view text);

} // namespace halvern::testing
