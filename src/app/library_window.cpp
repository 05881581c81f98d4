#include "app/library_window.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QToolTip>
#include <QVBoxLayout>

#include "app/design_notifier.h"
#include "app/session.h"
#include "base/ui_text_ids.h"
#include "geometry/component_drawing.h"
#include "geometry/component_preview.h"
#include "platform/qt_canvas.h"

namespace halvern {

namespace {

constexpr int cell_height = library_cell + library_cell_text;
constexpr int cell_margin = 4; // pixels kept free around each picture

} // namespace

std::vector<int> library_components(const Session& session, int library)
{
    std::vector<int> list;
    if (!LibraryTable::valid(library))
        return list;
    for (int k = 0; k < 100; ++k) {
        const int n = 100 * library + k;
        if (!ComponentTable::valid(n))
            break;
        const Component& c = session.components[n];
        if (!c.is_free() && c.hidden == 0)
            list.push_back(n);
    }
    return list;
}

std::vector<int> library_positions(const Session& session)
{
    std::vector<int> positions{0};
    for (int p = 1; p < library_count_max; ++p)
        if (session.libraries.order[size_t(p)] != 0)
            positions.push_back(p);
    return positions;
}

LibraryGrid::LibraryGrid(Session& session, QWidget* parent) : QWidget(parent), session_(session)
{
    setObjectName(QStringLiteral("lib_grid"));
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

void LibraryGrid::refresh()
{
    components_ = library_components(session_, session_.libraries.current_library);
    hovered_ = -1;
    updateGeometry();
    update();
}

int LibraryGrid::columns() const { return std::max(1, width() / library_cell); }

int LibraryGrid::heightForWidth(int width) const
{
    const int columns = std::max(1, width / library_cell);
    const int rows = (int(components_.size()) + columns - 1) / columns;
    return std::max(1, rows) * cell_height;
}

QSize LibraryGrid::sizeHint() const { return {3 * library_cell, heightForWidth(3 * library_cell)}; }

int LibraryGrid::component_at(QPoint point) const
{
    if (point.x() < 0 || point.y() < 0)
        return -1;
    const int column = point.x() / library_cell;
    if (column >= columns())
        return -1;
    const size_t index = size_t(point.y() / cell_height * columns() + column);
    return index < components_.size() ? components_[index] : -1;
}

void LibraryGrid::show_preview(int component)
{
    preview_ = ComponentTable::valid(component) ? component : -1;
    hovered_ = -1;
    update();
}

void LibraryGrid::paint_preview()
{
    // The part of the grid the scroll area shows, so the preview sits in the middle of the window.
    const QRect area = visibleRegion().boundingRect().isEmpty() ? rect() : visibleRegion().boundingRect();
    QtCanvas canvas(*this);
    canvas.set_smooth(true);
    const int inner_w = std::max(1, area.width() - 2 * cell_margin), inner_h = std::max(1, area.height() - 2 * cell_margin);
    // Its own view: the plan's zoom is never touched, so nothing has to be put back.
    ComponentPreview preview = fit_preview(session_.components, preview_, inner_w, inner_h);
    preview.look.x += (area.left() + cell_margin) / preview.view.zoom;
    preview.look.y += (area.top() + cell_margin) / preview.view.zoom;
    draw_component(canvas, session_.components, preview.view, preview.look);
    canvas.end();
}

void LibraryGrid::paintEvent(QPaintEvent*)
{
    if (preview_ >= 0) {
        paint_preview();
        return;
    }
    const int per_row = columns();
    {
        QtCanvas canvas(*this);
        canvas.set_smooth(true);
        for (size_t i = 0; i < components_.size(); ++i) {
            const int left = int(i) % per_row * library_cell, top = int(i) / per_row * cell_height;
            if (components_[i] == hovered_) {
                canvas.set_colour(225, 235, 250);
                canvas.box({left, top, library_cell, cell_height}, true);
            }
            const int inner = library_cell - 2 * cell_margin;
            ComponentPreview preview = fit_preview(session_.components, components_[i], inner, inner);
            preview.look.x += (left + cell_margin) / preview.view.zoom;
            preview.look.y += (top + cell_margin) / preview.view.zoom;
            draw_component(canvas, session_.components, preview.view, preview.look);
        }
        canvas.end();
    }
    QPainter painter(this);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (size_t i = 0; i < components_.size(); ++i) {
        const int left = int(i) % per_row * library_cell, top = int(i) / per_row * cell_height;
        const Component& c = session_.components[components_[i]];
        const QString name = QString::fromStdString(c.short_name.empty() ? c.name : c.short_name);
        const QRect line(left + 1, top + library_cell, library_cell - 2, library_cell_text);
        painter.drawText(line, Qt::AlignHCenter | Qt::AlignTop,
                         painter.fontMetrics().elidedText(name, Qt::ElideRight, line.width()));
    }
}

void LibraryGrid::mouseMoveEvent(QMouseEvent* event)
{
    const int n = preview_ >= 0 ? -1 : component_at(event->position().toPoint());
    if (n != hovered_) {
        hovered_ = n;
        update();
    }
    if (n >= 0)
        QToolTip::showText(event->globalPosition().toPoint(),
                           QStringLiteral("%1  %2").arg(n).arg(QString::fromStdString(session_.components[n].name)), this);
    else
        QToolTip::hideText();
}

void LibraryGrid::mousePressEvent(QMouseEvent* event)
{
    if (preview_ >= 0) {
        show_preview(-1);
        return;
    }
    const int n = component_at(event->position().toPoint());
    if (n >= 0 && event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier))
        emit edit_requested(n);
}

void LibraryGrid::leaveEvent(QEvent*)
{
    if (hovered_ != -1) {
        hovered_ = -1;
        update();
    }
}

void LibraryGrid::resizeEvent(QResizeEvent*)
{
    setMinimumHeight(heightForWidth(width()));
}

LibraryWindow::LibraryWindow(Session& session, DesignNotifier& notifier, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session), notifier_(notifier)
{
    connect(&notifier, &DesignNotifier::changed, this, &LibraryWindow::design_changed);
    setObjectName(QStringLiteral("Win_4"));
    setMinimumWidth(80);
    select_lib_ = new QComboBox(this);
    select_lib_->setObjectName(QStringLiteral("select_lib"));
    select_lib_->setEditable(true);
    select_lib_->setInsertPolicy(QComboBox::NoInsert);
    connect(select_lib_, &QComboBox::activated, this, &LibraryWindow::choose_entry);
    connect(select_lib_->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) { choose_by_text(text); });
    connect(select_lib_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        // What was typed gives way to the name of the library it found.
        filling_ = true;
        select_lib_->setCurrentIndex(select_lib_->currentIndex());
        select_lib_->setEditText(select_lib_->itemText(select_lib_->currentIndex()));
        filling_ = false;
    });

    grid_ = new LibraryGrid(session_, this);
    connect(grid_, &LibraryGrid::edit_requested, this, &LibraryWindow::edit_requested);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("lib_scroll"));
    scroll->setWidget(grid_);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(select_lib_);
    layout->addWidget(scroll, 1);
    resize(3 * library_cell + 30, 360);
}

void LibraryWindow::design_changed(Changes what)
{
    if (choosing_ || !(what.has(Change::library) || what.has(Change::language)))
        return;
    refresh();
}

void LibraryWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refresh();
}

void LibraryWindow::refresh()
{
    setWindowTitle(QString::fromStdString(session_.text(ui::library_window_title)));
    filling_ = true;
    positions_ = library_positions(session_);
    select_lib_->clear();
    int current = 0;
    for (size_t i = 0; i < positions_.size(); ++i) {
        const int library = session_.libraries.order[size_t(positions_[i])];
        select_lib_->addItem(QString::fromStdString(session_.libraries.name[size_t(library)]), library);
        if (positions_[i] == session_.libraries.current_position)
            current = int(i);
    }
    select_lib_->setCurrentIndex(current);
    filling_ = false;
    grid_->refresh();
}

void LibraryWindow::choose_entry(int entry)
{
    if (filling_ || entry < 0 || size_t(entry) >= positions_.size())
        return;
    const int position = positions_[size_t(entry)];
    session_.libraries.current_position = position;
    session_.libraries.current_library = session_.libraries.order[size_t(position)];
    grid_->show_preview(-1);
    grid_->refresh();
    // The palette column and the status bar follow; this window is already up to date.
    choosing_ = true;
    notifier_.notify(Change::library);
    choosing_ = false;
}

void LibraryWindow::show_preview(int component)
{
    show();
    raise();
    grid_->show_preview(component);
}

LibraryWindow::~LibraryWindow()
{
    // The name box loses its focus while QWidget takes the children apart, after this window is
    // gone: its signals must find nobody here by then.
    select_lib_->lineEdit()->disconnect(this);
}

bool LibraryWindow::choose_by_text(const QString& text)
{
    if (filling_ || text.trimmed().isEmpty())
        return false;
    for (int entry = 0; entry < select_lib_->count(); ++entry)
        if (select_lib_->itemText(entry).contains(text.trimmed(), Qt::CaseInsensitive)) {
            filling_ = true;
            select_lib_->setCurrentIndex(entry);
            select_lib_->setEditText(text);
            filling_ = false;
            choose_entry(entry);
            return true;
        }
    return false;
}

void LibraryWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    grid_->refresh();
}

} // namespace halvern
