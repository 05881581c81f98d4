#pragma once
// What the project tests share: a small library, the case files, and a way to place objects.

#include <filesystem>
#include <string>

#include "library/component_table.h"
#include "plan/plan_table.h"
#include "project/project_reader.h"
#include "plan/stand_settings.h"
#include "support/object_builder.h"
#include "support/object_entry.h"
#include "support/test_support.h"

namespace halvern::testing {

// Components 10, 11 and 12 exist; every other number is free.
inline const ComponentTable& test_components()
{
    static const ComponentTable table = [] {
        ComponentTable t;
        const char* names[] = {"panneau 100", "panneau 50", "comptoir"};
        for (int k = 0; k < 3; ++k) {
            Component& c = t[10 + k];
            c.name = names[k];
            c.width = 100 - 25 * k;
            c.depth = 10;
            c.height = 228;
        }
        return t;
    }();
    return table;
}

inline std::filesystem::path project_case(const std::string& name)
{
    return source_dir() / "tests" / "project" / "cases" / name;
}

// Appends an object with the given component, position and group.
inline int place(PlanTable& plan, float comp, float x, float y, int groupe = 0)
{
    return build_object(plan, comp, x, y).bare().group(groupe);
}

struct ReadCase {
    PlanTable plan;
    StandSettings stand;
    ProjectReadResult result;
};

// Reads a case file as Load or Import would, into `into` (an empty design unless given).
inline ReadCase read_case(const std::string& name, ReadMode mode = ReadMode::load, ReadCase into = {})
{
    std::string bytes = read_bytes(project_case(name));
    into.result = read_project_text(bytes, project_case(name), detect_project_format(bytes), mode,
                                    test_components(), into.plan, into.stand);
    return into;
}

} // namespace halvern::testing
