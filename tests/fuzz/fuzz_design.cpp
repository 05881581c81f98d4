// A design file as Load reads it: the format is told from the first line (the old format's
// reader is also fed everything directly, built with HALVERN_FUZZ_OLD_FORMAT), the objects go into an
// empty plan against the built-in catalogue and two library components.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "library/builtin_catalogue.h"
#include "project/project_reader.h"

using namespace halvern;

namespace {

const ComponentTable& components()
{
    static const ComponentTable* table = [] {
        auto* t = new ComponentTable();
        fill_builtin_catalogue(*t, "en");
        (*t)[101].name = "Panel";
        (*t)[205].name = "Frame";
        return t;
    }();
    return *table;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    PlanTable plan;
    StandSettings stand;
#ifdef HALVERN_FUZZ_OLD_FORMAT
    const ProjectFormat format = ProjectFormat::old;
#else
    auto known = project_format_of(bytes, "fuzz.qlm");
    if (!known)
        return 0;
    const ProjectFormat format = *known;
#endif
    ReadMode mode = size % 2 ? ReadMode::import : ReadMode::load;
    read_project_text(bytes, "fuzz.qlm", format, mode, components(), plan, stand);
    return 0;
}
