#pragma once

// What the core's tests share: fake services, fake timers and the state the windows share.

#include "core/app_state.h"
#include "fakes/fake_services.h"
#include "fakes/fake_timers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

/// The five options as the first run stores them, in the current user's settings key.
inline void storeDefaultOptions(fakes::FakeRegistry& r) {
    const std::string key = "HKCU\\Software\\Pellorin\\Corvane\\4.0";
    r.setDword(key, "autoaddstp", 1);
    r.setDword(key, "hrbeep", 1);
    r.setDword(key, "Ontop", 0);
    r.setDword(key, "ShowMemCpu", 1);
    r.setDword(key, "tpme", 0);
}

/// Fake services and timers, and the shared state with a record of what its readers heard.
struct CoreFixture : ::testing::Test {
    fakes::FakeServices f;
    fakes::FakeTimerFactory timers;
    core::AppState state;
    std::vector<core::Change> heard;
    core::AppState::Subscription listening = state.subscribe([this](core::Change c) { heard.push_back(c); });
};

#include "core/log.h"
#include "core/main_window_controller.h"
#include "fake_main_window_view.h"

#include <memory>

/// The main window's core on a fake view and fake services, on 2026-12-07 at 08:30:15 UTC.
struct MainWindowCoreHarness {
    fakes::FakeServices f;
    fakes::FakeTimerFactory timers;
    FakeMainWindowView view;
    std::unique_ptr<core::MainWindowController> mainWindow =
        std::make_unique<core::MainWindowController>(f.services, timers, view);

    MainWindowCoreHarness() {
        f.clock->now = 1'796'632'215'000LL;
        mainWindow->executor().setWait([](std::chrono::milliseconds) {});
    }
    /// Start-up, and figures in the caption as the figures' timer would put them.
    void load() {
        mainWindow->load();
        mainWindow->state().setCaption("M 512 CPU 3%");
    }
    /// The up-time refresh at a tick count.
    void refreshAt(std::uint64_t tick) {
        f.clock->tick = tick;
        mainWindow->refreshUptime();
    }
    /// One second of the program: the up-time refresh, then the trigger check.
    void secondAt(std::uint64_t tick) {
        refreshAt(tick);
        mainWindow->checkTrigger();
    }
    /// What a successful Apply leaves behind.
    void schedule(const std::string& kind, const std::string& daysText, const std::string& hoursText,
                  const std::string& minutesText) {
        mainWindow->state().changeTask([&](core::ScheduledTask& t) {
            t.scheduled = true;
            t.daysText = daysText;
            t.hoursText = hoursText;
            t.minutesText = minutesText;
            t.kind = kind;
        });
        mainWindow->state().setTriggerCheckRunning(true);
    }
};

struct MainWindowCoreTest : ::testing::Test, MainWindowCoreHarness {};

/// The warnings the core logs meanwhile.
struct LogLines {
    std::vector<std::string> seen;
    LogLines() {
        core::setLogSink([this](std::string_view, std::string_view text) { seen.emplace_back(text); });
    }
    ~LogLines() { core::setLogSink({}); }
};
