#pragma once

// What the conformance suites need of the system they run on. Each system's tests define these
// (linux_backend.cpp in the unit tests, windows_backend.cpp in the Windows tests); the suites
// themselves are written once.

#include "platform/clock.h"
#include "platform/launcher.h"
#include "platform/processes.h"
#include "platform/registry.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace conformance {

/// A registry whose settings key and log-on value start absent and are gone afterwards.
class RegistryBed {
public:
    virtual ~RegistryBed() = default;
    virtual platform::Registry& registry() = 0;
    /// Another registry on the same store, as a later run of the program sees it.
    virtual std::unique_ptr<platform::Registry> another() = 0;
};

std::unique_ptr<RegistryBed> makeRegistryBed();
std::unique_ptr<platform::Clock> makeClock();
std::unique_ptr<platform::Processes> makeProcesses();
std::unique_ptr<platform::Launcher> makeLauncher();

/// The probe program (tests/conformance/probe.cpp) as built for this system.
std::filesystem::path probeProgram();
/// The file name a copy of the probe takes ("probe" or "probe.exe").
std::string probeFileName();
/// Makes a copy of the probe runnable at the path.
void installProbe(const std::filesystem::path& path);
/// Starts the program with the arguments, without a shell, and gives its process identifier.
std::uint32_t startProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments);
/// Ends a process started by startProcess and waits for its end.
void stopProcess(std::uint32_t pid);
/// The full path of this test program.
std::filesystem::path selfPath();
/// Sets an environment variable of this process, inherited by the programs it starts.
void setEnvironment(const std::string& name, const std::string& value);

/// A folder under the temporary folder that no other test run uses, even one running at the
/// same time (it holds name, for a reader of the folder).
inline std::filesystem::path ownTempFolder(const std::string& name) {
    return std::filesystem::temp_directory_path() / (name + " " + std::to_string(std::random_device{}()));
}

/// A path from UTF-8 text, and back.
inline std::filesystem::path utf8Path(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}
inline std::string utf8Text(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace conformance
