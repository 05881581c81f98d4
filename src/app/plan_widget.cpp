#include "app/plan_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "app/design_notifier.h"
#include "app/session.h"
#include "platform/qt_canvas.h"

namespace halvern {

namespace {

// The cells slide by one cell in 75 steps of one pixel.
constexpr int slide_step_pixels = 1;
constexpr int slide_interval_ms = 2;

} // namespace

int modifier_code(Qt::KeyboardModifiers modifiers)
{
    return ((modifiers & Qt::ControlModifier) ? kk_ctrl : 0) | ((modifiers & Qt::AltModifier) ? kk_alt : 0);
}

int button_code(Qt::MouseButtons buttons)
{
    return ((buttons & Qt::LeftButton) ? button_left : 0) | ((buttons & Qt::RightButton) ? button_right : 0);
}

std::string key_character(int key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        const bool upper = (modifiers & Qt::ShiftModifier) && !(modifiers & Qt::ControlModifier);
        return std::string(1, char((upper ? 'A' : 'a') + (key - Qt::Key_A)));
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return std::string(1, char('0' + (key - Qt::Key_0)));
    switch (key) {
    case Qt::Key_Space:
        return " ";
    case Qt::Key_Plus:
        return "+";
    case Qt::Key_Agrave:
        return (modifiers & Qt::ShiftModifier) ? "\xC3\x80" : "\xC3\xA0";
    default:
        break;
    }
    if (text.size() == 1 && text.at(0).isPrint())
        return text.toStdString();
    return {};
}

PlanWidget::PlanWidget(Session& session, QWidget* parent) : QWidget(parent), session_(session)
{
    setObjectName(QStringLiteral("plan_view"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
    slide_timer_.setInterval(slide_interval_ms);
    connect(&slide_timer_, &QTimer::timeout, this, &PlanWidget::slide_step);
}

InteractionContext PlanWidget::context()
{
    return InteractionContext{session_.plan, session_.components, session_.libraries, session_.view, *host_};
}

void PlanWidget::follow(DesignNotifier& notifier)
{
    connect(&notifier, &DesignNotifier::changed, this, &PlanWidget::design_changed);
}

void PlanWidget::design_changed(Changes what)
{
    if (what.has(Change::renumbered))
        table_replaced();
    if (what == Changes(Change::file))
        return; // the picture shows nothing of the file
    if (in_call_)
        redraw_due_ = true;
    else
        redraw();
}

template <class F>
auto PlanWidget::in_call(F&& f)
{
    in_call_ = true;
    redraw_due_ = false;
    auto result = f();
    in_call_ = false;
    if (redraw_due_)
        redraw();
    return result;
}

void PlanWidget::redraw()
{
    redraw_due_ = false;
    overlay_ = {};
    if (width() <= 0 || height() <= 0)
        return;
    if (picture_.size() != size())
        picture_ = QImage(size(), QImage::Format_RGB32);
    picture_.fill(Qt::white);
    // The interaction owns the scroll of the column; the widget only animates its slide.
    const PaletteState palette{state_.palette_scroll, palette_slide_,
                               state_.depot_palette ? state_.selected_component : -1};

    RenderOptions options;
    options.width = width();
    options.height = height();
    options.palette_column = true;
    options.status_texts = false; // drawn over the picture at every pointer change
    options.smooth = session_.shell.settings.view_qualite == 1;
    options.palette = &palette;
    options.cache = &background_;
    options.outlines = &outlines_;
    PlanScene scene{session_.components, session_.libraries, session_.plan, session_.stand};
    RenderOutcome outcome;
    {
        QtCanvas canvas(picture_);
        outcome = render_plan(canvas, scene, session_.view, options);
        canvas.end();
    }
    ++full_redraws_;
    // The texts over the plan follow every change of the view, not only the pointer's moves.
    // Before the pointer first comes over the plan, its top left corner stands for it.
    const PixelPoint at = last_x_ < 0 ? session_.view.to_plan(palette_width, 0) : session_.view.to_plan(last_x_, last_y_);
    readout_ = interaction_readout(state_, session_.plan, session_.view, at.x, at.y, last_kk_);
    if (rendered_)
        rendered_(outcome);
    update();
}

void PlanWidget::redraw_live(const LiveOverlay& overlay)
{
    overlay_ = overlay;
    update();
}

void PlanWidget::show_readout(const Readout& readout)
{
    readout_ = readout;
    update();
}

void PlanWidget::slide_palette(int from, int to)
{
    palette_slide_ = to > from ? palette_cell_height : -palette_cell_height;
    slide_timer_.start();
    redraw();
}

void PlanWidget::slide_step()
{
    if (palette_slide_ > 0)
        palette_slide_ = std::max(0, palette_slide_ - slide_step_pixels);
    else
        palette_slide_ = std::min(0, palette_slide_ + slide_step_pixels);
    if (palette_slide_ == 0)
        slide_timer_.stop();
    redraw();
}

void PlanWidget::paintEvent(QPaintEvent*)
{
    {
        QPainter painter(this);
        if (picture_.isNull())
            painter.fillRect(rect(), Qt::white);
        else
            painter.drawImage(0, 0, picture_);
    }
    QtCanvas canvas(*this);
    // The live drawing has its own smoothness switch: dragging stays fluid on a slow machine.
    canvas.set_smooth(session_.shell.settings.view_qualite_tr == 1);
    if (!overlay_.objects.empty() || overlay_.rectangle || overlay_.measure)
        draw_live_overlay(canvas, session_.plan, session_.components, session_.view, overlay_);
    canvas.set_smooth(session_.shell.settings.view_qualite == 1);
    draw_readout(canvas, readout_, width());
    canvas.end();
}

void PlanWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    session_.view.view_valid = false;
    if (host_)
        redraw();
}

void PlanWidget::mousePressEvent(QMouseEvent* event)
{
    // A click on the plan acts at once, whatever window or menu had the focus before.
    session_.shell.plan_focus = true;
    setFocus(Qt::MouseFocusReason);
    pointer(*event);
}

void PlanWidget::mouseMoveEvent(QMouseEvent* event) { pointer(*event); }

void PlanWidget::mouseReleaseEvent(QMouseEvent* event) { pointer(*event); }

void PlanWidget::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0 && wheel_)
        wheel_(steps);
    event->accept();
}

void PlanWidget::pointer(const QMouseEvent& event)
{
    const QPoint at = event.position().toPoint();
    const int buttons = button_code(event.buttons());
    last_kk_ = modifier_code(event.modifiers());
    if (at.x() == last_x_ && at.y() == last_y_ && buttons == last_buttons_)
        return;
    if (!session_.shell.plan_focus) {
        last_x_ = at.x();
        last_y_ = at.y();
        last_buttons_ = buttons;
        unseen_ = true;
        return;
    }
    if (unseen_ && buttons != button_none) {
        // The pointer moved while the plan did not follow it (a menu or another window had the
        // focus): the object under the pointer is found first, so that the press takes it and not
        // the one hovered before.
        last_x_ = at.x();
        last_y_ = at.y();
        last_buttons_ = button_none;
        call_interaction({}, last_kk_);
    }
    unseen_ = false;
    last_x_ = at.x();
    last_y_ = at.y();
    last_buttons_ = buttons;
    call_interaction({}, last_kk_);
}

void PlanWidget::key_typed(const std::string& character, int kk)
{
    last_kk_ = kk;
    if (character.empty())
        return;
    call_interaction(character, kk);
}

void PlanWidget::call_interaction(const std::string& key, int kk)
{
    if (!host_)
        return;
    PointerInput input;
    input.pixel_x = last_x_;
    input.pixel_y = last_y_;
    input.buttons = last_buttons_;
    input.kk = kk;
    input.key = key;
    input.area_width = width();
    input.area_height = height();
    InteractionContext c = context();
    ++calls_;
    const InteractionRequest request = in_call([&] { return interact(state_, c, input); });
    if (request && carry_out_)
        carry_out_(request);
}

bool PlanWidget::delete_pressed()
{
    if (!host_)
        return false;
    InteractionContext c = context();
    return in_call([&] { return delete_key(state_, c); });
}

void PlanWidget::table_replaced()
{
    halvern::table_replaced(state_, session_.plan);
    overlay_ = {};
}

} // namespace halvern
