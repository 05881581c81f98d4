#include "dialogs/object_editor.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/ui_text_ids.h"
#include "dialogs/dialog_controls.h"
#include "platform/prompts.h"

namespace halvern {

namespace {

std::string s(const QString& text) { return text.toStdString(); }
QString element(const char* name, int k) { return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(k); }

QLabel* label(QWidget* parent, const QString& name, const QString& caption)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    return l;
}

QLineEdit* entry(QWidget* parent, const QString& name, int width, const QString& tip = {})
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMinimumWidth(width);
    if (!tip.isEmpty())
        e->setToolTip(tip);
    return e;
}

QComboBox* list(QWidget* parent, const QString& name, const QStringList& entries, const QString& tip = {})
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->addItems(entries);
    if (!tip.isEmpty())
        c->setToolTip(tip);
    return c;
}

const QStringList no_yes{QStringLiteral("Non"), QStringLiteral("Oui")};
const QString cm = QStringLiteral("cm");

// One row of a tab: the caption, then the entries and their unit labels.
void row(QGridLayout* grid, QLabel* caption, std::initializer_list<QWidget*> widgets)
{
    const int r = grid->rowCount();
    grid->addWidget(caption, r, 0);
    int column = 1;
    for (QWidget* w : widgets)
        grid->addWidget(w, r, column++);
}

QWidget* page(const char* name, QGridLayout*& grid)
{
    auto* p = new QWidget;
    p->setObjectName(QString::fromLatin1(name));
    grid = new QGridLayout(p);
    grid->setColumnStretch(1, 1);
    return p;
}

void finish(QGridLayout* grid) { grid->setRowStretch(grid->rowCount(), 1); }

} // namespace

ObjectEditor::ObjectEditor(ComponentTable& table, int component, LibraryFolders folders, const UiText& texts,
                           Prompts& prompts, QWidget* parent)
    : QDialog(parent), table_(table), component_(component), folders_(std::move(folders)), texts_(texts),
      prompts_(prompts)
{
    setObjectName(QStringLiteral("form_edit"));
    setWindowTitle(QStringLiteral("Editeur d'objet"));
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tbs"));
    tabs->addTab(build_base(), QStringLiteral("Base"));
    tabs->addTab(build_quote(), QStringLiteral("Devis"));
    tabs->addTab(build_display(), QStringLiteral("Affichage"));
    tabs->addTab(build_magnets(), QStringLiteral("Magnétisme"));
    tabs->addTab(build_slots(), QStringLiteral("Matière couleur"));

    auto button = [this](const char* name, const QString& caption, int width) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumWidth(width);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* ok = button("edit_ok", QStringLiteral("Ok"), 45);
    QPushButton* cancel = button("edit_annule", q(texts_.get(ui::cancel)), 45);
    QPushButton* voir = button("edit_voir", QStringLiteral("Voir"), 45);
    QPushButton* save = button("edit_save", QStringLiteral("Sauver fichier"), 85);
    connect(ok, &QPushButton::clicked, this, [this] { edit_ok_Click(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(voir, &QPushButton::clicked, this, &ObjectEditor::edit_voir_Click);
    connect(save, &QPushButton::clicked, this, [this] { edit_save_Click(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {ok, cancel, voir, save})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs, 1);
    layout->addLayout(buttons);

    if (ComponentTable::valid(component_))
        fill(editor_fields(table_, component_));
    resize(560, 520);
}

QWidget* ObjectEditor::build_base()
{
    QGridLayout* g = nullptr;
    QWidget* p = page("pr1", g);
    name_ = entry(p, "edit_pr1_1b", 255, QStringLiteral("utilisé dans les devis par exemple"));
    index_ = entry(p, "edit_pr1_2b", 50);
    short_ = entry(p, "edit_pr1_1d", 175, QStringLiteral("utilisé dans les menus"));
    file_ = entry(p, "edit_pr1_3b", 175);
    width_ = entry(p, "edit_pr1_4b", 50, QStringLiteral("Largeur en cm de l'objet"));
    depth_ = entry(p, "edit_pr1_5b", 50, QStringLiteral("Profondeur en cm de l'objet"));
    height_ = entry(p, "edit_pr1_6b", 50, QStringLiteral("Hauteur en cm de l'objet"));
    pivot_x_ = entry(p, "edit_pr1_7bx", 50, QStringLiteral("X - Rapport au coin superieur gauche"));
    pivot_y_ = entry(p, "edit_pr1_7by", 50, QStringLiteral("Y - Rapport au coin superieur gauche"));
    panel_ = list(p, "edit_pr1_8b", {"Aucun", "Recto", "Verso", "Recto/Verso"});
    auto_elevation_ = list(p, "edit_pr1_9b", no_yes,
                           QStringLiteral("Si oui, se place automatiquement au dessus de l'objet sur lequel il est déplacé"));
    elevation_ = entry(p, "edit_pr1_10b", 50,
                       QStringLiteral("Altitude par défaut, quand on ajoute un objet il sera placé a cette altitude"));
    auteur_ = entry(p, "edit_pr1_11b", 255);
    license_ = entry(p, "edit_pr1_12b", 255);

    row(g, label(p, "edit_pr1_1a", "Nom complet"), {name_});
    row(g, label(p, "edit_pr1_2a", "Index"), {index_});
    row(g, label(p, "edit_pr1_1c", "Nom cours"), {short_});
    row(g, label(p, "edit_pr1_3a", "Fichier"), {file_});
    row(g, label(p, "edit_pr1_4a", "Largeur"), {width_, label(p, "edit_pr1_4c", cm)});
    row(g, label(p, "edit_pr1_5a", "Profondeur"), {depth_, label(p, "edit_pr1_5c", cm)});
    row(g, label(p, "edit_pr1_6a", "Hauteur"), {height_, label(p, "edit_pr1_6c", cm)});
    row(g, label(p, "edit_pr1_7a", "Pivot de rotation (coordonnée en cm)"),
        {pivot_x_, label(p, "edit_pr1_7cx", cm), pivot_y_, label(p, "edit_pr1_7cy", cm)});
    row(g, label(p, "edit_pr1_8a", "Texture/visuel possible ?"), {panel_});
    row(g, label(p, "edit_pr1_9a", "Altitude automatique"), {auto_elevation_});
    row(g, label(p, "edit_pr1_10a", "Altitude par défaut"), {elevation_, label(p, "edit_pr1_10c", cm)});
    row(g, label(p, "edit_pr1_11a", "Auteur"), {auteur_});
    row(g, label(p, "edit_pr1_12a", "License"), {license_});
    finish(g);
    return p;
}

QWidget* ObjectEditor::build_quote()
{
    QGridLayout* g = nullptr;
    QWidget* p = page("pr2", g);
    ref_ = entry(p, "edit_pr2_1b", 255, QStringLiteral("utilisé dans les fiches de fabrication"));
    ref_reseal_ = entry(p, "edit_pr2_2b", 255);
    row(g, label(p, "edit_pr2_1a", "Ref fabricant"), {ref_});
    row(g, label(p, "edit_pr2_2a", "Ref rv"), {ref_reseal_});
    finish(g);
    return p;
}

QWidget* ObjectEditor::build_display()
{
    QGridLayout* g = nullptr;
    QWidget* p = page("pr3", g);
    shape_ = list(p, "edit_pr3_1b",
                  {"Carré", "Vide", "Cercle", "Capsule", "Carré arrondi", "Té", "Etoile", "Ellipse", "Arc", "Vide",
                   "Haricot", "Chemin Turtle", "Chemin personnalisé"});
    const QString only_paths = QStringLiteral("Uniquement pour les chemins personnalisés");
    draw_ = entry(p, "edit_pr3_2b", 255, QStringLiteral("Coordonnées |x1|y1|x2|y2|..|..|"));
    draw_open_ = list(p, "edit_pr3_3b", no_yes, only_paths);
    draw_mirror_ = list(p, "edit_pr3_4b", {"Non", "Mirror Horizontal"}, only_paths);
    draw_color_ = entry(p, "edit_pr3_5b", 175, QStringLiteral("Couleur en hexa type FF00AA"));
    row(g, label(p, "edit_pr3_1a", "Forme"), {shape_});
    row(g, label(p, "edit_pr3_2a", "Chemin Data"), {draw_});
    row(g, label(p, "edit_pr3_3a", "Chemin ouvert"), {draw_open_});
    row(g, label(p, "edit_pr3_4a", "Chemin mirroir"), {draw_mirror_});
    row(g, label(p, "edit_pr3_5a", "Couleur objet"), {draw_color_});
    finish(g);
    return p;
}

QWidget* ObjectEditor::build_magnets()
{
    auto* inner = new QWidget;
    auto* g = new QGridLayout(inner);
    for (int k = 0; k < editor_magnets; ++k) {
        MagnetRow& m = magnets_[size_t(k)];
        m.x = entry(inner, element("edit_pr4_1b", k), 40);
        m.y = entry(inner, element("edit_pr4_2b", k), 40);
        m.z = entry(inner, element("edit_pr4_3b", k), 40);
        m.force = entry(inner, element("edit_pr4_5b", k), 30);
        m.contrainte = list(inner, element("edit_pr4_6b", k), no_yes);
        m.r = entry(inner, element("edit_pr4_7b", k), 30);
        const int r = 2 * k;
        g->addWidget(label(inner, element("edit_pr4_0", k), QString::number(k)), r, 0);
        g->addWidget(m.x, r, 1);
        g->addWidget(label(inner, element("edit_pr4_4c", k), QStringLiteral("X cm")), r, 2);
        g->addWidget(m.y, r, 3);
        g->addWidget(label(inner, element("edit_pr4_2c", k), QStringLiteral("Y cm")), r, 4);
        g->addWidget(m.z, r, 5);
        g->addWidget(label(inner, element("edit_pr4_3c", k), QStringLiteral("H+Z cm")), r, 6);
        g->addWidget(label(inner, element("edit_pr4_5a", k), QStringLiteral("Force")), r + 1, 0);
        g->addWidget(m.force, r + 1, 1);
        g->addWidget(label(inner, element("edit_pr4_6a", k), QStringLiteral("Contrainte ")), r + 1, 2);
        g->addWidget(m.contrainte, r + 1, 3);
        g->addWidget(label(inner, element("edit_pr4_7a", k), QStringLiteral("Angle")), r + 1, 4);
        g->addWidget(m.r, r + 1, 5);
    }
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("pr4"));
    scroll->setWidget(inner);
    scroll->setWidgetResizable(true);
    return scroll;
}

QWidget* ObjectEditor::build_slots()
{
    QGridLayout* g = nullptr;
    QWidget* p = page("pr5", g);
    for (int k = 0; k < editor_colour_slots; ++k) {
        SlotRow& slot = slots_[size_t(k)];
        slot.src = entry(p, element("edit_pr5_1b", k), 175);
        slot.name = entry(p, element("edit_pr5_1e", k), 175);
        slot.lib = entry(p, element("edit_pr5_1g", k), 175, QStringLiteral("Bibliothèque de couleur (name.col)|....|.....|"));
        row(g, label(p, element("edit_pr5_1a", k), QStringLiteral("Material Bloc source ")), {slot.src});
        row(g, label(p, element("edit_pr5_1d", k), QStringLiteral("Nom emplacement ")), {slot.name});
        row(g, label(p, element("edit_pr5_f", k), QStringLiteral("Choix couleur ")), {slot.lib});
    }
    finish(g);
    return p;
}

EditorFields ObjectEditor::fields() const
{
    EditorFields f;
    f.name = s(name_->text());
    f.index = s(index_->text());
    f.short_name = s(short_->text());
    f.file_name = s(file_->text());
    f.width = s(width_->text());
    f.depth = s(depth_->text());
    f.height = s(height_->text());
    f.pivot_x = s(pivot_x_->text());
    f.pivot_y = s(pivot_y_->text());
    f.panel = panel_->currentIndex();
    f.auto_elevation = auto_elevation_->currentIndex();
    f.elevation = s(elevation_->text());
    f.auteur = s(auteur_->text());
    f.license = s(license_->text());
    f.ref = s(ref_->text());
    f.ref_reseal = s(ref_reseal_->text());
    f.shape = shape_->currentIndex();
    f.draw = s(draw_->text());
    f.draw_open = draw_open_->currentIndex();
    f.draw_mirror = draw_mirror_->currentIndex();
    f.draw_color = s(draw_color_->text());
    for (int k = 0; k < editor_magnets; ++k) {
        const MagnetRow& m = magnets_[size_t(k)];
        f.magnets[size_t(k)] = {s(m.x->text()), s(m.y->text()), s(m.z->text()), s(m.force->text()), s(m.r->text()),
                                m.contrainte->currentIndex()};
    }
    for (int k = 0; k < editor_colour_slots; ++k) {
        const SlotRow& slot = slots_[size_t(k)];
        f.colours[size_t(k)] = {s(slot.src->text()), s(slot.name->text()), s(slot.lib->text())};
    }
    return f;
}

void ObjectEditor::fill(const EditorFields& f)
{
    name_->setText(q(f.name));
    index_->setText(q(f.index));
    short_->setText(q(f.short_name));
    file_->setText(q(f.file_name));
    width_->setText(q(f.width));
    depth_->setText(q(f.depth));
    height_->setText(q(f.height));
    pivot_x_->setText(q(f.pivot_x));
    pivot_y_->setText(q(f.pivot_y));
    panel_->setCurrentIndex(f.panel);
    auto_elevation_->setCurrentIndex(f.auto_elevation);
    elevation_->setText(q(f.elevation));
    auteur_->setText(q(f.auteur));
    license_->setText(q(f.license));
    ref_->setText(q(f.ref));
    ref_reseal_->setText(q(f.ref_reseal));
    shape_->setCurrentIndex(f.shape);
    draw_->setText(q(f.draw));
    draw_open_->setCurrentIndex(f.draw_open);
    draw_mirror_->setCurrentIndex(f.draw_mirror);
    draw_color_->setText(q(f.draw_color));
    for (int k = 0; k < editor_magnets; ++k) {
        const MagnetRow& m = magnets_[size_t(k)];
        const EditorMagnet& e = f.magnets[size_t(k)];
        m.x->setText(q(e.x));
        m.y->setText(q(e.y));
        m.z->setText(q(e.z));
        m.force->setText(q(e.force));
        m.r->setText(q(e.r));
        m.contrainte->setCurrentIndex(e.contrainte);
    }
    for (int k = 0; k < editor_colour_slots; ++k) {
        const SlotRow& slot = slots_[size_t(k)];
        slot.src->setText(q(f.colours[size_t(k)].src));
        slot.name->setText(q(f.colours[size_t(k)].name));
        slot.lib->setText(q(f.colours[size_t(k)].lib));
    }
}

bool ObjectEditor::applied(const Result<int>& outcome)
{
    if (!outcome) {
        prompts_.warn("Editeur d'objet", outcome.error().text());
        return false;
    }
    // The entry shows the name the component now has (a copy gets its own).
    file_->setText(q(table_[*outcome].file_name));
    if (changed_)
        changed_();
    return true;
}

bool ObjectEditor::edit_ok_Click()
{
    if (!applied(apply_editor_fields(fields(), component_, table_)))
        return false;
    accept();
    return true;
}

bool ObjectEditor::edit_save_Click()
{
    // Another number's own file is replaced only when the user says so.
    const std::filesystem::path replaced = replaced_file(fields(), component_, table_, folders_);
    if (!replaced.empty()
        && !prompts_.confirm("Editeur d'objet", texts_.get(ui::editor_replace_question) + "\n" + replaced.string()))
        return false;
    std::filesystem::path written;
    if (!applied(save_editor_fields(fields(), component_, table_, folders_, &written)))
        return false;
    // A save that could not go into the installation went into the user's own folder: say where,
    // since that is not where the user would look for it.
    const std::filesystem::path beside = written.lexically_relative(folders_.user_dir);
    if (!folders_.user_dir.empty() && !beside.empty() && *beside.begin() != "..")
        prompts_.inform("Editeur d'objet", texts_.get(ui::editor_saved_in_user_folder) + "\n" + written.string());
    return true;
}

void ObjectEditor::edit_voir_Click()
{
    const Result<int> n = read_index(s(index_->text()));
    if (!n) {
        prompts_.warn("Editeur d'objet", n.error().text());
        return;
    }
    if (preview_)
        preview_(*n);
}

bool open_object_editor(ComponentTable& table, int component, const LibraryFolders& folders,
                        const UiText& texts, Prompts& prompts, std::function<void()> changed,
                        std::function<void(int)> preview, QWidget* parent)
{
    if (!ComponentTable::valid(component))
        return false;
    bool any = false;
    ObjectEditor editor(table, component, folders, texts, prompts, parent);
    editor.on_changed([&] {
        any = true;
        if (changed)
            changed();
    });
    editor.on_preview(std::move(preview));
    editor.exec();
    return any;
}

} // namespace halvern
