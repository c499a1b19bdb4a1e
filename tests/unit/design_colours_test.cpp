// Text colours that read on their backgrounds.
#include "shell/qt/design_colours.h"

#include <gtest/gtest.h>

TEST(DesignColours, ReadableOn_KeepsAReadableColourElseTheNearestShadeOfItsHue) {
    struct Case {
        const char* what;
        QColor text;
        QColor background;
        bool kept;
    };
    const Case cases[] = {
        {"orange figures on a light theme", QColor(255, 128, 0), Qt::white, false},
        {"orange figures on a dark theme", QColor(255, 128, 0), QColor(53, 53, 53), true},
        {"the tab bar's blue on itself", QColor(96, 143, 224), QColor(96, 143, 224), false},
        {"dark grey on a dark theme", QColor(64, 64, 64), QColor(53, 53, 53), false},
        {"black on the design background", Qt::black, QColor(166, 193, 232), true},
    };
    for (const Case& c : cases) {
        const QColor shade = qtshell::readableOn(c.text, c.background);
        EXPECT_GE(qtshell::contrastRatio(shade, c.background), qtshell::kReadableContrast) << c.what;
        EXPECT_EQ(shade == c.text, c.kept) << c.what;
        if (!c.kept && c.text.hslSaturation() > 0) {
            EXPECT_NEAR(shade.hslHue(), c.text.hslHue(), 2) << c.what;
            // The nearest: a shade closer to the original would not read.
            const int back = shade.lightness() < c.text.lightness() ? 1 : -1;
            const QColor closer =
                QColor::fromHsl(shade.hslHue(), shade.hslSaturation(), shade.lightness() + 2 * back);
            EXPECT_LT(qtshell::contrastRatio(closer, c.background), qtshell::kReadableContrast) << c.what;
        }
    }
}
