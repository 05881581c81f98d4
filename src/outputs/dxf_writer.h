#pragma once
// The drawing exchange library writes through its ASCII writer class, which opens a file of its
// own by name. This writer takes its place and keeps the text in memory instead, so that the file
// is written in one piece through our safe writer and tests read it back from a buffer. Numbers
// are written with "." whatever the process's locale, values never hold a line break, and lines
// end with CR LF like every file we write.

#include <string>

#include <dxflib/dl_writer_ascii.h>

namespace halvern {

class DxfTextWriter : public DL_WriterA {
public:
    DxfTextWriter();

    void dxfReal(int gc, double value) const override;
    void dxfInt(int gc, int value) const override;
    void dxfHex(int gc, int value) const override;
    void dxfString(int gc, const char* value) const override;
    void dxfString(int gc, const std::string& value) const override;

    const std::string& text() const { return text_; }

private:
    void code(int gc) const;
    mutable std::string text_;
};

} // namespace halvern
