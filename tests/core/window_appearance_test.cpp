// Always on top and half transparent: the start-up rules for the stored states and the two
// picture buttons of the main window.
#include "core_fixture.h"

#include <optional>
#include <utility>

namespace {

using platform::MessageIcon;

const std::string kKey = "HKCU\\Software\\Pellorin\\Corvane\\4.0";

struct AppearanceWindow : MainWindowCoreHarness {
    /// Starts with both options stored as given (nothing: the value is missing).
    void startWith(std::optional<std::uint32_t> stored) {
        storeDefaultOptions(*f.registry);
        for (const char* name : {"Ontop", "tpme"}) {
            if (stored) {
                f.registry->setDword(kKey, name, *stored);
            } else {
                f.registry->removeValue(kKey, name);
            }
        }
        mainWindow->load();
    }
    std::optional<std::uint32_t> stored(const char* name) const { return f.registry->dword(kKey, name); }
    /// onTopButton's place in twips.
    std::pair<double, double> onTopButton() const { return {view.onTopLeft, view.onTopTop}; }
    /// onTopButton's place in twips for its normal and its on-top place.
    static std::pair<double, double> onTopButtonPlace(bool up) {
        return up ? std::pair(340.0, 616.0) : std::pair(350.0, 656.0);
    }
};

struct AppearanceTest : ::testing::Test, AppearanceWindow {};

TEST_F(AppearanceTest, StartUpRulesAndTwoClicksOnEachButton) {
    struct Case {
        std::optional<std::uint32_t> stored;
        core::ToggleLook look; ///< shown after start-up
    };
    using enum core::ToggleLook;
    const Case cases[] = {{1, On}, {0, Off}, {2, Design}, {0xFFFFFFFFu, Design}, {std::nullopt, Design}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? static_cast<long long>(*c.stored) : -99);
        AppearanceWindow w;
        w.startWith(c.stored);
        const bool on = c.look == On;
        EXPECT_EQ(w.view.onTopPicture, c.look);
        EXPECT_EQ(w.view.transparencyPicture, c.look);
        EXPECT_EQ(w.onTopButton(), onTopButtonPlace(on));
        EXPECT_EQ(w.view.onTop, on);
        EXPECT_EQ(w.view.alpha, on ? 128 : 255);
        // Opaque from a stored 0 is layered at full opacity too; no stored state, no layering.
        EXPECT_EQ(w.view.layered, c.look != Design);
        EXPECT_EQ(w.stored("Ontop"), c.stored); // start-up writes nothing back

        // The first click reverses the state it finds and stores it; the second brings all back.
        for (int click = 1; click <= 2; ++click) {
            w.mainWindow->toggleOnTop();
            w.mainWindow->toggleTransparency();
            const bool nowOn = c.look == Design ? false : (on != (click == 1));
            const std::optional<std::uint32_t> expected =
                c.look == Design ? c.stored : std::optional<std::uint32_t>(nowOn ? 1 : 0);
            const core::ToggleLook nowLook = c.look == Design ? Design : (nowOn ? On : Off);
            EXPECT_EQ(w.view.onTopPicture, nowLook) << click;
            EXPECT_EQ(w.view.transparencyPicture, nowLook) << click;
            EXPECT_EQ(w.onTopButton(), onTopButtonPlace(nowOn)) << click;
            EXPECT_EQ(w.view.onTop, nowOn) << click;
            EXPECT_EQ(w.view.alpha, nowOn ? 128 : 255) << click;
            EXPECT_EQ(w.view.layered, c.look != Design) << click;
            EXPECT_EQ(w.stored("Ontop"), expected) << click;
            EXPECT_EQ(w.stored("tpme"), expected) << click;
        }
        EXPECT_TRUE(w.f.messages->shown.empty());
    }
}

TEST_F(AppearanceTest, TransparencyRefusedShowsTheBareNumberAfterThePictureChanged) {
    startWith(0);
    f.screen->opacityFailure = 95;
    mainWindow->toggleTransparency();
    EXPECT_EQ(f.messages->shown, fakes::oneBox("95", MessageIcon::Exclamation));
    EXPECT_EQ(view.transparencyPicture, core::ToggleLook::On);
    EXPECT_EQ(view.alpha, 255);
    EXPECT_EQ(stored("tpme"), 0u);
}

} // namespace
