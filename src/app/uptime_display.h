#pragma once

#include "core/uptime.h"
#include "common/accessibility.h"
#include "platform/clock.h"

#include <QLabel>
#include <QWidget>

#include <cstdint>

/// The main window's labels: the up time in days, hours and minutes with their blinking
/// separators, when the system started, the time now, and the task indicator. MainWindow owns
/// one and writes into it from its timers' ticks.
class UptimeDisplay final {
public:
    /// Makes the labels on window, placed in twips at the given twips per pixel.
    UptimeDisplay(QWidget* window, double twipsPerPixelX, double twipsPerPixelY);

    void showMinutes(int minutes);
    void showHours(int hours);
    void showDays(std::uint64_t days);
    /// The phrase a screen reader speaks for the up time, made anew only when the minute changes.
    void showSpokenUptime(const core::UptimeBreakdown& up);
    /// Both separators hide or show again, together.
    void blinkSeparators();
    /// The start date and time labels; returns the start instant (ms since the epoch).
    std::int64_t showSystemStart(platform::Clock& clock);
    /// The time of day in the "Now" label.
    void showTimeNow(platform::Clock& clock);
    /// The indicator blinks while a task is scheduled and stays shown otherwise.
    void blinkIndicator(bool scheduled);

    /// The group of the up time's labels, read as one phrase ("up 3 days, 4 hours, 5 minutes").
    PhraseGroup* phraseGroup = nullptr;
    QLabel* daysLabel = nullptr;
    QLabel* daysSeparator = nullptr;
    QLabel* hoursLabel = nullptr;
    QLabel* hoursSeparator = nullptr;
    QLabel* minutesLabel = nullptr;
    QLabel* startupHeading = nullptr;
    QLabel* startDateCaption = nullptr;
    QLabel* startDateLabel = nullptr;
    QLabel* startTimeCaption = nullptr;
    QLabel* startTimeLabel = nullptr;
    QLabel* nowCaption = nullptr;
    QLabel* nowLabel = nullptr;
    QLabel* taskIndicator = nullptr;

private:
    QLabel* makeLabel(const QString& text, int leftTwips, int topTwips, int widthTwips, int heightTwips,
                      const QColor& colour, double pointSize, bool underline = false,
                      Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, bool preshaped = false,
                      QWidget* parent = nullptr);

    QWidget* m_window;
    double m_tppX;
    double m_tppY;
    /// The up time (in minutes) that the spoken phrase says.
    std::uint64_t m_spokenUptime = 0;
};
