#pragma once
// The interface text entries the program shows, by name. Every entry listed in `used_ui_texts`
// must be present in each language file that ships; a test holds that.

namespace halvern::ui {

inline constexpr int main_window_title = 0;
inline constexpr int cancel = 2;
inline constexpr int tip_zoom_tool = 30;
inline constexpr int tip_zoom_all = 31;
inline constexpr int tip_zoom_out = 32;
inline constexpr int tip_zoom_in = 33;
inline constexpr int tip_project_info = 34;
inline constexpr int tip_properties = 35;
inline constexpr int save_dialog_title = 37;
inline constexpr int import_dialog_title = 38;
inline constexpr int load_dialog_title = 39;
inline constexpr int module_word = 71;
inline constexpr int component_list_title = 72;
inline constexpr int preferences_title = 83;
inline constexpr int pref_viewer_label = 84;
inline constexpr int pref_doc_path_label = 85;
inline constexpr int pref_import_path_label = 86;
inline constexpr int pref_export_path_label = 87;
inline constexpr int pref_quality_label = 88;
inline constexpr int pref_smooth_redraw = 89;
inline constexpr int pref_smooth_drag = 90;
inline constexpr int pref_folders_tab = 91;
inline constexpr int pref_display_tab = 92;
inline constexpr int library_window_title = 93;
inline constexpr int list_component_column = 160;
inline constexpr int list_quantity_column = 161;
inline constexpr int list_price_column = 162;
inline constexpr int list_total_price = 163;
inline constexpr int list_total_weight = 164;
inline constexpr int list_copy = 165;
inline constexpr int export_prices_title = 166;
inline constexpr int import_prices_title = 167;
inline constexpr int save_screen_title = 168;

inline constexpr int used_ui_texts[] = {
    main_window_title, cancel, tip_zoom_tool, tip_zoom_all, tip_zoom_out, tip_zoom_in, tip_project_info,
    tip_properties, save_dialog_title, import_dialog_title, load_dialog_title, module_word,
    component_list_title, preferences_title, pref_viewer_label, pref_doc_path_label,
    pref_import_path_label, pref_export_path_label, pref_quality_label, pref_smooth_redraw,
    pref_smooth_drag, pref_folders_tab, pref_display_tab, library_window_title,
    list_component_column, list_quantity_column, list_price_column, list_total_price, list_total_weight,
    list_copy, export_prices_title, import_prices_title, save_screen_title,
};

} // namespace halvern::ui
