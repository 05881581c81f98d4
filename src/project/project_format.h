#pragma once
// The shape of project files, shared by the reader and the writer.
//
// Current format, tagged "v1.1": the tag line, stand width, depth, floor texture, client, title,
// wall mask, 1018 reserved lines of 0 (so that the header after the tag is 1024 values), then per
// object 113 lines: its 16 stored fields and 97 empty reserved lines. No count, no end marker.
//
// Old format (no tag, files ".vek"): stand width, depth, floor texture, client, title, 1019 ignored
// values, then per object 13 lines: the first 13 fields (no end-code overrides, no group).

#include <string_view>

namespace halvern {

inline constexpr std::string_view project_tag = "v1.1";
inline constexpr int project_header_values = 1024; // after the tag, in both formats
inline constexpr int project_stand_values = 6;     // current format: the six stand values
inline constexpr int old_stand_values = 5;         // old format: no wall mask
inline constexpr int project_object_fields = 16;
inline constexpr int project_object_lines = 113;    // the fields and 97 empty reserved lines
inline constexpr int old_object_fields = 13;
// Lines of an object record from this one on are always empty; the few before it, after the
// fields, hold the object's colour slots.
inline constexpr int project_first_empty_line = 23;

enum class ProjectFormat { v11, old };

// Load replaces the stand values; import keeps them and appends the objects to the plan.
enum class ReadMode { load, import };

// "v1.1" or "old", as the command line prints it.
std::string_view format_name(ProjectFormat format);

} // namespace halvern
