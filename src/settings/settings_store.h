#pragma once

#include "platform/services.h"

#include <QString>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <string>

/// The items of the main window that the options switch. The main window owns them.
struct OptionTargets {
    QTimer* hourlyBeepTimer = nullptr;   ///< the hourly beep
    QTimer* captionTimer = nullptr;      ///< memory and processor figures in the caption
    QString* figuresOption = nullptr;    ///< the last value read of ShowMemCpu, as text
    QString* hourlyBeepOption = nullptr; ///< the last value read of hrbeep, as text
    QWidget* mainWindow = nullptr;       ///< whose caption is emptied while the figures are off
    const QString* cpuText = nullptr;    ///< the latest processor text, for the status bar
};

/// The text form of a stored number: its signed decimal text, cut to as many characters as the
/// value had bytes (1 -> "1", -1 -> "-1", 123456 in 4 bytes -> "1234").
QString optionText(std::int32_t value, std::uint32_t size);

/// The five options in the current user's key Software\Pellorin\Corvane\4.0: the first run that
/// makes them, one reader and two writers per option.
class SettingsStore final {
public:
    SettingsStore(platform::Services& services, OptionTargets targets);

    /// True once a failure has ended the program; the caller returns at once.
    bool ended() const { return m_ended; }

    /// The result of opening the settings key for reading: 0 when it exists.
    long probeSettingsKey();
    /// Registers autostart for the program at programPath, then makes the key and writes the
    /// five defaults. The key and its values are stored in one write, so a first run cut short
    /// leaves either no key (the next start runs this again) or the key with all five values.
    void runFirstRunSequence(const std::string& programPath);
    void createMakerKey();
    void createProductKey();
    void createVersionKey();
    void writeDefaultSetting(const std::string& name, std::int32_t value);

    /// Reads ShowMemCpu into figuresOption; 0 stops captionTimer and empties the caption, 1 starts it.
    void loadFiguresOption();
    /// Reads hrbeep into hourlyBeepOption; 0 stops hourlyBeepTimer, 1 starts it.
    void loadHourlyBeepOption();
    /// The text form of Ontop, or nothing when it cannot be read.
    std::optional<QString> readOnTop();
    /// The text form of tpme, or nothing when it cannot be read.
    std::optional<QString> readTransparency();

    void storeFiguresOn();
    void storeFiguresOff();
    /// Stores 1, then starts hourlyBeepTimer.
    void storeHourlyBeepOn();
    /// Stores 0, then stops hourlyBeepTimer.
    void storeHourlyBeepOff();
    void storeOnTopOn();
    void storeOnTopOff();
    void storeTransparentOn();
    void storeTransparentOff();

    const OptionTargets& targets() const { return m_targets; }

private:
    void createLevel(const std::string& parent, const std::string& subKey);
    void loadSwitch(const char* name, QString& cache, QTimer& timer, bool emptiesCaption);
    std::optional<QString> readText(const char* name);
    /// Opens the key for writing and stores the number; false when the key could not be opened.
    bool store(const char* name, std::uint32_t value);
    void installationError();
    void end();

    platform::Services& m_services;
    OptionTargets m_targets;
    bool m_ended = false;
};
