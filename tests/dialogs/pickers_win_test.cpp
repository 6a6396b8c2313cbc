// The drop box on a real edit, with drops made as the shell makes them.

#include "dialogs/pickers_win.h"

#include "dialogs/drop_files_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zentrava {
namespace {

std::string Text(HWND edit) {
    char text[300]{};
    GetWindowTextA(edit, text, sizeof text);
    return text;
}

struct DroppedOn {
    HWND edit = CreateWindowExA(0, "EDIT", "old.wav", WS_OVERLAPPED, 0, 0, 200, 30, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    std::vector<ChosenFile> received;
    DropBox box;

    explicit DroppedOn(FileKind kind) {
        box.Attach(edit, kind, [this](const ChosenFile& file) { received.push_back(file); });
    }
    ~DroppedOn() {
        box.Detach();
        DestroyWindow(edit);
    }
    void Drop(const std::vector<std::string>& paths) {
        SendMessageA(edit, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
    }
};

TEST(DropBoxWin, OneSoundFileBecomesTheShownName) {
    DroppedOn target(FileKind::Sound);
    ASSERT_NE(target.edit, nullptr);
    EXPECT_NE(GetWindowLongPtrA(target.edit, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0)
        << "the shell only drops on windows that accept files";
    target.Drop({"C:\\sounds\\Bell.WAV"});
    ASSERT_EQ(target.received.size(), 1u);
    EXPECT_EQ(target.received[0].path, "C:\\sounds\\Bell.WAV");
    EXPECT_EQ(target.received[0].displayName, "Bell.WAV");
    EXPECT_EQ(Text(target.edit), "Bell.WAV");
}

TEST(DropBoxWin, TwoFilesOrAnotherKindChangeNothing) {
    DroppedOn target(FileKind::Sound);
    target.Drop({"C:\\a.wav", "C:\\b.wav"});
    target.Drop({"C:\\notes.txt"});
    target.Drop({"C:\\sky.png"});
    EXPECT_TRUE(target.received.empty());
    EXPECT_EQ(Text(target.edit), "old.wav");

    DroppedOn picture(FileKind::Picture);
    picture.Drop({"C:\\sky.png"});
    ASSERT_EQ(picture.received.size(), 1u);
    EXPECT_EQ(Text(picture.edit), "sky.png");
}

TEST(DropBoxWin, DetachingGivesTheEditItsOwnProcedureBack) {
    DroppedOn target(FileKind::Sound);
    target.box.Detach();
    target.Drop({"C:\\a.wav"});
    EXPECT_TRUE(target.received.empty());
    EXPECT_EQ(Text(target.edit), "old.wav");
}

} // namespace
} // namespace zentrava
