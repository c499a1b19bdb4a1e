// The conformance suites on the Win32 services: the real registry of the test's user, with the
// program's settings key and log-on value removed before and after each test.
#include "conformance/backend.h"
#include "platform/windows/registry_windows.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/windows_services.h"

#include <stdexcept>

namespace conformance {

namespace {

void removeProgramsEntries() {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Pellorin");
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        HKEY run = nullptr;
        if (RegOpenKeyExW(root, platform::kRunListPath, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
            RegDeleteValueW(run, L"Corvane");
            RegCloseKey(run);
        }
    }
}

class WindowsRegistryBed final : public RegistryBed {
public:
    WindowsRegistryBed() { removeProgramsEntries(); }
    ~WindowsRegistryBed() override {
        m_registry.reset();
        removeProgramsEntries();
    }
    WindowsRegistryBed(const WindowsRegistryBed&) = delete;
    WindowsRegistryBed& operator=(const WindowsRegistryBed&) = delete;
    platform::Registry& registry() override { return *m_registry; }
    std::unique_ptr<platform::Registry> another() override {
        return std::make_unique<platform::WindowsRegistry>();
    }

private:
    std::unique_ptr<platform::WindowsRegistry> m_registry = std::make_unique<platform::WindowsRegistry>();
};

} // namespace

std::unique_ptr<RegistryBed> makeRegistryBed() {
    return std::make_unique<WindowsRegistryBed>();
}

std::unique_ptr<platform::Clock> makeClock() {
    return std::make_unique<platform::WindowsClock>();
}

std::unique_ptr<platform::Processes> makeProcesses() {
    return std::make_unique<platform::WindowsProcesses>();
}

std::unique_ptr<platform::Launcher> makeLauncher() {
    return std::make_unique<platform::WindowsLauncher>();
}

std::filesystem::path probeProgram() {
    return selfPath().parent_path() / "conformance_probe.exe";
}

std::string probeFileName() {
    return "probe.exe";
}

void installProbe(const std::filesystem::path& path) {
    std::filesystem::copy_file(probeProgram(), path, std::filesystem::copy_options::overwrite_existing);
}

std::uint32_t startProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments) {
    std::wstring line = L"\"" + program.wstring() + L"\"";
    for (const std::string& argument : arguments) {
        line += L" " + platform::win::widen(argument);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        throw std::runtime_error("cannot start " + utf8Text(program));
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return process.dwProcessId;
}

void stopProcess(std::uint32_t pid) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (process != nullptr) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 10'000);
        CloseHandle(process);
    }
}

std::filesystem::path selfPath() {
    return utf8Path(platform::executablePath());
}

void setEnvironment(const std::string& name, const std::string& value) {
    SetEnvironmentVariableW(platform::win::widen(name).c_str(), platform::win::widen(value).c_str());
}

} // namespace conformance
