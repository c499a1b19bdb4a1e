#pragma once

// The task editors' design, in twips from the top left of each editor's client area: the
// frame with the text or the path, and OK.

#include "core/design/design.h"

namespace core::design::task_editors {

/// OK, a picture button; each editor places it.
inline constexpr const char* kOkName = "OK";
inline constexpr double kOkWidth = 1080;
inline constexpr double kOkHeight = 480;

/// What every editor has: its name for screen readers (the caption reads "Corvane" in each),
/// its client area, a frame with a text, and OK.
struct Editor {
    const char* accessibleName;
    Rect client;
    Rect frame;
    const char* frameText;
    Rect ok;
};

} // namespace core::design::task_editors

namespace core::design::alert_editor {

inline constexpr task_editors::Editor kEditor{"Alert message editor",
                                              {0, 0, 4800, 2940},
                                              {120, 120, 4560, 1980},
                                              " Please type your Message here.",
                                              {3600, 2250, task_editors::kOkWidth, task_editors::kOkHeight}};
inline constexpr Rect kMessageBox{240, 450, 4320, 1530};
inline constexpr const char* kMessageName = "Message";
/// The check box and its text, beside it.
inline constexpr Rect kPlaySoundBox{240, 2280, 240, 300};
inline constexpr Rect kPlaySoundLabel{500, 2280, 1100, 300};
inline constexpr const char* kPlaySoundText = "Play Sound";
inline constexpr Rect kTestLink{1800, 2280, 720, 300};
inline constexpr const char* kTestText = "Test ";
inline constexpr const char* kTestTip = "Click to play the Sound";

} // namespace core::design::alert_editor

namespace core::design::program_editor {

inline constexpr task_editors::Editor kEditor{"Run Program editor",
                                              {0, 0, 5400, 2040},
                                              {120, 120, 5160, 1800},
                                              "Type the Name or Path of the program",
                                              {3960, 1200, task_editors::kOkWidth, task_editors::kOkHeight}};
inline constexpr Rect kPathBox{360, 540, 3480, 345};
inline constexpr const char* kPathName = "Program";
inline constexpr Rect kBrowseButton{3960, 510, 1080, 405};
inline constexpr const char* kBrowseText = "Browse";
inline constexpr const char* kBrowseTip = "Browse for Programs";

} // namespace core::design::program_editor

namespace core::design::web_address_editor {

inline constexpr task_editors::Editor kEditor{"Visit Website editor",
                                              {0, 0, 5400, 2040},
                                              {120, 120, 5160, 1800},
                                              "Type URL (Web  Address)",
                                              {3960, 1200, task_editors::kOkWidth, task_editors::kOkHeight}};
inline constexpr Rect kAddressBox{360, 540, 4680, 345};
inline constexpr const char* kAddressName = "Web address";

} // namespace core::design::web_address_editor
