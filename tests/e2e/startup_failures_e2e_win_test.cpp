// Start-up failures a user can meet: each is told in a message box, and the program then ends
// quietly without touching any settings file.

#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

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

std::wstring Widen(const std::string& text) {
    const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
    wide.resize(wide.size() - 1);
    return wide;
}

// A copy of the program in a folder named with 한 (U+D55C), which CP932 cannot spell, started
// and cleared away by wide names, since the ANSI ones are exactly what is lost.
struct CopyInForeignFolder {
    std::wstring folder;
    UniqueHandle process;
    DWORD id = 0;

    bool Start(const std::string& parent, const std::string& exe) {
        folder = Widen(parent) + L"\uD55C";
        const std::wstring copy = folder + L"\\Zentrava.exe";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!CreateDirectoryW(folder.c_str(), nullptr) ||
            !CopyFileW(Widen(exe).c_str(), copy.c_str(), FALSE) ||
            !CreateProcessW(copy.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                            folder.c_str(), &startup, &info)) {
            return false;
        }
        process.reset(info.hProcess);
        CloseHandle(info.hThread);
        id = info.dwProcessId;
        return true;
    }
    ~CopyInForeignFolder() {
        if (process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(process.get(), 0xDEAD);
            WaitForSingleObject(process.get(), 5000);
        }
        DeleteFileW((folder + L"\\Zentrava.exe").c_str());
        RemoveDirectoryW(folder.c_str());
    }
};

TEST(StartupFailures, SettingsPathWithCharactersCp932LacksIsTold) {
    TempDir temp;
    ASSERT_TRUE(temp.Create("zentrava_e2e"));
    CopyInForeignFolder copy;
    ASSERT_TRUE(copy.Start(temp.path(), ProgramPath(kShipped)));

    // The box has no owner: a top-level dialog of that process.
    std::pair<DWORD, HWND> find{copy.id, nullptr};
    WaitFor([&] {
        EnumWindows(
            [](HWND hwnd, LPARAM param) -> BOOL {
                auto* f = reinterpret_cast<std::pair<DWORD, HWND>*>(param);
                DWORD owner = 0;
                GetWindowThreadProcessId(hwnd, &owner);
                if (owner == f->first && IsWindowVisible(hwnd) &&
                    WindowClassName(hwnd) == kMessageBoxClass) {
                    f->second = hwnd;
                }
                return f->second == nullptr;
            },
            reinterpret_cast<LPARAM>(&find));
        return find.second != nullptr;
    });
    ASSERT_NE(find.second, nullptr) << "no message box: the clock ran without a settings file";
    const MessageBoxInfo info = ReadMessageBox(find.second);
    EXPECT_EQ(info.caption, "Zentrava");
    EXPECT_NE(info.text.find("シフトJISで表せない文字"), std::string::npos) << info.text;
    PostMessageA(find.second, WM_COMMAND, IDOK, 0);
    DWORD code = 1;
    EXPECT_EQ(WaitForSingleObject(copy.process.get(), kDefaultTimeoutMs), WAIT_OBJECT_0);
    EXPECT_TRUE(GetExitCodeProcess(copy.process.get(), &code));
    EXPECT_EQ(code, 0u);
    WIN32_FIND_DATAW found;
    const HANDLE ini = FindFirstFileW((copy.folder + L"\\*.ini").c_str(), &found);
    EXPECT_EQ(ini, INVALID_HANDLE_VALUE) << "a settings file was written";
    if (ini != INVALID_HANDLE_VALUE) {
        FindClose(ini);
    }
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
