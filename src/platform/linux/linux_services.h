#pragma once

// The Linux implementations of the services. Only the platform library includes this.

#include "platform/linux/audio_backend.h"
#include "platform/linux/proc_figures.h"
#include "platform/services.h"

#include <QDateTime>

#include <array>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

/// CLOCK_BOOTTIME for the tick count, Qt's system locale for the formats. The local time
/// zone's offset is looked up once a minute, not at every format.
class LinuxClock final : public Clock {
public:
    std::uint64_t tickCount() override;
    std::int64_t nowMsecsSinceEpoch() override;
    std::string formatShortDate(std::int64_t msecsSinceEpoch) override;
    std::string formatLongTime(std::int64_t msecsSinceEpoch) override;
    std::string formatShortTime(std::int64_t msecsSinceEpoch) override;

private:
    QDateTime localTime(std::int64_t msecsSinceEpoch);

    std::int64_t m_offsetMinute = std::numeric_limits<std::int64_t>::min();
    int m_offsetSeconds = 0;
};

/// Processes from /proc; a process whose executable link cannot be read cannot be opened.
class LinuxProcesses final : public Processes {
public:
    /// The program's fixed file name for the instance check.
    static constexpr const char* kExecutableName = "corvane";

    explicit LinuxProcesses(std::string procRoot = "/proc") : m_procRoot(std::move(procRoot)) {}
    std::vector<std::uint32_t> processIds() override;
    std::optional<std::string> executablePath(std::uint32_t pid) override;
    std::string instanceExecutablePath() override;
    std::string ownExecutablePath() override;

private:
    std::string m_procRoot;
};

class LinuxProcessControl final : public ProcessControl {
public:
    int platformId() override;
    void createInstanceLock(const std::string& name) override;
    std::uint32_t currentExitCode() override;
    void terminateCurrentProcess(std::uint32_t code) override;
    void endImmediately() override;
    /// Runs right before the process ends, by either way: the settings still waiting are stored
    /// or reported there.
    void setBeforeEnd(std::function<void()> beforeEnd) { m_beforeEnd = std::move(beforeEnd); }

private:
    void runBeforeEnd();

    int m_lockFd = -1;
    std::function<void()> m_beforeEnd;
};

/// Processor 0's usage from the successive lines of /proc/stat, the available memory from
/// /proc/meminfo. Each file is opened once and read from its start at each collection.
class LinuxSystemFigures final : public SystemFigures {
public:
    explicit LinuxSystemFigures(std::string procRoot = "/proc");
    ~LinuxSystemFigures() override;
    LinuxSystemFigures(const LinuxSystemFigures&) = delete;
    LinuxSystemFigures& operator=(const LinuxSystemFigures&) = delete;

    void openProcessorQuery() override;
    void addProcessorCounter(int processor) override;
    std::optional<double> collectProcessorUsage() override;
    std::uint64_t availableMemoryBytes() override;

private:
    std::string_view readFromStart(int fd, const char* what);

    std::string m_procRoot;
    int m_statFd = -1;
    int m_statErrno = 0;
    int m_meminfoFd = -1;
    std::string m_counter;
    std::optional<CpuJiffies> m_previous;
    std::array<char, 4096> m_buffer{};
};

/// The primary screen's work area and logical resolution.
class LinuxScreen final : public Screen {
public:
    Rect workArea() override;
    double twipsPerPixelX() override;
    double twipsPerPixelY() override;
    int windowOpacityFailure() override;
    void clearWindowTitle(unsigned long long windowId) override;
    void quietPropertyNotices(unsigned long long windowId) override;

private:
    std::uint32_t m_netWmName = 0;
    std::uint32_t m_utf8String = 0;
};

/// logind on the system bus; log-off and restart through the desktop's session manager when one
/// answers. Every answer arrives through the event loop: no request waits.
class LinuxPower final : public Power {
public:
    void powerOff(PowerAnswered answered) override;
    void reboot(PowerAnswered answered) override;
    void logOff(PowerAnswered answered) override;
    void hibernate(PowerAnswered answered) override;
};

/// Programs started without a shell; addresses and files opened through QDesktopServices.
class LinuxLauncher final : public Launcher {
public:
    void runProgram(const std::string& commandLine) override;
    void openUrl(const std::string& url) override;
    int openFile(const std::string& path) override;
};

class QtMessageBoxes final : public MessageBoxes {
public:
    void show(const std::string& text, const std::string& title, MessageIcon icon) override;
};

/// QFileDialog, native where the desktop offers one.
class QtFileDialog final : public FileDialog {
public:
    std::string getOpenFileName(WindowHandle parent, const std::string& startPath,
                                const std::vector<std::string>& filters) override;
    /// Any file may be a program here (they carry no name extension); shell scripts second.
    std::vector<std::string> programFilters() override { return {"Programs (*)", "Shell scripts (*.sh)"}; }
};

/// The folder of the running executable, from /proc/self/exe; empty when it cannot be read.
std::string executableFolder();

/// The data folder is <executable folder>/../share/corvane, the same in the build tree and
/// in an installed prefix.
class LinuxFolders final : public Folders {
public:
    /// executableFolder stands in for the running program's folder (for tests).
    explicit LinuxFolders(std::string executableFolder = {})
        : m_executableFolder(std::move(executableFolder)) {}
    std::string dataFolder() override;
    std::string separator() override { return "/"; }

private:
    std::string m_executableFolder;
};

/// Loads the audio module on first use and owns its back end. Shared by the tone generator
/// and the players; the back end goes when the last of them goes.
class AudioModule final {
public:
    /// modulePath empty: the module installed beside the program (<bin>/../lib/corvane).
    explicit AudioModule(std::string modulePath = {});
    ~AudioModule();
    AudioModule(const AudioModule&) = delete;
    AudioModule& operator=(const AudioModule&) = delete;
    /// The back end, loaded on the first call; nullptr when the module cannot be loaded.
    AudioBackend* backend();

private:
    std::string m_modulePath;
    bool m_tried = false;
    std::unique_ptr<AudioBackend> m_backend;
};

/// Sine tones through the audio module; silence of the same length when there is no output.
class LinuxToneGenerator final : public ToneGenerator {
public:
    explicit LinuxToneGenerator(std::shared_ptr<AudioModule> audio) : m_audio(std::move(audio)) {}
    void beep(std::uint32_t frequencyHz, std::uint32_t durationMs) override;

private:
    std::shared_ptr<AudioModule> m_audio;
};

/// Wave-file players through the audio module, which is loaded on the first open.
class LinuxSoundPlayers final : public SoundPlayers {
public:
    explicit LinuxSoundPlayers(std::shared_ptr<AudioModule> audio) : m_audio(std::move(audio)) {}
    std::unique_ptr<SoundPlayer> create() override;

private:
    std::shared_ptr<AudioModule> m_audio;
};

} // namespace platform
