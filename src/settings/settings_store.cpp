#include "settings/settings_store.h"

#include "common/app_title.h"
#include "settings/autostart.h"

#include <QLoggingCategory>

#include <exception>
#include <stdexcept>

Q_LOGGING_CATEGORY(lcSettings, "corvane.settings")

namespace {

using platform::kErrorSuccess;
using platform::kHkeyCurrentUser;
using platform::RegKey;

const QString kInstallationError =
    QStringLiteral("Corvane Installation Error. Please Reinstall the Product.");
const QString kPermissionError =
    QStringLiteral("Unable to create necessary Registry values. You may not have enough permission.");
const QString kContactError = QStringLiteral("Unable to create necessary Registry values. Contact ");
const QString kSupportAddress = QStringLiteral("support@pellorin.example");

// The first run spells the first level "Software", the readers and writers "SOFTWARE": the same
// key, since key names compare without regard to case.
const std::string kSettingsKey = "Software\\Pellorin\\Corvane\\4.0";
const std::string kOptionsKey = "SOFTWARE\\Pellorin\\Corvane\\4.0";

constexpr std::uint32_t kOpenLink = 4; // the options the readers pass

/// A cache's text as a number; a text that is no number is a failure.
long long cacheNumber(const QString& text) {
    bool ok = false;
    const long long n = text.trimmed().toLongLong(&ok);
    if (!ok) {
        throw std::invalid_argument("type mismatch");
    }
    return n;
}

} // namespace

QString optionText(std::int32_t value, std::uint32_t size) {
    return QString::number(value).left(static_cast<qsizetype>(size));
}

SettingsStore::SettingsStore(platform::Services& services, OptionTargets targets)
    : m_services(services), m_targets(targets) {}

void SettingsStore::end() {
    m_ended = true;
    m_services.process->endImmediately();
}

void SettingsStore::installationError() {
    m_services.messages->show(kInstallationError.toStdString(), kAppTitle.toStdString(),
                              platform::MessageIcon::Critical);
    end();
}

long SettingsStore::probeSettingsKey() {
    RegKey key = 0;
    const long result =
        m_services.registry->openKey(kHkeyCurrentUser, kSettingsKey, 0, platform::kKeyRead, key);
    if (result == kErrorSuccess) {
        m_services.registry->closeKey(key);
    }
    return result;
}

void SettingsStore::runFirstRunSequence(const std::string& programPath) {
    registerAutostart(*m_services.registry, programPath);
    m_services.registry->beginTransaction();
    createMakerKey();
    if (m_ended) {
        return;
    }
    createProductKey();
    if (m_ended) {
        return;
    }
    createVersionKey();
    if (m_ended) {
        return;
    }
    writeDefaultSetting("autoaddstp", 1);
    writeDefaultSetting("hrbeep", 1);
    writeDefaultSetting("Ontop", 0);
    writeDefaultSetting("ShowMemCpu", 1);
    writeDefaultSetting("tpme", 0);
    if (m_services.registry->commitTransaction() != kErrorSuccess) {
        qCWarning(lcSettings) << "the settings of the first run could not be stored";
    }
}

void SettingsStore::createLevel(const std::string& parent, const std::string& subKey) {
    platform::Registry& registry = *m_services.registry;
    RegKey parentKey = 0;
    if (registry.openKey(kHkeyCurrentUser, parent, 0, platform::kKeyWrite, parentKey) != kErrorSuccess) {
        return;
    }
    RegKey made = 0;
    if (registry.createKey(parentKey, subKey, made) == kErrorSuccess) {
        registry.closeKey(made);
    }
    registry.closeKey(parentKey);
}

void SettingsStore::createMakerKey() {
    try {
        createLevel("Software", "Pellorin");
    } catch (const std::exception& failure) {
        m_services.messages->show((kPermissionError + QString::fromUtf8(failure.what())).toStdString(),
                                  kAppTitle.toStdString(), platform::MessageIcon::Exclamation);
        end();
    }
}

void SettingsStore::createProductKey() {
    try {
        createLevel("Software\\Pellorin", "Corvane");
    } catch (const std::exception& failure) {
        m_services.messages->show((kPermissionError + QString::fromUtf8(failure.what())).toStdString(),
                                  kAppTitle.toStdString(), platform::MessageIcon::Exclamation);
        end();
    }
}

void SettingsStore::createVersionKey() {
    try {
        createLevel("Software\\Pellorin\\Corvane", "4.0");
    } catch (const std::exception& failure) {
        m_services.messages->show(
            (kContactError + kSupportAddress + QString::fromUtf8(failure.what())).toStdString(),
            kAppTitle.toStdString(), platform::MessageIcon::Exclamation);
        end();
    }
}

void SettingsStore::writeDefaultSetting(const std::string& name, std::int32_t value) {
    try {
        platform::Registry& registry = *m_services.registry;
        RegKey key = 0;
        if (registry.openKey(kHkeyCurrentUser, kSettingsKey, 0, platform::kKeyWrite, key) != kErrorSuccess) {
            return;
        }
        const auto n = static_cast<std::uint32_t>(value);
        const std::uint8_t data[4] = {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                                      static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)};
        registry.setValue(key, name, platform::kRegDword, data, 4);
        registry.closeKey(key);
    } catch (const std::exception& failure) {
        m_services.messages->show(failure.what(), kAppTitle.toStdString(),
                                  platform::MessageIcon::Information);
    }
}

std::optional<QString> SettingsStore::readText(const char* name) {
    platform::Registry& registry = *m_services.registry;
    RegKey key = 0;
    if (registry.openKey(kHkeyCurrentUser, kOptionsKey, kOpenLink, platform::kKeyRead, key) !=
        kErrorSuccess) {
        return std::nullopt;
    }
    std::uint8_t data[4] = {};
    std::uint32_t type = platform::kRegDword;
    std::uint32_t size = 4;
    const long result = registry.queryValue(key, name, type, data, size);
    registry.closeKey(key);
    if (result != kErrorSuccess) {
        return std::nullopt;
    }
    const auto value = static_cast<std::int32_t>(data[0] | (data[1] << 8) | (data[2] << 16) |
                                                 (static_cast<std::uint32_t>(data[3]) << 24));
    return optionText(value, size);
}

void SettingsStore::loadSwitch(const char* name, QString& cache, QTimer& timer, bool emptiesCaption) {
    try {
        if (const std::optional<QString> text = readText(name)) {
            cache = *text;
        }
        // A value other than 0 and 1 leaves the timer and the caption as they are.
        if (cacheNumber(cache) == 0) {
            timer.stop();
            if (emptiesCaption) {
                m_targets.mainWindow->setWindowTitle(QString());
            }
        }
        if (cacheNumber(cache) == 1 && !timer.isActive()) {
            timer.start();
        }
    } catch (const std::exception&) {
        installationError();
    }
}

void SettingsStore::loadFiguresOption() {
    loadSwitch("ShowMemCpu", *m_targets.figuresOption, *m_targets.captionTimer, true);
}

void SettingsStore::loadHourlyBeepOption() {
    loadSwitch("hrbeep", *m_targets.hourlyBeepOption, *m_targets.hourlyBeepTimer, false);
}

std::optional<QString> SettingsStore::readOnTop() {
    try {
        return readText("Ontop");
    } catch (const std::exception&) {
        installationError();
        return std::nullopt;
    }
}

std::optional<QString> SettingsStore::readTransparency() {
    try {
        return readText("tpme");
    } catch (const std::exception&) {
        installationError();
        return std::nullopt;
    }
}

bool SettingsStore::store(const char* name, std::uint32_t value) {
    platform::Registry& registry = *m_services.registry;
    RegKey key = 0;
    if (registry.openKey(kHkeyCurrentUser, kOptionsKey, 0, platform::kKeyWrite, key) != kErrorSuccess) {
        return false;
    }
    const std::uint8_t data[4] = {static_cast<std::uint8_t>(value), 0, 0, 0};
    registry.setValue(key, name, platform::kRegDword, data, 4);
    registry.closeKey(key);
    return true;
}

void SettingsStore::storeFiguresOn() {
    store("ShowMemCpu", 1);
}
void SettingsStore::storeFiguresOff() {
    store("ShowMemCpu", 0);
}
void SettingsStore::storeOnTopOn() {
    store("Ontop", 1);
}
void SettingsStore::storeOnTopOff() {
    store("Ontop", 0);
}
void SettingsStore::storeTransparentOn() {
    store("tpme", 1);
}
void SettingsStore::storeTransparentOff() {
    store("tpme", 0);
}

void SettingsStore::storeHourlyBeepOn() {
    if (store("hrbeep", 1) && !m_targets.hourlyBeepTimer->isActive()) {
        m_targets.hourlyBeepTimer->start();
    }
}

void SettingsStore::storeHourlyBeepOff() {
    if (store("hrbeep", 0)) {
        m_targets.hourlyBeepTimer->stop();
    }
}
