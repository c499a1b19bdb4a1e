#pragma once

#include "fakes/fake_figures.h"
#include "fakes/fake_file_dialog.h"
#include "fakes/fake_folders.h"
#include "fakes/fake_launcher.h"
#include "fakes/fake_power.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_sound.h"
#include "fakes/fake_tone.h"
#include "platform/services.h"

#include <QString>

#include <functional>
#include <map>
#include <ostream>
#include <stdexcept>
#include <vector>

namespace fakes {

/// A clock the test sets: tick count, wall clock and fixed, locale-free formats.
class FakeClock final : public platform::Clock {
public:
    std::uint64_t tick = 0;
    std::int64_t now = 0; ///< ms since the epoch, UTC
    bool failTick = false;

    std::uint64_t tickCount() override {
        if (failTick) {
            throw std::runtime_error("tick count unavailable");
        }
        return tick;
    }
    std::int64_t nowMsecsSinceEpoch() override { return now; }
    /// "yyyy-MM-dd" of the UTC date.
    std::string formatShortDate(std::int64_t msecs) override;
    /// "HH:mm:ss" of the UTC time.
    std::string formatLongTime(std::int64_t msecs) override;
    /// "HH:mm" of the UTC time.
    std::string formatShortTime(std::int64_t msecs) override;
};

class FakeProcesses final : public platform::Processes {
public:
    std::vector<std::uint32_t> ids;
    std::map<std::uint32_t, std::string> paths; ///< a pid without a path cannot be opened
    std::string ownPath = "/opt/corvane/bin/corvane";
    bool failList = false;
    std::vector<std::uint32_t> opened; ///< the pids whose path was asked, in order

    std::vector<std::uint32_t> processIds() override {
        if (failList) {
            throw std::runtime_error("The process list cannot be read.");
        }
        return ids;
    }
    std::optional<std::string> executablePath(std::uint32_t pid) override {
        opened.push_back(pid);
        const auto it = paths.find(pid);
        return it == paths.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    std::string instanceExecutablePath() override { return ownPath; }
    std::string ownExecutablePath() override { return ownPath; }
};

class FakeProcessControl final : public platform::ProcessControl {
public:
    int platform = 2;
    std::vector<std::string> locks;
    std::vector<std::uint32_t> terminations; ///< exit codes of recorded endProgram calls
    int immediateEnds = 0;

    int platformId() override { return platform; }
    void createInstanceLock(const std::string& name) override { locks.push_back(name); }
    std::uint32_t currentExitCode() override { return 259; }
    void terminateCurrentProcess(std::uint32_t code) override { terminations.push_back(code); }
    void endImmediately() override { ++immediateEnds; }
    bool ended() const { return !terminations.empty() || immediateEnds > 0; }
};

class FakeScreen final : public platform::Screen {
public:
    platform::Rect area{0, 0, 1024, 738};
    double tpp = 15.0;
    int opacityFailure = 0;

    platform::Rect workArea() override { return area; }
    double twipsPerPixelX() override { return tpp; }
    double twipsPerPixelY() override { return tpp; }
    int windowOpacityFailure() override { return opacityFailure; }
    /// The windows whose title was set empty, in order.
    std::vector<unsigned long long> titlesCleared;
    void clearWindowTitle(unsigned long long windowId) override { titlesCleared.push_back(windowId); }
    /// The windows whose property notices were stopped, in order.
    std::vector<unsigned long long> quieted;
    void quietPropertyNotices(unsigned long long windowId) override { quieted.push_back(windowId); }
};

struct RecordedMessage {
    QString text;
    QString title;
    platform::MessageIcon icon;
    bool operator==(const RecordedMessage&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const RecordedMessage& m) {
    return out << '"' << m.title.toStdString() << "\": \"" << m.text.toStdString() << "\" icon "
               << static_cast<int>(m.icon);
}

/// Exactly one message box, with the program's title "Corvane".
inline std::vector<RecordedMessage> oneBox(const QString& text, platform::MessageIcon icon) {
    return {{text, QStringLiteral("Corvane"), icon}};
}

class FakeMessageBoxes final : public platform::MessageBoxes {
public:
    std::vector<RecordedMessage> shown;
    /// Runs while a box is "open", as the events a real box lets through would.
    std::function<void(const RecordedMessage&)> whileShown;
    void show(const std::string& text, const std::string& title, platform::MessageIcon icon) override {
        shown.push_back({QString::fromStdString(text), QString::fromStdString(title), icon});
        if (whileShown) {
            whileShown(shown.back());
        }
    }
};

/// A full set of fake services, with typed access to each fake.
struct FakeServices {
    FakeServices();
    platform::Services services;
    FakeClock* clock;
    FakeProcesses* processes;
    FakeProcessControl* process;
    FakeScreen* screen;
    FakeMessageBoxes* messages;
    FakePower* power;
    FakeLauncher* launcher;
    FakeRegistry* registry;
    FakeToneGenerator* tone;
    FakeSoundPlayers* sound;
    FakeFolders* folders;
    FakeFileDialog* fileDialog;
    FakeSystemFigures* figures;
};

} // namespace fakes
