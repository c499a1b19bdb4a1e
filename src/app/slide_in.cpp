#include "app/slide_in.h"

SlideIn::SlideIn(QWidget& window) : m_window(window) {
    slideTimer.setInterval(10);
    slideTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&slideTimer, &QTimer::timeout, &m_window, [this] { step(); });
}

void SlideIn::start(int column, int firstRow, int lastRow) {
    m_column = column;
    m_currentRow = firstRow;
    m_endRow = lastRow;
    slideTimer.start();
}

void SlideIn::step() {
    // One pixel a step. The row is the slide's own: the window manager may clamp the first
    // rows and Qt may report a stale position, so the position is never read back.
    m_window.move(m_column, m_currentRow);
    m_currentRow += 1;
    if (m_currentRow >= m_endRow) {
        slideTimer.stop();
    }
}
