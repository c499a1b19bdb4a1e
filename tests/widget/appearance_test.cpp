// Always on top and half transparent: the start-up rules for the stored states and the two
// picture buttons of the main window.
#include "fixtures.h"

#include <optional>

namespace {

using platform::MessageIcon;

const std::string kKey = "HKCU\\Software\\Pellorin\\Corvane\\4.0";

struct AppearanceWindow : MainWindow {
    // Five twips a pixel, so that Image6's ten-twip step shows in pixels.
    AppearanceWindow() {
        f.screen->tpp = 5;
        form1 = std::make_unique<Form1>(f.services);
    }

    /// Starts with both options stored as given (nothing: the value is missing).
    void startWith(std::optional<std::uint32_t> stored) {
        StoreDefaults(*f.registry);
        for (const char* name : {"Ontop", "tpme"}) {
            if (stored) {
                f.registry->setDword(kKey, name, *stored);
            } else {
                f.registry->removeValue(kKey, name);
            }
        }
        form1->Form_Load();
    }
    std::optional<std::uint32_t> stored(const char* name) const { return f.registry->dword(kKey, name); }
    bool onTop() const { return form1->windowFlags().testFlag(Qt::WindowStaysOnTopHint); }
    int alpha() const { return static_cast<int>(form1->windowOpacity() * 255.0); }
    /// Image6's place in pixels at 5 twips a pixel for its normal and its on-top place.
    static QPoint Image6Place(bool up) { return up ? QPoint(68, 123) : QPoint(70, 131); }
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
        Form1& form = *w.form1;
        const bool on = c.picture == 2;
        EXPECT_EQ(form.Image6->picture(), c.picture);
        EXPECT_EQ(form.Image10->picture(), c.picture);
        EXPECT_EQ(form.Image6->pos(), Image6Place(on));
        EXPECT_EQ(w.onTop(), on);
        EXPECT_EQ(w.alpha(), on ? 128 : 255);
        EXPECT_EQ(w.stored("Ontop"), c.stored); // start-up writes nothing back

        // The first click reverses the state it finds and stores it; the second brings all back.
        for (int click = 1; click <= 2; ++click) {
            form.Image6_Click();
            form.Image10_Click();
            const bool nowOn = c.picture == 0 ? false : (on != (click == 1));
            const std::optional<std::uint32_t> expected =
                c.picture == 0 ? c.stored : std::optional<std::uint32_t>(nowOn ? 1 : 0);
            EXPECT_EQ(form.Image6->picture(), c.picture == 0 ? 0 : (nowOn ? 2 : 1)) << click;
            EXPECT_EQ(form.Image10->picture(), c.picture == 0 ? 0 : (nowOn ? 2 : 1)) << click;
            EXPECT_EQ(form.Image6->pos(), Image6Place(nowOn)) << click;
            EXPECT_EQ(w.onTop(), nowOn) << click;
            EXPECT_EQ(w.alpha(), nowOn ? 128 : 255) << click;
            EXPECT_EQ(w.stored("Ontop"), expected) << click;
            EXPECT_EQ(w.stored("tpme"), expected) << click;
        }
        EXPECT_TRUE(w.f.messages->shown.empty());
    }
}

TEST_F(AppearanceTest, ButtonsCarryTheirToolTipsAndADesignPictureOfTheirOwn) {
    EXPECT_EQ(form1->Image6->toolTip(), "Always On Top");
    EXPECT_EQ(form1->Image10->toolTip(), "Window Transparent / Opaque.");
    const QImage design6 = form1->Image6->pixmap().toImage();
    const QImage design10 = form1->Image10->pixmap().toImage();
    for (int picture : {1, 2}) {
        form1->Image6->setPicture(picture);
        form1->Image10->setPicture(picture);
        EXPECT_NE(form1->Image6->pixmap().toImage(), design6) << picture;
        EXPECT_NE(form1->Image10->pixmap().toImage(), design10) << picture;
    }
}

TEST_F(AppearanceTest, TransparencyRefusedShowsTheBareNumberAfterThePictureChanged) {
    startWith(0);
    f.screen->opacityFailure = 95;
    form1->Image10_Click();
    EXPECT_EQ(f.messages->shown, fakes::OneBox("95", MessageIcon::Exclamation));
    EXPECT_EQ(form1->Image10->picture(), 2);
    EXPECT_EQ(alpha(), 255);
    EXPECT_EQ(stored("tpme"), 0u);
}

} // namespace
