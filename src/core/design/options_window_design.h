#pragma once

// The Options and Schedule Task window's design: the tab bar on the left with its two page
// tabs and three links, the page area, the status bar under them; and the Options page. In
// twips, the pages' controls from the top left of their page.

#include "core/design/design.h"

#include <array>

namespace core::design::options_window {

inline constexpr double kTabBarWidth = 1500;
inline constexpr double kPageWidth = 6930;
inline constexpr double kPageHeight = 3800;
inline constexpr double kSchedulePageHeight = 3650;
inline constexpr double kStatusBarHeight = 330;
inline constexpr double kWidth = kTabBarWidth + kPageWidth;
inline constexpr double kHeight = kPageHeight + kStatusBarHeight;

inline constexpr Rect kTabBar{0, 0, kTabBarWidth, kPageHeight};
inline constexpr Rect kOptionsPage{kTabBarWidth, 0, kPageWidth, kPageHeight};
inline constexpr Rect kSchedulePage{kTabBarWidth, 0, kPageWidth, kSchedulePageHeight};
inline constexpr Rect kStatusBar{0, kPageHeight, kWidth, kStatusBarHeight};

inline constexpr const char* kAccessibleName = "Options and Schedule Task";
inline constexpr const char* kTabBarName = "Page tabs";

inline constexpr Colour kTabBarColour{96, 143, 224};
/// The tab captions on the bar.
inline constexpr Colour kTabCaptionColour = kWhite;
/// The links on the tab bar: white does not read on its blue, so they take the nearest dark
/// shade of that blue that does.
inline constexpr Colour kLinkColour{15, 40, 79};

/// A page tab: its picture button and the caption under it.
struct Tab {
    Rect button;
    Rect caption;
    const char* text;
    const char* name; ///< what screen readers hear
};
inline constexpr Tab kOptionsTab{{337, 360, 825, 825}, {0, 1230, kTabBarWidth, 255}, "Options", "Options"};
inline constexpr Tab kScheduleTab{
    {337, 1920, 825, 825}, {0, 2790, kTabBarWidth, 255}, "Schedule Task ", "Schedule Task"};

/// The links under the Schedule Task tab, one a line.
struct Link {
    const char* text;
    Rect place;
    const char* description; ///< what screen readers hear a press does
};
enum LinkIndex : std::size_t { Help, About, Web };
inline constexpr std::array<Link, 3> kLinks = {{
    {"Help", {337, 3090, 825, 225}, "Opens the help page"},
    {"About", {337, 3315, 825, 225}, "Shows the About window"},
    {"Web", {337, 3540, 825, 225}, "Opens the maker's web site"},
}};

/// The status bar's three panels take these shares of its width: the scheduled task, its
/// name, and the figures.
inline constexpr std::array<int, 3> kPanelShares = {2, 2, 3};

/// All the shares together: the width a share is a part of.
inline constexpr int kPanelShareTotal = [] {
    int total = 0;
    for (const int share : kPanelShares) {
        total += share;
    }
    return total;
}();
static_assert(kPanelShareTotal > 0);

/// The panels' right edges across a status bar width pixels wide, each panel its share, rounded
/// down; the last one's is -1, the end of the bar (as a Win32 status bar takes them).
constexpr std::array<int, kPanelShares.size()> panelEdges(int width) {
    std::array<int, kPanelShares.size()> edges{};
    int before = 0;
    for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
        before += kPanelShares[i];
        edges[i] = width * before / kPanelShareTotal;
    }
    edges.back() = -1;
    return edges;
}

} // namespace core::design::options_window

namespace core::design::options_page {

inline constexpr const char* kAccessibleName = "Options page";

/// The two pictures beside the start-up and the figures rows.
inline constexpr Rect kStartupPicture{240, 420, 840, 840};
inline constexpr Rect kMonitorPicture{240, 1860, 840, 840};

/// A check box and the label that names it.
struct Option {
    const char* text;
    Rect label;
    Rect box;
};
inline constexpr Option kAutostart{
    "Load 'Corvane' at Startup.", {1500, 480, 3300, 255}, {1200, 480, 255, 255}};
inline constexpr Option kHourlyBeep{"Beep on every Hour.", {1500, 1020, 2300, 255}, {1200, 1020, 255, 255}};
/// Its label wraps on two lines.
inline constexpr Option kFigures{"Show available physical Memory (mb) and CPU usage (%) in Title Bar.",
                                 {1500, 1920, 3700, 510},
                                 {1200, 2040, 255, 255}};

inline constexpr const char* kTestText = "Test ";
inline constexpr Rect kTestLink{3900, 1020, 600, 255};
inline constexpr const char* kTestDescription = "Plays the hourly beep";
inline constexpr Colour kTestColour{0, 0, 255};

inline constexpr const char* kApplyName = "Apply";
inline constexpr Rect kApplyAutostart{5310, 660, 1200, 480};
inline constexpr const char* kApplyAutostartDescription = "Applies loading at start-up and the hourly beep";
inline constexpr Rect kApplyFigures{5310, 1980, 1200, 480};
inline constexpr const char* kApplyFiguresDescription = "Applies the memory and CPU figures in the title bar";

/// The warning a minute before the task: a row of its own under the figures, with its own Apply.
inline constexpr Option kWarning{"Warn a minute before the task turns off, logs off, restarts or hibernates.",
                                 {1500, 2760, 3700, 510},
                                 {1200, 2880, 255, 255}};
inline constexpr Rect kApplyWarning{5310, 2820, 1200, 480};
inline constexpr const char* kApplyWarningDescription = "Applies the warning before the task";

} // namespace core::design::options_page
