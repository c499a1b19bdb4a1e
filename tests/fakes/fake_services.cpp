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

namespace {

/// Makes a fake, hands it to its slot of the services and gives it back.
template <typename Fake, typename Slot> Fake* Install(std::unique_ptr<Slot>& slot) {
    auto fake = std::make_unique<Fake>();
    Fake* raw = fake.get();
    slot = std::move(fake);
    return raw;
}

} // namespace

FakeServices::FakeServices()
    : clock(Install<FakeClock>(services.clock)), processes(Install<FakeProcesses>(services.processes)),
      process(Install<FakeProcessControl>(services.process)), screen(Install<FakeScreen>(services.screen)),
      messages(Install<FakeMessageBoxes>(services.messages)), power(Install<FakePower>(services.power)),
      launcher(Install<FakeLauncher>(services.launcher)), registry(Install<FakeRegistry>(services.registry)),
      tone(Install<FakeToneGenerator>(services.tone)), sound(Install<FakeSoundPlayers>(services.sound)),
      folders(Install<FakeFolders>(services.folders)),
      fileDialog(Install<FakeFileDialog>(services.fileDialog)),
      figures(Install<FakeSystemFigures>(services.figures)) {}

} // namespace fakes
