#include "fakes/fake_services.h"

#include <chrono>
#include <cstdio>

namespace fakes {

namespace {

using Instant = std::chrono::sys_time<std::chrono::milliseconds>;

Instant instant(std::int64_t msecs) {
    return Instant(std::chrono::milliseconds(msecs));
}

/// Makes a fake, hands it to its slot of the services and gives it back.
template <typename Fake, typename Slot> Fake* install(std::unique_ptr<Slot>& slot) {
    auto fake = std::make_unique<Fake>();
    Fake* raw = fake.get();
    slot = std::move(fake);
    return raw;
}

} // namespace

std::string FakeClock::formatShortDate(std::int64_t msecs) {
    const std::chrono::year_month_day date(std::chrono::floor<std::chrono::days>(instant(msecs)));
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

std::string FakeClock::formatLongTime(std::int64_t msecs) {
    const Instant at = instant(msecs);
    const std::chrono::hh_mm_ss time(
        std::chrono::floor<std::chrono::seconds>(at - std::chrono::floor<std::chrono::days>(at)));
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(time.hours().count()),
                  static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count()));
    return text;
}

std::string FakeClock::formatShortTime(std::int64_t msecs) {
    return formatLongTime(msecs).substr(0, 5);
}

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
