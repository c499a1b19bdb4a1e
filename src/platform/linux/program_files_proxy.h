#pragma once

#include <QSortFilterProxyModel>

namespace platform {

/// Narrows a file dialog's list to what can be started: folders (to move through) and files
/// the user may execute. Programs on Linux carry no name extension, so a name pattern cannot
/// tell them apart. Off, it passes everything through to the dialog's own name filter.
class ProgramFilesProxy final : public QSortFilterProxyModel {
    Q_OBJECT

public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setProgramsOnly(bool on);
    bool programsOnly() const { return m_programsOnly; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    bool m_programsOnly = true;
};

} // namespace platform
