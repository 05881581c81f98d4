#include "platform/plan_document.h"

#include <QBuffer>
#include <QByteArray>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QString>
#include <QSvgGenerator>

#include "base/text_file.h"
#include "outputs/output_range.h"
#include "outputs/sheet_texts.h"
#include "platform/plan_printer.h"
#include "platform/qt_canvas.h"

namespace halvern {

namespace {

constexpr double margin_mm = 10;

QPageSize page_size(Paper paper) { return QPageSize(paper == Paper::a3 ? QPageSize::A3 : QPageSize::A4); }

int mm_to_dots(double mm) { return int(mm / 25.4 * paper_dots_per_inch); }

// The paper as drawn on: width x height in paper dots, margins included, turned as asked.
QSize paper_dots(const SheetOptions& options, const StandSettings& stand)
{
    const QSizeF mm = page_size(options.paper).size(QPageSize::Millimeter);
    QSize portrait(mm_to_dots(mm.width()), mm_to_dots(mm.height()));
    const int margins = 2 * mm_to_dots(margin_mm);
    bool landscape = options.turn == PageTurn::landscape;
    if (options.turn == PageTurn::automatic)
        landscape = sheet_is_landscape(stand, portrait.width() - margins, portrait.height() - margins);
    return landscape ? portrait.transposed() : portrait;
}

// XML refuses the control characters other than tab and line ends anywhere in a document, even
// written as references: a design's text that holds one (pasted from elsewhere, or a damaged file)
// would make the whole picture unreadable. They can only be shown as the replacement character.
bool xml_refuses(char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r'; }

std::string without_refused_characters(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        out += xml_refuses(c) ? std::string_view("\xEF\xBF\xBD") : std::string_view(&c, 1);
    return out;
}

// The generator writes its title as it is given, so "Dupont & Fils" would end the document's
// well-formedness: the title goes in as XML text.
QString xml_text(const std::string& text)
{
    return QString::fromStdString(without_refused_characters(text)).toHtmlEscaped();
}

// The sheet's pages after the layout was found: nothing is drawn for a sheet that cannot be laid out.
template <class NewPage>
void draw_pages(QtCanvas& canvas, PlanScene& scene, const SheetLayout& layout, const SheetOptions& options,
                bool with_bill, NewPage new_page)
{
    draw_sheet(canvas, scene, layout, options.texts);
    if (!with_bill)
        return;
    const std::vector<BillLine> lines = bill_lines(options.quote, options.bill_texts);
    for (const BillPage& page : bill_pages(lines, bill_lines_per_page(layout.height))) {
        new_page();
        draw_bill_page(canvas, layout.width, layout.height, options.bill_texts, lines, page);
    }
}

} // namespace

void set_up_paper(QPrinter& printer, const SheetOptions& options, const StandSettings& stand)
{
    const QSize paper = paper_dots(options, stand);
    const auto turn = paper.width() > paper.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
    printer.setPageLayout(QPageLayout(page_size(options.paper), turn,
                                      QMarginsF(margin_mm, margin_mm, margin_mm, margin_mm), QPageLayout::Millimeter));
}

Result<void> draw_plan_document(QPrinter& printer, PlanScene& scene, const ViewState& view,
                                const SheetOptions& options)
{
    ensure_gui_application();
    const QRectF inches = printer.pageLayout().paintRect(QPageLayout::Inch);
    auto layout = layout_sheet(int(inches.width() * paper_dots_per_inch), int(inches.height() * paper_dots_per_inch),
                               scene.stand, view, options.scale);
    if (!layout)
        return layout.error();
    const double device_dpi = printer.resolution() > 0 ? printer.resolution() : paper_dots_per_inch;
    QtCanvas canvas(printer);
    if (!canvas.active())
        return make_error("the printer cannot be used");
    canvas.scale(device_dpi / paper_dots_per_inch);
    bool paged = true;
    draw_pages(canvas, scene, *layout, options, options.bill_page, [&] { paged = printer.newPage() && paged; });
    canvas.end();
    if (!paged)
        return make_error("the printer cannot start another page");
    return {};
}

Result<void> write_plan_pdf(const std::filesystem::path& file, PlanScene& scene, const ViewState& view,
                            const SheetOptions& options)
{
    ensure_gui_application();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(file.string()));
    printer.setCreator(QString::fromUtf8(program_name));
    printer.setDocName(QString::fromStdString(scene.stand.title));
    set_up_paper(printer, options, scene.stand);
    return print_plan(printer, scene, view, options);
}

Result<void> write_plan_svg(const std::filesystem::path& file, PlanScene& scene, const ViewState& view,
                            const SheetOptions& options)
{
    ensure_gui_application();
    if (auto in_range = check_output_range(scene.plan, scene.stand); !in_range)
        return make_error(in_range.error().message, file);
    const QSize paper = paper_dots(options, scene.stand);
    const int margin = mm_to_dots(margin_mm);
    auto layout = layout_sheet(paper.width() - 2 * margin, paper.height() - 2 * margin, scene.stand, view,
                               options.scale);
    if (!layout)
        return make_error(layout.error().message, file);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(int(paper_dots_per_inch)); // the paper's size in millimetres follows
    svg.setSize(paper);
    svg.setViewBox(QRect(QPoint(0, 0), paper));
    svg.setTitle(xml_text(scene.stand.title));
    svg.setDescription(QString::fromUtf8(program_name));
    {
        QtCanvas canvas(svg);
        if (!canvas.active())
            return make_error("the SVG picture cannot be drawn", file);
        canvas.set_colour_value(colour_white);
        canvas.box({0, 0, paper.width(), paper.height()}, true);
        canvas.translate(margin, margin);
        draw_pages(canvas, scene, *layout, options, false, [] {});
        canvas.end();
    }
    buffer.close();
    // The texts on the plan (objects' texts, the title block) are escaped by the generator, but
    // their control characters are not: nothing else in its output is one.
    return write_file_safely(file, without_refused_characters(std::string_view(bytes.constData(), size_t(bytes.size()))));
}

} // namespace halvern
