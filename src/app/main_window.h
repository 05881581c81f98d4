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
#include "app/edit_commands.h"
#include "app/editor_commands.h"
#include "app/menu_tables.h"
#include "app/object_commands.h"
#include "app/output_commands.h"
#include "app/view_commands.h"
#include "app/plan_dialogs.h"
#include "plan/interaction_host.h"

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
    // The check marks and the greyed-out entries, from the command rows.
    void update_menu_checks();
    void install_menus();
    // Tests answer the pickers themselves.
    void set_pickers(Pickers* pickers) { services_.pickers = pickers; }

    // The component list, the object table (titled "Library") and the library browser.
    void open_aux_window(AuxWindow which);
    void close_aux_window(AuxWindow which);
    bool aux_window_open(AuxWindow which) const;
    ComponentListWindow* component_list_window() const { return component_list_; }
    DiagnosticWindow* diagnostic_window() const { return diagnostic_; }
    LibraryWindow* library_window() const { return library_window_; }
    // The "Checks" dock, shown and hidden from the View menu.
    ChecksDock* checks_dock() const { return checks_dock_; }

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

    // The commands, by menu: what the rows of the command table run.
    EditCommands& edit() { return edit_; }
    ObjectCommands& objects() { return objects_; }
    ViewCommands& view() { return view_; }
    OutputCommands& outputs() { return outputs_; }
    // The window's own commands: its panels, its language, the about box and quitting.
    void toggle_aux_window(AuxWindow which);
    void change_language(const std::string& lang);
    void show_about();
    void quit();
    // The plan's menu at a right click on what `request` names (an object, a selection, or nothing
    // for the empty plan); the menu deletes itself once closed.
    QMenu* context_menu(const InteractionRequest& request);

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
    // What this window shows of a change: the bars, the zoom box and check marks, the title, the
    // library in the status bar.
    void follow_change(Changes what);
    void install_recent_menu(QMenu* file_menu);
    void fill_recent_menu();

    Session& session_;
    Prompts& prompts_;
    DesignHistory history_;
    DesignFiles files_;
    Autosave autosave_;
    CursorTable cursors_;
    EditorServices services_;
    EditCommands edit_;
    ObjectCommands objects_;
    ViewCommands view_;
    OutputCommands outputs_;
    CommandParts parts_;

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
    QScrollBar* hbar_ = nullptr;
    QScrollBar* vbar_ = nullptr;

    QPointer<QDockWidget> component_list_dock_;
    QPointer<QDockWidget> library_dock_;
    QPointer<ComponentListWindow> component_list_;
    QPointer<DiagnosticWindow> diagnostic_;
    QPointer<LibraryWindow> library_window_;
    QPointer<ChecksDock> checks_dock_;
    bool closing_ = false;
    QTimer* layout_timer_ = nullptr; // made when the stored layout is put back
};

} // namespace halvern
