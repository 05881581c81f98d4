#include "app/component_list_window.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/design_notifier.h"
#include "app/session.h"
#include "base/numbers.h"
#include "base/ui_text_ids.h"
#include "plan/plan_ends.h"

namespace halvern {

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

// Money to the cent; the list shows what a price list shows.
QString money(double value) { return q(format_number(round_half_away(value * 100) / 100)); }

// The list's widths were given in twips (15 to a pixel).
constexpr int twips = 15;

} // namespace

Bill design_bill(const Session& session) { return design_bill(session.plan, session.components); }

ComponentListWindow::ComponentListWindow(Session& session, DesignNotifier& notifier, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session)
{
    connect(&notifier, &DesignNotifier::changed, this, &ComponentListWindow::design_changed);
    setObjectName(QStringLiteral("Win_2"));
    lv1_ = new QTreeWidget(this);
    lv1_->setObjectName(QStringLiteral("LV1"));
    lv1_->setColumnCount(3);
    lv1_->setRootIsDecorated(false);
    lv1_->setColumnWidth(0, 1700 / twips);
    lv1_->setColumnWidth(1, 900 / twips);
    lv1_->setColumnWidth(2, 900 / twips);

    lv2_ = new QTreeWidget(this);
    lv2_->setObjectName(QStringLiteral("LV2"));
    lv2_->setColumnCount(2);
    lv2_->setRootIsDecorated(false);
    lv2_->setColumnWidth(0, 900 / twips * 2);
    lv2_->setColumnWidth(1, 900 / twips);
    lv2_->setFixedHeight(lv2_->fontMetrics().height() * 3 + 22);
    for (int row = 0; row < 2; ++row)
        lv2_->addTopLevelItem(new QTreeWidgetItem(lv2_));

    lv3_ = new QPushButton(this);
    lv3_->setObjectName(QStringLiteral("LV3"));
    connect(lv3_, &QPushButton::clicked, this, &ComponentListWindow::copy_to_clipboard);

    lv4_ = new QTreeWidget(this);
    lv4_->setObjectName(QStringLiteral("LV4"));
    lv4_->setColumnCount(3);
    lv4_->setRootIsDecorated(false);
    lv4_->setColumnWidth(0, 1700 / twips);
    lv4_->setColumnWidth(1, 900 / twips);
    lv4_->setColumnWidth(2, 900 / twips);
    quote_totals_ = new QLabel(this);
    quote_totals_->setObjectName(QStringLiteral("quote_totals"));
    quote_totals_->setWordWrap(true);
    export_csv_ = new QPushButton(this);
    export_csv_->setObjectName(QStringLiteral("list_export_csv"));
    connect(export_csv_, &QPushButton::clicked, this, &ComponentListWindow::export_csv_requested);
    export_xlsx_ = new QPushButton(this);
    export_xlsx_->setObjectName(QStringLiteral("list_export_xlsx"));
    connect(export_xlsx_, &QPushButton::clicked, this, &ComponentListWindow::export_xlsx_requested);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(lv1_, 2);
    layout->addWidget(lv2_);
    layout->addWidget(lv3_);
    layout->addWidget(lv4_, 1);
    layout->addWidget(quote_totals_);
    // One under the other: side by side they would widen the dock the library shares.
    layout->addWidget(export_csv_);
    layout->addWidget(export_xlsx_);
    resize(290, 480);
    retranslate();
}

void ComponentListWindow::design_changed(Changes what)
{
    if (what.has(Change::language))
        retranslate();
    else if (what.has(Change::objects) || what.has(Change::renumbered) || what.has(Change::library))
        refresh();
}

void ComponentListWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refresh();
}

void ComponentListWindow::retranslate()
{
    setWindowTitle(q(session_.text(ui::component_list_title)));
    lv1_->setHeaderLabels({q(session_.text(ui::list_column_component)), q(session_.text(ui::list_column_quantity)),
                           q(session_.text(ui::list_column_price))});
    lv2_->setHeaderLabels({q(session_.text(ui::list_totals_heading)), q(session_.text(ui::list_totals_value_heading))});
    lv2_->topLevelItem(0)->setText(0, q(session_.text(ui::list_total_price)));
    lv2_->topLevelItem(1)->setText(0, q(session_.text(ui::list_total_weight)));
    lv3_->setText(q(session_.text(ui::list_copy)));
    lv4_->setHeaderLabels({q(session_.text(ui::quote_other_components)), q(session_.text(ui::list_column_quantity)),
                           q(session_.text(ui::list_column_price))});
    export_csv_->setText(q(session_.text(ui::list_export_csv)));
    export_xlsx_->setText(q(session_.text(ui::list_export_xlsx)));
    refresh();
}

void ComponentListWindow::refresh()
{
    // A hidden list catches up when it is shown.
    if (!isVisible())
        return;
    quote_ = design_quote(session_.plan, session_.components);
    bill_ = quote_.bill;
    lv1_->clear();
    for (const BillRow& row : bill_.rows) {
        auto* item = new QTreeWidgetItem(lv1_);
        item->setText(0, q(row.name));
        item->setText(1, q(format_number(row.quantity)));
        item->setText(2, money(row.total_price));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    // The totals are kept as whole numbers.
    const double price = round_half_away(bill_.total_price);
    const double weight = round_half_away(bill_.total_weight_g);
    lv2_->topLevelItem(0)->setText(1, q(format_number(price)) + QStringLiteral("\u20AC"));
    lv2_->topLevelItem(1)->setText(1, q(format_number(weight / 1000)) + QStringLiteral("Kg"));

    lv4_->clear();
    for (const OtherRow& row : quote_.others) {
        auto* item = new QTreeWidgetItem(lv4_);
        item->setText(0, q(row.name));
        item->setText(1, QString::number(row.count));
        item->setText(2, money(row.total_price));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    auto amounts = [](double price, double grams) {
        return money(price) + QStringLiteral(" \u20AC, ") + q(format_number(round_half_away(grams) / 1000))
               + QStringLiteral(" Kg");
    };
    quote_totals_->setText(q(session_.text(ui::quote_other_components)) + QStringLiteral(": ")
                           + amounts(quote_.others_price, quote_.others_weight_g) + QStringLiteral("\n")
                           + q(session_.text(ui::quote_total)) + QStringLiteral(": ")
                           + amounts(quote_.total_price(), quote_.total_weight_g()));
}

void ComponentListWindow::copy_to_clipboard()
{
    bill_ = design_bill(session_);
    QGuiApplication::clipboard()->setText(q(bill_clipboard_text(bill_)));
    emit copied();
}

void ComponentListWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    emit closed();
}

} // namespace halvern
