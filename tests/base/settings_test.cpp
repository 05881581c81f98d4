#include <gtest/gtest.h>

#include "base/app_dir.h"
#include "base/settings.h"

using namespace halvern;

TEST(Settings, DefaultsBeforeAnythingIsRead)
{
    Settings s = Settings::defaults("/opt/halvern");
    EXPECT_EQ(s.import_path, "/opt/halvern");
    EXPECT_EQ(s.doc_path, "/opt/halvern");
    EXPECT_EQ(s.export_path, "/opt/halvern");
    EXPECT_EQ(s.lang, "en");
    EXPECT_EQ(s.config_player, 0);
    EXPECT_EQ(s.view_qualite, 1);
    EXPECT_EQ(s.view_qualite_tr, 0);
}

TEST(Settings, ReadRules)
{
    MemorySettingsStore store;
    store.values = {{"config_player", "1,0"}, {"view_qualite", ""}, {"view_qualite_tr", "abc"},
                    {"lang", "de"}, {"doc_path", "/home/u/stands"}, {"Import_path", ""}};
    Settings s = Settings::defaults("/app");
    read_settings(store, s);
    EXPECT_EQ(s.config_player, 1);   // a comma is a decimal point
    EXPECT_EQ(s.view_qualite, 1);    // empty leaves the default
    EXPECT_EQ(s.view_qualite_tr, 0); // no number gives 0
    EXPECT_EQ(s.lang, "de");         // kept as it is
    EXPECT_EQ(s.doc_path, "/home/u/stands");
    EXPECT_EQ(s.import_path, "/app");
    EXPECT_EQ(s.export_path, "/app"); // absent
}

TEST(Settings, UnparsableNumberOverridesTheDefaultWithZero)
{
    MemorySettingsStore store;
    store.values = {{"view_qualite", "yes"}};
    Settings s;
    read_settings(store, s);
    EXPECT_EQ(s.view_qualite, 0);
}

TEST(Settings, StoreWritesAllSevenKeysAndReadsBack)
{
    MemorySettingsStore store;
    Settings s = Settings::defaults("/a");
    s.lang = "fr";
    s.config_player = 1;
    s.view_qualite = 0;
    s.doc_path = "/d\xC3\xA9j\xC3\xA0";
    ASSERT_TRUE(store_settings(store, s).ok());
    EXPECT_EQ(store.values.size(), 7u);
    EXPECT_EQ(store.values["config_player"], "1");
    EXPECT_EQ(store.values["view_qualite"], "0");
    EXPECT_EQ(store.values["view_qualite_tr"], "0");
    EXPECT_EQ(store.values["lang"], "fr");

    Settings back = Settings::defaults("/other");
    read_settings(store, back);
    EXPECT_EQ(back.doc_path, s.doc_path);
    EXPECT_EQ(back.import_path, "/a");
    EXPECT_EQ(back.lang, "fr");
    EXPECT_EQ(back.config_player, 1);
    EXPECT_EQ(back.view_qualite, 0);
}

TEST(AppDir, OptionThenEnvironmentThenExecutableFolder)
{
    EXPECT_EQ(find_app_dir(std::string(" /opt/a "), std::string("/env"), "/exe"), "/opt/a");
    EXPECT_EQ(find_app_dir(std::nullopt, std::string("/env\t"), "/exe"), "/env");
    EXPECT_EQ(find_app_dir(std::nullopt, std::string("  "), "/exe"), "/exe");
    EXPECT_EQ(find_app_dir(std::nullopt, std::nullopt, "/exe"), "/exe");
}

TEST(SettingsStore, OwnGroupsAreKeptApartFromTheSevenKeys)
{
    MemorySettingsStore store;
    EXPECT_TRUE(views_open_in_program(store));
    set_views_open_in_program(store, false);
    EXPECT_FALSE(views_open_in_program(store));
    EXPECT_EQ(store.values.count("viewer"), 0u); // nothing in "Current"
    EXPECT_EQ(store.values["View3D/viewer"], "desktop");
    store.write_in_group("Current", "viewer", "x");
    EXPECT_EQ(store.read_in_group("Current", "viewer"), "");
    store.write_in_group("View3D", "viewer", "anything else");
    EXPECT_TRUE(views_open_in_program(store)); // only "desktop" sends the views away
}
