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

QDateTime LinuxClock::localTime(std::int64_t msecsSinceEpoch) {
    // The zone's own conversion reads /etc/localtime's status at every call. Zone offsets change
    // at whole minutes, so the offset found at a minute's start holds for the whole minute; a new
    // zone is taken up within a minute.
    const std::int64_t minute = msecsSinceEpoch / 60'000 - (msecsSinceEpoch % 60'000 < 0 ? 1 : 0);
    if (minute != m_offsetMinute) {
        m_offsetMinute = minute;
        m_offsetSeconds = QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch).offsetFromUtc();
    }
    return QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch, Qt::OffsetFromUTC, m_offsetSeconds);
}

std::string LinuxClock::formatShortDate(std::int64_t msecsSinceEpoch) {
    return QLocale::system().toString(localTime(msecsSinceEpoch).date(), QLocale::ShortFormat).toStdString();
}

std::string LinuxClock::formatLongTime(std::int64_t msecsSinceEpoch) {
    return QLocale::system().toString(localTime(msecsSinceEpoch).time(), longTimeFormat()).toStdString();
}

std::string LinuxClock::formatShortTime(std::int64_t msecsSinceEpoch) {
    return QLocale::system().toString(localTime(msecsSinceEpoch).time(), QLocale::ShortFormat).toStdString();
}

} // namespace platform
