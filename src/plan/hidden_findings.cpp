#include "plan/hidden_findings.h"

#include "base/numbers.h"
#include "base/strings.h"

namespace halvern {

namespace {

constexpr std::string_view hide_prefix = "hide:";
constexpr int ends_per_kind = 3; // 0 (no end), 1, 2

} // namespace

std::uint32_t hidden_bit(CheckKind kind, int end)
{
    const int k = int(kind);
    if (k < 0 || k >= check_kind_count || end < 0 || end >= ends_per_kind)
        return 0;
    return std::uint32_t(1) << (k * ends_per_kind + end);
}

bool is_hidden(const PlanTable& plan, const Finding& finding)
{
    return plan.valid(finding.object)
           && (plan.obj_checks_hidden[size_t(finding.object)] & hidden_bit(finding.kind, finding.end)) != 0;
}

void set_hidden(PlanTable& plan, const Finding& finding, bool hidden)
{
    if (!plan.valid(finding.object))
        return;
    std::uint32_t& bits = plan.obj_checks_hidden[size_t(finding.object)];
    const std::uint32_t bit = hidden_bit(finding.kind, finding.end);
    bits = hidden ? bits | bit : bits & ~bit;
}

void mark_hidden(const PlanTable& plan, std::vector<Finding>& findings)
{
    for (Finding& f : findings)
        f.hidden = is_hidden(plan, f);
}

std::vector<HiddenFinding> hidden_findings(const PlanTable& plan)
{
    std::vector<HiddenFinding> out;
    for (int i = 1; i <= plan.nb_objets; ++i) {
        const std::uint32_t bits = plan.obj_checks_hidden[size_t(i)];
        if (bits == 0)
            continue;
        for (int k = 0; k < check_kind_count; ++k)
            for (int e = 0; e < ends_per_kind; ++e)
                if (bits & hidden_bit(CheckKind(k), e))
                    out.push_back({CheckKind(k), i, e});
    }
    return out;
}

std::string format_hidden_line(const PlanTable& plan)
{
    const std::vector<HiddenFinding> hidden = hidden_findings(plan);
    if (hidden.empty())
        return "0";
    std::string line(hide_prefix);
    for (size_t n = 0; n < hidden.size(); ++n) {
        if (n > 0)
            line += ';';
        line += std::string(check_kind_key(hidden[n].kind)) + '/' + std::to_string(hidden[n].object) + '/'
                + std::to_string(hidden[n].end);
    }
    return line;
}

HiddenLine parse_hidden_line(std::string_view line)
{
    const std::string_view bare = trim(line);
    HiddenLine out;
    if (bare == "0")
        return out;
    if (bare.substr(0, hide_prefix.size()) != hide_prefix) {
        out.problems.push_back("the line of hidden design checks holds neither \"0\" nor \"hide:\"; no check is hidden");
        return out;
    }
    std::string_view rest = bare.substr(hide_prefix.size());
    while (!rest.empty()) {
        const size_t stop = rest.find(';');
        const std::string_view entry = trim(rest.substr(0, stop));
        rest = stop == std::string_view::npos ? std::string_view() : rest.substr(stop + 1);
        const size_t a = entry.find('/');
        const size_t b = a == std::string_view::npos ? a : entry.find('/', a + 1);
        std::optional<CheckKind> kind = check_kind_from_key(entry.substr(0, a));
        const std::optional<int> object = b == std::string_view::npos
                                              ? std::nullopt
                                              : parse_strict_int(entry.substr(a + 1, b - a - 1), 1, max_objects);
        const std::optional<int> end =
            b == std::string_view::npos ? std::nullopt : parse_strict_int(entry.substr(b + 1), 0, ends_per_kind - 1);
        if (entry.empty()) // "hide:a;;b" or a ";" at the end: nothing is lost
            continue;
        if (!kind || !object || !end) {
            out.problems.push_back("\"" + std::string(entry)
                                   + "\" is no hidden design check (kind/object/end, object 1 to "
                                   + std::to_string(max_objects) + ", end 0 to 2); it is left out, the others stay hidden");
            continue;
        }
        out.findings.push_back({*kind, *object, *end});
    }
    return out;
}

} // namespace halvern
