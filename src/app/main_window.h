#pragma once
// Window 1: the plan with its scroll bars, the bilingual menu bar, the toolbar and the status bar.
// Menu commands and toolbar buttons arrive at `menu_event` and `toolbar_click`; every change to the
// design ends in `design_changed`, which records one undo step, refreshes the lists and redraws.

#include <QMainWindow>
#include <QPointer>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "app/component_list_window.h"
#include "app/cursor_table.h"
#include "app/diagnostic_window.h"
#include "app/library_window.h"
#include "app/design_history.h"
#include "app/menu_tables.h"
#include "app/plan_dialogs.h"
#include "plan/interaction_host.h"

class QAbstractButton;
class QAction;
class QLabel;
class QLineEdit;
class QScrollBar;
class QToolBar;
class QToolButton;

namespace halvern {

struct Session;
class Prompts;
class LibraryArrowButton;
class PlanWidget;
class EditorHost;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Session& session, Prompts& prompts, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up's step 6: menus, toolbar, status bar, the base project and the title.
    void build_main_window();

    // The command dispatch of the menus; any number without a command does nothing.
    void menu_event(int command);
    // A click on a toolbar button, by its key.
    void toolbar_click(const std::string& key);

    // After every edit: one undo step named `step`, the lists and the plan follow.
    void design_changed(const QString& step);
    // A gesture of the plan is complete (the plan redraws itself): one undo step, the lists follow.
    void design_edited(const QString& step);
    // The zoom or the offsets changed: scroll bars, zoom box and check marks follow.
    void view_changed();
    // The plan and the windows that show the design are drawn again.
    void redraw_plan();
    void update_menu_checks();
    void install_menus();

    // Auxiliary windows 2 (component list), 3 (object table "Library") and 4 (library browser).
    void open_aux_window(int n);
    void close_aux_window(int n);
    bool aux_window_open(int n) const;
    ComponentListWindow* component_list_window() const { return component_list_; }
    DiagnosticWindow* diagnostic_window() const { return diagnostic_; }
    LibraryWindow* library_window() const { return library_window_; }

    // A key on the window: the plan takes the focus, Ctrl is followed, Delete removes what is
    // chosen, and every key with a character goes to the plan's interaction.
    void key_down(int key, Qt::KeyboardModifiers modifiers, const QString& text = {});
    void key_up(int key, Qt::KeyboardModifiers modifiers);

    // What the plan's interaction asked for, once its call returned: a dialog (one undo step for
    // whatever it changed), a save or a load.
    void carry_out(const InteractionRequest& request);
    void set_plan_dialogs(PlanDialogs dialogs) { dialogs_ = std::move(dialogs); }

    // Opens a design file as Load does, without asking for it (a file named on the command line).
    void open_file(const std::filesystem::path& file);

    // Asks what to do with unsaved changes; false when the user cancels (or a save failed).
    bool offer_to_save();

    QAction* command_action(int command) const;
    QAbstractButton* toolbar_button(const std::string& key) const;
    QLineEdit* zoom_box() const { return tb_zoom_; }
    QScrollBar* horizontal_bar() const { return hbar_; }
    QScrollBar* vertical_bar() const { return vbar_; }
    DesignHistory& history() { return history_; }
    const CursorTable& cursors() const { return cursors_; }
    void set_cursors(CursorTable cursors) { cursors_ = std::move(cursors); }
    void set_cursor(int slot);
    Session& session() { return session_; }
    Prompts& prompts() { return prompts_; }
    PlanWidget* plan_widget() const { return plan_; }

    // The title as the design's file gives it, with the modified mark.
    void refresh_title();
    void refresh_status();
    // Says in the status bar what was done: interface text `text`, then `what` (a file, a printer).
    void tell(int text, const std::string& what = {});

    // Download pages of the two outside tools (commands 2 and 3).
    static const char* octaga_page;
    static const char* capture_page;

signals:
    // The menus were rebuilt (a language command): the actions are new objects.
    void menus_installed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build_plan_area();
    void build_toolbar();
    void apply_texts_to_toolbar();
    void apply_layer_filter_buttons();
    void library_stepped();
    void scroll_bars_moved();
    void set_bars_from_view();
    void zoom_changed();
    void menu_hovered(QAction* action);
    void enable_commands();

    // Commands.
    void new_project();
    void save(bool ask_name);
    void load_project();
    void import_project();
    void export_prices();
    void import_prices();
    void change_language(const std::string& lang);
    void show_about();
    void show_preferences();
    void zoom_command(int command);
    void toggle_view(int command);
    void move_objects_to_corner();
    void ungroup_everything();
    void undo_redo(bool undo);
    void save_blueprint();
    void save_screen();
    void print_plan();
    // The table was replaced or renumbered outside the interaction.
    void plan_replaced();
    // The object editor on a component type; the plan, the palette and the library window
    // follow every change it applies.
    void open_component_editor(int component);
    void component_types_changed();

    Session& session_;
    Prompts& prompts_;
    DesignHistory history_;
    CursorTable cursors_;

    PlanDialogs dialogs_;

    std::map<int, QAction*> actions_;
    std::map<std::string, QAbstractButton*> buttons_;
    QToolBar* tb_ = nullptr;
    QLineEdit* tb_zoom_ = nullptr;
    QLabel* status_library_ = nullptr;
    QWidget* plan_area_ = nullptr;
    PlanWidget* plan_ = nullptr;
    std::unique_ptr<EditorHost> host_;
    QScrollBar* hbar_ = nullptr;
    QScrollBar* vbar_ = nullptr;

    QPointer<ComponentListWindow> component_list_;
    QPointer<DiagnosticWindow> diagnostic_;
    QPointer<LibraryWindow> library_window_;
    bool closing_ = false;
};

} // namespace halvern
