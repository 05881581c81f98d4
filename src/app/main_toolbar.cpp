// The main window's toolbar: library arrows, layer filters, zoom buttons and the zoom box.

#include <QAction>
#include <QIcon>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>

#include "app/library_arrow_button.h"
#include "app/library_window.h"
#include "app/main_window.h"
#include "app/plan_widget.h"
#include "app/session.h"
#include "base/numbers.h"
#include "base/ui_text_ids.h"
#include "dialogs/colour_palette.h"
#include "library/library_loader.h"
#include "plan/layer_filters.h"

namespace halvern {

namespace {

enum class Kind { push, toggle, tool, arrow }; // tool: down while the plan's tool is armed

struct ButtonSpec {
    const char* key;
    const char* icon;
    Kind kind;
    int tip_text;        // an interface text, or -1
    const char* tip = ""; // a fixed tooltip
};

const ButtonSpec toolbar_buttons[] = {
    {"g", "fg16.ico", Kind::arrow, ui::tip_library_back},
    {"d", "fd16.ico", Kind::arrow, ui::tip_library_next},
    {"projet", "projet16.ico", Kind::push, ui::tip_project_info},
    {"prop", "prop16.ico", Kind::push, ui::tip_properties},
    {"vek", "vek16.ico", Kind::toggle, -1, "Active / Desactive les structures VEK"},
    {"acc_vek", "acc16.ico", Kind::toggle, -1, "Active / Desactive les Accesoires VEK"},
    {"elevation", "alt16.ico", Kind::toggle, -1, "Active / Desactive les objets en \xC3\xA9l\xC3\xA9vation"},
    {"stand", "stand16.ico", Kind::toggle, -1, "Active / Desactive les stands"},
    {"mesure", "mesure16.ico", Kind::tool, ui::tip_measure},
    {"loupe-", "zoom-16.ico", Kind::push, ui::tip_zoom_out},
    {"loupe+", "zoom+16.ico", Kind::push, ui::tip_zoom_in},
    {"loupe", "loupe16.ico", Kind::tool, ui::tip_zoom_tool},
    {"loupeall", "loupeall16.ico", Kind::push, ui::tip_zoom_all},
    {"color", "color16.ico", Kind::push, ui::tip_colour},
};

} // namespace

void MainWindow::build_toolbar()
{
    tb_ = addToolBar(QStringLiteral("tb"));
    tb_->setObjectName(QStringLiteral("tb"));
    tb_->setMovable(false);
    tb_->setIconSize(QSize(16, 16));
    const std::filesystem::path icons = session_.app_dir() / "lib" / "ico";

    for (const ButtonSpec& spec : toolbar_buttons) {
        const std::string key = spec.key;
        QToolButton* button = nullptr;
        if (spec.kind == Kind::arrow) {
            const int direction = key == "g" ? -1 : 1;
            button = new LibraryArrowButton(
                [this, direction] {
                    library_step(session_.libraries, direction);
                    library_stepped();
                },
                tb_);
        } else {
            button = new QToolButton(tb_);
            // A tool stays down while it is armed, so that the user sees why the next press measures.
            button->setCheckable(spec.kind == Kind::toggle || spec.kind == Kind::tool);
            button->setChecked(spec.kind == Kind::toggle); // filters are down at start, tools up
            connect(button, &QToolButton::clicked, this, [this, key] { toolbar_click(key); });
        }
        button->setObjectName(QString::fromStdString(key));
        button->setIcon(QIcon(QString::fromStdString((icons / spec.icon).string())));
        button->setAutoRaise(true);
        tb_->addWidget(button);
        buttons_[key] = button;

        if (key == "loupeall") {
            tb_zoom_ = new QLineEdit(tb_);
            tb_zoom_->setObjectName(QStringLiteral("tb_zoom"));
            tb_zoom_->setFixedWidth(56);
            // A typed percentage zooms about the middle of the plan; Enter gives the plan back
            // its keys, and a text that is no zoom puts the current one back.
            tb_zoom_->setFocusPolicy(Qt::ClickFocus);
            connect(tb_zoom_, &QLineEdit::returnPressed, this, [this] {
                view_.zoom_typed(tb_zoom_->text());
                if (plan_)
                    plan_->setFocus(Qt::OtherFocusReason);
            });
            connect(tb_zoom_, &QLineEdit::editingFinished, this, [this] {
                if (!tb_zoom_->hasFocus())
                    zoom_changed();
            });
            tb_->addWidget(tb_zoom_);
        }
    }
    apply_texts_to_toolbar();
    zoom_changed();
}

void MainWindow::apply_texts_to_toolbar()
{
    for (const ButtonSpec& spec : toolbar_buttons)
        if (QAbstractButton* b = toolbar_button(spec.key))
            b->setToolTip(spec.tip_text >= 0 ? QString::fromStdString(session_.text(spec.tip_text))
                                             : QString::fromUtf8(spec.tip));
    if (tb_zoom_)
        tb_zoom_->setToolTip(QString::fromStdString(session_.text(ui::tip_zoom_box)));
}

void MainWindow::toolbar_click(const std::string& key)
{
    if (QAbstractButton* b = toolbar_button(key); b && !b->isEnabled())
        return;
    ViewState& view = session_.view;
    if (key == "projet") {
        objects_.open_stand_form();
        return;
    }
    if (key == "prop") {
        objects_.open_properties();
        return;
    }
    if (key == "loupe-" || key == "loupe+" || key == "loupeall") {
        if (key == "loupe-")
            zoom_out(view);
        else if (key == "loupe+")
            zoom_in(view);
        else
            zoom_auto(view);
        history_.notify(Change::view);
        return;
    }
    if (key == "vek" || key == "acc_vek" || key == "elevation" || key == "stand") {
        apply_layer_filter_buttons();
        return;
    }
    if (key == "mesure" && plan_) {
        // A second click puts the armed tool away, as Escape does.
        InteractionState& state = plan_->state();
        if (state.mode_mesure && !state.measuring) {
            InteractionContext context = plan_->context();
            cancel_armed(state, context.host);
        } else {
            arm_measuring_tool(state);
        }
        show_armed_tools();
        return;
    }
    if (key == "color") {
        // Without an object the palette browses, converts and searches; its OK applies nothing.
        ColourPalette palette(session_.app_dir() / "lib" / "color", session_.shell.ui_text, 0, 0, ColourSlot{}, this);
        palette.exec();
        return;
    }
    if (key == "loupe" && plan_) {
        InteractionContext context = plan_->context();
        if (plan_->state().mode_loupe && !plan_->state().flag_lasso)
            cancel_armed(plan_->state(), context.host);
        else
            arm_zoom_tool(plan_->state(), context.host);
        show_armed_tools();
        return;
    }
}

void MainWindow::show_armed_tools()
{
    if (!plan_)
        return;
    const InteractionState& state = plan_->state();
    if (QAbstractButton* b = toolbar_button("mesure"))
        b->setChecked(state.mode_mesure || state.measuring);
    if (QAbstractButton* b = toolbar_button("loupe"))
        b->setChecked(state.mode_loupe);
}

void MainWindow::apply_layer_filter_buttons()
{
    ViewState& view = session_.view;
    auto down = [this](const char* key) {
        QAbstractButton* b = toolbar_button(key);
        return b && b->isChecked();
    };
    view.filter_vek = down("vek");
    view.filter_acc_vek = down("acc_vek");
    view.filter_elevation = down("elevation");
    view.filter_stand = down("stand");
    apply_layer_filters(session_.plan, session_.components, view);
    // Faded objects can no longer be hovered or held.
    history_.notify(Change::objects | Change::renumbered);
}

void MainWindow::library_stepped() { history_.notify(Change::library); }

void MainWindow::install_view_keys()
{
    // Zoom about the middle of the plan; the plan's own Ctrl++, Ctrl+K and Ctrl+M keep their steps.
    auto* zoom_in_key = new QAction(this);
    zoom_in_key->setObjectName(QStringLiteral("key_zoom_in"));
    zoom_in_key->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    zoom_in_key->setShortcutContext(Qt::ApplicationShortcut);
    connect(zoom_in_key, &QAction::triggered, this, [this] { view_.zoom_centred(wheel_zoom_step); });
    auto* zoom_out_key = new QAction(this);
    zoom_out_key->setObjectName(QStringLiteral("key_zoom_out"));
    zoom_out_key->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    zoom_out_key->setShortcutContext(Qt::ApplicationShortcut);
    connect(zoom_out_key, &QAction::triggered, this, [this] { view_.zoom_centred(1 / wheel_zoom_step); });
    addAction(zoom_in_key);
    addAction(zoom_out_key);
}

void MainWindow::zoom_changed()
{
    if (tb_zoom_)
        tb_zoom_->setText(QString::fromStdString(zoom_text(session_.view)));
    if (hbar_ && vbar_)
        set_bars_from_view();
}

} // namespace halvern
