#include "shell/win32/newer_calls.h"

namespace win32 {

namespace {

// A function of a system library that may be missing: null on a system without it.
template <typename Function> Function lookUp(const wchar_t* library, const char* name) {
    HMODULE module = GetModuleHandleW(library);
    if (module == nullptr) {
        // Only from the system folder, never from the program's or the current folder.
        module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    return module != nullptr
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
               : nullptr;
}

template <typename Function> Function user32(const char* name) {
    return lookUp<Function>(L"user32.dll", name);
}

} // namespace

void becomeDpiAware() {
    using PerMonitorV2 = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    using PerMonitor = HRESULT(WINAPI*)(int);
    constexpr int kProcessPerMonitorDpiAware = 2;
    // Only the newest call the system has: a refusal means the manifest set the awareness
    // already, and an older call must not lower it.
    if (const auto setContext = user32<PerMonitorV2>("SetProcessDpiAwarenessContext");
        setContext != nullptr) {
        setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    } else if (const auto setAwareness = lookUp<PerMonitor>(L"shcore.dll", "SetProcessDpiAwareness");
               setAwareness != nullptr) {
        setAwareness(kProcessPerMonitorDpiAware);
    } else {
        SetProcessDPIAware();
    }
}

UINT systemDpi() {
    static const auto getDpiForSystem = user32<UINT(WINAPI*)()>("GetDpiForSystem");
    if (getDpiForSystem != nullptr) {
        return getDpiForSystem();
    }
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

UINT windowDpi(HWND hwnd) {
    static const auto getDpiForWindow = user32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    const UINT dpi = getDpiForWindow != nullptr && hwnd != nullptr ? getDpiForWindow(hwnd) : 0;
    return dpi != 0 ? dpi : systemDpi();
}

int systemMetricForDpi(int index, UINT dpi) {
    static const auto getMetric = user32<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
    return getMetric != nullptr
               ? getMetric(index, dpi)
               : MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(systemDpi()));
}

bool nonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, UINT dpi) {
    static const auto getForDpi =
        user32<BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT)>("SystemParametersInfoForDpi");
    metrics.cbSize = sizeof metrics;
    return (getForDpi != nullptr
                ? getForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)
                : SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) != FALSE;
}

void addFrame(RECT& rect, DWORD style, DWORD exStyle, UINT dpi) {
    static const auto adjustForDpi =
        user32<BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    if (adjustForDpi == nullptr || adjustForDpi(&rect, style, FALSE, exStyle, dpi) == FALSE) {
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }
}

void setWindowTimer(HWND hwnd, UINT_PTR id, UINT intervalMs, bool coalescable) {
    static const auto setCoalescable =
        user32<UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC, ULONG)>("SetCoalescableTimer");
    if (setCoalescable != nullptr) {
        setCoalescable(hwnd, id, intervalMs, nullptr,
                       coalescable ? TIMERV_DEFAULT_COALESCING : TIMERV_NO_COALESCING);
        return;
    }
    SetTimer(hwnd, id, intervalMs, nullptr);
}

} // namespace win32
