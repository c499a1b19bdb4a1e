#include "scheduler/schedule_page.h"

#include "common/app_title.h"
#include "common/design_colours.h"
#include "common/pictures.h"
#include "common/twips.h"
#include "scheduler/schedule.h"
#include "scheduler/trigger_number.h"

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

SchedulePage::SchedulePage(ScheduledTask& record, QTimer& Timer2, platform::Services& services,
                           QWidget* parent)
    : QFrame(parent), m_record(record), m_Timer2(Timer2), m_services(services) {
    m_tppX = m_services.screen->twipsPerPixelX();
    m_tppY = m_services.screen->twipsPerPixelY();
    setAccessibleName(QStringLiteral("Schedule Task"));
    SetDesignColours(this, kDesignBackground);
    resize(TwipsToPixels(kWidthTwips, m_tppX), TwipsToPixels(kHeightTwips, m_tppY));

    Image4 = new QLabel(this);
    Image4->setPixmap(RenderPicture(QStringLiteral(":/pictures/schedule_clock.svg"), QSize(66, 66)));
    Image4->setGeometry(TwipsToPixels(240, m_tppX), TwipsToPixels(360, m_tppY), 66, 66);

    Check1 = new QCheckBox(this);
    Check1->setToolTip(QStringLiteral("Enable / Disable Schedule Task"));
    Check1->setAccessibleName(QStringLiteral("Enable / Disable Schedule Task"));
    Check1->move(TwipsToPixels(1440, m_tppX), TwipsToPixels(480, m_tppY));
    Label1 = makeLabel(QStringLiteral(" When System up Time reaches to "), 1800, 480, 3600);

    Label15 = makeLabel(QStringLiteral("Days"), 1440, 1080, 600);
    dd = makeBox(QStringLiteral("Days"), 2040, 1080);
    UpDown3 = makeUpDown(dd, 31, QStringLiteral("Days"));
    Label3 = makeLabel(QStringLiteral("Hours"), 3240, 1080, 600);
    hr = makeBox(QStringLiteral("Hours"), 3840, 1080);
    UpDown2 = makeUpDown(hr, 24, QStringLiteral("Hours"));
    Label4 = makeLabel(QStringLiteral("Minutes"), 5040, 1080, 840);
    mm = makeBox(QStringLiteral("Minutes"), 5880, 1080);
    UpDown1 = makeUpDown(mm, 59, QStringLiteral("Minutes"));

    Label2 = makeLabel(QStringLiteral("Execute this Task : "), 1440, 1800, 1800);
    Combo1 = new QComboBox(this);
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    // The kind is chosen from the list: nothing can be typed, pasted or dropped into the field.
    Combo1->lineEdit()->setReadOnly(true);
    Combo1->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    Combo1->lineEdit()->setAttribute(Qt::WA_InputMethodEnabled, false);
    Combo1->setEditText(kPrompt);
    QFont comboFont(QStringLiteral("Tahoma"));
    comboFont.setBold(true);
    comboFont.setPointSizeF(9.75);
    Combo1->setFont(comboFont);
    Combo1->setAccessibleName(QStringLiteral("Execute this Task"));
    Combo1->lineEdit()->setAccessibleName(QStringLiteral("Execute this Task"));
    Combo1->setGeometry(TwipsToPixels(3240, m_tppX), TwipsToPixels(1800, m_tppY), TwipsToPixels(2655, m_tppX),
                        TwipsToPixels(kRowHeight, m_tppY));
    Combo1->installEventFilter(this);
    Combo1->lineEdit()->installEventFilter(this);
    connect(Combo1, &QComboBox::activated, this, &SchedulePage::Combo1_Click);

    Image6 = new PictureButton(this);
    const QSize applySize(TwipsToPixels(1200, m_tppX), TwipsToPixels(480, m_tppY));
    Image6->setPictures({QPixmap(), QPixmap(),
                         RenderPicture(QStringLiteral(":/pictures/apply_normal.svg"), applySize),
                         RenderPicture(QStringLiteral(":/pictures/apply_highlighted.svg"), applySize)});
    Image6->setPicture(3);
    Image6->setGeometry(TwipsToPixels(4695, m_tppX), TwipsToPixels(2400, m_tppY), applySize.width(),
                        applySize.height());
    Image6->setAccessibleName(QStringLiteral("Apply"));
    connect(Image6, &PictureButton::clicked, this, &SchedulePage::Image6_Click);
    connect(Image6, &PictureButton::mouseMoved, this, &SchedulePage::Image6_MouseMove);
    setMouseTracking(true);

    setTabOrder(Check1, dd);
    setTabOrder(dd, UpDown3);
    setTabOrder(UpDown3, hr);
    setTabOrder(hr, UpDown2);
    setTabOrder(UpDown2, mm);
    setTabOrder(mm, UpDown1);
    setTabOrder(UpDown1, Combo1);
}

QLabel* SchedulePage::makeLabel(const QString& text, int left, int top, int width) {
    auto* label = new QLabel(text, this);
    label->setGeometry(TwipsToPixels(left, m_tppX), TwipsToPixels(top, m_tppY), TwipsToPixels(width, m_tppX),
                       TwipsToPixels(kRowHeight, m_tppY));
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
    box->setGeometry(TwipsToPixels(left, m_tppX), TwipsToPixels(top, m_tppY),
                     TwipsToPixels(kBoxWidth, m_tppX), TwipsToPixels(kRowHeight, m_tppY));
    box->installEventFilter(this);
    return box;
}

UpDown* SchedulePage::makeUpDown(QLineEdit* buddy, int maximum, const QString& name) {
    auto* upDown = new UpDown(this);
    upDown->setBuddy(buddy);
    upDown->setMaximum(maximum);
    upDown->setAccessibleName(name + QStringLiteral(" up and down"));
    upDown->setGeometry(buddy->geometry().right() + 1, buddy->y(), TwipsToPixels(kUpDownWidth, m_tppX),
                        buddy->height());
    return upDown;
}

void SchedulePage::setStatusPanels(QLabel* panel1, QLabel* panel2) {
    m_panel1 = panel1;
    m_panel2 = panel2;
}

bool SchedulePage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QFrame::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    // Keys that type no character are not filtered; Tab moves the focus and Delete, which Qt
    // gives the DEL character, deletes.
    const int k = key->key();
    if (key->text().isEmpty() || k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_Delete) {
        return QFrame::eventFilter(watched, event);
    }
    int code = key->text().at(0).unicode();
    if (watched == dd) {
        dd_KeyPress(code);
    } else if (watched == hr) {
        hr_KeyPress(code);
    } else if (watched == mm) {
        mm_KeyPress(code);
    } else if (watched == Combo1 || watched == Combo1->lineEdit()) {
        Combo1_KeyPress(code);
    }
    return code == 0; // a refused key inserts nothing
}

void SchedulePage::mouseMoveEvent(QMouseEvent* event) {
    Frame3_MouseMove();
    QFrame::mouseMoveEvent(event);
}

void SchedulePage::Image6_MouseMove() {
    Image6->setPicture(4);
}

void SchedulePage::Frame3_MouseMove() {
    Image6->setPicture(3);
}

void SchedulePage::refuse(int& KeyAscii) {
    KeyAscii = 0;
    m_services.tone->beep(10000, 3);
}

void SchedulePage::Combo1_KeyPress(int& KeyAscii) {
    if (KeyAscii >= 1) {
        refuse(KeyAscii);
    }
}

void SchedulePage::dd_KeyPress(int& KeyAscii) {
    if (KeyAscii != kBackspace && (KeyAscii < kPoint || KeyAscii > kColon)) {
        refuse(KeyAscii);
    }
}

void SchedulePage::hr_KeyPress(int& KeyAscii) {
    dd_KeyPress(KeyAscii);
}

void SchedulePage::mm_KeyPress(int& KeyAscii) {
    if (KeyAscii == kSlash) {
        refuse(KeyAscii);
        return;
    }
    dd_KeyPress(KeyAscii);
}

void SchedulePage::FillKinds() {
    Combo1->addItems(TaskKinds());
    Combo1->setCurrentIndex(-1);
    Combo1->setEditText(kPrompt);
}

void SchedulePage::CopyRecord() {
    if (m_record.Check1 == 1) {
        Check1->setChecked(true);
        hr->setText(m_record.hr);
        mm->setText(m_record.mm);
        dd->setText(m_record.dd);
        Combo1->setCurrentIndex(static_cast<int>(TaskKinds().indexOf(m_record.task)));
        Combo1->setEditText(m_record.task);
    } else if (m_record.Check1 == 0) {
        Check1->setChecked(false);
    }
}

void SchedulePage::ShowScheduleStatus() {
    const ScheduleStatus status = ScheduleStatusTexts(m_record.Check1, Combo1->currentText());
    if (m_panel1) {
        m_panel1->setText(status.scheduled);
    }
    if (m_panel2) {
        m_panel2->setText(status.name);
    }
}

void SchedulePage::Combo1_Click() {
    const QString kind = Combo1->currentText();
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
    m_services.messages->show(text, kAppTitle, platform::MessageIcon::Exclamation);
}

void SchedulePage::CancelSchedule() {
    ::CancelSchedule(m_record, m_Timer2);
}

void SchedulePage::Image6_Click() {
    const bool enabled = Check1->isChecked();
    const QString kind = Combo1->currentText();
    const double H = ReadTriggerNumber(hr->text());
    const double M = ReadTriggerNumber(mm->text());
    const double D = ReadTriggerNumber(dd->text());
    // The prompt, or an empty text left by an editor, is no task: scheduling it would show
    // "Task Scheduled : Yes" for a task that can never run.
    if (enabled && !TaskKinds().contains(kind)) {
        warn(kSelectTask);
        CancelSchedule();
    } else if (H == 0 && M == 0 && D == 0) {
        warn(kSpecifyTime);
        CancelSchedule();
    } else if (M > 59 || H > 24 || D > 31) {
        warn(kInvalidTime);
        CancelSchedule();
    } else if (!enabled) {
        warn(kNotEnabled);
        CancelSchedule();
    } else {
        m_record.Check1 = 1;
        m_record.hr = hr->text();
        m_record.mm = mm->text();
        m_record.dd = dd->text();
        m_Timer2.start();
        m_record.task = kind;
    }
    ShowScheduleStatus();
}
