#pragma once

// The main window's appearance: kept above other windows, drawn half transparent.

#include "platform/screen.h"

#include <QWidget>

#include <stdexcept>

/// A window system that cannot do what was asked; number is its error number.
class AppearanceFailure final : public std::runtime_error {
public:
    explicit AppearanceFailure(int number)
        : std::runtime_error("window appearance failed"), m_number(number) {}
    int number() const { return m_number; }

private:
    int m_number;
};

/// Draws the window at opacity 128 of 255. Throws AppearanceFailure where the window system
/// cannot draw it so.
void makeWindowTransparent(QWidget& window, platform::Screen& screen);
/// Draws the window at full opacity, 255 of 255. Throws as makeWindowTransparent does.
void makeWindowOpaque(QWidget& window, platform::Screen& screen);
/// Puts the window into the band above all normal windows, or back into the normal band,
/// without moving it, and shows it.
void setWindowOnTop(QWidget& window, bool onTop);
