#pragma once

#include "core/options_window.h"

#include <map>
#include <string>
#include <vector>

/// The Options and Schedule Task window as a record of what the core showed on it.
struct FakeOptionsWindow final : core::OptionsWindowView {
    std::string caption;
    std::map<core::Page, core::TabPicture> tabs{{core::Page::Options, core::TabPicture::Design},
                                                {core::Page::Schedule, core::TabPicture::Design}};
    std::map<core::Page, bool> pages{{core::Page::Options, false}, {core::Page::Schedule, false}};
    std::string figures;
    std::vector<std::string> log; ///< showWindow, focus and the pages shown, in order

    void showLook(const std::string& text) override { caption = text; }
    void showTab(core::Page tab, core::TabPicture picture) override { tabs[tab] = picture; }
    void showPage(core::Page page, bool shown) override {
        pages[page] = shown;
        log.push_back(std::string(page == core::Page::Options ? "options" : "schedule") +
                      (shown ? " shown" : " hidden"));
    }
    void showFigures(const std::string& text) override { figures = text; }
    void showWindow() override { log.emplace_back("window"); }
    void focusPage(core::Page) override { log.emplace_back("focus"); }
};
