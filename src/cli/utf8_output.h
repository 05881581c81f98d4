#pragma once
// What the command line prints is valid UTF-8, whatever it prints: file names come from the file
// system as raw bytes (a name written in Latin-1 by another system is not UTF-8), and a terminal or
// a script reading our output must never get a broken sequence. Each byte that does not belong to
// a valid sequence becomes U+FFFD, the replacement character.

#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace halvern {

// `text` with every invalid byte replaced by U+FFFD.
std::string valid_utf8(std::string_view text);

// A text of the design (an object's text, a finding, a name) as one cell of a line of output: a
// tab or line break in it would add a column or a line, and an escape sequence would reach the
// terminal and act there (retitle it, hide what follows). Tabs and line breaks become a blank,
// every other control character (C0, DEL, C1) the replacement character.
std::string text_cell(std::string_view text);

// A stream buffer that passes what is written to `target`, made valid UTF-8 on the way. A sequence
// cut between two writes is held back until its end comes, or until finish().
class Utf8OnlyBuffer : public std::streambuf {
public:
    explicit Utf8OnlyBuffer(std::ostream& target) : target_(target) {}
    ~Utf8OnlyBuffer() override { finish(); }
    // Writes out whatever is held back (an unfinished sequence becomes replacement characters).
    void finish();

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

private:
    void pass(bool at_end);

    std::ostream& target_;
    std::string pending_;
};

} // namespace halvern
