#include "core/slide_in.h"

namespace core {

SlideIn::SlideIn(TimerFactory& timers, MainWindowView& view)
    : m_view(view), m_timer(timers.makeTimer(
                        std::chrono::milliseconds(10), [this] { step(); }, TimerAccuracy::Precise)) {}

void SlideIn::start(int column, int firstRow, int lastRow) {
    m_column = column;
    m_currentRow = firstRow;
    m_endRow = lastRow;
    m_timer->start();
}

void SlideIn::step() {
    // One pixel a step. The row is the slide's own: the window manager may clamp the first
    // rows and a toolkit may report a stale position, so the position is never read back.
    m_view.placeWindow(m_column, m_currentRow);
    m_currentRow += 1;
    if (m_currentRow >= m_endRow) {
        m_timer->stop();
    }
}

} // namespace core
