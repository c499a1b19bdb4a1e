#pragma once

#include "platform/system_figures.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace fakes {

/// Processor samples and available memory set by the test.
class FakeSystemFigures final : public platform::SystemFigures {
public:
    std::optional<double> sample = 0.0; ///< nothing: the collection gives no figure
    std::uint64_t availableBytes = 512ULL * 1024 * 1024;
    bool failSample = false;
    bool failMemory = false;
    /// "open", "counter 0", in order.
    std::vector<std::string> calls;

    void openProcessorQuery() override { calls.emplace_back("open"); }
    void addProcessorCounter(int processor) override {
        calls.push_back("counter " + std::to_string(processor));
    }
    std::optional<double> collectProcessorUsage() override {
        if (failSample) {
            throw std::runtime_error("no processor statistics");
        }
        return sample;
    }
    std::uint64_t availableMemoryBytes() override {
        if (failMemory) {
            throw std::runtime_error("no memory status");
        }
        return availableBytes;
    }
};

} // namespace fakes
