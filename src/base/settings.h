#pragma once
// The seven values that survive from one run to the next, and the rules for reading and storing
// them through a settings store (the real one lives in platform/).

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"

namespace halvern {

struct Settings {
    std::string import_path;  // "Import_path": start folder of Import and the picture choosers
    std::string doc_path;     // "doc_path": start folder of Load, Save as, price tables, picture saves
    std::string export_path;  // "export_path": folder of the last 3D export
    std::string lang = "en";  // "lang"
    int config_player = 0;    // 0 = Octaga Player, 1 = Cortona Player/Bs contact
    int view_qualite = 1;     // smooth drawing of full redraws
    int view_qualite_tr = 0;  // smooth drawing while dragging or turning

    // The values before any stored setting is read: the three folders are the installation folder.
    static Settings defaults(const std::filesystem::path& app_dir);
};

// Where settings live between runs. Values are text.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text of `key` in the "Current" section, or "" when the key is absent.
    virtual std::string read(std::string_view key) = 0;
    virtual void write(std::string_view key, std::string_view value) = 0;
    // Makes the writes durable; reports a store that cannot be written.
    virtual Result<void> flush() = 0;
    // Why the stored values could not be read (the store's file is a pipe, a folder, too large),
    // or nothing: the program then starts from the defaults.
    virtual std::optional<Error> unreadable() const { return std::nullopt; }
};

// A store kept in memory, for tests and for runs that must not touch the user's configuration.
class MemorySettingsStore : public SettingsStore {
public:
    std::string read(std::string_view key) override;
    void write(std::string_view key, std::string_view value) override;
    Result<void> flush() override { return {}; }

    std::map<std::string, std::string, std::less<>> values;
};

// The key names, in the order they are read and written.
inline constexpr std::string_view settings_keys[7] = {
    "Import_path", "doc_path", "export_path", "lang", "config_player", "view_qualite", "view_qualite_tr",
};

// Every key in order; an empty stored value leaves the program value as it is. Text keys take the
// text; number keys its numeric value after "," becomes "." ("1,0" reads as 1; no number gives 0).
void read_settings(SettingsStore& store, Settings& settings);

// Writes all seven keys in order, numbers as their decimal text.
Result<void> store_settings(SettingsStore& store, const Settings& settings);

// The stored text of one key as the program holds it, for display ("config_player" -> "1").
std::string settings_value(const Settings& settings, std::string_view key);

} // namespace halvern
