// Writes the VRML fragments the 3D scene is assembled from, under lib/ of the installation folder:
//   nav02, bigomni, base(_mount)          the head: navigation, light, the floor group
//   purple .. white (+ "_mount")          the frames of the built-in walls, one per frame width
//   gold_v .. black_v (+ gold_v_mount)    the posts, one per module height
//   red, grey                             junction pieces and feet
//   purple_1cc .. brown_2cc               the printed faces of the panels, by end code
//   matrice_1, matrice_2                  the printed fabrics (one metre square, stretched)
//   lattix_traverse_droite, matrice_lattix, Courbe X int/ext(v)   the frame structure
//   wall, wallb, pot                      the room around the stand (one metre cubes, stretched)
//     make_fragments DATA_FOLDER
// Every fragment is a list of nodes that the scene puts into a children list; the base alone opens
// the group the rest of the scene fills.

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/text_file.h"
#include "geometry/component_drawing.h"
#include "geometry/point_path.h"
#include "geometry/profile_lists.h"
#include "library/builtin_catalogue.h"
#include "starter/vrml_builder.h"

namespace fs = std::filesystem;
using namespace halvern;
using namespace halvern::tools;

namespace {

const Colour3 aluminium{0.78, 0.79, 0.81};
const Colour3 anthracite{0.22, 0.23, 0.25};
constexpr double bar_half = 1.5;  // cm: half the section of a frame bar and a post
constexpr double face_gap = 2.2;  // cm: the printed faces sit this far in front of the frame's axis
constexpr double lattix_height = 11.1; // cm: the section of a frame-structure bar

struct Written {
    fs::path lib;
    int count = 0;
    void operator()(const std::string& name, const std::string& text)
    {
        std::string out;
        for (char ch : text) {
            if (ch == '\n')
                out += '\r';
            out += ch;
        }
        if (Result<void> w = write_file_safely(lib / (name + ".dat"), out); !w)
            throw std::runtime_error(w.error().text());
        ++count;
    }
};

std::string header(const std::string& title) { return "#VRML V2.0 utf8\n# " + title + "\n"; }

std::string navigation()
{
    return header("How the viewer moves") +
           "NavigationInfo {\n type [ \"EXAMINE\" \"ANY\" ]\n headlight TRUE\n speed 2\n"
           " avatarSize [ 0.25 1.6 0.75 ]\n visibilityLimit 0\n}\n";
}

std::string light()
{
    // Ends with "," so that the scene can always drop the separator of its last child.
    return header("Light over the stand") +
           "DirectionalLight { direction -0.4 -1 -0.6 intensity 0.7 ambientIntensity 0.3 },\n"
           "PointLight { location 0 6 4 intensity 0.6 radius 40 attenuation 1 0 0 },\n";
}

// The floor, the first viewpoint and the group the scene fills; coloured: a plainer background.
std::string base(bool mount)
{
    const std::string sky = mount ? "0.93 0.93 0.9" : "0.78 0.84 0.9";
    return header(mount ? "The floor, for the coloured view" : "The floor") +
           "Background { skyColor [ " + sky + " ] groundColor [ " + sky + " ] }\n"
           "Viewpoint {\n position wrl_camx wrl_camz wrl_camy\n orientation 1 0 0 -0.3\n"
           " description \"Stand\"\n}\n"
           "Transform {\n translation wrl_globx 0 wrl_globy\n children [\n"
           "Transform {\n translation wrl_posx -0.01 wrl_posy\n children [\n"
           "Shape {\n  appearance Appearance {\n"
           "    material DEF Floor Material { diffuseColor 0.9 0.9 0.9 ambientIntensity 0.5 }\n"
           "    texture ImageTexture { url \"void_sol.jpg\" }\n"
           "    textureTransform TextureTransform { scale wrl_lenx wrl_leny }\n  }\n"
           "  geometry Box { size wrl_lenx 0.02 wrl_leny }\n}\n ]\n},\n";
}

MaterialSpec metal(const std::string& name, Colour3 colour) { return MaterialSpec(name, colour, 0.6); }

// A horizontal bar along x, `length` cm, centred.
std::string frame_bar(const std::string& title, double length, Colour3 colour)
{
    VrmlBuilder b(title);
    const int m = b.material(metal("Frame", colour));
    b.box(-length / 2, length / 2, -bar_half, bar_half, -bar_half, bar_half, {m});
    return b.text_of_file();
}

// An upright post, `height` cm, centred on the origin.
std::string post(const std::string& title, double height, Colour3 colour)
{
    VrmlBuilder b(title);
    const int m = b.material(metal("Post", colour));
    b.cylinder(0, 0, -height / 2, height / 2, 2, {m});
    return b.text_of_file();
}

std::string junction()
{
    VrmlBuilder b("Junction piece at the top of a module");
    const int m = b.material(metal("Junction", anthracite));
    b.box(-3, 3, -1, 1, -2.5, 2.5, {m});
    return b.text_of_file();
}

std::string foot()
{
    VrmlBuilder b("Foot");
    const int m = b.material(metal("Foot", {0.5, 0.5, 0.52}));
    b.box(-2, 2, -2, 0, -2, 2, {m});
    b.box(-4, 4, -3, -2, -20, 20, {m});
    return b.text_of_file();
}

// A printed face: an upright plane from x0 to x1, one metre high (the scene stretches it to the
// wall's height), in front of (recto) or behind (verso) the frame, reading from its own side.
std::string face(const std::string& title, double x0, double x1, bool recto)
{
    VrmlBuilder b(title);
    const int m = b.material(MaterialSpec("Print", {1, 1, 1}, 0.1));
    const double z = recto ? face_gap : -face_gap;
    std::vector<P2> path = recto ? std::vector<P2>{{x0, z}, {x1, z}} : std::vector<P2>{{x1, z}, {x0, z}};
    b.wall(path, 0, 100, {m, "void.jpg"});
    return b.text_of_file();
}

// The panel face of a built-in panel for an end code: its ends move as the frame's end pieces do.
std::string panel_face(int component, const std::string& code, bool recto)
{
    ComponentTable table;
    fill_builtin_catalogue(table, "en");
    const double L = table[component].width;
    const EndOffsets o = end_offsets(code);
    return face(std::string(recto ? "Recto" : "Verso") + " of panel " + std::to_string(component) + ", ends " + code,
                -L / 2 - o.end1, L / 2 + o.end2, recto);
}

std::string unit_box(const std::string& title, Colour3 colour, double shininess)
{
    VrmlBuilder b(title);
    const int m = b.material(MaterialSpec("Room", colour, shininess));
    b.box(-50, 50, 0, 100, -50, 50, {m});
    return b.text_of_file();
}

std::string lattix_bar()
{
    VrmlBuilder b("Frame-structure bar, one metre long (stretched to the piece)");
    const int m = b.material(metal("Lattix", aluminium));
    b.box(-50, 50, 0, lattix_height, -1.85, 1.85, {m});
    return b.text_of_file();
}

std::string lattix_face()
{
    VrmlBuilder b("Printed face of a frame-structure bar");
    const int m = b.material(MaterialSpec("Print", {1, 1, 1}, 0.1));
    b.wall({{-50, 0}, {50, 0}}, 0, 100, {m, "void.jpg"});
    return b.text_of_file();
}

struct BendData {
    int component;
    int body, line;
    double shift;      // cm: the printed line's offset on the plan
    double face_shift; // m: the offset the scene adds to the printed face
};

constexpr BendData bends[] = {
    {2302, 1, 2, 2.65, -0.005},  {2303, 3, 2, -0.85, 0.038}, {2304, 4, 5, 2.65, -0.006},
    {2305, 6, 5, -1.65, 0.037},  {2306, 7, 8, 2.65, 0},      {2307, 9, 8, -2.65, 0.038},
    {2308, 10, 11, 2.25, -0.01}, {2309, 12, 11, -1.85, 0.038}, {2310, 13, 14, 1.65, -0.028},
    {2311, 15, 14, -1.85, 0.020},
};

std::vector<P2> points_of(const PointListData& list, double offset_z)
{
    std::vector<P2> out;
    for (const PointD& p : parse_point_list(list.points, list.width, list.depth, 0, offset_z).points)
        out.push_back({p.x, p.y});
    return out;
}

std::string bend_body(const std::string& name, const BendData& bend)
{
    VrmlBuilder b(name + ": the curved bar, as the plan draws its body");
    const int m = b.material(metal("Lattix", aluminium));
    b.prism(points_of(bend_list(bend.body), 0), 0, lattix_height, {m});
    return b.text_of_file();
}

std::string bend_face(const std::string& name, const BendData& bend)
{
    VrmlBuilder b(name + ": the printed face along the bend, one metre high (stretched)");
    const int m = b.material(MaterialSpec("Print", {1, 1, 1}, 0.1));
    // The scene moves the face by its offset; the face itself follows the plan's printed line.
    b.wall(points_of(bend_list(bend.line), bend.shift - bend.face_shift * 100), 0, 100, {m, "void.jpg"});
    return b.text_of_file();
}

void write_all(Written& write)
{
    write("nav02", navigation());
    write("bigomni", light());
    write("base", base(false));
    write("base_mount", base(true));

    ComponentTable table;
    fill_builtin_catalogue(table, "en");
    struct Frame {
        std::string name;
        int component;
        Colour3 colour;
        bool mount;
    };
    const Frame frames[] = {
        {"purple", 0, {0.5, 0.2, 0.6}, true}, {"lime", 1, {0.6, 0.85, 0.2}, false},
        {"brown", 2, {0.5, 0.32, 0.18}, true}, {"gold", 3, {0.85, 0.68, 0.2}, true},
        {"silver", 4, {0.75, 0.75, 0.78}, false}, {"pink", 5, {0.92, 0.5, 0.66}, true},
        {"blue", 6, {0.2, 0.4, 0.8}, true},    {"green", 7, {0.2, 0.62, 0.3}, true},
        {"white", 8, {0.95, 0.95, 0.95}, false},
    };
    for (const Frame& f : frames) {
        const double length = table[f.component].width;
        write(f.name, frame_bar("Frame of component " + std::to_string(f.component), length, aluminium));
        if (f.mount)
            write(f.name + "_mount",
                  frame_bar("Frame of component " + std::to_string(f.component) + ", coloured", length, f.colour));
    }
    struct Post {
        std::string name;
        int module;
        Colour3 colour;
    };
    const Post posts[] = {{"gold_v", 3, {0.85, 0.68, 0.2}}, {"silver_v", 4, aluminium}, {"pink_v", 5, aluminium},
                          {"green_v", 7, aluminium},        {"white_v", 8, aluminium},  {"black_v", 9, anthracite}};
    for (const Post& p : posts) {
        const double height = table[p.module].width;
        write(p.name, post("Post of module " + std::to_string(p.module), height, p.name == "black_v" ? anthracite : aluminium));
        if (p.name == "gold_v")
            write("gold_v_mount", post("Post of module 3, coloured", height, p.colour));
    }
    write("red", junction());
    write("grey", foot());

    for (const char* code : {"CC", "RR", "CR", "OR", "RC", "RO", "CO", "OC", "OO"})
        write(std::string("purple_1") + char(std::tolower(code[0])) + char(std::tolower(code[1])),
              panel_face(0, code, true));
    write("purple_2cc", panel_face(0, "CC", false));
    write("purple_2rc", panel_face(0, "RC", false));
    write("lime_1cc", panel_face(1, "CC", true));
    write("lime_1oc", panel_face(1, "OC", true));
    write("lime_2cc", panel_face(1, "CC", false));
    write("brown_1cc", panel_face(2, "CC", true));
    write("brown_1oo", panel_face(2, "OO", true));
    write("brown_2cc", panel_face(2, "CC", false));
    write("matrice_1", face("Printed fabric, recto, one metre square (stretched)", -50, 50, true));
    write("matrice_2", face("Printed fabric, verso, one metre square (stretched)", -50, 50, false));

    write("lattix_traverse_droite", lattix_bar());
    write("matrice_lattix", lattix_face());
    for (const BendData& bend : bends) {
        const std::string name = table[bend.component].name;
        write(name, bend_body(name, bend));
        write(name + "v", bend_face(name, bend));
    }

    write("wall", unit_box("Room wall, one metre cube (stretched)", {0.94, 0.94, 0.92}, 0.05));
    write("wallb", unit_box("Header band, one metre cube (stretched)", {0.16, 0.3, 0.55}, 0.2));
    write("pot", unit_box("Room post and rail, one metre cube (stretched)", aluminium, 0.6));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fragments DATA_FOLDER\n");
        return 2;
    }
    Written write{fs::path(argv[1]) / "lib"};
    try {
        fs::create_directories(write.lib);
        write_all(write);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_fragments: %s\n", e.what());
        return 1;
    }
    std::printf("%d fragments written under %s\n", write.count, write.lib.string().c_str());
    return 0;
}
