#pragma once
// `form_tex`: a picker for the textures shipped under "lib/tex/", one list of families and one of
// their pictures with a preview. "Choose" writes the picture's full path into the one field it was
// opened for (the stand form's floor, or the object dialog's recto picture) and nowhere else.

#include <QDialog>

#include <filesystem>

#include "base/ui_text.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace halvern {

enum class TextureTarget { sol, recto };

class TextureForm : public QDialog {
    Q_OBJECT
public:
    TextureForm(const std::filesystem::path& app_dir, const UiText& texts, TextureTarget target, QLineEdit& field,
                QWidget* parent = nullptr);

    void tex_type_Click();
    void tex_file_Click();
    void tex_choisir_Click();

private:
    void show_preview(const std::filesystem::path& file);
    std::filesystem::path chosen_path() const;

    std::filesystem::path app_dir_;
    QLineEdit& field_;
    QListWidget* families_;
    QListWidget* files_;
    QLabel* preview_;
};

} // namespace halvern
