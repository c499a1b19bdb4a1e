// The instance check on fake processes: which copies count, and how much of the list is read.
#include "core/instance_check.h"
#include "fakes/fake_services.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using namespace core;

using fakes::FakeServices;

const std::string kOwn = "/opt/corvane/bin/corvane";

int countEnds(FakeServices& f) {
    checkSecondInstance(*f.processes, *f.process, listProcessIds(*f.processes));
    return f.process->immediateEnds;
}

TEST(InstanceCheck_Counting, OnlyACopyFromTheSameFolderUnderTheFixedNameCounts) {
    const struct {
        const char* what;
        std::vector<std::uint32_t> ids;
        std::map<std::uint32_t, std::string> paths; // a pid without a path cannot be opened
        int ends;
        std::vector<std::uint32_t> opened;
    } cases[] = {
        // It stops at the second copy and looks no further.
        {"same folder",
         {1, 50, 51, 900, 901},
         {{1, "/sbin/init"}, {50, kOwn}, {900, kOwn}, {901, kOwn}},
         1,
         {1, 50, 51, 900}},
        {"other folder, name, case or text",
         {1, 2, 3, 4, 5},
         {{1, kOwn},
          {2, "/home/u/other/bin/corvane"},
          {3, "/opt/corvane/bin/corvane-dev"},
          {4, "/opt/corvane/bin/Corvane"},
          {5, "/opt/corvane/bin/corvane/"}},
         0,
         {1, 2, 3, 4, 5}},
        // 11 is another user's copy: unreadable.
        {"a copy that cannot be opened", {10, 11}, {{10, kOwn}}, 0, {10, 11}},
        // Renamed, the program never counts even itself.
        {"renamed program",
         {10, 11},
         {{10, "/opt/corvane/bin/uptime-tool"}, {11, "/opt/corvane/bin/uptime-tool"}},
         0,
         {10, 11}},
    };
    for (const auto& c : cases) {
        FakeServices f;
        f.processes->ownPath = kOwn;
        f.processes->ids = c.ids;
        f.processes->paths = c.paths;
        EXPECT_EQ(countEnds(f), c.ends) << c.what;
        EXPECT_EQ(f.processes->opened, c.opened) << c.what;
    }
}

TEST(InstanceCheck_List, OnlyTheFirst1001IdentifiersAreExamined) {
    FakeServices f;
    f.processes->ownPath = kOwn;
    for (std::uint32_t pid = 1; pid <= 1500; ++pid) {
        f.processes->ids.push_back(pid);
    }
    f.processes->paths = {{3, kOwn}, {1001, kOwn}, {1002, kOwn}};
    const ProcessIdList list = listProcessIds(*f.processes);
    EXPECT_EQ(list.count, 1500u);
    ASSERT_EQ(list.ids.size(), 1001u);
    EXPECT_EQ(list.ids.back(), 1001u);
    // pid 1001 is the 1001st identifier: it is examined, 1002 is not.
    EXPECT_EQ(countEnds(f), 1);
    f.processes->paths.erase(1001);
    f.process->immediateEnds = 0;
    EXPECT_EQ(countEnds(f), 0);
}

TEST(InstanceCheck_List, SmallAndEmptyLists) {
    FakeServices f;
    f.processes->ids = {7};
    ProcessIdList list = listProcessIds(*f.processes);
    EXPECT_EQ(list.count, 1u);
    EXPECT_EQ(list.ids, (std::vector<std::uint32_t>{7}));

    f.processes->ids = {};
    list = listProcessIds(*f.processes);
    EXPECT_EQ(list.count, 0u);
    EXPECT_EQ(list.ids, (std::vector<std::uint32_t>{0}));

    // Exactly filling a buffer (4 ids = 16 bytes) still grows it once more to see the end.
    f.processes->ids = {1, 2, 3, 4};
    list = listProcessIds(*f.processes);
    EXPECT_EQ(list.count, 4u);
    EXPECT_EQ(list.ids, (std::vector<std::uint32_t>{1, 2, 3, 4}));
}

} // namespace
