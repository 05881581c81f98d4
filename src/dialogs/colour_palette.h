#pragma once
// `f_color`, the colour palette: browses the colour libraries of "lib/color", converts between
// RGB, CMYK and HSL (by typing or by dragging the nine bars), searches the library for the colour
// nearest to typed channels, opens the swatch chart, and previews the colour on a shaded ball.
// Opened for one colour slot of one object, its OK hands back the selected library record; opened
// without an object (object index 0) it only browses, and its OK hands back nothing.

#include <QDialog>
#include <QImage>

#include <filesystem>
#include <optional>

#include "base/ui_text.h"
#include "library/colour_library.h"
#include "plan/plan_table.h"

class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace halvern {

class ColourPalette : public QDialog {
    Q_OBJECT
public:
    // `current` is the slot's value (its colour and material fill the fields); `object` 0 means
    // no object.
    ColourPalette(const std::filesystem::path& colour_folder, const UiText& texts, int object, int slot,
                  const ColourSlot& current, QWidget* parent = nullptr);

    // After OK with a selected row: the record, as the slot takes it. Nothing otherwise.
    const std::optional<ColourSlot>& chosen() const { return chosen_; }
    // Set when OK closed the dialog (with or without a row).
    bool confirmed() const { return confirmed_; }

    void f_color_lib_ItemClick(QTreeWidgetItem* item);
    void f_color_list_ItemClick(QTreeWidgetItem* item);
    void f_color_list_ColumnClick(int column);
    void f_color_cherche_Click();
    void f_color_nuancier_Click();
    void f_color_ok_Click();
    void f_color_r_KeyUp();
    void f_color_ink_KeyUp();

    // The loaded library and its file.
    const ColourLibrary& library() const { return library_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void f_color_MouseDown(int x, int y);
    void f_color_MouseMove(int x);
    void f_color_MouseUp();
    void f_color_tex();

    void list_libraries();
    void load_library(const std::filesystem::path& file);
    int field_value(int bar) const;
    void set_field(int bar, int value);
    void inks_from_rgb();
    void rgb_from_inks();
    int selected_record() const;

    std::filesystem::path colour_folder_;
    const UiText& texts_;
    ColourLibrary library_;
    std::filesystem::path library_file_;
    int dragging_ = 0; // 0 none, 1..9 R V B C J M N T S
    bool confirmed_ = false;
    std::optional<ColourSlot> chosen_;

    QLineEdit* fields_[10] = {}; // 1..9
    QLabel* library_name_ = nullptr;
    QLabel* library_notes_ = nullptr; // what a damaged library left out, where the user sees it
    QLabel* precision_ = nullptr;
    QLabel* sample_ = nullptr;
    QTreeWidget* libraries_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QImage ball_;
    Qt::SortOrder sort_order_ = Qt::AscendingOrder;
    int sort_column_ = -1;
};

} // namespace halvern
