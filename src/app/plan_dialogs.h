#pragma once
// The dialogs a Ctrl press on the plan asks for. The window runs them after the interaction call
// that asked, each inside one undo step, so a dialog edits the tables directly and its OK is
// one step whatever it touched; a Cancel that changed nothing leaves no step. A dialog left empty
// has no window yet: the press then changes nothing.

#include <functional>
#include <vector>

namespace halvern {

struct PlanDialogs {
    std::function<void(int object)> object_properties;
    std::function<void(const std::vector<int>& objects)> group_properties;
    std::function<void(int component)> object_editor;
};

} // namespace halvern
