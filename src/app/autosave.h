#pragma once
// Never more than a minute of work lost: while the design differs from its file, a copy is written
// aside after each stretch of editing and when the editor loses the focus, never over the design's
// own file. The copy goes as soon as the design matches its file again (Save, New, Load) and when
// the editor closes cleanly; one left behind tells that the editor did not end.

#include <QObject>
#include <QTimer>

#include <chrono>

#include "app/design_notifier.h"
#include "app/recovery_files.h"

namespace halvern {

struct Session;
class DesignHistory;

class Autosave : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds default_interval{60'000};

    Autosave(Session& session, DesignHistory& history, QObject* parent = nullptr);

    // How long after the first unsaved edit the copy is written.
    void set_interval(std::chrono::milliseconds interval) { timer_.setInterval(interval); }
    std::chrono::milliseconds interval() const { return timer_.intervalAsDuration(); }

    // Writes the copy when the design changed since the last one and differs from its file.
    void write_if_due();
    // A clean end (the design was saved or given up): the copy goes.
    void finish();

    RecoveryFiles& files() { return files_; }

signals:
    // A copy could not be written (told once until one succeeds again).
    void write_failed(const QString& message);

private:
    void follow(Changes what);
    void clean_changed(bool clean);

    Session& session_;
    DesignHistory& history_;
    RecoveryFiles files_;
    QTimer timer_;
    bool pending_ = false;
    bool failure_told_ = false;
};

} // namespace halvern
