#include "shell/qt/uptime_display.h"

#include "core/design/main_window_design.h"
#include "core/uptime.h"
#include "shell/qt/control_names.h"
#include "shell/qt/design_colours.h"
#include "shell/qt/pictures.h"
#include "shell/qt/preshaped_label.h"
#include "shell/qt/twips.h"

#include <QFontInfo>

#include <iterator>

namespace qtshell {

namespace {

namespace design = core::design::main_window;

Qt::Alignment alignment(core::design::Align align) {
    switch (align) {
    case core::design::Align::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case core::design::Align::Centre:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case core::design::Align::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

UptimeDisplay::UptimeDisplay(QWidget* window, double twipsPerPixelX, double twipsPerPixelY)
    : m_window(window), m_tppX(twipsPerPixelX), m_tppY(twipsPerPixelY) {
    phraseGroup = new PhraseGroup(m_window);
    phraseGroup->setGeometry(
        twipsToPixels(design::kPhrase.left, m_tppX), twipsToPixels(design::kPhrase.top, m_tppY),
        twipsToPixels(design::kPhrase.width, m_tppX), twipsToPixels(design::kPhrase.height, m_tppY));
    phraseGroup->setAccessibleName(QString::fromStdString(core::uptimePhrase(0, 0, 0)));
    QLabel** const labels[] = {&daysLabel,        &daysSeparator,  &hoursLabel,       &hoursSeparator,
                               &minutesLabel,     &startupHeading, &startDateCaption, &startDateLabel,
                               &startTimeCaption, &startTimeLabel, &nowCaption,       &nowLabel};
    static_assert(std::size(labels) == design::kLabels.size());
    for (std::size_t i = 0; i < design::kLabels.size(); ++i) {
        const design::Label& label = design::kLabels[i];
        // The up time's labels make one phrase; they and the time now change every second or minute.
        const bool uptime = label.style == design::TextStyle::Uptime;
        *labels[i] = makeLabel(label, uptime || i == design::Now, uptime ? phraseGroup : nullptr);
    }

    taskIndicator = new QLabel(m_window);
    const QSize indicator(twipsToPixels(design::kIndicator.width, m_tppX),
                          twipsToPixels(design::kIndicator.height, m_tppY));
    taskIndicator->setPixmap(renderPicture(QStringLiteral(":/pictures/task_indicator.svg"), indicator));
    taskIndicator->setGeometry(twipsToPixels(design::kIndicator.left, m_tppX),
                               twipsToPixels(design::kIndicator.top, m_tppY), indicator.width(),
                               indicator.height());
    taskIndicator->setToolTip(QString::fromUtf8(design::kIndicatorTip));
    taskIndicator->setAccessibleName(QString::fromUtf8(design::kIndicatorName));
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

QLabel* UptimeDisplay::makeLabel(const core::design::main_window::Label& look, bool preshaped,
                                 QWidget* parent) {
    QWidget* holder = parent != nullptr ? parent : m_window;
    const QString text = QString::fromUtf8(look.text);
    // The labels that change every second or minute draw their characters from a cache.
    QLabel* label = preshaped ? new PreshapedLabel(text, holder) : new QLabel(text, holder);
    QFont font(QStringLiteral("Tahoma"));
    font.setBold(true);
    font.setPointSizeF(look.style == design::TextStyle::Uptime    ? 9.75
                       : look.style == design::TextStyle::Heading ? 9
                                                                  : 8.25);
    font.setUnderline(look.style == design::TextStyle::Heading);
    // The labels are sized for Tahoma. The faces that stand in for it (DejaVu Sans on most Linux
    // systems) run about an eighth wider and would cut a two-digit day or "11:59:59 PM".
    if (!QFontInfo(font).family().startsWith(QLatin1String("Tahoma"), Qt::CaseInsensitive)) {
        font.setStretch(88);
    }
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, toQColor(look.colour));
    label->setPalette(palette);
    label->setAlignment(alignment(look.align));
    if (look.tip != nullptr) {
        label->setToolTip(QString::fromUtf8(look.tip));
    }
    // Edges rounded on their own: labels that meet in twips meet in pixels and do not overlap,
    // so the clock's label repaints alone each second, not its neighbour too.
    const core::design::Rect& place = look.place;
    const int left = twipsToPixels(place.left, m_tppX);
    const int top = twipsToPixels(place.top, m_tppY);
    label->setGeometry(left, top, twipsToPixels(place.right(), m_tppX) - left,
                       twipsToPixels(place.bottom(), m_tppY) - top);
    if (parent != nullptr) {
        // Placed on the window as designed, whatever group holds it.
        label->move(label->pos() - parent->pos());
    }
    return label;
}

} // namespace qtshell
