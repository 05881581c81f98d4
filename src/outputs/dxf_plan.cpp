#include "outputs/dxf_plan.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

#include <dxflib/dl_dxf.h>

#include "base/numbers.h"
#include "base/text_file.h"
#include "outputs/dxf_outline.h"
#include "outputs/dxf_text.h"
#include "outputs/dxf_writer.h"
#include "plan/panel_size.h"
#include "plan/plan_ends.h"
#include "plan/plan_range.h"

namespace halvern {

namespace {

constexpr double radians = std::numbers::pi / 180;
constexpr double wall_half_mm = 40;     // the plan's walls: 4 cm either side of the floor's edge
constexpr double face_gap_cm = 1;       // a face's line stands this far off the component's side
constexpr int colour_by_block = 0;
constexpr int colour_by_layer = 256;
constexpr double default_frame_height = 228;

struct Layer {
    const char* name;
    int colour; // the CAD colour index
};
constexpr Layer layers[] = {
    {"0", 7},
    {dxf_layer_stand, 8},
    {dxf_layer_frames, 7},
    {dxf_layer_furniture, 4},
    {dxf_layer_pictures, 5},
    {dxf_layer_labels, 3},
    {dxf_layer_dimensions, 1},
};

DL_Attributes on_layer(const char* layer, int colour = colour_by_layer)
{
    return DL_Attributes(layer, colour, -1, colour == colour_by_block ? "BYBLOCK" : "BYLAYER", 1.0);
}

bool frame_library(int library) { return library == 0 || library == 23; }

// What makes two objects look the same seen from above: the component, the size it is drawn at
// when it follows the object's size, and for a built-in frame the end code its outline follows.
struct BlockKey {
    int component = 0;
    double width = 0, depth = 0;
    std::string end_code;
    auto operator<=>(const BlockKey&) const = default;
};

struct Block {
    std::string name;
    std::vector<DxfPath> paths;
};

struct Context {
    const PlanScene& scene;
    // The components as the blocks draw them: the magnet circles the plan shows at a component's
    // ends help placing on screen and are nothing a hall or a draughtsman builds.
    ComponentTable outlines;
    std::vector<std::string> end_codes; // computed, by object number
    std::map<BlockKey, Block> blocks;
    std::vector<std::string> block_names;
    double text_height = 100; // mm
};

double or_hundred(double size) { return size == 0 ? 100.0 : size; }

BlockKey key_of(const Context& ctx, int i)
{
    const PlanTable& plan = ctx.scene.plan;
    const Component& c = ctx.scene.components[plan.comp(i)];
    BlockKey key;
    key.component = plan.comp(i);
    key.width = or_hundred(c.resize_x == 1 ? plan.obj_largeur[size_t(i)] : c.width);
    key.depth = or_hundred(c.resize_y == 1 ? plan.obj_profondeur[size_t(i)] : c.depth);
    if (c.library == 0 && size_t(i) < ctx.end_codes.size() && ctx.end_codes[size_t(i)].size() == 2)
        key.end_code = ctx.end_codes[size_t(i)];
    else if (c.library == 0)
        key.end_code = "OO";
    return key;
}

// Centimetres as the plan writes them ("76.3"): a point is a character block names may hold.
std::string size_text(double cm) { return format_number(round_half_away(cm * 100) / 100); }

std::string block_name(const Context& ctx, const BlockKey& key)
{
    char number[16];
    std::snprintf(number, sizeof number, "C%04d", key.component);
    std::string name = number;
    const std::string part = dxf_name_part(ctx.scene.components[key.component].name);
    if (!part.empty())
        name += "_" + part;
    name += "_" + size_text(key.width) + "x" + size_text(key.depth);
    if (!key.end_code.empty())
        name += "_" + dxf_name_part(key.end_code);
    // Sizes of the same rounding or codes of the same letters could meet: a number keeps them apart.
    std::string unique = name;
    for (int n = 2; std::find(ctx.block_names.begin(), ctx.block_names.end(), unique) != ctx.block_names.end(); ++n)
        unique = name + "_" + std::to_string(n);
    return unique;
}

const Block& block_of(Context& ctx, int i)
{
    const BlockKey key = key_of(ctx, i);
    auto found = ctx.blocks.find(key);
    if (found != ctx.blocks.end())
        return found->second;
    ComponentLook look;
    look.component = key.component;
    look.object_width = key.width;
    look.object_depth = key.depth;
    look.end_code = key.end_code.empty() ? std::string_view("OO") : std::string_view(key.end_code);
    Component& drawn = ctx.outlines[key.component];
    if (drawn.no_magnet.empty() || parse_number(drawn.no_magnet) == 0)
        drawn.no_magnet = "1";
    Block block{block_name(ctx, key), component_outline_paths(ctx.outlines, look)};
    ctx.block_names.push_back(block.name);
    return ctx.blocks.emplace(key, std::move(block)).first->second;
}

Result<void> check_range(const PlanScene& scene)
{
    const StandSettings& stand = scene.stand;
    if (!plan_stand_side_in_range(stand.stand_largeur * 100.0) || !plan_stand_side_in_range(stand.stand_profondeur * 100.0))
        return make_error("the stand's sides must lie between 0 and " + format_number(plan_max_stand_side_cm / 100)
                          + " m");
    const PlanTable& plan = scene.plan;
    for (int i = 1; i <= plan.nb_objets; ++i) {
        if (!has_geometry(plan, i))
            continue;
        const size_t I = size_t(i);
        for (double v : {double(plan.obj_x[I]), double(plan.obj_y[I]), double(plan.obj_largeur[I]),
                         double(plan.obj_profondeur[I]), double(plan.obj_hauteur[I])})
            if (!plan_coordinate_in_range(v))
                return make_error("object " + std::to_string(i) + " lies outside the plan's range (+-"
                                  + format_number(plan_max_coordinate_cm) + " cm)");
        if (!std::isfinite(plan.obj_rot[I]))
            return make_error("object " + std::to_string(i) + " has no valid rotation");
    }
    return {};
}

// One of the stand's two dimensions: measured from `a` to `b`, its line `offset` away on the side
// `out` points to. CAD programs draw a dimension from the block it names, so the block is written
// too: the extension lines, the dimension line, two arrows and the measured text.
struct Dimension {
    std::string block;
    DxfPoint a, b, out;
    double offset = 0;
    double angle = 0; // degrees, the direction from a to b
    double measured() const { return std::hypot(b.x - a.x, b.y - a.y); }
};

std::vector<Dimension> stand_dimensions(const StandSettings& stand, double dim_scale)
{
    const DxfPoint far = plan_to_dxf(stand, 100 + 100.0 * stand.stand_largeur, 100);
    const double offset = 12 * dim_scale;
    // The width below the front edge, the depth left of the left side.
    return {{"*D1", {0, 0}, {far.x, 0}, {0, -1}, offset, 0},
            {"*D2", {0, 0}, {0, far.y}, {-1, 0}, offset, 90}};
}

void write_dimension_block(DL_Dxf& dxf, DxfTextWriter& dw, const Dimension& d, double dim_scale)
{
    const DL_Attributes attributes = on_layer("0", colour_by_block);
    const double ux = (d.b.x - d.a.x) / d.measured(), uy = (d.b.y - d.a.y) / d.measured();
    const double arrow = 2.5 * dim_scale, extend = 1.25 * dim_scale, gap = 0.625 * dim_scale;
    auto at = [&](const DxfPoint& p, double along, double out) {
        return DxfPoint{p.x + ux * along + d.out.x * out, p.y + uy * along + d.out.y * out};
    };
    dxf.writeBlock(dw, DL_BlockData(d.block, 1, 0.0, 0.0, 0.0)); // 1: anonymous
    for (const DxfPoint& p : {d.a, d.b}) {
        const DxfPoint from = at(p, 0, gap), to = at(p, 0, d.offset + extend);
        dxf.writeLine(dw, DL_LineData(from.x, from.y, 0, to.x, to.y, 0), attributes);
    }
    const DxfPoint start = at(d.a, 0, d.offset), end = at(d.b, 0, d.offset);
    dxf.writeLine(dw, DL_LineData(start.x, start.y, 0, end.x, end.y, 0), attributes);
    for (const auto& [tip, inward] : {std::pair{start, 1.0}, std::pair{end, -1.0}}) {
        const DxfPoint left = at(tip, inward * arrow, arrow / 6), right = at(tip, inward * arrow, -arrow / 6);
        dxf.writeSolid(dw,
                       DL_SolidData(tip.x, tip.y, 0, left.x, left.y, 0, right.x, right.y, 0, right.x, right.y, 0, 0),
                       attributes);
    }
    // The text stands on the dimension line, read from below or from the right.
    const DxfPoint middle = at(d.a, d.measured() / 2, d.offset);
    const double up = (d.angle + 90) * radians;
    const double tx = middle.x + std::cos(up) * gap, ty = middle.y + std::sin(up) * gap;
    dxf.writeMText(dw, DL_MTextData(tx, ty, 0, std::cos(d.angle * radians), std::sin(d.angle * radians), 0, 2.5 * dim_scale,
                                    0, 8, 1, 1, 1.0, format_number(round_half_away(d.measured() * 10) / 10), "Standard",
                                    d.angle * radians),
                   attributes);
    dxf.writeEndBlock(dw, d.block);
}

void write_dimension(DxfTextWriter& dw, const Dimension& d)
{
    const double ux = (d.b.x - d.a.x) / d.measured(), uy = (d.b.y - d.a.y) / d.measured();
    dw.entity("DIMENSION");
    dw.dxfString(100, "AcDbEntity");
    dw.entityAttributes(on_layer(dxf_layer_dimensions));
    dw.dxfString(100, "AcDbDimension");
    dw.dxfString(2, d.block);
    dw.coord(10, d.b.x + d.out.x * d.offset, d.b.y + d.out.y * d.offset);
    dw.coord(11, d.a.x + ux * d.measured() / 2 + d.out.x * d.offset, d.a.y + uy * d.measured() / 2 + d.out.y * d.offset);
    dw.dxfInt(70, 32); // rotated linear, its block drawn for it alone
    dw.dxfInt(71, 5);
    dw.dxfReal(42, d.measured());
    dw.dxfString(1, "");
    dw.dxfString(3, "Standard");
    dw.dxfString(100, "AcDbAlignedDimension");
    dw.coord(13, d.a.x, d.a.y);
    dw.coord(14, d.b.x, d.b.y);
    dw.dxfReal(50, d.angle);
    dw.dxfString(100, "AcDbRotatedDimension");
}

// --- the sections ---------------------------------------------------------------------------

void write_header(DL_Dxf& dxf, DxfTextWriter& dw, const PlanScene& scene)
{
    dxf.writeHeader(dw);
    dw.dxfString(9, "$DWGCODEPAGE");
    dw.dxfString(3, dxf_code_page_name);
    dw.dxfString(9, "$INSUNITS");
    dw.dxfInt(70, 4); // millimetres
    dw.dxfString(9, "$MEASUREMENT");
    dw.dxfInt(70, 1); // metric
    const DxfPoint far = plan_to_dxf(scene.stand, 100 + 100.0 * scene.stand.stand_largeur, 100);
    dw.dxfString(9, "$EXTMIN");
    dw.coord(10, 0, 0);
    dw.dxfString(9, "$EXTMAX");
    dw.coord(10, far.x, far.y);
    dw.sectionEnd();
}

void write_tables(DL_Dxf& dxf, DxfTextWriter& dw, const Context& ctx, double dim_scale)
{
    dw.sectionTables();
    dxf.writeVPort(dw);

    dw.tableLinetypes(3);
    dxf.writeLinetype(dw, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    dw.tableEnd();

    dw.tableLayers(int(std::size(layers)));
    for (const Layer& layer : layers)
        dxf.writeLayer(dw, DL_LayerData(layer.name, 0), DL_Attributes("", layer.colour, -1, "CONTINUOUS", 1.0));
    dw.tableEnd();

    dw.tableStyle(1);
    dxf.writeStyle(dw, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
    dw.tableEnd();

    dxf.writeView(dw);
    dxf.writeUcs(dw);
    dw.tableAppid(1);
    dxf.writeAppid(dw, "ACAD");
    dw.tableEnd();

    // A sheet's sizes (2.5 mm texts and arrows) scaled to the stand in the style itself: not every
    // reader applies a scale given beside it.
    dxf.writeDimStyle(dw, 2.5 * dim_scale, 1.25 * dim_scale, 0.625 * dim_scale, 0.625 * dim_scale, 2.5 * dim_scale);

    dxf.writeBlockRecord(dw);
    for (const std::string& name : ctx.block_names)
        dxf.writeBlockRecord(dw, name);
    for (const Dimension& d : stand_dimensions(ctx.scene.stand, dim_scale))
        dxf.writeBlockRecord(dw, d.block);
    dw.tableEnd();
    dw.sectionEnd();
}

void write_path(DL_Dxf& dxf, DxfTextWriter& dw, const DxfPath& path, const DL_Attributes& attributes,
                DxfPoint shift = {})
{
    if (path.points.size() < 2)
        return;
    dxf.writePolyline(dw, DL_PolylineData(int(path.points.size()), 0, 0, path.closed ? 1 : 0), attributes);
    for (const DxfVertex& v : path.points)
        dxf.writeVertex(dw, DL_VertexData(v.x + shift.x, v.y + shift.y, 0, v.bulge));
    dxf.writePolylineEnd(dw);
}

// An attribute's definition in the block: hidden (the object's text has its own label), a tag.
void write_attribute_definition(DxfTextWriter& dw, const char* tag, double height, double y)
{
    dw.entity("ATTDEF");
    dw.dxfString(100, "AcDbEntity");
    dw.entityAttributes(on_layer("0", colour_by_block));
    dw.dxfString(100, "AcDbText");
    dw.coord(10, 0, y);
    dw.dxfReal(40, height);
    dw.dxfString(1, "");
    dw.dxfString(100, "AcDbAttributeDefinition");
    dw.dxfString(3, tag);
    dw.dxfString(2, tag);
    dw.dxfInt(70, 1); // invisible
}

constexpr const char* attribute_tags[] = {"HEIGHT", "TEXT", "REF"};

void write_blocks(DL_Dxf& dxf, DxfTextWriter& dw, const Context& ctx, double dim_scale)
{
    dw.sectionBlocks();
    for (const char* special : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
        dxf.writeBlock(dw, DL_BlockData(special, 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(dw, special);
    }
    for (const auto& [key, block] : ctx.blocks) {
        dxf.writeBlock(dw, DL_BlockData(block.name, 2, 0.0, 0.0, 0.0)); // 2: has attributes
        // Drawn on layer 0 by block: each insertion takes its own layer's colour.
        for (const DxfPath& path : block.paths)
            write_path(dxf, dw, path, on_layer("0", colour_by_block));
        double y = 0;
        for (const char* tag : attribute_tags) {
            write_attribute_definition(dw, tag, ctx.text_height / 2, y);
            y -= ctx.text_height;
        }
        dxf.writeEndBlock(dw, block.name);
    }
    for (const Dimension& d : stand_dimensions(ctx.scene.stand, dim_scale))
        write_dimension_block(dxf, dw, d, dim_scale);
    dw.sectionEnd();
}

void write_stand(DL_Dxf& dxf, DxfTextWriter& dw, const StandSettings& stand)
{
    const DxfPoint far = plan_to_dxf(stand, 100 + 100.0 * stand.stand_largeur, 100);
    const double W = far.x, D = far.y, h = wall_half_mm;
    write_path(dxf, dw, {{{0, 0}, {W, 0}, {W, D}, {0, D}}, true}, on_layer(dxf_layer_stand));
    // The walls and open frames as the plan draws them: back at the top (y = D), front at y = 0.
    const int murs = stand.stand_murs;
    auto bit = [murs](int n) { return (murs >> n) & 1; };
    auto bar = [&](double x0, double y0, double x1, double y1) {
        write_path(dxf, dw, {{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, true}, on_layer(dxf_layer_stand));
    };
    if (bit(1) || bit(6))
        bar(-h, D - h, W + h, D + h);
    if (bit(0) || bit(7))
        bar(-h, -h, W + h, h);
    if (bit(3) || bit(4))
        bar(-h, -h, h, D + h);
    if (bit(2) || bit(5))
        bar(W - h, -h, W + h, D + h);
}

// A point of object i given from its centre in the plan's own turn (cm, y down), in the drawing.
DxfPoint object_point(const PlanScene& scene, int i, double dx, double dy)
{
    const PlanTable& plan = scene.plan;
    const double a = double(plan.obj_rot[size_t(i)]) * radians;
    const double x = plan.obj_x[size_t(i)] + dx * std::cos(a) - dy * std::sin(a);
    const double y = plan.obj_y[size_t(i)] + dx * std::sin(a) + dy * std::cos(a);
    return plan_to_dxf(scene.stand, x, y);
}

double drawing_angle(const PlanTable& plan, int i) { return normalize_degrees(-double(plan.obj_rot[size_t(i)])); }

void write_insert(DL_Dxf& dxf, DxfTextWriter& dw, Context& ctx, int i)
{
    const PlanTable& plan = ctx.scene.plan;
    const size_t I = size_t(i);
    const Component& c = ctx.scene.components[plan.comp(i)];
    const char* layer = frame_library(c.library) ? dxf_layer_frames : dxf_layer_furniture;
    const DxfPoint at = plan_to_dxf(ctx.scene.stand, plan.obj_x[I], plan.obj_y[I]);
    const double angle = drawing_angle(plan, i);
    const Block& block = block_of(ctx, i);
    dxf.writeInsert(dw, DL_InsertData(block.name, at.x, at.y, 0, 1, 1, 1, angle, 1, 1, 0, 0), on_layer(layer));
    dw.dxfInt(66, 1); // attributes follow

    double height = plan.obj_hauteur[I];
    if (c.library == 0 && height == 0)
        height = default_frame_height;
    const std::string values[] = {format_number(round_half_away(height * 100) / 10), dxf_line(plan.obj_texte[I]),
                                  std::to_string(plan.comp(i))};
    for (size_t k = 0; k < std::size(attribute_tags); ++k) {
        const double h = ctx.text_height / 2;
        dxf.writeAttribute(dw,
                           DL_AttributeData(at.x, at.y, 0, at.x, at.y, 0, h, 1, 0, 0, 0, attribute_tags[k], values[k],
                                            "Standard", angle * radians),
                           on_layer(layer));
        dw.dxfInt(70, 1); // invisible, as defined
    }
    dw.entity("SEQEND");
    dw.dxfString(100, "AcDbEntity");
    dw.entityAttributes(on_layer(layer));
}

// A line along each printed face, just off the component's side, and the picture's file name.
void write_faces(DL_Dxf& dxf, DxfTextWriter& dw, const Context& ctx, int i)
{
    const PlanTable& plan = ctx.scene.plan;
    const size_t I = size_t(i);
    const Component& c = ctx.scene.components[plan.comp(i)];
    const int faces = plan.obj_faces[I];
    for (int face = 1; face <= 2; ++face) {
        const bool on_face = face == 1 ? (faces == 1 || faces == 3) : (faces == 2 || faces == 3);
        const std::string& picture = face == 1 ? plan.obj_visuel_recto[I] : plan.obj_visuel_verso[I];
        if (!on_face || (c.library != 0 && picture.empty()))
            continue;
        double length = or_hundred(c.resize_x == 1 ? plan.obj_largeur[I] : c.width);
        if (c.library == 0) {
            const std::string code = end_code_with_override(plan, i, face, ctx.end_codes[I]);
            length = face_picture_width_mm(c.width, code) / 10;
        }
        // Seen from end 1 the recto lies to the right of the body: +y of the unturned plan.
        const double depth = c.resize_y == 1 ? plan.obj_profondeur[I] : c.depth;
        const double side = (face == 1 ? 1 : -1) * (depth / 2 + face_gap_cm);
        const DxfPoint a = object_point(ctx.scene, i, -length / 2, side);
        const DxfPoint b = object_point(ctx.scene, i, length / 2, side);
        dxf.writeLine(dw, DL_LineData(a.x, a.y, 0, b.x, b.y, 0), on_layer(dxf_layer_pictures));
        if (picture.empty())
            continue;
        // Just the file's name: the folders are the designer's machine's.
        std::string name = picture;
        if (auto slash = name.find_last_of("/\\"); slash != std::string::npos)
            name = name.substr(slash + 1);
        const double h = ctx.text_height / 2;
        const DxfPoint t = object_point(ctx.scene, i, 0, side + (face == 1 ? 1 : -1) * h / 10 * 1.5);
        const double angle = drawing_angle(plan, i) * radians;
        dxf.writeText(dw, DL_TextData(t.x, t.y, 0, t.x, t.y, 0, h, 1, 0, 1, 2, dxf_line(name), "Standard", angle),
                      on_layer(dxf_layer_pictures));
    }
}

void write_label(DL_Dxf& dxf, DxfTextWriter& dw, const Context& ctx, int i)
{
    const std::string& text = ctx.scene.plan.obj_texte[size_t(i)];
    if (text.empty())
        return;
    const DxfPoint at = plan_to_dxf(ctx.scene.stand, ctx.scene.plan.obj_x[size_t(i)], ctx.scene.plan.obj_y[size_t(i)]);
    dxf.writeMText(dw, DL_MTextData(at.x, at.y, 0, 1, 0, 0, ctx.text_height, 0, 5, 1, 1, 1.0, dxf_mtext(text),
                                    "Standard", 0.0),
                   on_layer(dxf_layer_labels));
}

} // namespace

DxfPoint plan_to_dxf(const StandSettings& stand, double x_cm, double y_cm)
{
    return {(x_cm - 100) * 10, (100 + 100.0 * stand.stand_profondeur - y_cm) * 10};
}

Result<std::string> plan_dxf(const PlanScene& scene)
{
    if (auto in_range = check_range(scene); !in_range)
        return in_range.error();
    Context ctx{scene, scene.components, computed_end_codes(scene.plan, scene.components), {}, {}};
    const double side_mm = 1000.0 * std::max(scene.stand.stand_largeur, scene.stand.stand_profondeur);
    // Texts and arrows of a sheet (2.5 mm) scaled so that the stand fills about 200 mm of it.
    const double dim_scale = std::clamp(std::round(side_mm / 125), 10.0, 500.0);
    ctx.text_height = 2.5 * dim_scale;

    // Blocks are found first: the tables list them before they are drawn.
    const PlanTable& plan = scene.plan;
    std::vector<int> objects;
    for (int i = 1; i <= plan.nb_objets; ++i) {
        if (!has_geometry(plan, i) || scene.components[plan.comp(i)].is_free())
            continue;
        objects.push_back(i);
        block_of(ctx, i);
    }

    DL_Dxf dxf;
    DxfTextWriter dw;
    write_header(dxf, dw, scene);
    write_tables(dxf, dw, ctx, dim_scale);
    write_blocks(dxf, dw, ctx, dim_scale);
    dw.sectionEntities();
    write_stand(dxf, dw, scene.stand);
    for (int i : objects)
        write_insert(dxf, dw, ctx, i);
    for (int i : objects)
        write_faces(dxf, dw, ctx, i);
    for (int i : objects)
        write_label(dxf, dw, ctx, i);
    for (const Dimension& d : stand_dimensions(scene.stand, dim_scale))
        write_dimension(dw, d);
    dw.sectionEnd();
    dxf.writeObjects(dw);
    dxf.writeObjectsEnd(dw);
    dw.dxfEOF();
    std::string text = dw.text();
    // The library's header promises handles below FFFF; a plan of thousands of objects, each
    // resized its own way, can use more, and a reader must never meet a handle past the seed.
    if (dw.getNextHandle() > 0xFFFF) {
        const std::string seed = "$HANDSEED\r\n  5\r\nFFFF\r\n";
        char next[32];
        std::snprintf(next, sizeof next, "%lX", dw.getNextHandle());
        if (auto at = text.find(seed); at != std::string::npos)
            text.replace(at, seed.size(), "$HANDSEED\r\n  5\r\n" + std::string(next) + "\r\n");
    }
    return text;
}

Result<void> write_plan_dxf(const std::filesystem::path& file, const PlanScene& scene)
{
    auto text = plan_dxf(scene);
    if (!text)
        return make_error(text.error().message, file);
    return write_file_safely(file, *text);
}

} // namespace halvern
