#pragma once
// The settings store between runs: QSettings, organisation and application "Quilma Editor",
// group "Current" (on Linux "$XDG_CONFIG_HOME/Quilma Editor/Quilma Editor.conf").

#include <QSettings>

#include <memory>

#include "base/settings.h"

namespace halvern {

// Our settings file's format, for every QSettings that opens the file (the store, the recent
// designs, the print pack's remembered choices): one line per value, read line by line.
QSettings::Format settings_file_format();

class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    ~QtSettingsStore() override;

    std::string read(std::string_view key) override;
    void write(std::string_view key, std::string_view value) override;
    Result<void> flush() override;
    std::optional<Error> unreadable() const override { return unreadable_; }
    std::string read_in_group(std::string_view group, std::string_view key) override;
    void write_in_group(std::string_view group, std::string_view key, std::string_view value) override;

    std::filesystem::path file() const;

private:
    std::unique_ptr<QSettings> settings_;
    // Set when the file is no regular file of a sensible size: the store then keeps the values
    // in memory only, and never opens the file (a pipe would keep the program waiting).
    std::optional<Error> unreadable_;
    MemorySettingsStore memory_;
};

} // namespace halvern
