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
#include "base/ui_text_ids.h"
#include "dialogs/colour_palette.h"
#include "library/library_loader.h"
#include "plan/layer_filters.h"

namespace halvern {

namespace {

enum class Kind { push, toggle, arrow };

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
    {"mesure", "mesure16.ico", Kind::push, ui::tip_measure},
    {"loupe-", "zoom-16.ico", Kind::push, ui::tip_zoom_out},
    {"loupe+", "zoom+16.ico", Kind::push, ui::tip_zoom_in},
    {"loupe", "loupe16.ico", Kind::push, ui::tip_zoom_tool},
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
            button->setCheckable(spec.kind == Kind::toggle);
            button->setChecked(spec.kind == Kind::toggle); // filters are down at start
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
            tb_zoom_->setReadOnly(true);
            tb_zoom_->setFixedWidth(56);
            tb_zoom_->setFocusPolicy(Qt::NoFocus);
            tb_->addWidget(tb_zoom_);
        }
    }
    apply_texts_to_toolbar();
    enable_commands();
    zoom_changed();
}

void MainWindow::apply_texts_to_toolbar()
{
    for (const ButtonSpec& spec : toolbar_buttons)
        if (QAbstractButton* b = toolbar_button(spec.key))
            b->setToolTip(spec.tip_text >= 0 ? QString::fromStdString(session_.text(spec.tip_text))
                                             : QString::fromUtf8(spec.tip));
}

void MainWindow::toolbar_click(const std::string& key)
{
    if (QAbstractButton* b = toolbar_button(key); b && !b->isEnabled())
        return;
    ViewState& view = session_.view;
    if (key == "projet") {
        open_stand_form();
        return;
    }
    if (key == "prop") {
        open_properties();
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
        arm_measuring_tool(plan_->state());
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
        arm_zoom_tool(plan_->state(), context.host);
        return;
    }
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

void MainWindow::zoom_changed()
{
    if (tb_zoom_)
        tb_zoom_->setText(QString::fromStdString(zoom_text(session_.view)));
    if (hbar_ && vbar_)
        set_bars_from_view();
}

} // namespace halvern
