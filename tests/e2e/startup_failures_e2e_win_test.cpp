// Start-up failures a user can meet: each is told in a message box, and the program then ends
// quietly without touching any settings file.

#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace zentrava::e2e {
namespace {

// Reads the box, presses OK and expects the program to end with code 0.
MessageBoxInfo AnswerTheOnlyMessageBox(ZentravaSession& session) {
    const std::optional<MessageBoxInfo> box = session.WaitForMessageBox();
    if (!box) {
        ADD_FAILURE() << "no message box: " << session.lastError();
        return {};
    }
    EXPECT_TRUE(session.DismissMessageBox(box->hwnd)) << session.lastError();
    const std::optional<DWORD> code = session.WaitForExit();
    EXPECT_TRUE(code.has_value()) << "still running after the box was answered";
    EXPECT_EQ(code.value_or(1), 0u);
    EXPECT_TRUE(session.process().TopLevelWindows("Zentrava").empty());
    return *box;
}

TEST(StartupFailures, SettingsPathTooLongIsToldAndNoOtherFileIsUsed) {
    ZentravaSession session;
    // The exe's own path fits in 259 characters; "<base>_<user>.ini" beside it does not.
    std::string probeDir;
    {
        TempDir probe;
        ASSERT_TRUE(probe.Create("zentrava_e2e"));
        probeDir = probe.path();
    }
    const std::size_t room = 257 - probeDir.size() - 4; // "<dir><base>.exe" is 257 long
    ASSERT_TRUE(session.Stage(ProgramPath("Zentrava.exe"), std::string(room, 'z')))
        << session.lastError();
    ASSERT_LE(session.exePath().size(), 259u);
    ASSERT_GT(session.IniPath().size(), 259u);
    session.LeaveSettingsFileAlone();
    ASSERT_TRUE(session.Launch()) << session.lastError();

    const MessageBoxInfo box = AnswerTheOnlyMessageBox(session);
    EXPECT_EQ(box.caption, "Zentrava");
    EXPECT_NE(box.text.find("設定ファイルのパスが長すぎます。"), std::string::npos) << box.text;
    EXPECT_TRUE(ListFiles(session.dir(), "*.ini").empty());
    EXPECT_TRUE(ListFiles(session.dir(), "*.log").empty());
}

TEST(StartupFailures, MutexThatCannotBeCreatedIsTold) {
    // An object of another kind under the mutex's name makes CreateMutexA fail.
    UniqueHandle squatter(CreateEventA(nullptr, TRUE, FALSE, kInstanceMutexName));
    ASSERT_TRUE(squatter);
    ZentravaSession session;
    ASSERT_TRUE(session.Stage(ProgramPath("Zentrava.exe"), "Clock")) << session.lastError();
    session.LeaveSettingsFileAlone();
    ASSERT_TRUE(session.Launch()) << session.lastError();

    const MessageBoxInfo box = AnswerTheOnlyMessageBox(session);
    EXPECT_EQ(box.caption, "Mutex Message");
    EXPECT_EQ(box.text, "It fails in the mutex acquisition.");
    EXPECT_TRUE(ListFiles(session.dir(), "*.ini").empty());
}

} // namespace
} // namespace zentrava::e2e
