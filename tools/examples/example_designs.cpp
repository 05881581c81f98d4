// The three example designs: where each object stands. The stand floor runs from (100, 100) to
// (100 + 100 x width, 100 + 100 x depth) centimetres; the back is the top edge (y = 100).

#include <algorithm>

#include "examples/design_builder.h"
#include "plan/plan_ends.h"

namespace halvern::tools {

namespace {

// Components of the built-in catalogue and of the starter libraries, by what they are.
enum : int {
    frame_gold = 3,
    frame_pink = 5,
    frame_white = 8,
    profile_long = 2300,
    profile_short = 2301,
    bend_a_int = 2302,
    oval_post = 2317,
    roll_up_85 = 100,
    roll_up_100 = 101,
    beach_flag = 102,
    hanging_banner = 103,
    name_sign = 109,
    brochure_rack = 105,
    counter_brochures = 106,
    counter_150 = 201,
    curved_counter = 202,
    bean_counter = 205,
    round_table = 300,
    bar_table = 302,
    chair = 303,
    bar_stool = 304,
    sofa = 306,
    armchair = 307,
    coffee_table = 308,
    wall_panel = 400,
    wall_shelf = 402,
    showcase = 404,
    carpet = 500,
    podium = 502,
    floor_sticker = 503,
    arm_spotlight = 1100,
    floor_lamp = 1101,
    counter_lamp = 1102,
    lighting_track = 1103,
    tripod_projector = 1104,
    light_column = 1105,
    ficus = 1200,
    table_plant = 1202,
    bamboo = 1205,
    screen_stand = 1300,
    screen_55 = 1301,
    screen_75 = 1302,
    tablet_kiosk = 1303,
    touch_table = 1304,
};

// Stand form bits: walls, header bands.
constexpr int wall_front = 1 << 0, wall_back = 1 << 1, wall_right = 1 << 2, wall_left = 1 << 3;
constexpr int band_front = 1 << 11;

// Four chairs facing a table: each chair's back is away from the table.
void table_with_chairs(DesignBuilder& d, int table, double x, double y, double gap)
{
    d.drop(table, x, y);
    d.drop(chair, x, y - gap, 0);
    d.drop(chair, x + gap, y, 90);
    d.drop(chair, x, y + gap, 180);
    d.drop(chair, x - gap, y, 270);
}

ExampleDesign finish(const std::string& file, DesignBuilder& d)
{
    return {file, d.stand(), d.plan()};
}

} // namespace

// A 3 x 3 m stand in a row of shell stands: the hall's walls on three sides and a header band over
// the open front. Inside, a printed wall of frames in an L, a counter with a lamp on it, a bar
// table, a wall panel carrying a shelf and two spotlights.
ExampleDesign shell_stand(const ComponentTable& components)
{
    DesignBuilder d(components, {3, 3, wall_back | wall_right | wall_left | band_front, "", "Example",
                                 "Shell stand 3 x 3 m"});
    d.drop(carpet, 250, 250);
    // The back wall, then its return down the left side, the printed faces towards the stand.
    const int back = d.frame_run({frame_gold, frame_gold, frame_pink}, 104, 106, 0, 228);
    const int first_back = back - 2;
    const PlanPoint corner = end_point(d.plan(), components, first_back, 1);
    const int side = d.frame_ending_at(frame_gold, corner.x, corner.y, 270, 228);
    const PlanPoint side_end = end_point(d.plan(), components, side, 1);
    d.frame_ending_at(frame_pink, side_end.x, side_end.y, 270, 228);

    d.drop(counter_150, 280, 340);
    d.drop(counter_lamp, 320, 335);
    d.drop(counter_brochures, 240, 330);
    d.drop(bar_table, 170, 270);
    d.drop(table_plant, 172, 268);
    d.drop(bar_stool, 130, 270);
    d.drop(bar_stool, 210, 270);
    d.drop(roll_up_85, 150, 370);
    d.drop(brochure_rack, 375, 370);
    d.drop(ficus, 355, 160);

    // A panel along the right wall, its printed recto towards the stand; the shelf and the
    // spotlights are dropped near its magnets and pulled onto them.
    d.drop(wall_panel, 396, 300, 90);
    d.drop(wall_shelf, 380, 302, 90);
    d.drop(arm_spotlight, 377, 262, 90);
    d.drop(arm_spotlight, 377, 338, 90);
    return finish("shell_stand_3x3.qlm", d);
}

// A 6 x 3 m corner stand, open on the front and the right: a printed wall of profile pieces runs
// up the left side and, round a bend, along the back. A bean counter under a name sign, a screen
// on its stand, a table with chairs.
ExampleDesign corner_stand(const ComponentTable& components)
{
    DesignBuilder d(components, {6, 3, wall_back | wall_left, "", "Example", "Corner stand 6 x 3 m"});
    d.drop_sized(carpet, 400, 250, 600, 300);

    // The profile wall, piece by piece on the magnets at their ends: two straights going up the
    // left side, the bend, then the back towards the right, closed by a post.
    const int start = d.plan().nb_objets + 1;
    int piece = d.drop(profile_long, 0, 0, 270);
    piece = d.attach(profile_long, 0, piece, 1);
    piece = d.attach(bend_a_int, 1, piece, 1);
    piece = d.attach(profile_long, 0, piece, 0);
    for (int k = 0; k < 5; ++k)
        piece = d.attach(profile_long, 0, piece, 1);
    piece = d.attach(profile_short, 0, piece, 1);
    piece = d.attach(oval_post, 0, piece, 1);
    // Then the whole wall is moved into the stand's back left corner.
    double min_x = 1e9, min_y = 1e9;
    for (int i = start; i <= piece; ++i)
        for (int e : {1, 2}) {
            const PlanPoint p = end_point(d.plan(), components, i, e);
            min_x = std::min(min_x, p.x);
            min_y = std::min(min_y, p.y);
        }
    d.shift(start, piece, 108 - min_x, 108 - min_y);

    d.drop(bean_counter, 430, 300, 180);
    d.drop(counter_lamp, 470, 285);
    const int sign = d.drop(name_sign, 430, 250);
    d.plan().obj_texte[size_t(sign)] = "Welcome";
    d.drop(screen_stand, 300, 170);
    d.drop(screen_75, 300, 202);
    d.drop(tripod_projector, 170, 260);
    d.drop(light_column, 200, 320);
    table_with_chairs(d, round_table, 590, 300, 55);
    d.drop(ficus, 655, 160);
    d.drop(roll_up_100, 260, 385);
    return finish("corner_stand_6x3.qlm", d);
}

// An 8 x 6 m island stand open on all four sides: a printed tower of frames in the middle with a
// ring banner hung over it and screens on two of its sides, a curved counter at the front, a
// lounge, a meeting table, a partition of wall panels with a shelf and spotlights, lighting tracks.
ExampleDesign island_stand(const ComponentTable& components)
{
    DesignBuilder d(components, {8, 6, 0, "", "Example", "Island stand 8 x 6 m"});
    d.drop_sized(carpet, 500, 400, 800, 600);

    // The tower: four sides of two frames each, the printed recto facing out, 3.4 m high.
    const double side = 2 * components[frame_gold].width, left = 500 - side / 2, top = 360 - side / 2;
    d.frame_run({frame_gold, frame_gold}, left + side, top, 180, 340);
    d.frame_run({frame_gold, frame_gold}, left, top, 90, 340);
    d.frame_run({frame_gold, frame_gold}, left, top + side, 0, 340);
    d.frame_run({frame_gold, frame_gold}, left + side, top + side, 270, 340);
    d.drop(hanging_banner, 500, 360);

    // Screens on stands against the tower's front and back.
    d.drop(screen_stand, 500, 510);
    d.drop(screen_75, 500, 542);
    d.drop(screen_stand, 500, 210, 180);
    d.drop(screen_55, 500, 178);

    // The counter at the front, its printed curve towards the aisle, with two lamps.
    d.drop(curved_counter, 500, 600, 180);
    d.drop(counter_lamp, 450, 630);
    d.drop(counter_lamp, 550, 630);
    d.drop(tablet_kiosk, 680, 620);

    // The lounge on the left, the meeting table on the right.
    d.drop(sofa, 220, 520);
    d.drop(coffee_table, 220, 600);
    d.drop(armchair, 330, 600, 90);
    d.drop(floor_lamp, 120, 470);
    d.drop(lighting_track, 230, 560);
    table_with_chairs(d, round_table, 780, 500, 55);
    d.drop(lighting_track, 780, 500);
    d.drop(touch_table, 760, 200);

    // A partition of two panels at the back left, a shelf on one and spotlights on the other.
    d.drop(wall_panel, 200, 150);
    d.drop(wall_panel, 300, 150);
    d.drop(wall_shelf, 201, 168);
    d.drop(arm_spotlight, 262, 170);
    d.drop(arm_spotlight, 338, 170);

    d.drop(showcase, 700, 360, 90);
    d.drop(podium, 300, 380);
    d.drop(floor_sticker, 820, 330);
    d.drop(ficus, 860, 150);
    d.drop(bamboo, 860, 590);
    d.drop(beach_flag, 150, 665);
    d.drop(beach_flag, 850, 665);
    return finish("island_stand_8x6.qlm", d);
}

} // namespace halvern::tools
