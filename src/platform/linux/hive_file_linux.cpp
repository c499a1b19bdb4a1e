#include "platform/linux/registry_linux.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcHive, "corvane.registry")

namespace platform {

namespace {

constexpr int kLockWaitMs = 10000;
constexpr qint64 kEmptyLockAgeMs = 1000;

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

/// The folder itself when it exists, else the nearest one above it that does.
std::string NearestExisting(std::string folder) {
    struct stat st {};
    while (!folder.empty() && ::stat(folder.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR)) {
        const auto slash = folder.find_last_of('/');
        if (slash == std::string::npos) {
            return ".";
        }
        folder = slash == 0 ? "/" : folder.substr(0, slash);
    }
    return folder;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

/// Takes the lock between processes. A lock file left empty by a process killed while making it
/// names no owner, so Qt would wait for it to grow old (30 s): such a file goes after a second.
bool Acquire(QLockFile& lock, const QString& path) {
    QElapsedTimer waited;
    waited.start();
    while (!lock.tryLock(50)) {
        if (lock.error() != QLockFile::LockFailedError || waited.elapsed() > kLockWaitMs) {
            return false;
        }
        qint64 pid = 0;
        QString host;
        QString app;
        const QFileInfo info(path);
        if (!lock.getLockInfo(&pid, &host, &app) && info.exists() &&
            info.lastModified().msecsTo(QDateTime::currentDateTime()) > kEmptyLockAgeMs) {
            lock.removeStaleLockFile();
        }
    }
    return true;
}

} // namespace

HiveFile::ReadResult HiveFile::read(hive::Key& root, std::string& error) const {
    root = hive::EmptyTree();
    struct stat st {};
    if (::stat(m_path.c_str(), &st) != 0) {
        return (errno == ENOENT || errno == ENOTDIR) ? ReadResult::Ok : ReadResult::Unreadable;
    }
    QFile file(Q(m_path));
    if (!S_ISREG(st.st_mode) || !file.open(QIODevice::ReadOnly)) {
        error = file.errorString().toStdString();
        return ReadResult::Unreadable;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString().toStdString();
        return ReadResult::Unreadable;
    }
    if (bytes.isEmpty()) {
        return ReadResult::Ok;
    }
    if (!hive::Parse(bytes.toStdString(), root, error)) {
        root = hive::EmptyTree();
        return ReadResult::Corrupt;
    }
    return ReadResult::Ok;
}

bool HiveFile::load(hive::Key& root) {
    std::string error;
    switch (read(root, error)) {
    case ReadResult::Ok:
        return true;
    case ReadResult::Unreadable:
        if (!m_warnedUnreadable) {
            m_warnedUnreadable = true;
            qCWarning(lcHive).noquote() << "cannot read the settings file" << Q(m_path) << ":" << Q(error);
        }
        return false;
    case ReadResult::Corrupt:
        break;
    }
    if (!writable()) {
        if (!m_warnedCorrupt) {
            m_warnedCorrupt = true;
            qCWarning(lcHive).noquote() << "the settings file" << Q(m_path) << "cannot be parsed ("
                                        << Q(error) << "); the settings start empty";
        }
        return true;
    }
    const QString lockPath = Q(m_path + ".lock");
    QLockFile lock(lockPath);
    if (!Acquire(lock, lockPath)) {
        return true;
    }
    // Another process may have replaced it meanwhile.
    if (read(root, error) == ReadResult::Corrupt) {
        keepAside(error);
    }
    return true;
}

void HiveFile::keepAside(const std::string& error) {
    // Never replace an earlier copy: each corrupt file is kept.
    QString aside = Q(m_path + ".corrupt");
    for (int n = 2; QFileInfo::exists(aside); ++n) {
        aside = Q(m_path + ".corrupt." + std::to_string(n));
    }
    if (QFile::rename(Q(m_path), aside)) {
        qCWarning(lcHive).noquote() << "the settings file" << Q(m_path) << "cannot be parsed (" << Q(error)
                                    << "); it was kept as" << aside << "and the settings start empty";
    } else {
        qCWarning(lcHive).noquote() << "the settings file" << Q(m_path) << "cannot be parsed (" << Q(error)
                                    << ") nor be moved aside; the settings start empty";
    }
}

bool HiveFile::writable() const {
    const std::string folder = NearestExisting(FolderOf(m_path));
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        return false;
    }
    struct stat st {};
    if (::stat(m_path.c_str(), &st) == 0) {
        return S_ISREG(st.st_mode) && ::access(m_path.c_str(), R_OK | W_OK) == 0;
    }
    return true;
}

void HiveFile::removeLeftovers() const {
    // A writer killed between linking its new file and renaming it over the old one leaves the
    // file under its temporary name (user.reg.XXXXXX). Under the lock no write is under way.
    const QFileInfo file(Q(m_path));
    const QRegularExpression temporary(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(file.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    QDir folder = file.dir();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (temporary.match(name).hasMatch()) {
            folder.remove(name);
        }
    }
}

bool HiveFile::update(const std::function<void(hive::Key&)>& change) {
    if (!writable()) {
        return false;
    }
    const QString folder = Q(FolderOf(m_path));
    if (!QFileInfo::exists(folder)) {
        if (!QDir().mkpath(folder)) {
            qCWarning(lcHive).noquote() << "cannot create the folder" << folder;
            return false;
        }
        QFile::setPermissions(folder,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    const QString lockPath = Q(m_path + ".lock");
    QLockFile lock(lockPath);
    if (!Acquire(lock, lockPath)) {
        qCWarning(lcHive).noquote() << "the settings file" << Q(m_path) << "stays locked by another process";
        return false;
    }
    removeLeftovers();
    hive::Key root;
    std::string error;
    switch (read(root, error)) {
    case ReadResult::Ok:
        break;
    case ReadResult::Unreadable:
        return false;
    case ReadResult::Corrupt:
        keepAside(error);
        break;
    }
    change(root);
    const QByteArray text = QByteArray::fromStdString(hive::Write(root));

    QSaveFile file(Q(m_path));
    if (!file.open(QIODevice::WriteOnly) || ::fchmod(file.handle(), S_IRUSR | S_IWUSR) != 0 ||
        file.write(text) != text.size() || !file.commit()) {
        qCWarning(lcHive).noquote() << "cannot write the settings file" << Q(m_path) << ":"
                                    << file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace platform
