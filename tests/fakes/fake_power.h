#pragma once

#include "platform/power.h"

#include <optional>
#include <string>
#include <vector>

namespace fakes {

/// Records power requests and answers them at once, or holds the answer back until the test
/// gives it (holdAnswers), as a system that takes its time would.
class FakePower final : public platform::Power {
public:
    std::vector<std::string> calls;
    /// When set, hibernate() cannot be made, with this description.
    std::optional<std::string> hibernateFailure;
    /// When set, powerOff(), reboot(), hibernate() and logOff() are refused with this reason.
    std::optional<std::string> refusal;
    /// When true, requests wait in pending until the test answers them.
    bool holdAnswers = false;
    std::vector<platform::PowerAnswered> pending;

    void powerOff(platform::PowerAnswered answered) override { request("powerOff", std::move(answered)); }
    void reboot(platform::PowerAnswered answered) override { request("reboot", std::move(answered)); }
    void logOff(platform::PowerAnswered answered) override { request("logOff", std::move(answered)); }
    void hibernate(platform::PowerAnswered answered) override {
        if (hibernateFailure) {
            calls.emplace_back("hibernate");
            answered({platform::PowerOutcome::Unavailable, *hibernateFailure});
            return;
        }
        request("hibernate", std::move(answered));
    }

private:
    void request(const char* name, platform::PowerAnswered answered) {
        calls.emplace_back(name);
        if (holdAnswers) {
            pending.push_back(std::move(answered));
        } else if (refusal) {
            answered({platform::PowerOutcome::Refused, *refusal});
        } else {
            answered({});
        }
    }
};

} // namespace fakes
