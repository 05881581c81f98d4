#pragma once
// The facts of a redraw kept from one redraw to the next. They are found again only when something
// they are found from differs from what it was when they were last found: every object's
// component, place, turn, group, fading and chain number, and the width, depth and library of its
// component. The comparison is of the values themselves, so an edit made anywhere (a gesture, a
// dialog, undo) is seen without being announced. Redraws that change nothing of that (a hover, a
// selection, a palette slide, a scroll) then skip the search through the whole plan.

#include <vector>

#include "plan/render.h"

namespace halvern {

class KeptFacts {
public:
    // The facts for the scene as it is now. The chains are renumbered only when the facts are found
    // again; they are otherwise still as that search left them.
    const PlanFacts& facts(PlanScene& scene);
    // Found again at the next call whatever the scene.
    void forget() { valid_ = false; }
    // How many times the facts were found (not taken as kept).
    int searches() const { return searches_; }

    // What the facts of one object are found from.
    struct Input {
        float comp = 0, x = 0, y = 0, rot = 0, estompe = 0;
        int groupe = 0, ilot = 0;
        double width = 0, depth = 0;
        int library = 0;
        bool operator==(const Input&) const = default;
    };

private:
    std::vector<Input> inputs_; // by object; entry 0 unused
    PlanFacts facts_;
    bool valid_ = false;
    int searches_ = 0;
};

} // namespace halvern
