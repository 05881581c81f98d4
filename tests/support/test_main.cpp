// The main() of every test binary.

#include <gmock/gmock.h>

#include <cstdlib>

#include "support/test_support.h"

int main(int argc, char** argv)
{
    // Settings written by a test land in a folder of the test run, never in the user's own.
    halvern::testing::ScratchDir config;
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    // So do the unsaved designs kept aside.
    halvern::testing::ScratchDir data;
    // A test that runs this binary as a second process hands it its own folder.
    const char* shared = std::getenv("HALVERN_TEST_DATA_HOME");
    setenv("XDG_DATA_HOME", shared ? shared : data.path().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    unsetenv("HALVERN_APP_DIR");
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
