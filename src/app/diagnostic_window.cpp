#include "app/diagnostic_window.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <fstream>
#include <sstream>
#include <string>

#include "app/design_notifier.h"
#include "app/session.h"
#include "base/numbers.h"

namespace halvern {

std::optional<MemoryFigures> read_memory_figures()
{
    std::ifstream in("/proc/meminfo");
    if (!in)
        return std::nullopt;
    MemoryFigures figures;
    bool total = false, available = false;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string key;
        std::uint64_t value = 0;
        if (!(fields >> key >> value))
            continue;
        if (key == "MemTotal:")
            figures.total_kb = value, total = true;
        else if (key == "MemAvailable:")
            figures.free_kb = value, available = true;
    }
    if (!total || !available)
        return std::nullopt;
    return figures;
}

DiagnosticWindow::DiagnosticWindow(Session& session, DesignNotifier& notifier, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session)
{
    // A view change (each scroll step) leaves the table as it is; a hidden window catches up when shown.
    connect(&notifier, &DesignNotifier::changed, this, [this](Changes what) {
        if (isVisible() && (what.has(Change::objects) || what.has(Change::renumbered) || what.has(Change::library)))
            refresh();
    });
    setObjectName(QStringLiteral("Win_3"));
    setWindowTitle(QStringLiteral("Library"));
    memory_ = new QLabel(this);
    memory_->setObjectName(QStringLiteral("memory"));
    table_ = new QTableWidget(this);
    table_->setObjectName(QStringLiteral("objects"));
    table_->setColumnCount(6);
    table_->setHorizontalHeaderLabels({"IDX", "NOM", "GR", "L", "P", "H"});
    table_->verticalHeader()->setVisible(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(memory_);
    layout->addWidget(table_, 1);
    resize(420, 300);
}

void DiagnosticWindow::refresh()
{
    if (auto memory = read_memory_figures())
        memory_->setText(QStringLiteral("Memory: %1 KB / free %2 KB").arg(memory->total_kb).arg(memory->free_kb));
    else
        memory_->setText(QStringLiteral("Memory: ?"));

    const PlanTable& plan = session_.plan;
    table_->setRowCount(plan.nb_objets);
    auto cell = [this](int row, int column, const QString& text) {
        auto* item = table_->item(row, column);
        if (!item)
            table_->setItem(row, column, item = new QTableWidgetItem);
        item->setText(text);
    };
    for (int i = 1; i <= plan.nb_objets; ++i) {
        const int row = i - 1;
        const int c = plan.comp(i);
        QString name = plan.is_marked(i) ? QStringLiteral("DEL")
                       : ComponentTable::valid(c) ? QString::fromStdString(session_.components[c].name)
                                                  : QString::number(c);
        cell(row, 0, QString::number(i));
        cell(row, 1, name);
        cell(row, 2, QString::number(plan.obj_groupe[size_t(i)]));
        cell(row, 3, QString::fromStdString(format_number(plan.obj_largeur[size_t(i)])));
        cell(row, 4, QString::fromStdString(format_number(plan.obj_profondeur[size_t(i)])));
        cell(row, 5, QString::fromStdString(format_number(plan.obj_hauteur[size_t(i)])));
    }
}

void DiagnosticWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refresh();
}

void DiagnosticWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange)
        active_ = isActiveWindow();
    QWidget::changeEvent(event);
}


} // namespace halvern
