#pragma once

// The About window's design: the program's icon beside one column of texts (name, version,
// purpose, maker, web link), laid out by the texts' heights. Its sizes are pixels at 96 dots
// per inch; the two looks' colours are its own.

#include "core/design/design.h"

namespace core::design::about_window {

inline constexpr const char* kTitle = "About Corvane";
inline constexpr const char* kName = "Corvane";
inline constexpr const char* kVersion = "Version 4.0";
// The maker's details: placeholders of the program's own.
inline constexpr const char* kPurpose = "Shows how long this computer has been up, since when, and the time "
                                        "now, and runs one task when the up time reaches the value you set.";
inline constexpr const char* kMaker =
    "Pellorin, Examplestad\ninfo@pellorin.example\n\u00A9 2004\u20132026 Pellorin";
/// The web link's tool tip, and what screen readers hear before its address.
inline constexpr const char* kLinkTip = "Visit the web site";
inline constexpr const char* kLinkNamePrefix = "Web site ";

/// The name's size against the window's text.
inline constexpr double kNameScale = 1.6;

/// While it loads, white on a deep blue; once active, black on a light blue, the link dark blue.
inline constexpr Colour kLoadingBackground{0, 4, 221};
inline constexpr Colour kLoadingText = kWhite;
inline constexpr Colour kActiveBackground{147, 209, 240};
inline constexpr Colour kActiveText = kBlack;
inline constexpr Colour kActiveLink{0, 0, 160};

inline constexpr int kWidth = 380;
inline constexpr int kMargin = 16;
inline constexpr int kIconSize = 48;
/// Room for the focus rectangle around the link's letters.
inline constexpr int kLinkMargin = 2;

} // namespace core::design::about_window
