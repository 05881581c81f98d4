#include "app/component_list_window.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
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

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(lv1_, 1);
    layout->addWidget(lv2_);
    layout->addWidget(lv3_);
    resize(290, 330);
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
    refresh();
}

void ComponentListWindow::refresh()
{
    // A hidden list catches up when it is shown.
    if (!isVisible())
        return;
    bill_ = design_bill(session_);
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
