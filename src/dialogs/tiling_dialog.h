#pragma once
// `form_tools_tiling`: cuts a picture into print strips whose widths follow the panels typed in
// its rows. The count box says how many rows count (1 to 16); "change" shows those rows, 20 pixels
// apart, and hides the others. Cut checks the count and every width before it asks for the picture,
// so nothing is cut from a mistyped row; it then cuts beside the picture, says how many strips were
// made, and closes. Cancel, Escape and the close box do nothing.
//
// The row captions are named `l_tools_tiling_1` .. `l_tools_tiling_16` and the value boxes
// `l_tools_tiling_value_1` .. `l_tools_tiling_value_16`; the count's caption is `l_tools_tiling`.

#include <QDialog>

#include <array>
#include <string>

#include "base/ui_text.h"
#include "outputs/strip_layout.h"

class QCloseEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace halvern {

class Prompts;

class TilingDialog : public QDialog {
    Q_OBJECT
public:
    // `import_folder`: where the picture chooser opens; `selected`: the objects selected on the
    // plan, which the strips' names carry.
    TilingDialog(const UiText& texts, std::string import_folder, int selected, Prompts& prompts,
                 QWidget* parent = nullptr);

    // `tools_tiling_change_Click`.
    void tools_tiling_change_Click();
    // `tools_tiling_ok_Click`.
    void tools_tiling_ok_Click();

    // While the strips are cut, Escape and the close box wait for the cut to end: the window is
    // still drawn between strips, and the dialog must not close under the cut that reports to it.
    void reject() override;

    int rows_shown() const { return rows_shown_; }
    // Strips written by the last cut.
    int strips_made() const { return strips_made_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void show_rows(int count);

    const UiText& texts_;
    std::string import_folder_;
    int selected_;
    Prompts& prompts_;
    QLineEdit* count_;
    QPushButton* change_;
    QPushButton* ok_;
    QPushButton* cancel_;
    std::array<QLabel*, strips_max> captions_{};
    std::array<QLineEdit*, strips_max> values_{};
    int rows_shown_ = 0;
    int strips_made_ = 0;
    bool cutting_ = false;
};

// `open_tiling_dialog`: the dialog with the rows of the default count, until it is closed.
void open_tiling_dialog(const UiText& texts, const std::string& import_folder, int selected, Prompts& prompts,
                        QWidget* parent);

} // namespace halvern
