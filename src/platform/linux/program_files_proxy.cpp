#include "platform/linux/program_files_proxy.h"

#include <QFileSystemModel>

namespace platform {

void ProgramFilesProxy::setProgramsOnly(bool on) {
    if (on != m_programsOnly) {
        m_programsOnly = on;
        invalidateFilter();
    }
}

bool ProgramFilesProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    if (!m_programsOnly) {
        return true;
    }
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (files == nullptr) {
        return true;
    }
    const QFileInfo info = files->fileInfo(files->index(sourceRow, 0, sourceParent));
    return info.isDir() || info.isExecutable();
}

} // namespace platform
