// The docks of the component list and the library, and the main window's layout between runs.
// Docked on the right by default, they can be floated (they are then the separate windows they
// always were), stacked as tabs or closed; the View menu shows each with its check mark.

#include <QDockWidget>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <algorithm>

#include "app/main_window.h"
#include "app/session.h"

namespace halvern {

namespace {

constexpr std::string_view layout_group = "Window";
constexpr int layout_version = 1;
constexpr int default_dock_width = 300;
constexpr int layout_save_delay_ms = 1000; // a drag of the window's edge is stored once, at its end

QByteArray stored_bytes(Session& session, std::string_view key)
{
    return QByteArray::fromBase64(QByteArray::fromStdString(session.store->read_in_group(layout_group, key)));
}

} // namespace

QDockWidget* MainWindow::make_dock(QWidget* content, const QString& name)
{
    auto* dock = new QDockWidget(this);
    dock->setObjectName(name);
    // The content was a window of its own; in the dock it is a plain widget, floated with the dock.
    content->setWindowFlags(Qt::Widget);
    dock->setWidget(content);
    dock->setWindowTitle(content->windowTitle());
    connect(content, &QWidget::windowTitleChanged, dock, &QDockWidget::setWindowTitle);
    dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                      QDockWidget::DockWidgetFloatable);
    // The View menu's check marks follow a dock closed by its own button, or opened again.
    connect(dock->toggleViewAction(), &QAction::toggled, this, [this] { update_menu_checks(); });
    connect(dock, &QDockWidget::topLevelChanged, this, [this] { keep_docks_on_screen(); });
    addDockWidget(Qt::RightDockWidgetArea, dock);
    resizeDocks({dock}, {default_dock_width}, Qt::Horizontal);
    return dock;
}

QDockWidget* MainWindow::dock(AuxWindow which) const
{
    switch (which) {
    case AuxWindow::component_list:
        return component_list_dock_;
    case AuxWindow::library:
        return library_dock_;
    case AuxWindow::diagnostic:
        break;
    }
    return nullptr;
}

void MainWindow::save_layout()
{
    session_.store->write_in_group(layout_group, "geometry", saveGeometry().toBase64().toStdString());
    session_.store->write_in_group(layout_group, "state", saveState(layout_version).toBase64().toStdString());
    // A store that cannot be written keeps the layout of the run only; closing is never refused.
    (void)session_.store->flush();
}

void MainWindow::restore_layout()
{
    const QByteArray geometry = stored_bytes(session_, "geometry");
    const QByteArray state = stored_bytes(session_, "state");
    // A damaged or foreign value is refused by Qt and the default layout stays.
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
    if (!state.isEmpty())
        restoreState(state, layout_version);
    keep_docks_on_screen();
    update_menu_checks();
    if (!layout_timer_) {
        layout_timer_ = new QTimer(this);
        layout_timer_->setSingleShot(true);
        layout_timer_->setInterval(layout_save_delay_ms);
        connect(layout_timer_, &QTimer::timeout, this, [this] {
            if (!closing_)
                save_layout();
        });
        for (QDockWidget* d : findChildren<QDockWidget*>()) {
            connect(d, &QDockWidget::visibilityChanged, this, &MainWindow::layout_changed);
            connect(d, &QDockWidget::topLevelChanged, this, &MainWindow::layout_changed);
            connect(d, &QDockWidget::dockLocationChanged, this, &MainWindow::layout_changed);
        }
    }
}

void MainWindow::layout_changed()
{
    if (layout_timer_ && !closing_)
        layout_timer_->start();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    layout_changed();
}

void MainWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    layout_changed();
}

void MainWindow::keep_docks_on_screen()
{
    // The main window's own geometry is kept on screen by restoreGeometry; a floating dock left on
    // a screen that is gone (or past the edge of a smaller one) comes back beside the main window.
    for (QDockWidget* d : {component_list_dock_.data(), library_dock_.data()}) {
        if (!d || !d->isFloating())
            continue;
        QRect frame = d->frameGeometry();
        bool seen = false;
        for (const QScreen* s : QGuiApplication::screens())
            if (s->availableGeometry().intersected(frame).width() >= 50 &&
                s->availableGeometry().intersected(frame).height() >= 30)
                seen = true;
        if (seen)
            continue;
        const QScreen* home = screen() ? screen() : QGuiApplication::primaryScreen();
        const QRect area = home ? home->availableGeometry() : QRect(0, 0, 1024, 768);
        frame.setSize(frame.size().boundedTo(area.size()));
        frame.moveTopLeft(QPoint(std::max(area.left(), area.right() - frame.width()), area.top()));
        d->resize(frame.size());
        d->move(frame.topLeft());
    }
}

} // namespace halvern
