#include "shell/qt/display_platform.h"

#include <gtest/gtest.h>

namespace {

struct SessionCase {
    const char* what;
    qtshell::SessionEnvironment session;
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
        EXPECT_EQ(qtshell::chooseDisplayPlatform(c.session), QByteArray(c.platform)) << c.what;
    }
}

TEST(DisplayPlatform_Limits, EachSessionSaysWhatItCannotDo) {
    const struct {
        const char* what;
        const char* platform;
        qtshell::SessionEnvironment session;
        const char* says; // empty: nothing to say
    } cases[] = {
        {"X11 session", "xcb", {"", "", ":0", "x11"}, ""},
        {"XWayland", "xcb", {"", "wayland-0", ":1", ""}, "XWayland in a Wayland session"},
        {"XWayland, known by the session type",
         "xcb",
         {"", "", ":1", "wayland"},
         "XWayland in a Wayland session"},
        {"native Wayland", "wayland", {"", "wayland-0", "", "wayland"}, "native Wayland client"},
        {"Wayland by the user's choice",
         "wayland-egl",
         {"wayland-egl", "wayland-0", ":1", "wayland"},
         "native Wayland client"},
        {"no display at all", "offscreen", {"offscreen", "", "", ""}, ""},
    };
    for (const auto& c : cases) {
        const QString limits = qtshell::platformLimits(QString::fromLatin1(c.platform), c.session);
        EXPECT_EQ(limits.isEmpty(), *c.says == '\0') << c.what;
        EXPECT_TRUE(limits.contains(QLatin1String(c.says))) << c.what;
    }
}

} // namespace
