#include "platform/linux/command_line.h"
#include "platform/linux/linux_services.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include <stdexcept>

namespace platform {

namespace {

// The shell's result codes: a value above 32 is success.
constexpr int kOpened = 42;
constexpr int kFileNotFound = 2;   // SE_ERR_FNF
constexpr int kNoAssociation = 31; // SE_ERR_NOASSOC

} // namespace

void LinuxLauncher::runProgram(const std::string& commandLine) {
    const ProgramCall call = resolveCommandLine(QString::fromStdString(commandLine));
    // startDetached reports a failed exec (a file the system cannot run) before it returns.
    if (!QProcess::startDetached(call.program, call.arguments)) {
        throw std::runtime_error(
            QStringLiteral("The program \"%1\" could not be started.").arg(call.program).toStdString());
    }
}

void LinuxLauncher::openUrl(const std::string& url) {
    // The desktop opens about:blank as a new, blank window of the browser.
    const QUrl address =
        url.empty() ? QUrl(QStringLiteral("about:blank")) : QUrl(QString::fromStdString(url));
    if (!address.isValid()) {
        throw std::runtime_error("\"" + url + "\" is not a web address.");
    }
    if (!QDesktopServices::openUrl(address)) {
        throw std::runtime_error("The desktop has no browser to open \"" + url + "\".");
    }
}

int LinuxLauncher::openFile(const std::string& path) {
    const QString file = QString::fromStdString(path);
    // The desktop's opener is started without waiting for it, so a missing file is caught here.
    if (!QFileInfo(file).isFile()) {
        return kFileNotFound;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file)) ? kOpened : kNoAssociation;
}

} // namespace platform
