#pragma once
// `form_edit`, "Editeur d'objet": one component type of the component table in five tabs (base,
// quote, display, magnets, colour slots). "Ok" applies the entries and closes; "Sauver fichier"
// applies them and writes the component's definition file; "Voir" previews the component as the
// table holds it (so: as last applied); Cancel and the close box apply nothing.
//
// Controls carry the names of the form; a control of the magnet or colour-slot blocks is element
// k of its array and is named with "_k" after its name (`edit_pr4_1b_3` is the x of magnet 3).

#include <QDialog>

#include <array>
#include <filesystem>
#include <functional>

#include "base/ui_text.h"
#include "library/component_editor.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace halvern {

class Prompts;

class ObjectEditor : public QDialog {
    Q_OBJECT
public:
    // `changed`: the table changed, the plan and the palette must show it. `preview`: "Voir" on
    // that component number.
    ObjectEditor(ComponentTable& table, int component, std::filesystem::path app_dir, const UiText& texts,
                 Prompts& prompts, QWidget* parent = nullptr);

    void on_changed(std::function<void()> changed) { changed_ = std::move(changed); }
    void on_preview(std::function<void(int component)> preview) { preview_ = std::move(preview); }

    // The entries as they stand, and filling them.
    EditorFields fields() const;
    void fill(const EditorFields& fields);

    // `edit_ok_Click`, `edit_save_Click`, `edit_voir_Click`. Ok and save give false when they were
    // refused (the message was shown and the dialog stays open).
    bool edit_ok_Click();
    bool edit_save_Click();
    void edit_voir_Click();

    int component() const { return component_; }

private:
    QWidget* build_base();
    QWidget* build_quote();
    QWidget* build_display();
    QWidget* build_magnets();
    QWidget* build_slots();
    bool applied(const Result<int>& outcome);

    ComponentTable& table_;
    int component_;
    std::filesystem::path app_dir_;
    const UiText& texts_;
    Prompts& prompts_;
    std::function<void()> changed_;
    std::function<void(int)> preview_;

    QLineEdit *name_ = nullptr, *index_ = nullptr, *short_ = nullptr, *file_ = nullptr;
    QLineEdit *width_ = nullptr, *depth_ = nullptr, *height_ = nullptr, *pivot_x_ = nullptr, *pivot_y_ = nullptr;
    QComboBox *panel_ = nullptr, *auto_elevation_ = nullptr;
    QLineEdit *elevation_ = nullptr, *auteur_ = nullptr, *license_ = nullptr;
    QLineEdit *ref_ = nullptr, *ref_reseal_ = nullptr;
    QComboBox* shape_ = nullptr;
    QLineEdit* draw_ = nullptr;
    QComboBox *draw_open_ = nullptr, *draw_mirror_ = nullptr;
    QLineEdit* draw_color_ = nullptr;
    struct MagnetRow {
        QLineEdit *x = nullptr, *y = nullptr, *z = nullptr, *force = nullptr, *r = nullptr;
        QComboBox* contrainte = nullptr;
    };
    std::array<MagnetRow, editor_magnets> magnets_{};
    struct SlotRow {
        QLineEdit *src = nullptr, *name = nullptr, *lib = nullptr;
    };
    std::array<SlotRow, editor_colour_slots> slots_{};
};

// `form_edit`: the editor on component n until it is closed. Gives whether the table changed.
bool open_object_editor(ComponentTable& table, int component, const std::filesystem::path& app_dir,
                        const UiText& texts, Prompts& prompts, std::function<void()> changed,
                        std::function<void(int)> preview, QWidget* parent);

} // namespace halvern
