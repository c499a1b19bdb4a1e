#include "shell/qt/uptime_display.h"

#include "core/uptime.h"
#include "shell/qt/control_names.h"
#include "shell/qt/design_colours.h"
#include "shell/qt/pictures.h"
#include "shell/qt/preshaped_label.h"
#include "shell/qt/twips.h"

#include <QFontInfo>

namespace qtshell {

namespace {

const QColor kOrange(255, 128, 0);
const QColor kDarkGrey(64, 64, 64);

} // namespace

UptimeDisplay::UptimeDisplay(QWidget* window, double twipsPerPixelX, double twipsPerPixelY)
    : m_window(window), m_tppX(twipsPerPixelX), m_tppY(twipsPerPixelY) {
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    const auto centre = Qt::AlignHCenter | Qt::AlignVCenter;
    phraseGroup = new PhraseGroup(m_window);
    phraseGroup->setGeometry(twipsToPixels(865, m_tppX), twipsToPixels(492, m_tppY),
                             twipsToPixels(1825 - 865, m_tppX), twipsToPixels(255, m_tppY));
    phraseGroup->setAccessibleName(QString::fromStdString(core::uptimePhrase(0, 0, 0)));
    QWidget* group = phraseGroup;
    daysLabel = makeLabel(QStringLiteral("00"), 865, 492, 255, 255, kOrange, 9.75, false, right, true, group);
    daysLabel->setToolTip(QStringLiteral("Days"));
    daysSeparator =
        makeLabel(QStringLiteral(":"), 1130, 492, 90, 255, Qt::black, 9.75, false, centre, true, group);
    hoursLabel =
        makeLabel(QStringLiteral("00"), 1225, 492, 255, 255, kOrange, 9.75, false, right, true, group);
    hoursLabel->setToolTip(QStringLiteral("Hours"));
    hoursSeparator =
        makeLabel(QStringLiteral(":"), 1485, 492, 90, 255, Qt::black, 9.75, false, centre, true, group);
    minutesLabel =
        makeLabel(QStringLiteral("00"), 1570, 492, 255, 255, kOrange, 9.75, false, right, true, group);
    minutesLabel->setToolTip(QStringLiteral("Minutes"));

    startupHeading = makeLabel(QStringLiteral("Startup Info"), 360, 885, 1500, 240, kDarkGrey, 9, true);
    startupHeading->setToolTip(QStringLiteral("System Startup Information"));
    startDateCaption = makeLabel(QStringLiteral("Date :"), 240, 1200, 590, 225, kDarkGrey, 8.25);
    startDateLabel = makeLabel(QStringLiteral("Date & Time"), 830, 1200, 1105, 225, kOrange, 8.25);
    startTimeCaption = makeLabel(QStringLiteral("Time :"), 230, 1440, 600, 225, kDarkGrey, 8.25);
    startTimeLabel = makeLabel(QStringLiteral("Date & Time"), 830, 1440, 1105, 225, kOrange, 8.25);
    nowCaption = makeLabel(QStringLiteral("Now  :"), 250, 1680, 580, 225, kDarkGrey, 8.25);
    nowLabel = makeLabel(QStringLiteral("Now"), 830, 1680, 1105, 225, kOrange, 8.25, false,
                         Qt::AlignLeft | Qt::AlignVCenter, true);
    nowLabel->setToolTip(QStringLiteral("Now Time"));

    taskIndicator = new QLabel(m_window);
    const QSize indicator(twipsToPixels(345, m_tppX), twipsToPixels(330, m_tppY));
    taskIndicator->setPixmap(renderPicture(QStringLiteral(":/pictures/task_indicator.svg"), indicator));
    taskIndicator->setGeometry(twipsToPixels(1590, m_tppX), twipsToPixels(24, m_tppY), indicator.width(),
                               indicator.height());
    taskIndicator->setToolTip(QStringLiteral("Task Indicator. If blinking, a Task is scheduled."));
    taskIndicator->setAccessibleName(QStringLiteral("Task Indicator"));
    nameControls({{phraseGroup, "phraseGroup"},
                  {daysLabel, "daysLabel"},
                  {daysSeparator, "daysSeparator"},
                  {hoursLabel, "hoursLabel"},
                  {hoursSeparator, "hoursSeparator"},
                  {minutesLabel, "minutesLabel"},
                  {startupHeading, "startupHeading"},
                  {startDateCaption, "startDateCaption"},
                  {startDateLabel, "startDateLabel"},
                  {startTimeCaption, "startTimeCaption"},
                  {startTimeLabel, "startTimeLabel"},
                  {nowCaption, "nowCaption"},
                  {nowLabel, "nowLabel"},
                  {taskIndicator, "taskIndicator"}});
}

QLabel* UptimeDisplay::makeLabel(const QString& text, int leftTwips, int topTwips, int widthTwips,
                                 int heightTwips, const QColor& colour, double pointSize, bool underline,
                                 Qt::Alignment align, bool preshaped, QWidget* parent) {
    QWidget* holder = parent != nullptr ? parent : m_window;
    // The labels that change every second or minute draw their characters from a cache.
    QLabel* label = preshaped ? new PreshapedLabel(text, holder) : new QLabel(text, holder);
    QFont font(QStringLiteral("Tahoma"));
    font.setBold(true);
    font.setPointSizeF(pointSize);
    font.setUnderline(underline);
    // The labels are sized for Tahoma. The faces that stand in for it (DejaVu Sans on most Linux
    // systems) run about an eighth wider and would cut a two-digit day or "11:59:59 PM".
    if (!QFontInfo(font).family().startsWith(QLatin1String("Tahoma"), Qt::CaseInsensitive)) {
        font.setStretch(88);
    }
    label->setFont(font);
    QPalette palette = label->palette();
    // The designed colour where it reads on the window's white, else a darker shade of its hue.
    palette.setColor(QPalette::WindowText, readableOn(colour, kMainWindowBackground));
    label->setPalette(palette);
    label->setAlignment(align);
    // Edges rounded on their own: labels that meet in twips meet in pixels and do not overlap,
    // so the clock's label repaints alone each second, not its neighbour too.
    const int left = twipsToPixels(leftTwips, m_tppX);
    const int top = twipsToPixels(topTwips, m_tppY);
    label->setGeometry(left, top, twipsToPixels(leftTwips + widthTwips, m_tppX) - left,
                       twipsToPixels(topTwips + heightTwips, m_tppY) - top);
    if (parent != nullptr) {
        // Placed on the window as designed, whatever group holds it.
        label->move(label->pos() - parent->pos());
    }
    return label;
}

} // namespace qtshell
