#include "platform/audio/wave_file.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/windows_services.h"

#include <mmsystem.h>

#include <stdexcept>

namespace platform {

namespace {

constexpr const wchar_t* kNotifyClass = L"CorvaneSoundNotify";

std::string mciText(MCIERROR error) {
    wchar_t text[256] = {};
    if (!mciGetErrorStringW(error, text, static_cast<UINT>(std::size(text)))) {
        return "multimedia error " + std::to_string(error);
    }
    return win::narrow(text);
}

/// Checks that the file is a wave file a player can play; throws naming the file otherwise.
void checkWaveFile(const std::string& path) {
    const std::wstring wide = win::widen(path);
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            throw std::runtime_error("The sound file " + path + " does not exist.");
        }
        throw std::runtime_error("The sound file " + path + " cannot be read: " + win::errorText(error));
    }
    std::string head(4096, '\0');
    DWORD read = 0;
    LARGE_INTEGER size{};
    const bool ok = ReadFile(file, head.data(), static_cast<DWORD>(head.size()), &read, nullptr) &&
                    GetFileSizeEx(file, &size);
    CloseHandle(file);
    if (!ok) {
        throw std::runtime_error("The sound file " + path + " cannot be read.");
    }
    head.resize(read);
    try {
        audio::parseWaveHeader(head, static_cast<std::uint64_t>(size.QuadPart));
    } catch (const std::runtime_error& e) {
        throw std::runtime_error("The sound file " + path + " cannot be played. " + e.what());
    }
}

class MciPlayer final : public SoundPlayer {
public:
    MciPlayer() {
        static const ATOM registered = [] {
            WNDCLASSW windowClass{};
            windowClass.lpfnWndProc = &MciPlayer::notified;
            windowClass.hInstance = GetModuleHandleW(nullptr);
            windowClass.lpszClassName = kNotifyClass;
            return RegisterClassW(&windowClass);
        }();
        (void)registered;
        m_window = CreateWindowExW(0, kNotifyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~MciPlayer() override {
        close();
        DestroyWindow(m_window);
    }
    MciPlayer(const MciPlayer&) = delete;
    MciPlayer& operator=(const MciPlayer&) = delete;

    void open(const std::string& path) override {
        close();
        checkWaveFile(path);
        const std::wstring element = win::widen(path);
        MCI_OPEN_PARMSW parameters{};
        parameters.lpstrDeviceType = L"waveaudio";
        parameters.lpstrElementName = element.c_str();
        const MCIERROR error = mciSendCommandW(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT,
                                               reinterpret_cast<DWORD_PTR>(&parameters));
        if (error != 0) {
            throw std::runtime_error("The sound file " + path + " cannot be opened: " + mciText(error));
        }
        m_device = parameters.wDeviceID;
        m_path = path;
    }

    void play() override {
        if (m_device == 0) {
            if (m_path.empty()) {
                throw std::runtime_error("No sound file is open.");
            }
            open(m_path);
        }
        MCI_PLAY_PARMS parameters{};
        parameters.dwCallback = reinterpret_cast<DWORD_PTR>(m_window);
        parameters.dwFrom = 0;
        const MCIERROR error = mciSendCommandW(m_device, MCI_PLAY, MCI_NOTIFY | MCI_FROM,
                                               reinterpret_cast<DWORD_PTR>(&parameters));
        if (error != 0) {
            throw std::runtime_error("The sound file " + m_path + " cannot be played: " + mciText(error));
        }
    }

    void stop() override {
        if (m_device != 0) {
            mciSendCommandW(m_device, MCI_STOP, 0, 0);
        }
    }

    void close() override {
        if (m_device != 0) {
            mciSendCommandW(m_device, MCI_CLOSE, 0, 0);
            m_device = 0;
        }
    }

    void setOnFinished(std::function<void()> onFinished) override { m_onFinished = std::move(onFinished); }

private:
    static LRESULT CALLBACK notified(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == MM_MCINOTIFY) {
            auto* player = reinterpret_cast<MciPlayer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
            // An end or a failure; not a playback that was stopped or replaced.
            if (player != nullptr && (wParam == MCI_NOTIFY_SUCCESSFUL || wParam == MCI_NOTIFY_FAILURE) &&
                static_cast<MCIDEVICEID>(lParam) == player->m_device && player->m_onFinished) {
                player->m_onFinished();
            }
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND m_window = nullptr;
    MCIDEVICEID m_device = 0;
    std::string m_path;
    std::function<void()> m_onFinished;
};

} // namespace

std::unique_ptr<SoundPlayer> WindowsSoundPlayers::create() {
    return std::make_unique<MciPlayer>();
}

} // namespace platform
