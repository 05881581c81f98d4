#pragma once
// Window 1: the plan with its scroll bars, the bilingual menu bar, the toolbar and the status bar.
// Menu commands and toolbar buttons arrive at `menu_event` and `toolbar_click`; every change to the
// design ends in one undo step and one signal of the history's notifier, which the plan, the lists
// and this window's own bars, boxes and title follow.

#include <QMainWindow>
#include <QPoint>
#include <QPointF>
#include <QPointer>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/checks_dock.h"
#include "app/autosave.h"
#include "app/component_list_window.h"
#include "app/design_files.h"
#include "app/cursor_table.h"
#include "app/diagnostic_window.h"
#include "app/library_window.h"
#include "app/design_history.h"
#include "app/menu_tables.h"
#include "app/plan_dialogs.h"
#include "plan/interaction_host.h"
#include "project/object_clipboard.h"

class QAbstractButton;
class QDockWidget;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollBar;
class QToolBar;
class QToolButton;
class QTimer;

namespace halvern {

struct Session;
class Prompts;
class LibraryArrowButton;
class PlanWidget;
class EditorHost;
class View3dWindow;
class Pickers;

// The auxiliary windows, by the numbers the design's windows are known by.
enum class AuxWindow { component_list = 2, diagnostic = 3, library = 4 };

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

    // After every edit: one undo step named `step`; every window follows.
    void design_changed(const QString& step);
    void update_menu_checks();
    void install_menus();

    // The component list, the object table (titled "Library") and the library browser.
    void open_aux_window(AuxWindow which);
    void close_aux_window(AuxWindow which);
    bool aux_window_open(AuxWindow which) const;
    ComponentListWindow* component_list_window() const { return component_list_; }
    DiagnosticWindow* diagnostic_window() const { return diagnostic_; }
    LibraryWindow* library_window() const { return library_window_; }
    // The "Checks" dock, shown and hidden from the View menu.
    ChecksDock* checks_dock() const { return checks_dock_; }

    // The Edit menu. Copy and cut put the focused object or the selection on the clipboard; paste
    // puts the clipboard's objects at the pointer; duplicate puts a copy beside the originals. What
    // was pasted or duplicated becomes the selection (the focus when it is one object).
    void copy_objects(bool cut);
    // The focused object, else the selection, and what they carry when the switch is on.
    std::vector<int> chosen_with_carried() const;
    void paste_objects();
    void duplicate_objects();
    void select_everything();
    // An arrow key moves the focused object or the selection by 1 cm, 10 cm with Shift. False for
    // any other key.
    bool nudge(int key, Qt::KeyboardModifiers modifiers);
    static constexpr float nudge_cm = 1;
    static constexpr float nudge_large_cm = 10;
    static constexpr double paste_offset_cm = 20;

    // A component from the library: dropped at a pixel of the plan (placed and snapped as a palette
    // pick is), or armed to be placed by the next press on the plan.
    void drop_component(int component, QPointF at);
    void arm_component(int component);

    // Zoom by `factor` keeping the plan point under pixel `at` of the plan in place.
    void zoom_at(double factor, QPointF at);
    // Zoom by `factor` about the middle of the plan.
    void zoom_centred(double factor);
    // The zoom box's text: a percentage ("150", "150 %", "37,5%") or "auto".
    bool zoom_typed(const QString& text);

    // The docks of the component list and the library, and the window's place and size, as the
    // user left them; restored at the next start, on a screen that may have become smaller.
    QDockWidget* dock(AuxWindow which) const;
    void save_layout();
    void restore_layout();
    // Once the stored layout was put back, every change of it (size, place, a dock shown, hidden,
    // floated or moved) is stored a moment later too: a run ended by the system rather than by
    // Quit keeps the layout the user last saw.
    bool layout_save_due() const { return layout_timer_ && layout_timer_->isActive(); }
    void layout_changed();

    // A key on the window: the plan takes the focus, Ctrl is followed, Delete removes what is
    // chosen, and every key with a character goes to the plan's interaction.
    void key_down(int key, Qt::KeyboardModifiers modifiers, const QString& text = {}, bool repeat = false);

    // What the plan's interaction asked for, once its call returned: a dialog (one undo step for
    // whatever it changed), a save or a load.
    void carry_out(const InteractionRequest& request);
    void set_plan_dialogs(PlanDialogs dialogs) { dialogs_ = std::move(dialogs); }

    // New, Load, Open, Import, Save and Save as.
    DesignFiles& files() { return files_; }
    // The copy of the unsaved design kept aside.
    Autosave& autosave() { return autosave_; }
    // File > Recent designs, as it shows now.
    QMenu* recent_menu() const { return recent_menu_; }

    // The Object menu's gestures of the plan: turning what is chosen by a fixed or a typed angle,
    // appending at the focused object's end (p 0 joined, 1 turned), grouping, deleting. Each is one
    // undo step; with nothing chosen the status bar says so.
    void rotate_chosen(double degrees);
    // "Move carried objects with their carrier", kept in the settings.
    void switch_carrying();
    void rotate_by_typed();
    void append_at_end(int p);
    void group_chosen(bool group);
    void delete_chosen();
    // The plan's menu at a right click: what `request` names (an object, a selection, or nothing
    // for the empty plan). Shown at `global`; the menu deletes itself once closed.
    QMenu* context_menu(const InteractionRequest& request);
    void show_context_menu(const InteractionRequest& request, QPoint global);

    // The property dialogs: OK is one undo step, Cancel changes nothing. Each gives whether it was
    // applied. The group dialog works on the objects given (the selection when it was asked for).
    bool open_object_properties(int object);
    bool open_group_properties(const std::vector<int>& members);
    // The stand form (command 10 and the "projet" button).
    bool open_stand_form();
    // The "prop" button: the focused object's dialog, else the selection's.
    void open_properties();
    // The small pickers of the Object menu, on the focused object (103 also on the selection).
    void change_height();
    void change_faces();
    void raise_from_ground();
    void add_face_picture();
    // Tests answer the pickers themselves.
    void set_pickers(Pickers* pickers) { pickers_ = pickers; }
    Pickers& pickers() { return *pickers_; }

    QAction* command_action(int command) const;
    QAbstractButton* toolbar_button(const std::string& key) const;
    QLineEdit* zoom_box() const { return tb_zoom_; }
    QScrollBar* horizontal_bar() const { return hbar_; }
    QScrollBar* vertical_bar() const { return vbar_; }
    DesignHistory& history() { return history_; }
    const CursorTable& cursors() const { return cursors_; }
    void set_cursors(CursorTable cursors) { cursors_ = std::move(cursors); }
    void set_cursor(int slot);
    // The measuring and zoom tools' buttons are down exactly while their tool is armed.
    void show_armed_tools();
    Session& session() { return session_; }
    Prompts& prompts() { return prompts_; }
    PlanWidget* plan_widget() const { return plan_; }

    // The title as the design's file gives it, with the modified mark.
    void refresh_title();
    void refresh_status();
    // The focused object's place, angle, size and height, or the selection's count and extent, or
    // how to leave the front view.
    QString object_status() const;
    // Says in the status bar what was done: interface text `text`, then `what` (a file, a printer).
    void tell(int text, const std::string& what = {});

    // How the 3D views hand their scene to a viewer: the desktop's program for ".wrl" unless another
    // is set (tests); false when no program could take it.
    using SceneOpener = std::function<bool(const std::filesystem::path&)>;
    void set_scene_opener(SceneOpener opener) { scene_opener_ = std::move(opener); }
    static SceneOpener desktop_scene_opener();
    // The program's own 3D window, once a 3D view opened it.
    View3dWindow* view3d_window() const;

    // Download pages of the two outside tools (commands 2 and 3).
    static const char* octaga_page;
    static const char* capture_page;

signals:
    // The menus were rebuilt (a language command): the actions are new objects.
    void menus_installed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* aux_window(AuxWindow which) const;
    QDockWidget* make_dock(QWidget* content, const QString& name);
    void keep_docks_on_screen();
    bool edit_allowed() const;
    void place_copies(const std::vector<CopiedObject>& objects, double dx, double dy, const QString& step);
    void install_view_keys();
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
    // What this window shows of a change: the bars, the zoom box and check marks, the title, the
    // library in the status bar.
    void follow_change(Changes what);
    void install_recent_menu(QMenu* file_menu);
    void fill_recent_menu();

    // Commands.
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
    void export_plan(bool svg);
    void export_plan_dxf();
    void export_quote_csv();
    void export_quote_xlsx();
    void export_print_pack();
    void print_build_sheets();
    void view_scene(int variant);
    void show_view3d_window(int variant);
    void export_scene();
    void export_gltf();
    void share_web_page();
    // The settings the pickers changed (the import folder) are stored.
    void store_settings_if_changed(const std::string& import_path_before);
    // Runs a dialog as one undo step (none when it changed nothing) and keeps the import folder a
    // picture chosen inside it moved to; gives what the dialog gave.
    bool run_dialog_step(const QString& step, const std::function<bool()>& run);
    // The property dialogs alone, without their undo step.
    bool show_object_properties(int object);
    bool show_group_properties(const std::vector<int>& members);
    // The object editor on a component type; the plan, the palette and the library window
    // follow every change it applies.
    void open_component_editor(int component);
    void component_types_changed();

    Session& session_;
    Prompts& prompts_;
    DesignHistory history_;
    DesignFiles files_;
    Autosave autosave_;
    CursorTable cursors_;

    PlanDialogs dialogs_;

    std::map<int, QAction*> actions_;
    std::map<std::string, QAbstractButton*> buttons_;
    QToolBar* tb_ = nullptr;
    QMenu* recent_menu_ = nullptr;
    QLineEdit* tb_zoom_ = nullptr;
    QLabel* status_library_ = nullptr;
    QLabel* status_object_ = nullptr;
    QWidget* plan_area_ = nullptr;
    PlanWidget* plan_ = nullptr;
    std::unique_ptr<EditorHost> host_;
    std::unique_ptr<Pickers> own_pickers_;
    Pickers* pickers_ = nullptr;
    QScrollBar* hbar_ = nullptr;
    QScrollBar* vbar_ = nullptr;

    QPointer<QDockWidget> component_list_dock_;
    QPointer<QDockWidget> library_dock_;
    QPointer<ComponentListWindow> component_list_;
    QPointer<DiagnosticWindow> diagnostic_;
    QPointer<LibraryWindow> library_window_;
    QPointer<View3dWindow> view3d_;
    QPointer<ChecksDock> checks_dock_;
    bool closing_ = false;
    QTimer* layout_timer_ = nullptr; // made when the stored layout is put back
    SceneOpener scene_opener_;
};

} // namespace halvern
