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
    /// When set, powerOff(), reboot() and hibernate() are refused with this reason.
    std::optional<std::string> refusal;

    void powerOff() override { request("powerOff"); }
    void reboot() override { request("reboot"); }
    void logOff() override { calls.emplace_back("logOff"); }
    void hibernate() override {
        if (hibernateFailure) {
            calls.emplace_back("hibernate");
            throw std::runtime_error(*hibernateFailure);
        }
        request("hibernate");
    }

private:
    void request(const char* name) {
        calls.emplace_back(name);
        if (refusal) {
            throw platform::PowerRefused(*refusal);
        }
    }
};

} // namespace fakes
