#pragma once

#include "core/timer.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>

namespace win32 {

/// The core's timers as window timers (SetCoalescableTimer) of one message-only window: each
/// tick is a WM_TIMER in the program's message loop, so ticks never interrupt a handler.
/// Coarse timers let the system move a tick by its default tolerance, so that the one-second
/// timers wake the program together; precise ones ask for none.
class Win32TimerFactory final : public core::TimerFactory {
public:
    Win32TimerFactory();
    ~Win32TimerFactory() override;
    Win32TimerFactory(const Win32TimerFactory&) = delete;
    Win32TimerFactory& operator=(const Win32TimerFactory&) = delete;

    std::unique_ptr<core::Timer> makeTimer(std::chrono::milliseconds interval, std::function<void()> onTick,
                                           core::TimerAccuracy accuracy) override;

private:
    class WindowTimer;
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window = nullptr;
    UINT_PTR m_nextId = 1;
    /// The running and stopped timers by id; a timer removes itself when it goes.
    std::map<UINT_PTR, WindowTimer*> m_timers;
};

} // namespace win32
