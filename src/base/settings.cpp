#include "base/settings.h"

#include "base/numbers.h"

namespace halvern {

Settings Settings::defaults(const std::filesystem::path& app_dir)
{
    Settings s;
    s.import_path = s.doc_path = s.export_path = app_dir.string();
    return s;
}

std::string SettingsStore::read_in_group(std::string_view group, std::string_view key)
{
    auto it = own_groups_.find(std::string(group) + "/" + std::string(key));
    return it == own_groups_.end() ? std::string() : it->second;
}

void SettingsStore::write_in_group(std::string_view group, std::string_view key, std::string_view value)
{
    if (group == "Current")
        return;
    own_groups_.insert_or_assign(std::string(group) + "/" + std::string(key), std::string(value));
}

bool views_open_in_program(SettingsStore& store)
{
    return store.read_in_group("View3D", "viewer") != "desktop";
}

void set_views_open_in_program(SettingsStore& store, bool in_program)
{
    store.write_in_group("View3D", "viewer", in_program ? "program" : "desktop");
}

bool carried_objects_follow(SettingsStore& store)
{
    return store.read_in_group("Editing", "move_carried") != "off";
}

void set_carried_objects_follow(SettingsStore& store, bool follow)
{
    store.write_in_group("Editing", "move_carried", follow ? "on" : "off");
}

std::string MemorySettingsStore::read(std::string_view key)
{
    auto it = values.find(key);
    return it == values.end() ? std::string() : it->second;
}

void MemorySettingsStore::write(std::string_view key, std::string_view value)
{
    values.insert_or_assign(std::string(key), std::string(value));
}

std::string MemorySettingsStore::read_in_group(std::string_view group, std::string_view key)
{
    return read(std::string(group) + "/" + std::string(key));
}

void MemorySettingsStore::write_in_group(std::string_view group, std::string_view key, std::string_view value)
{
    if (group == "Current")
        return; // the seven keys are written by name only
    write(std::string(group) + "/" + std::string(key), value);
}

namespace {

// Templates so that one lookup serves both the reader (mutable) and the writer (const).
template <class S>
auto text_field(S& s, std::string_view key) -> decltype(&s.lang)
{
    if (key == "Import_path")
        return &s.import_path;
    if (key == "doc_path")
        return &s.doc_path;
    if (key == "export_path")
        return &s.export_path;
    if (key == "lang")
        return &s.lang;
    return nullptr;
}

template <class S>
auto number_field(S& s, std::string_view key) -> decltype(&s.config_player)
{
    if (key == "config_player")
        return &s.config_player;
    if (key == "view_qualite")
        return &s.view_qualite;
    if (key == "view_qualite_tr")
        return &s.view_qualite_tr;
    return nullptr;
}

} // namespace

void read_settings(SettingsStore& store, Settings& settings)
{
    for (std::string_view key : settings_keys) {
        std::string text = store.read(key);
        if (text.empty())
            continue;
        if (std::string* field = text_field(settings, key))
            *field = text;
        else if (int* number = number_field(settings, key))
            *number = round_to_int(parse_number_comma(text));
    }
}

std::string settings_value(const Settings& settings, std::string_view key)
{
    if (const std::string* field = text_field(settings, key))
        return *field;
    if (const int* number = number_field(settings, key))
        return std::to_string(*number);
    return {};
}

Result<void> store_settings(SettingsStore& store, const Settings& settings)
{
    for (std::string_view key : settings_keys)
        store.write(key, key == "lang" && settings.stored_lang ? *settings.stored_lang : settings_value(settings, key));
    return store.flush();
}

} // namespace halvern
