#include "outputs/dxf_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace halvern {

// The base class is given no file name, so it opens nothing; only our overrides write.
DxfTextWriter::DxfTextWriter() : DL_WriterA("", DL_VERSION_2000) {}

void DxfTextWriter::code(int gc) const
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%3d\r\n", gc);
    text_ += buffer;
}

void DxfTextWriter::dxfReal(int gc, double value) const
{
    code(gc);
    if (!std::isfinite(value))
        value = 0; // callers check their ranges; this only keeps the file readable
    // Fixed notation to the micrometre of a millimetre drawing, trailing zeros cut.
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    std::string number = error == std::errc() ? std::string(buffer, end) : std::string("0.0");
    while (number.size() > 1 && number.back() == '0' && number[number.size() - 2] != '.')
        number.pop_back();
    if (number == "-0.0")
        number = "0.0";
    text_ += number + "\r\n";
}

void DxfTextWriter::dxfInt(int gc, int value) const
{
    code(gc);
    text_ += std::to_string(value) + "\r\n";
}

void DxfTextWriter::dxfHex(int gc, int value) const
{
    code(gc);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%X", unsigned(value));
    text_ += std::string(buffer) + "\r\n";
}

void DxfTextWriter::dxfString(int gc, const char* value) const { dxfString(gc, std::string(value ? value : "")); }

void DxfTextWriter::dxfString(int gc, const std::string& value) const
{
    code(gc);
    for (char c : value)
        text_ += (c == '\r' || c == '\n' || c == '\0') ? ' ' : c;
    text_ += "\r\n";
}

} // namespace halvern
