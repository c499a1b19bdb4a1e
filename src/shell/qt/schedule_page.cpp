#include "shell/qt/schedule_page.h"

#include "shell/qt/control_names.h"
#include "shell/qt/design_colours.h"
#include "shell/qt/pictures.h"
#include "shell/qt/twips.h"

#include <QKeyEvent>

namespace qtshell {

namespace {

constexpr int kBoxWidth = 600;
constexpr int kRowHeight = 315;
constexpr int kUpDownWidth = 255;

} // namespace

SchedulePage::SchedulePage(core::AppState& state, platform::Services& services, QWidget* parent)
    : Panel(parent), m_services(services), m_rules(*this, services, state) {
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
    daysUpDown = makeUpDown(daysBox, core::TriggerBox::Days, QStringLiteral("Days"));
    hoursLabel = makeLabel(QStringLiteral("Hours"), 3240, 1080, 600);
    hoursBox = makeBox(QStringLiteral("Hours"), 3840, 1080);
    hoursUpDown = makeUpDown(hoursBox, core::TriggerBox::Hours, QStringLiteral("Hours"));
    minutesLabel = makeLabel(QStringLiteral("Minutes"), 5040, 1080, 840);
    minutesBox = makeBox(QStringLiteral("Minutes"), 5880, 1080);
    minutesUpDown = makeUpDown(minutesBox, core::TriggerBox::Minutes, QStringLiteral("Minutes"));

    kindLabel = makeLabel(QStringLiteral("Execute this Task : "), 1440, 1800, 1800);
    kindBox = new QComboBox(this);
    kindBox->setEditable(true);
    kindBox->setInsertPolicy(QComboBox::NoInsert);
    // The kind is chosen from the list: typed characters are refused by the key filter, and
    // nothing can be dropped into the field; Delete and the arrows work in it.
    kindBox->lineEdit()->setAcceptDrops(false);
    kindBox->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    kindBox->lineEdit()->setAttribute(Qt::WA_InputMethodEnabled, false);
    kindBox->setEditText(QString::fromUtf8(core::SchedulePage::kKindPrompt));
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
    applyButton->setPicture(core::normalPicture(core::HoverButton::ApplySchedule));
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
    nameControls({{scheduledCheck, "scheduledCheck"},
                  {whenLabel, "whenLabel"},
                  {daysLabel, "daysLabel"},
                  {daysBox, "daysBox"},
                  {daysUpDown, "daysUpDown"},
                  {hoursLabel, "hoursLabel"},
                  {hoursBox, "hoursBox"},
                  {hoursUpDown, "hoursUpDown"},
                  {minutesLabel, "minutesLabel"},
                  {minutesBox, "minutesBox"},
                  {minutesUpDown, "minutesUpDown"},
                  {kindLabel, "kindLabel"},
                  {kindBox, "kindBox"},
                  {applyButton, "applyButton"},
                  {clockPicture, "clockPicture"}});
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

UpDown* SchedulePage::makeUpDown(QLineEdit* buddy, core::TriggerBox which, const QString& name) {
    auto* upDown = new UpDown(this);
    upDown->setBuddy(buddy);
    upDown->setMaximum(core::SchedulePage::spinMaximum(which));
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
    // Tab moves the focus. Delete types no character, though Qt gives it the DEL character.
    const int k = key->key();
    if (k == Qt::Key_Tab || k == Qt::Key_Backtab) {
        return Panel::eventFilter(watched, event);
    }
    const bool typesCharacter = !key->text().isEmpty() && k != Qt::Key_Delete;
    int code = typesCharacter ? key->text().at(0).unicode() : core::SchedulePage::kNoCharacter;
    if (watched == daysBox) {
        filterDaysKey(code);
    } else if (watched == hoursBox) {
        filterHoursKey(code);
    } else if (watched == minutesBox) {
        filterMinutesKey(code);
    } else if (watched == kindBox || watched == kindBox->lineEdit()) {
        filterKindKey(code);
    }
    if (typesCharacter && code == 0) {
        return true; // refused: nothing is inserted
    }
    return Panel::eventFilter(watched, event);
}

void SchedulePage::mouseMoveEvent(QMouseEvent* event) {
    restoreApply();
    Panel::mouseMoveEvent(event);
}

void SchedulePage::highlightApply() {
    core::highlightButton(*this, core::HoverButton::ApplySchedule);
}

void SchedulePage::restoreApply() {
    core::restoreButtons(*this, core::HoverSurface::SchedulePage);
}

QLineEdit* SchedulePage::box(core::TriggerBox which) const {
    switch (which) {
    case core::TriggerBox::Days:
        return daysBox;
    case core::TriggerBox::Hours:
        return hoursBox;
    case core::TriggerBox::Minutes:
        break;
    }
    return minutesBox;
}

bool SchedulePage::isScheduledChecked() const {
    return scheduledCheck->isChecked();
}

void SchedulePage::setScheduledChecked(bool checked) {
    scheduledCheck->setChecked(checked);
}

std::string SchedulePage::triggerText(core::TriggerBox which) const {
    return box(which)->text().toStdString();
}

void SchedulePage::setTriggerText(core::TriggerBox which, const std::string& text) {
    box(which)->setText(QString::fromStdString(text));
}

std::string SchedulePage::kindText() const {
    return kindBox->currentText().toStdString();
}

void SchedulePage::fillKinds(const std::vector<std::string>& kinds, const std::string& prompt) {
    for (const std::string& kind : kinds) {
        kindBox->addItem(QString::fromStdString(kind));
    }
    kindBox->setCurrentIndex(-1);
    kindBox->setEditText(QString::fromStdString(prompt));
}

void SchedulePage::showKind(int index, const std::string& text) {
    // The arrow keys move on from the item shown.
    kindBox->setCurrentIndex(index);
    kindBox->setEditText(QString::fromStdString(text));
}

void SchedulePage::clearKind() {
    // No item is chosen any more: the next arrow key starts from the top of the list.
    kindBox->setCurrentIndex(-1);
    kindBox->setEditText(QString());
}

void SchedulePage::showScheduleStatus(const std::string& scheduled, const std::string& name) {
    if (m_panel1) {
        m_panel1->setText(QString::fromStdString(scheduled));
    }
    if (m_panel2) {
        m_panel2->setText(QString::fromStdString(name));
    }
}

void SchedulePage::showButtonPicture(core::HoverButton, int picture) {
    applyButton->setPicture(picture);
}

} // namespace qtshell
