#include "app/autosave.h"

#include "app/design_history.h"
#include "app/session.h"

namespace halvern {

Autosave::Autosave(Session& session, DesignHistory& history, QObject* parent)
    : QObject(parent), session_(session), history_(history)
{
    timer_.setSingleShot(true);
    timer_.setInterval(default_interval);
    connect(&timer_, &QTimer::timeout, this, &Autosave::write_if_due);
    connect(&history_.notifier(), &DesignNotifier::changed, this, &Autosave::follow);
    connect(&history_.stack(), &QUndoStack::cleanChanged, this, &Autosave::clean_changed);
}

void Autosave::follow(Changes what)
{
    // The view is no part of the design's file.
    if (!(what.has(Change::objects) || what.has(Change::renumbered) || what.has(Change::file)))
        return;
    if (!history_.modified())
        return;
    pending_ = true;
    // The interval counts from the first edit after the last copy: steady editing is still copied.
    if (!timer_.isActive())
        timer_.start();
}

void Autosave::clean_changed(bool clean)
{
    if (clean)
        finish();
}

void Autosave::write_if_due()
{
    timer_.stop();
    if (!pending_ || !history_.modified())
        return;
    pending_ = false;
    if (auto written = files_.write(session_.plan, session_.stand, session_.project.file_name); !written) {
        if (!failure_told_)
            emit write_failed(QString::fromStdString(written.error().text()));
        failure_told_ = true;
        return;
    }
    failure_told_ = false;
}

void Autosave::finish()
{
    timer_.stop();
    pending_ = false;
    files_.remove();
}

} // namespace halvern
