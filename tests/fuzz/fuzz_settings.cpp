// The stored settings: each line "key=value" is one stored text, read as start-up reads them and
// printed back as the settings command does.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/settings.h"
#include "base/text_file.h"

using namespace halvern;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    MemorySettingsStore store;
    for (const auto& line : split_lines(bytes)) {
        size_t eq = line.find('=');
        if (eq != std::string::npos)
            store.write(line.substr(0, eq), line.substr(eq + 1));
    }
    Settings settings = Settings::defaults("/opt/halvern");
    read_settings(store, settings);
    for (std::string_view key : settings_keys)
        (void)settings_value(settings, key);
    return 0;
}
