#include <gtest/gtest.h>

#include <QSettings>
#include <QString>
#include <cstdlib>

#include "base/settings.h"
#include "platform/qt_settings_store.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::ScratchDir;

namespace {

// Points the store at a private configuration folder for the life of a test. Qt reads
// XDG_CONFIG_HOME once per process, so the folder is set through QSettings itself.
class PrivateConfig {
public:
    PrivateConfig() { set(QString::fromStdString(dir_.path().string())); }
    ~PrivateConfig()
    {
        const char* home = std::getenv("XDG_CONFIG_HOME");
        set(home ? QString(home) : QString());
    }
    static void set(const QString& path)
    {
        for (auto format : {QSettings::NativeFormat, QSettings::IniFormat, settings_file_format()})
            QSettings::setPath(format, QSettings::UserScope, path);
    }
    const ScratchDir& dir() const { return dir_; }

private:
    ScratchDir dir_;
};

} // namespace

TEST(QtSettingsStore, LivesInTheQuilmaEditorFileOfTheConfigFolder)
{
    PrivateConfig config;
    QtSettingsStore store;
    EXPECT_EQ(store.file(), config.dir() / "Quilma Editor" / "Quilma Editor.conf");
}

TEST(QtSettingsStore, StoredSettingsReadBackInAnotherRun)
{
    PrivateConfig config;
    Settings s = Settings::defaults("/app");
    s.doc_path = "/home/user/My stands, 2026";
    s.lang = "fr";
    s.config_player = 1;
    s.view_qualite_tr = 1;
    {
        QtSettingsStore store;
        ASSERT_TRUE(store_settings(store, s).ok());
    }
    QtSettingsStore again;
    Settings back = Settings::defaults("/elsewhere");
    read_settings(again, back);
    EXPECT_EQ(back.doc_path, s.doc_path);
    EXPECT_EQ(back.lang, "fr");
    EXPECT_EQ(back.config_player, 1);
    EXPECT_EQ(back.view_qualite, 1);
    EXPECT_EQ(back.view_qualite_tr, 1);
    EXPECT_EQ(back.import_path, "/app");
}

TEST(QtSettingsStore, HandWrittenCommaValueIsJoinedBack)
{
    PrivateConfig config;
    config.dir().write("Quilma Editor/Quilma Editor.conf",
                       "[Current]\nconfig_player=1,0\nlang=de\nview_qualite=\ndoc_path=/a,b\n");
    QtSettingsStore store;
    EXPECT_EQ(store.read("config_player"), "1,0");
    Settings s = Settings::defaults("/app");
    read_settings(store, s);
    EXPECT_EQ(s.config_player, 1);
    EXPECT_EQ(s.lang, "de");
    EXPECT_EQ(s.view_qualite, 1);
    EXPECT_EQ(s.doc_path, "/a,b");
}

TEST(QtSettingsStore, AStrayQuoteSpoilsItsOwnLineOnly)
{
    PrivateConfig config;
    config.dir().write("Quilma Editor/Quilma Editor.conf",
                       "[Current]\nImport_path=\"/home/ann/pictures\nlang=fr\nconfig_player=1\ndoc_path=/home/ann\n"
                       "[Recent]\ndesigns=/a.qlm, \"/b, c.qlm\"\n");
    QtSettingsStore store;
    Settings s = Settings::defaults("/app");
    read_settings(store, s);
    EXPECT_EQ(s.import_path, "/home/ann/pictures");
    EXPECT_EQ(s.lang, "fr");
    EXPECT_EQ(s.config_player, 1);
    EXPECT_EQ(s.doc_path, "/home/ann");
    // Written back in the same layout, which every other reader of the file still reads.
    s.lang = "en";
    ASSERT_TRUE(store_settings(store, s).ok());
    QSettings ini(QString::fromStdString(store.file().string()), QSettings::IniFormat);
    EXPECT_EQ(ini.value("Current/lang").toString(), "en");
    EXPECT_EQ(ini.value("Current/Import_path").toString(), "/home/ann/pictures");
    EXPECT_EQ(ini.value("Recent/designs").toStringList(), (QStringList{"/a.qlm", "/b, c.qlm"}));
}

TEST(QtSettingsStore, UnwritableStoreIsReported)
{
    PrivateConfig config;
    // A file where the store's folder should be: nothing can be saved.
    config.dir().write("Quilma Editor", "not a folder");
    QtSettingsStore store;
    EXPECT_FALSE(store_settings(store, Settings::defaults("/app")).ok());
}

TEST(QtSettingsStore, TheViewerChoiceLivesInAGroupOfItsOwn)
{
    PrivateConfig config;
    {
        QtSettingsStore store;
        EXPECT_TRUE(views_open_in_program(store)); // the default: this program
        set_views_open_in_program(store, false);
        store.write_in_group("Current", "viewer", "smuggled"); // never among the seven keys
        ASSERT_TRUE(store.flush().ok());
    }
    QtSettingsStore again;
    EXPECT_FALSE(views_open_in_program(again));
    QSettings file(QString::fromStdString(again.file().string()), QSettings::IniFormat);
    EXPECT_EQ(file.value("View3D/viewer").toString(), "desktop");
    EXPECT_FALSE(file.contains("Current/viewer"));
    set_views_open_in_program(again, true);
    EXPECT_TRUE(views_open_in_program(again));
}
