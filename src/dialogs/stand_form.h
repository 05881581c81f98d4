#pragma once
// `projet`: the stand's width and depth, the client and the project title, the twelve switches of
// the walls, open frames and header bands, and the floor texture. OK writes them into the stand
// settings when the size is one a stand can have; Cancel and the close box change nothing.

#include <QDialog>

#include <array>
#include <filesystem>

#include "base/ui_text.h"
#include "plan/stand_settings.h"
#include "project/stand_walls.h"

class QCheckBox;
class QLineEdit;

namespace halvern {

class Prompts;

class StandForm : public QDialog {
    Q_OBJECT
public:
    StandForm(StandSettings& stand, const UiText& texts, const std::filesystem::path& app_dir, Prompts& prompts,
              QWidget* parent = nullptr);

    void projet_change_Click();
    void projetok_Click();

    // The switch of a row (walls, open frames, header bands) and a side (left, right, back, front).
    QCheckBox* wall_box(int row, int side) const { return walls_[size_t(row * wall_sides + side)]; }

private:
    void projet_Load();

    StandSettings& stand_;
    const UiText& texts_;
    std::filesystem::path app_dir_;
    Prompts& prompts_;
    QLineEdit* width_;
    QLineEdit* depth_;
    QLineEdit* client_;
    QLineEdit* title_;
    QLineEdit* floor_;
    std::array<QCheckBox*, wall_rows * wall_sides> walls_{};
};

} // namespace halvern
