#include "scheduler/schedule_page.h"

#include "common/app_title.h"
#include "common/design_colours.h"
#include "common/pictures.h"
#include "common/twips.h"
#include "core/app_state.h"
#include "core/trigger_number.h"

#include <QKeyEvent>

namespace {

const QString kPrompt = QStringLiteral("Pick a Task");
const QString kHibernateWarning = QStringLiteral("Please make sure you have enabled 'Hibernation' in Power "
                                                 "option. Otherwise the system may go on a Standby.");
const QString kSelectTask = QStringLiteral("Please Select a Task to Schedule.");
const QString kSpecifyTime = QStringLiteral("Please specify Time.");
const QString kInvalidTime =
    QStringLiteral("Invalid Time specified. Following are the valid # : Days - Max 31 "
                   ",Hours - Max 24 ,Minutes - Max 59. ");
const QString kNotEnabled =
    QStringLiteral("Schedule Task is not enabled. To enable check the 'Schedule Task' Check Box .");

constexpr int kBoxWidth = 600;
constexpr int kRowHeight = 315;
constexpr int kUpDownWidth = 255;

constexpr int kBackspace = 8;
constexpr int kPoint = 46;
constexpr int kSlash = 47;
constexpr int kColon = 58;

} // namespace

SchedulePage::SchedulePage(core::AppState& state, platform::Services& services, QWidget* parent)
    : Panel(parent), m_state(state), m_services(services) {
    m_tppX = m_services.screen->twipsPerPixelX();
    m_tppY = m_services.screen->twipsPerPixelY();
    setAccessibleName(QStringLiteral("Schedule Task page"));
    setDesignColours(this, kDesignBackground);
    resize(twipsToPixels(kWidthTwips, m_tppX), twipsToPixels(kHeightTwips, m_tppY));

    clockPicture = new QLabel(this);
    clockPicture->setPixmap(renderPicture(QStringLiteral(":/pictures/schedule_clock.svg"), QSize(66, 66)));
    clockPicture->setGeometry(twipsToPixels(240, m_tppX), twipsToPixels(360, m_tppY), 66, 66);

    scheduledCheck = new QCheckBox(this);
    scheduledCheck->setToolTip(QStringLiteral("Enable / Disable Schedule Task"));
    scheduledCheck->setAccessibleName(QStringLiteral("Enable / Disable Schedule Task"));
    scheduledCheck->move(twipsToPixels(1440, m_tppX), twipsToPixels(480, m_tppY));
    whenLabel = makeLabel(QStringLiteral(" When System up Time reaches to "), 1800, 480, 3600);

    daysLabel = makeLabel(QStringLiteral("Days"), 1440, 1080, 600);
    daysBox = makeBox(QStringLiteral("Days"), 2040, 1080);
    daysUpDown = makeUpDown(daysBox, 31, QStringLiteral("Days"));
    hoursLabel = makeLabel(QStringLiteral("Hours"), 3240, 1080, 600);
    hoursBox = makeBox(QStringLiteral("Hours"), 3840, 1080);
    hoursUpDown = makeUpDown(hoursBox, 24, QStringLiteral("Hours"));
    minutesLabel = makeLabel(QStringLiteral("Minutes"), 5040, 1080, 840);
    minutesBox = makeBox(QStringLiteral("Minutes"), 5880, 1080);
    minutesUpDown = makeUpDown(minutesBox, 59, QStringLiteral("Minutes"));

    kindLabel = makeLabel(QStringLiteral("Execute this Task : "), 1440, 1800, 1800);
    kindBox = new QComboBox(this);
    kindBox->setEditable(true);
    kindBox->setInsertPolicy(QComboBox::NoInsert);
    // The kind is chosen from the list: nothing can be typed, pasted or dropped into the field.
    kindBox->lineEdit()->setReadOnly(true);
    kindBox->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    kindBox->lineEdit()->setAttribute(Qt::WA_InputMethodEnabled, false);
    kindBox->setEditText(kPrompt);
    QFont comboFont(QStringLiteral("Tahoma"));
    comboFont.setBold(true);
    comboFont.setPointSizeF(9.75);
    kindBox->setFont(comboFont);
    kindBox->setAccessibleName(QStringLiteral("Execute this Task"));
    kindBox->lineEdit()->setAccessibleName(QStringLiteral("Execute this Task"));
    kindBox->setGeometry(twipsToPixels(3240, m_tppX), twipsToPixels(1800, m_tppY),
                         twipsToPixels(2655, m_tppX), twipsToPixels(kRowHeight, m_tppY));
    kindBox->installEventFilter(this);
    kindBox->lineEdit()->installEventFilter(this);
    connect(kindBox, &QComboBox::activated, this, &SchedulePage::pickKind);

    applyButton = new PictureButton(this);
    const QSize applySize(twipsToPixels(1200, m_tppX), twipsToPixels(480, m_tppY));
    applyButton->setPictures({QPixmap(), QPixmap(),
                              renderPicture(QStringLiteral(":/pictures/apply_normal.svg"), applySize),
                              renderPicture(QStringLiteral(":/pictures/apply_highlighted.svg"), applySize)});
    applyButton->setPicture(3);
    applyButton->setGeometry(twipsToPixels(4695, m_tppX), twipsToPixels(2400, m_tppY), applySize.width(),
                             applySize.height());
    applyButton->setAccessibleName(QStringLiteral("Apply"));
    connect(applyButton, &PictureButton::clicked, this, &SchedulePage::apply);
    connect(applyButton, &PictureButton::mouseMoved, this, &SchedulePage::highlightApply);
    setMouseTracking(true);

    setTabOrder(scheduledCheck, daysBox);
    setTabOrder(daysBox, daysUpDown);
    setTabOrder(daysUpDown, hoursBox);
    setTabOrder(hoursBox, hoursUpDown);
    setTabOrder(hoursUpDown, minutesBox);
    setTabOrder(minutesBox, minutesUpDown);
    setTabOrder(minutesUpDown, kindBox);
}

QLabel* SchedulePage::makeLabel(const QString& text, int left, int top, int width) {
    auto* label = new QLabel(text, this);
    label->setGeometry(twipsToPixels(left, m_tppX), twipsToPixels(top, m_tppY), twipsToPixels(width, m_tppX),
                       twipsToPixels(kRowHeight, m_tppY));
    return label;
}

QLineEdit* SchedulePage::makeBox(const QString& tip, int left, int top) {
    auto* box = new QLineEdit(QStringLiteral("00"), this);
    box->setMaxLength(2);
    box->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("Tahoma"));
    font.setBold(true);
    font.setPointSizeF(9);
    box->setFont(font);
    box->setToolTip(tip);
    box->setAccessibleName(tip);
    // Typed characters reach the key filter; an input method would go around it.
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->setGeometry(twipsToPixels(left, m_tppX), twipsToPixels(top, m_tppY),
                     twipsToPixels(kBoxWidth, m_tppX), twipsToPixels(kRowHeight, m_tppY));
    box->installEventFilter(this);
    return box;
}

UpDown* SchedulePage::makeUpDown(QLineEdit* buddy, int maximum, const QString& name) {
    auto* upDown = new UpDown(this);
    upDown->setBuddy(buddy);
    upDown->setMaximum(maximum);
    upDown->setAccessibleName(name + QStringLiteral(" up and down"));
    upDown->setGeometry(buddy->geometry().right() + 1, buddy->y(), twipsToPixels(kUpDownWidth, m_tppX),
                        buddy->height());
    return upDown;
}

void SchedulePage::setStatusPanels(QLabel* panel1, QLabel* panel2) {
    m_panel1 = panel1;
    m_panel2 = panel2;
}

bool SchedulePage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return Panel::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    // Keys that type no character are not filtered; Tab moves the focus and Delete, which Qt
    // gives the DEL character, deletes.
    const int k = key->key();
    if (key->text().isEmpty() || k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_Delete) {
        return Panel::eventFilter(watched, event);
    }
    int code = key->text().at(0).unicode();
    if (watched == daysBox) {
        filterDaysKey(code);
    } else if (watched == hoursBox) {
        filterHoursKey(code);
    } else if (watched == minutesBox) {
        filterMinutesKey(code);
    } else if (watched == kindBox || watched == kindBox->lineEdit()) {
        filterKindKey(code);
    }
    return code == 0; // a refused key inserts nothing
}

void SchedulePage::mouseMoveEvent(QMouseEvent* event) {
    restoreApply();
    Panel::mouseMoveEvent(event);
}

void SchedulePage::highlightApply() {
    applyButton->setPicture(4);
}

void SchedulePage::restoreApply() {
    applyButton->setPicture(3);
}

void SchedulePage::refuse(int& keyAscii) {
    keyAscii = 0;
    m_services.tone->beep(10000, 3);
}

void SchedulePage::filterKindKey(int& keyAscii) {
    if (keyAscii >= 1) {
        refuse(keyAscii);
    }
}

void SchedulePage::filterDaysKey(int& keyAscii) {
    if (keyAscii != kBackspace && (keyAscii < kPoint || keyAscii > kColon)) {
        refuse(keyAscii);
    }
}

void SchedulePage::filterHoursKey(int& keyAscii) {
    filterDaysKey(keyAscii);
}

void SchedulePage::filterMinutesKey(int& keyAscii) {
    if (keyAscii == kSlash) {
        refuse(keyAscii);
        return;
    }
    filterDaysKey(keyAscii);
}

void SchedulePage::fillKinds() {
    kindBox->addItems(taskKinds());
    kindBox->setCurrentIndex(-1);
    kindBox->setEditText(kPrompt);
}

void SchedulePage::copyTask() {
    const ScheduledTask& record = m_state.task();
    if (record.scheduled) {
        scheduledCheck->setChecked(true);
        hoursBox->setText(QString::fromStdString(record.hoursText));
        minutesBox->setText(QString::fromStdString(record.minutesText));
        daysBox->setText(QString::fromStdString(record.daysText));
        const QString kind = QString::fromStdString(record.kind);
        kindBox->setCurrentIndex(static_cast<int>(taskKinds().indexOf(kind)));
        kindBox->setEditText(kind);
    } else {
        scheduledCheck->setChecked(false);
    }
}

void SchedulePage::showScheduleStatus() {
    const core::ScheduleStatus status =
        core::scheduleStatusTexts(m_state.task().scheduled, kindBox->currentText().toStdString());
    if (m_panel1) {
        m_panel1->setText(QString::fromStdString(status.scheduled));
    }
    if (m_panel2) {
        m_panel2->setText(QString::fromStdString(status.name));
    }
}

void SchedulePage::pickKind() {
    const QString kind = kindBox->currentText();
    if (kind == QLatin1String("Alert") || kind == QLatin1String("Run Program") ||
        kind == QLatin1String("Visit Website")) {
        if (m_openEditor) {
            m_openEditor(kind);
        }
    } else if (kind == QLatin1String("Hibernate")) {
        warn(kHibernateWarning);
    }
}

void SchedulePage::warn(const QString& text) {
    m_services.messages->show(text.toStdString(), kAppTitle.toStdString(), platform::MessageIcon::Exclamation);
}

void SchedulePage::cancelSchedule() {
    core::cancelSchedule(m_state);
}

void SchedulePage::apply() {
    const bool enabled = scheduledCheck->isChecked();
    const QString kind = kindBox->currentText();
    const double hours = core::readTriggerNumber(hoursBox->text().toStdString());
    const double minutes = core::readTriggerNumber(minutesBox->text().toStdString());
    const double days = core::readTriggerNumber(daysBox->text().toStdString());
    // The prompt, or an empty text left by an editor, is no task: scheduling it would show
    // "Task Scheduled : Yes" for a task that can never run.
    if (enabled && !taskKinds().contains(kind)) {
        warn(kSelectTask);
        cancelSchedule();
    } else if (hours == 0 && minutes == 0 && days == 0) {
        warn(kSpecifyTime);
        cancelSchedule();
    } else if (minutes > 59 || hours > 24 || days > 31) {
        warn(kInvalidTime);
        cancelSchedule();
    } else if (!enabled) {
        warn(kNotEnabled);
        cancelSchedule();
    } else {
        m_state.changeTask([&](ScheduledTask& record) {
            record.scheduled = true;
            record.hoursText = hoursBox->text().toStdString();
            record.minutesText = minutesBox->text().toStdString();
            record.daysText = daysBox->text().toStdString();
            record.kind = kind.toStdString();
        });
        m_state.setTriggerCheckRunning(true);
    }
    showScheduleStatus();
}
