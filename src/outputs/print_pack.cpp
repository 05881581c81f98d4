#include "outputs/print_pack.h"

#include <FreeImage.h>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "base/csv_text.h"
#include "base/numbers.h"
#include "base/utf8.h"
#include "base/text_file.h"
#include "outputs/jpeg_stream.h"
#include "outputs/picture_tiling.h"
#include "outputs/plan_picture.h"
#include "plan/face_proportion.h"
#include "plan/plan_ends.h"
#include "plan/plan_range.h"

namespace halvern {

namespace {

constexpr double mm_per_inch = 25.4;
constexpr size_t label_bytes = 40;
constexpr int print_jpeg_quality = 95; // every channel at full resolution, as the stream always writes

bool face_printed(int faces, int face) { return face == 1 ? faces == 1 || faces == 3 : faces == 2 || faces == 3; }

bool built_in_panel(const PlanTable& plan, const ComponentTable& components, int i)
{
    const int n = plan.comp(i);
    return ComponentTable::valid(n) && components[n].library == 0 && components[n].panel != 0 && has_geometry(plan, i);
}

// What a file name may hold on every desktop: no separators, no characters Windows refuses, no
// control characters, no blanks; cut at a character boundary.
std::string file_name_part(const std::string& text)
{
    std::string out;
    size_t i = 0;
    while (i < text.size() && out.size() < label_bytes) {
        const int length = utf8_sequence_length(std::string_view(text).substr(i));
        if (length <= 0) { // a byte that begins no character
            out += '_';
            ++i;
            continue;
        }
        if (out.size() + size_t(length) > label_bytes)
            break;
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (length == 1 && (c < 0x20 || c == 0x7f || std::string_view("/\\:*?\"<>| \t").find(char(c)) != std::string_view::npos))
            out += '_';
        else
            out.append(text, i, size_t(length));
        i += size_t(length);
    }
    while (!out.empty() && (out.back() == '.' || out.back() == '_'))
        out.pop_back(); // a trailing point would vanish from the name on some desktops
    return out.empty() ? std::string("object") : out;
}

std::string whole_mm(double mm) { return std::to_string(round_to_int(mm)); }

// Output pixels of the whole print (bleed included) from the picture: scaled to cover the print,
// centred, the overflow cropped; bilinear between the picture's pixels. A picture much larger
// than the print is first reduced with a proper filter, so that sampling never skips pixels.
// Once made it is only read, so that several strips of one face can be sampled at once.
class FaceSampler {
public:
    // Where each output column of a strip reads the picture, worked out once per strip.
    struct Columns {
        std::vector<int> left, right; // byte offsets of the two pixels in a picture row
        std::vector<float> weight;    // of the right one
    };

    FaceSampler(Bitmap picture, int width, int height) : picture_(std::move(picture))
    {
        size(width, height);
        if (scale_ < 1) {
            const int w = std::max(1, round_to_int(source_width_ * scale_));
            const int h = std::max(1, round_to_int(source_height_ * scale_));
            if (Bitmap reduced{FreeImage_Rescale(picture_.get(), w, h, FILTER_CATMULLROM)}) {
                picture_ = std::move(reduced);
                size(width, height);
            }
        }
    }

    Columns columns(int x0, int count) const
    {
        Columns c;
        c.left.resize(size_t(count));
        c.right.resize(size_t(count));
        c.weight.resize(size_t(count));
        const int last = source_width_ - 1;
        for (int k = 0; k < count; ++k) {
            const double u = std::clamp(left_ + (x0 + k + 0.5) / scale_ - 0.5, 0.0, double(last));
            const int x = std::min(int(u), last);
            c.left[size_t(k)] = x * 3;
            c.right[size_t(k)] = std::min(x + 1, last) * 3;
            c.weight[size_t(k)] = float(u - x);
        }
        return c;
    }

    // A strip's blend of two neighbouring columns for the two picture rows last used: at a
    // printing resolution many output rows fall between the same two picture rows, and the blend
    // of the columns comes out the same for each, so it is worked out once per picture row.
    struct Rows {
        int top_row = -1, bottom_row = -1;
        std::vector<float> top, bottom; // per output byte
    };

    // Row `y` from the top over the given columns, as red, green, blue bytes: the blend of the
    // columns in each of the two rows, then of the rows, rounded half away from zero.
    void row(int y, const Columns& columns, Rows& rows, unsigned char* rgb) const
    {
        const double v = std::clamp(top_ + (y + 0.5) / scale_ - 0.5, 0.0, double(source_height_ - 1));
        const int r0 = std::min(int(v), source_height_ - 1), r1 = std::min(r0 + 1, source_height_ - 1);
        const float t = float(v - r0), t1 = 1 - t;
        const size_t bytes = columns.weight.size() * 3;
        if (rows.top.size() != bytes) {
            rows = Rows{};
            rows.top.resize(bytes);
            rows.bottom.resize(bytes);
        }
        if (rows.top_row != r0) {
            if (rows.bottom_row == r0) {
                std::swap(rows.top, rows.bottom);
                std::swap(rows.top_row, rows.bottom_row);
            } else {
                blend_columns(r0, columns, rows.top.data());
                rows.top_row = r0;
            }
        }
        if (rows.bottom_row != r1) {
            blend_columns(r1, columns, rows.bottom.data());
            rows.bottom_row = r1;
        }
        const float* top = rows.top.data();
        const float* bottom = rows.bottom.data();
        for (size_t k = 0; k < bytes; ++k) {
            // Half away from zero, as lround gives, for a value never below zero: exact in
            // double, and without a library call per byte.
            rgb[k] = static_cast<unsigned char>(int(double(top[k] * t1 + bottom[k] * t) + 0.5));
        }
    }

private:
    // Picture row `r` from the top, its neighbouring columns blended, as red, green, blue.
    void blend_columns(int r, const Columns& columns, float* out) const
    {
        // FreeImage keeps the bottom row first.
        const BYTE* line = FreeImage_GetScanLine(picture_.get(), source_height_ - 1 - r);
        const size_t count = columns.weight.size();
        constexpr int channel[3] = {FI_RGBA_RED, FI_RGBA_GREEN, FI_RGBA_BLUE};
        for (size_t k = 0; k < count; ++k) {
            const float s = columns.weight[k], s1 = 1 - s;
            const BYTE* p0 = line + columns.left[k];
            const BYTE* p1 = line + columns.right[k];
            for (int c = 0; c < 3; ++c)
                out[k * 3 + size_t(c)] = p0[channel[c]] * s1 + p1[channel[c]] * s;
        }
    }

    void size(int width, int height)
    {
        source_width_ = int(FreeImage_GetWidth(picture_.get()));
        source_height_ = int(FreeImage_GetHeight(picture_.get()));
        scale_ = std::max(double(width) / source_width_, double(height) / source_height_);
        left_ = (source_width_ - width / scale_) / 2;
        top_ = (source_height_ - height / scale_) / 2;
    }

    Bitmap picture_;
    int source_width_ = 0, source_height_ = 0;
    double scale_ = 1, left_ = 0, top_ = 0;
};

int roll_pixels(const PrintPackSettings& settings)
{
    return std::max(1, int(std::floor(settings.roll_mm * settings.dpi / mm_per_inch)));
}

std::vector<ColumnRange> face_strips(int width_px, const PrintPackSettings& settings)
{
    return roll_strips(width_px, roll_pixels(settings), print_pixels(settings.overlap_mm, settings.dpi));
}

int print_width_px(const PrintFace& face, const PrintPackSettings& settings)
{
    return print_pixels(face.width_mm + 2 * settings.bleed_mm, settings.dpi);
}

Result<void> check_face_size(const PrintEntry& entry, const PrintPackSettings& settings)
{
    const PrintFace& face = entry.face;
    if (!(face.width_mm > 0 && face.height_mm > 0)) // NaN fails too
        return make_error("the face has no size");
    const double side_max_mm = plan_max_stand_side_cm * 10;
    if (face.width_mm > side_max_mm || face.height_mm > side_max_mm)
        return make_error("the face is " + whole_mm(face.width_mm) + " x " + whole_mm(face.height_mm)
                          + " mm, larger than any stand (" + whole_mm(side_max_mm) + " mm a side)");
    const int widest = std::min(entry.width_px, roll_pixels(settings));
    if (entry.height_px > jpeg_side_max || widest > jpeg_side_max)
        return make_error("a print of " + std::to_string(widest) + " x " + std::to_string(entry.height_px)
                          + " pixels is more than a JPEG holds (" + std::to_string(jpeg_side_max) + " a side)");
    return {};
}

// What is known of a face before its picture is read: whether it is to print at all.
bool face_to_print(PrintEntry& entry, const PrintPackSettings& settings)
{
    const PrintFace& face = entry.face;
    if (face.picture.empty()) {
        entry.status = PrintStatus::no_picture;
        entry.problem = "no picture is set for this face";
        return false;
    }
    // Checked before the bleed is added: a face of no size would otherwise come out as a print of
    // bleed alone, and one wider than any stand as hours of work and millions of strips.
    if (auto fits = check_face_size(entry, settings); !fits) {
        entry.status = PrintStatus::failed;
        entry.problem = fits.error().message;
        return false;
    }
    return true;
}

// The face's picture, read and made ready to sample; nothing when it cannot be read.
std::shared_ptr<const FaceSampler> face_sampler(PrintEntry& entry)
{
    auto picture = load_picture_24(entry.face.picture_file);
    if (!picture) {
        entry.status = PrintStatus::unreadable;
        entry.problem = picture.error().text();
        return nullptr;
    }
    const double picture_width = FreeImage_GetWidth(picture->get()), picture_height = FreeImage_GetHeight(picture->get());
    entry.picture_proportion = picture_height / picture_width;
    entry.proportion_off =
        proportion_off(*entry.picture_proportion, FaceSize{entry.face.width_mm, entry.face.height_mm}.proportion());
    return std::make_shared<const FaceSampler>(std::move(*picture), entry.width_px, entry.height_px);
}

// Rows handed to the encoder at once: a few of its 8-row blocks, so that the calls cost nothing
// beside the coding while the band stays a few hundred kilobytes even for the widest strip.
constexpr int band_rows = 16;

// One strip's file, encoded a band of rows at a time: a strip metres long at printing resolution
// is never held whole.
Result<void> write_strip(const std::filesystem::path& file, const FaceSampler& sampler, ColumnRange columns, int height)
{
    const FaceSampler::Columns where = sampler.columns(columns.x, columns.width);
    FaceSampler::Rows rows;
    const size_t stride = size_t(columns.width) * 3;
    std::vector<std::uint8_t> band(stride * band_rows);
    return write_file_safely_with(file, [&](int fd) -> Result<void> {
        JpegStream jpeg(fd, columns.width, height, print_jpeg_quality);
        for (int y = 0; y < height; y += band_rows) {
            const int count = std::min(band_rows, height - y);
            for (int k = 0; k < count; ++k)
                sampler.row(y + k, where, rows, band.data() + stride * size_t(k));
            if (auto taken = jpeg.write_rows(band.data(), count, stride); !taken)
                return taken;
        }
        return jpeg.finish();
    });
}

// A face on its way through the workers: its picture is read by whichever worker takes its first
// strip and let go when its last strip is written, so that no more pictures are held at once than
// there are workers.
struct FaceWork {
    std::vector<ColumnRange> strips;
    std::vector<std::optional<std::string>> strip_problem; // why a strip was not written
    std::shared_ptr<const FaceSampler> sampler;
    bool read = false; // the picture was read, or found unreadable
    size_t strips_left = 0;
};

// The faces' strips shared out among workers, taken in order, one JPEG per worker at a time (a
// JPEG cannot be cut into row ranges without changing its bytes). Each file is exactly what one
// worker alone writes; only which worker writes it changes.
class PackWork {
public:
    PackWork(std::vector<PrintEntry>& entries, const std::filesystem::path& folder, const PrintPackSettings& settings)
        : entries_(entries), folder_(folder), work_(entries.size())
    {
        for (size_t f = 0; f < entries.size(); ++f) {
            if (!face_to_print(entries[f], settings))
                continue;
            work_[f].strips = face_strips(entries[f].width_px, settings);
            work_[f].strip_problem.resize(work_[f].strips.size());
            work_[f].strips_left = work_[f].strips.size();
            for (size_t k = 0; k < work_[f].strips.size(); ++k)
                jobs_.push_back({f, k});
        }
    }

    size_t jobs() const { return jobs_.size(); }

    // Runs jobs until none are left, or none of the faces up to `last`.
    void work(size_t last = SIZE_MAX)
    {
        for (;;) {
            std::unique_lock lock(mutex_);
            if (next_ == jobs_.size() || jobs_[next_].first > last)
                return;
            const auto [f, k] = jobs_[next_++];
            FaceWork& face = work_[f];
            if (k == 0) { // the face's first strip: this worker reads its picture
                lock.unlock();
                PrintEntry read_entry = entries_[f];
                auto sampler = face_sampler(read_entry);
                lock.lock();
                entries_[f] = std::move(read_entry);
                face.sampler = std::move(sampler);
                face.read = true;
                changed_.notify_all();
            }
            changed_.wait(lock, [&] { return face.read; });
            const std::shared_ptr<const FaceSampler> sampler = face.sampler;
            const PrintFace printed = entries_[f].face;
            const int height = entries_[f].height_px;
            const size_t strips = face.strips.size();
            const ColumnRange columns = face.strips[k];
            lock.unlock();
            std::optional<std::string> problem;
            if (sampler) {
                const auto file = folder_ / print_file_name(printed, int(k) + 1, int(strips));
                if (auto written = write_strip(file, *sampler, columns, height); !written)
                    problem = written.error().text();
            }
            lock.lock();
            face.strip_problem[k] = std::move(problem);
            if (--face.strips_left == 0) {
                face.sampler.reset();
                finish(f);
            }
            changed_.notify_all();
        }
    }

    // Waits until face `f` is done.
    void wait_for(size_t f)
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return work_[f].strips_left == 0; });
    }

private:
    // The face's pieces in the order of its strips, whichever worker wrote them.
    void finish(size_t f)
    {
        PrintEntry& entry = entries_[f];
        const FaceWork& face = work_[f];
        if (entry.status != PrintStatus::written)
            return;
        for (size_t k = 0; k < face.strips.size(); ++k) {
            if (face.strip_problem[k]) {
                entry.status = PrintStatus::failed;
                entry.problem = *face.strip_problem[k];
                continue;
            }
            entry.pieces.push_back({folder_ / print_file_name(entry.face, int(k) + 1, int(face.strips.size())),
                                    face.strips[k]});
        }
    }

    std::vector<PrintEntry>& entries_;
    const std::filesystem::path& folder_;
    std::vector<FaceWork> work_;
    std::vector<std::pair<size_t, size_t>> jobs_; // face, strip
    size_t next_ = 0;
    std::mutex mutex_;
    std::condition_variable changed_;
};

std::string status_text(const PrintEntry& entry)
{
    switch (entry.status) {
    case PrintStatus::written: return "written";
    case PrintStatus::no_picture: return "no picture";
    case PrintStatus::unreadable: return "picture unreadable: " + entry.problem;
    case PrintStatus::failed: return "not written: " + entry.problem;
    }
    return {};
}

std::string proportion_result(const PrintEntry& entry)
{
    if (!entry.picture_proportion)
        return {};
    const auto normal = FaceSize{entry.face.width_mm, entry.face.height_mm}.proportion();
    if (!entry.proportion_off || !normal)
        return "ok";
    return "cropped: picture " + proportion_text(*entry.picture_proportion) + "; face " + proportion_text(*normal);
}

} // namespace

Result<void> check_print_pack_settings(const PrintPackSettings& s)
{
    if (s.dpi < 10 || s.dpi > 1200)
        return make_error("the resolution is 10 to 1200 dots per inch, not " + std::to_string(s.dpi));
    if (!(s.bleed_mm >= 0 && s.bleed_mm <= 100))
        return make_error("the bleed is 0 to 100 mm, not " + format_number(s.bleed_mm));
    if (!(s.roll_mm >= 100 && s.roll_mm <= 10000))
        return make_error("the roll is 100 to 10000 mm wide, not " + format_number(s.roll_mm));
    if (!(s.overlap_mm >= 0 && s.overlap_mm * 2 < s.roll_mm))
        return make_error("the overlap of strips must be under half the roll's width");
    return {};
}

std::vector<PrintFace> printed_faces(const PlanTable& plan, const ComponentTable& components,
                                     const std::filesystem::path& design_folder)
{
    std::vector<PrintFace> faces;
    for (int i = 1; i <= plan.nb_objets; ++i) {
        const size_t k = size_t(i);
        for (int face = 1; face <= 2; ++face) {
            if (!face_printed(plan.obj_faces[k], face))
                continue;
            PrintFace f;
            f.object = i;
            f.face = face;
            const int n = plan.comp(i);
            f.component = ComponentTable::valid(n) ? components[n].name : std::string();
            f.label = !plan.obj_texte[k].empty() ? plan.obj_texte[k] : f.component;
            if (built_in_panel(plan, components, i))
                f.end_code = end_code(plan, components, i, face);
            const FaceSize size = face_picture_size(plan, components, i, face);
            f.width_mm = size.width;
            f.height_mm = size.height;
            f.picture = face == 1 ? plan.obj_visuel_recto[k] : plan.obj_visuel_verso[k];
            f.picture_file = f.picture;
            if (!f.picture.empty() && f.picture_file.is_relative() && !design_folder.empty())
                f.picture_file = design_folder / f.picture_file;
            faces.push_back(std::move(f));
        }
    }
    return faces;
}

int print_pixels(double mm, int dpi) { return round_to_int(mm * dpi / mm_per_inch); }

std::vector<ColumnRange> roll_strips(int width, int roll, int overlap)
{
    if (width <= roll || roll <= overlap)
        return {{0, width}};
    const int count = (width - overlap + (roll - overlap) - 1) / (roll - overlap);
    // Equal strips: count widths that, overlapping, cover the whole width.
    const int strip = (width + (count - 1) * overlap + count - 1) / count;
    std::vector<ColumnRange> strips;
    for (int k = 0; k < count; ++k) {
        const int x = k * (strip - overlap);
        strips.push_back({x, k + 1 == count ? width - x : strip});
    }
    return strips;
}

std::string print_file_name(const PrintFace& face, int strip, int strips)
{
    char number[16];
    std::snprintf(number, sizeof number, "%03d", face.object);
    std::string name = std::string(number) + '_' + file_name_part(face.label) + (face.face == 1 ? "_recto_" : "_verso_")
                       + whole_mm(face.width_mm) + 'x' + whole_mm(face.height_mm) + "mm";
    if (strips > 1)
        name += '_' + std::to_string(strip) + "of" + std::to_string(strips);
    return name + ".jpg";
}

std::vector<std::string> print_file_names(const PrintFace& face, const PrintPackSettings& settings)
{
    // A face the pack refuses as larger than any stand is named once, never cut into countless strips.
    if (!(face.width_mm > 0 && face.width_mm <= plan_max_stand_side_cm * 10))
        return {print_file_name(face, 1, 1)};
    const int strips = int(face_strips(print_width_px(face, settings), settings).size());
    std::vector<std::string> names;
    for (int k = 1; k <= strips; ++k)
        names.push_back(print_file_name(face, k, strips));
    return names;
}

int PrintPack::faces_written() const
{
    return int(std::count_if(entries.begin(), entries.end(),
                             [](const PrintEntry& e) { return e.status == PrintStatus::written; }));
}

int PrintPack::faces_to_print() const
{
    return int(std::count_if(entries.begin(), entries.end(),
                             [](const PrintEntry& e) { return e.status != PrintStatus::no_picture; }));
}

std::vector<const PrintEntry*> PrintPack::not_printed() const
{
    std::vector<const PrintEntry*> out;
    for (const PrintEntry& e : entries)
        if (e.status == PrintStatus::unreadable || e.status == PrintStatus::failed)
            out.push_back(&e);
    return out;
}

double PrintPack::print_area_m2() const
{
    double area = 0;
    for (const PrintEntry& e : entries)
        if (e.status == PrintStatus::written)
            area += e.face.width_mm * e.face.height_mm / 1e6;
    return area;
}

int print_pack_workers(size_t files)
{
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    return int(std::clamp<size_t>(files, 1, cores));
}

PrintPack write_print_pack(const std::vector<PrintFace>& faces, const std::filesystem::path& folder,
                           const PrintPackSettings& settings, const PrintPackProgress& progress, int workers)
{
    PrintPack pack;
    pack.settings = settings;
    for (const PrintFace& face : faces) {
        PrintEntry entry;
        entry.face = face;
        entry.width_px = print_width_px(face, settings);
        entry.height_px = print_pixels(face.height_mm + 2 * settings.bleed_mm, settings.dpi);
        pack.entries.push_back(std::move(entry));
    }
    PackWork work(pack.entries, folder, settings);
    const auto report = [&](size_t f) {
        work.wait_for(f);
        if (progress)
            progress(int(f) + 1, int(faces.size()));
    };
    if (workers <= 0)
        workers = print_pack_workers(work.jobs());
    if (workers == 1) {
        for (size_t f = 0; f < faces.size(); ++f) {
            work.work(f);
            report(f);
        }
        return pack;
    }
    {
        std::vector<std::jthread> pool;
        for (int k = 0; k < workers; ++k)
            pool.emplace_back([&work] { work.work(); });
        // Progress is told from the caller's thread, face after face, as the faces come done.
        for (size_t f = 0; f < faces.size(); ++f)
            report(f);
    }
    return pack;
}

std::string print_manifest_csv(const PrintPack& pack)
{
    std::string csv = "object,component,face,end_code,width_mm,height_mm,bleed_mm,picture,output,strip,width_px,"
                      "height_px,status,proportion\n";
    const std::string bleed = format_number(pack.settings.bleed_mm);
    for (const PrintEntry& e : pack.entries) {
        const PrintFace& f = e.face;
        const std::string common = std::to_string(f.object) + ',' + csv_text_cell(f.component) + ','
                                   + (f.face == 1 ? "recto" : "verso") + ',' + f.end_code + ',' + whole_mm(f.width_mm)
                                   + ',' + whole_mm(f.height_mm) + ',' + bleed + ',' + csv_text_cell(f.picture) + ',';
        const std::string tail = ',' + std::to_string(e.height_px) + ',' + csv_text_cell(status_text(e)) + ','
                                 + csv_text_cell(proportion_result(e)) + '\n';
        if (e.pieces.empty()) {
            csv += common + ",," + std::to_string(e.width_px) + tail;
            continue;
        }
        const size_t n = e.pieces.size();
        for (size_t k = 0; k < n; ++k) {
            const PrintPiece& p = e.pieces[k];
            csv += common + csv_text_cell(p.file.filename().string()) + ','
                   + (n > 1 ? std::to_string(k + 1) + "/" + std::to_string(n) : std::string()) + ','
                   + std::to_string(p.columns.width) + tail;
        }
    }
    return csv;
}

Result<Thumbnail> picture_thumbnail(const std::filesystem::path& file, int side)
{
    auto picture = load_picture_24(file);
    if (!picture)
        return picture.error();
    const int w = int(FreeImage_GetWidth(picture->get())), h = int(FreeImage_GetHeight(picture->get()));
    const double scale = std::min(1.0, double(side) / std::max(w, h));
    Thumbnail thumbnail;
    thumbnail.width = std::max(1, round_to_int(w * scale));
    thumbnail.height = std::max(1, round_to_int(h * scale));
    Bitmap small{FreeImage_Rescale(picture->get(), thumbnail.width, thumbnail.height, FILTER_BOX)};
    if (!small)
        return make_error("the picture cannot be reduced", file);
    thumbnail.rgb.resize(size_t(thumbnail.width) * size_t(thumbnail.height) * 3);
    for (int y = 0; y < thumbnail.height; ++y) {
        const BYTE* line = FreeImage_GetScanLine(small.get(), thumbnail.height - 1 - y);
        unsigned char* out = thumbnail.rgb.data() + size_t(y) * size_t(thumbnail.width) * 3;
        for (int x = 0; x < thumbnail.width; ++x) {
            out[x * 3] = line[x * 3 + FI_RGBA_RED];
            out[x * 3 + 1] = line[x * 3 + FI_RGBA_GREEN];
            out[x * 3 + 2] = line[x * 3 + FI_RGBA_BLUE];
        }
    }
    return thumbnail;
}

} // namespace halvern
