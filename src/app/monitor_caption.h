#pragma once

#include "platform/services.h"

#include <QString>
#include <QTimer>
#include <QWidget>

/// The memory and processor figures in the main window's caption: processor 0 sampled into
/// cpuText, the caption made of it and the memory read now, and on a failure the message, no
/// more samples and an empty caption. MainWindow owns it and runs it from its two timers.
class MonitorCaption final {
public:
    MonitorCaption(QWidget& window, platform::Services& services, QTimer& captionTimer, QTimer& sampleTimer);

    /// Samples processor 0's usage into cpuText.
    void sampleCpu();
    /// The figures in the caption.
    void showFigures();

    /// The processor text of the latest sample ("CPU 5%"), empty until the first.
    QString cpuText;

private:
    /// A figure that cannot be read: the message, no figures in the caption, no more samples.
    void failed();

    QWidget& m_window;
    platform::Services& m_services;
    QTimer& m_captionTimer;
    QTimer& m_sampleTimer;
    /// The native window whose property notices were stopped for the caption.
    WId m_quietWindow = 0;
};
