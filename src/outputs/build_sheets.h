#pragma once
// What the crew on the hall floor needs to put the stand up: the packing list, the wall runs in the
// order they are built, with the pieces at every joint and the print file of every face, and the
// free objects. Computed from the plan alone, so that the PDF, the JSON and the tests see one thing.
//
// A wall run is a straight line of built-in walls (the modular frames of library 0, the profiles of
// library 23) joined end to end: the chain of joined objects
// is cut at every joint that is not straight (a corner) and at every joint where three or more
// frames meet. The pieces at a joint are the bill's own additions at the frames' ends there, so the
// pieces of every run page add up to the packing list.

#include <string>
#include <vector>

#include "library/component_table.h"
#include "outputs/print_pack.h"
#include "plan/plan_ends.h"
#include "plan/plan_table.h"

namespace halvern {

struct PieceCount {
    int component = 0;
    double quantity = 0;
    friend bool operator==(const PieceCount&, const PieceCount&) = default;
};

struct RunJoint {
    enum class Kind { free_end, straight, corner, branch }; // branch: three or more frames meet
    Kind kind = Kind::free_end;
    PlanPoint at;
    std::vector<int> objects;    // every built-in frame with an end here, in number order
    std::vector<int> other_runs; // indexes in BuildSheets::runs of the other runs that end here
    std::vector<PieceCount> pieces; // counted at this run's frames' ends here, in component order
};

struct FaceFiles {
    int face = 1;                     // 1 recto, 2 verso
    std::vector<std::string> files;   // as the print pack names them: one, or one per strip
    bool has_picture = false;
};

struct RunFrame {
    int object = 0;
    int component = 0;
    double height = 228;        // 0 read as 228
    double width = 0;           // the component's width: its length along the run
    std::vector<int> modules;   // stacked bottom to top; none for a profile
    bool turned = false;        // its recto faces the run's back
    std::vector<PieceCount> pieces; // the frame's own: its horizontal frames and printed visual, or the profile itself
    std::vector<FaceFiles> faces;
};

struct WallRun {
    std::vector<RunFrame> frames; // left to right as seen from the front (the recto of its lowest-numbered frame)
    std::vector<RunJoint> joints; // frames.size() + 1: the left end, the joints between frames, the right end
    double length = 0;            // cm
    PlanPoint left, right;        // its two ends on the plan
    bool loop = false;            // a closed loop, cut at its lowest-numbered frame
    int lowest_object() const;
    PlanPoint middle() const { return {(left.x + right.x) / 2, (left.y + right.y) / 2}; }
};

struct FreeObject {
    int object = 0;
    int component = 0;
    double x = 0, y = 0; // cm from the back-left corner of the floor
    double rotation = 0, elevation = 0;
    std::vector<FaceFiles> faces;
};

struct PackingRow {
    enum class Packed { bags, pieces, metres }; // in bags of pack_by, loose, or by the metre
    int component = 0;
    std::string name;
    double quantity = 0; // pieces, or metres
    double pack_by = 0;
    Packed packed = Packed::pieces;
    int bags = 0;         // for Packed::bags
    double spare = 0;     // pieces the last bag holds beyond the quantity
    double weight_g = 0;  // quantity x unit weight
};

struct PackingGroup {
    int library = 0;
    std::string name;
    std::vector<PackingRow> rows; // in component order
    double pieces = 0;            // the rows counted in pieces
    int bags = 0;
    double weight_g = 0;
};

struct BuildSheets {
    std::vector<WallRun> runs; // in the order a crew builds them
    std::vector<FreeObject> free_objects; // built after the runs, in number order
    std::vector<PackingGroup> packing;    // by library number
    double pieces = 0;
    int bags = 0;
    double weight_g = 0;
    double print_m2 = 0;    // of the printed faces that have a picture
    int faces_without_picture = 0;
};

// Packed in bags of `pack_by` (rounded up), by the piece when `pack_by` is 0, by the metre for
// the printed visual.
PackingRow packing_row(const Component& component, int number, double quantity);

// `print` gives the print pack's settings, for the names of the faces' files.
BuildSheets make_build_sheets(const PlanTable& plan, const ComponentTable& components, const LibraryTable& libraries,
                              const PrintPackSettings& print = {});

} // namespace halvern
