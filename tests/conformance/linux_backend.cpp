// The conformance suites on the Linux services: the registry on temporary configuration folders.
#include "conformance/backend.h"
#include "platform/linux/linux_services.h"
#include "unit/registry_test_support.h"

#include <csignal>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace conformance {

namespace {

class LinuxRegistryBed final : public RegistryBed {
public:
    LinuxRegistryBed() {
        // The log-on list counts an entry only when its program is there, as the desktops do:
        // the suite's program path (a Windows path, one file name here) is made a program on PATH.
        const QString folder = m_folders.dir.path() + "/programs";
        QDir().mkpath(folder);
        QFile program(folder + "/" + QString::fromUtf8("C:\\Programme\\Pr\u00fcfung \u03a9\\Corvane4.0.exe"));
        program.open(QIODevice::WriteOnly);
        program.setPermissions(program.permissions() | QFileDevice::ExeOwner);
        ::setenv("PATH", (folder.toStdString() + ":" + m_path).c_str(), 1);
    }
    ~LinuxRegistryBed() override { ::setenv("PATH", m_path.c_str(), 1); }
    LinuxRegistryBed(const LinuxRegistryBed&) = delete;
    LinuxRegistryBed& operator=(const LinuxRegistryBed&) = delete;
    platform::Registry& registry() override { return *m_registry; }
    std::unique_ptr<platform::Registry> another() override { return m_folders.registry(); }

private:
    std::string m_path = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "/usr/bin:/bin";
    regtest::Folders m_folders;
    std::unique_ptr<platform::LinuxRegistry> m_registry = m_folders.registry();
};

} // namespace

std::unique_ptr<RegistryBed> makeRegistryBed() {
    return std::make_unique<LinuxRegistryBed>();
}

std::unique_ptr<platform::Clock> makeClock() {
    return std::make_unique<platform::LinuxClock>();
}

std::unique_ptr<platform::Processes> makeProcesses() {
    return std::make_unique<platform::LinuxProcesses>();
}

std::unique_ptr<platform::Launcher> makeLauncher() {
    return std::make_unique<platform::LinuxLauncher>();
}

std::filesystem::path probeProgram() {
    return CORVANE_CONFORMANCE_PROBE;
}

std::string probeFileName() {
    return "probe";
}

void installProbe(const std::filesystem::path& path) {
    std::filesystem::copy_file(probeProgram(), path, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all |
                                           std::filesystem::perms::group_exec |
                                           std::filesystem::perms::others_exec);
}

std::uint32_t startProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments) {
    std::vector<std::string> words = {program.string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        throw std::runtime_error("cannot start " + program.string());
    }
    return static_cast<std::uint32_t>(pid);
}

void stopProcess(std::uint32_t pid) {
    ::kill(static_cast<pid_t>(pid), SIGKILL);
    ::waitpid(static_cast<pid_t>(pid), nullptr, 0);
}

std::filesystem::path selfPath() {
    return std::filesystem::read_symlink("/proc/self/exe");
}

void setEnvironment(const std::string& name, const std::string& value) {
    ::setenv(name.c_str(), value.c_str(), 1);
}

} // namespace conformance
