#pragma once
// Reads project files of both formats into the plan object table and the stand settings.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "library/component_table.h"
#include "plan/plan_table.h"
#include "project/project_format.h"
#include "plan/stand_settings.h"

namespace halvern {

struct ProjectReadResult {
    ProjectFormat format = ProjectFormat::v11;
    int objects_added = 0;              // appended behind the objects already in the plan
    int dropped = 0;                    // objects of components missing from the library
    struct Dropped {
        int component = 0, line = 0; // the line of the object's component number
    };
    std::vector<Dropped> dropped_objects; // each of them, in file order
    std::optional<Error> dropped_note;  // names the first of them
    std::vector<Error> notes;           // values replaced by their default, objects beyond the capacity
    bool capacity_reached = false;      // objects of the file were refused: the table was full
    std::optional<Error> failure;       // the file ends inside the header or an object's fields, or is damaged
    bool values_replaced = false;       // a value no design can have (a stand size of 0) took its default

    // Everything the file holds is in the design (dropped objects aside, which the user is told
    // will be erased). Only such a read may become the design's project file.
    bool complete() const { return !failure && !capacity_reached && !values_replaced; }
};

// "v1.1" on the first line (a byte order mark, blanks, CR and quotes aside), else the old format.
ProjectFormat detect_project_format(std::string_view bytes);

// The format the first line names: "v1.1", or a number (the old format's stand width). Anything
// else, a version tag we do not read included, is refused as an unknown design format: read as
// the old format, it would give objects made of whatever the lines hold.
Result<ProjectFormat> project_format_of(std::string_view bytes, const std::filesystem::path& file);

// The bytes of a project file and the format its first line names. Fails, naming the file, when it
// cannot be read, holds no line at all or is not a design format we read: then nothing of the
// design should change.
struct ProjectBytes {
    std::string bytes;
    ProjectFormat format = ProjectFormat::v11;
};
Result<ProjectBytes> read_project_bytes(const std::filesystem::path& file);

// Reads the code page 1252 bytes of a project file of `format` and appends its objects behind the
// plan's current ones. Mode load, and every old-format file, also replaces the stand values (an old
// file keeps the wall mask). Along the way:
// - rotations become whole degrees in 0..359, (round(rot + 3600)) mod 360;
// - objects of components with no record in `components` are dropped (99, the group marker, is
//   never missing), and group references are renumbered to where the group object now stands (0
//   when it was dropped or not read), so an import also lands on the right group;
// - a stand size outside 0.5..60 m is kept with a note; one that is zero, negative or no number
//   takes its default with a note, and the read is not complete;
// - objects beyond the table's capacity are refused with a note, never written past it;
// - a file that ends inside the header or inside an object's fields keeps what was read before;
//   so does a record whose always-empty lines hold text (a line added or lost before them).
// Every object of the plan is made visible again (obj_estompe = -1).
ProjectReadResult read_project_text(std::string_view bytes, const std::filesystem::path& file,
                                    ProjectFormat format, ReadMode mode, const ComponentTable& components,
                                    PlanTable& plan, StandSettings& stand);

} // namespace halvern
