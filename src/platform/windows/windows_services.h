#pragma once

// The Windows implementations of the services, on the Win32 API. Only the platform library
// and its tests include this.

#include "platform/services.h"

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <optional>
#include <string>

namespace platform {

/// GetTickCount64 for the tick count (no wrap after 49.7 days), the user's short date and long
/// time formats through GetDateFormatEx and GetTimeFormatEx.
class WindowsClock final : public Clock {
public:
    std::uint64_t tickCount() override;
    std::int64_t nowMsecsSinceEpoch() override;
    std::string formatShortDate(std::int64_t msecsSinceEpoch) override;
    std::string formatLongTime(std::int64_t msecsSinceEpoch) override;
    std::string formatShortTime(std::int64_t msecsSinceEpoch) override;
};

/// EnumProcesses and GetModuleFileNameExW.
class WindowsProcesses final : public Processes {
public:
    /// The program's fixed file name for the instance check.
    static constexpr const char* kExecutableName = "Corvane4.0.exe";

    std::vector<std::uint32_t> processIds() override;
    std::optional<std::string> executablePath(std::uint32_t pid) override;
    std::string instanceExecutablePath() override;
    std::string ownExecutablePath() override;
};

/// The full path of the running executable, in UTF-8.
std::string executablePath();
/// The folder of the running executable, without a trailing separator unless it is a drive's root.
std::string executableFolder();

class WindowsProcessControl final : public ProcessControl {
public:
    ~WindowsProcessControl() override;
    int platformId() override;
    /// CreateMutexA, not initially owned; the handle stays open until the process ends.
    void createInstanceLock(const std::string& name) override;
    std::uint32_t currentExitCode() override;
    void terminateCurrentProcess(std::uint32_t code) override;
    void endImmediately() override;

private:
    HANDLE m_lock = nullptr;
};

/// One processor's times since the system started, in units of 100 ns; kernel time includes idle.
struct ProcessorTimes {
    std::uint64_t idle = 0;
    std::uint64_t kernel = 0;
    std::uint64_t user = 0;
};

/// The busy share of a processor between two readings of its times, in percent; nothing when
/// no time passed between them.
std::optional<double> busyShare(const ProcessorTimes& before, const ProcessorTimes& now);

/// The figure of one collection: the counter's value when its status is good; nothing (the
/// previous figure stands) for a status that a counter gives now and then, such as a roll-over
/// (PDH_CALC_NEGATIVE_DENOMINATOR); the figure from the processor times for any other status.
std::optional<double> processorFigure(long counterStatus, double counterValue,
                                      std::optional<double> fromTimes);

/// The processor counter through PDH, beside the processor times of the system
/// (NtQuerySystemInformation) where the counter is missing or fails; the available memory
/// through GlobalMemoryStatusEx.
class WindowsSystemFigures final : public SystemFigures {
public:
    WindowsSystemFigures();
    ~WindowsSystemFigures() override;
    void openProcessorQuery() override;
    void addProcessorCounter(int processor) override;
    std::optional<double> collectProcessorUsage() override;
    std::uint64_t availableMemoryBytes() override;

private:
    /// The counter's processor's times now; nothing when the system does not tell them.
    std::optional<ProcessorTimes> readProcessorTimes();

    void* m_query = nullptr;   // PDH_HQUERY
    void* m_counter = nullptr; // PDH_HCOUNTER
    long m_failure = 0;        // PDH_STATUS of opening the query or adding the counter
    std::wstring m_counterPath;
    int m_processor = 0;
    bool m_collected = false;
    std::optional<ProcessorTimes> m_previousTimes;
    using QuerySystemInformation = LONG(WINAPI*)(int, void*, ULONG, ULONG*);
    QuerySystemInformation m_querySystemInformation = nullptr;
};

/// The work area and logical resolution of the primary screen.
class WindowsScreen final : public Screen {
public:
    Rect workArea() override;
    double twipsPerPixelX() override;
    double twipsPerPixelY() override;
    int windowOpacityFailure() override;
    void clearWindowTitle(unsigned long long windowId) override;
    void quietPropertyNotices(unsigned long long windowId) override;
};

/// The system calls behind the power requests, replaceable for tests. Each returns 0 on
/// success or the system's error code.
struct PowerCalls {
    /// Enables the shutdown privilege of this process's token.
    std::function<unsigned long()> enableShutdownPrivilege;
    /// ExitWindowsEx with the flags.
    std::function<unsigned long(unsigned flags)> exitWindows;
    /// SetSuspendState(hibernate, force, no wake events); nothing when it cannot be called.
    std::function<std::optional<unsigned long>(std::string& why)> hibernate;

    static PowerCalls system();
};

/// ExitWindowsEx, and SetSuspendState for hibernation, each after enabling the shutdown
/// privilege. The system answers at once whether it took the request.
class WindowsPower final : public Power {
public:
    explicit WindowsPower(PowerCalls calls = PowerCalls::system()) : m_calls(std::move(calls)) {}
    void powerOff(PowerAnswered answered) override;
    void reboot(PowerAnswered answered) override;
    void logOff(PowerAnswered answered) override;
    void hibernate(PowerAnswered answered) override;

private:
    void exitWindows(unsigned flags, const PowerAnswered& answered);
    /// Enables the shutdown privilege, then makes the call.
    template <typename Call> auto withShutdownPrivilege(Call call);
    PowerCalls m_calls;
};

/// ShellExecuteW's signature, replaceable for tests.
using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);

/// Programs through CreateProcessW (batch files in the system's cmd.exe, their words quoted for
/// it), the browser through CreateProcessW too (never a shell); files through ShellExecuteW.
class WindowsLauncher final : public Launcher {
public:
    explicit WindowsLauncher(ShellExecuteFunction shellExecute = ShellExecuteW)
        : m_shellExecute(shellExecute) {}
    void runProgram(const std::string& commandLine) override;
    void openUrl(const std::string& url) override;
    /// The file type's default verb, maximized, owned by the main window.
    int openFile(const std::string& path) override;
    void setOwnerWindow(WindowHandle window) override { m_owner = static_cast<HWND>(window); }

private:
    ShellExecuteFunction m_shellExecute;
    HWND m_owner = nullptr;
};

class WindowsMessageBoxes final : public MessageBoxes {
public:
    void show(const std::string& text, const std::string& title, MessageIcon icon) override;
};

/// GetOpenFileNameW.
class WindowsFileDialog final : public FileDialog {
public:
    std::string getOpenFileName(WindowHandle parent, const std::string& startPath,
                                const std::vector<std::string>& filters) override;
    /// Programs, then batch files, under the labels the program has always shown (the second
    /// with its leading blank).
    std::vector<std::string> programFilters() override { return {"(*.exe)", " (*.bat)"}; }
};

/// The data folder is the executable's own: the help page and a copy of Media\notify.wav sit
/// beside it. The notification sound is the Windows directory's Media\notify.wav, the copy
/// where that file is missing.
class WindowsFolders final : public Folders {
public:
    /// Empty folders: the executable's and the system's own.
    explicit WindowsFolders(std::string executableFolder = {}, std::string windowsFolder = {})
        : m_executableFolder(std::move(executableFolder)), m_windowsFolder(std::move(windowsFolder)) {}
    std::string dataFolder() override;
    std::string soundFolder() override;
    std::string separator() override { return "\\"; }

private:
    std::string m_executableFolder;
    std::string m_windowsFolder;
};

/// Beep: the system's tone of the frequency and length; the same time in silence when it fails.
class WindowsToneGenerator final : public ToneGenerator {
public:
    void beep(std::uint32_t frequencyHz, std::uint32_t durationMs) override;
};

/// Wave-file players on the multimedia control interface (MCI), each reporting the end of
/// playback through MM_MCINOTIFY to a message-only window of its own.
class WindowsSoundPlayers final : public SoundPlayers {
public:
    std::unique_ptr<SoundPlayer> create() override;
};

/// Text of a file-dialog filter list as GetOpenFileNameW takes it: label and patterns, each
/// ended by a NUL. An entry "Name (*.a *.b)" gives the patterns "*.a;*.b"; the pattern "*"
/// alone lists programs.
std::wstring openFileFilter(const std::vector<std::string>& filters);

} // namespace platform
