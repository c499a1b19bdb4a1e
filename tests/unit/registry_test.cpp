// The current user's registry file behaves as the system's registry does: names without regard
// to case, the result codes, the value types, atomic writes shared between processes.
#include "registry_test_support.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QThread>

#include <gtest/gtest.h>

#include <cstring>
#include <sys/mount.h>
#include <sys/stat.h>

using namespace platform;
using regtest::dword;
using regtest::Folders;
using regtest::setDword;
using regtest::setText;
using regtest::Warnings;

namespace {

const std::string kSettingsKey = "Software\\Pellorin\\Corvane\\4.0";

/// Creates the settings key level by level, as the first run does, and gives it open for writing.
RegKey makeSettingsKey(Registry& r) {
    RegKey key = 0;
    EXPECT_EQ(r.createKey(kHkeyCurrentUser, kSettingsKey, key), kErrorSuccess);
    return key;
}

} // namespace

TEST(HiveRegistry, EmptyStore_SoftwareExistsAndOtherKeysAreMissing) {
    Folders f;
    auto r = f.registry();
    RegKey key = 0;
    EXPECT_EQ(r->openKey(kHkeyCurrentUser, "Software", 0, kKeyRead, key), kErrorSuccess);
    EXPECT_EQ(r->closeKey(key), kErrorSuccess);
    EXPECT_EQ(r->openKey(kHkeyCurrentUser, "SOFTWARE", 0, kKeyWrite, key), kErrorSuccess);
    EXPECT_EQ(r->closeKey(key), kErrorSuccess);
    EXPECT_EQ(r->openKey(kHkeyCurrentUser, kSettingsKey, 0, kKeyRead, key), kErrorFileNotFound);
    EXPECT_EQ(r->openKey(kHkeyCurrentUser, "Software\\\\Pellorin", 0, kKeyRead, key), kErrorFileNotFound);
    // Reading writes nothing.
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(f.hivePath)));
}

TEST(HiveRegistry, CreatingKeysNeedsTheRightAndKeepsTheFirstSpelling) {
    Folders f;
    auto r = f.registry();
    RegKey software = 0, maker = 0, again = 0, readOnly = 0;
    ASSERT_EQ(r->openKey(kHkeyCurrentUser, "Software", 0, kKeyWrite, software), kErrorSuccess);
    ASSERT_EQ(r->createKey(software, "Pellorin", maker), kErrorSuccess);
    ASSERT_EQ(r->createKey(software, "PELLORIN", again), kErrorSuccess); // opens the same key
    ASSERT_EQ(r->openKey(kHkeyCurrentUser, "software", 0, kKeyRead, readOnly), kErrorSuccess);
    RegKey denied = 0;
    EXPECT_EQ(r->createKey(readOnly, "Other", denied), kErrorAccessDenied);
    EXPECT_EQ(r->createKey(software, "Bad\x01Name", denied), kErrorInvalidParameter);
    EXPECT_EQ(setDword(*r, again, "v", 7), kErrorSuccess);
    for (RegKey k : {software, maker, again, readOnly}) {
        EXPECT_EQ(r->closeKey(k), kErrorSuccess);
    }
    const QByteArray text = f.hiveText();
    EXPECT_TRUE(text.contains("[HKEY_CURRENT_USER\\Software\\Pellorin]\n\"v\"=dword:00000007\n"))
        << text.constData();
    EXPECT_FALSE(text.contains("PELLORIN"));
}

TEST(HiveRegistry, FileIsTheEditorsExportFormatReadableOnlyByTheUser) {
    Folders f;
    {
        auto r = f.registry();
        const RegKey key = makeSettingsKey(*r);
        for (const char* name : {"autoaddstp", "hrbeep"}) {
            setDword(*r, key, name, 1);
        }
        setDword(*r, key, "Ontop", 0);
        setText(*r, key, "Note", "say \"hi\" \\ bye");
        const std::uint8_t binary[3] = {0, 0xAB, 0xFF};
        r->setValue(key, "", kRegBinary, binary, 3);
        const std::string multi("a\0bc\0\0", 6);
        r->setValue(key, "Multi", 7, reinterpret_cast<const std::uint8_t*>(multi.data()), 6);
        r->closeKey(key);
    }
    EXPECT_EQ(f.hiveText(), QByteArray("Windows Registry Editor Version 5.00\n"
                                       "\n"
                                       "[HKEY_CURRENT_USER\\Software]\n"
                                       "\n"
                                       "[HKEY_CURRENT_USER\\Software\\Pellorin]\n"
                                       "\n"
                                       "[HKEY_CURRENT_USER\\Software\\Pellorin\\Corvane]\n"
                                       "\n"
                                       "[HKEY_CURRENT_USER\\Software\\Pellorin\\Corvane\\4.0]\n"
                                       "\"autoaddstp\"=dword:00000001\n"
                                       "\"hrbeep\"=dword:00000001\n"
                                       "\"Ontop\"=dword:00000000\n"
                                       "\"Note\"=\"say \\\"hi\\\" \\\\ bye\"\n"
                                       "@=hex:00,ab,ff\n"
                                       "\"Multi\"=hex(7):61,00,62,63,00,00\n"
                                       "\n"));
    struct stat st {};
    ASSERT_EQ(::stat(f.hivePath.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat(QFileInfo(QString::fromStdString(f.hivePath)).path().toLocal8Bit().constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST(HiveRegistry, EveryTypeSurvivesTheFileAndAPersonsEdits) {
    // As the registry editor writes it (CRLF, a comment, wrapped hex), in UTF-16 and in UTF-8.
    const std::string edited =
        "Windows Registry Editor Version 5.00\r\n\r\n; edited by hand\r\n"
        "[HKEY_CURRENT_USER\\Software\\Pellorin\\Corvane\\4.0]\r\n"
        "\"ShowMemCpu\"=dword:2\r\n"
        "\"Long\"=hex(b):01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\r\n"
        "  17,18\r\n"
        "\"Text\"=\"\xC3\xA9t\xC3\xA9\"\r\n";
    const QString asText = QString::fromStdString(edited);
    QByteArray utf16("\xFF\xFE", 2);
    utf16.append(reinterpret_cast<const char*>(asText.utf16()), asText.size() * 2);
    for (const QByteArray& file : {QByteArray::fromStdString(edited), utf16}) {
        Folders f;
        f.writeHive(file);
        auto r = f.registry();
        RegKey key = 0;
        ASSERT_EQ(r->openKey(kHkeyCurrentUser, kSettingsKey, 0, kKeyRead, key), kErrorSuccess);
        std::uint8_t buffer[64] = {};
        std::uint32_t size = sizeof buffer, type = 0;
        ASSERT_EQ(r->queryValue(key, "showmemcpu", type, buffer, size), kErrorSuccess);
        EXPECT_EQ(dword(buffer), 2u);
        size = sizeof buffer;
        ASSERT_EQ(r->queryValue(key, "Long", type, buffer, size), kErrorSuccess);
        EXPECT_EQ(type, 0xBu);
        EXPECT_EQ(size, 24u);
        EXPECT_EQ(buffer[23], 0x18);
        size = sizeof buffer;
        ASSERT_EQ(r->queryValue(key, "Text", type, buffer, size), kErrorSuccess);
        EXPECT_STREQ(reinterpret_cast<char*>(buffer), "\xC3\xA9t\xC3\xA9");
        r->closeKey(key);

        // A write keeps everything and reads back the same after another round.
        RegKey w = 0;
        ASSERT_EQ(r->openKey(kHkeyCurrentUser, kSettingsKey, 0, kKeyWrite, w), kErrorSuccess);
        setDword(*r, w, "tpme", 0);
        const QByteArray first = f.hiveText();
        setDword(*r, w, "tpme", 0);
        EXPECT_EQ(f.hiveText(), first);
        EXPECT_TRUE(first.contains("\"Long\"=hex(b):01,02")) << first.constData();
        EXPECT_TRUE(first.contains("\"ShowMemCpu\"=dword:00000002"));
        r->closeKey(w);
    }
}

TEST(HiveRegistry, FileThatCannotBeParsed_KeptAsideWithAWarningAndTheStoreStartsEmpty) {
    const char* good = "Windows Registry Editor Version "
                       "5.00\n\n[HKEY_CURRENT_USER\\Software\\P]\n\"hrbeep\"=dword:00000001\n";
    const struct {
        const char* what;
        QByteArray text;
    } cases[] = {
        {"no header", "[HKEY_CURRENT_USER\\Software\\P]\n"},
        {"cut inside a value", QByteArray(good).left(QByteArray(good).size() - 12)},
        {"cut inside a key name", QByteArray(good).left(50)},
        {"a dword of nine digits",
         "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\S]\n\"a\"=dword:123456789\n"},
        {"an open quote", "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\S]\n\"a\"=\"open\n"},
        {"another root", "Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\S]\n"},
        {"a value before any key", "Windows Registry Editor Version 5.00\n\"a\"=dword:1\n"},
        {"a bad byte", "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\S]\n\"a\"=hex:01,zz\n"},
        {"a deletion", "Windows Registry Editor Version 5.00\n[-HKEY_CURRENT_USER\\S]\n"},
        {"binary noise", QByteArray("\x00\x01\x02garbage\xff", 12)},
    };
    for (const auto& c : cases) {
        Folders f;
        f.writeHive(c.text);
        Warnings warnings;
        auto r = f.registry();
        RegKey key = 0;
        EXPECT_EQ(r->openKey(kHkeyCurrentUser, "Software\\P", 0, kKeyRead, key), kErrorFileNotFound)
            << c.what;
        EXPECT_EQ(r->openKey(kHkeyCurrentUser, "Software", 0, kKeyRead, key), kErrorSuccess) << c.what;
        QFile aside(QString::fromStdString(f.hivePath + ".corrupt"));
        ASSERT_TRUE(aside.open(QIODevice::ReadOnly)) << c.what;
        EXPECT_EQ(aside.readAll(), c.text) << c.what;
        ASSERT_EQ(warnings.seen.size(), 1) << c.what;
        EXPECT_TRUE(warnings.seen[0].contains("cannot be parsed")) << c.what;
        EXPECT_TRUE(warnings.seen[0].contains("user.reg.corrupt")) << c.what;
        // The next write starts a sound file.
        RegKey made = 0;
        ASSERT_EQ(r->createKey(kHkeyCurrentUser, "Software\\P", made), kErrorSuccess) << c.what;
        EXPECT_TRUE(f.hiveText().startsWith("Windows Registry Editor Version 5.00\n")) << c.what;
    }
}

TEST(HiveRegistry, SecondCorruptFile_DoesNotReplaceTheFirstCopy) {
    Folders f;
    f.writeHive("first");
    Warnings warnings;
    RegKey key = 0;
    f.registry()->openKey(kHkeyCurrentUser, "Software", 0, kKeyRead, key);
    f.writeHive("second");
    f.registry()->openKey(kHkeyCurrentUser, "Software", 0, kKeyRead, key);
    QFile first(QString::fromStdString(f.hivePath + ".corrupt"));
    QFile second(QString::fromStdString(f.hivePath + ".corrupt.2"));
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    ASSERT_TRUE(second.open(QIODevice::ReadOnly));
    EXPECT_EQ(first.readAll(), "first");
    EXPECT_EQ(second.readAll(), "second");
}

TEST(HiveRegistry, EmptyFile_IsAnEmptyStore) {
    Folders f;
    f.writeHive("");
    RegKey key = 0;
    EXPECT_EQ(f.registry()->openKey(kHkeyCurrentUser, "Software", 0, kKeyRead, key), kErrorSuccess);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(f.hivePath + ".corrupt")));
}

TEST(HiveRegistry, Transaction_StoresNothingUntilItsCommitThenEverythingInOneWrite) {
    Folders f;
    auto r = f.registry();
    auto other = f.registry(); // stands for another process reading the file
    r->beginTransaction();
    const RegKey key = makeSettingsKey(*r);
    setDword(*r, key, "hrbeep", 1);
    setDword(*r, key, "ShowMemCpu", 1);
    // This process sees its held changes; the file holds none of them.
    RegKey seen = 0;
    EXPECT_EQ(r->openKey(kHkeyCurrentUser, kSettingsKey, 0, kKeyRead, seen), kErrorSuccess);
    EXPECT_EQ(other->openKey(kHkeyCurrentUser, kSettingsKey, 0, kKeyRead, seen), kErrorFileNotFound);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(f.hivePath)));
    EXPECT_EQ(r->commitTransaction(), kErrorSuccess);
    ASSERT_EQ(other->openKey(kHkeyCurrentUser, kSettingsKey, 0, kKeyRead, seen), kErrorSuccess);
    std::uint8_t b[4];
    std::uint32_t size = 4, type = 0;
    EXPECT_EQ(other->queryValue(seen, "ShowMemCpu", type, b, size), kErrorSuccess);

    // A transaction never committed (the process ended) leaves the file as it was.
    const QByteArray before = f.hiveText();
    {
        auto lost = f.registry();
        lost->beginTransaction();
        RegKey k = 0;
        lost->createKey(kHkeyCurrentUser, "Software\\Lost", k);
    }
    EXPECT_EQ(f.hiveText(), before);
}

TEST(HiveRegistry, SecondProcessWritingTheSameFile_NoChangeIsLost) {
    Folders f;
    auto r = f.registry();
    RegKey key = 0;
    ASSERT_EQ(r->createKey(kHkeyCurrentUser, "Software\\Race", key), kErrorSuccess);
    QProcess other;
    regtest::startTool(other, f, {"count", "Software\\Race", "A", "150"});
    ASSERT_TRUE(other.waitForStarted());
    for (std::uint32_t i = 1; i <= 150; ++i) {
        ASSERT_EQ(setDword(*r, key, "B", i), kErrorSuccess);
    }
    ASSERT_TRUE(other.waitForFinished(60000));
    EXPECT_EQ(other.exitCode(), 0);
    RegKey read = 0;
    ASSERT_EQ(r->openKey(kHkeyCurrentUser, "Software\\Race", 0, kKeyRead, read), kErrorSuccess);
    for (const char* name : {"A", "B"}) {
        std::uint8_t b[4];
        std::uint32_t size = 4, type = 0;
        ASSERT_EQ(r->queryValue(read, name, type, b, size), kErrorSuccess) << name;
        EXPECT_EQ(dword(b), 150u) << name;
    }
}

TEST(HiveRegistry, WriterKilledAtRandomMoments_FileAlwaysParsesWithOneWrittenState) {
    Folders f;
    constexpr int kKills = 200;
    int advanced = 0; // kills after more than one write
    for (int kill = 0; kill < kKills; ++kill) {
        QProcess writer;
        regtest::startTool(writer, f, {"loop", "Software\\Loop"});
        ASSERT_TRUE(writer.waitForStarted());
        // After its first write the writer does nothing but write: the kill cuts one.
        ASSERT_TRUE(writer.waitForReadyRead(30000));
        QThread::usleep(QRandomGenerator::global()->bounded(0u, 15000u));
        writer.kill(); // SIGKILL
        writer.waitForFinished();

        Warnings warnings;
        auto r = f.registry();
        RegKey key = 0;
        ASSERT_EQ(r->openKey(kHkeyCurrentUser, "Software\\Loop", 0, kKeyRead, key), kErrorSuccess) << kill;
        std::uint32_t seen[3] = {};
        const char* names[3] = {"a", "b", "c"};
        for (int i = 0; i < 3; ++i) {
            std::uint8_t b[4];
            std::uint32_t size = 4, type = 0;
            ASSERT_EQ(r->queryValue(key, names[i], type, b, size), kErrorSuccess) << kill;
            seen[i] = dword(b);
        }
        EXPECT_TRUE(warnings.seen.isEmpty()) << kill;
        ASSERT_EQ(seen[0], seen[1]) << kill;
        ASSERT_EQ(seen[1], seen[2]) << kill;
        // Each writer starts over at 1 and had written once at least.
        ASSERT_GE(seen[0], 1u);
        advanced += seen[0] > 1 ? 1 : 0;
    }
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(f.hivePath + ".corrupt")));
    // The kills fell at different moments of the writes.
    EXPECT_GT(advanced, kKills / 4);
    // A file a killed writer left under its temporary name goes with the next write.
    RegKey key = 0;
    ASSERT_EQ(f.registry()->createKey(kHkeyCurrentUser, "Software\\After", key), kErrorSuccess);
    QStringList leftovers =
        QDir(QFileInfo(QString::fromStdString(f.hivePath)).path()).entryList(QDir::Files | QDir::Hidden);
    leftovers.removeAll("user.reg.lock");
    EXPECT_EQ(leftovers, QStringList{"user.reg"});
}

TEST(HiveRegistry, FileLeftUnderItsTemporaryName_RemovedByTheNextWriteAndNothingElseIs) {
    Folders f;
    f.writeHive("Windows Registry Editor Version 5.00\n");
    const QString folder = QFileInfo(QString::fromStdString(f.hivePath)).path();
    // The person's own files, and two temporary files of the program that a killed writer left.
    const QStringList own = {"user.reg.backup",
                             "user.reg.220101",
                             "user.reg.bak",
                             "user.reg.corrupt.2",
                             "other.Ab12Cd",
                             ".user.reg.Ab12Cd",
                             ".user.reg.Ab12Cd.corvane-tmpx"};
    for (const QString& name :
         own + QStringList{".user.reg.Ab12Cd.corvane-tmp", ".user.reg.x9Y8z7.corvane-tmp"}) {
        QFile(folder + "/" + name).open(QIODevice::WriteOnly);
    }
    auto r = f.registry();
    RegKey key = 0;
    ASSERT_EQ(r->createKey(kHkeyCurrentUser, "Software\\P", key), kErrorSuccess);
    EXPECT_EQ(setDword(*r, key, "v", 1), kErrorSuccess);
    QStringList expected = own + QStringList{"user.reg"};
    expected.sort();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), expected);
}

TEST(HiveRegistry, TheLogNamesTheRealCause_AFullDiskAFolderAFifo) {
    Folders f;
    const QString folder = QFileInfo(QString::fromStdString(f.hivePath)).path();
    ASSERT_TRUE(QDir().mkpath(folder));
    Warnings warnings;
    for (const bool fifo : {false, true}) {
        ASSERT_EQ(fifo ? ::mkfifo(f.hivePath.c_str(), 0600) : ::mkdir(f.hivePath.c_str(), 0700), 0);
        RegKey key = 0;
        EXPECT_EQ(f.registry()->openKey(kHkeyCurrentUser, "Software", 0, kKeyRead, key), kErrorAccessDenied);
        ::remove(f.hivePath.c_str());
    }
    EXPECT_EQ(
        warnings.seen,
        (QStringList{"cannot read the settings file " + folder + "/user.reg : it is a folder, not a file",
                     "cannot read the settings file " + folder + "/user.reg : it is a FIFO, not a file"}));
    // A small file system of its own, filled up (mounting needs root).
    if (::mount("tmpfs", folder.toLocal8Bit().constData(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "cannot mount a small file system here";
    }
    struct Unmount {
        QString at;
        ~Unmount() { ::umount2(at.toLocal8Bit().constData(), MNT_DETACH); }
    } unmount{folder};
    const QByteArray text = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\P]\n";
    f.writeHive(text);
    QFile filler(folder + "/filler");
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    while (filler.write(QByteArray(4096, 'x')) == 4096 && filler.flush()) {
    }
    warnings.seen.clear();
    auto r = f.registry();
    RegKey key = 0;
    ASSERT_EQ(r->openKey(kHkeyCurrentUser, "Software\\P", 0, kKeyAllAccess, key), kErrorSuccess);
    EXPECT_EQ(setDword(*r, key, "v", 1), kErrorAccessDenied);
    ASSERT_EQ(warnings.seen.size(), 1);
    EXPECT_TRUE(warnings.seen[0].contains("No space left on device")) << warnings.seen[0].toStdString();
    EXPECT_EQ(f.hiveText(), text);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), (QStringList{"filler", "user.reg"}));
}

TEST(HiveRegistry, LockFileThatNeverEnds_IsStaleAndItsTargetIsNeverRead) {
    Folders f;
    f.writeHive("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\P]\n");
    const std::string lock = f.hivePath + ".lock", target = f.hivePath + ".target";
    auto r = f.registry();
    RegKey key = 0;
    ASSERT_EQ(r->openKey(kHkeyCurrentUser, "Software\\P", 0, kKeyAllAccess, key), kErrorSuccess);
    for (const std::string& kind : {std::string("/dev/zero"), std::string("FIFO"), target}) {
        ASSERT_EQ(kind == "FIFO" ? ::mkfifo(lock.c_str(), 0600) : ::symlink(kind.c_str(), lock.c_str()), 0);
        QElapsedTimer took;
        took.start();
        EXPECT_EQ(setDword(*r, key, "v", 1), kErrorSuccess) << kind;
        EXPECT_LT(took.elapsed(), 2000) << kind;
        struct stat st {};
        EXPECT_NE(::lstat(lock.c_str(), &st), 0) << kind; // gone with the write
    }
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(target))); // a dangling link is not followed
}

TEST(HiveRegistry, FileReadOnceAndAgainOnlyWhenItChanged) {
    Folders f;
    f.writeHive(
        "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\P]\n\"a\"=dword:00000001\n");
    LinuxRegistry r(f.hivePath, f.autostart());
    RegKey key = 0;
    ASSERT_EQ(r.openKey(kHkeyCurrentUser, "Software\\P", 0, kKeyAllAccess, key), kErrorSuccess);
    std::uint8_t b[4];
    std::uint32_t size = 4, type = 0;
    for (int i = 0; i < 9; ++i) {
        ASSERT_EQ(r.queryValue(key, "a", type, b, size), kErrorSuccess);
    }
    // Its own write reads the file once more under the lock, and needs no read after it.
    ASSERT_EQ(setDword(r, key, "b", 2), kErrorSuccess);
    ASSERT_EQ(r.queryValue(key, "b", type, b, size), kErrorSuccess);
    EXPECT_EQ(r.hive().reads(), 2);
    EXPECT_EQ(regtest::runTool(f, {"set", "hkcu", "Software\\P", "a", "dword", "7"}), "open=0 set=0");
    ASSERT_EQ(r.queryValue(key, "a", type, b, size), kErrorSuccess);
    EXPECT_EQ(dword(b), 7u);
    EXPECT_EQ(r.hive().reads(), 3);
}

TEST(HiveParse, ManyValuesInOneKey_LinearTime) {
    const auto parse = [](int values, hive::Key& root) {
        std::string text = "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\P]\n";
        for (int i = 0; i < values; ++i) {
            text += "\"v" + std::to_string(i) + "\"=dword:00000001\n";
        }
        std::string error;
        QElapsedTimer t;
        t.start();
        EXPECT_TRUE(hive::parse(text + "\"V7\"=dword:00000002\n", root, error)) << error;
        return t.nsecsElapsed();
    };
    hive::Key root;
    parse(5000, root);
    const qint64 small = parse(5000, root), large = parse(40000, root);
    // Eight times the values, about eight times the time; quadratic would be 64.
    EXPECT_LT(large, small * 24) << small << " ns, " << large << " ns";
    hive::Key* p = root.find({"Software", "P"});
    ASSERT_EQ(p->values.size(), 40000u);
    EXPECT_EQ(p->value("v7")->data[0], 2);
    ASSERT_TRUE(p->removeValue("V3"));
    EXPECT_EQ(p->value("v3"), nullptr);
    EXPECT_EQ(p->value("v4")->name, "v4");
    EXPECT_EQ(p->value("v39999")->name, "v39999");
}

TEST(HiveRegistry, WithoutTheRights_OpeningForWritingAnswers5AndNothingChanges) {
    // A folder the user cannot write, and a file the user cannot read.
    const QByteArray text = "Windows Registry Editor Version "
                            "5.00\n\n[HKEY_CURRENT_USER\\Software\\P]\n\"hrbeep\"=dword:00000001\n";
    struct Case {
        const char* what;
        mode_t folderMode;
        mode_t fileMode;
        const char* openRead;
        const char* query;
    };
    const Case cases[] = {
        {"read-only folder", 0555, 0600, "open=0", "open=0 query=0 data=1"},
        {"read-only file", 0755, 0400, "open=0", "open=0 query=0 data=1"},
        {"unreadable file", 0755, 0000, "open=5", "open=5 query=-1 data="},
    };
    for (const Case& c : cases) {
        Folders f;
        f.writeHive(text);
        const QString folder = QFileInfo(QString::fromStdString(f.hivePath)).path();
        for (const QString& p : {folder, QFileInfo(folder).path(), QString::fromStdString(f.hivePath)}) {
            if (regtest::runningAsRoot()) {
                ASSERT_EQ(::chown(p.toLocal8Bit().constData(), 65534, 65534), 0);
            }
        }
        ::chmod(f.hivePath.c_str(), c.fileMode);
        ::chmod(folder.toLocal8Bit().constData(), c.folderMode);
        EXPECT_EQ(regtest::runTool(f, {"open", "hkcu", "Software\\P", "read"}, true), c.openRead) << c.what;
        EXPECT_EQ(regtest::runTool(f, {"query", "hkcu", "software\\p", "HRBEEP"}, true), c.query) << c.what;
        EXPECT_EQ(regtest::runTool(f, {"open", "hkcu", "Software\\P", "write"}, true), "open=5") << c.what;
        EXPECT_EQ(regtest::runTool(f, {"set", "hkcu", "Software\\P", "hrbeep", "dword", "0"}, true),
                  "open=5 set=-1")
            << c.what;
        ::chmod(folder.toLocal8Bit().constData(), 0755);
        ::chmod(f.hivePath.c_str(), 0600);
        EXPECT_EQ(f.hiveText(), text) << c.what;
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"user.reg"}) << c.what;
    }
}

TEST(HiveRegistry, EmptyLockFileLeftByAKilledWriter_DoesNotBlockTheNextWrite) {
    Folders f;
    auto r = f.registry();
    RegKey key = 0;
    ASSERT_EQ(r->createKey(kHkeyCurrentUser, "Software\\P", key), kErrorSuccess);
    const QString lockPath = QString::fromStdString(f.hivePath + ".lock");
    {
        QFile lock(lockPath);
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly)); // made, and killed before writing its owner
    }
    QFile(lockPath).setFileTime(QDateTime::currentDateTime().addSecs(-5), QFileDevice::FileModificationTime);
    QElapsedTimer took;
    took.start();
    EXPECT_EQ(setDword(*r, key, "v", 1), kErrorSuccess);
    EXPECT_LT(took.elapsed(), 2000);
}
