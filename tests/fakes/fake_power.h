#pragma once

#include "platform/power.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace fakes {

/// Records the power requests in order: "powerOff", "reboot", "logOff", "hibernate".
class FakePower final : public platform::Power {
public:
    std::vector<std::string> calls;
    /// When set, hibernate() throws with this description (the request could not be made).
    std::optional<std::string> hibernateFailure;

    void powerOff() override { calls.emplace_back("powerOff"); }
    void reboot() override { calls.emplace_back("reboot"); }
    void logOff() override { calls.emplace_back("logOff"); }
    void hibernate() override {
        calls.emplace_back("hibernate");
        if (hibernateFailure) {
            throw std::runtime_error(*hibernateFailure);
        }
    }
};

} // namespace fakes
