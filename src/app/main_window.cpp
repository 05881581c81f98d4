#include "app/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QWheelEvent>

#include "app/checks_dock.h"
#include "app/component_list_window.h"
#include "app/editor_host.h"
#include "app/plan_widget.h"
#include "app/diagnostic_window.h"
#include "app/library_window.h"
#include "app/session.h"
#include "base/ui_text_ids.h"
#include "dialogs/pickers.h"
#include "base/numbers.h"
#include "plan/groups.h"
#include "plan/plan_edit.h"
#include "plan/plan_ends.h"
#include "platform/prompts.h"
#include "project/project_commands.h"

namespace halvern {

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

// Commands whose work belongs to windows and outputs the editor does not have yet: they stay
// greyed out rather than pretending.
constexpr int commands_not_yet_available[] = {
    command::zoom_user,
};

constexpr int checked_commands[] = {
    command::component_list, command::library_window, command::angle_markers, command::debug_display, command::angle_errors, command::object_names,
    command::panel_sizes,   command::object_heights, command::big_labels,  command::zoom_auto,
    command::carry_objects,
};

} // namespace

MainWindow::MainWindow(Session& session, Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), session_(session), prompts_(prompts), history_(session),
      files_(session, prompts, history_), autosave_(session, history_),
      own_pickers_(std::make_unique<QtPickers>(this)), pickers_(own_pickers_.get())
{
    setObjectName(QStringLiteral("Win_1"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    files_.set_status([this](int text, const std::string& what) { tell(text, what); });
    connect(&history_.stack(), &QUndoStack::cleanChanged, this, [this] { refresh_title(); });
    connect(&history_.stack(), &QUndoStack::canUndoChanged, this, [this] { enable_commands(); });
    connect(&history_.stack(), &QUndoStack::canRedoChanged, this, [this] { enable_commands(); });
    // Connected before any other window: the bars and the zoom box follow a change before the plan
    // is drawn, whose outcome then writes the zoom box last.
    connect(&history_.notifier(), &DesignNotifier::changed, this, &MainWindow::follow_change);
    connect(&autosave_, &Autosave::write_failed, this, [this](const QString& reason) {
        prompts_.warn(std::string(program_window_title), session_.text(ui::recovery_write_failed) + "\n" + reason.toStdString());
    });
}

MainWindow::~MainWindow()
{
    // The history goes after the window's other members: its last signals must find nobody.
    history_.stack().disconnect(this);
    history_.notifier().disconnect(this);
    // The base class hides the docks as it goes, and their signals must not reach the part of this
    // window that is already gone.
    for (QDockWidget* dock : findChildren<QDockWidget*>()) {
        dock->disconnect(this);
        dock->toggleViewAction()->disconnect(this);
    }
}

void MainWindow::build_main_window()
{
    // Window 1, titled by its interface text until the design gives it its own title.
    setWindowTitle(q(session_.text(ui::main_window_title)));
    build_plan_area();

    statusBar()->setObjectName(QStringLiteral("stb"));
    status_object_ = new QLabel(this);
    status_object_->setObjectName(QStringLiteral("stb_object"));
    statusBar()->addPermanentWidget(status_object_);
    status_library_ = new QLabel(this);
    status_library_->setObjectName(QStringLiteral("stb_library"));
    statusBar()->addPermanentWidget(status_library_);

    // The third reading of the settings, just before the menus of the language are installed.
    session_.read_stored_settings();
    plan_->state().carry = carried_objects_follow(*session_.store);
    install_menus();
    build_toolbar();
    install_view_keys();

    session_.view.filter_vek = session_.view.filter_acc_vek = true;
    session_.view.filter_elevation = session_.view.filter_stand = true;

    ProjectContext context = session_.project_context(prompts_, prompts_);
    load_base_project(context);
    session_.view.view_valid = false;
    history_.reset();
}

void MainWindow::build_plan_area()
{
    plan_area_ = new QWidget(this);
    plan_area_->setObjectName(QStringLiteral("plan_area"));
    auto* grid = new QGridLayout(plan_area_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);

    plan_ = new PlanWidget(session_, plan_area_);
    plan_->follow(history_.notifier());
    host_ = std::make_unique<EditorHost>(*this, *plan_);
    plan_->set_host(host_.get());
    plan_->set_requests([this](const InteractionRequest& request) { carry_out(request); });
    // A measurement or a zoom rectangle ends inside the plan: the tool's button comes up with it.
    plan_->set_after_call([this] { show_armed_tools(); });
    dialogs_.object_properties = [this](int object) { show_object_properties(object); };
    dialogs_.group_properties = [this](const std::vector<int>& objects) { show_group_properties(objects); };
    dialogs_.object_editor = [this](int component) { open_component_editor(component); };
    // The bars follow the offsets; the offsets follow the bars only when the user moves a bar, so
    // that a view set to the centimetre (a zoom rectangle) is never rounded to the bars' steps.
    // One wheel notch is one step of the vertical bar, which then moves the view and redraws;
    // turning it away from the user shows what lies further up.
    plan_->set_wheel([this](int steps) { vbar_->setValue(vbar_->value() - steps); });
    plan_->set_zoom([this](double factor, QPointF at) { zoom_at(factor, at); });
    plan_->set_drop([this](int component, QPointF at) { drop_component(component, at); });
    plan_->set_rendered([this](const RenderOutcome& outcome) {
        if (tb_zoom_ && !tb_zoom_->hasFocus())
            tb_zoom_->setText(QString::fromStdString(outcome.zoom_text));
        // A press picks an object without a step: the status follows every picture.
        if (status_object_)
            status_object_->setText(object_status());
    });

    hbar_ = new QScrollBar(Qt::Horizontal, plan_area_);
    vbar_ = new QScrollBar(Qt::Vertical, plan_area_);
    hbar_->setObjectName(QStringLiteral("hscroll"));
    vbar_->setObjectName(QStringLiteral("vscroll"));
    for (QScrollBar* bar : {hbar_, vbar_}) {
        bar->setRange(0, 2 * scroll_middle);
        bar->setValue(scroll_middle);
        bar->setPageStep(10);
        connect(bar, &QScrollBar::valueChanged, this, [this] { scroll_bars_moved(); });
    }
    grid->addWidget(plan_, 0, 0);
    grid->addWidget(vbar_, 0, 1);
    grid->addWidget(hbar_, 1, 0);
    setCentralWidget(plan_area_);

    checks_dock_ = new ChecksDock(session_, history_, plan_, this);
    addDockWidget(Qt::RightDockWidgetArea, checks_dock_);
    checks_dock_->hide();
    QAction* show_checks = checks_dock_->toggleViewAction();
    show_checks->setObjectName(QStringLiteral("menu_checks"));
    show_checks->setShortcut(QKeySequence(Qt::Key_F8));
    show_checks->setShortcutContext(Qt::ApplicationShortcut);
    addAction(show_checks); // F8 works while the menus are being rebuilt too
}

void MainWindow::install_menus()
{
    menuBar()->clear();
    actions_.clear();
    menuBar()->setObjectName(QStringLiteral("menu_bar"));
    connect(menuBar(), &QMenuBar::hovered, this, &MainWindow::menu_hovered, Qt::UniqueConnection);
    menuBar()->installEventFilter(this);
    recent_menu_ = nullptr;

    QMenu* view_menu = nullptr;
    for (const Menu& menu : parse_menu_table(menu_table_for(session_.lang()))) {
        QMenu* m = menuBar()->addMenu(q(menu.title));
        m->setObjectName(QStringLiteral("menu_") + q(menu.title));
        connect(m, &QMenu::hovered, this, &MainWindow::menu_hovered);
        connect(m, &QMenu::aboutToShow, this, [this] { session_.shell.plan_focus = false; });
        for (const MenuItem& item : menu.items) {
            if (item.separator()) {
                m->addSeparator();
                continue;
            }
            QAction* action = m->addAction(q(item.label));
            action->setObjectName(QStringLiteral("menu_%1").arg(item.command));
            action->setData(item.command);
            const int id = item.command;
            connect(action, &QAction::triggered, this, [this, id] { menu_event(id); });
            actions_[id] = action;
            if (id == command::angle_errors)
                view_menu = m;
        }
    }
    // The dock's own action: checked while it is shown, and its text carries the dock's count.
    if (view_menu && checks_dock_) {
        view_menu->addSeparator();
        view_menu->addAction(checks_dock_->toggleViewAction());
    }
    if (QAction* quit = command_action(command::quit))
        if (auto* file_menu = qobject_cast<QMenu*>(quit->parent()))
            install_recent_menu(file_menu);
    for (int id : checked_commands)
        if (QAction* a = command_action(id))
            a->setCheckable(true);
    for (int id = command::zoom_first; id <= command::zoom_last; ++id)
        if (QAction* a = command_action(id))
            a->setCheckable(true);
    if (QAction* a = command_action(command::save))
        a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    if (QAction* a = command_action(command::load))
        a->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::CTRL | Qt::Key_O)});
    if (QAction* a = command_action(command::undo))
        a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    if (QAction* a = command_action(command::redo))
        a->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    if (QAction* a = command_action(command::view_3d))
        a->setShortcut(QKeySequence(Qt::Key_F3));
    // Keys the plan's own table leaves free, and on the same places on an AZERTY keyboard.
    if (QAction* a = command_action(command::rotate_left))
        a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Left));
    if (QAction* a = command_action(command::rotate_right))
        a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Right));
    if (QAction* a = command_action(command::append_joined))
        a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    const std::pair<int, QList<QKeySequence>> edit_keys[] = {
        {command::copy, {QKeySequence(Qt::CTRL | Qt::Key_C)}},
        {command::cut, {QKeySequence(Qt::CTRL | Qt::Key_X)}},
        // Ctrl+V stays the plan's verso toggle.
        {command::paste, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}},
        {command::duplicate, {QKeySequence(Qt::CTRL | Qt::Key_D)}},
        {command::select_all, {QKeySequence(Qt::CTRL | Qt::Key_A)}},
    };
    for (const auto& [id, keys] : edit_keys)
        if (QAction* a = command_action(id)) {
            a->setShortcuts(keys);
            // A key held down pastes or duplicates once, not a pile of copies on one spot.
            a->setAutoRepeat(false);
        }
    // The shortcuts work in every window of the program (the component list, the library), not
    // only over the plan; a modal dialog still blocks them.
    for (auto& [id, action] : actions_)
        action->setShortcutContext(Qt::ApplicationShortcut);

    update_menu_checks();
    enable_commands();
    emit menus_installed();
}

void MainWindow::install_recent_menu(QMenu* file_menu)
{
    // Just before Quit, after its separator when it has one.
    const QList<QAction*> entries = file_menu->actions();
    QAction* before = command_action(command::quit);
    const int at = int(entries.indexOf(before));
    if (at > 0 && entries[at - 1]->isSeparator())
        before = entries[at - 1];
    recent_menu_ = new QMenu(q(session_.text(ui::menu_recent)), file_menu);
    recent_menu_->setObjectName(QStringLiteral("menu_recent"));
    recent_menu_->setToolTipsVisible(true);
    file_menu->insertMenu(before, recent_menu_);
    connect(recent_menu_, &QMenu::aboutToShow, this, &MainWindow::fill_recent_menu);
    fill_recent_menu();
}

void MainWindow::fill_recent_menu()
{
    recent_menu_->clear();
    const std::vector<std::string> designs = files_.recent().list();
    for (size_t i = 0; i < designs.size(); ++i) {
        const QString path = q(designs[i]);
        const QFileInfo info(path);
        QAction* action = recent_menu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(info.fileName()));
        action->setObjectName(QStringLiteral("recent_%1").arg(i));
        action->setToolTip(path);
        action->setStatusTip(path);
        // A design that is gone (moved, deleted, an unplugged drive) stays listed, greyed.
        action->setEnabled(info.isFile());
        connect(action, &QAction::triggered, this, [this, path] { files_.open_recent(path.toStdString()); });
    }
    recent_menu_->addSeparator();
    QAction* clear = recent_menu_->addAction(q(session_.text(ui::menu_recent_clear)));
    clear->setObjectName(QStringLiteral("recent_clear"));
    clear->setEnabled(!designs.empty());
    connect(clear, &QAction::triggered, this, [this] {
        files_.recent().clear();
        fill_recent_menu();
    });
}

void MainWindow::enable_commands()
{
    for (int id : commands_not_yet_available)
        if (QAction* a = command_action(id))
            a->setEnabled(false);
    if (QAction* a = command_action(command::undo))
        a->setEnabled(history_.stack().canUndo());
    if (QAction* a = command_action(command::redo))
        a->setEnabled(history_.stack().canRedo());
}

void MainWindow::update_menu_checks()
{
    const ViewState& v = session_.view;
    auto check = [this](int id, bool on) {
        if (QAction* a = command_action(id))
            a->setChecked(on);
    };
    check(command::angle_markers, v.aff_marqueur_angle);
    check(command::debug_display, v.aff_debug);
    check(command::angle_errors, v.aff_erreur_angle);
    check(command::object_names, v.aff_noms);
    check(command::panel_sizes, v.aff_largeur_panneaux);
    check(command::object_heights, v.aff_hauteurs);
    check(command::big_labels, v.aff_grande_etiquette);
    for (int id = command::zoom_first; id <= command::zoom_last; ++id)
        check(id, !v.zoom_auto && v.zoom == zoom_presets[id - command::zoom_first]);
    check(command::zoom_auto, v.zoom_auto);
    check(command::component_list, aux_window_open(AuxWindow::component_list));
    check(command::library_window, aux_window_open(AuxWindow::library));
    check(command::carry_objects, plan_ && plan_->state().carry);
}

QAction* MainWindow::command_action(int command) const
{
    auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

QAbstractButton* MainWindow::toolbar_button(const std::string& key) const
{
    auto it = buttons_.find(key);
    return it == buttons_.end() ? nullptr : it->second;
}

void MainWindow::menu_hovered(QAction* action)
{
    // Moving over the menus must not act on the plan.
    session_.shell.plan_focus = false;
    const bool entry = action && !action->isSeparator() && action->data().isValid();
    if (!entry) {
        statusBar()->clearMessage();
        return;
    }
    const int hint = ui::menu_hint(action->data().toInt());
    statusBar()->showMessage(hint >= 0 ? QString::fromStdString(session_.text(hint)) : action->text());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == menuBar() && (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter))
        session_.shell.plan_focus = false;
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::design_changed(const QString& step) { history_.commit(step); }

void MainWindow::follow_change(Changes what)
{
    if (what.has(Change::view)) {
        zoom_changed();
        update_menu_checks();
    }
    if (what.has(Change::file))
        refresh_title();
    refresh_status();
}

void MainWindow::carry_out(const InteractionRequest& request)
{
    using Kind = InteractionRequest::Kind;
    switch (request.kind) {
    case Kind::none:
        return;
    case Kind::save:
        files_.save(false);
        return;
    case Kind::load:
        files_.load();
        return;
    case Kind::object_properties:
        if (dialogs_.object_properties)
            run_dialog_step(QString::fromStdString(session_.text(ui::step_properties)), [&] {
                dialogs_.object_properties(request.object);
                return true;
            });
        return;
    case Kind::group_properties:
        if (dialogs_.group_properties)
            run_dialog_step(QString::fromStdString(session_.text(ui::step_group_properties)), [&] {
                dialogs_.group_properties(request.objects);
                return true;
            });
        return;
    case Kind::object_editor:
        // The component table is no part of the design's undo: the editor announces its own changes.
        if (dialogs_.object_editor)
            dialogs_.object_editor(request.component);
        return;
    case Kind::context_menu:
        if (plan_)
            show_context_menu(request, plan_->mapToGlobal(plan_->last_pointer()));
        return;
    }
}

void MainWindow::refresh_title()
{
    setWindowTitle(q(session_.project.window_title) + QStringLiteral("[*]"));
    setWindowModified(history_.modified());
}

void MainWindow::refresh_status()
{
    if (!status_library_)
        return;
    const LibraryTable& libraries = session_.libraries;
    const int library = libraries.current_library;
    status_library_->setText(LibraryTable::valid(library) ? q(libraries.name[size_t(library)]) : QString());
    if (status_object_)
        status_object_->setText(object_status());
}

QString MainWindow::object_status() const
{
    const PlanTable& plan = session_.plan;
    if (session_.view.front_view)
        return q(session_.text(ui::status_front_view));
    auto cm = [](double value) { return q(format_number(round_half_away(value * 10) / 10)); };
    if (plan.valid(plan.index_focus) && has_geometry(plan, plan.index_focus)) {
        const size_t k = size_t(plan.index_focus);
        const Component& c = session_.components[plan.comp(plan.index_focus)];
        // Positions from the floor's corner, as the texts over the plan give them.
        return QStringLiteral("X %1  Y %2 cm   %3\u00B0   %4 \u00D7 %5 cm   h %6 cm")
            .arg(cm(plan.obj_x[k] - 100), cm(plan.obj_y[k] - 100), cm(plan.obj_rot[k]), cm(c.width), cm(c.depth),
                 cm(plan.obj_hauteur[k]));
    }
    if (plan.nb_selection > 0) {
        std::optional<PlanBox> box;
        for (int i : selected_objects(plan))
            include_footprint(box, plan, session_.components, i);
        QString text = q(session_.text(ui::status_selection)) + QStringLiteral(" %1 ").arg(plan.nb_selection) +
                       q(session_.text(ui::objects_word));
        if (box)
            text += QStringLiteral("   %1 \u00D7 %2 cm").arg(cm(box->right - box->left), cm(box->bottom - box->top));
        return text;
    }
    return {};
}

void MainWindow::tell(int text, const std::string& what)
{
    statusBar()->showMessage(q(session_.text(text) + (what.empty() ? "" : " " + what)));
}

void MainWindow::scroll_bars_moved()
{
    set_offsets_from_bars(session_.view, hbar_->value(), vbar_->value());
    session_.view.view_valid = false;
    history_.notify(Change::view);
}

void MainWindow::set_bars_from_view()
{
    for (QScrollBar* bar : {hbar_, vbar_})
        bar->blockSignals(true);
    hbar_->setValue(halvern::horizontal_bar(session_.view));
    vbar_->setValue(halvern::vertical_bar(session_.view));
    for (QScrollBar* bar : {hbar_, vbar_})
        bar->blockSignals(false);
}

void MainWindow::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0 && vbar_)
        vbar_->setValue(vbar_->value() - steps); // clears view_valid and redraws through the bar
    event->accept();
}

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange) {
        session_.shell.plan_focus = isActiveWindow();
        // The user turns to another program: whatever happens there, this work is kept aside.
        if (!isActiveWindow())
            autosave_.write_if_due();
    }
    QMainWindow::changeEvent(event);
}

void MainWindow::key_down(int key, Qt::KeyboardModifiers modifiers, const QString& text, bool repeat)
{
    session_.shell.plan_focus = true;
    if (key == Qt::Key_Escape) {
        // Also while the button is held: a lasso or a measuring line is dropped, not finished.
        if (plan_) {
            InteractionContext context = plan_->context();
            cancel_armed(plan_->state(), context.host);
            show_armed_tools();
        }
        return;
    }
    if (!(modifiers & (Qt::ControlModifier | Qt::AltModifier)) && nudge(key, modifiers))
        return;
    if (key == Qt::Key_Delete) {
        // Records the step and redraws through the interaction's host.
        if (plan_ && !plan_->gesture_held())
            plan_->delete_pressed();
        return;
    }
    if (plan_)
        plan_->key_typed(key_character(key, modifiers, text), modifier_code(modifiers), repeat);
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    key_down(event->key(), event->modifiers(), event->text(), event->isAutoRepeat());
    event->accept();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!closing_ && !files_.offer_to_save()) {
        event->ignore();
        return;
    }
    closing_ = true;
    session_.shell.quit_requested = true;
    save_layout();
    // Saved or given up: nothing is left to recover, and the file is free for other editors.
    autosave_.finish();
    files_.lock().release();
    close_aux_window(AuxWindow::diagnostic);
    event->accept();
}

void MainWindow::set_cursor(int slot)
{
    if (plan_)
        plan_->setCursor(cursors_.at(slot));
}

} // namespace halvern
