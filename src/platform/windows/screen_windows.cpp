#include "platform/windows/windows_services.h"

namespace platform {

namespace {

double twipsPerPixel(int axis) {
    HDC screen = GetDC(nullptr);
    const int dotsPerInch = screen != nullptr ? GetDeviceCaps(screen, axis) : 0;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return 1440.0 / (dotsPerInch > 0 ? dotsPerInch : 96);
}

} // namespace

Rect WindowsScreen::workArea() {
    RECT area{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return {area.left, area.top, area.right, area.bottom};
}

double WindowsScreen::twipsPerPixelX() {
    return twipsPerPixel(LOGPIXELSX);
}

double WindowsScreen::twipsPerPixelY() {
    return twipsPerPixel(LOGPIXELSY);
}

int WindowsScreen::windowOpacityFailure() {
    // Every system this program builds for draws layered windows at a constant opacity.
    return 0;
}

void WindowsScreen::clearWindowTitle(unsigned long long windowId) {
    SetWindowTextW(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(windowId)), L"");
}

void WindowsScreen::quietPropertyNotices(unsigned long long) {
    // A window's title change wakes nobody else on Windows: there is nothing to quieten.
}

} // namespace platform
