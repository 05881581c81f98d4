#include "app/menu_tables.h"

#include <charconv>

namespace halvern {

namespace {

// One line of both tables: what the French and the English table hold at the same entry.
struct Pair {
    const char* fr;
    const char* en;
};

// The menu bar, menu after menu, each ended by an empty entry.
constexpr Pair menu_bar[] = {
    {"Fichier", "File"},
    {"#95#Nouveau", "#95#New"},
    {"#99#Ouvrir", "#99#Load"},
    {"#98#Sauver", "#98#Save"},
    {"#96#Sauver sous", "#96#Save as"},
    {"#150#Imprimer", "#150#Print"},
    {"#151#Exporter le plan en PDF", "#151#Export plan as PDF"},
    {"#152#Exporter le plan en SVG", "#152#Export plan as SVG"},
    {"#156#Exporter le plan en DXF", "#156#Export plan as DXF"},
    {"#94#Importer", "#94#Import"},
    {"#90#Sauve Plan HD", "#90#Save 2D Blueprint"},
    {"#93#Sauve Ecran", "#93#Save Screen"},
    {"#91#Exporter 3D", "#91#3D Export"},
    // Ours: the stand for the viewers, browsers and 3D programs that read no VRML.
    {"#155#Exporter 3D (glTF)...", "#155#Export 3D (glTF)..."},
    // Ours: the stand in 3D for the customer, in any browser.
    {"#157#Partager en page web...", "#157#Share as web page..."},
    // Ours: the printer's files for every printed face.
    {"#110#Exporter le pack d'impression...", "#110#Export print pack..."},
    // Ours: packing list, wall runs and free objects for the crew.
    {"#115#Imprimer les fiches de montage...", "#115#Print build sheets..."},
    {"-", "-"},
    {"#92#Préférence", "#92#Properties"},
    {"-", "-"},
    {"#97#Quitter", "#97#Quit"},
    {"", ""},
    // The standard editing commands every desktop program has, with their usual keys.
    {"Edition", "Edit"},
    {"#121#Couper", "#121#Cut"},
    {"#120#Copier", "#120#Copy"},
    {"#122#Coller", "#122#Paste"},
    {"#123#Dupliquer", "#123#Duplicate"},
    {"-", "-"},
    {"#124#Tout sélectionner", "#124#Select all"},
    {"", ""},
    {"objet", "Object"},
    // Ours: the gestures of the plan as commands, with the plan's own keys beside them.
    {"#130#Propriétés...", "#130#Properties..."},
    {"-", "-"},
    {"#131#Tourner de 90° à gauche", "#131#Rotate 90° left"},
    {"#132#Tourner de 90° à droite", "#132#Rotate 90° right"},
    {"#133#Tourner de...", "#133#Rotate by..."},
    {"#134#Ajouter à la suite", "#134#Append joined"},
    {"#135#Ajouter en angle\tM", "#135#Append turned\tM"},
    {"-", "-"},
    {"#136#Grouper\tCtrl+G", "#136#Group\tCtrl+G"},
    {"#137#Dégrouper\tCtrl+U", "#137#Ungroup\tCtrl+U"},
    {"#138#Supprimer\tSuppr", "#138#Delete\tDel"},
    {"#104#Tout dégrouper", "#104#Ungroup All"},
    {"-", "-"},
    // Ours, a switch: what stands on a counter or a platform goes where it goes.
    {"#139#Déplacer les objets posés avec leur support", "#139#Move carried objects with their carrier"},
    {"-", "-"},
    {"#100#Changer hauteur", "#100#Height modify"},
    {"#101#Changer visuel", "#101#Display modify"},
    {"#102#Elever en hauteur", "#102#Height from ground"},
    {"#103#Ajouter un visuel", "#103#Add a display"},
    // Undo and redo: a user expects them where the objects are edited.
    {"-", "-"},
    {"#105#Annuler", "#105#Undo"},
    {"#106#Rétablir", "#106#Redo"},
    {"", ""},
    {"projet", "Project"},
    {"#10#Configuration", "#10#Config"},
    {"", ""},
    {"Outils", "Tools"},
    {"#20#Recaler", "#20#Move objects to top"},
    {"-", "-"},
    {"#22#Diviser en plusieurs images", "#22#Picture Tiling"},
    {"-", "-"},
    {"#21#Exporter table de prix", "#21#Export price table"},
    {"#24#Importer table de prix", "#24#Import price table"},
    {"-", "-"},
    {"", ""},
    {"Affichage", "View"},
    {"#39#Vue 3D", "#39#Real time 3D view"},
    {"#80#Vue 3D Structure", "#80#Structure 3D view"},
    {"#81#Vue 3D Structure couleur", "#81#Coloured 3D view"},
    {"-", "-"},
    {"#30#marqueur d'angle", "#30#degre marker"},
    {"#31#debug mode", "#31#debug mode"},
    {"-", "-"},
    {"#32#Erreur d'angle", "#32#Mistake Angle"},
    {"-", "-"},
    {"#33#Nom des objets", "#33#Object Name"},
    {"#35#hauteur des objets", "#35#height of object"},
    {"#34#Largeur des panneaux", "#34#Panel Size"},
    {"-", "-"},
    {"#38#Grande Etiquette", "#38#Big size of label"},
    {"-", "-"},
    {"#40#Zoom 50%", "#40#Zoom 50%"},
    {"#41#Zoom 75%", "#41#Zoom 75%"},
    {"#42#Zoom 100%", "#42#Zoom 100%"},
    {"#43#Zoom 150%", "#43#Zoom 150%"},
    {"#44#Zoom 200%", "#44#Zoom 200%"},
    {"#45#Zoom 400%", "#45#Zoom 400%"},
    {"#46#Zoom 800%", "#46#Zoom 800%"},
    {"#47#Zoom Auto", "#47#Zoom Auto"},
    {"#48#Zoom personnalisé", "#48#User Zoom"},
    {"-", "-"},
    {"#50#Liste des objets", "#50#Component List"},
    {"#51#Librairie", "#51#Library"},
    {"", ""},
    {"?", "?"},
    {"#1#Info", "#1#Info"},
    {"-", "-"},
    {"#2#OctagaPlayer download", "#2#OctagaPlayer download"},
    {"#3#ScreenCapture download", "#3#ScreenCapture download"},
    {"#200#Français", "#200#Français"},
    {"#201#English", "#201#English"},
    {"", ""},
};

static_assert(std::size(menu_bar) < menu_table_size);

MenuTable fill(bool french)
{
    MenuTable table{}; // the entries after the last menu stay empty: the end of the list
    for (size_t i = 0; i < std::size(menu_bar); ++i)
        table[i] = french ? menu_bar[i].fr : menu_bar[i].en;
    return table;
}

// "#95#New" -> 95 and "New"; false for any other form.
bool parse_command_entry(std::string_view entry, int& id, std::string& label)
{
    if (entry.size() < 3 || entry[0] != '#')
        return false;
    size_t second = entry.find('#', 1);
    if (second == std::string_view::npos || second == 1)
        return false;
    const char* first = entry.data() + 1;
    const char* last = entry.data() + second;
    auto [end, ec] = std::from_chars(first, last, id);
    if (ec != std::errc() || end != last || id <= 0)
        return false;
    label = std::string(entry.substr(second + 1));
    return true;
}

} // namespace

const MenuTable& french_menu_table()
{
    static const MenuTable table = fill(true);
    return table;
}

const MenuTable& english_menu_table()
{
    static const MenuTable table = fill(false);
    return table;
}

const MenuTable& menu_table_for(std::string_view lang)
{
    return lang == "fr" ? french_menu_table() : english_menu_table();
}

std::vector<Menu> parse_menu_table(const MenuTable& table)
{
    std::vector<Menu> menus;
    size_t i = 0;
    while (i < table.size() && !table[i].empty()) {
        Menu menu;
        menu.title = table[i++];
        for (; i < table.size() && !table[i].empty(); ++i) {
            if (table[i] == "-") {
                menu.items.push_back({});
                continue;
            }
            MenuItem item;
            if (parse_command_entry(table[i], item.command, item.label))
                menu.items.push_back(std::move(item));
        }
        ++i; // the empty entry that ends the menu
        menus.push_back(std::move(menu));
    }
    return menus;
}

std::string command_label(const MenuTable& table, int command)
{
    for (const std::string& entry : table) {
        int id = 0;
        std::string label;
        if (parse_command_entry(entry, id, label) && id == command)
            return label;
    }
    return {};
}

} // namespace halvern
