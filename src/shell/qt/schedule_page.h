#pragma once

#include "core/app_state.h"
#include "core/design/schedule_page_design.h"
#include "core/hover_pictures.h"
#include "core/schedule_page.h"
#include "platform/services.h"
#include "shell/qt/accessibility.h"
#include "shell/qt/picture_button.h"
#include "shell/qt/up_down.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

#include <functional>
#include <utility>

namespace qtshell {

/// The Schedule Task page's controls: a private base of the page, as a form class of Qt Designer is. The page
/// keeps them to itself; the tests find them by their names.
struct SchedulePageControls {
    QCheckBox* scheduledCheck = nullptr;
    QLabel* whenLabel = nullptr;
    QLabel* daysLabel = nullptr;
    QLineEdit* daysBox = nullptr;
    UpDown* daysUpDown = nullptr;
    QLabel* hoursLabel = nullptr;
    QLineEdit* hoursBox = nullptr;
    UpDown* hoursUpDown = nullptr;
    QLabel* minutesLabel = nullptr;
    QLineEdit* minutesBox = nullptr;
    UpDown* minutesUpDown = nullptr;
    QLabel* kindLabel = nullptr;
    QComboBox* kindBox = nullptr;
    /// Apply. Its pictures sit at the indexes of the window's image list: 3 normal, 4 highlighted.
    PictureButton* applyButton = nullptr;
    QLabel* clockPicture = nullptr;
};

/// The Schedule Task page (schedulePageFrame of the Options and Schedule Task window): the trigger boxes,
/// the kind box and Apply, a view over core::SchedulePage, which decides what they do.
class SchedulePage final : public Panel,
                           public core::SchedulePageView,
                           public core::HoverView,
                           private SchedulePageControls {
    Q_OBJECT

public:
    /// state holds the task record and outlives the page.
    SchedulePage(core::AppState& state, platform::Services& services, QWidget* parent = nullptr);

    /// Shows the parameter editor of a kind (an alert, Run Program or Visit Website) without
    /// waiting for it. Until one is set the editors are left out.
    void setOpenEditor(core::SchedulePage::OpenEditor openEditor) {
        m_rules.setOpenEditor(std::move(openEditor));
    }
    /// What the page does, decided by the core.
    core::SchedulePage& rules() { return m_rules; }
    /// The first two panels of the window's status bar, which showScheduleStatus writes.
    void setStatusPanels(QLabel* panel1, QLabel* panel2);

    // Steps of the window's loading, in the order the window calls them.
    /// Fills the kind box with the seven kinds; its text stays "Pick a Task".
    void fillKinds() { m_rules.fillKinds(); }
    /// Copies the record into the page when a task is scheduled; otherwise leaves the page as
    /// designed, the box unchecked.
    void copyTask() { m_rules.copyTask(); }
    /// Panels 1 and 2 from the record's scheduled flag and the kind box's text.
    void showScheduleStatus() { m_rules.showScheduleStatus(); }

    /// A kind picked from the list (by mouse or arrow keys): opens its editor or warns.
    void pickKind() { m_rules.pickKind(); }
    /// Key filters: each gets a typed character's code and returns it, or 0 to refuse it.
    int filterKindKey(int keyAscii) { return m_rules.filterKindKey(keyAscii); }
    int filterDaysKey(int keyAscii) { return m_rules.filterTriggerKey(core::TriggerBox::Days, keyAscii); }
    int filterHoursKey(int keyAscii) { return m_rules.filterTriggerKey(core::TriggerBox::Hours, keyAscii); }
    int filterMinutesKey(int keyAscii) {
        return m_rules.filterTriggerKey(core::TriggerBox::Minutes, keyAscii);
    }
    /// Apply: checks the page and schedules, replaces or cancels the task.
    void apply() { m_rules.apply(); }
    /// Empties the kind box (an editor left without a parameter).
    void clearKind() override;
    /// Hover pictures: the mouse over Apply lights it; over the page it goes back to normal.
    void highlightApply();
    void restoreApply();

    // core::SchedulePageView
    bool isScheduledChecked() const override;
    void setScheduledChecked(bool checked) override;
    std::string triggerText(core::TriggerBox box) const override;
    void setTriggerText(core::TriggerBox box, const std::string& text) override;
    std::string kindText() const override;
    void fillKinds(const std::vector<std::string>& kinds, const std::string& prompt) override;
    void showKind(int index, const std::string& text) override;
    void showScheduleStatus(const std::string& scheduled, const std::string& name) override;
    void showTriggerClock(const std::string& text) override;
    // core::HoverView
    void showButtonPicture(core::HoverButton button, core::ButtonLook look) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QRect pixels(const core::design::Rect& twips) const;
    QLabel* makeLabel(const char* text, const core::design::Rect& place);
    QLineEdit* makeBox(const core::design::schedule_page::TriggerRow& row);
    UpDown* makeUpDown(QLineEdit* buddy, const char* name, core::TriggerBox box);
    QLineEdit* box(core::TriggerBox box) const;

    platform::Services& m_services;
    core::SchedulePage m_rules;
    QPointer<QLabel> m_panel1;
    QPointer<QLabel> m_panel2;
    double m_tppX = 15.0;
    double m_tppY = 15.0;
};

} // namespace qtshell
