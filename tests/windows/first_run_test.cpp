// The first run ended at each of its registry changes (for real: a copy of this test ends its
// process there), then a start as usual: no such end may leave a settings key that makes every
// later start end in the installation error.
#include "core/settings_store.h"
#include "fakes/fake_services.h"
#include "platform/windows/registry_windows.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/windows_services.h"
#include "windows/run_self.h"

#include <gtest/gtest.h>

#include <map>

using namespace platform;

namespace {

constexpr const wchar_t* kEndAtStep = L"CORVANE_END_AT_COMMIT_STEP";
constexpr DWORD kEnded = 77;

/// What a start does with the settings: the first run when the key is missing, then the reads.
int startShowingBoxes(const std::function<void()>& commitStep = {}) {
    Services services;
    auto registry = std::make_unique<WindowsRegistry>();
    registry->setCommitStepHook(commitStep);
    services.registry = std::move(registry);
    auto boxes = std::make_unique<fakes::FakeMessageBoxes>();
    const fakes::FakeMessageBoxes& shown = *boxes;
    services.messages = std::move(boxes);
    auto process = std::make_unique<fakes::FakeProcessControl>();
    const fakes::FakeProcessControl& ends = *process;
    services.process = std::move(process);
    core::AppState state;
    core::SettingsStore store(services, state);
    if (store.probeSettingsKey() != kErrorSuccess) {
        store.runFirstRunSequence("C:\\Program Files\\Corvane\\Corvane4.0.exe");
    }
    store.loadOption(core::StoredOption::HourlyBeep);
    store.loadOption(core::StoredOption::Figures);
    store.readOption(core::StoredOption::OnTop);
    store.readOption(core::StoredOption::Transparency);
    return static_cast<int>(shown.shown.size() + ends.terminations.size()) + ends.immediateEnds;
}

/// Every value of the key as name, type and number.
std::map<std::wstring, std::pair<DWORD, DWORD>> keyValues(const wchar_t* path) {
    std::map<std::wstring, std::pair<DWORD, DWORD>> values;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return values;
    }
    wchar_t name[64] = {};
    DWORD length = 64, type = 0, data = 0, size = sizeof data;
    for (DWORD i = 0; RegEnumValueW(key, i, name, &length, nullptr, &type, reinterpret_cast<BYTE*>(&data),
                                    &size) == ERROR_SUCCESS;
         ++i, length = 64, size = sizeof data) {
        values[name] = {type, data};
    }
    RegCloseKey(key);
    return values;
}

TEST(WindowsFirstRun, AnEndAtAnyRegistryChangeLeavesNoKeyThatEndsLaterStarts) {
    wchar_t endAt[16] = {};
    if (GetEnvironmentVariableW(kEndAtStep, endAt, 16) > 0) {
        int steps = 0;
        startShowingBoxes([&] {
            if (++steps == std::stoi(endAt)) {
                TerminateProcess(GetCurrentProcess(), kEnded);
            }
        });
        return;
    }
    std::map<std::wstring, std::pair<DWORD, DWORD>> defaults;
    for (const core::StoredOptionRow& row : core::kStoredOptions) {
        defaults[win::widen(std::string(row.name))] = {REG_DWORD, static_cast<DWORD>(row.firstRunValue)};
    }
    int ended = 0;
    for (DWORD code = kEnded; code == kEnded && ended < 40;) {
        SCOPED_TRACE(ended + 1);
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Pellorin");
        SetEnvironmentVariableW(kEndAtStep, std::to_wstring(++ended).c_str());
        code = runSelf(L"--gtest_filter=WindowsFirstRun.*");
        SetEnvironmentVariableW(kEndAtStep, nullptr);
        EXPECT_TRUE(code == kEnded || code == 0) << code;
        EXPECT_EQ(startShowingBoxes(), 0);
        EXPECT_EQ(keyValues(L"Software\\Pellorin\\Corvane\\4.0"), defaults);
        EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Pellorin.partial"), ERROR_FILE_NOT_FOUND);
    }
    // Three keys, five values each in a key of its own opening, and the rename, then a run uncut.
    EXPECT_EQ(ended, 15);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Pellorin");
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRunListPath, L"Corvane");
}

} // namespace
