#pragma once

#include "core/main_window_view.h"
#include "core/timer.h"

#include <memory>

namespace core {

/// The slide of the main window into view: from just above the top edge of the screen down to
/// its last row, one pixel every 10 ms, once per run.
class SlideIn final {
public:
    SlideIn(TimerFactory& timers, MainWindowView& view);

    /// Slides the window at column from firstRow down to lastRow.
    void start(int column, int firstRow, int lastRow);
    /// One step: the window one row lower; the slide stops at the last row.
    void step();

    /// The slide's current and end rows, in pixels.
    int currentRow() const { return m_currentRow; }
    int endRow() const { return m_endRow; }
    Timer& timer() { return *m_timer; }

private:
    MainWindowView& m_view;
    std::unique_ptr<Timer> m_timer;
    int m_column = 0;
    int m_currentRow = 0;
    int m_endRow = 0;
};

} // namespace core
