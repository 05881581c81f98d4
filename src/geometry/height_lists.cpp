#include "geometry/height_lists.h"

#include <cmath>

namespace halvern {

std::vector<HeightChoice> frame_height_choices(std::string_view module_word, const ComponentTable& components)
{
    const std::string m(module_word);
    auto name = [&](int n) { return components[n].name; };
    auto times = [&](int n, int count) {
        std::string text = name(n);
        for (int i = 1; i < count; ++i)
            text += " + " + name(n);
        return text;
    };
    return {
        {"25.5cm - 1 " + m + " - " + name(8), 25.5},
        {"37.9cm - 1 " + m + " - " + name(7), 37.9},
        {"72.1cm 1 " + m + " - " + name(5), 72.1},
        {"100cm - 1 " + m + " - " + name(4), 100},
        {"116 cm - 1 " + m + " - " + name(3), 116},
        {"150.3cm - 2 " + m + " - " + name(3) + " + " + name(7), 150.3},
        {"197cm - 2 " + m + " - " + times(4, 2), 197},
        {"228cm - 2 " + m + " - " + times(3, 2), 228},
        {"250cm - 3 " + m + " - " + times(3, 2) + " + " + name(8), 250},
        {"262cm - 3 " + m + " - " + times(3, 2) + " + " + name(7), 262},
        {"340cm - 3 " + m + " - " + times(3, 3), 340},
        {"452cm - 4 " + m + " - " + times(3, 4), 452},
        {"564cm - 5 " + m + " - " + times(3, 5), 564},
        {"245.5cm - 2 " + m + " - " + times(9, 2), 245.5},
    };
}

std::vector<HeightChoice> module_height_choices(std::string_view module_word)
{
    const std::string m(module_word);
    return {
        {"55cm - 1 " + m + " - 1 x 55cm", 55},
        {"75cm - 1 " + m + " - 1 x 75cm", 75},
        {"85cm - 1 " + m + " - 1 x 85cm", 85},
        {"130cm - 2 " + m + " - 1 x 75cm + 1 x 55cm", 130},
        {"150cm - 2 " + m + " - 1 x 75cm + 1 x 75 cm", 150},
        {"160cm - 2 " + m + " - 1 x 75cm + 1 x 85 cm", 160},
        {"205cm - 3 " + m + " - 2 x 75cm + 1 x 55cm", 205},
        {"225cm - 3 " + m + " - 3 x 75cm", 225},
        {"245cm - 3 " + m + " - 1 x 75cm + 2 x 85cm", 245},
        {"300cm - 4 " + m + " - 4 x 75cm", 300},
        {"375cm - 5 " + m + " - 5 x 75cm", 375},
    };
}

std::string choice_list_text(const std::vector<HeightChoice>& choices)
{
    std::string text;
    for (size_t i = 0; i < choices.size(); ++i) {
        if (i > 0)
            text += '|';
        text += choices[i].label;
    }
    return text;
}

double chosen_height(const std::vector<HeightChoice>& choices, int position, double current)
{
    if (position < 0 || size_t(position) >= choices.size())
        return current;
    return choices[size_t(position)].height;
}

} // namespace halvern

namespace halvern {

double next_height(const std::vector<HeightChoice>& choices, double current)
{
    if (choices.empty())
        return current;
    // Heights come back from single-precision fields: 37.9 is stored as 37.900002.
    constexpr double same = 0.005;
    for (size_t i = 0; i < choices.size(); ++i)
        if (std::abs(choices[i].height - current) < same)
            return choices[(i + 1) % choices.size()].height;
    double best = choices.front().height;
    bool found = false;
    for (const HeightChoice& c : choices)
        if (c.height > current && (!found || c.height < best)) {
            best = c.height;
            found = true;
        }
    return best;
}

} // namespace halvern
