// The shared profile tables against the real functions, one temporary INI file per case. Each
// case uses a fresh file name because the functions cache files by name.

#include "base/settings_store_win.h"

#include "base/memory_settings_store.h"
#include "base/profile_cases.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>

namespace zentrava {
namespace {

using profile_cases::FileSetup;

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

std::string TempDirectory() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    return std::string(buffer, length);
}

std::string UniqueName() {
    static int counter = 0;
    return "zentrava_settings_" + std::to_string(GetCurrentProcessId()) + "_" +
           std::to_string(++counter);
}

bool WriteBytes(const std::string& path, std::string_view bytes) {
    const HANDLE raw = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) {
        return false;
    }
    const FileHandle file(raw);
    DWORD written = 0;
    return WriteFile(raw, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// The file's bytes, or "" when there is no file.
std::string ReadBytes(const std::string& path) {
    const HANDLE raw = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) {
        return {};
    }
    const FileHandle file(raw);
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(raw, chunk, sizeof chunk, &got, nullptr) && got > 0) {
        bytes.append(chunk, got);
    }
    return bytes;
}

// One case's INI file, set up as the case says and removed afterwards.
class TempIni {
public:
    TempIni(std::string_view text, FileSetup setup) {
        if (setup == FileSetup::DirectoryMissing) {
            iniPath = TempDirectory() + UniqueName() + "_missing\\settings.ini";
            return;
        }
        iniPath = TempDirectory() + UniqueName() + ".ini";
        if (setup == FileSetup::NoFile) {
            return;
        }
        EXPECT_TRUE(WriteBytes(iniPath, text));
        if (setup == FileSetup::ReadOnly) {
            EXPECT_TRUE(SetFileAttributesA(iniPath.c_str(), FILE_ATTRIBUTE_READONLY));
        }
    }
    ~TempIni() {
        SetFileAttributesA(iniPath.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(iniPath.c_str());
    }
    TempIni(const TempIni&) = delete;
    TempIni& operator=(const TempIni&) = delete;

    const std::string& Path() const { return iniPath; }

private:
    std::string iniPath;
};

template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& info) {
    return std::string(info.param.name);
}

class IniFileReads : public testing::TestWithParam<profile_cases::ReadCase> {};

TEST_P(IniFileReads, AnswerAsTheTablesSay) {
    const auto& c = GetParam();
    const TempIni ini(c.fileText, c.setup);
    const IniFileSettingsStore store(ini.Path());
    EXPECT_EQ(store.GetText(c.section, c.key, c.def, c.bufferSize), c.expectedText);
    EXPECT_EQ(store.GetInt(c.section, c.key, profile_cases::kIntDefault), c.expectedInt);
}

INSTANTIATE_TEST_SUITE_P(Cases, IniFileReads, testing::ValuesIn(profile_cases::kReadCases),
                         CaseName<profile_cases::ReadCase>);

class IniFileIntegers : public testing::TestWithParam<profile_cases::IntCase> {};

TEST_P(IniFileIntegers, ParseAsTheTablesSay) {
    const auto& c = GetParam();
    const TempIni ini(profile_cases::IntCaseFile(c.value), FileSetup::Text);
    const IniFileSettingsStore store(ini.Path());
    EXPECT_EQ(store.GetInt("I", "k", profile_cases::kIntDefault), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, IniFileIntegers, testing::ValuesIn(profile_cases::kIntCases),
                         CaseName<profile_cases::IntCase>);

class IniFileWrites : public testing::TestWithParam<profile_cases::WriteCase> {};

TEST_P(IniFileWrites, RewriteTheFileAsTheTablesSay) {
    const auto& c = GetParam();
    const TempIni ini(c.fileText, c.setup);
    IniFileSettingsStore store(ini.Path());
    EXPECT_EQ(store.PutText(c.section, c.key, c.value), c.expectedResult);
    EXPECT_EQ(ReadBytes(ini.Path()), c.expectedFileText);
    for (const auto& readBack : c.readBacks) {
        EXPECT_EQ(store.GetText(readBack.section, readBack.key, "?", 256), readBack.expected)
            << readBack.section << "/" << readBack.key;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, IniFileWrites, testing::ValuesIn(profile_cases::kWriteCases),
                         CaseName<profile_cases::WriteCase>);

bool IsLeadByte(int b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

std::string HexKey(int b) {
    char key[8];
    std::snprintf(key, sizeof key, "k%02X", b);
    return key;
}

// Every lead byte with every following byte, in the file and as a default: the in-memory store
// must predict each character the code page mangles, and each line break a lead byte swallows.
TEST(IniFileAgainstMemoryStore, EveryDoubleByteSequenceReadsBackAlike) {
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(lead)) {
            continue;
        }
        std::string text = "[S]\r\n";
        for (int trail = 0; trail < 256; ++trail) {
            text +=
                HexKey(trail) + "=<" + static_cast<char>(lead) + static_cast<char>(trail) + ">\r\n";
        }
        const TempIni ini(text, FileSetup::Text);
        const IniFileSettingsStore real(ini.Path());
        const MemorySettingsStore fake(text);
        for (int trail = 0; trail < 256; ++trail) {
            const std::string key = HexKey(trail);
            const std::string def =
                std::string("<") + static_cast<char>(lead) + static_cast<char>(trail) + ">";
            ASSERT_EQ(real.GetText("S", key, "?", 64), fake.GetText("S", key, "?", 64))
                << std::hex << lead << " " << trail;
            ASSERT_EQ(real.GetText("S", "none", def, 64), fake.GetText("S", "none", def, 64))
                << std::hex << lead << " " << trail;
        }
    }
}

TEST(IniFileAgainstMemoryStore, EverySingleByteReadsBackAlike) {
    std::string text = "[S]\r\n";
    for (int b = 1; b < 256; ++b) {
        if (!IsLeadByte(b)) {
            text += HexKey(b) + "=<" + static_cast<char>(b) + ">\r\n";
        }
    }
    const TempIni ini(text, FileSetup::Text);
    const IniFileSettingsStore real(ini.Path());
    const MemorySettingsStore fake(text);
    for (int b = 1; b < 256; ++b) {
        const std::string key = HexKey(b);
        EXPECT_EQ(real.GetText("S", key, "?", 64), fake.GetText("S", key, "?", 64)) << b;
    }
}

TEST(IniFileStore, FindsSoundFilesThatExist) {
    const TempIni ini("x", FileSetup::Text);
    const IniFileSettingsStore store(ini.Path());
    EXPECT_TRUE(store.FileExists(ini.Path()));
    EXPECT_FALSE(store.FileExists(ini.Path() + ".gone"));
    EXPECT_FALSE(store.FileExists(TempDirectory() + UniqueName() + "_missing\\a.wav"));
}

} // namespace
} // namespace zentrava
