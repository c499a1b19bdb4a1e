// The windows with designed colours under a dark desktop theme: every text on a designed
// background keeps a colour that reads on it.
#include "editors/form3.h"
#include "editors/form6.h"
#include "editors/form7.h"
#include "fixtures.h"
#include "settings/form2.h"

#include <QGroupBox>
#include <QLabel>

namespace {

double Luminance(const QColor& c) {
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

/// Every label and frame title of a window: its text against the background it is drawn on.
void ExpectReadableTexts(QWidget* window, const char* name) {
    int texts = 0;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const bool label = qobject_cast<QLabel*>(w) != nullptr && !static_cast<QLabel*>(w)->text().isEmpty();
        if (!label && qobject_cast<QGroupBox*>(w) == nullptr) {
            continue;
        }
        ++texts;
        const QPalette& p = w->palette();
        // 3: the least contrast of large or bold text; the theme's light text on the design is 1.6.
        EXPECT_GE(Contrast(p.color(QPalette::WindowText), p.color(QPalette::Window)), 3.0)
            << name << ": " << w->metaObject()->className() << " " << w->accessibleName().toStdString();
    }
    EXPECT_GT(texts, 0) << name;
}

struct DarkTheme {
    QPalette saved = QApplication::palette();
    DarkTheme() {
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
        dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xec));
        dark.setColor(QPalette::Base, QColor(0x2d, 0x2d, 0x2d));
        dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xec));
        QApplication::setPalette(dark);
    }
    ~DarkTheme() { QApplication::setPalette(saved); }
};

struct DarkThemeTest : LoadedMainWindowTest {
    DarkTheme theme;
};

} // namespace

TEST_F(DarkThemeTest, DesignedWindows_TextsReadOnTheirBackgrounds) {
    form1->Options_Click();
    ExpectReadableTexts(form1->form2(), "Options and Schedule Task");

    QComboBox kindBox;
    ScheduledTask task;
    EditorHolder<Form3> form3{new Form3(f.services, task, QString(), {}, &kindBox)};
    EditorHolder<Form6> form6{new Form6(f.services, task, {}, &kindBox)};
    EditorHolder<Form7> form7{new Form7(f.services, task, {}, &kindBox)};
    ExpectReadableTexts(form3.get(), "alert editor");
    ExpectReadableTexts(form6.get(), "web address editor");
    ExpectReadableTexts(form7.get(), "program editor");
}
