// The main window's caption in the native windows that show it, and the looks of its two
// toggling picture buttons. Their rules are the core's (tests/core/window_appearance_test.cpp).
#include "fixtures.h"

#include <QWindow>

#include <vector>

namespace {

const std::string kKey = "HKCU\\Software\\Pellorin\\Corvane\\4.0";

struct AppearanceTest : MainWindowTest {
    /// Starts with both options stored as given.
    void startWith(std::uint32_t stored) {
        storeDefaults(*f.registry);
        f.registry->setDword(kKey, "Ontop", stored);
        f.registry->setDword(kKey, "tpme", stored);
        mainWindow->load();
    }
    bool onTop() const { return mainWindow->windowFlags().testFlag(Qt::WindowStaysOnTopHint); }
};

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
        mainWindow->core().toggleOnTop();
        EXPECT_EQ(onTop(), on);
        EXPECT_TRUE(clearedLast());
        cleared.clear();
        mainWindow->setWindowTitle(QString()); // an Apply with the figures off
        EXPECT_TRUE(clearedLast());
    }
    // A title with the figures is left to the toolkit.
    mainWindow->setWindowTitle(QStringLiteral(" Mem 512  CPU 3%"));
    cleared.clear();
    mainWindow->core().toggleOnTop();
    EXPECT_TRUE(cleared.empty());
}

TEST_F(AppearanceTest, Caption_TheTitlesNoticesAreStoppedOnceForTheWindowThatHasIt) {
    startWith(0);
    for (const double sample : {5.4, 12.5}) {
        f.figures->sample = sample;
        mainWindow->core().sampleCpu();
        mainWindow->core().showFigures();
    }
    EXPECT_EQ(mainWindow->windowTitle(), " Mem 512  CPU 12%");
    EXPECT_EQ(f.screen->quieted, (std::vector<unsigned long long>{mainWindow->internalWinId()}));
}

TEST_F(AppearanceTest, ButtonsCarryTheirToolTipsAndADesignPictureOfTheirOwn) {
    auto* onTop = control<qtshell::PictureButton>(mainWindow.get(), "onTopButton");
    auto* transparency = control<qtshell::PictureButton>(mainWindow.get(), "transparencyButton");
    EXPECT_EQ(onTop->toolTip(), "Always On Top");
    EXPECT_EQ(transparency->toolTip(), "Window Transparent / Opaque.");
    const QImage design6 = onTop->pixmap().toImage();
    const QImage design10 = transparency->pixmap().toImage();
    for (int picture : {1, 2}) {
        onTop->setPicture(picture);
        transparency->setPicture(picture);
        EXPECT_NE(onTop->pixmap().toImage(), design6) << picture;
        EXPECT_NE(transparency->pixmap().toImage(), design10) << picture;
    }
}

} // namespace
