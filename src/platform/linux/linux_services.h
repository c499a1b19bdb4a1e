#pragma once

// The Linux implementations of the services. Only the platform library includes this.

#include "platform/services.h"

namespace platform {

/// CLOCK_BOOTTIME for the tick count, Qt's system locale for the formats.
class LinuxClock final : public Clock {
public:
    std::uint64_t tickCount() override;
    std::int64_t nowMsecsSinceEpoch() override;
    std::string formatShortDate(std::int64_t msecsSinceEpoch) override;
    std::string formatLongTime(std::int64_t msecsSinceEpoch) override;
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

private:
    int m_lockFd = -1;
};

/// The primary screen's work area and logical resolution.
class LinuxScreen final : public Screen {
public:
    Rect workArea() override;
    double twipsPerPixelX() override;
    double twipsPerPixelY() override;
};

/// logind on the system bus; log-off through the desktop's session manager when one answers.
class LinuxPower final : public Power {
public:
    void powerOff() override;
    void reboot() override;
    void logOff() override;
    void hibernate() override;
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
    void show(const QString& text, const QString& title, MessageIcon icon) override;
};

/// QFileDialog, native where the desktop offers one.
class QtFileDialog final : public FileDialog {
public:
    QString getOpenFileName(QWidget* parent, const QString& startPath, const QStringList& filters) override;
};

} // namespace platform
