#include "library/price_table.h"

#include <system_error>

#include "base/cp1252.h"
#include "base/folder_listing.h"
#include "base/numbers.h"
#include "base/strings.h"
#include "base/text_file.h"
#include "library/whole_number.h"

namespace halvern {

namespace fs = std::filesystem;

namespace {

// Field positions within a record (0-based) and their labels.
constexpr int field_name = 2, field_price = 4, field_weight = 6, field_pack = 8;

struct Label {
    int field;
    std::string_view text;
    std::string_view key; // without blanks, lower case
};
constexpr Label labels[] = {
    {1, "Name :", "name:"},
    {3, "Price :", "price:"},
    {5, "Weight (gr) :", "weight(gr):"},
    {7, "Pack by", "packby"},
};

std::string_view unquoted(std::string_view field)
{
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        return field.substr(1, field.size() - 2);
    return field;
}

std::string label_key(std::string_view field)
{
    std::string key;
    for (char c : unquoted(trim(field)))
        if (c != ' ' && c != '\t')
            key += c;
    return to_lower_ascii(key);
}

double field_number(std::string_view field)
{
    // Hand-edited tables may use a decimal comma; each field has its own line, so a comma can be
    // nothing else.
    return parse_number_comma(unquoted(trim(field)));
}

std::string quoted_one_line(std::string_view text)
{
    std::string out = "\"";
    for (char c : text)
        if (c != '\r' && c != '\n')
            out += c;
    return out + "\"";
}

} // namespace

Result<PriceTableRead> parse_price_table(std::string_view text, const fs::path& file)
{
    std::vector<std::string> lines = split_lines(text);
    while (!lines.empty() && trim(lines.back()).empty())
        lines.pop_back();

    PriceTableRead read;
    const int total = int(lines.size());
    for (int start = 0; start < total; start += price_record_fields) {
        const int fields = std::min(price_record_fields, total - start);
        auto field = [&](int i) -> const std::string& { return lines[size_t(start + i)]; };

        std::string_view number_text = unquoted(trim(field(0)));
        if (!starts_with_number(number_text))
            return make_error("'" + excerpt(field(0)) + "' stands where a component number belongs; not a price table", file,
                              start + 1);
        for (const Label& label : labels)
            if (label.field < fields && label_key(field(label.field)) != label.key)
                return make_error("'" + excerpt(field(label.field)) + "' stands where '" + std::string(label.text)
                                      + "' belongs; not a price table",
                                  file, start + label.field + 1);

        auto number = whole_number_in(number_text, 0, max_component);
        if (!number) {
            read.notes.push_back(make_error("component number " + excerpt(number_text)
                                                + " is not a whole number from 0 to "
                                                + std::to_string(max_component) + "; record skipped",
                                            file, start + 1));
            continue;
        }
        PriceRecord record;
        record.number = *number;
        record.line = start + 1;
        record.fields = fields;
        if (fields > field_name)
            record.name = unquoted(field(field_name));
        if (fields > field_price)
            record.price = field_number(field(field_price));
        if (fields > field_weight)
            record.weight = field_number(field(field_weight));
        if (fields > field_pack)
            record.pack_by = field_number(field(field_pack));
        if (fields < price_record_fields)
            read.notes.push_back(make_error("the file ends inside the record of component " + std::to_string(*number)
                                                + "; its fields up to there are applied",
                                            file, start + 1));
        read.records.push_back(std::move(record));
    }
    return read;
}

void apply_price_records(const std::vector<PriceRecord>& records, ComponentTable& table, PriceTableSource source)
{
    for (const PriceRecord& r : records) {
        Component& c = table[r.number];
        if (r.fields > field_name && !r.name.empty()) {
            // An imported name that only repeats the program's own name is not the reseller's.
            if (source == PriceTableSource::installed || r.name != c.name)
                c.name_from_price_table = true;
            c.name = r.name;
        }
        if (r.fields > field_price)
            c.price = r.price;
        if (r.fields > field_weight)
            c.weight = r.weight;
        if (r.fields > field_pack)
            c.pack_by = r.pack_by;
    }
}

std::vector<std::string> price_table_lines(const ComponentTable& table, PriceNames names)
{
    std::vector<std::string> lines;
    for (int n = 0; n <= max_component; ++n) {
        const Component& c = table[n];
        if (c.is_free())
            continue;
        const bool keep_name = names == PriceNames::all || c.name_from_price_table;
        lines.push_back(std::to_string(n));
        lines.emplace_back("Name :");
        lines.push_back(quoted_one_line(keep_name ? c.name : std::string()));
        lines.emplace_back("Price :");
        lines.push_back(format_number(c.price));
        lines.emplace_back("Weight (gr) :");
        lines.push_back(format_number(c.weight));
        lines.emplace_back("Pack by");
        lines.push_back(format_number(c.pack_by));
        for (int i = 9; i < price_record_fields; ++i)
            lines.emplace_back("0");
    }
    return lines;
}

Result<std::vector<Error>> read_price_table(const fs::path& file, ComponentTable& table, PriceTableSource source)
{
    if (nothing_at(file))
        return std::vector<Error>{};
    auto bytes = read_file_bytes(file, table_file_bytes_max);
    if (!bytes)
        return bytes.error();
    auto read = parse_price_table(cp1252_to_utf8(*bytes), file);
    if (!read)
        return read.error();
    apply_price_records(read->records, table, source);
    return std::move(read->notes);
}

Result<void> write_price_table(const fs::path& file, const ComponentTable& table, PriceNames names)
{
    return write_lines(file, price_table_lines(table, names));
}

fs::path installed_price_table(const fs::path& app_dir) { return app_dir / "extlib" / "table.lib"; }

fs::path overlay_price_table(const fs::path& user_dir) { return user_dir / "extlib" / "table.lib"; }

Result<std::vector<Error>> import_price_table(const fs::path& source, const LibraryFolders& folders,
                                              ComponentTable& table, fs::path* written)
{
    std::error_code ec;
    if (!fs::exists(source, ec))
        return make_error("file not found", source);
    // Read into a copy: a folder that cannot take the table must leave the tables as they were.
    ComponentTable updated = table;
    auto notes = read_price_table(source, updated, PriceTableSource::imported);
    if (!notes)
        return notes.error();
    Result<fs::path> folder = save_folder(folders, installed_price_table(folders.app_dir).parent_path());
    if (!folder)
        return folder.error();
    const fs::path file = *folder / "table.lib";
    if (auto saved = write_price_table(file, updated, PriceNames::from_price_table); !saved)
        return saved.error();
    table = std::move(updated);
    if (written)
        *written = file;
    return notes;
}

fs::path with_txt_extension(const fs::path& chosen) { return with_extension(chosen, ".txt"); }

} // namespace halvern
