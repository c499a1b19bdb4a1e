#include "shell/win32/tray_notice.h"

#include "core/app_title.h"
#include "shell/win32/controls.h"

namespace win32 {

namespace {

/// The balloon's last line: a click anywhere on it is the way out.
constexpr const wchar_t* kCancelHint = L"Click here to cancel.";

} // namespace

TrayNotice::TrayNotice(core::AppState& state, platform::Services& services, TrayIcon& tray)
    : m_tray(tray), m_rules(state, services, *this) {
    m_tray.setBalloonCall([this](TrayIcon::BalloonEnd end) {
        if (end == TrayIcon::BalloonEnd::Clicked) {
            m_rules.cancelTask();
        } else {
            m_rules.warningClosed();
        }
    });
}

TrayNotice::~TrayNotice() {
    m_tray.setBalloonCall(nullptr);
}

void TrayNotice::showTrayTip(const std::string& /*title*/, const std::string& line) {
    // The tray shows one text: the title, and the line under it.
    m_tray.setTip(wide(core::trayTipText(line)));
}

void TrayNotice::showWarning(const std::string& text) {
    m_tray.showBalloon(wide(core::kAppTitle), wide(text) + L"\n" + kCancelHint);
}

void TrayNotice::withdrawWarning() {
    m_tray.hideBalloon();
}

} // namespace win32
