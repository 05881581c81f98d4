#pragma once
// When the 3D window rebuilds its scene. One build runs at a time; changes that arrive while it
// runs are gathered into one more build after it, so a burst of edits costs two builds, not one
// per edit, and the newest design is always the last one shown. A hidden window builds nothing
// until it is shown again.

namespace halvern {

class RebuildSchedule {
public:
    // The design changed; true: start a build now.
    bool changed();
    // The build that was running ended (its scene is shown); true: start the next one now.
    bool finished();
    // The window was shown or hidden; true: start a build now.
    bool set_visible(bool visible);

    bool building() const { return building_; }
    // A change arrived that no started build includes yet.
    bool pending() const { return pending_; }

private:
    bool start_if_due();
    bool visible_ = false;
    bool building_ = false;
    bool pending_ = true; // nothing has been built yet
};

} // namespace halvern
