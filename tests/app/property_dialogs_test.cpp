// Editing by hand: the object and group property dialogs, the pickers of the Object menu, the
// stand form and the texture form, driven through their named controls.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <deque>
#include <functional>

#include "app/main_window.h"
#include "app/plan_widget.h"
#include "app/session.h"
#include "app_test_support.h"
#include "base/ui_text_ids.h"
#include "dialogs/group_properties_dialog.h"
#include "dialogs/object_properties_dialog.h"
#include "dialogs/pickers.h"
#include "dialogs/stand_form.h"
#include "plan/plan_edit.h"
#include "plan/select_many.h"
#include "project/project_writer.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

constexpr int gold_panel = 3; // built-in frame, pictures on both faces

class ScriptedPickers : public Pickers {
public:
    int pop_up_list(const std::vector<std::string>& entries) override
    {
        shown.push_back(entries);
        if (lists.empty())
            return -1;
        const int answer = lists.front();
        lists.pop_front();
        return answer;
    }
    std::optional<std::string> input_box(const std::string& prompt, const std::string& initial) override
    {
        shown.push_back({prompt, initial});
        if (boxes.empty())
            return std::nullopt;
        auto answer = boxes.front();
        boxes.pop_front();
        return answer;
    }
    std::deque<int> lists;
    std::deque<std::optional<std::string>> boxes;
    std::vector<std::vector<std::string>> shown;
};

// Runs `act` on the next modal dialog once it is shown (a dialog the window opens after the
// event that asked for it comes a few turns of the event loop later).
void when_dialog_opens(std::function<void(QWidget&)> act, int turns = 20)
{
    QTimer::singleShot(0, [act, turns] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog && turns > 0)
            return when_dialog_opens(act, turns - 1);
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

template <class W>
W& child(QWidget& parent, const char* name)
{
    W* w = parent.findChild<W*>(QString::fromLatin1(name));
    if (!w)
        throw std::runtime_error(std::string("no control ") + name);
    return *w;
}

void type(QWidget& dialog, const char* box, const char* text) { child<QLineEdit>(dialog, box).setText(text); }
void click(QWidget& dialog, const char* button) { child<QPushButton>(dialog, button).click(); }

class PropertyDialogsTest : public ::testing::Test {
protected:
    InstallFolder folder;
    ScratchDir pictures;
    Editor editor{folder.path()};
    Session& s = *editor.session;
    MainWindow& w = *editor.window;
    ScriptedPickers pickers;

    void SetUp() override
    {
        std::filesystem::copy(stage_dir() / "lib" / "tex", folder.path() / "lib" / "tex",
                              std::filesystem::copy_options::recursive);
        w.set_pickers(&pickers);
    }
    int steps() { return w.history().stack().count(); }
    std::string design() const { return format_project(s.plan, s.stand); }
    std::filesystem::path square_picture(int width, int height)
    {
        const auto file = pictures / ("p" + std::to_string(width) + "x" + std::to_string(height) + ".jpg");
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::gray);
        EXPECT_TRUE(image.save(QString::fromStdString(file.string()), "JPG"));
        return file;
    }
    bool said(int text) const
    {
        for (const std::string& m : editor.prompts.messages)
            if (m.find(s.text(text)) != std::string::npos)
                return true;
        return false;
    }
};

} // namespace

TEST_F(PropertyDialogsTest, TypedFieldsFollowTheDialogRules)
{
    const int i = place_object(s, gold_panel, 300, 200);
    s.plan.obj_faces[size_t(i)] = 3;
    ObjectPropertiesDialog d(s.property_context(), editor.prompts, i);
    EXPECT_EQ(child<QLineEdit>(d, "prop_index").text(), QString::number(i));
    ASSERT_TRUE(d.findChild<QWidget*>("prop_recto_page") && d.findChild<QWidget*>("prop_verso_page"));
    type(d, "prop_hauteur", "12,5");
    type(d, "prop_r", "370");
    type(d, "prop_text", "Welcome desk");
    child<QCheckBox>(d, "prop_tex2").setChecked(false);
    click(d, "prop_ok");
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_FLOAT_EQ(s.plan.obj_hauteur[size_t(i)], 12.5f);
    EXPECT_FLOAT_EQ(s.plan.obj_rot[size_t(i)], 10.0f);
    EXPECT_EQ(s.plan.obj_texte[size_t(i)], "Welcome desk");
    EXPECT_EQ(s.plan.obj_faces[size_t(i)], 1);

    ObjectPropertiesDialog again(s.property_context(), editor.prompts, i);
    type(again, "prop_r", "-10");
    again.prop_ok_Click();
    EXPECT_FLOAT_EQ(s.plan.obj_rot[size_t(i)], 350.0f);
}

// A number beyond its field's range ("1e39" would become an infinite float, saved as "0") is refused
// by name, the dialog stays open and nothing changes; the range's own ends are taken.
TEST_F(PropertyDialogsTest, NumbersBeyondTheirFieldsRangeAreRefusedByName)
{
    const int i = place_object(s, gold_panel, 300, 200);
    const int j = place_object(s, gold_panel, 500, 200);
    struct Case {
        char dialog; // 'o' object, 'g' group, 's' stand
        const char* box;
        const char* typed;
        int field; // the text naming the field, 0 when the number is taken
    } cases[] = {
        {'o', "prop_hauteur", "1e39", ui::prop_height},
        {'o', "prop_elevation", "-1e39", ui::prop_elevation},
        {'o', "prop_r", "1e39", ui::prop_rotation},
        {'o', "prop_largeur", "100000,5", ui::prop_width},
        {'o', "prop_profondeur", "-100000", 0},
        {'g', "prop_grp_hauteur", "1e39", ui::prop_height},
        {'g', "prop_elevation", "2e5", ui::prop_elevation},
        {'g', "prop_grp_hauteur", "100000", 0},
        {'s', "projet_largeur", "1e39", ui::message_stand_size},
    };
    for (const Case& c : cases) {
        const std::string before = design();
        const StandSettings stand = s.stand;
        editor.prompts.messages.clear();
        std::unique_ptr<QDialog> d;
        if (c.dialog == 'o')
            d = std::make_unique<ObjectPropertiesDialog>(s.property_context(), editor.prompts, i);
        else if (c.dialog == 'g')
            d = std::make_unique<GroupPropertiesDialog>(s.property_context(), editor.prompts, std::vector<int>{i, j});
        else
            d = std::make_unique<StandForm>(s.stand, s.shell.ui_text, s.app_dir(), editor.prompts);
        type(*d, c.box, c.typed);
        click(*d, c.dialog == 'o' ? "prop_ok" : c.dialog == 'g' ? "prop_grp_ok" : "projetok");
        if (c.field == 0) {
            EXPECT_EQ(d->result(), QDialog::Accepted) << c.box << " " << c.typed;
            EXPECT_TRUE(editor.prompts.messages.empty()) << c.box;
            continue;
        }
        EXPECT_NE(d->result(), QDialog::Accepted) << c.box << " " << c.typed;
        EXPECT_EQ(design(), before) << c.box << " " << c.typed;
        EXPECT_TRUE(s.stand == stand) << c.box;
        EXPECT_TRUE(said(c.field)) << c.box << " " << c.typed;
    }
}

TEST_F(PropertyDialogsTest, PerimeterHeightStepsAndColourButtons)
{
    const int i = place_object(s, gold_panel, 300, 200);
    s.plan.obj_largeur[size_t(i)] = 100;
    s.plan.obj_profondeur[size_t(i)] = 100;
    s.plan.obj_hauteur[size_t(i)] = 228;
    ObjectPropertiesDialog d(s.property_context(), editor.prompts, i);
    EXPECT_EQ(child<QLineEdit>(d, "prop_peri").text(), "314.16");
    click(d, "prop_hauteur_change");
    EXPECT_EQ(child<QLineEdit>(d, "prop_hauteur").text(), "250");
    EXPECT_FLOAT_EQ(s.plan.obj_hauteur[size_t(i)], 228.0f); // only OK changes the object
    for (QPushButton* b : d.findChildren<QPushButton*>()) {
        if (b->objectName().startsWith("color_change_")) {
            EXPECT_FALSE(b->isEnabled());
        }
    }
}

TEST_F(PropertyDialogsTest, CancelChangesNothingAndOkIsOneStepThatUndoTakesBack)
{
    const int i = place_object(s, gold_panel, 300, 200);
    w.design_changed("Place");
    const std::string before = design();
    const int count = steps();

    when_dialog_opens([](QWidget& d) {
        type(d, "prop_text", "changed");
        type(d, "prop_hauteur", "99");
        click(d, "prop_annule");
    });
    EXPECT_FALSE(w.open_object_properties(i));
    EXPECT_EQ(design(), before);
    EXPECT_EQ(steps(), count);

    when_dialog_opens([](QWidget& d) {
        type(d, "prop_text", "Bar");
        type(d, "prop_elevation", "30");
        click(d, "prop_ok");
    });
    EXPECT_TRUE(w.open_object_properties(i));
    EXPECT_EQ(s.plan.obj_texte[size_t(i)], "Bar");
    EXPECT_EQ(steps(), count + 1);
    editor.trigger(command::undo);
    EXPECT_EQ(design(), before);
}

TEST_F(PropertyDialogsTest, RectoTextureFromTheTextureFormIsStoredByOkAndNeverTheFloor)
{
    const int i = place_object(s, gold_panel, 300, 200);
    const std::string floor = s.stand.floor_texture;
    ObjectPropertiesDialog d(s.property_context(), editor.prompts, i);
    when_dialog_opens([](QWidget& form) {
        EXPECT_EQ(form.objectName(), "form_tex");
        auto& families = child<QListWidget>(form, "tex_type");
        families.setCurrentItem(families.findItems("wood", Qt::MatchExactly).value(0));
        auto& files = child<QListWidget>(form, "tex_file");
        files.setCurrentItem(files.findItems("oak.jpg", Qt::MatchExactly).value(0));
        click(form, "tex_choisir");
    });
    d.prop_recto_tex_change_Click();
    const auto oak = (folder.path() / "lib" / "tex" / "wood" / "oak.jpg").string();
    EXPECT_EQ(child<QLineEdit>(d, "prop_recto").text().toStdString(), oak);
    EXPECT_EQ(s.stand.floor_texture, floor);
    d.prop_ok_Click();
    EXPECT_EQ(s.plan.obj_visuel_recto[size_t(i)], oak);
    EXPECT_EQ(s.stand.floor_texture, floor);
}

TEST_F(PropertyDialogsTest, APictureThatCannotBeLoadedStoresNothing)
{
    const int i = place_object(s, gold_panel, 300, 200);
    s.plan.obj_visuel_recto[size_t(i)] = "before.jpg";
    const auto bad = pictures.write("broken.jpg", "no picture in here");
    ObjectPropertiesDialog d(s.property_context(), editor.prompts, i);
    editor.prompts.files = {bad};
    click(d, "prop_recto_change");
    EXPECT_EQ(child<QLineEdit>(d, "prop_recto").text(), "before.jpg");
    EXPECT_TRUE(said(ui::message_picture_unreadable));

    w.design_changed("Place");
    const int count = steps();
    s.plan.index_focus = i;
    editor.prompts.files = {bad};
    editor.trigger(command::add_visual);
    EXPECT_EQ(s.plan.obj_visuel_recto[size_t(i)], "before.jpg");
    EXPECT_EQ(steps(), count);

    const auto good = square_picture(40, 40);
    editor.prompts.files = {good};
    editor.trigger(command::add_visual);
    EXPECT_EQ(s.plan.obj_visuel_recto[size_t(i)], good.string());
    EXPECT_EQ(s.settings().import_path, pictures.path().string());
    EXPECT_EQ(steps(), count + 1);
}

TEST_F(PropertyDialogsTest, ProportionMessageOnlyForAFaceOfAnotherShape)
{
    const auto square = square_picture(1000, 1000);
    editor.prompts.files = {square};
    EXPECT_EQ(choose_face_picture(editor.prompts, s.shell.ui_text, s.settings(), 0.5), square);
    ASSERT_TRUE(said(ui::proportion_warning));
    EXPECT_NE(editor.prompts.messages.back().find(s.text(ui::proportion_normal) + " 0.5"), std::string::npos);
    EXPECT_NE(editor.prompts.messages.back().find(s.text(ui::proportion_picture) + " 1"), std::string::npos);

    editor.prompts.messages.clear();
    editor.prompts.files = {square};
    EXPECT_EQ(choose_face_picture(editor.prompts, s.shell.ui_text, s.settings(), 1.05), square);
    EXPECT_TRUE(editor.prompts.messages.empty());
}

TEST_F(PropertyDialogsTest, FacesInMillimetresAndTheProportionOfWhatIsTypedAndOfEverySelectedFace)
{
    // A counter of a library: a recto face the size of the object.
    constexpr int counter = 501;
    Component& c = s.components[counter];
    c.name = "counter";
    c.library = 5;
    c.panel = 1;
    c.width = 150;
    c.depth = 60;
    c.height = 110;
    const int a = place_object(s, counter, 300, 200), b = place_object(s, counter, 600, 200);
    for (int i : {a, b}) {
        s.plan.obj_largeur[size_t(i)] = 150;
        s.plan.obj_hauteur[size_t(i)] = 110;
        s.plan.obj_faces[size_t(i)] = 1;
    }
    const auto wide = square_picture(150, 110);

    ObjectPropertiesDialog d(s.property_context(), editor.prompts, a);
    EXPECT_EQ(child<QLineEdit>(d, "prop_visuel_larg").text(), "1500");
    EXPECT_EQ(child<QLineEdit>(d, "prop_visuel_haut").text(), "1100");
    type(d, "prop_hauteur", "300"); // typed, not yet stored
    EXPECT_EQ(child<QLineEdit>(d, "prop_visuel_haut").text(), "3000");
    editor.prompts.files = {wide};
    click(d, "prop_recto_change");
    ASSERT_TRUE(said(ui::proportion_warning));
    EXPECT_NE(editor.prompts.messages.back().find(s.text(ui::proportion_normal) + " 2"), std::string::npos);

    // A picture given to a selection is checked against every face it goes on.
    editor.prompts.messages.clear();
    s.plan.obj_hauteur[size_t(b)] = 300;
    clear_selection(s.plan);
    ASSERT_TRUE(select_objects(s.plan, {a, b}));
    s.plan.index_focus = 0;
    editor.prompts.files = {wide};
    editor.trigger(command::add_visual);
    EXPECT_EQ(s.plan.obj_visuel_recto[size_t(a)], wide.string());
    EXPECT_EQ(s.plan.obj_visuel_recto[size_t(b)], wide.string());
    ASSERT_TRUE(said(ui::proportion_warning));
    EXPECT_NE(editor.prompts.messages.back().find(s.text(ui::proportion_normal) + " 2"), std::string::npos);
}

TEST_F(PropertyDialogsTest, ObjectMenuPickersAreOneStepEachAndDismissingChangesNothing)
{
    const int i = place_object(s, gold_panel, 300, 200);
    w.design_changed("Place");
    s.plan.index_focus = i;
    const int count = steps();

    pickers.lists = {12};
    editor.trigger(command::change_height);
    ASSERT_EQ(pickers.shown.back().size(), 14u);
    EXPECT_FLOAT_EQ(s.plan.obj_hauteur[size_t(i)], 564.0f);
    EXPECT_FLOAT_EQ(s.plan.hauteur_defaut, 564.0f);
    EXPECT_EQ(steps(), count + 1);

    pickers.lists = {3};
    editor.trigger(command::change_visual);
    EXPECT_EQ(s.plan.obj_faces[size_t(i)], 3);
    EXPECT_EQ(s.plan.faces_defaut, 3);

    pickers.boxes = {std::string("12,5")};
    editor.trigger(command::raise_from_ground);
    EXPECT_FLOAT_EQ(s.plan.obj_elevation[size_t(i)], 12.5f);
    EXPECT_EQ(steps(), count + 3);

    const std::string before = design();
    pickers.lists = {-1, -1};
    pickers.boxes = {std::nullopt};
    editor.trigger(command::change_height);
    editor.trigger(command::change_visual);
    editor.trigger(command::raise_from_ground);
    EXPECT_EQ(design(), before);
    EXPECT_EQ(steps(), count + 3);

    s.plan.index_focus = 0; // nothing focused: the commands wait for an object
    pickers.lists = {0};
    editor.trigger(command::change_height);
    EXPECT_EQ(pickers.lists.size(), 1u);
}

TEST_F(PropertyDialogsTest, StandFormRoundTripsEveryWallBitAndRefusesAStandTooLarge)
{
    auto box = [](QWidget& form, int bit) -> QCheckBox& {
        return child<QCheckBox>(form, ("projet_mur_" + std::to_string(bit)).c_str());
    };
    for (int bit = 0; bit < 12; ++bit) {
        s.stand.stand_murs = 1 << bit;
        StandForm form(s.stand, s.shell.ui_text, s.app_dir(), editor.prompts);
        for (int other = 0; other < 12; ++other)
            EXPECT_EQ(box(form, other).isChecked(), other == bit) << bit << " " << other;
        box(form, bit).setChecked(false);
        box(form, (bit + 5) % 12).setChecked(true);
        form.projetok_Click();
        EXPECT_EQ(s.stand.stand_murs, 1 << ((bit + 5) % 12));
    }

    const StandSettings before = s.stand;
    StandForm form(s.stand, s.shell.ui_text, s.app_dir(), editor.prompts);
    type(form, "projet_largeur", "70");
    type(form, "projet_client", "Someone");
    form.projetok_Click();
    EXPECT_NE(form.result(), QDialog::Accepted);
    EXPECT_TRUE(s.stand == before);
    EXPECT_TRUE(said(ui::message_stand_size));

    // A size the design already had outside the range (read from a file) survives an OK that
    // changes something else.
    s.stand.stand_largeur = 75;
    StandForm kept(s.stand, s.shell.ui_text, s.app_dir(), editor.prompts);
    type(kept, "projet_client", "Someone");
    kept.projetok_Click();
    EXPECT_EQ(kept.result(), QDialog::Accepted);
    EXPECT_EQ(s.stand.stand_largeur, 75);
    EXPECT_EQ(s.stand.client, "Someone");
    s.stand = before;

    const int count = steps();
    when_dialog_opens([](QWidget& d) {
        type(d, "projet_largeur", "7,5");
        type(d, "projet_titre", "Spring fair");
        child<QCheckBox>(d, "projet_mur_1").setChecked(true);
        click(d, "projetok");
    });
    w.toolbar_click("projet");
    EXPECT_FLOAT_EQ(s.stand.stand_largeur, 7.5f);
    EXPECT_EQ(s.stand.title, "Spring fair");
    EXPECT_TRUE(s.stand.stand_murs & 2);
    EXPECT_EQ(steps(), count + 1);
}

TEST_F(PropertyDialogsTest, GroupDialogGivesEveryMemberTheHeightAndTheGroupItsName)
{
    const int a = place_object(s, gold_panel, 300, 200);
    const int b = place_object(s, 4, 500, 200);
    s.plan.nb_selection = 2;
    s.plan.selection[1] = a;
    s.plan.selection[2] = b;
    w.design_changed("Place");
    const int count = steps();
    when_dialog_opens([](QWidget& d) {
        EXPECT_EQ(d.objectName(), "prop_grp");
        EXPECT_EQ(d.findChildren<QLineEdit*>("prop_grp_index").size(), 2);
        click(d, "prop_grp_hauteur_change");
        click(d, "prop_grp_hauteur_change");
        click(d, "prop_grp_ok");
    });
    w.toolbar_click("prop");
    EXPECT_FLOAT_EQ(s.plan.obj_hauteur[size_t(a)], 37.9f);
    EXPECT_FLOAT_EQ(s.plan.obj_hauteur[size_t(b)], 37.9f);
    EXPECT_EQ(steps(), count + 1);
}

TEST_F(PropertyDialogsTest, CtrlClickOnAnObjectOpensItsDialogOnceThePressIsDone)
{
    PlanWidget& plan = *w.plan_widget();
    plan.resize(700, 500);
    const int other = place_object(s, gold_panel, 500, 300);
    const int i = place_object(s, gold_panel, 300, 200);
    w.design_changed("Place");
    plan.redraw();
    auto pixel = [&](double x, double y) {
        const PixelPoint p = s.view.to_pixel(x, y);
        return QPoint(int(std::lround(p.x)), int(std::lround(p.y)));
    };
    QPoint at = pixel(500, 300);
    auto send = [&](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(at), plan.mapToGlobal(QPointF(at)), button, held, Qt::ControlModifier);
        QApplication::sendEvent(&plan, &e);
    };
    // The other object is hovered; then a command takes the plan's focus, the pointer goes on to
    // the object while the plan does not follow it, and Ctrl gives the focus back.
    s.shell.plan_focus = true;
    send(QEvent::MouseMove, Qt::NoButton, {});
    editor.trigger(command::object_names);
    at = pixel(300, 200);
    send(QEvent::MouseMove, Qt::NoButton, {});
    w.key_down(Qt::Key_Control, Qt::ControlModifier);
    bool opened = false;
    when_dialog_opens([&opened](QWidget& d) {
        opened = d.objectName() == "form_properties";
        type(d, "prop_hauteur", "150");
        click(d, "prop_ok");
    });
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::LeftButton, {});
    for (int turn = 0; turn < 20 && !opened; ++turn)
        QApplication::processEvents();
    EXPECT_TRUE(opened);
    EXPECT_FLOAT_EQ(s.plan.obj_hauteur[size_t(i)], 150.0f);
    EXPECT_NE(s.plan.obj_hauteur[size_t(other)], 150.0f);
}
