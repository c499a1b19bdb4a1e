#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace qtshell {

/// SIGTERM and SIGINT (the desktop's log-out, Ctrl+C in a terminal) end the program as closing
/// its window does. The handler only writes a byte to a pipe; the window's thread reads it and
/// runs onEnd, so no work happens inside the signal handler.
class EndSignals final : public QObject {
public:
    explicit EndSignals(std::function<void()> onEnd, QObject* parent = nullptr);
    ~EndSignals() override;
    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

private:
    std::function<void()> m_onEnd;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace qtshell
