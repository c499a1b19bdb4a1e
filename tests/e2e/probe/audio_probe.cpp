// Drives the real Linux audio services for the end-to-end tests and reports what happened
// as one JSON object a line on standard output.
//
//   audio_probe sweep              the Test sweep: 21 tones, 500 Hz down to 300 Hz, 50 ms each
//   audio_probe play [PATH] [MS]   plays the notification sound (default: the data folder's),
//                                  again from the beginning after MS ms when given
//   audio_probe rss                memory and Qt Multimedia before and after the first sound
#include "platform/services.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <exception>
#include <string>

namespace {

QElapsedTimer probeClock;

void report(const std::string& json) {
    std::printf("%s\n", json.c_str());
    std::fflush(stdout);
}

std::string jsonText(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    return out + "\"";
}

std::string now() {
    return std::to_string(probeClock.nsecsElapsed() / 1e6);
}

// Resident memory in kB, and whether Qt Multimedia is mapped into the process.
std::string memory() {
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    long long rss = -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            rss = line.mid(6).trimmed().split(' ').first().toLongLong();
        }
    }
    QFile maps(QStringLiteral("/proc/self/maps"));
    maps.open(QIODevice::ReadOnly);
    const bool multimedia = maps.readAll().contains("libQt6Multimedia");
    return "\"rss_kb\": " + std::to_string(rss) + ", \"multimedia\": " + (multimedia ? "true" : "false");
}

int sweep(platform::Services& services) {
    const double start = probeClock.nsecsElapsed() / 1e6;
    for (std::uint32_t hz = 500; hz >= 300; hz -= 10) {
        const std::string from = now();
        services.tone->beep(hz, 50);
        report("{\"event\": \"tone\", \"hz\": " + std::to_string(hz) + ", \"start_ms\": " + from +
               ", \"end_ms\": " + now() + "}");
    }
    report("{\"event\": \"sweep\", \"total_ms\": " + std::to_string(probeClock.nsecsElapsed() / 1e6 - start) +
           "}");
    return 0;
}

int play(platform::Services& services, std::string path, int restartAfterMs) {
    if (path.empty()) {
        path = services.folders->dataFolder() + services.folders->separator() + "Media" +
               services.folders->separator() + "notify.wav";
    }
    auto player = services.sound->create();
    int ends = 0;
    // The completion handling of the windows: clear, stop, close.
    player->setOnFinished([&] {
        ++ends;
        report("{\"event\": \"finished\", \"ms\": " + now() + "}");
        player->stop();
        player->close();
        QTimer::singleShot(500, qApp, [] { QApplication::exit(0); }); // a second end would show here
    });
    const auto start = [&]() -> bool {
        try {
            player->open(path);
            player->play();
        } catch (const std::exception& e) {
            report("{\"event\": \"failed\", \"ms\": " + now() + ", \"error\": " + jsonText(e.what()) + "}");
            return false;
        }
        report("{\"event\": \"playing\", \"ms\": " + now() + "}");
        return true;
    };
    report("{\"event\": \"start\", \"ms\": " + now() + ", \"path\": " + jsonText(path) + "}");
    if (!start()) {
        return 0;
    }
    if (restartAfterMs >= 0) {
        QTimer::singleShot(restartAfterMs, qApp, [&] { start(); });
    }
    QTimer::singleShot(10000, qApp, [] {
        report("{\"event\": \"timeout\"}");
        QApplication::exit(1);
    });
    const int code = QApplication::exec();
    player.reset();
    report("{\"event\": \"done\", \"ends\": " + std::to_string(ends) + "}");
    return code;
}

int rss(platform::Services& services) {
    report("{\"event\": \"idle\", " + memory() + "}");
    services.tone->beep(440, 50);
    report("{\"event\": \"after_tone\", " + memory() + "}");
    auto player = services.sound->create();
    try {
        player->open(services.folders->dataFolder() + "/Media/notify.wav");
    } catch (const std::exception& e) {
        report("{\"event\": \"failed\", \"error\": " + jsonText(e.what()) + "}");
    }
    report("{\"event\": \"after_open\", " + memory() + "}");
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    probeClock.start();
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const QString mode = args.value(1);
    platform::Services services = platform::makeSystemServices();
    if (mode == QLatin1String("sweep")) {
        return sweep(services);
    }
    if (mode == QLatin1String("play")) {
        return play(services, args.value(2).toStdString(), args.size() > 3 ? args.value(3).toInt() : -1);
    }
    if (mode == QLatin1String("rss")) {
        return rss(services);
    }
    std::fprintf(stderr, "usage: %s sweep | play [PATH] [RESTART_MS] | rss\n", argv[0]);
    return 2;
}
