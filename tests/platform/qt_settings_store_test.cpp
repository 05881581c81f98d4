#include <gtest/gtest.h>

#include <cstdlib>

#include "base/settings.h"
#include "platform/qt_settings_store.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::ScratchDir;

namespace {

// Points the store at a private configuration folder for the life of a test.
class PrivateConfig {
public:
    PrivateConfig()
    {
        const char* old = std::getenv("XDG_CONFIG_HOME");
        if (old)
            old_ = old;
        setenv("XDG_CONFIG_HOME", dir_.path().c_str(), 1);
    }
    ~PrivateConfig()
    {
        if (old_)
            setenv("XDG_CONFIG_HOME", old_->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
    }
    const ScratchDir& dir() const { return dir_; }

private:
    ScratchDir dir_;
    std::optional<std::string> old_;
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

TEST(QtSettingsStore, UnwritableStoreIsReported)
{
    PrivateConfig config;
    // A file where the store's folder should be: nothing can be saved.
    config.dir().write("Quilma Editor", "not a folder");
    QtSettingsStore store;
    EXPECT_FALSE(store_settings(store, Settings::defaults("/app")).ok());
}
