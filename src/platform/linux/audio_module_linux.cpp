#include "platform/linux/linux_services.h"

#include <QLibrary>
#include <QString>
#include <QtGlobal>

namespace platform {

AudioModule::AudioModule(std::string modulePath) : m_modulePath(std::move(modulePath)) {}

AudioModule::~AudioModule() = default; // the library stays loaded: Qt Multimedia does not unload cleanly

AudioBackend* AudioModule::backend() {
    if (m_tried) {
        return m_backend.get();
    }
    m_tried = true;
    if (m_modulePath.empty()) {
        const std::string folder = executableFolder();
        if (folder.empty()) {
            qWarning("Sound is off: the program's folder is unknown.");
            return nullptr;
        }
        m_modulePath = folder + "/" CORVANE_AUDIO_MODULE_RELATIVE;
    }
    QLibrary library(QString::fromStdString(m_modulePath));
    const auto make = reinterpret_cast<MakeAudioBackend>(library.resolve(kMakeAudioBackendSymbol));
    if (make == nullptr) {
        qWarning("Sound is off: %s", qPrintable(library.errorString()));
        return nullptr;
    }
    m_backend.reset(make());
    return m_backend.get();
}

} // namespace platform
