// Always on top and half transparent: the start-up rules for the stored states and the two
// picture buttons of the main window.
#include "fixtures.h"

#include <QWindow>

#include <optional>

namespace {

using platform::MessageIcon;

const std::string kKey = "HKCU\\Software\\Pellorin\\Corvane\\4.0";

struct AppearanceWindow : MainWindowHarness {
    // Five twips a pixel, so that onTopButton's ten-twip step shows in pixels.
    AppearanceWindow() {
        f.screen->tpp = 5;
        mainWindow = std::make_unique<MainWindow>(f.services);
    }

    /// Starts with both options stored as given (nothing: the value is missing).
    void startWith(std::optional<std::uint32_t> stored) {
        storeDefaults(*f.registry);
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
    bool onTop() const { return mainWindow->windowFlags().testFlag(Qt::WindowStaysOnTopHint); }
    int alpha() const { return static_cast<int>(mainWindow->windowOpacity() * 255.0); }
    /// onTopButton's place in pixels at 5 twips a pixel for its normal and its on-top place.
    static QPoint onTopButtonPlace(bool up) { return up ? QPoint(68, 123) : QPoint(70, 131); }
};

struct AppearanceTest : ::testing::Test, AppearanceWindow {};

TEST_F(AppearanceTest, StartUpRulesAndTwoClicksOnEachButton) {
    struct Case {
        std::optional<std::uint32_t> stored;
        int picture; ///< the list picture shown after start-up, 0 for the design picture
    };
    const Case cases[] = {{1, 2}, {0, 1}, {2, 0}, {0xFFFFFFFFu, 0}, {std::nullopt, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? static_cast<long long>(*c.stored) : -99);
        AppearanceWindow w;
        w.startWith(c.stored);
        MainWindow& form = *w.mainWindow;
        const bool on = c.picture == 2;
        EXPECT_EQ(form.buttons.onTopButton->picture(), c.picture);
        EXPECT_EQ(form.buttons.transparencyButton->picture(), c.picture);
        EXPECT_EQ(form.buttons.onTopButton->pos(), onTopButtonPlace(on));
        EXPECT_EQ(w.onTop(), on);
        EXPECT_EQ(w.alpha(), on ? 128 : 255);
        EXPECT_EQ(w.stored("Ontop"), c.stored); // start-up writes nothing back

        // The first click reverses the state it finds and stores it; the second brings all back.
        for (int click = 1; click <= 2; ++click) {
            form.toggleOnTop();
            form.toggleTransparency();
            const bool nowOn = c.picture == 0 ? false : (on != (click == 1));
            const std::optional<std::uint32_t> expected =
                c.picture == 0 ? c.stored : std::optional<std::uint32_t>(nowOn ? 1 : 0);
            EXPECT_EQ(form.buttons.onTopButton->picture(), c.picture == 0 ? 0 : (nowOn ? 2 : 1)) << click;
            EXPECT_EQ(form.buttons.transparencyButton->picture(), c.picture == 0 ? 0 : (nowOn ? 2 : 1))
                << click;
            EXPECT_EQ(form.buttons.onTopButton->pos(), onTopButtonPlace(nowOn)) << click;
            EXPECT_EQ(w.onTop(), nowOn) << click;
            EXPECT_EQ(w.alpha(), nowOn ? 128 : 255) << click;
            EXPECT_EQ(w.stored("Ontop"), expected) << click;
            EXPECT_EQ(w.stored("tpme"), expected) << click;
        }
        EXPECT_TRUE(w.f.messages->shown.empty());
    }
}

TEST_F(AppearanceTest, AnEmptyTitleStaysEmptyInEachNativeWindowTheBandMakes) {
    startWith(1);
    mainWindow->show();
    std::vector<unsigned long long>& cleared = f.screen->titlesCleared;
    // The last word goes to the window that shows the main window now.
    const auto clearedLast = [&] {
        return !cleared.empty() && cleared.back() == mainWindow->windowHandle()->winId();
    };
    mainWindow->setWindowTitle(QString()); // the figures switched off
    EXPECT_TRUE(clearedLast());
    for (const bool on : {false, true}) {
        SCOPED_TRACE(on);
        cleared.clear();
        mainWindow->toggleOnTop();
        EXPECT_EQ(onTop(), on);
        EXPECT_TRUE(clearedLast());
        cleared.clear();
        mainWindow->setWindowTitle(QString()); // an Apply with the figures off
        EXPECT_TRUE(clearedLast());
    }
    // A title with the figures is left to the toolkit.
    mainWindow->setWindowTitle(QStringLiteral(" Mem 512  CPU 3%"));
    cleared.clear();
    mainWindow->toggleOnTop();
    EXPECT_TRUE(cleared.empty());
}

TEST_F(AppearanceTest, ButtonsCarryTheirToolTipsAndADesignPictureOfTheirOwn) {
    EXPECT_EQ(mainWindow->buttons.onTopButton->toolTip(), "Always On Top");
    EXPECT_EQ(mainWindow->buttons.transparencyButton->toolTip(), "Window Transparent / Opaque.");
    const QImage design6 = mainWindow->buttons.onTopButton->pixmap().toImage();
    const QImage design10 = mainWindow->buttons.transparencyButton->pixmap().toImage();
    for (int picture : {1, 2}) {
        mainWindow->buttons.onTopButton->setPicture(picture);
        mainWindow->buttons.transparencyButton->setPicture(picture);
        EXPECT_NE(mainWindow->buttons.onTopButton->pixmap().toImage(), design6) << picture;
        EXPECT_NE(mainWindow->buttons.transparencyButton->pixmap().toImage(), design10) << picture;
    }
}

TEST_F(AppearanceTest, TransparencyRefusedShowsTheBareNumberAfterThePictureChanged) {
    startWith(0);
    f.screen->opacityFailure = 95;
    mainWindow->toggleTransparency();
    EXPECT_EQ(f.messages->shown, fakes::oneBox("95", MessageIcon::Exclamation));
    EXPECT_EQ(mainWindow->buttons.transparencyButton->picture(), 2);
    EXPECT_EQ(alpha(), 255);
    EXPECT_EQ(stored("tpme"), 0u);
}

} // namespace
