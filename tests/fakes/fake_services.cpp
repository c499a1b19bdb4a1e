#include "fakes/fake_services.h"

#include <QDateTime>
#include <QTimeZone>

namespace fakes {

std::string FakeClock::formatShortDate(std::int64_t msecs) {
    return QDateTime::fromMSecsSinceEpoch(msecs, QTimeZone::utc())
        .toString(QStringLiteral("yyyy-MM-dd"))
        .toStdString();
}

std::string FakeClock::formatLongTime(std::int64_t msecs) {
    return QDateTime::fromMSecsSinceEpoch(msecs, QTimeZone::utc())
        .toString(QStringLiteral("HH:mm:ss"))
        .toStdString();
}

std::string FakeClock::formatShortTime(std::int64_t msecs) {
    return QDateTime::fromMSecsSinceEpoch(msecs, QTimeZone::utc())
        .toString(QStringLiteral("HH:mm"))
        .toStdString();
}

namespace {

/// Makes a fake, hands it to its slot of the services and gives it back.
template <typename Fake, typename Slot> Fake* install(std::unique_ptr<Slot>& slot) {
    auto fake = std::make_unique<Fake>();
    Fake* raw = fake.get();
    slot = std::move(fake);
    return raw;
}

} // namespace

FakeServices::FakeServices()
    : clock(install<FakeClock>(services.clock)), processes(install<FakeProcesses>(services.processes)),
      process(install<FakeProcessControl>(services.process)), screen(install<FakeScreen>(services.screen)),
      messages(install<FakeMessageBoxes>(services.messages)), power(install<FakePower>(services.power)),
      launcher(install<FakeLauncher>(services.launcher)), registry(install<FakeRegistry>(services.registry)),
      tone(install<FakeToneGenerator>(services.tone)), sound(install<FakeSoundPlayers>(services.sound)),
      folders(install<FakeFolders>(services.folders)),
      fileDialog(install<FakeFileDialog>(services.fileDialog)),
      figures(install<FakeSystemFigures>(services.figures)) {}

} // namespace fakes
