#include "base/ui_text.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/project_input.h"
#include "cli/utf8_output.h"
#include "plan/picture_probe.h"

namespace halvern {

namespace {

// Something was found: a workflow can stop on it, as it stops on bad input.
constexpr int exit_findings = 3;

void print_tsv(std::ostream& out, const std::vector<Finding>& findings)
{
    for (const Finding& f : findings)
        out << check_kind_key(f.kind) << '\t' << severity_key(f.severity) << '\t' << f.object << '\t' << f.end << '\t'
            << f.other << '\t' << (f.hidden ? 1 : 0) << '\t' << text_cell(f.text) << '\n';
}

void print_json(std::ostream& out, const std::vector<Finding>& findings, size_t shown)
{
    out << "{\"findings\":[";
    for (size_t n = 0; n < findings.size(); ++n) {
        const Finding& f = findings[n];
        out << (n ? "," : "") << "{\"kind\":" << json_string(check_kind_key(f.kind))
            << ",\"severity\":" << json_string(severity_key(f.severity)) << ",\"object\":" << f.object
            << ",\"end\":" << f.end << ",\"other\":" << f.other << ",\"hidden\":" << (f.hidden ? "true" : "false")
            << ",\"text\":" << json_string(f.text) << "}";
    }
    out << "],\"count\":" << shown << "}\n";
}

} // namespace

int cmd_check(CliContext& context)
{
    const std::string format = context.option("--format").value_or("tsv");
    if (format != "tsv" && format != "json")
        return context.usage_error("check: --format must be tsv or json, not '" + format + "'");
    auto design = read_design(context, context.args[0]);
    if (!design || design->read.failure)
        return exit_bad_input; // the checks of half a design would pass what was never read

    UiText texts;
    texts.load(context.app_dir, context.lang);
    FilePictureProbe pictures;
    pictures.set_folder(std::filesystem::absolute(context.args[0]).parent_path());
    std::vector<Finding> findings =
        run_design_checks({design->plan, design->components, design->stand, texts, &pictures});
    const std::vector<Finding> shown = shown_findings(findings);
    const std::vector<Finding>& listed = context.has_option("--all") ? findings : shown;
    if (format == "tsv")
        print_tsv(context.out, listed);
    else
        print_json(context.out, listed, shown.size());
    return shown.empty() ? exit_ok : exit_findings;
}

} // namespace halvern
