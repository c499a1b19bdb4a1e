#pragma once

#include "core/task_notice.h"
#include "core/task_notice_view.h"
#include "platform/services.h"
#include "shell/win32/tray_icon.h"

namespace win32 {

/// The armed task at the tray icon: the tool tip's second line, and the warning as the icon's
/// balloon, whose click cancels the task. A view over core::TaskNotice, which decides both.
class TrayNotice final : public core::TaskNoticeView {
public:
    /// The state, the services and the icon outlive this object.
    TrayNotice(core::AppState& state, platform::Services& services, TrayIcon& tray);
    ~TrayNotice() override;
    TrayNotice(const TrayNotice&) = delete;
    TrayNotice& operator=(const TrayNotice&) = delete;

    core::TaskNotice& rules() { return m_rules; }

    // core::TaskNoticeView
    void showTrayTip(const std::string& title, const std::string& line) override;
    void showWarning(const std::string& text) override;
    void withdrawWarning() override;

private:
    TrayIcon& m_tray;
    core::TaskNotice m_rules;
};

} // namespace win32
