#include "shell/win32/win32_timers.h"

#include "shell/win32/native_window.h"
#include "shell/win32/newer_calls.h"

#include <stdexcept>
#include <utility>

namespace win32 {

class Win32TimerFactory::WindowTimer final : public core::Timer {
public:
    WindowTimer(Win32TimerFactory& factory, UINT_PTR id, std::chrono::milliseconds interval,
                std::function<void()> onTick, core::TimerAccuracy accuracy)
        : m_factory(factory), m_id(id), m_interval(interval),
          m_onTick(std::make_shared<std::function<void()>>(std::move(onTick))), m_accuracy(accuracy) {}
    ~WindowTimer() override {
        stop();
        m_factory.m_timers.erase(m_id);
    }
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;

    void start() override {
        setWindowTimer(m_factory.m_window, m_id, static_cast<UINT>(m_interval.count()),
                       m_accuracy == core::TimerAccuracy::Coarse);
        m_active = true;
        m_due = GetTickCount64() + static_cast<ULONGLONG>(m_interval.count());
    }
    void stop() override {
        if (m_active) {
            KillTimer(m_factory.m_window, m_id);
            m_active = false;
        }
    }
    bool isActive() const override { return m_active; }
    int remainingMs() const override {
        if (!m_active) {
            return -1;
        }
        const ULONGLONG now = GetTickCount64();
        return now >= m_due ? 0 : static_cast<int>(m_due - now);
    }
    std::chrono::milliseconds interval() const override { return m_interval; }

    void tick() {
        m_due = GetTickCount64() + static_cast<ULONGLONG>(m_interval.count());
        // The handler may destroy this timer; the function lives on until it returns.
        const std::shared_ptr<std::function<void()>> onTick = m_onTick;
        (*onTick)();
    }

private:
    Win32TimerFactory& m_factory;
    UINT_PTR m_id;
    std::chrono::milliseconds m_interval;
    std::shared_ptr<std::function<void()>> m_onTick;
    core::TimerAccuracy m_accuracy;
    bool m_active = false;
    ULONGLONG m_due = 0;
};

Win32TimerFactory::Win32TimerFactory() {
    static const wchar_t* const className = L"CorvaneTimers";
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance();
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass); // fails harmlessly when a second factory registers it again
    m_window = CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance(), nullptr);
    if (m_window == nullptr) {
        throw std::runtime_error("The program's timers cannot be made.");
    }
    SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32TimerFactory::~Win32TimerFactory() {
    SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
    DestroyWindow(m_window);
}

std::unique_ptr<core::Timer> Win32TimerFactory::makeTimer(std::chrono::milliseconds interval,
                                                          std::function<void()> onTick,
                                                          core::TimerAccuracy accuracy) {
    const UINT_PTR id = m_nextId++;
    auto timer = std::make_unique<WindowTimer>(*this, id, interval, std::move(onTick), accuracy);
    m_timers[id] = timer.get();
    return timer;
}

LRESULT CALLBACK Win32TimerFactory::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        auto* self = reinterpret_cast<Win32TimerFactory*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self != nullptr) {
            const auto found = self->m_timers.find(wParam);
            if (found != self->m_timers.end() && found->second->isActive()) {
                found->second->tick();
            }
        }
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace win32
