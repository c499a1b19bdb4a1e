#include "fakes/fake_services.h"

#include <QDateTime>
#include <QTimeZone>

namespace fakes {

std::string FakeClock::formatShortDate(std::int64_t msecs) {
    return QDateTime::fromMSecsSinceEpoch(msecs, QTimeZone::utc()).toString(QStringLiteral("yyyy-MM-dd")).toStdString();
}

std::string FakeClock::formatLongTime(std::int64_t msecs) {
    return QDateTime::fromMSecsSinceEpoch(msecs, QTimeZone::utc()).toString(QStringLiteral("HH:mm:ss")).toStdString();
}

FakeServices::FakeServices() {
    auto c = std::make_unique<FakeClock>();
    auto p = std::make_unique<FakeProcesses>();
    auto pc = std::make_unique<FakeProcessControl>();
    auto s = std::make_unique<FakeScreen>();
    auto m = std::make_unique<FakeMessageBoxes>();
    clock = c.get();
    processes = p.get();
    process = pc.get();
    screen = s.get();
    messages = m.get();
    services.clock = std::move(c);
    services.processes = std::move(p);
    services.process = std::move(pc);
    services.screen = std::move(s);
    services.messages = std::move(m);
    auto fp = std::make_unique<FakePower>();
    power = fp.get();
    services.power = std::move(fp);
    auto fl = std::make_unique<FakeLauncher>();
    launcher = fl.get();
    services.launcher = std::move(fl);
    auto r = std::make_unique<FakeRegistry>();
    registry = r.get();
    services.registry = std::move(r);
    auto t = std::make_unique<FakeToneGenerator>();
    tone = t.get();
    services.tone = std::move(t);
    auto snd = std::make_unique<FakeSoundPlayers>();
    sound = snd.get();
    services.sound = std::move(snd);
    auto f = std::make_unique<FakeFolders>();
    folders = f.get();
    services.folders = std::move(f);
    auto fd = std::make_unique<FakeFileDialog>();
    fileDialog = fd.get();
    services.fileDialog = std::move(fd);
}

} // namespace fakes
