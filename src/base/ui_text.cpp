#include "base/ui_text.h"

#include <cmath>

#include "base/numbers.h"
#include "base/strings.h"
#include "base/text_file.h"

namespace halvern {

UiText::UiText()
{
    for (int n = 0; n < count; ++n)
        entries_[n] = placeholder(n);
}

std::string UiText::placeholder(int n) { return "[" + std::to_string(n) + "]"; }

bool is_plain_language_code(std::string_view lang)
{
    if (lang.empty() || lang.size() > 16)
        return false;
    for (char c : lang) {
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-'
                  || c == '_';
        if (!ok)
            return false;
    }
    return true;
}

std::filesystem::path UiText::file_of(const std::filesystem::path& app_dir, std::string_view lang)
{
    return app_dir / "lib" / (std::string(lang) + ".txt");
}

bool UiText::load(const std::filesystem::path& app_dir, std::string_view lang)
{
    *this = UiText();
    std::array<bool, count> given{};
    bool found = false;
    const std::filesystem::path file = file_of(app_dir, is_plain_language_code(lang) ? lang : "?");
    if (is_plain_language_code(lang)) {
        auto lines = read_lines(file, small_file_bytes_max);
        if (lines) {
            given = apply_lines(*lines);
            found = true;
        } else if (lang != "en") {
            notes_.push_back(lines.error());
        } else {
            // English is its own fallback: reading the same file again could only fail again.
            notes_.push_back(make_error(lines.error().message + "; interface texts missing from it show as their "
                                            "numbers",
                                        file));
            return false;
        }
    } else {
        notes_.push_back(make_error("is not a language code", std::string(lang)));
    }
    if (lang == "en")
        return true;

    const auto english_file = file_of(app_dir, "en");
    auto english_lines = read_lines(english_file, small_file_bytes_max);
    if (!english_lines) {
        notes_.push_back(make_error(english_lines.error().message + "; interface texts missing from "
                                        + file.filename().string() + " show as their numbers",
                                    english_file));
        return found;
    }
    UiText english;
    const std::array<bool, count> in_english = english.apply_lines(*english_lines);
    int taken = 0;
    for (size_t n = 0; n < size_t(count); ++n)
        if (!given[n] && in_english[n]) {
            entries_[n] = english.entries_[n];
            ++taken;
        }
    if (found && taken > 0)
        notes_.push_back(make_error("lacks " + std::to_string(taken) + " interface text"
                                        + (taken == 1 ? "" : "s") + ", shown in English",
                                    file));
    else if (!found && !notes_.empty())
        notes_.back().message += "; the interface is shown in English";
    return found;
}

std::array<bool, UiText::count> UiText::apply_lines(const std::vector<std::string>& lines)
{
    std::array<bool, count> given{};
    for (const auto& line : lines) {
        size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        double number = parse_number(trim(std::string_view(line).substr(0, eq)));
        if (number != std::floor(number) || number < 0 || number >= count)
            continue; // no such entry: never written past the table
        entries_[size_t(number)] = trimmed(std::string_view(line).substr(eq + 1));
        given[size_t(number)] = true;
    }
    return given;
}

std::string UiText::get(int n) const
{
    return n >= 0 && n < count ? entries_[size_t(n)] : placeholder(n);
}

void UiText::set(int n, std::string text)
{
    if (n >= 0 && n < count)
        entries_[size_t(n)] = std::move(text);
}

} // namespace halvern
