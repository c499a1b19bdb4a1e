#pragma once

// The main window's design: the up time, the start-up rows, the task indicator and the four
// picture buttons, in twips on the client area.

#include "core/design/design.h"

#include <array>

namespace core::design::main_window {

/// The client area as designed, and the caption and borders of a tool window around it. The
/// window's height as the more/less rule reads it is the client height plus that frame.
inline constexpr double kClientWidth = 1935;
inline constexpr double kClientHeight = 1965;
inline constexpr double kFrameHeight = 360;

inline constexpr Colour kBackground = kWhite;
/// The designed orange (255, 128, 0) darkened just enough to read on white.
inline constexpr Colour kOrange{186, 93, 0};
inline constexpr Colour kDarkGrey{64, 64, 64};

/// What the window calls itself for screen readers (its title shows the figures or nothing).
inline constexpr const char* kAccessibleName = "Corvane up time";

/// The labels' three styles: the up time's digits, the heading, the start-up rows.
enum class TextStyle { Uptime, Heading, Row };

struct Label {
    const char* text;
    Rect place;
    Colour colour;
    TextStyle style;
    Align align;
    const char* tip; ///< null: no tool tip
};

/// The labels in the order screen readers meet them: days, hours and minutes with their
/// separators, then the start-up rows.
enum LabelIndex : std::size_t {
    Days,
    DaysSeparator,
    Hours,
    HoursSeparator,
    Minutes,
    StartupHeading,
    StartDateCaption,
    StartDate,
    StartTimeCaption,
    StartTime,
    NowCaption,
    Now,
};

inline constexpr std::array<Label, 12> kLabels = {{
    {"00", {865, 492, 255, 255}, kOrange, TextStyle::Uptime, Align::Right, "Days"},
    {":", {1130, 492, 90, 255}, kBlack, TextStyle::Uptime, Align::Centre, nullptr},
    {"00", {1225, 492, 255, 255}, kOrange, TextStyle::Uptime, Align::Right, "Hours"},
    {":", {1485, 492, 90, 255}, kBlack, TextStyle::Uptime, Align::Centre, nullptr},
    {"00", {1570, 492, 255, 255}, kOrange, TextStyle::Uptime, Align::Right, "Minutes"},
    {"Startup Info",
     {360, 885, 1500, 240},
     kDarkGrey,
     TextStyle::Heading,
     Align::Left,
     "System Startup Information"},
    {"Date :", {240, 1200, 590, 225}, kDarkGrey, TextStyle::Row, Align::Left, nullptr},
    {"Date & Time", {830, 1200, 1105, 225}, kOrange, TextStyle::Row, Align::Left, nullptr},
    {"Time :", {230, 1440, 600, 225}, kDarkGrey, TextStyle::Row, Align::Left, nullptr},
    {"Date & Time", {830, 1440, 1105, 225}, kOrange, TextStyle::Row, Align::Left, nullptr},
    {"Now  :", {250, 1680, 580, 225}, kDarkGrey, TextStyle::Row, Align::Left, nullptr},
    {"Now", {830, 1680, 1105, 225}, kOrange, TextStyle::Row, Align::Left, "Now Time"},
}};

/// The up time as one phrase for screen readers, over the digits and separators it sums up.
inline constexpr Rect kPhrase{865, 492, 1825 - 865, 255};

inline constexpr Rect kIndicator{1590, 24, 345, 330};
inline constexpr const char* kIndicatorName = "Task Indicator";
inline constexpr const char* kIndicatorTip = "Task Indicator. If blinking, a Task is scheduled.";

/// The picture buttons as designed. The more/less and on-top buttons move from here (the core
/// moves them); the others stay.
struct Button {
    Rect place;
    const char* tip; ///< also the name screen readers hear
};
inline constexpr Button kMoreLess{{100, 656, 225, 150}, "More or less information"};
inline constexpr Button kOnTop{{350, 656, 180, 240}, "Always On Top"};
inline constexpr Button kMinimize{{520, 656, 255, 150}, "Minimize"};
inline constexpr Button kTransparency{{1630, 791, 195, 315}, "Window Transparent / Opaque."};
/// The more/less button's name says what a press does.
inline constexpr const char* kLessInformation = "Less information";
inline constexpr const char* kMoreInformation = "More information";

} // namespace core::design::main_window
