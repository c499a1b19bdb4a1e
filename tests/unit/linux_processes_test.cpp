// The Linux process list: /proc's numeric entries and their executable links.
#include "platform/linux/linux_services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <unistd.h>

namespace {

TEST(LinuxProcesses_Proc, ListsNumericEntriesAndReadsExecutableLinks) {
    // A captured-shape /proc: numeric folders with an exe link, plus entries that are not processes.
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QDir dir(root.path());
    for (const char* name : {"1", "42", "self", "sys", "4a2", "0"}) {
        ASSERT_TRUE(dir.mkpath(name));
    }
    ASSERT_TRUE(QFile::link(QStringLiteral("/opt/corvane/bin/corvane"), dir.filePath("42/exe")));
    platform::LinuxProcesses procs(root.path().toStdString());
    auto ids = procs.processIds();
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<std::uint32_t>{1, 42}));
    EXPECT_EQ(procs.executablePath(42), std::optional<std::string>("/opt/corvane/bin/corvane"));
    EXPECT_EQ(procs.executablePath(1), std::nullopt);
    EXPECT_EQ(procs.executablePath(99), std::nullopt);
}

TEST(LinuxProcesses_Proc, RealSystemListsThisProcessAndItsOwnPath) {
    platform::LinuxProcesses procs;
    const auto ids = procs.processIds();
    const auto self = static_cast<std::uint32_t>(::getpid());
    EXPECT_NE(std::find(ids.begin(), ids.end(), self), ids.end());
    const auto path = procs.executablePath(self);
    ASSERT_TRUE(path.has_value());
    const std::string folder = path->substr(0, path->rfind('/'));
    EXPECT_EQ(procs.instanceExecutablePath(), folder + "/corvane");

    platform::LinuxProcesses missing("/nonexistent-proc-root");
    EXPECT_THROW(missing.processIds(), std::runtime_error);
}

} // namespace
