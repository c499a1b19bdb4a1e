#pragma once

// What the core's tests share: fake services, fake timers and the state the windows share.

#include "core/app_state.h"
#include "fakes/fake_services.h"
#include "fakes/fake_timers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

/// The five options as the first run stores them, in the current user's settings key.
inline void StoreDefaultOptions(fakes::FakeRegistry& r) {
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
