#pragma once

#include "core/main_window_view.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

/// The main window as a record of what the core showed on it.
struct FakeMainWindowView final : core::MainWindowView {
    std::string days = "00", hours = "00", minutes = "00", spokenUptime, startDate = "Date & Time", startTime,
                timeNow, caption;
    bool separatorsShown = true;
    bool indicatorShown = true;
    std::vector<std::pair<int, int>> places; ///< every placement, in order
    bool shown = false;
    float heightTwips = 0;
    bool minimized = false;
    bool onTop = false;
    int alpha = 255;
    bool layered = false;
    std::optional<core::MoreLess> moreLessPicture;
    core::ToggleLook onTopPicture = core::ToggleLook::Design, transparencyPicture = core::ToggleLook::Design;
    double moreLessTop = 656, onTopLeft = 350, onTopTop = 656;
    bool trayIcon = false;
    bool tray = true;
    bool menuOwner = false;
    int ownerActivations = 0;
    bool menuOpen = false;
    std::string minimizeItem = "Minimize";

    void showDays(const std::string& text) override { days = text; }
    void showHours(const std::string& text) override { hours = text; }
    void showMinutes(const std::string& text) override { minutes = text; }
    void showSpokenUptime(const std::string& phrase) override { spokenUptime = phrase; }
    void showSeparators(bool on) override { separatorsShown = on; }
    void showSystemStart(const std::string& date, const std::string& time) override {
        startDate = date;
        startTime = time;
    }
    void showTimeNow(const std::string& time) override { timeNow = time; }
    void showTaskIndicator(bool on) override { indicatorShown = on; }
    void showCaption(const std::string& text) override { caption = text; }
    void placeWindow(int x, int y) override { places.emplace_back(x, y); }
    void showWindow() override { shown = true; }
    void showHeightTwips(float twips) override { heightTwips = twips; }
    void setMinimized(bool on) override { minimized = on; }
    void setOnTop(bool on) override { onTop = on; }
    void setOpacity(core::WindowOpacity value) override {
        alpha = value.alpha;
        layered = value.layered;
    }
    void showMoreLessPicture(core::MoreLess offer) override { moreLessPicture = offer; }
    void moveMoreLessButton(double top) override { moreLessTop = top; }
    void showOnTopPicture(core::ToggleLook look) override { onTopPicture = look; }
    void moveOnTopButton(double left, double top) override {
        onTopLeft = left;
        onTopTop = top;
    }
    void showTransparencyPicture(core::ToggleLook look) override { transparencyPicture = look; }
    void showTrayIcon() override { trayIcon = true; }
    void hideTrayIcon() override { trayIcon = false; }
    bool hasTray() const override { return tray; }
    void makeMenuOwner() override { menuOwner = true; }
    void activateMenuOwner() override { ownerActivations += menuOwner ? 1 : 0; }
    bool menuShown() const override { return menuOpen; }
    void popUpMenu() override { menuOpen = true; }
    void setMinimizeItemText(const std::string& text) override { minimizeItem = text; }
    void showSettingsNotice(const std::string& text) override { notices.push_back(text); }
    std::vector<std::string> notices; ///< every settings notice, in order
};
