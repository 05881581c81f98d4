#include "platform/build_sheets_document.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>

#include <algorithm>
#include <cmath>

#include "base/numbers.h"
#include "base/ui_text_ids.h"
#include "outputs/bill_of_materials.h"
#include "outputs/plan_print.h"
#include "platform/pdf_file.h"
#include "platform/qt_canvas.h"

namespace halvern {

namespace {

constexpr int pdf_dpi = 300;
constexpr double page_width_mm = 210, page_height_mm = 297, margin_mm = 14;
constexpr double plan_height_mm = 125;
const char* const font_family = "DejaVu Sans";

QString q(const std::string& text) { return QString::fromStdString(text); }
double dots(double mm) { return mm * pdf_dpi / 25.4; }

std::string number(double value, double step = 0.01) { return format_number(round_half_away(value / step) * step); }

std::string joint_label(size_t k)
{
    const std::string letter(1, char('A' + k % 26));
    return k < 26 ? letter : letter + std::to_string(k / 26);
}

struct Column {
    double share;        // of the page's width
    bool right = false;  // numbers line up on the right
    bool middle = false; // a long text keeps both its ends (file names differ at the end)
};

class SheetPages {
public:
    SheetPages(QPdfWriter& writer, const UiText& texts, const StandSettings& stand)
        : painter_(&writer), writer_(writer), texts_(texts), stand_(stand)
    {
        start();
    }
    bool active() const { return painter_.isActive(); }
    void end()
    {
        footer();
        painter_.end();
    }
    std::string t(int id) const { return texts_.get(id); }

    void new_page()
    {
        footer();
        writer_.newPage();
        start();
    }
    // Starts a new page unless `height` fits under what is already on this one.
    bool room(double height)
    {
        if (y_ + height <= bottom())
            return false;
        new_page();
        return true;
    }
    double left() const { return dots(margin_mm); }
    double width() const { return dots(page_width_mm - 2 * margin_mm); }
    double bottom() const { return dots(page_height_mm - margin_mm) - dots(6); }
    double& y() { return y_; }
    QPainter& painter() { return painter_; }

    void font(double points, bool bold = false)
    {
        QFont f(font_family);
        f.setPointSizeF(points);
        f.setBold(bold);
        painter_.setFont(f);
        painter_.setPen(Qt::black);
        painter_.setBrush(Qt::NoBrush);
    }

    void heading(const std::string& text, double points)
    {
        font(points, true);
        line_of(text);
        y_ += dots(1.5);
    }

    void line(const std::string& text, double points = 10, bool bold = false)
    {
        font(points, bold);
        line_of(text);
    }

    // Text inside a box, cut short with an ellipsis where it would run over.
    void cell(const QRectF& box, const std::string& text, bool right = false, bool middle = false)
    {
        const QString shown =
            painter_.fontMetrics().elidedText(q(text), middle ? Qt::ElideMiddle : Qt::ElideRight, int(box.width()));
        painter_.drawText(box, int(Qt::AlignVCenter) | (right ? Qt::AlignRight : Qt::AlignLeft), shown);
    }

    // One row of a table; a heading row is bold on grey.
    void row(const std::vector<Column>& columns, const std::vector<std::string>& texts, double points,
             bool heading = false, bool tick_box = false)
    {
        font(points, heading);
        const double h = painter_.fontMetrics().height() * 1.45;
        room(h);
        if (heading) {
            painter_.fillRect(QRectF(left(), y_, width(), h), QColor(228, 228, 228));
            painter_.setPen(Qt::black);
        }
        double x = left();
        for (size_t k = 0; k < columns.size() && k < texts.size(); ++k) {
            const double w = columns[k].share * width();
            if (k == 0 && tick_box) {
                const double side = h * 0.62;
                painter_.setPen(QPen(Qt::black, dots(0.25)));
                painter_.drawRect(QRectF(x + dots(1), y_ + (h - side) / 2, side, side));
            }
            cell(QRectF(x + dots(1), y_, w - dots(2), h), texts[k], columns[k].right, columns[k].middle);
            x += w;
        }
        painter_.setPen(QPen(QColor(170, 170, 170), dots(0.15)));
        painter_.drawLine(QPointF(left(), y_ + h), QPointF(left() + width(), y_ + h));
        painter_.setPen(Qt::black);
        y_ += h;
    }

private:
    void start()
    {
        ++page_;
        y_ = dots(margin_mm);
    }
    void footer()
    {
        font(7);
        painter_.setPen(Qt::darkGray);
        const std::string text = t(ui::sheets_title) + (stand_.title.empty() ? "" : " - " + stand_.title) + "   "
                                 + std::to_string(page_);
        cell(QRectF(left(), dots(page_height_mm - margin_mm) - dots(4), width(), dots(4)), text, true);
        painter_.setPen(Qt::black);
    }
    void line_of(const std::string& text)
    {
        const QFontMetricsF metrics(painter_.font(), painter_.device());
        room(metrics.height());
        y_ += metrics.ascent();
        painter_.drawText(QPointF(left(), y_),
                          painter_.fontMetrics().elidedText(q(text), Qt::ElideMiddle, int(width())));
        y_ += metrics.descent() + dots(1);
    }

    QPainter painter_;
    QPdfWriter& writer_;
    const UiText& texts_;
    const StandSettings& stand_;
    double y_ = 0;
    int page_ = 0;
};

// A label written before a value ("Length (cm):") as a column's heading.
std::string heading_of(std::string label)
{
    while (!label.empty() && (label.back() == ':' || label.back() == ' '))
        label.pop_back();
    return label;
}

std::string run_title(const SheetPages& pages, size_t k, size_t count)
{
    return pages.t(ui::sheets_run) + " " + std::to_string(k + 1) + " / " + std::to_string(count);
}

std::string objects_text(const std::vector<int>& objects)
{
    std::string text;
    for (int object : objects)
        text += (text.empty() ? "" : ", ") + std::to_string(object);
    return text;
}

std::string pieces_text(const std::vector<PieceCount>& pieces, const ComponentTable& components)
{
    std::string text;
    for (const PieceCount& p : pieces)
        text += (text.empty() ? "" : ", ")
                + (p.component == component_printed_visual ? number(p.quantity) + " m " : number(p.quantity) + " x ")
                + components[p.component].name;
    return text.empty() ? "-" : text;
}

std::string joint_text(const SheetPages& pages, const RunJoint& j)
{
    std::string text;
    switch (j.kind) {
    case RunJoint::Kind::free_end: text = pages.t(ui::sheets_free_end); break;
    case RunJoint::Kind::straight: text = pages.t(ui::sheets_straight); break;
    case RunJoint::Kind::corner: text = pages.t(ui::sheets_corner); break;
    case RunJoint::Kind::branch: text = pages.t(ui::sheets_branch); break;
    }
    if (!j.other_runs.empty()) {
        std::vector<int> runs;
        for (int r : j.other_runs)
            runs.push_back(r + 1);
        text += ", " + pages.t(ui::sheets_meets) + " " + pages.t(ui::sheets_run) + " " + objects_text(runs);
    }
    return text;
}

void cover(SheetPages& pages, PlanScene& scene, const BuildSheets& sheets, const std::string& date)
{
    const StandSettings& stand = scene.stand;
    pages.heading(pages.t(ui::sheets_title), 20);
    if (!stand.title.empty())
        pages.heading(stand.title, 14);
    pages.line(pages.t(ui::pack_client) + " " + stand.client + "      " + pages.t(ui::sheet_date) + ": " + date);
    pages.line(pages.t(ui::sheets_stand_size) + " " + number(stand.stand_largeur) + " x "
               + number(stand.stand_profondeur));
    pages.line(pages.t(ui::sheets_pieces) + " " + number(sheets.pieces) + "      " + pages.t(ui::sheets_bags) + " "
                   + std::to_string(sheets.bags) + "      " + pages.t(ui::sheets_weight) + " "
                   + number(sheets.weight_g / 1000, 0.1) + "      " + pages.t(ui::pack_area) + " "
                   + number(sheets.print_m2),
               10, true);
    if (sheets.faces_without_picture > 0)
        pages.line(pages.t(ui::sheets_faces_missing) + " " + std::to_string(sheets.faces_without_picture), 9);
    pages.y() += dots(2);

    // The plan at the page's own fitted scale, drawn at the paper's fineness, with every object's
    // number over it: the numbers of the run pages, the print files and the design checks.
    const double box_w = pages.width(), box_h = dots(plan_height_mm);
    const int w = int(box_w / pdf_dpi * paper_dots_per_inch), h = int(box_h / pdf_dpi * paper_dots_per_inch);
    QtPicture picture(w, h);
    ViewState view = print_view(ViewState{}, stand, w, h);
    const ViewState numbers_view = view;
    render_plan(picture.canvas(), scene, view, print_options(w, h));
    const QRectF box(pages.left(), pages.y(), box_w, box_h);
    QPainter& p = pages.painter();
    p.drawImage(box, picture.image());
    p.setPen(QPen(Qt::gray, dots(0.2)));
    p.drawRect(box);
    const double scale = box_w / w;
    pages.font(6.5, true);
    std::vector<char> built_in(size_t(scene.plan.nb_objets) + 1, 0);
    for (const WallRun& run : sheets.runs)
        for (const RunFrame& f : run.frames)
            built_in[size_t(f.object)] = 1;
    for (int i = 1; i <= scene.plan.nb_objets; ++i) {
        if (!has_geometry(scene.plan, i))
            continue;
        const PixelPoint at = numbers_view.to_pixel(scene.plan.obj_x[size_t(i)], scene.plan.obj_y[size_t(i)], false);
        const QPointF centre(box.left() + at.x * scale, box.top() + at.y * scale);
        if (!box.contains(centre))
            continue;
        const QString label = QString::number(i);
        const QRectF text = p.fontMetrics().boundingRect(label);
        const QRectF tag(centre.x() - text.width() / 2 - dots(0.6), centre.y() - text.height() / 2,
                         text.width() + dots(1.2), text.height());
        p.setPen(QPen(built_in[size_t(i)] ? Qt::black : Qt::darkBlue, dots(0.15)));
        p.setBrush(QColor(255, 255, 255, 225));
        p.drawRoundedRect(tag, dots(0.8), dots(0.8));
        p.setPen(built_in[size_t(i)] ? Qt::black : Qt::darkBlue);
        p.drawText(tag, Qt::AlignCenter, label);
    }
    p.setBrush(Qt::NoBrush);
    pages.y() += box_h + dots(4);

    pages.heading(pages.t(ui::sheets_order), 12);
    const std::vector<Column> columns = {{0.08, true}, {0.22}, {0.52}, {0.18, true}};
    pages.row(columns, {"", pages.t(ui::sheets_run), pages.t(ui::sheets_object), heading_of(pages.t(ui::sheets_length))}, 9,
              true);
    for (size_t k = 0; k < sheets.runs.size(); ++k) {
        std::vector<int> objects;
        for (const RunFrame& f : sheets.runs[k].frames)
            objects.push_back(f.object);
        pages.row(columns,
                  {std::to_string(k + 1) + ".", run_title(pages, k, sheets.runs.size()), objects_text(objects),
                   number(sheets.runs[k].length, 0.1)},
                  9, false);
    }
    // The free objects, as many lines as their numbers need.
    constexpr size_t per_line = 16;
    for (size_t first = 0; first < sheets.free_objects.size(); first += per_line) {
        std::vector<int> objects;
        for (size_t k = first; k < std::min(first + per_line, sheets.free_objects.size()); ++k)
            objects.push_back(sheets.free_objects[k].object);
        const bool head = first == 0;
        pages.row(columns,
                  {head ? std::to_string(sheets.runs.size() + 1) + "." : "", head ? pages.t(ui::sheets_free_objects) : "",
                   objects_text(objects), ""},
                  9, false);
    }
}

void packing(SheetPages& pages, const BuildSheets& sheets)
{
    pages.new_page();
    pages.heading(pages.t(ui::sheets_packing), 16);
    const std::vector<Column> columns = {{0.05}, {0.08, true}, {0.37}, {0.12, true}, {0.1, true}, {0.16, true},
                                         {0.12, true}};
    const std::vector<std::string> names = {"",
                                            pages.t(ui::sheets_reference),
                                            pages.t(ui::sheets_component),
                                            pages.t(ui::sheets_quantity),
                                            pages.t(ui::sheets_per_bag),
                                            pages.t(ui::sheets_bags_column),
                                            pages.t(ui::sheets_weight_column)};
    for (const PackingGroup& group : sheets.packing) {
        pages.room(dots(20));
        pages.y() += dots(2);
        pages.line(group.name.empty() ? std::to_string(group.library) : group.name, 11, true);
        pages.row(columns, names, 8.5, true);
        for (const PackingRow& r : group.rows) {
            std::string quantity = number(r.quantity), per_bag, bags;
            switch (r.packed) {
            case PackingRow::Packed::bags:
                per_bag = number(r.pack_by);
                bags = std::to_string(r.bags) + (r.spare > 0 ? " (+" + number(r.spare) + " " + pages.t(ui::sheets_spare) + ")" : "");
                break;
            case PackingRow::Packed::pieces: bags = pages.t(ui::sheets_by_piece); break;
            case PackingRow::Packed::metres:
                quantity += " m";
                bags = pages.t(ui::sheets_by_metre);
                break;
            }
            pages.row(columns,
                      {"", std::to_string(r.component), r.name, quantity, per_bag, bags, number(r.weight_g / 1000, 0.1)},
                      9, false, true);
        }
        pages.row(columns,
                  {"", "", pages.t(ui::sheets_total), number(group.pieces), "", std::to_string(group.bags),
                   number(group.weight_g / 1000, 0.1)},
                  9, true);
    }
}

// The run straightened out as the crew sees it from the front: each frame its width and height to
// one scale, its modules, its number and height; the joints lettered beneath.
void elevation(SheetPages& pages, const WallRun& run, const PlanScene& scene)
{
    double tallest = 0;
    for (const RunFrame& f : run.frames)
        tallest = std::max(tallest, f.height);
    if (!(run.length > 0 && tallest > 0))
        return;
    const double room_w = pages.width() - dots(10), room_h = dots(95);
    const double scale = std::min(room_w / run.length, room_h / tallest);
    const double x0 = pages.left() + dots(5) + (room_w - run.length * scale) / 2;
    const double floor_y = pages.y() + dots(4) + tallest * scale;
    QPainter& p = pages.painter();
    double x = x0;
    for (const RunFrame& f : run.frames) {
        const QRectF frame(x, floor_y - f.height * scale, f.width * scale, f.height * scale);
        p.setPen(QPen(Qt::black, dots(0.35)));
        p.setBrush(f.faces.empty() ? QColor(245, 245, 245) : QColor(226, 236, 248));
        p.drawRect(frame);
        // The module boundaries, where the horizontal frames go.
        p.setPen(QPen(Qt::gray, dots(0.2), Qt::DashLine));
        double level = 0;
        for (size_t k = 0; k + 1 < f.modules.size(); ++k) {
            level += ComponentTable::valid(f.modules[k]) ? scene.components[f.modules[k]].width : 0;
            if (level < f.height)
                p.drawLine(QPointF(frame.left(), floor_y - level * scale), QPointF(frame.right(), floor_y - level * scale));
        }
        // The number large at the top, the height under it, and up the rest of the frame the print
        // file of each face, so that the crew hangs each print on its own frame.
        const double frame_mm = frame.width() * 25.4 / pdf_dpi;
        pages.font(std::clamp(frame_mm * 0.45, 7.0, 18.0), true);
        const double number_h = p.fontMetrics().height() * 1.2;
        const QRectF number_box(frame.left(), frame.top() + dots(1), frame.width(), number_h);
        p.drawText(number_box, Qt::AlignCenter, QString::number(f.object));
        pages.font(7);
        std::string below = number(f.height, 0.1);
        if (f.turned)
            below += " (" + pages.t(ui::sheets_turned) + ")";
        const double line_h = p.fontMetrics().height() * 1.15;
        const QRectF height_box(frame.left() + dots(0.5), number_box.bottom(), frame.width() - dots(1), line_h);
        p.drawText(height_box, Qt::AlignCenter,
                   p.fontMetrics().elidedText(q(below), Qt::ElideRight, int(height_box.width())));
        std::vector<std::string> names;
        for (const FaceFiles& face : f.faces)
            for (const std::string& file : face.files)
                names.push_back(face.has_picture ? file : file + " (" + pages.t(ui::sheets_no_picture) + ")");
        const double run_up = frame.bottom() - height_box.bottom() - dots(2); // the length the names may take
        if (!names.empty() && run_up > dots(8)) {
            const double step = std::min(line_h, (frame.width() - dots(1)) / double(names.size()));
            if (step >= line_h * 0.8) {
                p.save();
                p.translate(frame.left() + (frame.width() - step * double(names.size())) / 2, frame.bottom() - dots(1));
                p.rotate(-90);
                for (size_t k = 0; k < names.size(); ++k)
                    p.drawText(QRectF(0, step * double(k), run_up, step), int(Qt::AlignLeft | Qt::AlignVCenter),
                               p.fontMetrics().elidedText(q(names[k]), Qt::ElideMiddle, int(run_up)));
                p.restore();
            }
        }
        x += f.width * scale;
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, dots(0.5)));
    p.drawLine(QPointF(x0 - dots(3), floor_y), QPointF(x + dots(3), floor_y));
    pages.font(8, true);
    x = x0;
    for (size_t k = 0; k < run.joints.size(); ++k) {
        p.setPen(QPen(Qt::red, dots(0.4)));
        p.drawLine(QPointF(x, floor_y), QPointF(x, floor_y + dots(2.5)));
        p.setPen(Qt::red);
        p.drawText(QRectF(x - dots(5), floor_y + dots(2.5), dots(10), dots(4)), Qt::AlignCenter, q(joint_label(k)));
        if (k < run.frames.size())
            x += run.frames[k].width * scale;
    }
    p.setPen(Qt::black);
    pages.y() = floor_y + dots(9);
}

void run_page(SheetPages& pages, const BuildSheets& sheets, size_t k, PlanScene& scene)
{
    const WallRun& run = sheets.runs[k];
    pages.new_page();
    pages.heading(run_title(pages, k, sheets.runs.size()) + "  -  " + pages.t(ui::sheets_from_front), 16);
    pages.line(pages.t(ui::sheets_length) + " " + number(run.length, 0.1) + "      " + pages.t(ui::sheets_frame) + ": "
               + std::to_string(run.frames.size()));
    elevation(pages, run, scene);

    const ComponentTable& components = scene.components;
    const std::vector<Column> joints = {{0.1}, {0.3}, {0.6}};
    pages.row(joints, {pages.t(ui::sheets_joint), "", pages.t(ui::sheets_pieces_column)}, 8.5, true);
    for (size_t j = 0; j < run.joints.size(); ++j)
        pages.row(joints, {joint_label(j), joint_text(pages, run.joints[j]), pieces_text(run.joints[j].pieces, components)},
                  8, false);
    pages.y() += dots(4);

    const std::vector<Column> frames = {{0.07, true}, {0.13}, {0.13, true}, {0.29}, {0.38, false, true}};
    pages.row(frames,
              {pages.t(ui::sheets_frame), pages.t(ui::sheets_component), pages.t(ui::sheets_height),
               pages.t(ui::sheets_pieces_column), pages.t(ui::sheets_print_files)},
              8.5, true);
    for (const RunFrame& f : run.frames) {
        std::vector<std::string> files;
        for (const FaceFiles& face : f.faces)
            for (const std::string& file : face.files)
                files.push_back(face.has_picture ? file : file + " (" + pages.t(ui::sheets_no_picture) + ")");
        if (files.empty())
            files.push_back("-");
        for (size_t n = 0; n < files.size(); ++n)
            pages.row(frames,
                      {n ? "" : std::to_string(f.object), n ? "" : components[f.component].name,
                       n ? "" : number(f.height, 0.1), n ? "" : pieces_text(f.pieces, components), files[n]},
                      8, false);
    }
}

void free_objects(SheetPages& pages, const BuildSheets& sheets, const ComponentTable& components)
{
    if (sheets.free_objects.empty())
        return;
    pages.new_page();
    pages.heading(pages.t(ui::sheets_free_objects), 16);
    pages.line(pages.t(ui::sheets_position), 8);
    const std::vector<Column> columns = {{0.08, true}, {0.2}, {0.07, true}, {0.07, true}, {0.09, true}, {0.11, true},
                                         {0.38, false, true}};
    pages.row(columns,
              {pages.t(ui::sheets_object), pages.t(ui::sheets_component), "x", "y", pages.t(ui::sheets_rotation),
               pages.t(ui::sheets_elevation), pages.t(ui::sheets_print_files)},
              8.5, true);
    for (const FreeObject& o : sheets.free_objects) {
        std::vector<std::string> files;
        for (const FaceFiles& face : o.faces)
            for (const std::string& file : face.files)
                files.push_back(face.has_picture ? file : file + " (" + pages.t(ui::sheets_no_picture) + ")");
        if (files.empty())
            files.push_back("-");
        for (size_t n = 0; n < files.size(); ++n)
            pages.row(columns,
                      {n ? "" : std::to_string(o.object), n ? "" : components[o.component].name,
                       n ? "" : number(o.x, 0.1), n ? "" : number(o.y, 0.1), n ? "" : number(o.rotation, 0.1),
                       n ? "" : number(o.elevation, 0.1), files[n]},
                      8, false, n == 0);
    }
}

} // namespace

Result<void> write_build_sheets_pdf(const std::filesystem::path& file, PlanScene& scene, const BuildSheets& sheets,
                                    const UiText& texts, const std::string& date)
{
    ensure_gui_application();
    return write_pdf_safely(file, [&](const QString& temporary) -> Result<void> {
        QPdfWriter writer(temporary);
        writer.setResolution(pdf_dpi);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(q(texts.get(ui::sheets_title) + (scene.stand.title.empty() ? "" : " - " + scene.stand.title)));
        writer.setCreator("Halvern Visual Design");
        SheetPages pages(writer, texts, scene.stand);
        if (!pages.active())
            return make_error("the PDF file cannot be made");
        cover(pages, scene, sheets, date);
        packing(pages, sheets);
        for (size_t k = 0; k < sheets.runs.size(); ++k)
            run_page(pages, sheets, k, scene);
        free_objects(pages, sheets, scene.components);
        pages.end();
        return {};
    });
}

Result<void> BuildSheetsOutput::write(const std::filesystem::path& file, PlanScene& scene, const ViewState&,
                                      OutputHost& host) const
{
    host.stage(texts_.get(ui::sheets_title));
    // The crew's plan shows no selection.
    PlanTable plan = scene.plan;
    plan.nb_selection = 0;
    plan.index_focus = 0;
    plan.focus = false;
    plan.focus_groupe = false;
    PlanScene shown{scene.components, scene.libraries, plan, scene.stand};
    const BuildSheets sheets = make_build_sheets(plan, scene.components, scene.libraries);
    return write_build_sheets_pdf(file, shown, sheets, texts_, date_);
}

} // namespace halvern
