// The first run cut short at each of its registry changes: the process ends there for real (a
// copy of this test started for it), then the program starts as usual. No such end may leave a
// settings key that makes every later start end in the installation error.
#include "core/app_state.h"
#include "core/settings_store.h"
#include "platform/windows/registry_windows.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/windows_services.h"
#include "recorded_boxes.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace platform;

namespace {

constexpr const wchar_t* kEndAtStep = L"CORVANE_END_AT_COMMIT_STEP";

/// Ends are recorded instead of made, so that a failure shows as a failed check.
struct RecordedEnds final : ProcessControl {
    int ends = 0;
    int platformId() override { return 2; }
    void createInstanceLock(const std::string&) override {}
    std::uint32_t currentExitCode() override { return 0; }
    void terminateCurrentProcess(std::uint32_t) override { ++ends; }
    void endImmediately() override { ++ends; }
};

struct Program {
    Program() {
        services.registry = std::make_unique<WindowsRegistry>();
        services.messages = std::make_unique<RecordedBoxes>();
        services.process = std::make_unique<RecordedEnds>();
    }
    /// What a start does with the settings: the first run when the key is missing, then the reads.
    void start() {
        if (store.probeSettingsKey() != kErrorSuccess) {
            store.runFirstRunSequence("C:\\Program Files\\Corvane\\Corvane4.0.exe");
        }
        store.loadOption(core::StoredOption::HourlyBeep);
        store.loadOption(core::StoredOption::Figures);
        store.readOption(core::StoredOption::OnTop);
        store.readOption(core::StoredOption::Transparency);
    }
    Services services;
    core::AppState state;
    core::SettingsStore store{services, state};
};

void removeSettings() {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Pellorin");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Pellorin.partial");
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        HKEY run = nullptr;
        if (RegOpenKeyExW(root, kRunListPath, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
            RegDeleteValueW(run, L"Corvane");
            RegCloseKey(run);
        }
    }
}

/// Every value of the key: name and type with data as a number.
std::map<std::wstring, std::pair<DWORD, DWORD>> settingsValues() {
    std::map<std::wstring, std::pair<DWORD, DWORD>> values;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Pellorin\\Corvane\\4.0", 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        return values;
    }
    for (DWORD i = 0;; ++i) {
        wchar_t name[64] = {};
        DWORD nameLength = 64;
        DWORD type = 0;
        DWORD data = 0;
        DWORD size = sizeof data;
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
            ERROR_SUCCESS) {
            break;
        }
        values[name] = {type, data};
    }
    RegCloseKey(key);
    return values;
}

/// Runs this test in a new process that ends at the commit's step; its exit code.
DWORD firstRunEndedAt(int step) {
    SetEnvironmentVariableW(kEndAtStep, std::to_wstring(step).c_str());
    std::wstring line = L"\"" + win::widen(executablePath()) + L"\" --gtest_filter=WindowsFirstRun.*";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                        &startup, &process);
    SetEnvironmentVariableW(kEndAtStep, nullptr);
    if (!started) {
        return 1000;
    }
    WaitForSingleObject(process.hProcess, 30'000);
    DWORD code = 1001;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

constexpr DWORD kEnded = 77;

TEST(WindowsFirstRun, AnEndAtAnyRegistryChangeLeavesNoKeyThatEndsLaterStarts) {
    wchar_t stepText[16] = {};
    if (GetEnvironmentVariableW(kEndAtStep, stepText, 16) > 0) {
        // The cut-short copy: its first run ends the process at that step.
        Program program;
        int steps = 0;
        const int endAt = std::stoi(stepText);
        static_cast<WindowsRegistry&>(*program.services.registry).setCommitStepHook([&] {
            if (++steps == endAt) {
                TerminateProcess(GetCurrentProcess(), kEnded);
            }
        });
        program.start();
        return;
    }
    std::map<std::wstring, std::pair<DWORD, DWORD>> defaults;
    for (const core::StoredOptionRow& row : core::kStoredOptions) {
        defaults[win::widen(std::string(row.name))] = {REG_DWORD, static_cast<DWORD>(row.firstRunValue)};
    }
    int cut = 0;
    for (int step = 1; step < 40; ++step) {
        SCOPED_TRACE(step);
        removeSettings();
        const DWORD code = firstRunEndedAt(step);
        ASSERT_TRUE(code == kEnded || code == 0) << code;
        Program later;
        later.start();
        EXPECT_EQ(static_cast<RecordedBoxes&>(*later.services.messages).shown, std::vector<std::string>{});
        EXPECT_EQ(static_cast<RecordedEnds&>(*later.services.process).ends, 0);
        EXPECT_EQ(settingsValues(), defaults);
        HKEY partial = nullptr;
        EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Pellorin.partial", 0, KEY_READ, &partial),
                  ERROR_FILE_NOT_FOUND);
        if (code == 0) {
            break; // the first run had fewer changes than this: each has been cut
        }
        ++cut;
    }
    // Each key and each of the five values, and the rename.
    EXPECT_GE(cut, 7);
    removeSettings();
}

} // namespace
