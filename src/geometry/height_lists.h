#pragma once
// The two lists of standard heights the height pickers offer: frame stacks named after the
// built-in frames, and modular-frame stacks. Each entry is a label and the height it gives.

#include <string>
#include <string_view>
#include <vector>

#include "library/component_table.h"

namespace halvern {

struct HeightChoice {
    std::string label;
    double height = 0; // cm
};

// `module_word` is interface text 71 (the word for a module); frame names are those of the
// built-in components 3, 4, 5, 7, 8 and 9 in the current language.
std::vector<HeightChoice> frame_height_choices(std::string_view module_word, const ComponentTable& components);
std::vector<HeightChoice> module_height_choices(std::string_view module_word);

// The labels joined with "|", the form a pop-up list takes.
std::string choice_list_text(const std::vector<HeightChoice>& choices);

// The height at a chosen position; a dismissed list (-1) or a position outside the list keeps
// the current height.
double chosen_height(const std::vector<HeightChoice>& choices, int position, double current);

} // namespace halvern

namespace halvern {

// The entry after the current height in list order, the first again after the last. A height
// that is not in the list steps to the lowest listed height above it (the first entry when none
// is higher).
double next_height(const std::vector<HeightChoice>& choices, double current);

} // namespace halvern
