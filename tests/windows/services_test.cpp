// The Win32 services that have no Linux counterpart to share a suite with: power requests on
// a fake of the system calls and once for real, the refused machine-wide log-on list, command
// lines, the file dialog's filters, figures, sound and tone under Wine.
#include "core/autostart.h"
#include "fakes/fake_services.h"
#include "platform/windows/command_line_windows.h"
#include "platform/windows/registry_windows.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/windows_services.h"
#include "windows/run_self.h"

#include <gtest/gtest.h>

#include <pdh.h>
#include <pdhmsg.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

using namespace platform;

namespace {

struct PowerCase {
    const char* what;
    void (Power::*request)(PowerAnswered);
    unsigned flags;
};

TEST(WindowsPower, RequestsReachExitWindowsWithTheirFlagsAndAnswerOnce) {
    const PowerCase cases[] = {
        {"turn off, forced", &Power::powerOff, EWX_SHUTDOWN | EWX_FORCE},
        {"restart, not forced", &Power::reboot, EWX_REBOOT},
        {"log off", &Power::logOff, EWX_LOGOFF},
    };
    for (const PowerCase& c : cases) {
        for (const unsigned long systemResult : {0ul, static_cast<unsigned long>(ERROR_PRIVILEGE_NOT_HELD)}) {
            SCOPED_TRACE(std::string(c.what) + ", system result " + std::to_string(systemResult));
            std::vector<std::string> calls;
            PowerCalls fake;
            fake.enableShutdownPrivilege = [&] {
                calls.push_back("privilege");
                return 0ul;
            };
            fake.exitWindows = [&](unsigned flags) {
                calls.push_back("exit " + std::to_string(flags));
                return systemResult;
            };
            WindowsPower power(fake);
            std::vector<PowerAnswer> answers;
            (power.*c.request)([&](const PowerAnswer& a) { answers.push_back(a); });
            EXPECT_EQ(calls, (std::vector<std::string>{"privilege", "exit " + std::to_string(c.flags)}));
            ASSERT_EQ(answers.size(), 1u);
            EXPECT_EQ(answers[0].outcome, systemResult == 0 ? PowerOutcome::Accepted : PowerOutcome::Refused);
            EXPECT_EQ(answers[0].reason.empty(), systemResult == 0);
        }
    }
}

TEST(WindowsPower, HibernationEnablesThePrivilegeFirstAndTellsAMissingCallFromARefusal) {
    struct Case {
        std::optional<unsigned long> result;
        PowerOutcome outcome;
    };
    const Case cases[] = {{0ul, PowerOutcome::Accepted},
                          {static_cast<unsigned long>(ERROR_ACCESS_DENIED), PowerOutcome::Refused},
                          {std::nullopt, PowerOutcome::Unavailable}};
    for (const Case& c : cases) {
        std::vector<std::string> calls;
        PowerCalls fake;
        fake.enableShutdownPrivilege = [&] {
            calls.emplace_back("privilege");
            return 0ul;
        };
        fake.hibernate = [&](std::string& why) {
            calls.emplace_back("suspend");
            why = "no powrprof.dll";
            return c.result;
        };
        std::optional<PowerAnswer> answer;
        WindowsPower(fake).hibernate([&](const PowerAnswer& a) { answer = a; });
        ASSERT_TRUE(answer.has_value());
        EXPECT_EQ(answer->outcome, c.outcome);
        EXPECT_EQ(calls, (std::vector<std::string>{"privilege", "suspend"}));
        if (c.outcome == PowerOutcome::Unavailable) {
            EXPECT_EQ(answer->reason, "no powrprof.dll");
        }
    }
}

TEST(WindowsPower, ALogOffReachesTheSystem) {
    // In another process: the system may end the session of whoever asks.
    EXPECT_EQ(runSelf(L"--log-off"), 0u) << "ExitWindowsEx refused the log-off";
}

TEST(WindowsProcessControl, TheSystemIsSupportedAndTheProgramEndsWith259) {
    WindowsProcessControl process;
    EXPECT_EQ(process.platformId(), VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(process.currentExitCode(), 259u);
    EXPECT_EQ(runSelf(L"--end-program"), 259u);
}

TEST(WindowsRegistry, ARefusedMachineListTakesTheValueIntoTheUsersList) {
    const auto refuseWrites = [](REGSAM access, HKEY& key) -> LONG {
        if ((access & KEY_SET_VALUE) != 0) {
            return ERROR_ACCESS_DENIED;
        }
        return RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunListPath, 0, access, &key);
    };
    const std::string path = "C:\\Tools\\Corvane4.0.exe";
    const std::string runKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    WindowsRegistry registry(refuseWrites);
    RegKey key = 0;
    ASSERT_EQ(registry.openKey(kHkeyLocalMachine, runKey, 0, kKeyWrite, key), kErrorSuccess);
    ASSERT_EQ(registry.setValue(key, "Corvane", kRegSz, reinterpret_cast<const std::uint8_t*>(path.c_str()),
                                static_cast<std::uint32_t>(path.size() + 1)),
              kErrorSuccess);
    registry.closeKey(key);

    HKEY machine = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunListPath, 0, KEY_READ, &machine), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExW(machine, L"Corvane", nullptr, nullptr, nullptr, nullptr),
              ERROR_FILE_NOT_FOUND);
    RegCloseKey(machine);

    // The check box reads the machine-wide list and finds the user's value behind it.
    const auto readBack = [&] {
        RegKey read = 0;
        EXPECT_EQ(registry.openKey(kHkeyLocalMachine, runKey, 0, kKeyRead, read), kErrorSuccess);
        char buffer[255] = {};
        std::uint32_t type = kRegSz;
        std::uint32_t size = sizeof buffer;
        const long result =
            registry.queryValue(read, "Corvane", type, reinterpret_cast<std::uint8_t*>(buffer), size);
        registry.closeKey(read);
        return result == kErrorSuccess ? std::string(buffer)
                                       : std::string("result ") + std::to_string(result);
    };
    EXPECT_EQ(readBack(), path);

    ASSERT_EQ(registry.openKey(kHkeyLocalMachine, runKey, 0, kKeyWrite, key), kErrorSuccess);
    EXPECT_EQ(registry.deleteValue(key, "Corvane"), kErrorSuccess);
    registry.closeKey(key);
    EXPECT_EQ(readBack(), "result 2");
}

// Puts "Corvane" into or out of the first lists Windows starts programs from at log-on (the
// machine's, its 32-bit view where older 32-bit copies wrote, the user's); which hold it then.
std::vector<bool> runLists(const std::vector<bool>& put = {}) {
    const std::pair<HKEY, REGSAM> lists[] = {
        {HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY}, {HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY}, {HKEY_CURRENT_USER, 0}};
    std::vector<bool> found;
    for (const auto& [root, view] : lists) {
        HKEY key = nullptr;
        RegCreateKeyExW(root, kRunListPath, 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key, nullptr);
        if (found.size() < put.size()) {
            put[found.size()]
                ? RegSetValueExW(key, L"Corvane", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"x"), 4)
                : RegDeleteValueW(key, L"Corvane");
        }
        found.push_back(RegQueryValueExW(key, L"Corvane", nullptr, nullptr, nullptr, nullptr) ==
                        ERROR_SUCCESS);
        RegCloseKey(key);
    }
    return found;
}

TEST(WindowsRegistry, TheBoxShowsAndUntickingRemovesEveryValueThatStartsTheProgram) {
    // Where the values are; whether the machine's lists refuse changes (a standard user's).
    const std::pair<std::vector<bool>, bool> cases[] = {
        {{false, true, false}, false}, {{true, true, true}, false}, {{false, true, true}, true}};
    for (const auto& [values, standardUser] : cases) {
        ASSERT_EQ(runLists(values), values);
        WindowsRegistry registry([standardUser = standardUser](REGSAM access, HKEY& key) -> LONG {
            return standardUser && (access & KEY_SET_VALUE) != 0
                       ? ERROR_ACCESS_DENIED
                       : RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunListPath, 0, access, &key);
        });
        EXPECT_EQ(core::readAutostartCheck(registry), std::optional<bool>(true));
        fakes::FakeMessageBoxes boxes;
        core::unregisterAutostart(registry, boxes);
        // Gone wherever the user may change the list; what stays still starts the program, and shows.
        EXPECT_EQ(runLists(),
                  (std::vector<bool>{standardUser && values[0], standardUser && values[1], false}));
        EXPECT_EQ(core::readAutostartCheck(registry), std::optional<bool>(standardUser));
    }
    runLists({false, false, false});
}

TEST(WindowsCommandLine, EveryArgumentReachesTheProgramAsItWasGrouped) {
    const std::vector<std::wstring> words = {
        L"plain", L"two words", L"a\"quote", L"trailing\\", L"back\\\\slashes\\\"", L"", L"x|y&z;"};
    const win::ProgramCall call{L"C:\\Program Files\\probe & co\\probe.exe", words};
    int count = 0;
    wchar_t** parsed = CommandLineToArgvW(win::joinCommandLine(call).c_str(), &count);
    ASSERT_NE(parsed, nullptr);
    std::vector<std::wstring> back(parsed, parsed + count);
    LocalFree(parsed);
    ASSERT_EQ(back.size(), words.size() + 1);
    EXPECT_EQ(back[0], call.program);
    EXPECT_EQ(std::vector<std::wstring>(back.begin() + 1, back.end()), words);
}

TEST(WindowsCommandLine, ABareNameIsFoundInPathAndQuotesGroupWords) {
    const win::ProgramCall call = win::resolveCommandLine("cmd \"a b\" c \"say \"\"hi\"\"\"");
    EXPECT_EQ(CompareStringOrdinal(std::filesystem::path(call.program).filename().c_str(), -1, L"cmd.exe", -1,
                                   TRUE),
              CSTR_EQUAL);
    EXPECT_EQ(call.arguments, (std::vector<std::wstring>{L"a b", L"c", L"say \"hi\""}));
}

TEST(WindowsCommandLine, ABareNameIsFoundWhereCreateProcessLooksWithTheProgramEndings) {
    // The program's folder before the current one, the current before the system's; .exe first.
    const std::filesystem::path current = std::filesystem::temp_directory_path() / "corvane aktuell";
    std::filesystem::create_directories(current);
    for (const char* file : {"windows_tests.exe", "corvane-batch.bat", "notepad.cmd"}) {
        std::ofstream(current / file) << "MZ";
    }
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(current);
    std::wstring system(MAX_PATH, L'\0');
    system.resize(GetSystemDirectoryW(system.data(), MAX_PATH));
    const std::pair<const char*, std::filesystem::path> cases[] = {
        {"windows_tests", win::widen(executablePath())},
        {"corvane-batch", current / "corvane-batch.bat"},
        {"notepad", std::filesystem::path(system) / "notepad.exe"}};
    for (const auto& [name, expected] : cases) {
        const std::wstring program = win::resolveCommandLine(std::string(name) + " x").program;
        EXPECT_EQ(CompareStringOrdinal(program.c_str(), -1, expected.c_str(), -1, TRUE), CSTR_EQUAL) << name;
    }
    std::filesystem::current_path(before);
    std::filesystem::remove_all(current);
}

TEST(WindowsCommandLine, ABatchFilesWordsAreQuotedForTheShellAndNoneExpands) {
    const win::ProgramCall call{L"C:\\a b\\x.bat", {L"p-1.0", L"a & b", L"%PATH%", L"s \"t\"", L"", L"e\\"}};
    EXPECT_EQ(win::batchCommandLine(call), L"cmd.exe /d /e:ON /v:OFF /c \"\"C:\\a b\\x.bat\" p-1.0 \"a & b\" "
                                           L"\"%%cd:~,%PATH%%cd:~,%\" \"s \"\"t\"\"\" \"\" \"e\\\\\"\"");
    EXPECT_TRUE(win::isBatchFile(L"C:\\a.b\\run.CMD"));
    EXPECT_FALSE(win::isBatchFile(L"C:\\a.bat\\run"));
}

/// The file's lines once it has the count of them (or after 15 s).
std::vector<std::string> linesOnceThere(const std::filesystem::path& file, std::size_t count) {
    std::vector<std::string> lines;
    for (int attempt = 0; attempt < 750 && lines.size() < count; ++attempt) {
        Sleep(20);
        lines.clear();
        std::ifstream in(file);
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
    }
    return lines;
}

TEST(WindowsLauncher, ABatchFileRunsWithItsWordsAndTheShellReadsNoneOfThem) {
    // The file writes the words it got: one the shell read as its syntax would run a command.
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "corvane stapel";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "probe.cmd") << "@echo off\r\n>\"%~dp0out.txt\" echo %*\r\n";
    const std::string batch = "\"" + win::narrow((folder / "probe.cmd").wstring()) + "\"";
    WindowsLauncher launcher;
    launcher.runProgram(batch + " plain \"a & echo x>evil\" \"say \"\"hi\"\"\" x|y ^^ \"!x!\"");
    EXPECT_EQ(
        linesOnceThere(folder / "out.txt", 1),
        std::vector<std::string>{"plain \"a & echo x>evil\" \"say \"\"hi\"\"\" \"x|y\" \"^^\" \"!x!\""});
    EXPECT_FALSE(std::filesystem::exists(folder / "evil"));
    EXPECT_THROW(launcher.runProgram(batch + " \"two\nlines\""), std::runtime_error);
    std::filesystem::remove_all(folder);
}

std::wstring shellExecuted;
HINSTANCE WINAPI recordShellExecute(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR, LPCWSTR, INT show) {
    shellExecuted = std::to_wstring(reinterpret_cast<UINT_PTR>(owner)) + L" " + (verb ? verb : L"-") + L" " +
                    file + L" " + std::to_wstring(show);
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

TEST(WindowsLauncher, AFileOpensWithItsDefaultVerbMaximizedOnBehalfOfTheOwner) {
    const std::filesystem::path page = std::filesystem::temp_directory_path() / "help.htm";
    std::ofstream(page) << "<p>help</p>";
    WindowsLauncher launcher(recordShellExecute);
    launcher.setOwnerWindow(reinterpret_cast<HWND>(static_cast<UINT_PTR>(7)));
    EXPECT_EQ(launcher.openFile(win::narrow(page.wstring())), 42);
    EXPECT_EQ(shellExecuted, L"7 - " + page.wstring() + L" " + std::to_wstring(SW_SHOWMAXIMIZED));
    std::filesystem::remove(page);
}

TEST(WindowsLauncher, TheBrowserRegisteredForHttpGetsTheAddressAsItsOneArgument) {
    const wchar_t* address = L"https://example.org/a b?q=\"%COMSPEC%\"&r=1";
    const std::wstring sent = L"https://example.org/a%20b?q=%22%COMSPEC%%22&r=1";
    const std::pair<const wchar_t*, std::wstring> cases[] = {
        {L"\"C:\\b\\firefox.exe\" -osint -url \"%1\"",
         L"\"C:\\b\\firefox.exe\" -osint -url \"" + sent + L"\""},
        {L"\"C:\\b\\msedge.exe\" --single-argument %1 %*",
         L"\"C:\\b\\msedge.exe\" --single-argument " + sent + L" "},
        {L"\"C:\\b\\old.exe\" \"%L\"", L"\"C:\\b\\old.exe\" \"" + sent + L"\""},
        {L"\"C:\\b\\bare.exe\"", L"\"C:\\b\\bare.exe\" " + sent},
    };
    for (const auto& [command, line] : cases) {
        EXPECT_EQ(win::browserCommandLine(command, address), line);
    }

    // For real, with a recording browser registered for http in place of the prefix's own.
    const std::filesystem::path log = std::filesystem::temp_directory_path() / "corvane browser visits.txt";
    std::filesystem::remove(log);
    SetEnvironmentVariableW(L"CORVANE_PROBE_LOG", log.wstring().c_str());
    const wchar_t* key = L"Software\\Classes\\http\\shell\\open\\command";
    wchar_t previous[1024] = {};
    DWORD previousSize = sizeof previous;
    const bool hadPrevious = RegGetValueW(HKEY_LOCAL_MACHINE, key, nullptr, RRF_RT_REG_SZ, nullptr, previous,
                                          &previousSize) == ERROR_SUCCESS;
    const std::wstring browser =
        L"\"" +
        (std::filesystem::path(win::widen(executablePath())).parent_path() / L"conformance_probe.exe")
            .wstring() +
        L"\" -url \"%1\"";
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, nullptr, REG_SZ, browser.c_str(),
                              static_cast<DWORD>((browser.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    WindowsLauncher launcher;
    launcher.openUrl(win::narrow(address));
    launcher.openUrl("");
    std::vector<std::string> visits = linesOnceThere(log, 2);
    if (hadPrevious) {
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, nullptr, REG_SZ, previous, previousSize);
    }
    std::sort(visits.begin(), visits.end());
    EXPECT_EQ(visits, (std::vector<std::string>{"ran", "ran\x1f-url\x1f" + win::narrow(sent)}));
    std::filesystem::remove(log);
}

TEST(WindowsFileDialog, FiltersBecomeLabelAndPatternPairs) {
    const std::wstring list = openFileFilter({"Programs (*)", "Sounds (*.wav *.mp3)"});
    std::wstring expected;
    for (const wchar_t* part :
         {L"Programs (*)", L"*.exe;*.com;*.bat;*.cmd", L"Sounds (*.wav *.mp3)", L"*.wav;*.mp3", L""}) {
        expected += part;
        expected += L'\0';
    }
    EXPECT_EQ(list, expected);
    // The programs to run on Windows: executables, then batch files.
    EXPECT_EQ(openFileFilter(WindowsFileDialog().programFilters()),
              std::wstring(L"(*.exe)\0*.exe\0 (*.bat)\0*.bat\0\0", 30));
}

TEST(WindowsFigures, TheCountersFigureUnlessItFailsAndARollOverKeepsThePreviousOne) {
    EXPECT_EQ(processorFigure(ERROR_SUCCESS, 12.5, 40.0), 12.5);
    EXPECT_EQ(processorFigure(static_cast<long>(PDH_CALC_NEGATIVE_DENOMINATOR), 12.5, 40.0), std::nullopt);
    EXPECT_EQ(processorFigure(static_cast<long>(PDH_CSTATUS_NO_COUNTER), 12.5, 40.0), 40.0);
    EXPECT_EQ(busyShare({100, 300, 100}, {175, 400, 200}), 62.5); // busy: kernel and user not idle
    EXPECT_EQ(busyShare({100, 300, 100}, {100, 300, 100}), std::nullopt);
}

TEST(WindowsFigures, MemoryIsRealAndTheFirstCollectionGivesZeroWithOrWithoutTheCounter) {
    WindowsSystemFigures figures;
    EXPECT_GT(figures.availableMemoryBytes(), 16u * 1024 * 1024);
    figures.openProcessorQuery();
    figures.addProcessorCounter(0); // Wine lacks it, Windows has it
    EXPECT_EQ(figures.collectProcessorUsage(), 0.0);
}

TEST(WindowsFolders, TheSoundIsTheWindowsDirectorysUnlessItIsMissing) {
    const std::filesystem::path root = std::filesystem::temp_directory_path() / L"corvane ordner";
    std::filesystem::create_directories(root / "windows" / "Media");
    const std::string program = win::narrow((root / "program").wstring());
    const std::string windows = win::narrow((root / "windows").wstring());
    EXPECT_EQ(WindowsFolders(program, windows).soundFolder(), program);
    std::ofstream(root / "windows" / "Media" / "notify.wav") << "RIFF";
    EXPECT_EQ(WindowsFolders(program, windows).soundFolder(), windows);
    std::filesystem::remove_all(root);
}

TEST(WindowsSound, AFileThatIsNoWaveIsRefusedBeforeTheDeviceOpens) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / L"corvane klänge";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / L"text.wav") << "not a wave file";
    struct Case {
        std::filesystem::path file;
        const char* says;
    };
    const Case cases[] = {{folder / L"missing.wav", "does not exist"},
                          {folder / L"text.wav", "cannot be played"}};
    auto player = WindowsSoundPlayers().create();
    for (const Case& c : cases) {
        try {
            player->open(win::narrow(c.file.wstring()));
            ADD_FAILURE() << "opened " << c.says;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("klänge"), std::string::npos) << e.what();
        }
    }
    std::filesystem::remove_all(folder);
}

TEST(WindowsTone, ABeepLastsItsLength) {
    WindowsToneGenerator tone;
    // Also a frequency that Beep cannot play: the same time passes in silence.
    for (const std::uint32_t frequency : {1000u, 20u}) {
        const auto start = std::chrono::steady_clock::now();
        tone.beep(frequency, 120);
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100))
            << frequency << " Hz";
    }
}

} // namespace

namespace {

/// A wave file of 16-bit mono silence lasting durationMs at 8 kHz.
void writeSilence(const std::filesystem::path& file, std::uint32_t durationMs) {
    const std::uint32_t rate = 8000, bytes = rate * 2 * durationMs / 1000;
    std::ofstream out(file, std::ios::binary);
    const auto put32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    const auto put16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    put32(36 + bytes);
    out.write("WAVEfmt ", 8);
    put32(16);
    put16(1);
    put16(1);
    put32(rate);
    put32(rate * 2);
    put16(2);
    put16(16);
    out.write("data", 4);
    put32(bytes);
    out << std::string(bytes, '\0');
}

TEST(WindowsSound, TheEndOfPlaybackArrivesThroughTheWindowsMessages) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / L"corvane stille.wav";
    writeSilence(file, 200);
    auto player = WindowsSoundPlayers().create();
    int finished = 0;
    player->setOnFinished([&] { ++finished; });
    player->open(win::narrow(file.wstring()));
    player->play();
    EXPECT_EQ(finished, 0);
    const ULONGLONG start = GetTickCount64();
    MSG message;
    while (finished == 0 && GetTickCount64() - start < 5000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
    }
    EXPECT_EQ(finished, 1);
    player->close();
    std::filesystem::remove(file);
}

} // namespace
