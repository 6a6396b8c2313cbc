#include "base/memory_settings_store.h"

#include "base/profile_cases.h"

#include <gtest/gtest.h>

#include <string>

namespace zentrava {
namespace {

using profile_cases::FileSetup;

IniFileAccess AccessFor(FileSetup setup) {
    switch (setup) {
    case FileSetup::ReadOnly:
        return IniFileAccess::ReadOnly;
    case FileSetup::DirectoryMissing:
        return IniFileAccess::DirectoryMissing;
    case FileSetup::Text:
    case FileSetup::NoFile:
        break;
    }
    return IniFileAccess::ReadWrite;
}

MemorySettingsStore StoreFor(std::string_view fileText, FileSetup setup) {
    return MemorySettingsStore(setup == FileSetup::Text || setup == FileSetup::ReadOnly
                                   ? std::string(fileText)
                                   : std::string(),
                               AccessFor(setup));
}

template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& info) {
    return std::string(info.param.name);
}

class MemoryStoreReads : public testing::TestWithParam<profile_cases::ReadCase> {};

TEST_P(MemoryStoreReads, AnswerAsTheProfileFunctions) {
    const auto& c = GetParam();
    const MemorySettingsStore store = StoreFor(c.fileText, c.setup);
    EXPECT_EQ(store.GetText(c.section, c.key, c.def, c.bufferSize), c.expectedText);
    EXPECT_EQ(store.GetInt(c.section, c.key, profile_cases::kIntDefault), c.expectedInt);
}

INSTANTIATE_TEST_SUITE_P(Cases, MemoryStoreReads, testing::ValuesIn(profile_cases::kReadCases),
                         CaseName<profile_cases::ReadCase>);

class MemoryStoreIntegers : public testing::TestWithParam<profile_cases::IntCase> {};

TEST_P(MemoryStoreIntegers, ParseAsTheProfileFunctions) {
    const auto& c = GetParam();
    const MemorySettingsStore store(profile_cases::IntCaseFile(c.value));
    EXPECT_EQ(store.GetInt("I", "k", profile_cases::kIntDefault), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, MemoryStoreIntegers, testing::ValuesIn(profile_cases::kIntCases),
                         CaseName<profile_cases::IntCase>);

class MemoryStoreWrites : public testing::TestWithParam<profile_cases::WriteCase> {};

TEST_P(MemoryStoreWrites, RewriteTheFileAsTheProfileFunctions) {
    const auto& c = GetParam();
    MemorySettingsStore store = StoreFor(c.fileText, c.setup);
    EXPECT_EQ(store.PutText(c.section, c.key, c.value), c.expectedResult);
    EXPECT_EQ(store.Text(), c.expectedFileText);
    for (const auto& readBack : c.readBacks) {
        EXPECT_EQ(store.GetText(readBack.section, readBack.key, "?", 256), readBack.expected)
            << readBack.section << "/" << readBack.key;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, MemoryStoreWrites, testing::ValuesIn(profile_cases::kWriteCases),
                         CaseName<profile_cases::WriteCase>);

TEST(MemoryStore, SoundFileThatIsGoneFallsBackToDefault) {
    MemorySettingsStore store("[Alarm]\r\nSound=C:\\gone.wav\r\nOther=C:\\here.wav\r\n");
    store.AddExistingFile("C:\\here.wav");
    EXPECT_EQ(store.GetSoundFile("Alarm", "Sound", "default.wav"), "default.wav");
    EXPECT_EQ(store.GetSoundFile("Alarm", "Other", "default.wav"), "C:\\here.wav");
}

// As Windows refuses to open a read-only file for writing, even to store the same value.
TEST(MemoryStore, ReadOnlyFileRefusesEveryWrite) {
    MemorySettingsStore store("[S]\r\nk=1\r\n", IniFileAccess::ReadOnly);
    EXPECT_FALSE(store.PutText("S", "k", "2"));
    EXPECT_FALSE(store.PutText("S", "k", "1"));
    EXPECT_EQ(store.Text(), "[S]\r\nk=1\r\n");
    EXPECT_EQ(store.GetInt("S", "k", 0), 1);
}

TEST(MemoryStore, SuccessiveWritesBuildOneFile) {
    MemorySettingsStore store;
    EXPECT_TRUE(store.PutInt("S", "a", -5));
    EXPECT_TRUE(store.PutText("T", "b", "x"));
    EXPECT_TRUE(store.PutInt("S", "c", 7));
    EXPECT_EQ(store.Text(), "[S]\r\na=-5\r\nc=7\r\n[T]\r\nb=x\r\n");
    EXPECT_EQ(store.GetInt("s", "A", 0), -5);
}

// Reads come from the file as last written, and a copy is a file of its own: a write to one
// must not show through the other.
TEST(MemoryStore, ReadsFollowWritesAndCopiesKeepTheirOwnFile) {
    MemorySettingsStore store("[S]\r\na=1\r\n");
    const MemorySettingsStore before = store;
    EXPECT_TRUE(store.PutInt("S", "a", 2));
    EXPECT_TRUE(store.PutText("S", "b", "  \"x\""));
    EXPECT_EQ(store.GetInt("S", "a", 0), 2);
    EXPECT_EQ(store.GetText("S", "b", "", 16), "x");
    EXPECT_EQ(before.GetInt("S", "a", 0), 1);
    EXPECT_EQ(before.GetText("S", "b", "none", 16), "none");
    MemorySettingsStore assigned;
    assigned = store;
    EXPECT_TRUE(store.PutInt("S", "a", 3));
    EXPECT_EQ(assigned.GetInt("S", "a", 0), 2);
    EXPECT_EQ(store.GetInt("S", "a", 0), 3);
}

} // namespace
} // namespace zentrava
