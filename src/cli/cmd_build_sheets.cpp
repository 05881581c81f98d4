#include <ctime>

#include "base/numbers.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/project_input.h"
#include "platform/build_sheets_document.h"

namespace halvern {

namespace {

std::string today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    return std::strftime(text, sizeof text, "%Y-%m-%d", &local) ? std::string(text) : std::string();
}

const char* kind_name(RunJoint::Kind kind)
{
    switch (kind) {
    case RunJoint::Kind::free_end: return "free_end";
    case RunJoint::Kind::straight: return "straight";
    case RunJoint::Kind::corner: return "corner";
    case RunJoint::Kind::branch: return "branch";
    }
    return "";
}

const char* packed_name(PackingRow::Packed packed)
{
    switch (packed) {
    case PackingRow::Packed::bags: return "bags";
    case PackingRow::Packed::pieces: return "pieces";
    case PackingRow::Packed::metres: return "metres";
    }
    return "";
}

template <class T, class F>
void json_list(std::ostream& out, const std::vector<T>& items, F&& each)
{
    out << '[';
    for (size_t k = 0; k < items.size(); ++k) {
        if (k)
            out << ',';
        each(items[k]);
    }
    out << ']';
}

std::string n(double value) { return format_number(round_half_away(value * 1000) / 1000); }

void print_json(std::ostream& out, const BuildSheets& sheets, const ComponentTable& components)
{
    auto name_of = [&](int component) { return json_string(components[component].name); };
    auto pieces = [&](const std::vector<PieceCount>& list) {
        json_list(out, list, [&](const PieceCount& p) {
            out << "{\"component\":" << p.component << ",\"name\":" << name_of(p.component)
                << ",\"quantity\":" << n(p.quantity) << '}';
        });
    };
    auto faces = [&](const std::vector<FaceFiles>& list) {
        json_list(out, list, [&](const FaceFiles& f) {
            out << "{\"face\":\"" << (f.face == 1 ? "recto" : "verso") << "\",\"picture\":"
                << (f.has_picture ? "true" : "false") << ",\"files\":";
            json_list(out, f.files, [&](const std::string& file) { out << json_string(file); });
            out << '}';
        });
    };
    auto ints = [&](const std::vector<int>& list, int plus) {
        json_list(out, list, [&](int v) { out << v + plus; });
    };

    out << "{\"runs\":";
    size_t number = 0;
    json_list(out, sheets.runs, [&](const WallRun& run) {
        out << "{\"run\":" << ++number << ",\"length_cm\":" << n(run.length) << ",\"loop\":"
            << (run.loop ? "true" : "false") << ",\"frames\":";
        json_list(out, run.frames, [&](const RunFrame& f) {
            out << "{\"object\":" << f.object << ",\"component\":" << f.component << ",\"name\":"
                << name_of(f.component) << ",\"height\":" << n(f.height) << ",\"width\":" << n(f.width)
                << ",\"modules\":";
            ints(f.modules, 0);
            out << ",\"turned\":" << (f.turned ? "true" : "false") << ",\"pieces\":";
            pieces(f.pieces);
            out << ",\"faces\":";
            faces(f.faces);
            out << '}';
        });
        out << ",\"joints\":";
        json_list(out, run.joints, [&](const RunJoint& j) {
            out << "{\"kind\":\"" << kind_name(j.kind) << "\",\"x\":" << n(j.at.x) << ",\"y\":" << n(j.at.y)
                << ",\"objects\":";
            ints(j.objects, 0);
            out << ",\"runs\":";
            ints(j.other_runs, 1);
            out << ",\"pieces\":";
            pieces(j.pieces);
            out << '}';
        });
        out << '}';
    });
    // The packing list flat, each row naming its library; the libraries' totals beside it.
    std::vector<std::pair<const PackingGroup*, const PackingRow*>> rows;
    for (const PackingGroup& g : sheets.packing)
        for (const PackingRow& r : g.rows)
            rows.push_back({&g, &r});
    out << ",\"packing\":";
    json_list(out, rows, [&](const auto& row) {
        const PackingGroup& g = *row.first;
        const PackingRow& r = *row.second;
        out << "{\"component\":" << r.component << ",\"name\":" << json_string(r.name)
            << ",\"library\":" << g.library << ",\"quantity\":" << n(r.quantity) << ",\"pack_by\":" << n(r.pack_by)
            << ",\"packed\":\"" << packed_name(r.packed) << "\",\"bags\":" << r.bags << ",\"spare\":" << n(r.spare)
            << ",\"weight_kg\":" << n(r.weight_g / 1000) << '}';
    });
    out << ",\"libraries\":";
    json_list(out, sheets.packing, [&](const PackingGroup& g) {
        out << "{\"library\":" << g.library << ",\"name\":" << json_string(g.name) << ",\"pieces\":" << n(g.pieces)
            << ",\"bags\":" << g.bags << ",\"weight_kg\":" << n(g.weight_g / 1000) << '}';
    });
    out << ",\"objects\":";
    json_list(out, sheets.free_objects, [&](const FreeObject& o) {
        out << "{\"object\":" << o.object << ",\"component\":" << o.component << ",\"name\":" << name_of(o.component)
            << ",\"x\":" << n(o.x) << ",\"y\":" << n(o.y) << ",\"rotation\":" << n(o.rotation)
            << ",\"elevation\":" << n(o.elevation) << ",\"faces\":";
        faces(o.faces);
        out << '}';
    });
    out << ",\"pieces\":" << n(sheets.pieces) << ",\"bags\":" << sheets.bags
        << ",\"weight_kg\":" << n(sheets.weight_g / 1000) << ",\"print_m2\":" << n(sheets.print_m2) << "}\n";
}

} // namespace

int cmd_build_sheets(CliContext& context)
{
    const std::string format = context.option("--format").value_or("pdf");
    if (format != "pdf" && format != "json")
        return context.usage_error("build-sheets: --format must be pdf or json, not '" + format + "'");
    if (format == "pdf" && context.args.size() < 2)
        return context.usage_error("build-sheets: the PDF file to write is missing");
    if (format == "json" && context.args.size() > 1)
        return context.usage_error("build-sheets: --format json prints on standard output and takes no file");

    auto design = read_design(context, context.args[0]);
    if (!design || design->read.failure)
        return exit_bad_input; // sheets of half a design would send the crew out short
    if (format == "json") {
        print_json(context.out, make_build_sheets(design->plan, design->components, design->libraries),
                   design->components);
        return exit_ok;
    }
    UiText texts;
    texts.load(context.app_dir, context.lang);
    PlanScene scene{design->components, design->libraries, design->plan, design->stand};
    SilentOutputHost host;
    const BuildSheetsOutput output(texts, context.option("--date").value_or(today()));
    if (auto written = output.write(context.args[1], scene, ViewState{}, host); !written)
        return context.fail(written.error());
    return exit_ok;
}

} // namespace halvern
