#include "platform/pdf_file.h"

#include <algorithm>
#include <fstream>
#include <string>

#include "base/file_replacement.h"

namespace halvern {

bool pdf_is_complete(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in.seekg(0, std::ios::end))
        return false;
    const std::streamoff size = in.tellg();
    const std::streamoff tail = std::min<std::streamoff>(size, 64);
    std::string end(size_t(tail), '\0');
    in.seekg(size - tail);
    if (!in.read(end.data(), tail))
        return false;
    return end.find("%%EOF") != std::string::npos;
}

Result<void> write_pdf_safely(const std::filesystem::path& file, const std::function<Result<void>(const QString&)>& draw)
{
    auto replacement = FileReplacement::begin(file);
    if (!replacement)
        return replacement.error();
    replacement->close_descriptor(); // the writer opens it by name
    Result<void> drawn = draw(QString::fromStdString(replacement->temporary().string()));
    if (!drawn)
        return make_error(drawn.error().message, file);
    if (!pdf_is_complete(replacement->temporary()))
        return make_error("the PDF file cannot be written completely (is the disk full?)", file);
    return replacement->commit();
}

} // namespace halvern
