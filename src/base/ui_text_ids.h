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

// File dialog titles besides those of the designs.
inline constexpr int export_3d_dialog_title = 36;
inline constexpr int price_export_dialog_title = 40;
inline constexpr int price_import_dialog_title = 41;
inline constexpr int save_screen_dialog_title = 42;
inline constexpr int tiling_picture_dialog_title = 43;

// The component list window: LV1's columns, LV2's headings and rows, the copy control LV3.
inline constexpr int list_column_component = 50;
inline constexpr int list_column_quantity = 51;
inline constexpr int list_column_price = 52;
inline constexpr int list_totals_heading = 53;
inline constexpr int list_totals_value_heading = 54;
inline constexpr int list_total_price = 55;
inline constexpr int list_total_weight = 56;
inline constexpr int list_copy = 57;

// The progress window of the 3D scene.
inline constexpr int export_3d_progress_title = 60;
inline constexpr int export_3d_progress_caption = 61;

// The object property dialog: title, tabs, label captions (prop1 .. prop_v2), check boxes, buttons.
inline constexpr int prop_title = 100;
inline constexpr int prop_tab_general = 101;
inline constexpr int prop_tab_size = 102;
inline constexpr int prop_tab_colours = 103;
inline constexpr int prop_tab_recto = 104;
inline constexpr int prop_tab_verso = 105;
inline constexpr int prop_object_number = 106;  // prop1
inline constexpr int prop_component = 107;      // prop1b
inline constexpr int prop_library = 108;        // prop1c
inline constexpr int prop_colour_slots = 109;   // prop1d
inline constexpr int prop_elevation = 110;      // prop2
inline constexpr int prop_rotation = 111;       // prop2b
inline constexpr int prop_height = 112;         // prop3
inline constexpr int prop_width = 113;          // prop3a
inline constexpr int prop_depth = 114;          // prop3b
inline constexpr int prop_label = 115;          // prop3c
inline constexpr int prop_perimeter = 116;      // prop3a2
inline constexpr int prop_recto_end_code = 117; // prop3fv1
inline constexpr int prop_verso_end_code = 118; // prop3fv2
inline constexpr int prop_recto_picture = 119;  // prop4
inline constexpr int prop_picture_size = 120;   // prop4a
inline constexpr int prop_verso_picture = 121;  // prop5
inline constexpr int prop_picture_width = 122;  // prop_v1
inline constexpr int prop_picture_height = 123; // prop_v2
inline constexpr int prop_has_recto = 124;      // prop_tex1
inline constexpr int prop_has_verso = 125;      // prop_tex2
inline constexpr int prop_next_height = 126;    // prop_hauteur_change
inline constexpr int prop_next_picture = 127;   // prop_recto_change, prop_verso_change
inline constexpr int prop_choose_picture = 128; // prop_recto_tex_change
inline constexpr int prop_colour = 129;         // color_change_0 .. 5, before the slot's name

// The group property dialog.
inline constexpr int group_title = 130;
inline constexpr int group_tab_group = 131;
inline constexpr int group_tab_objects = 132;
inline constexpr int group_new_name = 133;
inline constexpr int group_recto_picture = 134;
inline constexpr int group_verso_picture = 135;
inline constexpr int group_name = 136;
inline constexpr int group_change = 137; // the buttons that step the height through a list

// Picture tiling.
inline constexpr int tiling_title = 140;
inline constexpr int tiling_count = 141;
inline constexpr int tiling_show_rows = 142;
inline constexpr int tiling_row = 143; // followed by the row number
inline constexpr int tiling_cut = 144;
inline constexpr int tiling_done = 145; // after the number of pictures made

// The stand form.
inline constexpr int stand_title = 150;
inline constexpr int stand_width = 151;
inline constexpr int stand_depth = 152;
inline constexpr int stand_client = 153;
inline constexpr int stand_project_title = 154;
inline constexpr int stand_walls = 155;
inline constexpr int stand_open_frames = 156;
inline constexpr int stand_header_bands = 157;
inline constexpr int stand_left = 158;
inline constexpr int stand_right = 159;
inline constexpr int stand_back = 160;
inline constexpr int stand_front = 161;
inline constexpr int stand_floor_texture = 162;
inline constexpr int stand_choose_texture = 163;

// The texture form.
inline constexpr int texture_title = 170;
inline constexpr int texture_families = 171;
inline constexpr int texture_pictures = 172;
inline constexpr int texture_target_floor = 173;
inline constexpr int texture_target_recto = 174;
inline constexpr int texture_choose = 175;

// "Save Screen": the progress window and its ten stages.
inline constexpr int save_screen_progress_title = 180;
inline constexpr int save_screen_stage_first = 181; // stages 1..10 are 181..190
inline constexpr int save_screen_stage_count = 10;

// The colour palette's two lists.
inline constexpr int colour_column_name = 192;
inline constexpr int colour_column_finish = 193;
inline constexpr int colour_column_number = 194;
inline constexpr int colour_column_hue = 195;
inline constexpr int colour_column_saturation = 196;
inline constexpr int colour_column_lightness = 197;
inline constexpr int colour_library_column_name = 198;
inline constexpr int colour_library_column_count = 199;

// The status bar's text for each menu command the pointer is over (the zoom factors share one).
inline constexpr int hint_new = 210;
inline constexpr int hint_load = 211;
inline constexpr int hint_save = 212;
inline constexpr int hint_save_as = 213;
inline constexpr int hint_print = 214;
inline constexpr int hint_import = 215;
inline constexpr int hint_save_blueprint = 216;
inline constexpr int hint_save_screen = 217;
inline constexpr int hint_export_3d = 218;
inline constexpr int hint_preferences = 219;
inline constexpr int hint_quit = 220;
inline constexpr int hint_ungroup_all = 221;
inline constexpr int hint_height_modify = 222;
inline constexpr int hint_display_modify = 223;
inline constexpr int hint_height_from_ground = 224;
inline constexpr int hint_add_display = 225;
inline constexpr int hint_config = 226;
inline constexpr int hint_move_to_corner = 227;
inline constexpr int hint_tiling = 228;
inline constexpr int hint_export_prices = 229;
inline constexpr int hint_import_prices = 230;
inline constexpr int hint_view_3d = 231;
inline constexpr int hint_view_structure = 232;
inline constexpr int hint_view_coloured = 233;
inline constexpr int hint_angle_marker = 234;
inline constexpr int hint_debug = 235;
inline constexpr int hint_angle_errors = 236;
inline constexpr int hint_object_names = 237;
inline constexpr int hint_object_heights = 238;
inline constexpr int hint_panel_sizes = 239;
inline constexpr int hint_big_labels = 240;
inline constexpr int hint_zoom_factor = 241;
inline constexpr int hint_zoom_auto = 242;
inline constexpr int hint_user_zoom = 243;
inline constexpr int hint_component_list = 244;
inline constexpr int hint_library = 245;
inline constexpr int hint_about = 246;
inline constexpr int hint_viewer_download = 247;
inline constexpr int hint_capture_download = 248;
inline constexpr int hint_french = 249;
inline constexpr int hint_english = 250;

struct MenuHint {
    int command;
    int text;
};

// The plan sheet (title block, bill pages, its options) and the complete quote.
inline constexpr int sheet_date = 340;
inline constexpr int sheet_scale = 341;
inline constexpr int sheet_fitted = 342;
inline constexpr int quote_other_components = 343;
inline constexpr int quote_wall_system = 344;
inline constexpr int quote_unit_price = 345;
inline constexpr int quote_weight_kg = 346;
inline constexpr int quote_total = 347;
inline constexpr int menu_export_plan_pdf = 348;
inline constexpr int menu_export_plan_svg = 349;
inline constexpr int menu_export_plan_dxf = 430;
inline constexpr int list_export_xlsx = 431;
inline constexpr int packing_unit = 432;
inline constexpr int packing_per_bag = 433;
inline constexpr int packing_to_take = 434;
inline constexpr int packing_pieces = 435;
inline constexpr int packing_metres = 436;
inline constexpr int list_export_csv = 400;
inline constexpr int sheet_bill_heading = 401;
inline constexpr int quote_section = 402;
inline constexpr int sheet_scale_choice = 403;
inline constexpr int sheet_paper = 404;
inline constexpr int sheet_orientation = 405;
inline constexpr int sheet_orientation_auto = 406;
inline constexpr int sheet_orientation_portrait = 407;
inline constexpr int sheet_orientation_landscape = 408;
inline constexpr int sheet_bill_page = 409;

// The build sheets: the crew's packing list, wall runs and free objects, and their menu entry.
inline constexpr int sheets_title = 394;
inline constexpr int menu_build_sheets = 395;
inline constexpr int hint_build_sheets = 396;
inline constexpr int sheets_stand_size = 397;
inline constexpr int sheets_pieces = 398;
inline constexpr int sheets_bags = 399;
inline constexpr int sheets_weight = 426;
inline constexpr int sheets_packing = 427;
inline constexpr int sheets_reference = 428;
inline constexpr int sheets_component = 429;
inline constexpr int sheets_quantity = 437;
inline constexpr int sheets_per_bag = 438;
inline constexpr int sheets_bags_column = 439;
inline constexpr int sheets_by_piece = 440;
inline constexpr int sheets_by_metre = 441;
inline constexpr int sheets_spare = 442;
inline constexpr int sheets_order = 443;
inline constexpr int sheets_run = 444;
inline constexpr int sheets_length = 445;
inline constexpr int sheets_from_front = 446;
inline constexpr int sheets_free_end = 447;
inline constexpr int sheets_corner = 448;
inline constexpr int sheets_branch = 449;
inline constexpr int sheets_straight = 460;
inline constexpr int sheets_meets = 461;
inline constexpr int sheets_free_objects = 462;
inline constexpr int sheets_position = 463;
inline constexpr int sheets_rotation = 464;
inline constexpr int sheets_elevation = 466;
inline constexpr int sheets_turned = 467;
inline constexpr int sheets_no_picture = 468;
inline constexpr int sheets_height = 469;
inline constexpr int sheets_print_files = 470;
inline constexpr int sheets_frame = 471;
inline constexpr int sheets_joint = 472;
inline constexpr int sheets_pieces_column = 473;
inline constexpr int sheets_faces_missing = 474;
inline constexpr int sheets_object = 475;
inline constexpr int sheets_total = 476;
inline constexpr int sheets_weight_column = 477;


// Hints of the entries of our own.
inline constexpr int hint_undo = 450;
inline constexpr int hint_redo = 451;
inline constexpr int hint_print_pack = 452;
inline constexpr int hint_copy = 453;
inline constexpr int hint_cut = 454;
inline constexpr int hint_paste = 455;
inline constexpr int hint_duplicate = 456;
inline constexpr int hint_select_all = 457;
inline constexpr int hint_export_plan_pdf = 458;
inline constexpr int hint_export_plan_svg = 459;
inline constexpr int hint_export_plan_dxf = 465;
inline constexpr int hint_carry_objects = 560;

// The customer's web page.
inline constexpr int menu_share_web = 520;
inline constexpr int hint_share_web = 521;
inline constexpr int web_fit = 522;
inline constexpr int web_quote = 523;
inline constexpr int web_help = 524;
inline constexpr int web_reference = 525;
inline constexpr int web_text = 526;
inline constexpr int web_no_webgl = 527;
inline constexpr int web_quote_question = 528;
inline constexpr int web_written = 529;     // followed by the file
inline constexpr int web_missing = 530;     // followed by the list
inline constexpr int web_dialog_title = 531;

inline constexpr MenuHint menu_hints[] = {
    {95, hint_new}, {99, hint_load}, {98, hint_save}, {96, hint_save_as}, {150, hint_print},
    {94, hint_import}, {90, hint_save_blueprint}, {93, hint_save_screen}, {91, hint_export_3d},
    {92, hint_preferences}, {97, hint_quit}, {104, hint_ungroup_all}, {100, hint_height_modify},
    {101, hint_display_modify}, {102, hint_height_from_ground}, {103, hint_add_display}, {10, hint_config},
    {20, hint_move_to_corner}, {22, hint_tiling}, {21, hint_export_prices}, {24, hint_import_prices},
    {39, hint_view_3d}, {80, hint_view_structure}, {81, hint_view_coloured}, {30, hint_angle_marker},
    {31, hint_debug}, {32, hint_angle_errors}, {33, hint_object_names}, {35, hint_object_heights},
    {34, hint_panel_sizes}, {38, hint_big_labels}, {40, hint_zoom_factor}, {41, hint_zoom_factor},
    {42, hint_zoom_factor}, {43, hint_zoom_factor}, {44, hint_zoom_factor}, {45, hint_zoom_factor},
    {46, hint_zoom_factor}, {47, hint_zoom_auto}, {48, hint_user_zoom}, {50, hint_component_list},
    {51, hint_library}, {1, hint_about}, {2, hint_viewer_download}, {3, hint_capture_download},
    {200, hint_french}, {201, hint_english},
    {105, hint_undo}, {106, hint_redo}, {110, hint_print_pack}, {115, hint_build_sheets}, {120, hint_copy}, {121, hint_cut}, {122, hint_paste}, {123, hint_duplicate}, {124, hint_select_all}, {151, hint_export_plan_pdf}, {152, hint_export_plan_svg}, {156, hint_export_plan_dxf}, {157, hint_share_web},
    {139, hint_carry_objects},
};

// The entry shown for menu command `command`; -1 for a number without one.
constexpr int menu_hint(int command)
{
    for (const MenuHint& h : menu_hints)
        if (h.command == command)
            return h.text;
    return -1;
}

// Messages of the saves, the editor and the dialogs.
inline constexpr int message_write_failed = 260;      // followed by the file
inline constexpr int message_not_price_table = 261;   // followed by the file and line
inline constexpr int message_stand_size = 262;
inline constexpr int message_tiling_count = 263;
inline constexpr int message_tiling_width = 264;
inline constexpr int message_plan_full = 265;
inline constexpr int message_selection_full = 266;
inline constexpr int message_definition_saved = 267;  // followed by the file
inline constexpr int message_picture_unreadable = 268; // followed by the file
inline constexpr int message_loading_library = 269;   // the splash window while the library loads
inline constexpr int message_no_3d_viewer = 290;      // followed by the scene's file
// The object editor saved into the user's own folder, the installation's being read-only;
// followed by the file.
inline constexpr int editor_saved_in_user_folder = 300;
inline constexpr int prices_saved_in_user_folder = 301;
// The object editor saves a type under a number that has a file of its own; followed by the file.
inline constexpr int editor_replace_question = 480;
// A dialog's number outside its field's range; followed by the field, the number and the range.
inline constexpr int message_number_range = 481;
// The colour palette over a library with damaged lines; followed by their count.
inline constexpr int colour_library_damaged = 482;

// The print pack: its dialog, its manifest's pages and the editor's report.
inline constexpr int pack_title = 410;
inline constexpr int pack_client = 411;       // followed by the client's name
inline constexpr int pack_faces = 412;        // followed by the count
inline constexpr int pack_area = 413;         // followed by the square metres
inline constexpr int pack_not_printed = 414;  // followed by the count, then the list
inline constexpr int pack_print_size = 415;   // followed by the sizes
inline constexpr int pack_bleed = 416;        // followed by the millimetres
inline constexpr int pack_picture = 417;      // followed by the file
inline constexpr int pack_resolution = 418;   // followed by the dots per inch
inline constexpr int pack_written = 419;      // followed by the folder
inline constexpr int pack_dialog_title = 420;
inline constexpr int pack_roll = 421;         // the printer's roll width, in mm
inline constexpr int pack_files = 422;        // followed by the files written for a face
inline constexpr int pack_dpi_label = 423;
inline constexpr int pack_bleed_label = 424;
inline constexpr int pack_folder = 425;

// Tooltips of the toolbar buttons that have no text of their own.
inline constexpr int tip_library_back = 280;
inline constexpr int tip_library_next = 281;
inline constexpr int tip_measure = 282;
inline constexpr int tip_colour = 283;
// The design that has no file yet, in the unsaved-changes question.
inline constexpr int untitled_design = 284;
// Status bar feedback, each followed by the file, the printer or the page.
inline constexpr int status_saved = 285;
inline constexpr int status_picture_saved = 286;
inline constexpr int status_printed = 287;
inline constexpr int status_list_copied = 288;
inline constexpr int status_no_browser = 289;

// The 3D window.
inline constexpr int view3d_title = 320;
inline constexpr int view3d_view_all = 321;
inline constexpr int view3d_front = 322;
inline constexpr int view3d_top = 323;
inline constexpr int view3d_left = 324;
inline constexpr int view3d_right = 325;
inline constexpr int view3d_iso = 326;
inline constexpr int view3d_save = 327;
inline constexpr int view3d_no_opengl = 329;
// The preferences' choice of where the 3D views open.
inline constexpr int view3d_in_program = 328;

// The pickers.
inline constexpr int faces_none = 270;
inline constexpr int faces_recto = 271;
inline constexpr int faces_verso = 272;
inline constexpr int faces_both = 273;
inline constexpr int picture_dialog_title = 274;
inline constexpr int proportion_warning = 275;
inline constexpr int proportion_normal = 276;  // followed by the face's proportion
inline constexpr int proportion_picture = 277; // followed by the picture's proportion
inline constexpr int elevation_prompt = 278;
inline constexpr int ok = 279;

// The design checks: the "Checks" dock and `halvern check`.
inline constexpr int checks_title = 350;
inline constexpr int check_kind_first = 351; // 351..358: the kinds' headings, in the order of CheckKind
inline constexpr int check_wholly_outside = 359;
inline constexpr int check_partly_outside = 360;
inline constexpr int check_overlaps_object = 361; // followed by the other object's number
inline constexpr int check_duplicate = 362;
inline constexpr int check_angle_at_end = 363;        // followed by the end and the angle
inline constexpr int check_picture_unreadable = 364;  // followed by the face and the file
inline constexpr int check_picture_proportion = 365;  // followed by the proportions and the face
inline constexpr int check_component_missing = 366;   // followed by the component's number
inline constexpr int check_no_3d = 367;
inline constexpr int checks_hide = 368;
inline constexpr int check_kind_floating = 561; // the heading of the kind after the first eight
inline constexpr int check_floating = 562;      // followed by the elevation
inline constexpr int checks_show_hidden = 369;
// The editing commands, the docks and the status bar's feedback.
inline constexpr int message_selection_capped = 330;
inline constexpr int status_nothing_chosen = 331;
inline constexpr int status_objects_copied = 332; // followed by the count
inline constexpr int status_objects_pasted = 333; // followed by the count
inline constexpr int status_nothing_to_paste = 334;
inline constexpr int status_front_view = 335;
inline constexpr int library_filter_hint = 336;
inline constexpr int tip_zoom_box = 337;
inline constexpr int status_selection = 338; // followed by the count and the extent
inline constexpr int objects_word = 339;
// Unsaved designs kept aside, designs open in another editor, the recent designs.
inline constexpr int recovery_question = 310; // %1 the design's file, %2 when it was kept
inline constexpr int recovery_restore = 311;
inline constexpr int recovery_discard = 312;
inline constexpr int recovery_later = 313;
inline constexpr int recovery_no_name = 314;
inline constexpr int recovery_write_failed = 315; // followed by the reason
inline constexpr int lock_question = 316;         // %1 the file, %2 the host, %3 the process
inline constexpr int title_read_only = 317;
inline constexpr int menu_recent = 318;
inline constexpr int menu_recent_clear = 319;
inline constexpr int recovery_kept_aside = 496; // %1 where the damaged copy is kept

// The plan's context menu, the typed turn, the names of the undo steps and a default file name.
inline constexpr int context_show_3d = 302;
inline constexpr int context_zoom_fit = 303;
inline constexpr int context_stand = 304;
inline constexpr int turn_prompt = 305;
inline constexpr int turn_refused = 306; // followed by the text typed
inline constexpr int view3d_default_file = 307;
inline constexpr int step_place = 308;
inline constexpr int step_move = 309;
inline constexpr int step_copy = 370;
inline constexpr int step_move_selection = 371;
inline constexpr int step_turn = 372;
inline constexpr int step_turn_selection = 373;
inline constexpr int step_delete = 374;
inline constexpr int step_group = 375;
inline constexpr int step_ungroup = 376;
inline constexpr int step_append = 377;
inline constexpr int step_pictures = 378;
inline constexpr int step_edit = 379;
inline constexpr int step_properties = 380;
inline constexpr int step_group_properties = 381;
inline constexpr int step_stand = 382;
inline constexpr int step_height = 383;
inline constexpr int step_elevation = 393;
inline constexpr int step_picture = 384;
inline constexpr int step_cut = 385;
inline constexpr int step_paste = 386;
inline constexpr int step_duplicate = 387;
inline constexpr int step_nudge = 388;
inline constexpr int step_move_to_corner = 389;
inline constexpr int step_ungroup_all = 390;
inline constexpr int step_new = 391;
inline constexpr int step_import = 392;
inline constexpr int unsaved_changed = 610; // %1 the design's name
inline constexpr int unsaved_save_question = 611;

inline constexpr int used_ui_texts[] = {
    unsaved_changed, unsaved_save_question,
    context_show_3d, context_zoom_fit, context_stand, turn_prompt, turn_refused, view3d_default_file,
    step_place, step_move, step_copy, step_move_selection, step_turn, step_turn_selection, step_delete,
    step_group, step_ungroup, step_append, step_pictures, step_edit, step_properties, step_group_properties,
    step_stand, step_height, step_elevation, step_picture, step_cut, step_paste, step_duplicate, step_nudge,
    step_move_to_corner, step_ungroup_all, step_new, step_import,
    main_window_title, cancel, tip_zoom_tool, tip_zoom_all, tip_zoom_out, tip_zoom_in, tip_project_info,
    tip_properties, save_dialog_title, import_dialog_title, load_dialog_title, module_word,
    component_list_title, preferences_title, pref_viewer_label, pref_doc_path_label,
    pref_import_path_label, pref_export_path_label, pref_quality_label, pref_smooth_redraw,
    pref_smooth_drag, pref_folders_tab, pref_display_tab, library_window_title,
    export_3d_dialog_title, price_export_dialog_title, price_import_dialog_title, save_screen_dialog_title,
    tiling_picture_dialog_title, list_column_component, list_column_quantity, list_column_price,
    list_totals_heading, list_totals_value_heading, list_total_price, list_total_weight, list_copy,
    export_3d_progress_title, export_3d_progress_caption, prop_title, prop_tab_general, prop_tab_size,
    prop_tab_colours, prop_tab_recto, prop_tab_verso, prop_object_number, prop_component, prop_library,
    prop_colour_slots, prop_elevation, prop_rotation, prop_height, prop_width, prop_depth, prop_label,
    prop_perimeter, prop_recto_end_code, prop_verso_end_code, prop_recto_picture, prop_picture_size,
    prop_verso_picture, prop_picture_width, prop_picture_height, prop_has_recto, prop_has_verso,
    prop_next_height, prop_next_picture, prop_choose_picture, prop_colour, group_title, group_tab_group,
    group_tab_objects, group_new_name, group_recto_picture, group_verso_picture, tiling_title, tiling_count,
    tiling_show_rows, tiling_row, tiling_cut, tiling_done, stand_title, stand_width, stand_depth,
    stand_client, stand_project_title, stand_walls, stand_open_frames, stand_header_bands, stand_left,
    stand_right, stand_back, stand_front, stand_floor_texture, stand_choose_texture, texture_title,
    texture_families, texture_pictures, texture_target_floor, texture_target_recto, texture_choose,
    save_screen_progress_title, save_screen_stage_first + 0, save_screen_stage_first + 1,
    save_screen_stage_first + 2, save_screen_stage_first + 3, save_screen_stage_first + 4,
    save_screen_stage_first + 5, save_screen_stage_first + 6, save_screen_stage_first + 7,
    save_screen_stage_first + 8, save_screen_stage_first + 9, colour_column_name, colour_column_finish,
    colour_column_number, colour_column_hue, colour_column_saturation, colour_column_lightness,
    colour_library_column_name, colour_library_column_count, hint_new, hint_load, hint_save, hint_save_as,
    hint_print, hint_import, hint_save_blueprint, hint_save_screen, hint_export_3d, hint_preferences,
    hint_quit, hint_ungroup_all, hint_height_modify, hint_display_modify, hint_height_from_ground,
    hint_add_display, hint_config, hint_move_to_corner, hint_tiling, hint_export_prices, hint_import_prices,
    hint_view_3d, hint_view_structure, hint_view_coloured, hint_angle_marker, hint_debug, hint_angle_errors,
    hint_object_names, hint_object_heights, hint_panel_sizes, hint_big_labels, hint_zoom_factor,
    hint_zoom_auto, hint_user_zoom, hint_component_list, hint_library, hint_about, hint_viewer_download,
    hint_capture_download, hint_french, hint_english, hint_undo, hint_redo, hint_print_pack, hint_copy, hint_cut, hint_paste, hint_duplicate, hint_select_all, hint_export_plan_pdf, hint_export_plan_svg, hint_export_plan_dxf, message_write_failed, message_not_price_table,
    message_stand_size, message_tiling_count, message_tiling_width, message_plan_full,
    message_selection_full, message_definition_saved, message_picture_unreadable, message_loading_library,
    tip_library_back, tip_library_next, tip_measure, tip_colour, untitled_design, status_saved,
    status_picture_saved, status_printed, status_list_copied, status_no_browser,
    message_no_3d_viewer, view3d_title, view3d_view_all, view3d_front, view3d_top, view3d_left, view3d_right,
    view3d_iso, view3d_save, view3d_in_program, view3d_no_opengl, editor_saved_in_user_folder, prices_saved_in_user_folder,
    editor_replace_question, message_number_range, colour_library_damaged,
    group_name, group_change, faces_none, faces_recto, faces_verso, faces_both, picture_dialog_title,
    proportion_warning, proportion_normal, proportion_picture, elevation_prompt, ok,
    checks_title, check_kind_first + 0, check_kind_first + 1, check_kind_first + 2, check_kind_first + 3,
    check_kind_first + 4, check_kind_first + 5, check_kind_first + 6, check_kind_first + 7,
    check_wholly_outside, check_partly_outside, check_overlaps_object, check_duplicate, check_angle_at_end,
    check_picture_unreadable, check_picture_proportion, check_component_missing, check_no_3d, checks_hide,
    checks_show_hidden, hint_carry_objects, check_kind_floating, check_floating,
    message_selection_capped, status_nothing_chosen, status_objects_copied, status_objects_pasted,
    status_nothing_to_paste, status_front_view, library_filter_hint, tip_zoom_box, status_selection,
    objects_word,
    sheet_date, sheet_scale, sheet_fitted, quote_other_components, quote_wall_system, quote_unit_price,
    quote_weight_kg, quote_total, menu_export_plan_pdf, menu_export_plan_svg, menu_export_plan_dxf, list_export_xlsx, packing_unit, packing_per_bag, packing_to_take, packing_pieces, packing_metres, list_export_csv, sheet_bill_heading,
    quote_section, sheet_scale_choice, sheet_paper, sheet_orientation, sheet_orientation_auto,
    sheet_orientation_portrait, sheet_orientation_landscape, sheet_bill_page,
    recovery_question, recovery_restore, recovery_discard, recovery_later, recovery_no_name,
    recovery_write_failed, lock_question, title_read_only, menu_recent, menu_recent_clear, recovery_kept_aside,
    pack_title, pack_client, pack_faces, pack_area, pack_not_printed, pack_print_size, pack_bleed, pack_picture,
    pack_resolution, pack_written, pack_dialog_title, pack_roll, pack_files, pack_dpi_label, pack_bleed_label,
    pack_folder,
    sheets_title, menu_build_sheets, hint_build_sheets, sheets_stand_size, sheets_pieces, sheets_bags,
    sheets_weight, sheets_packing, sheets_reference, sheets_component, sheets_quantity, sheets_per_bag,
    sheets_bags_column, sheets_by_piece, sheets_by_metre, sheets_spare, sheets_order, sheets_run, sheets_length,
    sheets_from_front, sheets_free_end, sheets_corner, sheets_branch, sheets_straight, sheets_meets,
    sheets_free_objects, sheets_position, sheets_rotation, sheets_elevation, sheets_turned, sheets_no_picture,
    sheets_height, sheets_print_files, sheets_frame, sheets_joint, sheets_pieces_column, sheets_faces_missing,
    sheets_object, sheets_total, sheets_weight_column,
    menu_share_web, hint_share_web, web_fit, web_quote, web_help, web_reference, web_text, web_no_webgl,
    web_quote_question, web_written, web_missing, web_dialog_title,
};

} // namespace halvern::ui
