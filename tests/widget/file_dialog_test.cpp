#include "platform/linux/linux_services.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

void makeFile(const QString& path, QFile::Permissions permissions) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    ASSERT_TRUE(file.setPermissions(permissions));
}

// The names the dialog lists in its folder, sorted.
QStringList listed(QFileDialog& dialog) {
    QAbstractProxyModel* model = dialog.proxyModel();
    QStringList names;
    const auto* proxy = model;
    const QModelIndex folder = proxy->mapFromSource(
        qobject_cast<QFileSystemModel*>(proxy->sourceModel())->index(dialog.directory().absolutePath()));
    for (int row = 0; row < model->rowCount(folder); ++row) {
        names << model->index(row, 0, folder).data().toString();
    }
    names.sort();
    return names;
}

TEST(QtFileDialog_Browse, ProgramsListsFoldersAndExecutablesAndScriptsGoByName) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto readable = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    makeFile(dir.filePath("tool"), readable | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
    makeFile(dir.filePath("notes.txt"), readable);
    makeFile(dir.filePath("run.sh"), readable);
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));

    QStringList programs;
    QStringList scripts;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        // The folder is read in the background; wait until both expected entries are in.
        EXPECT_TRUE(QTest::qWaitFor([&] { return listed(*dialog).size() >= 2; }, 5000));
        programs = listed(*dialog);
        // Choose the second entry as a user would, through the filter box.
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        types->setCurrentIndex(1);
        emit types->activated(1);
        emit types->textActivated(types->itemText(1));
        // The model applies a new name filter after the current events.
        EXPECT_TRUE(QTest::qWaitFor([&] { return !listed(*dialog).contains(QStringLiteral("tool")); }, 5000));
        scripts = listed(*dialog);
        dialog->reject();
    });
    platform::QtFileDialog dialogs;
    const std::string chosen =
        dialogs.getOpenFileName(nullptr, dir.path().toStdString(), {"Programs (*)", "Shell scripts (*.sh)"});

    EXPECT_TRUE(chosen.empty());
    EXPECT_EQ(programs.join(' ').toStdString(), "sub tool");
    EXPECT_EQ(scripts.join(' ').toStdString(), "run.sh sub");
}

} // namespace
