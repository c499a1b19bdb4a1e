// The instance check's view of the processes: another running copy is listed, with the full
// path of its executable, and this program's own path names the fixed file beside it.
#include "conformance/backend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

namespace {

/// A process of the probe's that ends with the test.
struct Probe {
    explicit Probe(const fs::path& program) : pid(conformance::startProcess(program, {"wait"})) {}
    ~Probe() { conformance::stopProcess(pid); }
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;
    const std::uint32_t pid;
};

/// The path of a listed process, once it is listed and its path can be read (or after 10 s).
std::optional<std::string> listedPath(platform::Processes& processes, std::uint32_t pid) {
    for (int attempt = 0; attempt < 500; ++attempt) {
        const std::vector<std::uint32_t> ids = processes.processIds();
        if (std::find(ids.begin(), ids.end(), pid) != ids.end()) {
            if (std::optional<std::string> path = processes.executablePath(pid)) {
                return path;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return std::nullopt;
}

TEST(InstanceConformance, AnotherProcessIsListedWithItsExecutablePath) {
    auto processes = conformance::makeProcesses();
    const fs::path folder = conformance::ownTempFolder("corvane instance check");
    fs::create_directories(folder);
    const fs::path copy = folder / conformance::probeFileName();
    conformance::installProbe(copy);
    {
        const Probe probe(copy);
        const std::optional<std::string> path = listedPath(*processes, probe.pid);
        ASSERT_TRUE(path.has_value());
        EXPECT_EQ(fs::canonical(conformance::utf8Path(*path)), fs::canonical(copy));
    }
    // No process has this identifier (both systems give multiples of 4 or values below it).
    EXPECT_FALSE(processes->executablePath(0xFFFFFFFEu).has_value());
    fs::remove_all(folder);
}

TEST(InstanceConformance, TheInstancePathIsTheFixedNameInThisProgramsFolder) {
    auto processes = conformance::makeProcesses();
    const fs::path instance = conformance::utf8Path(processes->instanceExecutablePath());
    EXPECT_EQ(instance.parent_path(), conformance::selfPath().parent_path());
    EXPECT_NE(instance.filename(), conformance::selfPath().filename());
}

} // namespace
