// The stored settings: the settings file read line by line as the store reads it, its "Current"
// values read as start-up reads them and printed back as the settings command does, and the file
// written again and read back.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/settings.h"
#include "base/settings_file.h"

using namespace halvern;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const SettingsFileRead read = parse_settings_file(bytes);
    MemorySettingsStore store;
    for (const auto& [key, parts] : read.values) {
        if (key.rfind("Current/", 0) != 0)
            continue;
        std::string joined;
        for (size_t k = 0; k < parts.size(); ++k)
            joined += (k ? "," : "") + parts[k];
        store.write(std::string_view(key).substr(8), joined);
    }
    Settings settings = Settings::defaults("/opt/halvern");
    read_settings(store, settings);
    for (std::string_view key : settings_keys)
        (void)settings_value(settings, key);
    // What we write we read back as it was.
    if (parse_settings_file(format_settings_file(read.values)).values.size() > read.values.size())
        __builtin_trap();
    return 0;
}
