// The About window's blocking order, the windows tied to the Options window, the links to the help page and
// the maker's site, and the hover table of the picture buttons.
#include "core/about_window.h"
#include "core/help_and_site.h"
#include "core/hover_pictures.h"
#include "core_fixture.h"

#include <algorithm>
#include <map>

namespace {

using core::ButtonLook;
using core::HoverButton;
using core::HoverSurface;
using core::Window;

struct RecordingBlocker final : core::WindowBlocker {
    std::vector<std::pair<Window, bool>> blocked; ///< with createMissing
    std::vector<Window> freed;
    void block(Window w, Window by, bool createMissing) override {
        EXPECT_EQ(by, Window::About);
        blocked.emplace_back(w, createMissing);
    }
    void free(Window w) override { freed.push_back(w); }
};

struct FakeAbout final : core::AboutWindowView {
    std::vector<core::AboutLook> looks;
    void showLook(core::AboutLook look) override { looks.push_back(look); }
};

TEST_F(CoreFixture, About_BlocksTheThreeWindowsMakingMissingOnesAndFreesThemInOrder) {
    FakeAbout view;
    RecordingBlocker blocker;
    core::AboutWindow about(view, f.services, blocker);
    about.load();
    about.activate();
    EXPECT_EQ(view.looks, (std::vector<core::AboutLook>{core::AboutLook::Loading, core::AboutLook::Active}));
    EXPECT_EQ(blocker.blocked,
              (std::vector<std::pair<Window, bool>>{
                  {Window::Main, true}, {Window::Options, true}, {Window::AlertEditor, true}}));
    about.unload();
    EXPECT_EQ(blocker.freed, (std::vector<Window>{Window::Main, Window::Options, Window::AlertEditor}));
}

/// The hidden windows, and what was closed, in order.
struct RecordingCloser final : core::WindowCloser {
    std::vector<Window> hidden;
    std::vector<Window> closed;
    bool isHidden(Window w) override { return std::find(hidden.begin(), hidden.end(), w) != hidden.end(); }
    void close(Window w) override { closed.push_back(w); }
};

TEST(TiedWindows, AHiddenAlertEditorGoesWithTheOptionsWindowOnly) {
    const struct {
        Window closing;
        std::vector<Window> hidden;
        std::vector<Window> closed;
    } cases[] = {
        {Window::Options, {Window::AlertEditor}, {Window::AlertEditor}},
        {Window::Options, {Window::ProgramEditor, Window::About}, {}}, // the alert editor shown, or not there
        {Window::About, {Window::AlertEditor}, {}},
        {Window::AlertEditor, {Window::Options}, {}},
    };
    for (const auto& c : cases) {
        RecordingCloser closer;
        closer.hidden = c.hidden;
        core::closeTiedWindows(closer, c.closing);
        EXPECT_EQ(closer.closed, c.closed) << static_cast<int>(c.closing);
    }
}

TEST_F(CoreFixture, Links_HelpPageWarnsAtOrBelow32AndTheSiteTellsItsFailure) {
    const struct {
        int result;
        bool warned;
    } cases[] = {{42, false}, {33, false}, {32, true}, {2, true}, {0, true}};
    for (const auto& c : cases) {
        f.launcher->files.clear();
        f.messages->shown.clear();
        f.launcher->openFileResult = c.result;
        EXPECT_EQ(core::openHelpFile(f.services), !c.warned);
        EXPECT_EQ(f.launcher->files, std::vector<std::string>{"/opt/corvane/share/corvane/corvanehelp.htm"});
        EXPECT_EQ(
            f.messages->shown,
            c.warned ? fakes::oneBox("The help file is not installed correctly.Please Reinstall the program.",
                                     platform::MessageIcon::Exclamation)
                     : std::vector<fakes::RecordedMessage>{})
            << c.result;
    }
    f.messages->shown.clear();
    EXPECT_TRUE(core::openMakerSite(f.services));
    f.launcher->failUrl = true;
    EXPECT_FALSE(core::openMakerSite(f.services));
    EXPECT_EQ(f.launcher->urls, (std::vector<std::string>(2, core::kMakerSite)));
    ASSERT_EQ(f.messages->shown.size(), 1u);
    EXPECT_TRUE(f.messages->shown[0].text.starts_with(std::string("The web site ") + core::kMakerSite));
}

struct FakeButtons final : core::HoverView {
    std::map<HoverButton, ButtonLook> looks;
    std::vector<HoverButton> order;
    void showButtonPicture(HoverButton button, ButtonLook look) override {
        looks[button] = look;
        order.push_back(button);
    }
};

TEST(HoverTable, ButtonsLightUpAndOnlyTheirSurfaceRestoresThemInOrder) {
    FakeButtons view;
    for (HoverButton b : {HoverButton::ApplyAutostart, HoverButton::ApplyFigures, HoverButton::ApplySchedule,
                          HoverButton::AlertOk, HoverButton::ProgramOk, HoverButton::WebAddressOk}) {
        core::highlightButton(view, b);
    }
    EXPECT_EQ(view.looks,
              (std::map<HoverButton, ButtonLook>{{HoverButton::ApplyAutostart, ButtonLook::Highlighted},
                                                 {HoverButton::ApplyFigures, ButtonLook::Highlighted},
                                                 {HoverButton::ApplySchedule, ButtonLook::Highlighted},
                                                 {HoverButton::AlertOk, ButtonLook::Highlighted},
                                                 {HoverButton::ProgramOk, ButtonLook::Highlighted},
                                                 {HoverButton::WebAddressOk, ButtonLook::Highlighted}}));
    const struct {
        HoverSurface surface;
        std::vector<HoverButton> restored; // in order
    } surfaces[] = {
        {HoverSurface::OptionsPage, {HoverButton::ApplyAutostart, HoverButton::ApplyFigures}},
        {HoverSurface::SchedulePage, {HoverButton::ApplySchedule}},
        {HoverSurface::AlertEditor, {HoverButton::AlertOk}},
        {HoverSurface::ProgramFrame, {HoverButton::ProgramOk}},
        {HoverSurface::WebAddressFrame, {HoverButton::WebAddressOk}},
    };
    for (const auto& s : surfaces) {
        view.order.clear();
        core::restoreButtons(view, s.surface);
        EXPECT_EQ(view.order, s.restored);
        for (HoverButton b : s.restored) {
            EXPECT_EQ(view.looks[b], ButtonLook::Normal);
        }
    }
}

} // namespace
