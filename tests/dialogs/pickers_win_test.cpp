// The drop box on a real edit, with drops made as the shell makes them; the clock font's
// chooser driven from a second thread.

#include "dialogs/pickers_win.h"

#include "dialogs/drop_files_win.h"
#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
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

// What the font chooser showed, and what the user did in it.
struct FontChooserSeen {
    bool found = false;
    bool sizeBoxEnabled = true;
    bool colourBoxEnabled = true;
    bool shown = false;
    int offCentreX = 1000, offCentreY = 1000;
    std::string picked;
};

// The face list (cmb1) of the platform's font dialog.
constexpr int kFaceList = 1136;
constexpr int kSizeBox = 1138, kColourBox = 1139;

FontChooserSeen AnswerFontChooser(DWORD thread, int button) {
    FontChooserSeen seen;
    HWND chooser = nullptr;
    seen.found = e2e::WaitFor(
        [&] {
            chooser = e2e::FindThreadWindow(thread, [](HWND w) { return IsWindowVisible(w) != 0; });
            return chooser != nullptr;
        },
        10000);
    if (!seen.found) {
        return seen;
    }
    seen.shown = IsWindowVisible(chooser) != FALSE;
    seen.sizeBoxEnabled = IsWindowEnabled(GetDlgItem(chooser, kSizeBox)) != FALSE;
    seen.colourBoxEnabled = IsWindowEnabled(GetDlgItem(chooser, kColourBox)) != FALSE;
    RECT r{};
    GetWindowRect(chooser, &r);
    seen.offCentreX = std::abs((r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2);
    seen.offCentreY = std::abs((r.top + r.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2);
    // Another face than the one it opened on.
    const HWND faces = GetDlgItem(chooser, kFaceList);
    const LRESULT current = SendMessageA(faces, CB_GETCURSEL, 0, 0);
    const LRESULT other = current == 0 ? 1 : 0;
    char face[LF_FACESIZE * 2]{};
    if (SendMessageA(faces, CB_GETLBTEXTLEN, static_cast<WPARAM>(other), 0) < LF_FACESIZE) {
        SendMessageA(faces, CB_GETLBTEXT, static_cast<WPARAM>(other),
                     reinterpret_cast<LPARAM>(face));
    }
    seen.picked = face;
    SendMessageA(faces, CB_SETCURSEL, static_cast<WPARAM>(other), 0);
    SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(kFaceList, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(faces));
    PostMessageA(chooser, WM_COMMAND, static_cast<WPARAM>(button), 0);
    e2e::WaitFor([&] { return !IsWindow(chooser); });
    return seen;
}

TEST(ClockFontChooserWin, CentredWithoutSizeAndColourAndOkTakesTheFace) {
    LOGFONTA opened{};
    opened.lfHeight = -19;
    opened.lfWeight = FW_BOLD;
    opened.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpyA(opened.lfFaceName, "MS UI Gothic");
    const COLORREF openedColour = RGB(0, 0, 128);
    for (const int button : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(button);
        LOGFONTA font = opened;
        COLORREF colour = openedColour;
        FontChooserSeen seen;
        const DWORD thread = GetCurrentThreadId();
        std::thread user([&] { seen = AnswerFontChooser(thread, button); });
        const bool chosen = ChooseClockFont(nullptr, font, colour);
        user.join();

        ASSERT_TRUE(seen.found) << "no font chooser";
        EXPECT_TRUE(seen.shown);
        EXPECT_FALSE(seen.sizeBoxEnabled);
        EXPECT_FALSE(seen.colourBoxEnabled);
        EXPECT_LE(seen.offCentreX, 1);
        EXPECT_LE(seen.offCentreY, 1);
        EXPECT_EQ(chosen, button == IDOK);
        EXPECT_EQ(colour, openedColour) << "the colour box is not the user's to change here";
        if (button == IDOK) {
            ASSERT_FALSE(seen.picked.empty());
            EXPECT_EQ(std::string(font.lfFaceName), seen.picked);
        } else {
            EXPECT_EQ(std::string(font.lfFaceName), opened.lfFaceName);
            EXPECT_EQ(font.lfHeight, opened.lfHeight);
        }
    }
}

} // namespace
} // namespace zentrava
