#include "app/editor_commands.h"

#include "app/design_files.h"
#include "app/design_history.h"
#include "app/edit_commands.h"
#include "app/main_window.h"
#include "app/menu_tables.h"
#include "app/object_commands.h"
#include "app/output_commands.h"
#include "platform/prompts.h"
#include "app/session.h"
#include "app/view_commands.h"
#include "base/ui_text_ids.h"

namespace halvern {

namespace {

void open_page(CommandParts& c, const char* page)
{
    if (!c.window.prompts().open_page(page))
        c.window.tell(ui::status_no_browser, page);
}

// A new design starts with its stand: the form is its own step, and its Cancel keeps the emptied
// design with the stand as it was.
void new_design(CommandParts& c)
{
    if (c.files.new_design())
        c.objects.open_stand_form();
}

// In the order of the menus.
const EditorCommand rows[] = {
    {command::new_project, "Nouveau", "New", ui::hint_new, "", nullptr, nullptr,
     [](CommandParts& c) { new_design(c); }},
    {command::load, "Ouvrir", "Load", ui::hint_load, "Ctrl+L; Ctrl+O", nullptr, nullptr,
     [](CommandParts& c) { c.files.load(); }},
    {command::save, "Sauver", "Save", ui::hint_save, "Ctrl+S", nullptr, nullptr,
     [](CommandParts& c) { c.files.save(false); }},
    {command::save_as, "Sauver sous", "Save as", ui::hint_save_as, "", nullptr, nullptr,
     [](CommandParts& c) { c.files.save(true); }},
    {command::print, "Imprimer", "Print", ui::hint_print, "", nullptr, nullptr,
     [](CommandParts& c) { c.outputs.print_plan(); }},
    {command::export_plan_pdf, "Exporter le plan en PDF", "Export plan as PDF", ui::hint_export_plan_pdf, "", nullptr, nullptr,
     [](CommandParts& c) { c.outputs.export_plan(false); }},
    {command::export_plan_svg, "Exporter le plan en SVG", "Export plan as SVG", ui::hint_export_plan_svg, "", nullptr, nullptr,
     [](CommandParts& c) { c.outputs.export_plan(true); }},
    {command::export_plan_dxf, "Exporter le plan en DXF", "Export plan as DXF", ui::hint_export_plan_dxf, "", nullptr, nullptr,
     [](CommandParts& c) { c.outputs.export_plan_dxf(); }},
    {command::import_project, "Importer", "Import", ui::hint_import, "", nullptr, nullptr,
     [](CommandParts& c) { c.files.import(); }},
    {command::save_blueprint, "Sauve Plan HD", "Save 2D Blueprint", ui::hint_save_blueprint, "", nullptr, nullptr,
     [](CommandParts& c) { c.outputs.save_blueprint(); }},
    {command::save_screen, "Sauve Ecran", "Save Screen", ui::hint_save_screen, "", nullptr, nullptr,
     [](CommandParts& c) { c.outputs.save_screen(); }},
    {command::export_3d, "Exporter 3D", "3D Export", ui::hint_export_3d, "", nullptr, nullptr,
     [](CommandParts& c) { c.outputs.export_vrml(); }},
    {command::export_gltf, "Exporter 3D (glTF)...", "Export 3D (glTF)...", -1, "", nullptr, nullptr,
     [](CommandParts& c) { c.outputs.export_gltf(); }},
    {command::share_web_page, "Partager en page web...", "Share as web page...", ui::hint_share_web, "", nullptr, nullptr,
     [](CommandParts& c) { c.outputs.share_web_page(); }},
    {command::print_pack, "Exporter le pack d'impression...", "Export print pack...", ui::hint_print_pack, "", nullptr, nullptr,
     [](CommandParts& c) { c.outputs.export_print_pack(); }},
    {command::build_sheets, "Imprimer les fiches de montage...", "Print build sheets...", ui::hint_build_sheets, "", nullptr, nullptr,
     [](CommandParts& c) { c.outputs.print_build_sheets(); }},
    {command::preferences, "Préférence", "Properties", ui::hint_preferences, "", nullptr, nullptr,
     [](CommandParts& c) { c.view.preferences(); }},
    {command::quit, "Quitter", "Quit", ui::hint_quit, "", nullptr, nullptr,
     [](CommandParts& c) { c.window.quit(); }},
    {command::cut, "Couper", "Cut", ui::hint_cut, "Ctrl+X", nullptr, nullptr,
     [](CommandParts& c) { c.edit.copy(true); }},
    {command::copy, "Copier", "Copy", ui::hint_copy, "Ctrl+C", nullptr, nullptr,
     [](CommandParts& c) { c.edit.copy(false); }},
    {command::paste, "Coller", "Paste", ui::hint_paste, "Ctrl+Shift+V; Shift+Ins", nullptr, nullptr,
     [](CommandParts& c) { c.edit.paste(); }},
    {command::duplicate, "Dupliquer", "Duplicate", ui::hint_duplicate, "Ctrl+D", nullptr, nullptr,
     [](CommandParts& c) { c.edit.duplicate(); }},
    {command::select_all, "Tout sélectionner", "Select all", ui::hint_select_all, "Ctrl+A", nullptr, nullptr,
     [](CommandParts& c) { c.edit.select_everything(); }},
    {command::properties, "Propriétés...", "Properties...", -1, "", nullptr, nullptr,
     [](CommandParts& c) { c.objects.open_properties(); }},
    {command::rotate_left, "Tourner de 90° à gauche", "Rotate 90° left", -1, "Ctrl+Left", nullptr, nullptr,
     [](CommandParts& c) { c.objects.rotate_chosen(-90); }},
    {command::rotate_right, "Tourner de 90° à droite", "Rotate 90° right", -1, "Ctrl+Right", nullptr, nullptr,
     [](CommandParts& c) { c.objects.rotate_chosen(90); }},
    {command::rotate_by, "Tourner de...", "Rotate by...", -1, "", nullptr, nullptr,
     [](CommandParts& c) { c.objects.rotate_by_typed(); }},
    {command::append_joined, "Ajouter à la suite", "Append joined", -1, "Ctrl+E", nullptr, nullptr,
     [](CommandParts& c) { c.objects.append_at_end(0); }},
    {command::append_turned, "Ajouter en angle\tM", "Append turned\tM", -1, "", nullptr, nullptr,
     [](CommandParts& c) { c.objects.append_at_end(1); }},
    {command::group, "Grouper\tCtrl+G", "Group\tCtrl+G", -1, "", nullptr, nullptr,
     [](CommandParts& c) { c.objects.group_chosen(true); }},
    {command::ungroup, "Dégrouper\tCtrl+U", "Ungroup\tCtrl+U", -1, "", nullptr, nullptr,
     [](CommandParts& c) { c.objects.group_chosen(false); }},
    {command::delete_chosen, "Supprimer\tSuppr", "Delete\tDel", -1, "", nullptr, nullptr,
     [](CommandParts& c) { c.objects.delete_chosen(); }},
    {command::ungroup_all, "Tout dégrouper", "Ungroup All", ui::hint_ungroup_all, "", nullptr, nullptr,
     [](CommandParts& c) { c.objects.ungroup_everything(); }},
    {command::carry_objects, "Déplacer les objets posés avec leur support", "Move carried objects with their carrier",
     ui::hint_carry_objects, "", nullptr,
     [](CommandParts& c) { return c.objects.carrying(); },
     [](CommandParts& c) { c.objects.switch_carrying(); }},
    {command::change_height, "Changer hauteur", "Height modify", ui::hint_height_modify, "", nullptr, nullptr,
     [](CommandParts& c) { c.objects.change_height(); }},
    {command::change_visual, "Changer visuel", "Display modify", ui::hint_display_modify, "", nullptr, nullptr,
     [](CommandParts& c) { c.objects.change_faces(); }},
    {command::raise_from_ground, "Elever en hauteur", "Height from ground", ui::hint_height_from_ground, "", nullptr, nullptr,
     [](CommandParts& c) { c.objects.raise_from_ground(); }},
    {command::add_visual, "Ajouter un visuel", "Add a display", ui::hint_add_display, "", nullptr, nullptr,
     [](CommandParts& c) { c.objects.add_face_picture(); }},
    {command::undo, "Annuler", "Undo", ui::hint_undo, "Ctrl+Z",
     [](CommandParts& c) { return c.history.stack().canUndo(); },
     nullptr,
     [](CommandParts& c) { c.edit.undo_redo(true); }},
    {command::redo, "Rétablir", "Redo", ui::hint_redo, "Ctrl+Y; Ctrl+Shift+Z",
     [](CommandParts& c) { return c.history.stack().canRedo(); },
     nullptr,
     [](CommandParts& c) { c.edit.undo_redo(false); }},
    {command::project_form, "Configuration", "Config", ui::hint_config, "", nullptr, nullptr,
     [](CommandParts& c) { c.objects.open_stand_form(); }},
    {command::move_to_corner, "Recaler", "Move objects to top", ui::hint_move_to_corner, "", nullptr, nullptr,
     [](CommandParts& c) { c.objects.move_to_corner(); }},
    {command::picture_tiling, "Diviser en plusieurs images", "Picture Tiling", ui::hint_tiling, "", nullptr, nullptr,
     [](CommandParts& c) { c.outputs.picture_tiling(); }},
    {command::export_price_table, "Exporter table de prix", "Export price table", ui::hint_export_prices, "", nullptr, nullptr,
     [](CommandParts& c) { c.outputs.export_prices(); }},
    {command::import_price_table, "Importer table de prix", "Import price table", ui::hint_import_prices, "", nullptr, nullptr,
     [](CommandParts& c) { c.outputs.import_prices(); }},
    {command::view_3d, "Vue 3D", "Real time 3D view", ui::hint_view_3d, "F3", nullptr, nullptr,
     [](CommandParts& c) { c.view.show_scene(0); }},
    {command::structure_3d, "Vue 3D Structure", "Structure 3D view", ui::hint_view_structure, "", nullptr, nullptr,
     [](CommandParts& c) { c.view.show_scene(1); }},
    {command::coloured_3d, "Vue 3D Structure couleur", "Coloured 3D view", ui::hint_view_coloured, "", nullptr, nullptr,
     [](CommandParts& c) { c.view.show_scene(2); }},
    {command::angle_markers, "marqueur d'angle", "degre marker", ui::hint_angle_marker, "",
     nullptr,
     [](CommandParts& c) { return c.view.shown(30); },
     [](CommandParts& c) { c.view.toggle(30); }},
    {command::debug_display, "debug mode", "debug mode", ui::hint_debug, "",
     nullptr,
     [](CommandParts& c) { return c.view.shown(31); },
     [](CommandParts& c) { c.view.toggle(31); }},
    {command::angle_errors, "Erreur d'angle", "Mistake Angle", ui::hint_angle_errors, "",
     nullptr,
     [](CommandParts& c) { return c.view.shown(32); },
     [](CommandParts& c) { c.view.toggle(32); }},
    {command::object_names, "Nom des objets", "Object Name", ui::hint_object_names, "",
     nullptr,
     [](CommandParts& c) { return c.view.shown(33); },
     [](CommandParts& c) { c.view.toggle(33); }},
    {command::object_heights, "hauteur des objets", "height of object", ui::hint_object_heights, "",
     nullptr,
     [](CommandParts& c) { return c.view.shown(35); },
     [](CommandParts& c) { c.view.toggle(35); }},
    {command::panel_sizes, "Largeur des panneaux", "Panel Size", ui::hint_panel_sizes, "",
     nullptr,
     [](CommandParts& c) { return c.view.shown(34); },
     [](CommandParts& c) { c.view.toggle(34); }},
    {command::big_labels, "Grande Etiquette", "Big size of label", ui::hint_big_labels, "",
     nullptr,
     [](CommandParts& c) { return c.view.shown(38); },
     [](CommandParts& c) { c.view.toggle(38); }},
    {command::zoom_first + 0, "Zoom 50%", "Zoom 50%", ui::hint_zoom_factor, "",
     nullptr,
     [](CommandParts& c) { return c.view.zoomed(40); },
     [](CommandParts& c) { c.view.zoom(40); }},
    {command::zoom_first + 1, "Zoom 75%", "Zoom 75%", ui::hint_zoom_factor, "",
     nullptr,
     [](CommandParts& c) { return c.view.zoomed(41); },
     [](CommandParts& c) { c.view.zoom(41); }},
    {command::zoom_first + 2, "Zoom 100%", "Zoom 100%", ui::hint_zoom_factor, "",
     nullptr,
     [](CommandParts& c) { return c.view.zoomed(42); },
     [](CommandParts& c) { c.view.zoom(42); }},
    {command::zoom_first + 3, "Zoom 150%", "Zoom 150%", ui::hint_zoom_factor, "",
     nullptr,
     [](CommandParts& c) { return c.view.zoomed(43); },
     [](CommandParts& c) { c.view.zoom(43); }},
    {command::zoom_first + 4, "Zoom 200%", "Zoom 200%", ui::hint_zoom_factor, "",
     nullptr,
     [](CommandParts& c) { return c.view.zoomed(44); },
     [](CommandParts& c) { c.view.zoom(44); }},
    {command::zoom_first + 5, "Zoom 400%", "Zoom 400%", ui::hint_zoom_factor, "",
     nullptr,
     [](CommandParts& c) { return c.view.zoomed(45); },
     [](CommandParts& c) { c.view.zoom(45); }},
    {command::zoom_first + 6, "Zoom 800%", "Zoom 800%", ui::hint_zoom_factor, "",
     nullptr,
     [](CommandParts& c) { return c.view.zoomed(46); },
     [](CommandParts& c) { c.view.zoom(46); }},
    {command::zoom_auto, "Zoom Auto", "Zoom Auto", ui::hint_zoom_auto, "",
     nullptr,
     [](CommandParts& c) { return c.view.zoomed(47); },
     [](CommandParts& c) { c.view.zoom(47); }},
    {command::zoom_user, "Zoom personnalisé", "User Zoom", ui::hint_user_zoom, "",
     [](CommandParts&) { return false; },
     nullptr,
     nullptr},
    {command::component_list, "Liste des objets", "Component List", ui::hint_component_list, "",
     nullptr,
     [](CommandParts& c) { return c.window.aux_window_open(AuxWindow::component_list); },
     [](CommandParts& c) { c.window.toggle_aux_window(AuxWindow::component_list); }},
    {command::library_window, "Librairie", "Library", ui::hint_library, "",
     nullptr,
     [](CommandParts& c) { return c.window.aux_window_open(AuxWindow::library); },
     [](CommandParts& c) { c.window.toggle_aux_window(AuxWindow::library); }},
    {command::about, "Info", "Info", ui::hint_about, "", nullptr, nullptr,
     [](CommandParts& c) { c.window.show_about(); }},
    {command::octaga_download, "OctagaPlayer download", "OctagaPlayer download", ui::hint_viewer_download, "", nullptr, nullptr,
     [](CommandParts& c) { open_page(c, octaga_page); }},
    {command::capture_download, "ScreenCapture download", "ScreenCapture download", ui::hint_capture_download, "", nullptr, nullptr,
     [](CommandParts& c) { open_page(c, capture_page); }},
    {command::french, "Français", "Français", ui::hint_french, "", nullptr, nullptr,
     [](CommandParts& c) { c.window.change_language("fr"); }},
    {command::english, "English", "English", ui::hint_english, "", nullptr, nullptr,
     [](CommandParts& c) { c.window.change_language("en"); }},
};

} // namespace

std::span<const EditorCommand> editor_commands() { return rows; }

const EditorCommand* editor_command(int id)
{
    for (const EditorCommand& row : rows)
        if (row.id == id)
            return &row;
    return nullptr;
}

} // namespace halvern
