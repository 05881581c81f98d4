#pragma once
// The plan in the main window. Pointer events become calls of the pointer interaction, but only
// when the pixel position or the buttons changed, and only while the plan has the focus. A full
// redraw draws the whole plan into an off-screen picture, which the widget then shows; while a
// button is held only the outlines of the held objects (or the rectangle, or the measuring line)
// are drawn over that picture. The texts at the top right follow every pointer change.

#include <QImage>
#include <QPointF>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

#include "plan/interaction.h"
#include "plan/plan_ends.h"
#include "plan/palette.h"
#include "plan/kept_facts.h"
#include "plan/render.h"
#include "platform/qt_canvas.h"
#include "platform/qt_plan_surfaces.h"

namespace halvern {

struct Session;
class DesignNotifier;
class Changes;

// `kk` from the keyboard modifiers: Ctrl 2, Alt 4, both 6 (Shift does not count).
int modifier_code(Qt::KeyboardModifiers modifiers);
// The button state: 1 left, 2 right, 3 both.
int button_code(Qt::MouseButtons buttons);
// The character the interaction compares its shortcuts with: the key's letter also while Ctrl
// turns the text into a control character; empty for a key without one (arrows, F keys).
std::string key_character(int key, Qt::KeyboardModifiers modifiers, const QString& text);

class PlanWidget : public QWidget {
    Q_OBJECT
public:
    PlanWidget(Session& session, QWidget* parent = nullptr);

    void set_host(InteractionHost* host) { host_ = host; }
    // Redraws after every change the notifier announces (a change made during an interaction call
    // is drawn once, at the end of the call, unless the call drew it already), and forgets held
    // numbers when the table was replaced or renumbered.
    void follow(DesignNotifier& notifier);
    // The wheel moves the window's vertical bar by this many steps.
    void set_wheel(std::function<void(int steps)> wheel) { wheel_ = std::move(wheel); }
    // Ctrl+wheel and a pinch zoom by a factor about a pixel of the plan.
    void set_zoom(std::function<void(double factor, QPointF at)> zoom) { zoom_ = std::move(zoom); }
    // A component dragged from the library and dropped at a pixel of the plan.
    void set_drop(std::function<void(int component, QPointF at)> drop) { drop_ = std::move(drop); }
    // Where the pointer was last seen over the plan (right of the palette column), in plan centimetres.
    std::optional<PlanPoint> pointer_on_plan() const;
    // What an interaction call asked for (a dialog, a save, a load), carried out once it returned.
    void set_requests(std::function<void(const InteractionRequest&)> carry_out) { carry_out_ = std::move(carry_out); }
    // After every interaction call, whatever it did.
    void set_after_call(std::function<void()> after) { after_call_ = std::move(after); }
    // After each full redraw: the zoom box follows.
    void set_rendered(std::function<void(const RenderOutcome&)> rendered) { rendered_ = std::move(rendered); }

    InteractionState& state() { return state_; }
    InteractionContext context();

    // The full redraw into the off-screen picture, which is then shown.
    void redraw();
    // The last full picture with the overlay over it.
    void redraw_live(const LiveOverlay& overlay);
    void show_readout(const Readout& readout);
    // The palette column slides by one cell from one scroll offset to the next.
    void slide_palette(int from, int to);

    // A keystroke for the plan: one call of the interaction with its character.
    // `repeat`: the press repeats a key held down.
    void key_typed(const std::string& character, int kk, bool repeat = false);
    // The Delete key.
    bool delete_pressed();
    // The pixel where the pointer was last seen over the widget.
    QPoint last_pointer() const { return {last_x_, last_y_}; }
    // A button is held on the plan: a gesture is under way.
    bool gesture_held() const { return last_buttons_ != button_none; }
    // After New, Load, Import, undo and redo: no held gesture, the hover searched again.
    void table_replaced();

    const QImage& picture() const { return picture_; }
    const LiveOverlay& overlay() const { return overlay_; }
    const Readout& readout() const { return readout_; }
    int interaction_calls() const { return calls_; }
    int full_redraws() const { return full_redraws_; }
    // Frames shown from the last exact picture moved and scaled, while the exact one was made.
    int quick_frames() const { return quick_frames_; }
    // An exact picture is being drawn, in slices between events, to replace a quick frame.
    bool settling() const { return settling_ != nullptr; }
    // How the exact picture after a quick frame is cut: slices of `parts` object parts are drawn
    // until `milliseconds` have passed, then the events waiting are handled (0: one slice a turn).
    void set_slices(int parts, int milliseconds);
    // How many times the facts of the plan were searched for (not taken as kept).
    int fact_searches() const { return facts_.searches(); }
    QTimer& slide_timer() { return slide_timer_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void pointer(const QMouseEvent& event);
    void call_interaction(const std::string& key, int kk, bool repeat = false);
    void slide_step();
    void design_changed(Changes what);
    // After a zoom or a scroll alone: the last exact picture moved and scaled onto the new still
    // layer is shown at once, and the exact redraw follows as soon as the events waiting are done.
    bool quick_frame();
    // Draws the next slice of the exact picture after a quick frame; shows it once complete.
    void settle_slice();
    RenderOptions render_options(const PaletteState& palette);
    void follow_view();
    // Runs one call into the interaction; a redraw a change asked for meanwhile follows it.
    template <class F>
    auto in_call(F&& f);

    Session& session_;
    InteractionState state_;
    InteractionHost* host_ = nullptr;
    std::function<void(const RenderOutcome&)> rendered_;
    std::function<void(int)> wheel_;
    std::function<void(double, QPointF)> zoom_;
    std::function<void(int, QPointF)> drop_;
    std::function<void(const InteractionRequest&)> carry_out_;
    std::function<void()> after_call_;

    QImage picture_;        // what the widget shows
    QImage exact_picture_;  // the last picture drawn exactly, shared with picture_ while shown
    QtBackgroundCache background_;
    QtOutlineCache outlines_;
    QtLabelCache labels_;
    KeptDrawing column_{std::make_unique<QtPictureStore>()};
    LiveOverlay overlay_;
    Readout readout_;
    int palette_slide_ = 0; // pixels the column is still drawn off its cells while it slides
    QTimer slide_timer_;
    QTimer settle_timer_;
    // The exact picture under way after a quick frame.
    struct Settling {
        QImage image;
        PaletteState palette;
        RenderOptions options;
        ViewState view;
        std::unique_ptr<QtCanvas> canvas;
        std::unique_ptr<PlanRedraw> redraw;
    };
    std::unique_ptr<Settling> settling_;
    int slice_parts_ = 48;
    int slice_ms_ = 8;
    KeptFacts facts_;
    std::optional<ViewState> exact_view_; // the view of the picture when it was drawn exactly
    bool exact_smooth_ = true;
    int quick_frames_ = 0;

    int last_x_ = -1, last_y_ = -1;
    int last_buttons_ = button_none;
    bool unseen_ = false; // a pointer change was not handed to the interaction (no focus)
    int last_kk_ = kk_none;
    bool last_shift_ = false;
    bool double_click_ = false; // the press being handed over is the second of a double-click
    int calls_ = 0;
    int full_redraws_ = 0;
    bool in_call_ = false;
    bool redraw_due_ = false;
};

} // namespace halvern
