#pragma once
// The print pack: the artwork of every printed face at its print size, cropped from its picture
// (centred, never stretched), with a bleed on every side, one JPEG per face, or per strip where a
// face is wider than the printer's roll. Each file is encoded row by row from the picture, so a
// face several metres wide at printing resolution never has to be held whole.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "library/component_table.h"
#include "outputs/strip_layout.h"
#include "plan/plan_table.h"

namespace halvern {

struct PrintPackSettings {
    int dpi = 150;
    double bleed_mm = 10;
    double roll_mm = 1600; // the widest print the printer makes
    double overlap_mm = 20; // shared by neighbouring strips, so that they can be laid edge over edge
};

// What the settings may be; a message naming the limit otherwise.
Result<void> check_print_pack_settings(const PrintPackSettings& settings);

// One printed face of an object: recto (1) or verso (2), as its faces value says.
struct PrintFace {
    int object = 0;
    int face = 1;
    std::string component; // its name
    std::string label;     // the object's text, else the component's name: what the file is named after
    std::string end_code;  // the built-in panels' ends, empty for other objects
    double width_mm = 0, height_mm = 0;
    std::string picture; // as the design holds it; empty when none is set
    std::filesystem::path picture_file; // where it is read from: a relative name is the design's folder's
};

// Every printed face of the design, object after object, recto before verso.
std::vector<PrintFace> printed_faces(const PlanTable& plan, const ComponentTable& components,
                                     const std::filesystem::path& design_folder);

// Millimetres at a resolution, rounded half away from zero.
int print_pixels(double mm, int dpi);

// Strips over a picture `width` pixels wide, none wider than `roll` and each sharing `overlap`
// columns with the next, of (nearly) equal widths; the last one ends at the right edge. One strip
// when the picture fits on the roll.
std::vector<ColumnRange> roll_strips(int width, int roll, int overlap);

// "NNN_<label>_<recto|verso>_<W>x<H>mm.jpg", with "_<k>of<n>" before the extension for a strip.
// The label keeps what a file name can hold on every desktop, cut to 40 bytes.
std::string print_file_name(const PrintFace& face, int strip, int strips);

// The files the pack writes for a face at these settings: one, or one per strip.
std::vector<std::string> print_file_names(const PrintFace& face, const PrintPackSettings& settings);

enum class PrintStatus { written, no_picture, unreadable, failed };

struct PrintPiece {
    std::filesystem::path file;
    ColumnRange columns; // of the face's whole print
};

struct PrintEntry {
    PrintFace face;
    PrintStatus status = PrintStatus::written;
    std::string problem;         // why the face or one of its strips was not written
    int width_px = 0, height_px = 0; // the whole print, bleed included
    std::optional<double> picture_proportion; // height over width of the picture, once read
    bool proportion_off = false; // the picture is cropped by more than the check allows
    std::vector<PrintPiece> pieces;
};

struct PrintPack {
    PrintPackSettings settings;
    std::vector<PrintEntry> entries;
    int faces_written() const;
    // Faces that carry a picture: those a printer was to get.
    int faces_to_print() const;
    // The faces that were to print and could not be written (the picture unreadable, a file not
    // written); a face without a picture was never to print.
    std::vector<const PrintEntry*> not_printed() const;
    double print_area_m2() const; // of the faces written, bleed left out
};

// Called after each face with the faces done and their count.
using PrintPackProgress = std::function<void(int done, int total)>;

// Writes every face's files into `folder` (which must exist). A face without a picture, with a
// picture that cannot be read, or whose file cannot be written is listed with the reason, and the
// next face is still written. The files are shared out among `workers` threads (one file each at a
// time; 0: as many as there are cores and files); every file is the same, byte for byte, whatever
// their number. Progress is told from the calling thread.
PrintPack write_print_pack(const std::vector<PrintFace>& faces, const std::filesystem::path& folder,
                           const PrintPackSettings& settings, const PrintPackProgress& progress = {},
                           int workers = 0);

// The workers worth starting for `files` files: no more than the files, nor than the cores.
int print_pack_workers(size_t files);

// The manifest as CSV (a header line, then a line per file, or per face not written).
std::string print_manifest_csv(const PrintPack& pack);

// A small copy of a picture, no side above `side` pixels, as rows of RGB bytes from the top.
struct Thumbnail {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
};
Result<Thumbnail> picture_thumbnail(const std::filesystem::path& file, int side);

} // namespace halvern
