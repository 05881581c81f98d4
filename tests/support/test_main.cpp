// The main() of every test binary.

#include <gmock/gmock.h>

#include <cstdlib>

#include "support/test_support.h"

int main(int argc, char** argv)
{
    // Settings written by a test land in a folder of the test run, never in the user's own.
    halvern::testing::ScratchDir config;
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    unsetenv("HALVERN_APP_DIR");
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
