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
    // Set when this run's language was given on the command line (`lang` is that one): the
    // language the store keeps, which every write of the settings writes back instead.
    std::optional<std::string> stored_lang;

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

    // Our own settings beyond the seven keys live in groups of their own ("View3D"), never in
    // "Current"; `flush` makes them durable too. A store without a file keeps them in memory.
    virtual std::string read_in_group(std::string_view group, std::string_view key);
    virtual void write_in_group(std::string_view group, std::string_view key, std::string_view value);

private:
    std::map<std::string, std::string, std::less<>> own_groups_;
};

// A store kept in memory, for tests and for runs that must not touch the user's configuration.
class MemorySettingsStore : public SettingsStore {
public:
    std::string read(std::string_view key) override;
    void write(std::string_view key, std::string_view value) override;
    Result<void> flush() override { return {}; }
    // Kept as "group/key" beside the section's keys.
    std::string read_in_group(std::string_view group, std::string_view key) override;
    void write_in_group(std::string_view group, std::string_view key, std::string_view value) override;

    std::map<std::string, std::string, std::less<>> values;
};

// Where the 3D views open: the program's own 3D window (the default) or the desktop's program for
// ".wrl"; kept in the "View3D" group.
bool views_open_in_program(SettingsStore& store);
void set_views_open_in_program(SettingsStore& store, bool in_program);

// "Move carried objects with their carrier" (on unless the user turned it off); kept in the
// "Editing" group.
bool carried_objects_follow(SettingsStore& store);
void set_carried_objects_follow(SettingsStore& store, bool follow);

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
