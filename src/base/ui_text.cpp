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
    if (!is_plain_language_code(lang))
        return false;
    auto lines = read_lines(file_of(app_dir, lang));
    if (!lines)
        return false;
    apply_lines(*lines);
    return true;
}

void UiText::apply_lines(const std::vector<std::string>& lines)
{
    for (const auto& line : lines) {
        size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        double number = parse_number(trim(std::string_view(line).substr(0, eq)));
        if (number != std::floor(number) || number < 0 || number >= count)
            continue; // no such entry: never written past the table
        entries_[size_t(number)] = trimmed(std::string_view(line).substr(eq + 1));
    }
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
