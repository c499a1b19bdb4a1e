#pragma once

#include "core/app_state.h"
#include "core/timer.h"
#include "platform/services.h"

#include <QString>
#include <QTimer>
#include <QWidget>

/// The memory and processor figures in the main window's caption: processor 0 sampled into
/// the shared processor text, the caption made of it and the memory read now, and on a failure
/// the message, no more samples and an empty caption. MainWindow owns it and runs it from its
/// two timers.
class MonitorCaption final {
public:
    MonitorCaption(QWidget& window, platform::Services& services, core::AppState& state, core::Timer& sampleTimer);

    /// Samples processor 0's usage into the shared processor text.
    void sampleCpu();
    /// The figures in the caption.
    void showFigures();

private:
    /// A figure that cannot be read: the message, no figures in the caption, no more samples.
    void failed();

    QWidget& m_window;
    platform::Services& m_services;
    core::AppState& m_state;
    core::Timer& m_sampleTimer;
    /// The native window whose property notices were stopped for the caption.
    WId m_quietWindow = 0;
};
