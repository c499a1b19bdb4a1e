#include "shell/qt/schedule_page.h"

#include "core/design/options_window_design.h"
#include "core/task_kind.h"
#include "shell/qt/control_names.h"
#include "shell/qt/design_colours.h"
#include "shell/qt/options_look.h"
#include "shell/qt/pictures.h"
#include "shell/qt/twips.h"

#include <QKeyEvent>

namespace qtshell {

namespace {

namespace design = core::design::schedule_page;

} // namespace

SchedulePage::SchedulePage(core::AppState& state, platform::Services& services, QWidget* parent)
    : Panel(parent), m_services(services), m_rules(*this, services, state) {
    m_tppX = m_services.screen->twipsPerPixelX();
    m_tppY = m_services.screen->twipsPerPixelY();
    setAccessibleName(QString::fromUtf8(design::kAccessibleName));
    setDesignColours(this, kDesignBackground);
    resize(pixels(core::design::options_window::kSchedulePage).size());

    clockPicture = new QLabel(this);
    const int clock = design::kClockPixels;
    clockPicture->setPixmap(
        renderPicture(QStringLiteral(":/pictures/schedule_clock.svg"), QSize(clock, clock)));
    clockPicture->setGeometry(twipsToPixels(design::kClockLeft, m_tppX),
                              twipsToPixels(design::kClockTop, m_tppY), clock, clock);

    scheduledCheck = new QCheckBox(this);
    scheduledCheck->setToolTip(QString::fromUtf8(design::kScheduledTip));
    scheduledCheck->setAccessibleName(QString::fromUtf8(design::kScheduledTip));
    scheduledCheck->move(twipsToPixels(design::kScheduledCheck.left, m_tppX),
                         twipsToPixels(design::kScheduledCheck.top, m_tppY));
    whenLabel = makeLabel(design::kWhenText, design::kWhenLabel);

    QLabel** const labels[] = {&daysLabel, &hoursLabel, &minutesLabel};
    QLineEdit** const boxes[] = {&daysBox, &hoursBox, &minutesBox};
    UpDown** const upDowns[] = {&daysUpDown, &hoursUpDown, &minutesUpDown};
    for (std::size_t i = 0; i < design::kTrigger.size(); ++i) {
        *labels[i] = makeLabel(design::kTrigger[i].name, design::kTrigger[i].label);
        *boxes[i] = makeBox(design::kTrigger[i]);
        *upDowns[i] = makeUpDown(*boxes[i], design::kTrigger[i].name, static_cast<core::TriggerBox>(i));
    }

    kindLabel = makeLabel(design::kKindText, design::kKindLabel);
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
    kindBox->setAccessibleName(QString::fromUtf8(design::kKindName));
    kindBox->lineEdit()->setAccessibleName(QString::fromUtf8(design::kKindName));
    kindBox->setGeometry(pixels(design::kKindBox));
    kindBox->installEventFilter(this);
    kindBox->lineEdit()->installEventFilter(this);
    connect(kindBox, &QComboBox::activated, this, &SchedulePage::pickKind);

    applyButton = new PictureButton(this);
    const QRect applyPlace = pixels(design::kApply);
    applyButton->setPictures(
        {QPixmap(), QPixmap(),
         renderPicture(QStringLiteral(":/pictures/apply_normal.svg"), applyPlace.size()),
         renderPicture(QStringLiteral(":/pictures/apply_highlighted.svg"), applyPlace.size())});
    applyButton->setPicture(applyPicture(core::ButtonLook::Normal));
    applyButton->setGeometry(applyPlace);
    applyButton->setAccessibleName(QString::fromUtf8(design::kApplyName));
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

QRect SchedulePage::pixels(const core::design::Rect& twips) const {
    return {twipsToPixels(twips.left, m_tppX), twipsToPixels(twips.top, m_tppY),
            twipsToPixels(twips.width, m_tppX), twipsToPixels(twips.height, m_tppY)};
}

QLabel* SchedulePage::makeLabel(const char* text, const core::design::Rect& place) {
    auto* label = new QLabel(QString::fromUtf8(text), this);
    label->setGeometry(pixels(place));
    return label;
}

QLineEdit* SchedulePage::makeBox(const core::design::schedule_page::TriggerRow& row) {
    const QString tip = QString::fromUtf8(row.name);
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
    box->setGeometry(pixels(row.box));
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, [this] { m_rules.showTriggerClock(); });
    return box;
}

UpDown* SchedulePage::makeUpDown(QLineEdit* buddy, const char* name, core::TriggerBox which) {
    auto* upDown = new UpDown(this);
    upDown->setBuddy(buddy);
    upDown->setMaximum(core::SchedulePage::spinMaximum(which));
    upDown->setAccessibleName(QString::fromUtf8(name) + QStringLiteral(" up and down"));
    upDown->setGeometry(buddy->geometry().right() + 1, buddy->y(),
                        twipsToPixels(design::kUpDownWidth, m_tppX), buddy->height());
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
        code = filterDaysKey(code);
    } else if (watched == hoursBox) {
        code = filterHoursKey(code);
    } else if (watched == minutesBox) {
        code = filterMinutesKey(code);
    } else if (watched == kindBox || watched == kindBox->lineEdit()) {
        code = filterKindKey(code);
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

void SchedulePage::showButtonPicture(core::HoverButton, core::ButtonLook look) {
    applyButton->setPicture(applyPicture(look));
}

void SchedulePage::showTriggerClock(const std::string& text) {
    // The boxes' own tips stay first; the clock time is the second line.
    const QString clock = QString::fromStdString(text);
    for (QLineEdit* which : {daysBox, hoursBox, minutesBox}) {
        const QString name = which->accessibleName();
        which->setToolTip(clock.isEmpty() ? name : name + QLatin1Char('\n') + clock);
        which->setAccessibleDescription(clock);
    }
}

} // namespace qtshell
