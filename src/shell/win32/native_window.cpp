#include "shell/win32/native_window.h"

#include "shell/win32/newer_calls.h"
#include "shell/win32/resource_ids.h"

namespace win32 {

HINSTANCE instance() {
    return GetModuleHandleW(nullptr);
}

int dpiOf(HWND hwnd) {
    return static_cast<int>(hwnd != nullptr ? windowDpi(hwnd) : systemDpi());
}

NativeWindow::~NativeWindow() {
    if (m_hwnd != nullptr) {
        // The window must not call back into a half-destroyed object.
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
    }
}

int NativeWindow::px(double twips) const {
    return static_cast<int>(twips * m_dpi / 1440.0 + (twips >= 0 ? 0.5 : -0.5));
}

int NativeWindow::scaled(int designPixels) const {
    return MulDiv(designPixels, m_dpi, USER_DEFAULT_SCREEN_DPI);
}

bool NativeWindow::create(const wchar_t* className, DWORD style, DWORD exStyle, const std::wstring& title,
                          HWND owner, int x, int y, int width, int height) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance(), className, &existing) == 0) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = windowProc;
        windowClass.hInstance = instance();
        windowClass.hIcon = LoadIconW(instance(), MAKEINTRESOURCEW(CORVANE_ICON));
        windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance(), MAKEINTRESOURCEW(CORVANE_ICON),
                                                            IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                            GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = className;
        if (RegisterClassExW(&windowClass) == 0) {
            return false;
        }
    }
    if (CreateWindowExW(exStyle, className, title.c_str(), style, x, y, width, height, owner, nullptr,
                        instance(), this) == nullptr) {
        return false;
    }
    if ((style & WS_CHILD) == 0 && (exStyle & WS_EX_CONTROLPARENT) != 0) {
        // Focus rectangles only once the keyboard is used, as in dialog boxes.
        SendMessageW(m_hwnd, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    }
    return true;
}

void NativeWindow::setClientSize(int width, int height) {
    RECT frame{0, 0, width, height};
    addFrame(frame, static_cast<DWORD>(GetWindowLongPtrW(m_hwnd, GWL_STYLE)),
             static_cast<DWORD>(GetWindowLongPtrW(m_hwnd, GWL_EXSTYLE)), static_cast<UINT>(m_dpi));
    SetWindowPos(m_hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT NativeWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

LRESULT CALLBACK NativeWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<NativeWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_hwnd = hwnd;
        self->m_dpi = dpiOf(hwnd);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<NativeWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_DPICHANGED) {
        self->m_dpi = HIWORD(wParam);
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        self->dpiChanged();
        return 0;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        const LRESULT result = self->handleMessage(message, wParam, lParam);
        self->m_hwnd = nullptr;
        self->destroyed();
        return result;
    }
    return self->handleMessage(message, wParam, lParam);
}

} // namespace win32
