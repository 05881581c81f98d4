#pragma once
// Builds the 3D companion (".dat") of a starter component: a list of VRML 2.0 nodes that the 3D
// export puts, as they are, inside the children of the object's Transform. So the file holds no
// header node of its own (its "#VRML V2.0 utf8" line is a comment there), and its coordinates are
// the component's own: metres, x along the width and z along the depth (the plan's y, the recto
// face towards +z), y up from the object's base, the footprint centred on the origin.
//
// Every part is given in centimetres, as the definition file gives the sizes, and the builder
// keeps the box that encloses everything drawn, so that the generator can hold each model to the
// size its definition declares.

#include <string>
#include <vector>

namespace halvern::tools {

struct P2 {
    double x = 0, z = 0; // plan position: x along the width, z along the depth
};

struct Colour3 {
    double r = 0.8, g = 0.8, b = 0.8; // 0..1
};

// A material. `marker` names a colour slot: the material is written after "DEF " + marker, which
// is the text the slot's `color_src` key points at, so that the export recolours exactly it.
struct MaterialSpec {
    MaterialSpec(std::string name_, Colour3 colour_, double shininess_ = 0.2, double transparency_ = 0)
        : name(std::move(name_)), colour(colour_), shininess(shininess_), transparency(transparency_)
    {
    }
    std::string name; // the DEF name, letters, digits and "_"
    Colour3 colour;
    double shininess;
    double transparency;
};

struct Bounds {
    double min_x = 1e9, max_x = -1e9, min_y = 1e9, max_y = -1e9, min_z = 1e9, max_z = -1e9;
    bool empty() const { return min_x > max_x; }
    double width() const { return max_x - min_x; }
    double height() const { return max_y - min_y; }
    double depth() const { return max_z - min_z; }
};

class VrmlBuilder {
public:
    // A mirrored builder negates every x, for the mirrored twin of a component.
    explicit VrmlBuilder(std::string title, bool mirrored = false);

    // A material used from now on; the first part drawn with it defines it, the others use it.
    int material(MaterialSpec spec);
    // The look of a part: a material, and optionally a picture wrapped over it. Pictures are named
    // by the placeholders the export replaces ("void.jpg", "void_bois.jpg", ...).
    struct Look {
        Look(int material_, std::string texture_ = {}) : material(material_), texture(std::move(texture_)) {}
        int material;
        std::string texture;
    };

    void box(double x0, double x1, double y0, double y1, double z0, double z1, Look look);
    void cylinder(double cx, double cz, double y0, double y1, double radius, Look look);
    void cone(double cx, double cz, double y0, double y1, double radius, Look look); // apex up
    void sphere(double cx, double y, double cz, double radius, Look look);
    // A bar of square section (2 half wide) from one point to another: legs, arms, fronds.
    void beam(double x0, double y0, double z0, double x1, double y1, double z1, double half, Look look);
    // A solid of a plan outline between two heights.
    void prism(const std::vector<P2>& outline, double y0, double y1, Look look);
    // An upright surface along a plan path, between two heights. With a picture, the picture runs
    // once along the path from its first point to its last, upright.
    void wall(const std::vector<P2>& path, double y0, double y1, Look look);
    // A level rectangle at height y, seen from above; a picture on it reads from the front (+z).
    void level_face(double x0, double x1, double z0, double z1, double y, Look look);
    // Text lying on the upright plane z, reading from the front, whose string the export replaces
    // by the object's text ("void_text").
    void text(double x, double y, double z, double size, Look look);

    const Bounds& bounds() const { return bounds_; }
    // The whole file: the header line, a comment naming the model, the nodes.
    std::string text_of_file() const;

private:
    void include(double x, double y, double z);
    std::string appearance(const Look& look);
    void faces(const std::vector<double>& points, const std::vector<std::vector<int>>& polygons,
               const std::vector<double>& tex_points, Look look);
    double mx(double x) const { return mirrored_ ? -x : x; }

    std::string title_;
    bool mirrored_;
    std::vector<MaterialSpec> materials_;
    std::vector<bool> defined_;
    std::string body_;
    Bounds bounds_;
};

// Metres from centimetres, in the shortest decimal form (at most four decimals).
std::string metres(double cm);
std::string plain(double value, int decimals = 4);

} // namespace halvern::tools
