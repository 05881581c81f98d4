#pragma once
// The sheet's choices as a user makes them: the scale, the bill page and, for the files, the paper
// and its turn. The same panel is a tab of the print dialog (which chooses the paper itself) and
// the body of the export dialog.

#include <QDialog>
#include <QWidget>

#include <string>

#include "outputs/plan_sheet.h"
#include "platform/sheet_choice_texts.h"

class QCheckBox;
class QComboBox;

namespace halvern {

class SheetOptionsPanel : public QWidget {
    Q_OBJECT
public:
    SheetOptionsPanel(const SheetChoiceTexts& texts, const SheetOptions& options, bool with_paper,
                      QWidget* parent = nullptr);
    // The options as chosen, over `options`.
    void apply(SheetOptions& options) const;

private:
    QComboBox* scale_;
    QComboBox* paper_ = nullptr;
    QComboBox* turn_ = nullptr;
    QCheckBox* bill_;
};

// The export dialog: false when the user cancels (the options stay as they were).
bool ask_sheet_options(QWidget* parent, const SheetChoiceTexts& texts, SheetOptions& options);

} // namespace halvern
