#pragma once
// Window 2: the component list of the design. `LV1` has a row per component in use (name,
// quantity, total price), `LV2` the price and weight totals, and `LV3` copies the list to the
// clipboard as tab-separated text. It follows every edit of the plan. Below them, `LV4` lists the
// other components the designer placed (counters, screens, plants: one per object), with their
// total and the quote's overall total, and the quote can be exported as CSV.

#include <QWidget>

#include "outputs/quote.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace halvern {

struct Session;
class DesignNotifier;
class Changes;

// The list of the whole design, as the window shows it.
Bill design_bill(const Session& session);

class ComponentListWindow : public QWidget {
    Q_OBJECT
public:
    ComponentListWindow(Session& session, DesignNotifier& notifier, QWidget* parent = nullptr);

    // Counts the design again and refills the lists while the window is open.
    void refresh();
    // The title, the column headers and the button caption in the current language.
    void retranslate();
    // `LV3_Click`.
    void copy_to_clipboard();

    const Bill& bill() const { return bill_; }
    const Quote& quote() const { return quote_; }

signals:
    // The user asks for the quote as a CSV file.
    void export_csv_requested();
    // The user asks for the quote as a spreadsheet.
    void export_xlsx_requested();
    void closed();
    // The list is on the clipboard.
    void copied();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void design_changed(Changes what);

    Session& session_;
    Bill bill_;
    Quote quote_;
    QTreeWidget* lv1_;
    QTreeWidget* lv2_;
    QPushButton* lv3_;
    QTreeWidget* lv4_;
    QLabel* quote_totals_;
    QPushButton* export_csv_;
    QPushButton* export_xlsx_;
};

} // namespace halvern
