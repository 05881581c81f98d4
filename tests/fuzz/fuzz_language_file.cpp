// An interface language file "lib/<code>.txt".
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/cp1252.h"
#include "base/text_file.h"
#include "base/ui_text.h"

using namespace halvern;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    UiText texts;
    texts.apply_lines(split_lines(cp1252_to_utf8(bytes)));
    for (int n = 0; n < UiText::count; ++n)
        (void)texts.get(n);
    return 0;
}
