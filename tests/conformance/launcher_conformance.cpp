// Programs start without a shell: a path holding blanks and the shell's own characters starts
// that file and nothing else, and arguments reach the program as the user grouped them.
#include "conformance/backend.h"
#include "core/web_address.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

namespace {

class LauncherConformance : public ::testing::Test {
public:
    LauncherConformance() {
        fs::remove_all(root);
        fs::create_directories(root);
        conformance::setEnvironment("CORVANE_PROBE_LOG", conformance::utf8Text(log));
    }
    ~LauncherConformance() override { fs::remove_all(root); }

    /// The lines the probe has written, once it has written count of them (or after 10 s).
    std::vector<std::string> runs(std::size_t count) const {
        std::vector<std::string> lines;
        for (int attempt = 0; attempt < 500; ++attempt) {
            lines.clear();
            std::ifstream in(log);
            for (std::string line; std::getline(in, line);) {
                lines.push_back(line);
            }
            if (lines.size() >= count) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return lines;
    }

    const fs::path root = conformance::ownTempFolder("corvane launcher");
    const fs::path log = root / "runs.txt";
    std::unique_ptr<platform::Launcher> launcher = conformance::makeLauncher();
};

TEST_F(LauncherConformance, APathWithTheShellsCharactersStartsThatFileOnly) {
    // '|' cannot be part of a Windows file name; it goes into an argument there.
    const char* folders[] = {"two words", "this & that", "one; two", "a & b; c"};
    std::size_t expected = 0;
    for (const char* name : folders) {
        SCOPED_TRACE(name);
        const fs::path program = root / name / conformance::probeFileName();
        fs::create_directories(program.parent_path());
        conformance::installProbe(program);
        const std::string path = conformance::utf8Text(program);

        launcher->runProgram(path);
        ASSERT_EQ(runs(++expected).size(), expected);
        launcher->runProgram("\"" + path + "\" x|y \"p & q\" r;s");
        const std::vector<std::string> lines = runs(++expected);
        ASSERT_EQ(lines.size(), expected);
        EXPECT_EQ(lines[expected - 2], "ran");
        EXPECT_EQ(lines[expected - 1], "ran\x1fx|y\x1fp & q\x1fr;s");
        // Nothing but the folder's own program and the log came into being.
        EXPECT_EQ(std::distance(fs::directory_iterator(program.parent_path()), fs::directory_iterator()), 1);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(runs(expected).size(), expected);
    EXPECT_EQ(std::distance(fs::directory_iterator(root), fs::directory_iterator()), std::size(folders) + 1);
}

TEST_F(LauncherConformance, WhatIsNoProgramIsRefusedWithAReason) {
    const std::string cases[] = {
        "",
        "   ",
        conformance::utf8Text(root / "missing program"),
        conformance::utf8Text(root),
        "corvane-no-such-program-anywhere",
    };
    for (const std::string& commandLine : cases) {
        SCOPED_TRACE(commandLine);
        try {
            launcher->runProgram(commandLine);
            ADD_FAILURE() << "started";
        } catch (const std::runtime_error& e) {
            EXPECT_GT(std::string(e.what()).size(), 10u);
        }
    }
    EXPECT_FALSE(fs::exists(log));
}

TEST(WebAddressConformance, OnlyWebAddressesReachTheBrowser) {
    struct Case {
        const char* typed;
        std::optional<std::string> opened; ///< nothing: refused, nothing starts
    };
    const Case cases[] = {
        {"https://www.example.org/a?b=1&c=%COMSPEC%", "https://www.example.org/a?b=1&c=%COMSPEC%"},
        {"HTTP://Example.org", "HTTP://Example.org"},
        {"  http://example.org/  ", "http://example.org/"},
        {"www.example.org", "http://www.example.org"},
        {"localhost:8080/status", "http://localhost:8080/status"},
        {"example.org/a:b", "http://example.org/a:b"},
        {"", ""},
        {"   ", ""},
        {"file:///C:/Tools/tool.exe", std::nullopt},
        {"FILE://server/share/tool.exe", std::nullopt},
        {"javascript:alert(1)", std::nullopt},
        {"ms-settings:display", std::nullopt},
        {"ftp://example.org/", std::nullopt},
        {"mailto:someone@example.org", std::nullopt},
        {"C:\\Windows\\System32\\calc.exe", std::nullopt},
        {"http://example.org/\nfile:///x", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(core::webAddressToOpen(c.typed), c.opened);
    }
}

} // namespace
