#include "platform/linux/linux_services.h"

#include <QDateTime>
#include <QLocale>

#include <cerrno>
#include <ctime>
#include <system_error>

namespace platform {

namespace {

// The user's long time format without the time-zone name that Qt's long format carries:
// the window shows the time of day only.
QString longTimeFormat() {
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return format.simplified();
}

} // namespace

std::uint64_t LinuxClock::tickCount() {
    // CLOCK_BOOTTIME counts the time spent suspended, as the Windows tick count does.
    timespec ts{};
    if (clock_gettime(CLOCK_BOOTTIME, &ts) != 0) {
        throw std::system_error(errno, std::generic_category(), "clock_gettime(CLOCK_BOOTTIME)");
    }
    return static_cast<std::uint64_t>(ts.tv_sec) * 1000u + static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
}

std::int64_t LinuxClock::nowMsecsSinceEpoch() {
    return QDateTime::currentMSecsSinceEpoch();
}

std::string LinuxClock::formatShortDate(std::int64_t msecsSinceEpoch) {
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch);
    return QLocale::system().toString(local.date(), QLocale::ShortFormat).toStdString();
}

std::string LinuxClock::formatLongTime(std::int64_t msecsSinceEpoch) {
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch);
    return QLocale::system().toString(local.time(), longTimeFormat()).toStdString();
}

} // namespace platform
