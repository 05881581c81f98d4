#pragma once
// The small pickers that set one value of an object: a pop-up list at the pointer (faces, the two
// height lists), an input box (elevation, a height), and the choice of a face's picture file with
// the check of its proportion. The windows ask through `Pickers`, so that tests answer for the user.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/settings.h"
#include "base/ui_text.h"
#include "geometry/height_lists.h"
#include "library/component_table.h"

class QWidget;

namespace halvern {

class Prompts;

class Pickers {
public:
    virtual ~Pickers() = default;
    // A list shown at the pointer: the chosen position, -1 when it is dismissed.
    virtual int pop_up_list(const std::vector<std::string>& entries) = 0;
    // A one-line box with a prompt: the answer, none when it is cancelled.
    virtual std::optional<std::string> input_box(const std::string& prompt, const std::string& initial) = 0;
};

// The pickers as the user sees them: a menu at the pointer and Qt's input dialog.
class QtPickers : public Pickers {
public:
    explicit QtPickers(QWidget* parent) : parent_(parent) {}
    int pop_up_list(const std::vector<std::string>& entries) override;
    std::optional<std::string> input_box(const std::string& prompt, const std::string& initial) override;

private:
    QWidget* parent_;
};

// 0 none, 1 recto, 2 verso, 3 both; none when the list is dismissed.
std::optional<int> pick_faces(Pickers& pickers, const UiText& texts);

// The height of the chosen entry of a list (the frame list or the modular-frame list), none when it
// is dismissed.
std::optional<double> pick_height(Pickers& pickers, const std::vector<HeightChoice>& choices);

// A number typed in a box that shows `current` (the elevation, or the height of an object outside
// both lists); none when the box is cancelled, 0 for an answer without a number.
std::optional<float> ask_number(Pickers& pickers, const std::string& prompt, float current);
std::optional<float> ask_elevation(Pickers& pickers, const UiText& texts, float current);

// A picture for a face: the file chooser in the import folder, the picture loaded, and a warning
// (the picture is still taken) when its height over width is far from `normal`. Gives the chosen
// file, none when the chooser was cancelled or the picture cannot be loaded (the user is told).
// The import folder becomes the picture's folder.
std::optional<std::filesystem::path> choose_face_picture(Prompts& prompts, const UiText& texts, Settings& settings,
                                                         std::optional<double> normal);

// The same for a picture that goes on several faces: the user is told of every normal proportion,
// among those of the faces, that the picture is far from.
std::optional<std::filesystem::path> choose_face_picture(Prompts& prompts, const UiText& texts, Settings& settings,
                                                         const std::vector<std::optional<double>>& normals);

} // namespace halvern
