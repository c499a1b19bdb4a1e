// Processor 0's usage and the available memory from /proc: the parsers on captured text, the
// service on files of a temporary folder.
#include "platform/linux/linux_services.h"
#include "platform/linux/proc_figures.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

namespace {

using platform::CpuJiffies;

// The start of /proc/stat on a two-processor machine (Linux 6.1).
const char* const kStat = "cpu  12580 43 5210 981234 2210 0 310 0 0 0\n"
                          "cpu0 6300 20 2600 490100 1100 0 250 7 0 0\n"
                          "cpu1 6280 23 2610 491134 1110 0 60 0 0 0\n"
                          "intr 1532251 9 0 0 0 0\n";

const char* const kMeminfo = "MemTotal:       16314708 kB\n"
                             "MemFree:          812340 kB\n"
                             "MemAvailable:    9437184 kB\n"
                             "Buffers:          402100 kB\n";

TEST(ProcFigures, CpuLinesAndMemAvailableFromTheirText) {
    // cpu0: busy = user nice system irq softirq steal, idle and iowait apart.
    const std::optional<CpuJiffies> cpu0 = platform::parseCpuLine(kStat, "cpu0");
    ASSERT_TRUE(cpu0);
    EXPECT_EQ(cpu0->busy, 6300u + 20 + 2600 + 250 + 7);
    EXPECT_EQ(cpu0->total, cpu0->busy + 490100 + 1100);
    EXPECT_EQ(platform::parseCpuLine(kStat, "cpu1")->busy, 6280u + 23 + 2610 + 60);

    const struct {
        const char* text;
        const char* name;
    } missing[] = {
        {"cpu  1 2 3 4\ncpu0 1 2 3", "cpu0"}, // cut off inside the line
        {"cpu10 1 2 3 4\n", "cpu1"},          // another processor's line
        {"cpu0 1 2 x 4\n", "cpu0"},           // fewer than four numbers
        {"", "cpu0"},
    };
    for (const auto& m : missing) {
        EXPECT_FALSE(platform::parseCpuLine(m.text, m.name)) << m.text;
    }

    // 9 GiB available: more than a 32-bit field holds.
    EXPECT_EQ(platform::parseMemAvailable(kMeminfo), 9437184ULL * 1024);
    EXPECT_FALSE(platform::parseMemAvailable("MemTotal: 1 kB\nMemFree: 1 kB\n"));
    EXPECT_FALSE(platform::parseMemAvailable("MemAvailable: 12 MB\n"));

    // Busy shares: plain, no time passed, iowait run backwards, all busy.
    EXPECT_DOUBLE_EQ(platform::busyPercent({100, 1000}, {125, 1100}), 25.0);
    EXPECT_DOUBLE_EQ(platform::busyPercent({100, 1000}, {100, 1000}), 0.0);
    EXPECT_DOUBLE_EQ(platform::busyPercent({100, 1000}, {90, 1100}), 0.0);
    EXPECT_DOUBLE_EQ(platform::busyPercent({100, 1000}, {300, 1100}), 100.0);
}

struct FiguresOnFiles : ::testing::Test {
    QTemporaryDir root;
    void write(const char* name, const std::string& text) const {
        // In place, as the kernel's files stay the same file.
        std::ofstream(root.filePath(QString::fromLatin1(name)).toStdString(),
                      std::ios::in | std::ios::out | std::ios::trunc)
            << text;
    }
};

TEST_F(FiguresOnFiles, OpenedOnceAndReadAnewAtEachCollection) {
    write("stat", "cpu0 100 0 0 900 0 0 0 0\n");
    write("meminfo", kMeminfo);
    platform::LinuxSystemFigures figures(root.path().toStdString());
    figures.openProcessorQuery();
    figures.addProcessorCounter(0);
    EXPECT_EQ(figures.collectProcessorUsage(), 0.0); // no earlier collection
    write("stat", "cpu0 130 0 0 970 0 0 0 0\n");
    EXPECT_DOUBLE_EQ(figures.collectProcessorUsage().value_or(-1), 30.0);
    EXPECT_EQ(figures.availableMemoryBytes(), 9437184ULL * 1024);

    write("stat", "cpu1 1 2 3 4\n");
    EXPECT_THROW(figures.collectProcessorUsage(), std::runtime_error);

    platform::LinuxSystemFigures nothing((root.path() + "/none").toStdString());
    nothing.openProcessorQuery();
    nothing.addProcessorCounter(0);
    EXPECT_THROW(nothing.collectProcessorUsage(), std::runtime_error);
    EXPECT_THROW(nothing.availableMemoryBytes(), std::runtime_error);
}

} // namespace
