#include "app/display_platform.h"

#include <gtest/gtest.h>

namespace {

struct SessionCase {
    const char* what;
    SessionEnvironment session;
    const char* platform;
};

TEST(DisplayPlatform_Choose, SessionsAndChoices) {
    const SessionCase cases[] = {
        {"X11 session", {"", "", ":0", "x11"}, ""},
        {"Wayland with XWayland", {"", "wayland-0", ":1", ""}, "xcb"},
        {"Wayland without XWayland", {"", "wayland-0", "", "wayland"}, "wayland"},
        {"user chose Wayland", {"wayland", "wayland-0", ":1", "wayland"}, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(chooseDisplayPlatform(c.session), QByteArray(c.platform)) << c.what;
    }
}

} // namespace
