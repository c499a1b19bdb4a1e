#pragma once

// The Schedule Task page's design, in twips from the page's top left: the switch, the up time
// that triggers the task (days, hours, minutes, each a box with arrows), the task's kind, Apply.

#include "core/design/design.h"

#include <array>

namespace core::design::schedule_page {

inline constexpr const char* kAccessibleName = "Schedule Task page";

/// The clock picture's top left; its size is in pixels at 96 dots per inch.
inline constexpr double kClockLeft = 240;
inline constexpr double kClockTop = 360;
inline constexpr int kClockPixels = 66;

/// Every row's labels and boxes are this high.
inline constexpr double kRowHeight = 315;

inline constexpr Rect kScheduledCheck{1440, 480, 255, 255};
inline constexpr const char* kScheduledTip = "Enable / Disable Schedule Task";
inline constexpr const char* kWhenText = " When System up Time reaches to ";
inline constexpr Rect kWhenLabel{1800, 480, 3600, kRowHeight};

/// A part of the trigger time: its label, then its box with the arrows right of it.
struct TriggerRow {
    const char* name; ///< the label's text, the box's tool tip and name
    Rect label;
    Rect box;
    Rect upDown;
};
inline constexpr double kTriggerTop = 1080;
inline constexpr double kBoxWidth = 600;
inline constexpr double kUpDownWidth = 255;
constexpr TriggerRow triggerRow(const char* name, double labelLeft, double labelWidth, double boxLeft) {
    return {name,
            {labelLeft, kTriggerTop, labelWidth, kRowHeight},
            {boxLeft, kTriggerTop, kBoxWidth, kRowHeight},
            {boxLeft + kBoxWidth, kTriggerTop, kUpDownWidth, kRowHeight}};
}
/// Days, hours, minutes: in the order of core::TriggerBox.
inline constexpr std::array<TriggerRow, 3> kTrigger = {
    triggerRow("Days", 1440, 600, 2040),
    triggerRow("Hours", 3240, 600, 3840),
    triggerRow("Minutes", 5040, 840, 5880),
};

inline constexpr const char* kKindText = "Execute this Task : ";
inline constexpr Rect kKindLabel{1440, 1800, 1800, kRowHeight};
inline constexpr Rect kKindBox{3240, 1800, 2655, kRowHeight};
inline constexpr const char* kKindName = "Execute this Task";

inline constexpr Rect kApply{4695, 2400, 1200, 480};
inline constexpr const char* kApplyName = "Apply";

} // namespace core::design::schedule_page
