#include "outputs/sheet_texts.h"

#include "base/ui_text_ids.h"

namespace halvern {

SheetTexts sheet_texts(const UiText& texts, const StandSettings& stand, const std::string& date)
{
    SheetTexts t;
    t.client_label = texts.get(ui::stand_client);
    t.client = stand.client;
    t.project_label = texts.get(ui::stand_project_title);
    t.project = stand.title;
    t.date_label = texts.get(ui::sheet_date);
    t.date = date;
    t.scale_label = texts.get(ui::sheet_scale);
    t.fitted_word = texts.get(ui::sheet_fitted);
    t.program = program_name;
    return t;
}

BillPageTexts bill_page_texts(const UiText& texts, const StandSettings& stand)
{
    BillPageTexts t;
    t.heading = texts.get(ui::sheet_bill_heading);
    t.walls = texts.get(ui::quote_wall_system);
    t.others = texts.get(ui::quote_other_components);
    t.total = texts.get(ui::quote_total);
    t.component = texts.get(ui::list_column_component);
    t.quantity = texts.get(ui::list_column_quantity);
    t.unit_price = texts.get(ui::quote_unit_price);
    t.total_price = texts.get(ui::list_total_price);
    t.weight = texts.get(ui::quote_weight_kg);
    t.subtitle = stand.client;
    if (!stand.title.empty())
        t.subtitle += (t.subtitle.empty() ? "" : " - ") + stand.title;
    return t;
}

std::vector<std::string> csv_labels(const UiText& texts)
{
    std::vector<std::string> labels(size_t(CsvLabel::total) + 1);
    labels[size_t(CsvLabel::section)] = texts.get(ui::quote_section);
    labels[size_t(CsvLabel::component)] = texts.get(ui::colour_column_number);
    labels[size_t(CsvLabel::name)] = texts.get(ui::list_column_component);
    labels[size_t(CsvLabel::quantity)] = texts.get(ui::list_column_quantity);
    labels[size_t(CsvLabel::unit_price)] = texts.get(ui::quote_unit_price);
    labels[size_t(CsvLabel::total_price)] = texts.get(ui::list_total_price);
    labels[size_t(CsvLabel::weight_kg)] = texts.get(ui::quote_weight_kg);
    labels[size_t(CsvLabel::walls)] = texts.get(ui::quote_wall_system);
    labels[size_t(CsvLabel::others)] = texts.get(ui::quote_other_components);
    labels[size_t(CsvLabel::total)] = texts.get(ui::quote_total);
    return labels;
}

QuoteWorkbookTexts quote_workbook_texts(const UiText& texts, const StandSettings& stand, const std::string& date)
{
    QuoteWorkbookTexts t;
    t.title = sheet_texts(texts, stand, date);
    t.labels = csv_labels(texts);
    t.unit = texts.get(ui::packing_unit);
    t.per_bag = texts.get(ui::packing_per_bag);
    t.to_take = texts.get(ui::packing_to_take);
    t.pieces = texts.get(ui::packing_pieces);
    t.metres = texts.get(ui::packing_metres);
    return t;
}

} // namespace halvern
