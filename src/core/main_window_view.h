#pragma once

#include <string>

namespace core {

/// How the main window is drawn: as a layered window, which the system blends with what lies
/// below it, at an opacity of alpha out of 255.
struct WindowOpacity {
    bool layered = false;
    int alpha = 255;
    bool operator==(const WindowOpacity&) const = default;
};

/// What the more/less button offers: less information (the window shows the clock) or more.
enum class MoreLess { Less, More };

/// A toggling picture button's look: its design picture until start-up applies a stored state,
/// then off or on.
enum class ToggleLook { Design, Off, On };

/// The main window as the core sees it: what it shows and where. A shell implements it with its
/// toolkit's widgets (the Qt shell's MainWindow); the core decides every value it is given.
/// Positions and sizes are in twips, as the window is designed, unless said otherwise.
class MainWindowView {
public:
    virtual ~MainWindowView() = default;

    // The up-time display.
    virtual void showDays(const std::string& text) = 0;
    virtual void showHours(const std::string& text) = 0;
    virtual void showMinutes(const std::string& text) = 0;
    /// The phrase a screen reader speaks for the up time ("up 3 days, 1 hour, 0 minutes").
    virtual void showSpokenUptime(const std::string& phrase) = 0;
    /// Both colons between days, hours and minutes, shown or hidden together.
    virtual void showSeparators(bool shown) = 0;
    virtual void showSystemStart(const std::string& date, const std::string& time) = 0;
    virtual void showTimeNow(const std::string& time) = 0;
    virtual void showTaskIndicator(bool shown) = 0;
    /// The window's caption: the figures, or empty.
    virtual void showCaption(const std::string& caption) = 0;

    // The window itself.
    /// Moves the window's top left corner to x, y in pixels of the screen.
    virtual void placeWindow(int x, int y) = 0;
    virtual void showWindow() = 0;
    /// The window's height, caption and borders included.
    virtual void showHeightTwips(float twips) = 0;
    virtual void setMinimized(bool minimized) = 0;
    /// Puts the window into the band above all normal windows, or back, without moving it.
    virtual void setOnTop(bool onTop) = 0;
    /// Draws the window as the appearance rules say: layered or not, at an opacity of alpha out
    /// of 255.
    virtual void setOpacity(WindowOpacity opacity) = 0;

    // The picture buttons: what they show, and where they are.
    virtual void showMoreLessPicture(MoreLess offer) = 0;
    virtual void moveMoreLessButton(double topTwips) = 0;
    virtual void showOnTopPicture(ToggleLook look) = 0;
    virtual void moveOnTopButton(double leftTwips, double topTwips) = 0;
    virtual void showTransparencyPicture(ToggleLook look) = 0;

    // The tray icon and its menu.
    virtual void showTrayIcon() = 0;
    virtual void hideTrayIcon() = 0;
    /// Whether a tray shows the icon now.
    virtual bool hasTray() const = 0;
    /// Makes the hidden window that comes forward before the menu opens.
    virtual void makeMenuOwner() = 0;
    /// Brings that hidden window forward, once it is made.
    virtual void activateMenuOwner() = 0;
    /// Whether the menu is open (a tray may open it itself).
    virtual bool menuShown() const = 0;
    /// Opens the menu at the mouse pointer, its default item "Schedule Task".
    virtual void popUpMenu() = 0;
    /// The text of the menu's minimize item: "Minimize" or "Maximize".
    virtual void setMinimizeItemText(const std::string& text) = 0;
    /// A notice about the settings that the window shows without a box (its tool tip); empty
    /// takes it away. Only a registry whose changes can wait for another program gives one.
    virtual void showSettingsNotice(const std::string& text) { (void)text; }
};

} // namespace core
