#include "project/colour_slot_line.h"

#include <cmath>

#include "base/numbers.h"
#include "base/strings.h"
#include "project/plain_decimal.h"

namespace halvern {

std::string format_colour_slot(const ColourSlot& slot)
{
    const Rgb c = slot.couleur, s = slot.speculaire;
    std::string line;
    for (int v : {int(c.r), int(c.g), int(c.b), int(s.r), int(s.g), int(s.b)})
        line += std::to_string(v) + ' ';
    return line + format_number(slot.brillance) + ' ' + format_number(slot.transparence);
}

std::optional<ColourSlot> parse_colour_slot(std::string_view line, std::string& problem)
{
    problem.clear();
    line = trim(line);
    if (line.empty())
        return std::nullopt;
    double v[8];
    int count = 0;
    size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
            ++pos;
        if (pos >= line.size())
            break;
        size_t end = pos;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t')
            ++end;
        const std::optional<double> number = parse_plain_decimal(line.substr(pos, end - pos));
        if (!number || !std::isfinite(*number) || count == 8) {
            problem = "a colour slot is eight numbers \"R G B SR SG SB shininess transparency\"";
            return std::nullopt;
        }
        v[count++] = *number;
        pos = end;
    }
    if (count != 8) {
        problem = "a colour slot is eight numbers \"R G B SR SG SB shininess transparency\", not "
                  + std::to_string(count);
        return std::nullopt;
    }
    for (int k = 0; k < 8; ++k) {
        const double high = k < 6 ? 255 : 1;
        if (v[k] < 0 || v[k] > high || (k < 6 && v[k] != std::floor(v[k]))) {
            problem = "a colour slot value is outside its range (channels 0..255, shininess and transparency 0..1)";
            return std::nullopt;
        }
    }
    auto byte = [](double x) { return std::uint8_t(x); };
    ColourSlot slot;
    slot.couleur = {byte(v[0]), byte(v[1]), byte(v[2])};
    slot.speculaire = {byte(v[3]), byte(v[4]), byte(v[5])};
    slot.brillance = float(v[6]);
    slot.transparence = float(v[7]);
    slot.given = true;
    return slot;
}

} // namespace halvern
