// The windows' design tables: every control within its surface, no two controls overlapping
// where the design does not overlap them, the status bar's panels sharing out its width.
#include "core/design/about_window_design.h"
#include "core/design/main_window_design.h"
#include "core/design/options_window_design.h"
#include "core/design/schedule_page_design.h"
#include "core/design/task_editors_design.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using core::design::Rect;

struct Placed {
    std::string name;
    Rect place;
};

/// A surface (a window's client area, a page, the tab bar) and the controls on it.
struct Surface {
    const char* name;
    Rect area;
    std::vector<Placed> controls;
    /// The pairs the design overlaps: a frame or group over what it holds, and a few more.
    std::set<std::pair<std::string, std::string>> overlapping;
};

bool within(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right() <= outer.right() &&
           inner.bottom() <= outer.bottom();
}

std::vector<Surface> surfaces() {
    namespace main = core::design::main_window;
    namespace options = core::design::options_window;
    namespace page = core::design::options_page;
    namespace schedule = core::design::schedule_page;
    namespace editors = core::design::task_editors;
    namespace alert = core::design::alert_editor;
    namespace program = core::design::program_editor;
    namespace web = core::design::web_address_editor;

    Surface mainWindow{"main window", {0, 0, main::kClientWidth, main::kClientHeight}, {}, {}};
    const char* const labels[] = {"days",   "days :",     "hours",  "hours :",    "minutes", "Startup Info",
                                  "Date :", "start date", "Time :", "start time", "Now :",   "now"};
    for (std::size_t i = 0; i < main::kLabels.size(); ++i) {
        mainWindow.controls.push_back({labels[i], main::kLabels[i].place});
    }
    mainWindow.controls.insert(mainWindow.controls.end(), {{"phrase", main::kPhrase},
                                                           {"indicator", main::kIndicator},
                                                           {"more/less", main::kMoreLess.place},
                                                           {"on top", main::kOnTop.place},
                                                           {"minimize", main::kMinimize.place},
                                                           {"transparency", main::kTransparency.place}});
    // The phrase group holds the up time's labels. The hours' separator reaches five twips into
    // the minutes, and the buttons at the top edge into their neighbours, as designed.
    mainWindow.overlapping = {{"days", "phrase"},         {"days :", "phrase"},
                              {"hours", "phrase"},        {"hours :", "phrase"},
                              {"minutes", "phrase"},      {"hours :", "minutes"},
                              {"Startup Info", "on top"}, {"Startup Info", "transparency"},
                              {"on top", "minimize"}};

    // An editor's frame overlaps what it holds.
    auto editor = [](const char* name, const editors::Editor& look, std::vector<Placed> controls) {
        controls.push_back({"OK", look.ok});
        Surface surface{name, look.client, {{"frame", look.frame}}, {}};
        for (const Placed& control : controls) {
            surface.controls.push_back(control);
            if (within(control.place, look.frame)) {
                surface.overlapping.insert({"frame", control.name});
            }
        }
        return surface;
    };

    return {
        mainWindow,
        {"Options window",
         {0, 0, options::kWidth, options::kHeight},
         {{"tab bar", options::kTabBar},
          {"Options page", options::kOptionsPage},
          {"Schedule Task page", options::kSchedulePage},
          {"status bar", options::kStatusBar}},
         {{"Options page", "Schedule Task page"}}},
        {"tab bar",
         options::kTabBar,
         {{"Options tab", options::kOptionsTab.button},
          {"Options caption", options::kOptionsTab.caption},
          {"Schedule Task tab", options::kScheduleTab.button},
          {"Schedule Task caption", options::kScheduleTab.caption},
          {"Help", options::kLinks[options::Help].place},
          {"About", options::kLinks[options::About].place},
          {"Web", options::kLinks[options::Web].place}},
         {}},
        {"Options page",
         {0, 0, options::kOptionsPage.width, options::kOptionsPage.height},
         {{"start-up picture", page::kStartupPicture},
          {"monitor picture", page::kMonitorPicture},
          {"autostart label", page::kAutostart.label},
          {"autostart box", page::kAutostart.box},
          {"beep label", page::kHourlyBeep.label},
          {"beep box", page::kHourlyBeep.box},
          {"figures label", page::kFigures.label},
          {"figures box", page::kFigures.box},
          {"Test", page::kTestLink},
          {"Apply start-up", page::kApplyAutostart},
          {"Apply figures", page::kApplyFigures},
          {"warning label", page::kWarning.label},
          {"warning box", page::kWarning.box},
          {"Apply warning", page::kApplyWarning}},
         {}},
        {"Schedule Task page",
         {0, 0, options::kSchedulePage.width, options::kSchedulePage.height},
         {{"scheduled box", schedule::kScheduledCheck},
          {"when", schedule::kWhenLabel},
          {"days label", schedule::kTrigger[0].label},
          {"days box", schedule::kTrigger[0].box},
          {"days arrows", schedule::kTrigger[0].upDown},
          {"hours label", schedule::kTrigger[1].label},
          {"hours box", schedule::kTrigger[1].box},
          {"hours arrows", schedule::kTrigger[1].upDown},
          {"minutes label", schedule::kTrigger[2].label},
          {"minutes box", schedule::kTrigger[2].box},
          {"minutes arrows", schedule::kTrigger[2].upDown},
          {"kind label", schedule::kKindLabel},
          {"kind box", schedule::kKindBox},
          {"Apply", schedule::kApply}},
         {}},
        editor("alert editor", alert::kEditor,
               {{"message", alert::kMessageBox},
                {"Play Sound box", alert::kPlaySoundBox},
                {"Play Sound", alert::kPlaySoundLabel},
                {"Test", alert::kTestLink}}),
        editor("program editor", program::kEditor,
               {{"path", program::kPathBox}, {"Browse", program::kBrowseButton}}),
        editor("web address editor", web::kEditor, {{"address", web::kAddressBox}}),
    };
}

} // namespace

TEST(Design, ControlsLieOnTheirSurfaceAndOverlapOnlyWhereDesigned) {
    for (const Surface& surface : surfaces()) {
        std::set<std::pair<std::string, std::string>> found;
        for (std::size_t i = 0; i < surface.controls.size(); ++i) {
            const Placed& a = surface.controls[i];
            EXPECT_GT(a.place.width, 0) << surface.name << ": " << a.name;
            EXPECT_GT(a.place.height, 0) << surface.name << ": " << a.name;
            EXPECT_TRUE(within(a.place, surface.area))
                << surface.name << ": " << a.name << " reaches outside";
            for (std::size_t j = i + 1; j < surface.controls.size(); ++j) {
                const Placed& b = surface.controls[j];
                if (core::design::overlap(a.place, b.place)) {
                    found.insert(std::minmax(a.name, b.name));
                }
            }
        }
        std::set<std::pair<std::string, std::string>> designed;
        for (const auto& [a, b] : surface.overlapping) {
            designed.insert(std::minmax(a, b));
        }
        EXPECT_EQ(found, designed) << surface.name;
    }
}

TEST(Design, ControlsOverlapOnlyWhenTheyShareArea) {
    struct Case {
        const char* what;
        Rect a;
        Rect b;
        bool overlap;
    };
    const Case cases[] = {
        {"side by side, meeting at an edge", {830, 1200, 1105, 225}, {240, 1200, 590, 225}, false},
        {"one above the other, meeting at an edge", {0, 0, 100, 100}, {0, 100, 100, 100}, false},
        {"one twip across", {350, 656, 180, 240}, {520, 656, 255, 150}, true},
        {"one inside the other", {120, 120, 4560, 1980}, {240, 450, 4320, 1530}, true},
        {"apart", {0, 0, 10, 10}, {20, 20, 10, 10}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(core::design::overlap(c.a, c.b), c.overlap) << c.what;
        EXPECT_EQ(core::design::overlap(c.b, c.a), c.overlap) << c.what;
    }
}

TEST(Design, StatusPanelsShareOutTheBarsWidth) {
    namespace options = core::design::options_window;
    struct Case {
        int width;
        std::array<int, 3> edges;
    };
    // Two sevenths each for the task and its name, the rest (three sevenths) for the figures.
    const Case cases[] = {
        {562, {160, 321, -1}},
        {843, {240, 481, -1}},
        {7, {2, 4, -1}},
        {0, {0, 0, -1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(options::panelEdges(c.width), c.edges) << c.width;
    }
    for (const int share : options::kPanelShares) {
        EXPECT_GT(share, 0);
    }
}

TEST(Design, TextColoursReadOnTheirBackgrounds) {
    namespace d = core::design;
    struct Case {
        const char* what;
        d::Colour text;
        d::Colour background;
    };
    const Case cases[] = {
        {"the up time's orange", d::main_window::kOrange, d::main_window::kBackground},
        {"the start-up captions' grey", d::main_window::kDarkGrey, d::main_window::kBackground},
        {"the links on the tab bar", d::options_window::kLinkColour, d::options_window::kTabBarColour},
        {"the Options page's Test link", d::options_page::kTestColour, d::kPageBackground},
        {"the pages' black", d::kBlack, d::kPageBackground},
        {"About while it loads", d::about_window::kLoadingText, d::about_window::kLoadingBackground},
        {"About's text", d::about_window::kActiveText, d::about_window::kActiveBackground},
        {"About's link", d::about_window::kActiveLink, d::about_window::kActiveBackground},
    };
    for (const Case& c : cases) {
        EXPECT_GE(d::contrastRatio(c.text, c.background), d::kReadableContrast) << c.what;
    }
    // The ends of the scale, and the designed orange before it was darkened.
    EXPECT_DOUBLE_EQ(d::contrastRatio(d::kBlack, d::kWhite), 21.0);
    EXPECT_DOUBLE_EQ(d::contrastRatio(d::kPageBackground, d::kPageBackground), 1.0);
    EXPECT_LT(d::contrastRatio({255, 128, 0}, d::kWhite), d::kReadableContrast);
}
