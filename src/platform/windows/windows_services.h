#pragma once

// The Windows implementations of the services, on the Win32 API. Only the platform library
// and its tests include this.

#include "platform/services.h"

#include <windows.h>

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

/// The processor counter through PDH, the available memory through GlobalMemoryStatusEx.
class WindowsSystemFigures final : public SystemFigures {
public:
    ~WindowsSystemFigures() override;
    void openProcessorQuery() override;
    void addProcessorCounter(int processor) override;
    double collectProcessorUsage() override;
    std::uint64_t availableMemoryBytes() override;

private:
    void* m_query = nullptr;   // PDH_HQUERY
    void* m_counter = nullptr; // PDH_HCOUNTER
    long m_failure = 0;        // PDH_STATUS of opening the query or adding the counter
    std::wstring m_counterPath;
    bool m_collected = false;
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

/// ExitWindowsEx after enabling the shutdown privilege; SetSuspendState for hibernation. The
/// system answers at once whether it took the request.
class WindowsPower final : public Power {
public:
    explicit WindowsPower(PowerCalls calls = PowerCalls::system()) : m_calls(std::move(calls)) {}
    void powerOff(PowerAnswered answered) override;
    void reboot(PowerAnswered answered) override;
    void logOff(PowerAnswered answered) override;
    void hibernate(PowerAnswered answered) override;

private:
    void exitWindows(unsigned flags, const PowerAnswered& answered);
    PowerCalls m_calls;
};

/// Programs and the browser through CreateProcessW (never a shell); files through ShellExecuteW.
class WindowsLauncher final : public Launcher {
public:
    void runProgram(const std::string& commandLine) override;
    void openUrl(const std::string& url) override;
    int openFile(const std::string& path) override;
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
};

/// The data folder is the executable's own: the help page and Media\notify.wav sit beside it.
/// (The Windows directory's Media\notify.wav is not shipped by today's Windows, and the one
/// data folder serves the help page as well.)
class WindowsFolders final : public Folders {
public:
    explicit WindowsFolders(std::string executableFolder = {})
        : m_executableFolder(std::move(executableFolder)) {}
    std::string dataFolder() override;
    std::string separator() override { return "\\"; }

private:
    std::string m_executableFolder;
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
