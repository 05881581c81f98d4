// The object dialog's colour buttons: the palette's colour waits in the dialog until its OK, which
// gives it to the slot in the same undo step as the other fields; Cancel drops it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

#include "app/main_window.h"
#include "app/session.h"
#include "app_test_support.h"
#include "dialogs/colour_palette.h"
#include "dialogs/object_properties_dialog.h"
#include "project/project_writer.h"
#include "support/plan_builder.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

constexpr int counter = 205;

// Runs `act` on the first modal window of type W once it is the active one.
template <class W>
void when_open(std::function<void(W&)> act, int turns = 40)
{
    QTimer::singleShot(0, [act, turns] {
        auto* w = qobject_cast<W*>(QApplication::activeModalWidget());
        if (!w && turns > 0)
            return when_open<W>(act, turns - 1);
        ASSERT_NE(w, nullptr);
        act(*w);
    });
}

template <class T>
T& child(QWidget& parent, const char* name)
{
    T* w = parent.findChild<T*>(QString::fromLatin1(name));
    if (!w)
        throw std::runtime_error(std::string("no control ") + name);
    return *w;
}

// In the palette: the library row named `name`, then OK (an empty name: OK with nothing selected).
void pick_in_palette(ColourPalette& palette, const QString& name)
{
    auto& list = child<QTreeWidget>(palette, "f_color_list");
    if (!name.isEmpty()) {
        const auto rows = list.findItems(name, Qt::MatchExactly, 0);
        ASSERT_EQ(rows.size(), 1) << name.toStdString();
        list.setCurrentItem(rows.front());
    }
    child<QPushButton>(palette, "f_color_ok").click();
}

class ObjectColoursTest : public ::testing::Test {
protected:
    InstallFolder folder;
    Editor editor{folder.path()};
    Session& s = *editor.session;
    MainWindow& w = *editor.window;
    int object = 0;

    void SetUp() override
    {
        folder.write("lib/color/primaire.lib", "\"Bordeaux\",110,16,40,0.2,0.3,1,2,3\r\n"
                                               "\"Jaune\",250,220,0,0,0.8,4,5,6\r\n");
        Component& c = define(s.components, counter, 120, 50, 2);
        c.name = "Comptoir";
        c.color_src[1] = "top";
        c.color_src[3] = "front";
        object = place_object(s, counter, 300, 200);
        w.design_changed("Place");
    }
    int steps() { return w.history().stack().count(); }
    std::string design() const { return format_project(s.plan, s.stand); }
    const ColourSlot& slot(int k) const { return s.plan.colours[size_t(object)][size_t(k)]; }

    // Opens the object dialog, gives slot 1 the palette row `name`, types a label, and ends with
    // the button `end`; returns what the dialog's run returned.
    bool colour_then(const QString& name, const char* end, bool* shown_pending = nullptr)
    {
        when_open<ObjectPropertiesDialog>([=, this](ObjectPropertiesDialog& d) {
            EXPECT_EQ(d.findChild<QPushButton*>("color_change_0"), nullptr); // a slot the component lacks
            auto& button = child<QPushButton>(d, "color_change_1");
            const ColourSlot before = slot(1);
            EXPECT_TRUE(button.isEnabled());
            when_open<ColourPalette>([name](ColourPalette& p) {
                EXPECT_EQ(child<QLineEdit>(p, "f_color_index_m").text(), "1");
                pick_in_palette(p, name);
            });
            button.click();
            if (shown_pending)
                *shown_pending = button.styleSheet().contains("rgb(110, 16, 40)") &&
                                 child<QFrame>(d, "color_sample_1").styleSheet().contains("rgb(110, 16, 40)");
            EXPECT_EQ(slot(1), before); // nothing reaches the object before OK
            child<QLineEdit>(d, "prop_text").setText("Desk");
            child<QPushButton>(d, end).click();
        });
        return w.objects().open_object_properties(object);
    }
};

} // namespace

TEST_F(ObjectColoursTest, CancelDropsThePendingColourAndOkGivesItInOneStep)
{
    const std::string before = design();
    const int count = steps();
    bool pending = false;
    EXPECT_FALSE(colour_then("Bordeaux", "prop_annule", &pending));
    EXPECT_TRUE(pending);
    EXPECT_EQ(design(), before);
    EXPECT_EQ(steps(), count);

    EXPECT_TRUE(colour_then("Bordeaux", "prop_ok"));
    EXPECT_EQ(slot(1), (ColourSlot{{110, 16, 40}, {1, 2, 3}, 0.2f, 0.3f, true}));
    EXPECT_FALSE(slot(3).given);
    EXPECT_EQ(s.plan.obj_texte[size_t(object)], "Desk");
    EXPECT_EQ(steps(), count + 1);

    editor.trigger(command::undo);
    EXPECT_EQ(design(), before);
    EXPECT_FALSE(slot(1).given);
    EXPECT_EQ(s.plan.obj_texte[size_t(object)], "");
}

TEST_F(ObjectColoursTest, PaletteOkWithoutARowLeavesTheSlotAsItWas)
{
    ColourSlot earlier{{1, 2, 3}, {4, 5, 6}, 0.5f, 0.5f, true};
    s.plan.colours[size_t(object)][1] = earlier;
    EXPECT_TRUE(colour_then("", "prop_ok"));
    EXPECT_EQ(slot(1), earlier);
}

TEST_F(ObjectColoursTest, AGivenColourSurvivesSaveAndLoad)
{
    ASSERT_TRUE(colour_then("Bordeaux", "prop_ok"));
    const ColourSlot given = slot(1);
    const auto file = folder.path() / "coloured.qlm";
    editor.prompts.files = {file};
    editor.trigger(command::save_as);
    ASSERT_TRUE(std::filesystem::exists(file));

    s.plan.colours[size_t(object)][1] = ColourSlot{};
    w.files().open(file);
    ASSERT_EQ(s.plan.nb_objets, 1);
    EXPECT_EQ(s.plan.colours[1][1], given);
    EXPECT_FALSE(s.plan.colours[1][3].given);
}
