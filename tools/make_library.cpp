// Writes the starter libraries of the installation folder:
//   extlib/lib.index               the libraries and their order in the library strip
//   extlib/N/NAME.lib, NAME.dat    each component's definition file and 3D companion
//   extlib/table.lib               prices, weights and bag sizes (names left empty, so that the
//                                  names keep following the interface language)
//     make_library DATA_FOLDER [--sizes]
// --sizes also lists each component's declared size beside the size of its model.
// Each model is held to the size its definition declares before anything is written.

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/text_file.h"
#include "library/builtin_catalogue.h"
#include "library/definition_file.h"
#include "library/price_table.h"
#include "starter/catalogue_prices.h"
#include "starter/starter_item.h"

namespace fs = std::filesystem;
using namespace halvern;
using namespace halvern::tools;

namespace {

// How far a model may stray from its declared size: round parts are facetted, beams have ends.
double tolerance(double size) { return std::max(2.0, 0.02 * size); }

void check_axis(const StarterItem& item, const char* axis, double lo, double hi, double want_lo, double want_hi)
{
    const double tol = tolerance(want_hi - want_lo);
    if (std::abs(lo - want_lo) > tol || std::abs(hi - want_hi) > tol) {
        char text[256];
        std::snprintf(text, sizeof text, "component %d: the model spans %.2f..%.2f cm in %s, its definition %.2f..%.2f",
                      item.number, lo, hi, axis, want_lo, want_hi);
        throw std::runtime_error(text);
    }
}

// The model fills the footprint (one metre along an axis the 3D scene stretches to the object's size),
// centred on the reference point, from the floor to the component's height. The arc of the plan is
// the back half of its ellipse, so an arc-shaped component fills the back half of its footprint.
void check_model(const StarterItem& item)
{
    const Component& c = item.c;
    const Bounds& b = item.bounds;
    if (b.empty())
        throw std::runtime_error("component " + std::to_string(item.number) + " has an empty model");
    const double w = c.resize_x == 1 ? 100 : c.width;
    const double d = c.resize_y == 1 ? 100 : c.depth;
    const double h = c.resize_z == 1 ? 100 : c.height;
    check_axis(item, "width", b.min_x, b.max_x, -w / 2, w / 2);
    if (c.shape == shape_arc)
        check_axis(item, "depth", b.min_z, b.max_z, -d / 2, 0);
    else
        check_axis(item, "depth", b.min_z, b.max_z, -d / 2, d / 2);
    check_axis(item, "height", b.min_y, b.max_y, 0, h);
}

void check_item(const StarterLibrary& library, const StarterItem& item)
{
    const Component& c = item.c;
    if (item.number / 100 != library.number)
        throw std::runtime_error("component " + std::to_string(item.number) + " is not a number of library "
                                 + std::to_string(library.number));
    for (int k = 0; k < colour_slots; ++k) {
        const std::string& marker = c.color_src[size_t(k)];
        if (marker.empty())
            continue;
        const size_t at = item.dat.find(marker);
        if (at == std::string::npos || item.dat.find(marker, at + 1) != std::string::npos
            || item.dat.compare(at + marker.size(), 11, " Material {") != 0)
            throw std::runtime_error("component " + std::to_string(item.number) + ": colour slot "
                                     + std::to_string(k) + " does not name exactly one material");
    }
    check_model(item);
}

std::string crlf(const std::string& text)
{
    std::string out;
    for (char ch : text) {
        if (ch == '\n')
            out += '\r';
        out += ch;
    }
    return out;
}

void write_or_throw(Result<void> written)
{
    if (!written)
        throw std::runtime_error(written.error().text());
}

void write_library(const fs::path& extlib, const StarterLibrary& library)
{
    const fs::path folder = extlib / std::to_string(library.number);
    if (fs::exists(folder))
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().extension() == ".lib" || entry.path().extension() == ".dat")
                fs::remove(entry.path());
    fs::create_directories(folder);
    for (const StarterItem& item : library.items) {
        std::vector<std::string> lines = definition_lines(item.c, item.number);
        // Keys the writer leaves out: the English name, and the fill of a point list.
        lines.push_back("name_en=" + item.name_en);
        if (item.fill)
            lines.push_back("draw_fill=1");
        write_or_throw(write_lines(folder / (item.file + ".lib"), lines));
        write_or_throw(write_file_safely(folder / (item.file + ".dat"), crlf(item.dat)));
    }
}

void write_index(const fs::path& extlib, const std::vector<StarterLibrary>& libraries)
{
    std::vector<std::string> lines{"0,0,VEK", "23,1,Profilés / Profiles"};
    for (const StarterLibrary& library : libraries)
        lines.push_back(std::to_string(library.number) + "," + std::to_string(library.position) + ","
                        + library.name);
    write_or_throw(write_lines(extlib / "lib.index", lines));
}

void write_prices(const fs::path& extlib, const std::vector<StarterLibrary>& libraries)
{
    ComponentTable table;
    fill_builtin_catalogue(table, "en");
    for (const CataloguePrice& p : catalogue_prices()) {
        Component& c = table[p.number];
        if (c.is_free())
            throw std::runtime_error("the catalogue has no component " + std::to_string(p.number));
        c.price = p.price;
        c.weight = p.weight;
        c.pack_by = p.pack_by;
    }
    for (const StarterLibrary& library : libraries)
        for (const StarterItem& item : library.items) {
            Component& c = table[item.number];
            c = item.c;
            c.price = item.price;
            c.weight = item.weight;
            c.pack_by = item.pack_by;
        }
    write_or_throw(write_price_table(extlib / "table.lib", table, PriceNames::from_price_table));
}

} // namespace

int main(int argc, char** argv)
{
    const bool sizes = argc == 3 && std::string(argv[2]) == "--sizes";
    if (argc != 2 && !sizes) {
        std::fprintf(stderr, "usage: make_library DATA_FOLDER [--sizes]\n");
        return 2;
    }
    const fs::path extlib = fs::path(argv[1]) / "extlib";
    try {
        const std::vector<StarterLibrary> libraries = starter_libraries();
        std::set<int> numbers;
        int count = 0;
        for (const StarterLibrary& library : libraries)
            for (const StarterItem& item : library.items) {
                if (!numbers.insert(item.number).second)
                    throw std::runtime_error("component " + std::to_string(item.number) + " is defined twice");
                if (sizes)
                    std::printf("%5d %-32s %7.1f x %6.1f x %6.1f   model %7.1f x %6.1f x %6.1f\n", item.number,
                                item.name_en.c_str(), item.c.width, item.c.depth, item.c.height, item.bounds.width(),
                                item.bounds.depth(), item.bounds.height());
                check_item(library, item);
                ++count;
            }
        for (const StarterLibrary& library : libraries)
            write_library(extlib, library);
        write_index(extlib, libraries);
        write_prices(extlib, libraries);
        std::printf("%d components in %zu libraries written under %s\n", count, libraries.size(),
                    extlib.string().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_library: %s\n", e.what());
        return 1;
    }
    return 0;
}
