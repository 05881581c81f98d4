#pragma once
// Window 4, the library browser: `select_lib` chooses a library (the one the palette column
// shows), and the grid below shows its components in cells of 75 by 75 pixels, each drawn to fit
// its cell with its short name (or its full name) under it.

#include <QWidget>

#include <vector>

class QComboBox;

namespace halvern {

struct Session;
class DesignNotifier;
class Changes;

inline constexpr int library_cell = 75;      // the picture of one component
inline constexpr int library_cell_text = 16; // the name line under it

// The components a library offers in the browser: named, not hidden, within the table.
std::vector<int> library_components(const Session& session, int library);
// The library table's positions that hold a library, in their order (position 0 always).
std::vector<int> library_positions(const Session& session);

class LibraryGrid : public QWidget {
    Q_OBJECT
public:
    LibraryGrid(Session& session, QWidget* parent = nullptr);

    void refresh();
    const std::vector<int>& components() const { return components_; }
    int columns() const;
    // The component under a point of the grid; -1 for none.
    int component_at(QPoint point) const;
    int hovered() const { return hovered_; }
    // The object editor's preview: the component alone, fitted to the visible part of the grid,
    // until a press on it or another library brings the cells back. -1: the cells.
    void show_preview(int component);
    int previewed() const { return preview_; }

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

signals:
    // Ctrl+click on a cell: the object editor on that component.
    void edit_requested(int component);

private:
    void paint_preview();

    Session& session_;
    std::vector<int> components_;
    int hovered_ = -1;
    int preview_ = -1;
};

class LibraryWindow : public QWidget {
    Q_OBJECT
public:
    // Follows the changes of the library tables and of the language; a library chosen here is
    // announced through the notifier.
    LibraryWindow(Session& session, DesignNotifier& notifier, QWidget* parent = nullptr);
    ~LibraryWindow() override;

    // Rebuilds the list of libraries and the grid (a library step, a new language, a new table).
    void refresh();
    // `select_lib_Click`: the library at this entry of the list becomes the current one.
    void choose_entry(int entry);
    // `select_lib_KeyUp`: the first library whose name holds the text, in any case.
    bool choose_by_text(const QString& text);

    // `edit_voir_draw`: shows the window with the component drawn alone, as the table holds it.
    void show_preview(int component);

    QComboBox* select_lib() const { return select_lib_; }
    LibraryGrid* grid() const { return grid_; }

signals:
    // Ctrl+click on a cell of the grid.
    void edit_requested(int component);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void design_changed(Changes what);

    Session& session_;
    DesignNotifier& notifier_;
    bool choosing_ = false; // the change announced is this window's own choice
    QComboBox* select_lib_;
    LibraryGrid* grid_;
    std::vector<int> positions_;
    bool filling_ = false;
};

} // namespace halvern
