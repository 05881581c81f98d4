#include "base/settings_file.h"

#include <algorithm>
#include <cstdio>

#include "base/text_file.h"
#include "base/utf8.h"

namespace halvern {

namespace {

// Keys that groups of no name of their own are written under.
constexpr std::string_view general_group = "General";

int hex_value(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void append_code_point(std::string& out, unsigned long c)
{
    if (c == 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = 0xFFFD;
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// The settings are UTF-8; a byte of a file edited in another encoding becomes U+FFFD.
std::string valid_text(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const std::optional<char32_t> c = next_code_point(text, i);
        append_code_point(out, c ? (*c == 0 ? 0xFFFD : *c) : 0xFFFD);
    }
    return out;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// A key as the file writes it: "%XX" and "%UXXXX" for characters outside the plain ones, "\" for
// the "/" of a group within a group.
std::string decoded_key(std::string_view key)
{
    std::string out;
    for (size_t k = 0; k < key.size(); ++k) {
        const char c = key[k];
        if (c == '\\') {
            out += '/';
        } else if (c == '%' && k + 5 < key.size() && key[k + 1] == 'U' && hex_value(key[k + 2]) >= 0
                   && hex_value(key[k + 3]) >= 0 && hex_value(key[k + 4]) >= 0 && hex_value(key[k + 5]) >= 0) {
            unsigned long code = 0;
            for (size_t d = 2; d <= 5; ++d)
                code = code * 16 + unsigned(hex_value(key[k + d]));
            append_code_point(out, code);
            k += 5;
        } else if (c == '%' && k + 2 < key.size() && hex_value(key[k + 1]) >= 0 && hex_value(key[k + 2]) >= 0) {
            append_code_point(out, unsigned(hex_value(key[k + 1]) * 16 + hex_value(key[k + 2])));
            k += 2;
        } else {
            out += c;
        }
    }
    return out;
}

std::string encoded_key(std::string_view key)
{
    std::string out;
    for (size_t k = 0; k < key.size();) {
        const unsigned char c = static_cast<unsigned char>(key[k]);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-'
            || c == '.') {
            out += char(c);
            ++k;
            continue;
        }
        if (c == '/') {
            out += '\\';
            ++k;
            continue;
        }
        const char32_t code = next_code_point(key, k).value_or(0xFFFD);
        char buf[8];
        if (code < 0x100)
            std::snprintf(buf, sizeof buf, "%%%02X", unsigned(code));
        else
            std::snprintf(buf, sizeof buf, "%%U%04X", unsigned(code > 0xFFFF ? 0xFFFD : code));
        out += buf;
    }
    return out;
}

// One part of a value: the pieces in quotes taken as they are, the blanks around the rest dropped;
// backslash escapes read in both.
std::string decoded_part(std::string_view text)
{
    text = trimmed(text);
    std::string out;
    for (size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (c == '"')
            continue;
        if (c != '\\' || k + 1 == text.size()) {
            out += c;
            continue;
        }
        const char e = text[++k];
        switch (e) {
        case 'a': out += '\a'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'v': out += '\v'; break;
        case 'x': {
            unsigned long code = 0;
            size_t digits = 0;
            while (k + 1 < text.size() && hex_value(text[k + 1]) >= 0 && digits < 6) {
                code = code * 16 + unsigned(hex_value(text[++k]));
                ++digits;
            }
            if (digits == 0)
                out += 'x';
            else
                append_code_point(out, code);
            break;
        }
        default: out += e; break; // "\\", "\"", and anything else stands for itself
        }
    }
    // "@" opens a typed value; a text that begins with one is written with two.
    if (out.rfind("@@", 0) == 0)
        out.erase(0, 1);
    return valid_text(out);
}

std::vector<std::string> decoded_value(std::string_view text)
{
    if (trimmed(text) == "@Invalid()")
        return {};
    std::vector<std::string> parts;
    bool quoted = false;
    size_t start = 0;
    for (size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '\\')
            ++k;
        else if (text[k] == '"')
            quoted = !quoted;
        else if (text[k] == ',' && !quoted) {
            parts.push_back(decoded_part(text.substr(start, k - start)));
            start = k + 1;
        }
    }
    parts.push_back(decoded_part(text.substr(std::min(start, text.size()))));
    return parts;
}

std::string encoded_value(std::string_view value)
{
    std::string out;
    bool needs_quotes = !value.empty() && (value.front() == ' ' || value.back() == ' ');
    bool after_hex = false;
    if (!value.empty() && value.front() == '@')
        out += '@';
    for (const char c : value) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == ';' || c == ',' || c == '=')
            needs_quotes = true;
        if (after_hex && hex_value(c) >= 0) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%x", unsigned(u));
            out += buf;
            continue;
        }
        after_hex = false;
        switch (c) {
        case '\a': out += "\\a"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\v': out += "\\v"; break;
        case '"':
        case '\\': out += '\\'; out += c; break;
        default:
            if (u < 0x20 || u == 0x7F) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\x%x", unsigned(u));
                out += buf;
                after_hex = true;
            } else {
                out += c;
            }
        }
    }
    return needs_quotes ? '"' + out + '"' : out;
}

std::string encoded_parts(const std::vector<std::string>& parts)
{
    if (parts.empty())
        return "@Invalid()";
    std::string out;
    for (size_t k = 0; k < parts.size(); ++k)
        out += (k ? ", " : "") + encoded_value(parts[k]);
    return out;
}

} // namespace

SettingsFileRead parse_settings_file(std::string_view bytes)
{
    SettingsFileRead read;
    std::string group;
    int number = 0;
    for (const std::string& raw : split_lines(bytes)) {
        ++number;
        const std::string_view line = trimmed(raw);
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            const size_t end = line.find(']');
            if (end == std::string_view::npos) {
                read.damaged_lines.push_back(number);
                continue;
            }
            group = decoded_key(trimmed(line.substr(1, end - 1)));
            if (group == general_group)
                group.clear();
            continue;
        }
        const size_t eq = line.find('=');
        const std::string key = eq == std::string_view::npos ? std::string() : decoded_key(trimmed(line.substr(0, eq)));
        if (key.empty()) {
            read.damaged_lines.push_back(number);
            continue;
        }
        read.values[group.empty() ? key : group + '/' + key] = decoded_value(line.substr(eq + 1));
    }
    return read;
}

std::string format_settings_file(const SettingsText& values)
{
    std::map<std::string, std::vector<std::pair<std::string, std::vector<std::string>>>> groups;
    for (const auto& [path, value] : values) {
        const size_t slash = path.find('/');
        if (slash == std::string::npos || slash == 0)
            groups[std::string(general_group)].emplace_back(path, value);
        else
            groups[path.substr(0, slash)].emplace_back(path.substr(slash + 1), value);
    }
    std::string out;
    for (const auto& [group, entries] : groups) {
        if (!out.empty())
            out += '\n';
        out += '[' + encoded_key(group) + "]\n";
        for (const auto& [key, value] : entries)
            out += encoded_key(key) + '=' + encoded_parts(value) + '\n';
    }
    return out;
}

} // namespace halvern
