#include "view3d/view_picture.h"

#include <QBuffer>
#include <QByteArray>

#include <cctype>

#include "base/numbers.h"
#include "base/text_file.h"

namespace halvern {

const char* view_picture_format(const std::filesystem::path& file)
{
    std::string extension = file.extension().string();
    for (char& c : extension)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".png" ? "PNG" : (extension == ".jpg" || extension == ".jpeg") ? "JPG" : nullptr;
}

Result<void> save_view_picture(const QImage& picture, const std::filesystem::path& file)
{
    const char* format = view_picture_format(file);
    if (!format)
        return make_error("a picture of the 3D view is saved as .png, .jpg or .jpeg", file);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, format, format[0] == 'J' ? 92 : -1))
        return make_error(std::string("the picture cannot be encoded as ") + format, file);
    return write_file_safely(file, std::string_view(bytes.constData(), size_t(bytes.size())));
}

std::optional<std::pair<int, int>> parse_picture_size(std::string_view text)
{
    const size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos)
        return std::nullopt;
    const std::optional<int> width = parse_strict_int(std::string(text.substr(0, x)), 1, 8192);
    const std::optional<int> height = parse_strict_int(std::string(text.substr(x + 1)), 1, 8192);
    if (!width || !height)
        return std::nullopt;
    return std::pair{*width, *height};
}

std::optional<StandardView> parse_standard_view(std::string_view text)
{
    if (text == "iso")
        return StandardView::iso;
    if (text == "front")
        return StandardView::front;
    if (text == "top")
        return StandardView::top;
    if (text == "left")
        return StandardView::left;
    if (text == "right")
        return StandardView::right;
    return std::nullopt;
}

} // namespace halvern
