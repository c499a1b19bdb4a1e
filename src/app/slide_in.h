#pragma once

#include <QTimer>
#include <QWidget>

/// The slide of the main window into view: from just above the top edge of the screen down to
/// its last row, one pixel every 10 ms. MainWindow owns it and starts it at start-up.
class SlideIn final {
public:
    explicit SlideIn(QWidget& window);

    /// Slides the window at column from firstRow down to lastRow.
    void start(int column, int firstRow, int lastRow);
    /// One step: the window one row lower; the slide stops at the last row.
    void step();

    /// The slide's current and end rows, in pixels.
    int currentRow() const { return m_currentRow; }
    int endRow() const { return m_endRow; }

    QTimer slideTimer;

private:
    QWidget& m_window;
    int m_column = 0;
    int m_currentRow = 0;
    int m_endRow = 0;
};
