#pragma once
// The library strip's arrows ("g" and "d" on the toolbar): a press steps once, and the step
// repeats while a mouse button is held, every 110 ms with the left button and twice as fast,
// every 55 ms, with the right one. The repeat starts after a short wait, as key repeat does, so
// that a plain click is one step however long the finger stays down.

#include <QTimer>
#include <QToolButton>

#include <functional>

namespace halvern {

inline constexpr int arrow_repeat_left_ms = 110;
inline constexpr int arrow_repeat_right_ms = 55;
inline constexpr int arrow_repeat_delay_ms = 300;

class LibraryArrowButton : public QToolButton {
    Q_OBJECT
public:
    // `step` moves the strip by one library.
    LibraryArrowButton(std::function<void()> step, QWidget* parent = nullptr);

    // The wait after the first step, then the repeat.
    QTimer& delay_timer() { return delay_; }
    QTimer& repeat_timer() { return timer_; }
    // A button is held on the arrow: the repeat is waiting or running.
    bool held() const { return delay_.isActive() || timer_.isActive(); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void repeat_step() { step_(); }

    std::function<void()> step_;
    QTimer delay_;
    QTimer timer_;
};

} // namespace halvern
