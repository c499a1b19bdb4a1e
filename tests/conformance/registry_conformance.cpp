// The registry as the settings store and the autostart registration read it, the same on every
// system: names without regard to case, the result codes, texts that keep their letters.
#include "conformance/backend.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace platform;

namespace {

const std::string kSettingsKey = "Software\\Pellorin\\Corvane\\4.0";
const std::string kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// A program path with letters beyond ASCII and blanks, as a user's folder may have.
const std::string kProgramPath = "C:\\Programme\\Prüfung Ω\\Corvane4.0.exe";

class RegistryConformance : public ::testing::Test {
public:
    std::unique_ptr<conformance::RegistryBed> bed = conformance::makeRegistryBed();
    Registry& r = bed->registry();

    /// Creates the settings key level by level, as the first run does, and gives it open.
    RegKey makeSettingsKey() {
        RegKey key = 0;
        EXPECT_EQ(r.createKey(kHkeyCurrentUser, kSettingsKey, key), kErrorSuccess);
        return key;
    }
    long setDword(RegKey key, const std::string& name, std::uint32_t value) {
        return r.setValue(key, name, kRegDword, reinterpret_cast<const std::uint8_t*>(&value), sizeof value);
    }
    long setText(RegKey key, const std::string& name, const std::string& text) {
        return r.setValue(key, name, kRegSz, reinterpret_cast<const std::uint8_t*>(text.c_str()),
                          static_cast<std::uint32_t>(text.size() + 1));
    }
};

TEST_F(RegistryConformance, SoftwareIsAlwaysThereAndTheSettingsKeyStartsMissing) {
    for (const std::uint32_t access : {kKeyRead, kKeyWrite}) {
        RegKey key = 0;
        ASSERT_EQ(r.openKey(kHkeyCurrentUser, "SOFTWARE", 0, access, key), kErrorSuccess);
        EXPECT_EQ(r.closeKey(key), kErrorSuccess);
    }
    RegKey key = 0;
    EXPECT_EQ(r.openKey(kHkeyCurrentUser, kSettingsKey, 0, kKeyRead, key), kErrorFileNotFound);
    EXPECT_EQ(r.openKey(kHkeyCurrentUser, kSettingsKey, 4, kKeyRead, key), kErrorFileNotFound);
    EXPECT_EQ(r.closeKey(0x4711), kErrorInvalidHandle);
}

TEST_F(RegistryConformance, ValueResultCodesWithNamesInAnyCase) {
    const RegKey written = makeSettingsKey();
    ASSERT_EQ(setDword(written, "ShowMemCpu", 0x01020304), kErrorSuccess);
    ASSERT_EQ(setText(written, "Path", kProgramPath), kErrorSuccess);
    r.closeKey(written);

    RegKey key = 0;
    // The readers open with options 4, the way the settings store always has.
    ASSERT_EQ(r.openKey(kHkeyCurrentUser, "SOFTWARE\\pellorin\\CORVANE\\4.0", 4, kKeyRead, key),
              kErrorSuccess);
    const auto textSize = static_cast<std::uint32_t>(kProgramPath.size() + 1);
    struct Case {
        const char* what;
        std::string name;
        std::uint32_t bufferSize;
        bool nullBuffer;
        long result;
        std::uint32_t sizeAfter;
    };
    const Case cases[] = {
        {"a dword in 4 bytes", "ShowMemCpu", 4, false, kErrorSuccess, 4},
        {"the name in another case", "SHOWMEMCPU", 4, false, kErrorSuccess, 4},
        {"a buffer too small", "showmemcpu", 2, false, kErrorMoreData, 4},
        {"no buffer: the size alone", "ShowMemCpu", 0, true, kErrorSuccess, 4},
        {"a text with its NUL", "PATH", 255, false, kErrorSuccess, textSize},
        {"a text one byte short", "Path", textSize - 1, false, kErrorMoreData, textSize},
        {"a missing value", "hrbeep", 4, false, kErrorFileNotFound, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::uint8_t buffer[255] = {};
        std::uint32_t type = kRegDword;
        std::uint32_t size = c.bufferSize;
        EXPECT_EQ(r.queryValue(key, c.name, type, c.nullBuffer ? nullptr : buffer, size), c.result);
        EXPECT_EQ(size, c.sizeAfter);
        if (c.result == kErrorSuccess && !c.nullBuffer) {
            if (c.sizeAfter == 4) {
                std::uint32_t value = 0;
                std::memcpy(&value, buffer, 4);
                EXPECT_EQ(type, kRegDword);
                EXPECT_EQ(value, 0x01020304u);
            } else {
                EXPECT_EQ(type, kRegSz);
                EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer)), kProgramPath);
            }
        }
    }
    r.closeKey(key);
}

TEST_F(RegistryConformance, MissingKeysAndValuesAnswerTwoAndAReadHandleChangesNothing) {
    const RegKey written = makeSettingsKey();
    ASSERT_EQ(setDword(written, "hrbeep", 1), kErrorSuccess);
    EXPECT_EQ(r.deleteValue(written, "Ontop"), kErrorFileNotFound);
    r.closeKey(written);

    RegKey key = 0;
    EXPECT_EQ(r.openKey(kHkeyCurrentUser, kSettingsKey + "\\Missing", 0, kKeyRead, key), kErrorFileNotFound);
    ASSERT_EQ(r.openKey(kHkeyCurrentUser, kSettingsKey, 0, kKeyRead, key), kErrorSuccess);
    EXPECT_EQ(setDword(key, "hrbeep", 0), kErrorAccessDenied);
    EXPECT_EQ(r.deleteValue(key, "HRBEEP"), kErrorAccessDenied);
    RegKey sub = 0;
    EXPECT_EQ(r.createKey(key, "Sub", sub), kErrorAccessDenied);
    std::uint32_t value = 0;
    std::uint32_t type = 0;
    std::uint32_t size = sizeof value;
    EXPECT_EQ(r.queryValue(key, "hrbeep", type, reinterpret_cast<std::uint8_t*>(&value), size),
              kErrorSuccess);
    EXPECT_EQ(value, 1u);
    EXPECT_EQ(r.openKey(kHkeyCurrentUser, kSettingsKey + "\\Sub", 0, kKeyRead, sub), kErrorFileNotFound);
    r.closeKey(key);

    // A key opened for writing cannot be read; a closed handle is no handle.
    ASSERT_EQ(r.openKey(kHkeyCurrentUser, kSettingsKey, 0, kKeyWrite, key), kErrorSuccess);
    size = sizeof value;
    EXPECT_EQ(r.queryValue(key, "hrbeep", type, reinterpret_cast<std::uint8_t*>(&value), size),
              kErrorAccessDenied);
    EXPECT_EQ(r.deleteValue(key, "HrBeep"), kErrorSuccess);
    EXPECT_EQ(r.deleteValue(key, "hrbeep"), kErrorFileNotFound);
    EXPECT_EQ(r.closeKey(key), kErrorSuccess);
    EXPECT_EQ(r.closeKey(key), kErrorInvalidHandle);
    EXPECT_EQ(setDword(key, "hrbeep", 1), kErrorInvalidHandle);
}

TEST_F(RegistryConformance, TheLogOnListKeepsTheProgramPath) {
    RegKey key = 0;
    ASSERT_EQ(r.openKey(kHkeyLocalMachine, kRunKey, 0, kKeyWrite, key), kErrorSuccess);
    ASSERT_EQ(setText(key, "Corvane", kProgramPath), kErrorSuccess);
    r.closeKey(key);

    auto later = bed->another();
    ASSERT_EQ(later->openKey(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RUN", 0,
                             kKeyRead, key),
              kErrorSuccess);
    char buffer[255] = {};
    std::uint32_t type = kRegSz;
    std::uint32_t size = sizeof buffer;
    // The value's name in its own case: on Linux the list is a folder shared with other
    // programs, whose entries differ from the program's by more than case.
    EXPECT_EQ(later->queryValue(key, "Corvane", type, reinterpret_cast<std::uint8_t*>(buffer), size),
              kErrorSuccess);
    EXPECT_EQ(type, kRegSz);
    EXPECT_EQ(std::string(buffer), kProgramPath);
    EXPECT_EQ(size, kProgramPath.size() + 1);
    EXPECT_EQ(later->deleteValue(key, "Corvane"), kErrorAccessDenied);
    later->closeKey(key);

    ASSERT_EQ(r.openKey(kHkeyLocalMachine, kRunKey, 0, kKeyWrite, key), kErrorSuccess);
    EXPECT_EQ(r.deleteValue(key, "Corvane"), kErrorSuccess);
    EXPECT_EQ(r.deleteValue(key, "Corvane"), kErrorFileNotFound);
    r.closeKey(key);
}

TEST_F(RegistryConformance, ATransactionIsSeenAtOnceAndStoredAtItsCommit) {
    r.beginTransaction();
    const RegKey key = makeSettingsKey();
    ASSERT_EQ(setDword(key, "tpme", 1), kErrorSuccess);
    r.closeKey(key);
    RegKey read = 0;
    ASSERT_EQ(r.openKey(kHkeyCurrentUser, kSettingsKey, 0, kKeyRead, read), kErrorSuccess);
    r.closeKey(read);
    ASSERT_EQ(r.commitTransaction(), kErrorSuccess);

    auto later = bed->another();
    ASSERT_EQ(later->openKey(kHkeyCurrentUser, kSettingsKey, 0, kKeyRead, read), kErrorSuccess);
    std::uint32_t value = 0;
    std::uint32_t type = 0;
    std::uint32_t size = sizeof value;
    EXPECT_EQ(later->queryValue(read, "TPME", type, reinterpret_cast<std::uint8_t*>(&value), size),
              kErrorSuccess);
    EXPECT_EQ(value, 1u);
    later->closeKey(read);
}

} // namespace
