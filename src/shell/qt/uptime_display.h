#pragma once

#include "core/design/main_window_design.h"
#include "shell/qt/accessibility.h"

#include <QLabel>
#include <QWidget>

#include <cstdint>

namespace qtshell {

/// The main window's labels: the up time in days, hours and minutes with their blinking
/// separators, when the system started, the time now, and the task indicator. MainWindow owns
/// one and writes into it what the core shows.
class UptimeDisplay final {
public:
    /// Makes the labels on window, placed in twips at the given twips per pixel.
    UptimeDisplay(QWidget* window, double twipsPerPixelX, double twipsPerPixelY);

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
    /// A label as designed; preshaped, one that changes every second or minute; parent, the group
    /// that holds it (else the window).
    QLabel* makeLabel(const core::design::main_window::Label& look, bool preshaped, QWidget* parent);

    QWidget* m_window;
    double m_tppX;
    double m_tppY;
};

} // namespace qtshell
