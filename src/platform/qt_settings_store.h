#pragma once
// The settings store between runs: QSettings, organisation and application "Quilma Editor",
// group "Current" (on Linux "$XDG_CONFIG_HOME/Quilma Editor/Quilma Editor.conf").

#include <memory>

#include "base/settings.h"

class QSettings;

namespace halvern {

class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    ~QtSettingsStore() override;

    std::string read(std::string_view key) override;
    void write(std::string_view key, std::string_view value) override;
    Result<void> flush() override;

    std::filesystem::path file() const;

private:
    std::unique_ptr<QSettings> settings_;
};

} // namespace halvern
