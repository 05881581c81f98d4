#include "app/library_arrow_button.h"

#include <QMouseEvent>

namespace halvern {

LibraryArrowButton::LibraryArrowButton(std::function<void()> step, QWidget* parent)
    : QToolButton(parent), step_(std::move(step))
{
    timer_.setTimerType(Qt::PreciseTimer);
    // The press grabs the pointer, so the release always comes back here and stops the repeat.
    connect(&timer_, &QTimer::timeout, this, &LibraryArrowButton::repeat_step);
    delay_.setSingleShot(true);
    delay_.setInterval(arrow_repeat_delay_ms);
    connect(&delay_, &QTimer::timeout, this, [this] {
        repeat_step();
        timer_.start();
    });
}

void LibraryArrowButton::mousePressEvent(QMouseEvent* event)
{
    const bool left = event->button() == Qt::LeftButton;
    const bool right = event->button() == Qt::RightButton;
    if ((!left && !right) || !rect().contains(event->position().toPoint())) {
        QToolButton::mousePressEvent(event);
        return;
    }
    setDown(true);
    step_();
    timer_.setInterval(right ? arrow_repeat_right_ms : arrow_repeat_left_ms);
    delay_.start();
    event->accept();
}

void LibraryArrowButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        delay_.stop();
        timer_.stop();
        setDown(false);
        event->accept();
        return;
    }
    QToolButton::mouseReleaseEvent(event);
}

void LibraryArrowButton::hideEvent(QHideEvent* event)
{
    delay_.stop();
    timer_.stop();
    QToolButton::hideEvent(event);
}

} // namespace halvern
