#include "library/library_index.h"

#include "library/component_table.h"
#include "library/whole_number.h"

namespace halvern {

namespace {

enum class FieldEnd { comma, line_end, end_of_text };

class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    bool at_end() const { return pos_ >= text_.size(); }
    int line() const { return line_; }

    // Passes over lines holding nothing but blanks.
    void skip_blank_lines()
    {
        while (!at_end()) {
            size_t p = pos_;
            while (p < text_.size() && (text_[p] == ' ' || text_[p] == '\t' || text_[p] == '\r'))
                ++p;
            if (p < text_.size() && text_[p] != '\n')
                return;
            pos_ = p < text_.size() ? p + 1 : p;
            if (p < text_.size())
                ++line_;
        }
    }

    // A number field: up to a comma or the line end, which is consumed.
    std::string_view field(FieldEnd& ended)
    {
        size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && text_[pos_] != '\n')
            ++pos_;
        std::string_view f = text_.substr(start, pos_ - start);
        if (pos_ >= text_.size()) {
            ended = FieldEnd::end_of_text;
        } else if (text_[pos_] == ',') {
            ended = FieldEnd::comma;
            ++pos_;
        } else {
            ended = FieldEnd::line_end;
            ++pos_;
            ++line_;
        }
        if (!f.empty() && f.back() == '\r')
            f.remove_suffix(1);
        return f;
    }

    std::string_view rest_of_line()
    {
        size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != '\n')
            ++pos_;
        std::string_view rest = text_.substr(start, pos_ - start);
        if (pos_ < text_.size()) {
            ++pos_;
            ++line_;
        }
        if (!rest.empty() && rest.back() == '\r')
            rest.remove_suffix(1);
        return rest;
    }

private:
    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;
};

} // namespace

IndexRead parse_library_index(std::string_view text, const std::filesystem::path& file)
{
    IndexRead read;
    Scanner scan(text);
    const std::string range = "a whole number from 0 to " + std::to_string(library_count_max - 1);
    while (true) {
        scan.skip_blank_lines();
        if (scan.at_end())
            break;
        const int line = scan.line();
        FieldEnd first_end, second_end;
        std::string_view number_text = scan.field(first_end);
        if (first_end == FieldEnd::end_of_text) {
            read.notes.push_back(make_error("the index ends inside a record; record skipped", file, line));
            break;
        }
        std::string_view position_text = scan.field(second_end);
        std::string_view name;
        if (second_end != FieldEnd::end_of_text)
            name = scan.rest_of_line();

        auto number = whole_number_in(number_text, 0, library_count_max - 1);
        auto position = whole_number_in(position_text, 0, library_count_max - 1);
        if (!number) {
            read.notes.push_back(make_error("library number '" + std::string(number_text) + "' is not " + range
                                                + "; record skipped",
                                            file, line));
            continue;
        }
        if (!position) {
            read.notes.push_back(make_error("position '" + std::string(position_text) + "' of library "
                                                + std::to_string(*number) + " is not " + range + "; record skipped",
                                            file, line));
            continue;
        }
        read.records.push_back({*number, *position, std::string(name), line});
    }
    return read;
}

} // namespace halvern
