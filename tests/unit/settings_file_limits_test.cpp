// The settings file against files shaped by hand or by an attacker, lock files that cannot be
// used, other programs that rewrite it in place, and another process that holds it locked.
#include "platform/linux/safe_file.h"
#include "registry_test_support.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

#include <optional>

using namespace platform;
using regtest::dword;
using regtest::Folders;
using regtest::setDword;
using regtest::Warnings;

namespace {

const QByteArray kHeader = "Windows Registry Editor Version 5.00\n";

/// A dword read through a fresh registry, as another process would see it.
std::optional<std::uint32_t> storedDword(Registry& r, const std::string& path, const std::string& name) {
    RegKey key = 0;
    if (r.openKey(kHkeyCurrentUser, path, 0, kKeyRead, key) != kErrorSuccess) {
        return std::nullopt;
    }
    std::uint8_t b[4] = {};
    std::uint32_t size = 4, type = 0;
    const long result = r.queryValue(key, name, type, b, size);
    r.closeKey(key);
    return result == kErrorSuccess ? std::optional<std::uint32_t>(dword(b)) : std::nullopt;
}

std::string repeat(const std::string& part, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += part;
    }
    return out;
}

/// A key levels deep below Software.
std::string path(int levels) {
    return "Software" + repeat("\\k", levels);
}

} // namespace

TEST(HiveLimits, KeysDeeperOrLongerThanTheRegistryAllows_FileSetAsideAndNeverMade) {
    const struct {
        const char* what;
        std::string path; // below HKEY_CURRENT_USER
        bool allowed;
    } cases[] = {
        {"512 levels", path(511), true},
        {"513 levels", path(512), false},
        {"60,000 levels", path(60000), false},
        {"a name of 255 characters", "Software\\" + std::string(255, 'n'), true},
        {"255 two-byte characters", "Software\\" + repeat("\xC3\xA4", 255), true},
        {"a name of 256 characters", "Software\\" + std::string(256, 'n'), false},
    };
    for (const auto& c : cases) {
        Folders f;
        const QByteArray text = kHeader + "[HKEY_CURRENT_USER\\" + QByteArray::fromStdString(c.path) + "]\n";
        f.writeHive(text);
        Warnings warnings;
        auto r = f.registry();
        RegKey key = 0;
        EXPECT_EQ(r->openKey(kHkeyCurrentUser, c.path, 0, kKeyRead, key),
                  c.allowed ? kErrorSuccess : kErrorFileNotFound)
            << c.what;
        EXPECT_EQ(QFileInfo::exists(QString::fromStdString(f.hivePath + ".corrupt")), !c.allowed) << c.what;
        // The first write of a start: no crash, and the key is made only within the limits.
        EXPECT_EQ(r->createKey(kHkeyCurrentUser, c.path, key),
                  c.allowed ? kErrorSuccess : kErrorInvalidParameter)
            << c.what;
        EXPECT_EQ(r->createKey(kHkeyCurrentUser, "Software\\Pellorin", key), kErrorSuccess) << c.what;
    }
}

TEST(HiveLimits, TreeFarDeeperThanTheStack_CopiedWrittenAndFreedWithoutRecursion) {
    hive::Key root = hive::emptyTree();
    hive::Key* k = root.child("Software");
    for (int i = 0; i < 200000; ++i) {
        k = &k->childOrCreate("k");
    }
    k->setValue("deep", kRegDword, {1, 0, 0, 0});
    {
        // The copy itself is what is tested.
        const hive::Key copy = root; // NOLINT(performance-unnecessary-copy-initialization)
        std::vector<std::string> path(200000, "K");
        path.insert(path.begin(), "software");
        ASSERT_NE(copy.find(path), nullptr);
        EXPECT_NE(copy.find(path)->value("deep"), nullptr);
    }
    // Each level repeats the path above it: past the limit the text is refused, not built.
    EXPECT_FALSE(hive::write(root, 1 << 20).has_value());
}

TEST(HiveLimits, FileLargerThan64MB_SetAsideWithoutReadingIt) {
    Folders f;
    f.writeHive(kHeader);
    // Sparse: 64 GB that take no room.
    ASSERT_EQ(::truncate(f.hivePath.c_str(), 64LL << 30), 0);
    Warnings warnings;
    auto r = f.registry();
    RegKey key = 0;
    EXPECT_EQ(r->createKey(kHkeyCurrentUser, "Software\\P", key), kErrorSuccess);
    EXPECT_EQ(QFileInfo(QString::fromStdString(f.hivePath + ".corrupt")).size(), 64LL << 30);
    ASSERT_FALSE(warnings.seen.isEmpty());
    EXPECT_TRUE(warnings.seen[0].contains("larger than 64 MB")) << warnings.seen[0].toStdString();
    EXPECT_EQ(r->openKey(kHkeyCurrentUser, "Software\\P", 0, kKeyRead, key), kErrorSuccess);
}

TEST(HiveLimits, Utf8CheckedByteByByte_ALeadingByteOrderMarkIsAName) {
    const struct {
        const char* what;
        std::string name;
        bool storable;
    } cases[] = {
        {"U+FEFF first", "\xEF\xBB\xBFkey", true},    {"U+FEFF alone", "\xEF\xBB\xBF", true},
        {"four bytes", "\xF0\x9F\x98\x80", true},     {"U+10FFFF", "\xF4\x8F\xBF\xBF", true},
        {"overlong slash", "\xC0\xAF", false},        {"overlong three bytes", "\xE0\x80\xAF", false},
        {"a surrogate", "\xED\xA0\x80", false},       {"past U+10FFFF", "\xF4\x90\x80\x80", false},
        {"a lone continuation byte", "a\x80", false}, {"cut short", "\xE2\x82", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hive::isStorableName(c.name), c.storable) << c.what;
    }
    // Such a key and value survive the file and a write.
    Folders f;
    f.writeHive(kHeader + "[HKEY_CURRENT_USER\\Software\\\xEF\xBB\xBFP]\n\"\xEF\xBB\xBFv\"=dword:00000002\n");
    auto r = f.registry();
    RegKey key = 0;
    ASSERT_EQ(r->createKey(kHkeyCurrentUser, "Software\\Other", key), kErrorSuccess);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(f.hivePath + ".corrupt")));
    EXPECT_EQ(storedDword(*f.registry(), "Software\\\xEF\xBB\xBFP", "\xEF\xBB\xBFv"), 2u);
    EXPECT_EQ(storedDword(*f.registry(), "Software\\P", "v"), std::nullopt);
}

TEST(HiveLimits, LockFileThatCannotBeUsed_MovedAsideAndSaidSo) {
    // A folder that holds a file; a file the user cannot open (root's, mode 600); an immutable one.
    enum Kind { FolderWithFile, OthersFile, Immutable };
    for (const Kind kind : {FolderWithFile, OthersFile, Immutable}) {
        Folders f;
        f.writeHive(kHeader + "[HKEY_CURRENT_USER\\Software\\P]\n");
        const std::string lock = f.hivePath + ".lock";
        const QString folder = QFileInfo(QString::fromStdString(f.hivePath)).path();
        int immutableFd = -1;
        if (kind == FolderWithFile) {
            ASSERT_TRUE(QDir().mkpath(QString::fromStdString(lock + "/inside")));
        } else {
            QFile made(QString::fromStdString(lock));
            ASSERT_TRUE(made.open(QIODevice::WriteOnly));
            ::chmod(lock.c_str(), 0600);
        }
        if (kind == OthersFile) {
            if (!regtest::runningAsRoot()) {
                continue; // only root can leave a file the user cannot open
            }
            for (const QString& p : {folder, QString::fromStdString(f.hivePath)}) {
                ASSERT_EQ(::chown(p.toLocal8Bit().constData(), 65534, 65534), 0);
            }
            EXPECT_EQ(regtest::runTool(f, {"set", "hkcu", "Software\\P", "v", "dword", "3"}, true),
                      "open=0 set=0");
            EXPECT_EQ(storedDword(*f.registry(), "Software\\P", "v"), 3u);
            EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(lock + ".stale")));
            continue;
        }
        if (kind == Immutable) {
            immutableFd = ::open(lock.c_str(), O_RDONLY);
            int flags = FS_IMMUTABLE_FL;
            if (::ioctl(immutableFd, FS_IOC_SETFLAGS, &flags) != 0) {
                ::close(immutableFd);
                continue; // needs root on a file system that knows the flag
            }
        }
        Warnings warnings;
        auto r = f.registry();
        RegKey key = 0;
        ASSERT_EQ(r->openKey(kHkeyCurrentUser, "Software\\P", 0, kKeyAllAccess, key), kErrorSuccess);
        EXPECT_EQ(setDword(*r, key, "v", 1), kErrorSuccess) << kind;
        EXPECT_EQ(storedDword(*f.registry(), "Software\\P", "v"), 1u) << kind;
        if (kind == FolderWithFile) {
            EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(lock + ".stale/inside")));
            ASSERT_EQ(warnings.seen.size(), 1);
            EXPECT_EQ(warnings.seen[0], "the lock file " + QString::fromStdString(lock) +
                                            " was a folder and was moved to " + QString::fromStdString(lock) +
                                            ".stale");
        } else {
            // It cannot be moved either: locked for reading where it is.
            int none = 0;
            ::ioctl(immutableFd, FS_IOC_SETFLAGS, &none);
            ::close(immutableFd);
        }
    }
}

TEST(HiveLimits, AnotherProgramRewritesInPlaceKeepingSizeAndTime_ItsChangeIsSeenAndKept) {
    Folders f;
    const QByteArray before = kHeader + "\n[HKEY_CURRENT_USER\\Software\\P]\n\"a\"=dword:00000001\n";
    f.writeHive(before);
    auto r = f.registry();
    ASSERT_EQ(storedDword(*r, "Software\\P", "a"), 1u);
    struct stat st {};
    ASSERT_EQ(::stat(f.hivePath.c_str(), &st), 0);
    // As cp -p or rsync --inplace -t: the same inode, size and modification time.
    QByteArray after = before;
    after.replace("00000001", "00000002");
    QFile file(QString::fromStdString(f.hivePath));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.write(after);
    file.close();
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, f.hivePath.c_str(), times, 0), 0);

    EXPECT_EQ(storedDword(*r, "Software\\P", "a"), 2u);
    RegKey key = 0;
    ASSERT_EQ(r->openKey(kHkeyCurrentUser, "Software\\P", 0, kKeyAllAccess, key), kErrorSuccess);
    ASSERT_EQ(setDword(*r, key, "b", 5), kErrorSuccess);
    EXPECT_EQ(storedDword(*f.registry(), "Software\\P", "a"), 2u);
}

TEST(HiveLimits, AnotherProcessHoldsTheLock_ChangesWaitWithoutBlockingAndAreStoredOrGivenUpAtTheEnd) {
    Folders f;
    auto r = f.registry();
    RegKey key = 0;
    ASSERT_EQ(r->createKey(kHkeyCurrentUser, "Software\\P", key), kErrorSuccess);
    std::vector<bool> answers;
    for (const bool freed : {true, false}) {
        safefile::FileLock other;
        std::string error;
        ASSERT_EQ(other.tryAcquire(f.hivePath + ".lock", error), safefile::FileLock::Result::Taken);
        Warnings warnings;
        QElapsedTimer took;
        took.start();
        r->beginTransaction();
        setDword(*r, key, "a", freed ? 1 : 2);
        setDword(*r, key, "b", freed ? 1 : 2);
        EXPECT_EQ(r->commitTransaction(), kErrorSuccess);
        EXPECT_LT(took.elapsed(), 1000);
        r->whenStored([&](bool stored) { answers.push_back(stored); });
        // This process sees its changes at once; the file does not hold them yet.
        EXPECT_EQ(storedDword(*r, "Software\\P", "b"), freed ? 1u : 2u);
        EXPECT_EQ(storedDword(*f.registry(), "Software\\P", "b"), freed ? std::nullopt : std::optional(1u));
        EXPECT_FALSE(r->storeWaiting());
        EXPECT_EQ(answers.size(), freed ? 0u : 1u);
        if (freed) {
            other.release();
            EXPECT_TRUE(r->storeWaiting());
        } else {
            r->storeAtEnd(0); // the program ends while the lock is still held
        }
        // Both values of the transaction, or neither.
        for (const char* name : {"a", "b"}) {
            EXPECT_EQ(storedDword(*f.registry(), "Software\\P", name), 1u) << name;
            EXPECT_EQ(storedDword(*r, "Software\\P", name), 1u) << name;
        }
        EXPECT_EQ(warnings.seen.isEmpty(), freed);
    }
    EXPECT_EQ(answers, std::vector<bool>{true}); // nobody is answered at the end
}
