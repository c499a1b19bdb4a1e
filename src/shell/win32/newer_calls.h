#pragma once

#include <windows.h>

namespace win32 {

// Calls that Windows 7 SP1 lacks, looked up at run time, each with what older systems offer in
// its place: the program must load and start on every system from Windows 7 SP1 on. Calls the
// program makes directly are the ones Windows 7 exports.

/// Per-monitor density awareness: v2 (Windows 10 1703), else per monitor (8.1), else the
/// system's density (Vista). The manifest asks for the same; this covers a copy started without it.
void becomeDpiAware();
/// The density of the monitor a window is on (Windows 10 1607), else the system's.
UINT windowDpi(HWND hwnd);
/// The density the program started with (Windows 10 1607), else the screen's LOGPIXELSY.
UINT systemDpi();
/// A system metric at a density (Windows 10 1607), else at the system's density scaled to it.
int systemMetricForDpi(int index, UINT dpi);
/// The non-client metrics at a density (Windows 10 1607), else at the system's.
bool nonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, UINT dpi);
/// Grows a client rectangle by the frame its styles give at a density (Windows 10 1607), else
/// by the frame at the system's density.
void addFrame(RECT& rect, DWORD style, DWORD exStyle, UINT dpi);
/// A window timer that the system may delay by up to its default tolerance to wake less often
/// (Windows 8), else a plain one; precise for one that must not drift.
void setWindowTimer(HWND hwnd, UINT_PTR id, UINT intervalMs, bool coalescable);

} // namespace win32
