#include "vrml_builder.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace halvern::tools {

std::string plain(double value, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string s = buffer;
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.')
            s.pop_back();
    }
    if (s == "-0")
        s = "0";
    return s;
}

std::string metres(double cm) { return plain(cm / 100.0); }

VrmlBuilder::VrmlBuilder(std::string title, bool mirrored) : title_(std::move(title)), mirrored_(mirrored) {}

int VrmlBuilder::material(MaterialSpec spec)
{
    for (char c : spec.name)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_'))
            throw std::invalid_argument("material name '" + spec.name + "' is not a plain VRML name");
    materials_.push_back(std::move(spec));
    defined_.push_back(false);
    return int(materials_.size()) - 1;
}

void VrmlBuilder::include(double x, double y, double z)
{
    bounds_.min_x = std::min(bounds_.min_x, x);
    bounds_.max_x = std::max(bounds_.max_x, x);
    bounds_.min_y = std::min(bounds_.min_y, y);
    bounds_.max_y = std::max(bounds_.max_y, y);
    bounds_.min_z = std::min(bounds_.min_z, z);
    bounds_.max_z = std::max(bounds_.max_z, z);
}

std::string VrmlBuilder::appearance(const Look& look)
{
    if (look.material < 0 || size_t(look.material) >= materials_.size())
        throw std::invalid_argument(title_ + ": a part has no material");
    const size_t m = size_t(look.material);
    const MaterialSpec& spec = materials_[m];
    std::string s = "  appearance Appearance {\n";
    if (defined_[m]) {
        s += "    material USE " + spec.name + "\n";
    } else {
        defined_[m] = true;
        s += "    material DEF " + spec.name + " Material {\n";
        s += "      diffuseColor " + plain(spec.colour.r, 3) + " " + plain(spec.colour.g, 3) + " "
             + plain(spec.colour.b, 3) + "\n";
        s += "      ambientIntensity 0.4\n";
        s += "      specularColor " + plain(spec.shininess * 0.6, 3) + " " + plain(spec.shininess * 0.6, 3) + " "
             + plain(spec.shininess * 0.6, 3) + "\n";
        s += "      shininess " + plain(spec.shininess, 3) + "\n";
        s += "      transparency " + plain(spec.transparency, 3) + "\n";
        s += "    }\n";
    }
    if (!look.texture.empty())
        s += "    texture ImageTexture { url \"" + look.texture + "\" }\n";
    s += "  }\n";
    return s;
}

void VrmlBuilder::box(double x0, double x1, double y0, double y1, double z0, double z1, Look look)
{
    if (x1 < x0)
        std::swap(x0, x1);
    if (y1 < y0)
        std::swap(y0, y1);
    if (z1 < z0)
        std::swap(z0, z1);
    include(mx(x0), y0, z0);
    include(mx(x1), y1, z1);
    body_ += "Transform {\n translation " + metres(mx((x0 + x1) / 2)) + " " + metres((y0 + y1) / 2) + " "
             + metres((z0 + z1) / 2) + "\n children [\n Shape {\n" + appearance(look) + "  geometry Box { size "
             + metres(x1 - x0) + " " + metres(y1 - y0) + " " + metres(z1 - z0) + " }\n }\n ]\n}\n";
}

void VrmlBuilder::cylinder(double cx, double cz, double y0, double y1, double radius, Look look)
{
    include(mx(cx) - radius, y0, cz - radius);
    include(mx(cx) + radius, y1, cz + radius);
    body_ += "Transform {\n translation " + metres(mx(cx)) + " " + metres((y0 + y1) / 2) + " " + metres(cz)
             + "\n children [\n Shape {\n" + appearance(look) + "  geometry Cylinder { radius " + metres(radius)
             + " height " + metres(y1 - y0) + " }\n }\n ]\n}\n";
}

void VrmlBuilder::cone(double cx, double cz, double y0, double y1, double radius, Look look)
{
    include(mx(cx) - radius, y0, cz - radius);
    include(mx(cx) + radius, y1, cz + radius);
    body_ += "Transform {\n translation " + metres(mx(cx)) + " " + metres((y0 + y1) / 2) + " " + metres(cz)
             + "\n children [\n Shape {\n" + appearance(look) + "  geometry Cone { bottomRadius " + metres(radius)
             + " height " + metres(y1 - y0) + " }\n }\n ]\n}\n";
}

void VrmlBuilder::sphere(double cx, double y, double cz, double radius, Look look)
{
    include(mx(cx) - radius, y - radius, cz - radius);
    include(mx(cx) + radius, y + radius, cz + radius);
    body_ += "Transform {\n translation " + metres(mx(cx)) + " " + metres(y) + " " + metres(cz)
             + "\n children [\n Shape {\n" + appearance(look) + "  geometry Sphere { radius " + metres(radius)
             + " }\n }\n ]\n}\n";
}

void VrmlBuilder::faces(const std::vector<double>& points, const std::vector<std::vector<int>>& polygons,
                        const std::vector<double>& tex_points, Look look)
{
    std::string s = "Shape {\n" + appearance(look) + "  geometry IndexedFaceSet {\n   solid FALSE\n   convex FALSE\n";
    s += "   coord Coordinate { point [\n";
    for (size_t i = 0; i + 2 < points.size(); i += 3) {
        include(points[i], points[i + 1], points[i + 2]);
        s += "    " + metres(points[i]) + " " + metres(points[i + 1]) + " " + metres(points[i + 2]) + ",\n";
    }
    s += "   ] }\n   coordIndex [\n";
    for (const auto& polygon : polygons) {
        s += "   ";
        for (int index : polygon)
            s += " " + std::to_string(index) + ",";
        s += " -1,\n";
    }
    s += "   ]\n";
    if (!tex_points.empty()) {
        s += "   texCoord TextureCoordinate { point [\n";
        for (size_t i = 0; i + 1 < tex_points.size(); i += 2)
            s += "    " + plain(tex_points[i]) + " " + plain(tex_points[i + 1]) + ",\n";
        s += "   ] }\n";
    }
    s += "  }\n}\n";
    body_ += s;
}

void VrmlBuilder::beam(double x0, double y0, double z0, double x1, double y1, double z1, double half, Look look)
{
    x0 = mx(x0), x1 = mx(x1);
    double d[3] = {x1 - x0, y1 - y0, z1 - z0};
    const double length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    if (length <= 0)
        throw std::invalid_argument(title_ + ": a beam needs two distinct points");
    for (double& c : d)
        c /= length;
    auto cross = [](const double* a, const double* b, double* out) {
        out[0] = a[1] * b[2] - a[2] * b[1];
        out[1] = a[2] * b[0] - a[0] * b[2];
        out[2] = a[0] * b[1] - a[1] * b[0];
    };
    const double up[3] = {0, 1, 0}, side[3] = {1, 0, 0};
    double u[3], v[3];
    cross(d, std::abs(d[1]) > 0.9 ? side : up, u);
    double n = std::sqrt(u[0] * u[0] + u[1] * u[1] + u[2] * u[2]);
    for (double& c : u)
        c *= half / n;
    cross(d, u, v);
    n = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    for (double& c : v)
        c *= half / n;
    std::vector<double> points;
    const double ends[2][3] = {{x0, y0, z0}, {x1, y1, z1}};
    const int signs[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (const auto& e : ends)
        for (const auto& s : signs)
            for (int c = 0; c < 3; ++c)
                points.push_back(e[c] + s[0] * u[c] + s[1] * v[c]);
    std::vector<std::vector<int>> polygons{{0, 1, 2, 3}, {7, 6, 5, 4}};
    for (int i = 0; i < 4; ++i)
        polygons.push_back({i, (i + 1) % 4, 4 + (i + 1) % 4, 4 + i});
    faces(points, polygons, {}, look);
}

void VrmlBuilder::prism(const std::vector<P2>& outline, double y0, double y1, Look look)
{
    const int n = int(outline.size());
    if (n < 3)
        throw std::invalid_argument(title_ + ": an outline needs three points");
    std::vector<double> points;
    for (double y : {y0, y1})
        for (const P2& p : outline)
            points.insert(points.end(), {mx(p.x), y, p.z});
    std::vector<std::vector<int>> polygons;
    std::vector<int> bottom, top;
    for (int i = 0; i < n; ++i) {
        bottom.push_back(n - 1 - i);
        top.push_back(n + i);
        const int j = (i + 1) % n;
        polygons.push_back({i, j, n + j, n + i});
    }
    polygons.push_back(bottom);
    polygons.push_back(top);
    faces(points, polygons, {}, look);
}

void VrmlBuilder::wall(const std::vector<P2>& path_in, double y0, double y1, Look look)
{
    std::vector<P2> path = path_in;
    if (path.size() < 2)
        throw std::invalid_argument(title_ + ": a wall needs two points");
    for (P2& p : path)
        p.x = mx(p.x);
    if (mirrored_) // the picture keeps reading from left to right
        std::reverse(path.begin(), path.end());
    std::vector<double> length{0};
    for (size_t i = 1; i < path.size(); ++i)
        length.push_back(length.back() + std::hypot(path[i].x - path[i - 1].x, path[i].z - path[i - 1].z));
    std::vector<double> points, tex;
    for (size_t i = 0; i < path.size(); ++i) {
        points.insert(points.end(), {path[i].x, y0, path[i].z, path[i].x, y1, path[i].z});
        const double u = length.back() > 0 ? length[i] / length.back() : 0;
        tex.insert(tex.end(), {u, 0, u, 1});
    }
    std::vector<std::vector<int>> polygons;
    for (int i = 0; i + 1 < int(path.size()); ++i)
        polygons.push_back({2 * i, 2 * i + 2, 2 * i + 3, 2 * i + 1});
    faces(points, polygons, look.texture.empty() ? std::vector<double>{} : tex, look);
}

void VrmlBuilder::level_face(double x0, double x1, double z0, double z1, double y, Look look)
{
    double a = mx(x0), b = mx(x1);
    if (a > b)
        std::swap(a, b);
    std::vector<double> points{a, y, z1, b, y, z1, b, y, z0, a, y, z0};
    faces(points, {{0, 1, 2, 3}}, look.texture.empty() ? std::vector<double>{} : std::vector<double>{0, 0, 1, 0, 1, 1, 0, 1},
          look);
}

void VrmlBuilder::text(double x, double y, double z, double size, Look look)
{
    include(mx(x), y, z);
    body_ += "Transform {\n translation " + metres(mx(x)) + " " + metres(y) + " " + metres(z)
             + "\n children [\n Shape {\n" + appearance(look)
             + "  geometry Text {\n   string [ \"void_text\" ]\n   fontStyle FontStyle { size " + metres(size)
             + " justify [ \"MIDDLE\" \"MIDDLE\" ] }\n  }\n }\n ]\n}\n";
}

std::string VrmlBuilder::text_of_file() const
{
    for (size_t m = 0; m < materials_.size(); ++m)
        if (!defined_[m])
            throw std::logic_error(title_ + ": material " + materials_[m].name + " is declared but never used");
    return "#VRML V2.0 utf8\n# " + title_ + "\n" + body_;
}

} // namespace halvern::tools
