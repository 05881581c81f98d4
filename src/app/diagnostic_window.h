#pragma once
// Window 3, titled "Library": the memory of the machine and a table of every plan object (number,
// component name or "DEL" for an object marked for deletion, group, width, depth, height), for
// following what the plan table holds while the design is edited.

#include <QWidget>

#include <cstdint>
#include <optional>

class QLabel;
class QTableWidget;

namespace halvern {

struct Session;
class DesignNotifier;

struct MemoryFigures {
    std::uint64_t total_kb = 0;
    std::uint64_t free_kb = 0;
};
// The machine's memory as the system reports it; none when it cannot be read.
std::optional<MemoryFigures> read_memory_figures();

class DiagnosticWindow : public QWidget {
    Q_OBJECT
public:
    // Follows every change the notifier announces.
    DiagnosticWindow(Session& session, DesignNotifier& notifier, QWidget* parent = nullptr);

    void refresh();
    QTableWidget* table() const { return table_; }
    bool active() const { return active_; }

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    Session& session_;
    QLabel* memory_;
    QTableWidget* table_;
    bool active_ = false;
};

} // namespace halvern
