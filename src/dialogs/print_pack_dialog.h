#pragma once
// The print pack's choices before it is written: the folder, the resolution, the bleed and the
// printer's roll width. They are remembered for the next pack in the settings group "PrintPack"
// (the folder only as a suggestion: each design gets its own). OK refuses a number out of range,
// naming the limit, and keeps the dialog open.
//
// Controls: `pack_folder`, `pack_folder_change`, `pack_dpi`, `pack_bleed`, `pack_roll`, `pack_ok`.

#include <QDialog>

#include <filesystem>

#include "base/ui_text.h"
#include "outputs/print_pack.h"

class QLineEdit;

namespace halvern {

class Prompts;

class PrintPackDialog : public QDialog {
    Q_OBJECT
public:
    PrintPackDialog(const UiText& texts, const std::filesystem::path& folder, Prompts& prompts,
                    QWidget* parent = nullptr);

    // Valid once the dialog was accepted.
    const PrintPackSettings& settings() const { return settings_; }
    std::filesystem::path folder() const;

    void pack_ok_Click();

private:
    Prompts& prompts_;
    const UiText& texts_;
    QLineEdit* folder_;
    QLineEdit* dpi_;
    QLineEdit* bleed_;
    QLineEdit* roll_;
    PrintPackSettings settings_;
};

} // namespace halvern
