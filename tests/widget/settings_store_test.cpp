// The options store at start-up and afterwards: the first run, the readers with their caches
// and timers, the writers, and the messages of its failures.
#include "fixtures.h"

#include <algorithm>
#include <stdexcept>

namespace {

using platform::MessageIcon;

const std::string kKey = "HKCU\\Software\\Pellorin\\Corvane\\4.0";
const std::string kRun = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const QString kInstallationError = "Corvane Installation Error. Please Reinstall the Product.";

std::ptrdiff_t indexOf(const std::vector<std::string>& calls, const std::string& prefix) {
    const auto it = std::find_if(calls.begin(), calls.end(),
                                 [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
    return it == calls.end() ? -1 : it - calls.begin();
}

} // namespace

using SettingsStartUp = MainWindowTest;

TEST_F(SettingsStartUp, FirstRunOnAnEmptyStore_AutostartFirstThenExactlyTheFiveDefaultsInOneWrite) {
    load();

    EXPECT_EQ(f.registry->valueNames(kKey),
              (std::vector<std::string>{"autoaddstp", "hrbeep", "Ontop", "ShowMemCpu", "tpme"}));
    const std::uint32_t expected[] = {1, 1, 0, 1, 0};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(f.registry->dword(kKey, f.registry->valueNames(kKey)[i]), expected[i]);
    }
    EXPECT_EQ(f.registry->text(kRun, "Corvane"), f.processes->ownExecutablePath());

    const auto& calls = f.registry->calls;
    EXPECT_EQ(calls.front(), "open HKCU\\Software\\Pellorin\\Corvane\\4.0 read");
    const auto autostart = indexOf(calls, "set " + kRun + " Corvane");
    const auto begin = indexOf(calls, "begin");
    const auto firstCreate = indexOf(calls, "create HKCU\\Software\\Pellorin");
    const auto commit = indexOf(calls, "commit");
    ASSERT_GE(autostart, 0);
    EXPECT_LT(autostart, begin);
    EXPECT_LT(begin, firstCreate);
    EXPECT_LT(indexOf(calls, "set " + kKey + " tpme"), commit);
    EXPECT_EQ(f.registry->openHandles(), 0u);

    // Then read back like on any other run.
    EXPECT_TRUE(f.messages->shown.empty());
    EXPECT_FALSE(f.process->ended());
    EXPECT_EQ(mainWindow->state().optionCache(core::StoredOption::Figures), "1");
    EXPECT_EQ(mainWindow->state().optionCache(core::StoredOption::HourlyBeep), "1");
    EXPECT_TRUE(mainWindow->hourlyBeepTimer.isActive());
    EXPECT_TRUE(mainWindow->captionTimer.isActive());
}

TEST_F(SettingsStartUp, KeyPresent_NoDefaultIsWrittenEvenWithValuesMissing) {
    f.registry->setDword(kKey, "hrbeep", 0);
    f.registry->setDword(kKey, "ShowMemCpu", 0);
    load();
    EXPECT_EQ(indexOf(f.registry->calls, "set "), -1);
    EXPECT_EQ(indexOf(f.registry->calls, "create "), -1);
    EXPECT_EQ(f.registry->valueNames(kKey), (std::vector<std::string>{"hrbeep", "ShowMemCpu"}));
    EXPECT_FALSE(mainWindow->hourlyBeepTimer.isActive());
    EXPECT_FALSE(mainWindow->captionTimer.isActive());
    EXPECT_TRUE(f.messages->shown.empty());
    // Readers spell the first level in capitals, the probe does not: the same key.
    EXPECT_GE(indexOf(f.registry->calls, "open HKCU\\SOFTWARE\\Pellorin\\Corvane\\4.0 read"), 0);
}

TEST_F(SettingsStartUp, KeyPresentButEmpty_InstallationErrorAndTheEnd) {
    f.registry->makeKey(kKey);
    load();
    EXPECT_EQ(f.messages->shown, fakes::oneBox(kInstallationError, MessageIcon::Critical));
    EXPECT_EQ(f.process->immediateEnds, 1);
    EXPECT_TRUE(f.process->terminations.empty()); // no unload handler
    EXPECT_TRUE(f.registry->valueNames(kKey).empty());
    // Nothing of start-up after the first reader: no tray icon.
    EXPECT_EQ(mainWindow->trayIcon(), nullptr);
}

TEST(SettingsFirstRun, StoreHeldByAnotherProcess_WindowRunsFirstAndTheAnswerDecidesTheReaders) {
    for (const bool stored : {true, false}) {
        MainWindowHarness h;
        h.f.registry->holdStores = true;
        h.load();
        EXPECT_TRUE(h.mainWindow->isVisible());
        EXPECT_TRUE(h.mainWindow->uptimeTimer.isActive());
        EXPECT_EQ(indexOf(h.f.registry->calls, "open HKCU\\SOFTWARE"), -1); // no reader yet
        EXPECT_EQ(h.mainWindow->trayIcon(), nullptr);
        if (!stored) {
            for (const std::string& name : h.f.registry->valueNames(kKey)) {
                h.f.registry->removeValue(kKey, name);
            }
        }
        h.f.registry->releaseStores(stored);
        EXPECT_EQ(h.mainWindow->trayIcon() != nullptr, stored);
        EXPECT_EQ(h.f.messages->shown.empty(), stored);
        EXPECT_EQ(h.f.process->immediateEnds, stored ? 0 : 1);
    }
}
