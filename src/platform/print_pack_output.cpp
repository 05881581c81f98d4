#include "platform/print_pack_output.h"

#include <QDate>
#include <QFont>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>

#include <system_error>

#include "base/input_files.h"
#include "base/numbers.h"
#include "base/text_file.h"
#include "base/ui_text_ids.h"
#include "outputs/output_range.h"
#include "outputs/plan_print.h"
#include "platform/pdf_file.h"
#include "platform/qt_canvas.h"

namespace halvern {

namespace {

constexpr int pdf_dpi = 300;
constexpr double page_width_mm = 210, page_height_mm = 297, margin_mm = 15;
constexpr int plan_width = 1400, plan_height = 900; // the small plan, in pixels
constexpr int thumbnail_side = 900;
constexpr double min_plan_height_mm = 60; // less, and the plan shows nothing a reader could find

QString q(const std::string& text) { return QString::fromStdString(text); }

double dots(double mm) { return mm * pdf_dpi / 25.4; }

// The plan as the customer knows it, once for every page, and where each object lies on it.
struct SmallPlan {
    QImage image;
    ViewState view;
};

SmallPlan draw_small_plan(PlanScene& scene, const ViewState& window_view)
{
    QtPicture picture(plan_width, plan_height);
    SmallPlan plan;
    plan.view = print_view(window_view, scene.stand, plan_width, plan_height);
    RenderOptions options;
    options.width = plan_width;
    options.height = plan_height;
    options.palette_column = false;
    options.status_texts = false;
    ViewState view = plan.view;
    render_plan(picture.canvas(), scene, view, options);
    plan.image = picture.image().copy();
    return plan;
}

class ManifestPages {
public:
    ManifestPages(QPdfWriter& writer, const UiText& texts) : painter_(&writer), writer_(writer), texts_(texts) {}
    bool active() const { return painter_.isActive(); }
    void end() { painter_.end(); }

    void cover(const PrintPack& pack, const StandSettings& stand, const SmallPlan& plan)
    {
        y_ = dots(margin_mm);
        heading(texts_.get(ui::pack_title), 20);
        if (!stand.title.empty())
            heading(stand.title, 14);
        line(texts_.get(ui::pack_client) + " " + stand.client);
        line(QDate::currentDate().toString(Qt::ISODate).toStdString());
        y_ += dots(4);
        line(texts_.get(ui::pack_faces) + " " + std::to_string(pack.faces_written()) + " / "
             + std::to_string(pack.entries.size()));
        line(texts_.get(ui::pack_area) + " " + format_number(round_half_away(pack.print_area_m2() * 100) / 100));
        line(texts_.get(ui::pack_resolution) + " " + std::to_string(pack.settings.dpi) + "    "
             + texts_.get(ui::pack_bleed) + " " + format_number(pack.settings.bleed_mm));
        const int missing = int(pack.entries.size()) - pack.faces_written();
        if (missing > 0) {
            line(texts_.get(ui::pack_not_printed) + " " + std::to_string(missing));
            for (const PrintEntry& e : pack.entries)
                if (e.status != PrintStatus::written)
                    line("  " + face_title(e) + ": " + e.problem, 8);
        }
        y_ += dots(4);
        // A long list leaves the plan no room below it: the plan then has a page of its own.
        if (dots(page_height_mm - margin_mm) - y_ < dots(min_plan_height_mm))
            next_page();
        draw_plan(plan, nullptr, dots(page_height_mm - margin_mm) - y_);
    }

    void face(const PrintEntry& entry, const PrintPack& pack, const SmallPlan& plan, const PlanTable& table)
    {
        next_page();
        heading(face_title(entry), 14);
        const PrintFace& f = entry.face;
        line(f.component + (f.end_code.empty() ? std::string() : "   " + f.end_code));
        line(texts_.get(ui::pack_print_size) + " " + format_number(round_half_away(f.width_mm)) + " x "
             + format_number(round_half_away(f.height_mm)) + " mm   (" + std::to_string(entry.width_px) + " x "
             + std::to_string(entry.height_px) + " px)");
        line(texts_.get(ui::pack_bleed) + " " + format_number(pack.settings.bleed_mm));
        line(texts_.get(ui::pack_picture) + " " + f.picture, 8);
        std::string files;
        for (const PrintPiece& p : entry.pieces)
            files += (files.empty() ? "" : ", ") + p.file.filename().string();
        line(texts_.get(ui::pack_files) + " " + files, 8);
        y_ += dots(4);
        artwork(entry, pack.settings, dots(150));
        y_ += dots(6);
        PixelPoint at = plan.view.to_pixel(table.obj_x[size_t(f.object)], table.obj_y[size_t(f.object)], false);
        draw_plan(plan, &at, dots(page_height_mm - margin_mm) - y_);
    }

private:
    std::string face_title(const PrintEntry& e) const
    {
        char number[16];
        std::snprintf(number, sizeof number, "%03d", e.face.object);
        return std::string(number) + "  " + e.face.label + "  " + (e.face.face == 1 ? "recto" : "verso");
    }

    void heading(const std::string& text, double points)
    {
        QFont font("DejaVu Sans");
        font.setPointSizeF(points);
        font.setBold(true);
        painter_.setFont(font);
        painter_.setPen(Qt::black); // the plan's marker of the page before leaves its pen

        y_ += painter_.fontMetrics().ascent();
        painter_.drawText(QPointF(dots(margin_mm), y_), q(text));
        y_ += painter_.fontMetrics().descent() + dots(2);
    }

    void next_page()
    {
        writer_.newPage();
        y_ = dots(margin_mm);
    }

    // A line that would run past the bottom margin goes on at the top of a new page.
    void line(const std::string& text, double points = 10)
    {
        QFont font("DejaVu Sans");
        font.setPointSizeF(points);
        painter_.setFont(font);
        painter_.setPen(Qt::black);
        if (y_ + painter_.fontMetrics().height() > dots(page_height_mm - margin_mm))
            next_page();
        const double width = dots(page_width_mm - 2 * margin_mm);
        const QString elided = painter_.fontMetrics().elidedText(q(text), Qt::ElideMiddle, int(width));
        y_ += painter_.fontMetrics().ascent();
        painter_.drawText(QPointF(dots(margin_mm), y_), elided);
        y_ += painter_.fontMetrics().descent() + dots(1);
    }

    // The print (bleed included) as the pack cropped it, within a box `room` dots high, with crop
    // marks at the trim and dashed lines where strips meet.
    void artwork(const PrintEntry& entry, const PrintPackSettings& settings, double room)
    {
        const double total_w = entry.face.width_mm + 2 * settings.bleed_mm;
        const double total_h = entry.face.height_mm + 2 * settings.bleed_mm;
        if (!(total_w > 0 && total_h > 0))
            return;
        const double mark = dots(6);
        const double room_w = dots(page_width_mm - 2 * margin_mm) - 2 * mark;
        const double scale = std::min(room_w / total_w, (room - 2 * mark) / total_h);
        const QRectF box(dots(margin_mm) + mark + (room_w - total_w * scale) / 2, y_ + mark, total_w * scale,
                         total_h * scale);
        if (auto thumbnail = picture_thumbnail(entry.face.picture_file, thumbnail_side)) {
            const QImage image(thumbnail->rgb.data(), thumbnail->width, thumbnail->height, thumbnail->width * 3,
                               QImage::Format_RGB888);
            const double cover = std::max(box.width() / image.width(), box.height() / image.height());
            const double w = box.width() / cover, h = box.height() / cover;
            painter_.drawImage(box, image, QRectF((image.width() - w) / 2, (image.height() - h) / 2, w, h));
        }
        painter_.setPen(QPen(Qt::black, dots(0.2)));
        painter_.drawRect(box);
        const double bleed = settings.bleed_mm * scale;
        const QRectF trim = box.adjusted(bleed, bleed, -bleed, -bleed);
        for (double x : {trim.left(), trim.right()}) {
            painter_.drawLine(QPointF(x, box.top() - mark), QPointF(x, box.top() - dots(1)));
            painter_.drawLine(QPointF(x, box.bottom() + dots(1)), QPointF(x, box.bottom() + mark));
        }
        for (double y : {trim.top(), trim.bottom()}) {
            painter_.drawLine(QPointF(box.left() - mark, y), QPointF(box.left() - dots(1), y));
            painter_.drawLine(QPointF(box.right() + dots(1), y), QPointF(box.right() + mark, y));
        }
        if (entry.pieces.size() > 1) {
            painter_.setPen(QPen(Qt::red, dots(0.3), Qt::DashLine));
            const double per_pixel = box.width() / entry.width_px;
            for (size_t k = 1; k < entry.pieces.size(); ++k) {
                const ColumnRange c = entry.pieces[k].columns;
                const ColumnRange before = entry.pieces[k - 1].columns;
                for (int x : {c.x, before.x + before.width})
                    painter_.drawLine(QPointF(box.left() + x * per_pixel, box.top()),
                                      QPointF(box.left() + x * per_pixel, box.bottom()));
            }
        }
        y_ = box.bottom() + mark;
    }

    void draw_plan(const SmallPlan& plan, const PixelPoint* marked, double room)
    {
        const double room_w = dots(page_width_mm - 2 * margin_mm);
        if (room < dots(20))
            return;
        const double scale = std::min(room_w / plan.image.width(), room / plan.image.height());
        const QRectF box(dots(margin_mm), y_, plan.image.width() * scale, plan.image.height() * scale);
        painter_.drawImage(box, plan.image);
        painter_.setPen(QPen(Qt::gray, dots(0.2)));
        painter_.drawRect(box);
        if (marked) {
            const QPointF at(box.left() + marked->x * scale, box.top() + marked->y * scale);
            painter_.setPen(QPen(Qt::red, dots(0.8)));
            painter_.setBrush(Qt::NoBrush);
            painter_.drawEllipse(at, dots(5), dots(5));
        }
        y_ = box.bottom();
    }

    QPainter painter_;
    QPdfWriter& writer_;
    const UiText& texts_;
    double y_ = 0;
};

Result<void> write_manifest_pdf(const std::filesystem::path& file, const PrintPack& pack, PlanScene& scene,
                                const ViewState& view, const UiText& texts)
{
    const SmallPlan plan = draw_small_plan(scene, view);
    return write_pdf_safely(file, [&](const QString& temporary) -> Result<void> {
        QPdfWriter writer(temporary);
        writer.setResolution(pdf_dpi);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setTitle(q(texts.get(ui::pack_title) + (scene.stand.title.empty() ? "" : " - " + scene.stand.title)));
        writer.setCreator("Halvern Visual Design");
        ManifestPages pages(writer, texts);
        if (!pages.active())
            return make_error("the PDF file cannot be made");
        pages.cover(pack, scene.stand, plan);
        for (const PrintEntry& entry : pack.entries)
            if (entry.status == PrintStatus::written)
                pages.face(entry, pack, plan, scene.plan);
        pages.end();
        return {};
    });
}

} // namespace

Result<PrintPackFiles> export_print_pack(const std::filesystem::path& folder, PlanScene& scene, const ViewState& view,
                                         const PrintPackSettings& settings, const UiText& texts,
                                         const std::filesystem::path& design_folder, OutputHost& host)
{
    ensure_gui_application();
    if (auto checked = check_print_pack_settings(settings); !checked)
        return checked.error();
    if (auto in_range = check_output_range(scene.plan, scene.stand); !in_range)
        return make_error(in_range.error().message, folder);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec || !std::filesystem::is_directory(folder))
        return make_error("the folder cannot be made: " + (ec ? ec.message() : std::string("not a folder")), folder);

    PrintPackFiles files;
    const std::vector<PrintFace> faces = printed_faces(scene.plan, scene.components, design_folder);
    // Every face's picture is known before the first print is written: a print whose name is a
    // picture's own (the pack written into the design's folder) must not replace it.
    InputFiles pictures;
    for (const PrintFace& face : faces)
        if (!face.picture.empty())
            pictures.add(face.picture_file);
    host.stage(texts.get(ui::pack_title));
    files.pack = write_print_pack(faces, folder, settings, [&](int done, int total) { host.progress(done, total); });
    files.csv = folder / "manifest.csv";
    if (auto written = write_file_safely(files.csv, print_manifest_csv(files.pack)); !written)
        return written.error();
    files.pdf = folder / "manifest.pdf";
    if (auto written = write_manifest_pdf(files.pdf, files.pack, scene, view, texts); !written)
        return written.error();
    return files;
}

Result<void> PrintPackOutput::write(const std::filesystem::path& folder, PlanScene& scene, const ViewState& view,
                                    OutputHost& host) const
{
    auto files = export_print_pack(folder, scene, view, settings_, texts_, design_folder_, host);
    if (!files)
        return files.error();
    if (written_)
        *written_ = std::move(*files);
    return {};
}

} // namespace halvern
