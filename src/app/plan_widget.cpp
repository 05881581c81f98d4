#include "app/plan_widget.h"

#include <QElapsedTimer>
#include <QHelpEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cmath>

#include "app/design_notifier.h"
#include "app/library_window.h"
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
    setAcceptDrops(true);
    slide_timer_.setInterval(slide_interval_ms);
    connect(&slide_timer_, &QTimer::timeout, this, &PlanWidget::slide_step);
    settle_timer_.setSingleShot(true);
    settle_timer_.setInterval(0);
    connect(&settle_timer_, &QTimer::timeout, this, &PlanWidget::settle_slice);
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
    else if (what != Changes(Change::view) || !quick_frame())
        redraw();
}

namespace {

// The views differ in their zoom or offsets only.
bool moved_only(const ViewState& a, const ViewState& b)
{
    auto switches = [](const ViewState& v) {
        return std::array<bool, 12>{v.front_view,        v.aff_marqueur_angle, v.aff_debug,     v.aff_erreur_angle,
                                    v.aff_noms,          v.aff_largeur_panneaux, v.aff_hauteurs, v.aff_grande_etiquette,
                                    v.filter_vek,        v.filter_acc_vek,     v.filter_elevation, v.filter_stand};
    };
    return switches(a) == switches(b) && !a.front_view;
}

} // namespace

bool PlanWidget::quick_frame()
{
    if (!exact_view_ || exact_picture_.size() != size() || palette_slide_ != 0 || gesture_held()
        || exact_smooth_ != (session_.shell.settings.view_qualite == 1))
        return false;
    const ViewState before = *exact_view_;
    ViewState next = session_.view;
    if (next.zoom_auto)
        next.zoom = fitted_zoom(width(), height(), session_.stand.stand_largeur, session_.stand.stand_profondeur);
    if (!moved_only(before, next) || before.zoom <= 0 || !(next.zoom > 0))
        return false;
    if (next.zoom == before.zoom && next.decal_x == before.decal_x && next.decal_y == before.decal_y)
        return false;

    // An exact picture under way for an earlier view is of no use any more.
    settling_.reset();
    const PaletteState palette{state_.palette_scroll, palette_slide_,
                               state_.depot_palette ? state_.selected_component : -1};
    const RenderOptions options = render_options(palette);
    PlanScene scene{session_.components, session_.libraries, session_.plan, session_.stand};
    // Every pixel is painted below: the still layer or the moved picture covers the plan, the old
    // column the rest.
    QImage frame(size(), QImage::Format_RGB32);
    const double s = next.zoom / before.zoom;
    const double dx = next.zoom * (next.decal_x - before.decal_x), dy = next.zoom * (next.decal_y - before.decal_y);
    // Where the old plan lands; when it covers the whole plan area (zooming in about a point of
    // the window) the new still layer is left to the exact redraw, which draws it first.
    const double plan_width = width() - palette_width;
    const bool covered = dx <= -1 && dy <= -1 && dx + s * plan_width >= plan_width + 1 && dy + s * height() >= height() + 1;
    RenderOutcome outcome;
    {
        // The new still layer (kept for the exact redraw), the last exact picture moved and scaled
        // over it, and the column as it was.
        if (!covered) {
            QtCanvas canvas(frame);
            outcome = render_still_layer(canvas, scene, session_.view, options);
            canvas.end();
        }
        QPainter painter(&frame);
        painter.setClipRect(QRect(palette_width, 0, width() - palette_width, height()));
        // Shown for a few frames only: the nearest pixel is good enough and several times quicker.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.translate(palette_width + dx, dy);
        painter.scale(s, s);
        painter.drawImage(QPointF(0, 0), exact_picture_, QRectF(palette_width, 0, width() - palette_width, height()));
        painter.resetTransform();
        painter.setClipping(false);
        painter.drawImage(QPoint(0, 0), exact_picture_, QRect(0, 0, palette_width + 1, height()));
    }
    picture_ = std::move(frame);
    ++quick_frames_;
    follow_view();
    if (rendered_ && !covered)
        rendered_(outcome);
    repaint();
    settling_ = std::make_unique<Settling>();
    settle_timer_.start();
    return true;
}

void PlanWidget::set_slices(int parts, int milliseconds)
{
    slice_parts_ = std::max(1, parts);
    slice_ms_ = std::max(0, milliseconds);
}

void PlanWidget::settle_slice()
{
    if (!settling_)
        return;
    Settling& job = *settling_;
    QElapsedTimer clock;
    clock.start();
    if (!job.redraw) {
        // Begun here rather than with the quick frame, so that the quick frame is shown first.
        job.image = QImage(size(), QImage::Format_RGB32);
        job.image.fill(Qt::white);
        job.palette = {state_.palette_scroll, palette_slide_, state_.depot_palette ? state_.selected_component : -1};
        job.options = render_options(job.palette);
        PlanScene scene{session_.components, session_.libraries, session_.plan, session_.stand};
        job.options.facts = &facts_.facts(scene);
        job.canvas = std::make_unique<QtCanvas>(job.image);
        job.redraw = std::make_unique<PlanRedraw>(*job.canvas, scene, session_.view, job.options);
        job.view = session_.view;
    }
    bool complete = false;
    do
        complete = job.redraw->step(slice_parts_);
    while (!complete && clock.elapsed() < slice_ms_);
    if (!complete) {
        settle_timer_.start();
        return;
    }
    job.canvas->end();
    const RenderOutcome outcome = job.redraw->outcome();
    picture_ = std::move(job.image);
    exact_picture_ = picture_;
    exact_view_ = job.view;
    exact_smooth_ = job.options.smooth;
    settling_.reset();
    ++full_redraws_;
    follow_view();
    if (rendered_)
        rendered_(outcome);
    update();
}

void PlanWidget::follow_view()
{
    // The texts over the plan follow every change of the view, not only the pointer's moves.
    // Before the pointer first comes over the plan, its top left corner stands for it.
    const PixelPoint at = last_x_ < 0 ? session_.view.to_plan(palette_width, 0) : session_.view.to_plan(last_x_, last_y_);
    readout_ = interaction_readout(state_, session_.plan, session_.view, at.x, at.y, last_kk_);
}

RenderOptions PlanWidget::render_options(const PaletteState& palette)
{
    RenderOptions options;
    options.width = width();
    options.height = height();
    options.palette_column = true;
    options.status_texts = false; // drawn over the picture at every pointer change
    options.selection_marks = true;
    options.smooth = session_.shell.settings.view_qualite == 1;
    options.palette = &palette;
    options.cache = &background_;
    options.outlines = &outlines_;
    options.labels = &labels_;
    options.column = &column_;
    return options;
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
    settle_timer_.stop();
    settling_.reset();
    if (width() <= 0 || height() <= 0)
        return;
    // Painting over a picture still shared with the kept one would copy it first.
    exact_picture_ = QImage();
    if (picture_.size() != size())
        picture_ = QImage(size(), QImage::Format_RGB32);
    picture_.fill(Qt::white);
    // The interaction owns the scroll of the column; the widget only animates its slide.
    const PaletteState palette{state_.palette_scroll, palette_slide_,
                               state_.depot_palette ? state_.selected_component : -1};

    const RenderOptions options = render_options(palette);
    PlanScene scene{session_.components, session_.libraries, session_.plan, session_.stand};
    RenderOutcome outcome;
    {
        RenderOptions with_facts = options;
        with_facts.facts = &facts_.facts(scene);
        QtCanvas canvas(picture_);
        outcome = render_plan(canvas, scene, session_.view, with_facts);
        canvas.end();
    }
    exact_picture_ = picture_;
    exact_view_ = session_.view;
    exact_smooth_ = options.smooth;
    ++full_redraws_;
    follow_view();
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
    LiveOverlay shown = overlay_;
    if (!shown.measure && state_.kept_measure)
        shown.measure = state_.kept_measure;
    if (!shown.objects.empty() || shown.rectangle || shown.measure || shown.note)
        draw_live_overlay(canvas, session_.plan, session_.components, session_.view, shown);
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

void PlanWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double-click with the left button opens the object's dialog.
    double_click_ = event->button() == Qt::LeftButton;
    mousePressEvent(event);
    double_click_ = false;
}

void PlanWidget::wheelEvent(QWheelEvent* event)
{
    if ((event->modifiers() & Qt::ControlModifier) && zoom_) {
        // One notch is one step of x1.25; a touchpad's finer turns zoom by as much of a step.
        const double notches = event->angleDelta().y() / 120.0;
        if (notches != 0)
            zoom_(std::pow(wheel_zoom_step, notches), event->position());
        event->accept();
        return;
    }
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0 && wheel_)
        wheel_(steps);
    event->accept();
}

bool PlanWidget::event(QEvent* event)
{
    if (event->type() == QEvent::NativeGesture) {
        auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture && zoom_) {
            zoom_(1 + gesture->value(), gesture->position());
            return true;
        }
    }
    if (event->type() == QEvent::ToolTip) {
        // A palette cell names its component: three round tables look alike.
        auto* help = static_cast<QHelpEvent*>(event);
        const PaletteLayout layout = palette_layout(session_.components, session_.libraries,
                                                    PaletteState{state_.palette_scroll, 0}, height());
        const PaletteHit hit = palette_hit(layout, help->pos().x(), help->pos().y());
        if (hit.kind == PaletteHit::Kind::cell && hit.component >= 0) {
            const Component& c = session_.components[hit.component];
            QToolTip::showText(help->globalPos(), QString::fromStdString(c.name), this);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void PlanWidget::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasFormat(component_mime_type()))
        event->acceptProposedAction();
}

void PlanWidget::dragMoveEvent(QDragMoveEvent* event)
{
    const bool on_plan = event->position().x() > palette_width;
    if (on_plan && event->mimeData()->hasFormat(component_mime_type()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void PlanWidget::dropEvent(QDropEvent* event)
{
    bool ok = false;
    const int component = event->mimeData()->data(component_mime_type()).toInt(&ok);
    if (!ok || !drop_ || event->position().x() <= palette_width)
        return;
    event->acceptProposedAction();
    session_.shell.plan_focus = true;
    drop_(component, event->position());
}

std::optional<PlanPoint> PlanWidget::pointer_on_plan() const
{
    if (last_x_ <= palette_width || last_x_ >= width() || last_y_ < 0 || last_y_ >= height())
        return std::nullopt;
    const PixelPoint at = session_.view.to_plan(last_x_, last_y_);
    return PlanPoint{at.x, at.y};
}

void PlanWidget::pointer(const QMouseEvent& event)
{
    const QPoint at = event.position().toPoint();
    const int buttons = button_code(event.buttons());
    last_kk_ = modifier_code(event.modifiers());
    last_shift_ = event.modifiers() & Qt::ShiftModifier;
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

void PlanWidget::key_typed(const std::string& character, int kk, bool repeat)
{
    last_kk_ = kk;
    if (character.empty())
        return;
    call_interaction(character, kk, repeat);
}

void PlanWidget::call_interaction(const std::string& key, int kk, bool repeat)
{
    if (!host_)
        return;
    PointerInput input;
    input.pixel_x = last_x_;
    input.pixel_y = last_y_;
    input.buttons = last_buttons_;
    input.kk = kk;
    input.key = key;
    input.repeat = repeat;
    input.shift = last_shift_;
    input.double_click = double_click_ && key.empty() && last_buttons_ == button_left;
    input.area_width = width();
    input.area_height = height();
    InteractionContext c = context();
    ++calls_;
    const InteractionRequest request = in_call([&] { return interact(state_, c, input); });
    if (after_call_)
        after_call_();
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
