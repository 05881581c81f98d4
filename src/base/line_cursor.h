#pragma once
// Walks the lines of a text in place, with the same rules as split_lines (CR LF or LF, a last line
// without its end, no extra empty line after a final line end), for readers that go through many
// files and should not copy every line.

#include <string_view>

namespace halvern {

class LineCursor {
public:
    explicit LineCursor(std::string_view text) : text_(text) {}

    // The next line without its line end; false at the end of the text.
    bool next(std::string_view& line)
    {
        if (pos_ >= text_.size())
            return false;
        size_t end = text_.find('\n', pos_);
        size_t after = end == std::string_view::npos ? text_.size() : end + 1;
        if (end == std::string_view::npos)
            end = text_.size();
        size_t stop = end;
        if (stop > pos_ && text_[stop - 1] == '\r')
            --stop;
        line = text_.substr(pos_, stop - pos_);
        pos_ = after;
        ++line_number_;
        return true;
    }

    // 1-based number of the line last returned by next (0 before the first).
    int line_number() const { return line_number_; }

private:
    std::string_view text_;
    size_t pos_ = 0;
    int line_number_ = 0;
};

} // namespace halvern
