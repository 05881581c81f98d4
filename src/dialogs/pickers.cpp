#include "dialogs/pickers.h"

#include <QCursor>
#include <QInputDialog>
#include <QMenu>

#include <algorithm>

#include "base/picture_file.h"
#include "base/ui_text_ids.h"
#include "geometry/height_lists.h"
#include "plan/face_proportion.h"
#include "plan/dialog_fields.h"
#include "base/numbers.h"
#include "platform/prompts.h"

namespace halvern {

int QtPickers::pop_up_list(const std::vector<std::string>& entries)
{
    QMenu menu(parent_);
    menu.setObjectName(QStringLiteral("pop_up_list"));
    for (size_t i = 0; i < entries.size(); ++i)
        menu.addAction(QString::fromStdString(entries[i]))->setData(int(i));
    QAction* chosen = menu.exec(QCursor::pos());
    return chosen ? chosen->data().toInt() : -1;
}

std::optional<std::string> QtPickers::input_box(const std::string& prompt, const std::string& initial)
{
    QInputDialog box(parent_);
    box.setObjectName(QStringLiteral("input_box"));
    box.setWindowTitle(QStringLiteral("Halvern Visual Design"));
    box.setLabelText(QString::fromStdString(prompt));
    box.setTextValue(QString::fromStdString(initial));
    // The box opens where the user is looking: at the pointer.
    box.adjustSize();
    box.move(QCursor::pos() - QPoint(box.width() / 2, box.height() / 2));
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.textValue().toStdString();
}

std::optional<int> pick_faces(Pickers& pickers, const UiText& texts)
{
    const int chosen = pickers.pop_up_list({texts.get(ui::faces_none), texts.get(ui::faces_recto),
                                            texts.get(ui::faces_verso), texts.get(ui::faces_both)});
    if (chosen < 0 || chosen > 3)
        return std::nullopt;
    return chosen;
}

std::optional<double> pick_height(Pickers& pickers, const std::vector<HeightChoice>& choices)
{
    std::vector<std::string> labels;
    for (const HeightChoice& c : choices)
        labels.push_back(c.label);
    const int chosen = pickers.pop_up_list(labels);
    if (chosen < 0 || size_t(chosen) >= choices.size())
        return std::nullopt;
    return choices[size_t(chosen)].height;
}

std::optional<float> ask_number(Pickers& pickers, const std::string& prompt, float current)
{
    std::optional<std::string> answer = pickers.input_box(prompt, format_number(current));
    if (!answer)
        return std::nullopt;
    return dialog_number(*answer);
}

std::optional<float> ask_elevation(Pickers& pickers, const UiText& texts, float current)
{
    return ask_number(pickers, texts.get(ui::elevation_prompt), current);
}

std::optional<std::filesystem::path> choose_face_picture(Prompts& prompts, const UiText& texts, Settings& settings,
                                                         std::optional<double> normal)
{
    return choose_face_picture(prompts, texts, settings, std::vector<std::optional<double>>{normal});
}

std::optional<std::filesystem::path> choose_face_picture(Prompts& prompts, const UiText& texts, Settings& settings,
                                                         const std::vector<std::optional<double>>& normals)
{
    std::optional<std::filesystem::path> file = prompts.choose_open(
        {texts.get(ui::picture_dialog_title), settings.import_path, "jpg", "Jpeg-Files|*.jpg;", {}});
    if (!file || file->empty())
        return std::nullopt;
    Result<PictureSize> size = read_picture_size(*file);
    if (!size) {
        prompts.warn("Halvern Visual Design", texts.get(ui::message_picture_unreadable) + " " + size.error().text());
        return std::nullopt;
    }
    const double proportion = double(size->height) / double(size->width);
    // Each normal proportion the picture is far from, once, as the warning shows it.
    std::vector<std::string> off;
    for (const std::optional<double>& normal : normals)
        if (proportion_off(proportion, normal)) {
            std::string text = proportion_text(*normal);
            if (std::find(off.begin(), off.end(), text) == off.end())
                off.push_back(std::move(text));
        }
    if (!off.empty()) {
        std::string list;
        for (const std::string& text : off)
            list += (list.empty() ? "" : ", ") + text;
        prompts.inform("Halvern Visual Design", texts.get(ui::proportion_warning) + "\n" +
                                                    texts.get(ui::proportion_normal) + " " + list + "\n" +
                                                    texts.get(ui::proportion_picture) + " " +
                                                    proportion_text(proportion));
    }
    settings.import_path = file->parent_path().string();
    return file;
}

} // namespace halvern
