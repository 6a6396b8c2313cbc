// The font size and text colour dialogs in this process, driven from a second thread as a user
// would: typing, Tab, clicks and the platform's colour chooser.

#include "face/text_dialogs_win.h"

#include "app/gdi_count_win.h"
#include "app/program_resources_win.h"
#include "base/app_context_win.h"
#include "e2e/sheet_support.h"
#include "face/text_dialogs.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <thread>
#include <vector>

namespace zentrava {
namespace {

using e2e::FocusOf;
using e2e::WaitFor;

constexpr const char* kSizesCaption = "各種フォントサイズの設定";
constexpr const char* kColoursCaption = "各種文字の色を設定";
// The red, green and blue edits of the platform's colour chooser.
constexpr int kChooserRed = 706, kChooserGreen = 707, kChooserBlue = 708;

using Sizes = std::array<int, kTextKinds>;

Sizes SizesOf(const FontSettings& font) {
    Sizes sizes{};
    for (std::size_t k = 0; k < sizes.size(); ++k) {
        sizes[k] = font.*kTextSizeFields[k];
    }
    return sizes;
}

// A visible dialog of this thread: with the caption, or any but `other` when none is given.
HWND DialogOf(DWORD thread, const char* caption, HWND other = nullptr) {
    return e2e::FindThreadWindow(thread, [&](HWND w) {
        char cls[32]{};
        GetClassNameA(w, cls, sizeof cls);
        return IsWindowVisible(w) && std::string(cls) == "#32770" && w != other &&
               (caption == nullptr || e2e::WindowText(w) == caption);
    });
}

HWND WaitForDialogOf(DWORD thread, const char* caption, HWND other = nullptr) {
    HWND found = nullptr;
    WaitFor([&] { return (found = DialogOf(thread, caption, other)) != nullptr; });
    return found;
}

HWND EditOf(HWND dialog, int kind) {
    return FindWindowExA(GetDlgItem(dialog, IDC_FS_SIZE + kind), nullptr, "Edit", nullptr);
}

// Key by key, over the whole text, as typing it would.
void Type(HWND edit, const char* text) {
    SendMessageA(edit, EM_SETSEL, 0, -1);
    for (const char* c = text; *c != '\0'; ++c) {
        SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(*c)), 0);
    }
}

std::string MessageText(HWND box) {
    return e2e::WindowText(GetDlgItem(box, 0xFFFF));
}

class TextDialogsWin : public ::testing::Test {
protected:
    void SetUp() override {
        Context().instance = ProgramResources();
        ASSERT_NE(FindResourceA(Context().instance, MAKEINTRESOURCEA(IDD_FONT_SIZES), RT_DIALOG),
                  nullptr);
        ASSERT_NE(FindResourceA(Context().instance, MAKEINTRESOURCEA(IDD_TEXT_COLOURS), RT_DIALOG),
                  nullptr);
        main_.reset(CreateWindowExA(0, "STATIC", "clock", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr));
    }
    void TearDown() override { Context().instance = nullptr; }

    const DWORD thread_ = GetCurrentThreadId();
    UniqueWindow main_;
};

TEST_F(TextDialogsWin, SizesApplyAtOnceLettersAreRefusedAndCancelPutsThemBack) {
    FontSettings font;
    font.DateTextSize = 14;
    font.TimeTextSize = 14;
    font.MesStrTextSize = 15; // not offered: shown as typed
    font.JSTStrTextSize = 72;
    std::vector<Sizes> layouts;
    std::string shown, refusal;
    LRESULT offered = 0, dateItem = 0, numeralItem = 0;
    bool focusedOnOpening = false, focusBack = false, ownedByClock = false;
    bool boxOnCancel = true;
    std::thread user([&] {
        const HWND dialog = WaitForDialogOf(thread_, kSizesCaption);
        if (dialog == nullptr) {
            ADD_FAILURE() << "no dialog";
            return;
        }
        for (int k = 0; k < kTextKinds; ++k) {
            shown += e2e::WindowText(EditOf(dialog, k)) + " ";
        }
        offered = SendDlgItemMessageA(dialog, IDC_FS_SIZE + 3, CB_GETCOUNT, 0, 0);
        dateItem = SendDlgItemMessageA(dialog, IDC_FS_SIZE, CB_GETCURSEL, 0, 0);
        numeralItem = SendDlgItemMessageA(dialog, IDC_FS_SIZE + 2, CB_GETCURSEL, 0, 0);
        const HWND time = GetDlgItem(dialog, IDC_FS_SIZE + 1);
        SendMessageA(time, CB_SETCURSEL, 8, 0); // "20"
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_FS_SIZE + 1, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(time));
        Type(EditOf(dialog, 3), "22");
        e2e::Screenshot(dialog, "font_sizes_dialog.bmp");

        const HWND date = EditOf(dialog, 0);
        focusedOnOpening = FocusOf(dialog) == date;
        Type(date, "1a");
        PostMessageA(date, WM_KEYDOWN, VK_TAB, 0);
        const HWND box = WaitForDialogOf(thread_, kAppCaption, dialog);
        if (box != nullptr) {
            refusal = MessageText(box);
            ownedByClock = GetWindow(box, GW_OWNER) == main_.get();
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            WaitFor([&] { return !IsWindow(box); });
            focusBack = WaitFor([&] { return FocusOf(dialog) == date; }, 2000);
        }

        // Pressing Cancel takes the focus from the box with "1a" before the click completes.
        const HWND cancel = GetDlgItem(dialog, IDCANCEL);
        PostMessageA(cancel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        const HWND swallowing =
            WaitFor([&] { return DialogOf(thread_, kAppCaption, dialog) != nullptr; }, 800)
                ? DialogOf(thread_, kAppCaption, dialog)
                : nullptr;
        boxOnCancel = swallowing != nullptr;
        if (swallowing != nullptr) {
            PostMessageA(swallowing, WM_COMMAND, IDOK, 0);
            WaitFor([&] { return !IsWindow(swallowing); });
        }
        PostMessageA(cancel, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        if (!WaitFor([&] { return !IsWindow(dialog); }, 6000)) {
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    });
    RunFontSizesDialog(nullptr, main_.get(), font, [&] { layouts.push_back(SizesOf(font)); });
    user.join();

    EXPECT_EQ(shown, "14 14 15 72 ");
    EXPECT_EQ(offered, static_cast<LRESULT>(kOfferedFontSizes.size()));
    EXPECT_EQ(dateItem, 5) << "14 is not the selected item";
    EXPECT_EQ(numeralItem, CB_ERR);
    EXPECT_TRUE(focusedOnOpening);
    EXPECT_EQ(refusal, kFontSizeNotNumberMessage);
    EXPECT_TRUE(ownedByClock);
    EXPECT_TRUE(focusBack) << "the focus did not come back to the box with 1a";
    EXPECT_FALSE(boxOnCancel) << "the check on leaving swallowed the Cancel click";
    EXPECT_EQ(SizesOf(font), (Sizes{14, 14, 15, 72}));
    ASSERT_GE(layouts.size(), 4u);
    EXPECT_EQ(layouts[0], (Sizes{14, 20, 15, 72})) << "a picked size waited";
    EXPECT_EQ(layouts[2], (Sizes{14, 20, 15, 22})) << "a typed size waited";
    EXPECT_EQ(layouts.back(), (Sizes{14, 14, 15, 72})) << "Cancel left the layout changed";
}

TEST_F(TextDialogsWin, OkWithLettersInAnyBoxStaysOpenOnThatBox) {
    FontSettings font;
    std::vector<Sizes> layouts;
    std::string refusal;
    bool focusOnBadBox = false, stayedOpen = false;
    std::thread user([&] {
        const HWND dialog = WaitForDialogOf(thread_, kSizesCaption);
        if (dialog == nullptr) {
            ADD_FAILURE() << "no dialog";
            return;
        }
        Type(EditOf(dialog, 2), "x");
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        if (const HWND box = WaitForDialogOf(thread_, kAppCaption, dialog)) {
            refusal = MessageText(box);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            WaitFor([&] { return !IsWindow(box); });
        }
        focusOnBadBox = WaitFor([&] { return FocusOf(dialog) == EditOf(dialog, 2); }, 2000);
        stayedOpen = IsWindow(dialog) != FALSE;
        Type(EditOf(dialog, 2), "36");
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        if (!WaitFor([&] { return !IsWindow(dialog); }, 6000)) {
            ADD_FAILURE() << "OK with numbers did not close";
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    });
    RunFontSizesDialog(nullptr, main_.get(), font, [&] { layouts.push_back(SizesOf(font)); });
    user.join();

    EXPECT_EQ(refusal, kFontSizeNotNumberMessage);
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(focusOnBadBox);
    EXPECT_EQ(SizesOf(font), (Sizes{14, 14, 36, 14}));
    ASSERT_FALSE(layouts.empty());
    EXPECT_EQ(layouts.back(), (Sizes{14, 14, 36, 14}));
}

// What a swatch shows on the screen and the brush it paints with.
struct Swatch {
    COLORREF onScreen;
    COLORREF brush;
};

Swatch SwatchOf(HWND dialog, int kind) {
    const HWND swatch = GetDlgItem(dialog, IDC_TC_SWATCH + kind);
    RECT r{};
    GetWindowRect(swatch, &r);
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ReleaseDC(nullptr, screen);
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(dialog, WM_CTLCOLORSTATIC,
                                                             reinterpret_cast<WPARAM>(dc.get()),
                                                             reinterpret_cast<LPARAM>(swatch)));
    LOGBRUSH seen{};
    GetObjectA(brush, sizeof seen, &seen);
    return {pixel, brush != nullptr ? seen.lbColor : CLR_INVALID};
}

// Opens the chooser from the button of `kind`, reads the colour it starts from and answers
// with `colour`, or cancels when there is none.
std::string Choose(DWORD thread, HWND dialog, int kind, std::optional<COLORREF> colour) {
    const HWND button = GetDlgItem(dialog, IDC_TC_CHOOSE + kind);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_TC_CHOOSE + kind, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    const HWND chooser = WaitForDialogOf(thread, nullptr, dialog);
    if (chooser == nullptr) {
        return "no chooser";
    }
    std::string start;
    for (const int channel : {kChooserRed, kChooserGreen, kChooserBlue}) {
        start += e2e::WindowText(GetDlgItem(chooser, channel)) + " ";
    }
    if (colour) {
        const std::string parts[] = {std::to_string(GetRValue(*colour)),
                                     std::to_string(GetGValue(*colour)),
                                     std::to_string(GetBValue(*colour))};
        int i = 0;
        for (const int channel : {kChooserRed, kChooserGreen, kChooserBlue}) {
            SendMessageA(GetDlgItem(chooser, channel), WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>(parts[i++].c_str()));
        }
    }
    PostMessageA(chooser, WM_COMMAND, colour ? IDOK : IDCANCEL, 0);
    WaitFor([&] { return !IsWindow(chooser); });
    return start;
}

TEST_F(TextDialogsWin, SwatchesShowEachChosenColourAndCancelPutsTheOldOnesBack) {
    FontSettings font;
    font.DateTextColor = static_cast<int>(RGB(255, 0, 0));
    font.TimeTextColor = static_cast<int>(RGB(0, 255, 0));
    font.MesStrTextColor = static_cast<int>(RGB(0, 0, 255));
    font.JSTTextColor = 0;
    const FontSettings opened = font;
    const COLORREF opening[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), 0};
    int repaints = 0;
    std::vector<Swatch> first, afterChoices;
    std::string startOfFirst, startOfSecond, startOfCancelled;
    std::thread user([&] {
        const HWND dialog = WaitForDialogOf(thread_, kColoursCaption);
        if (dialog == nullptr) {
            ADD_FAILURE() << "no dialog";
            return;
        }
        WaitFor([&] { return SwatchOf(dialog, 3).onScreen == 0; }, 2000);
        for (int k = 0; k < kTextKinds; ++k) {
            first.push_back(SwatchOf(dialog, k));
        }
        // The same swatch twice: each new colour needs a brush of its own.
        startOfFirst = Choose(thread_, dialog, 1, RGB(10, 20, 30));
        WaitFor([&] { return SwatchOf(dialog, 1).onScreen == RGB(10, 20, 30); }, 2000);
        startOfSecond = Choose(thread_, dialog, 1, RGB(40, 50, 60));
        startOfCancelled = Choose(thread_, dialog, 0, std::nullopt);
        WaitFor([&] { return SwatchOf(dialog, 1).onScreen == RGB(40, 50, 60); }, 2000);
        for (int k = 0; k < kTextKinds; ++k) {
            afterChoices.push_back(SwatchOf(dialog, k));
        }
        e2e::Screenshot(dialog, "text_colours_dialog.bmp");
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    RunTextColoursDialog(nullptr, font, [&] { ++repaints; });
    user.join();

    ASSERT_EQ(first.size(), 4u);
    ASSERT_EQ(afterChoices.size(), 4u);
    for (int k = 0; k < kTextKinds; ++k) {
        const auto i = static_cast<std::size_t>(k);
        EXPECT_EQ(first[i].onScreen, opening[k]) << k;
        EXPECT_EQ(first[i].brush, opening[k]) << k;
        const COLORREF now = k == 1 ? RGB(40, 50, 60) : opening[k];
        EXPECT_EQ(afterChoices[i].onScreen, now) << k;
        EXPECT_EQ(afterChoices[i].brush, now) << "the swatch kept its old brush: " << k;
    }
    EXPECT_EQ(startOfFirst, "0 255 0 ");
    EXPECT_EQ(startOfSecond, "10 20 30 ") << "the chooser did not start from the new colour";
    EXPECT_EQ(startOfCancelled, "255 0 0 ");
    EXPECT_EQ(font, opened) << "Cancel kept a chosen colour";
    EXPECT_EQ(repaints, 3) << "each choice and the Cancel repaint the clock";

    // OK keeps what was chosen.
    std::thread okUser([&] {
        const HWND dialog = WaitForDialogOf(thread_, kColoursCaption);
        if (dialog != nullptr) {
            Choose(thread_, dialog, 2, RGB(70, 80, 90));
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        }
    });
    RunTextColoursDialog(nullptr, font, [&] { ++repaints; });
    okUser.join();
    FontSettings expected = opened;
    expected.MesStrTextColor = static_cast<int>(RGB(70, 80, 90));
    EXPECT_EQ(font, expected);
}

// Answers each dialog of this thread as it is made. A dialog without WS_VISIBLE is shown only
// once its queue is empty, and the answer is already waiting there: each opening makes and
// frees everything but the mapping of the window, which costs two seconds under Wine without
// a window manager. The tests above open them on the screen.
WPARAM g_answer = IDOK;
LRESULT CALLBACK AnswerOnCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND &&
        (reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->style & WS_CHILD) == 0) {
        PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, g_answer, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(TextDialogsWin, TwentyOpeningsOfEachLeaveNoGdiObjectBehind) {
    FontSettings font;
    const HHOOK hook = SetWindowsHookExA(WH_CBT, AnswerOnCreation, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    int relayouts = 0, repaints = 0;
    const auto openBoth = [&](int times) {
        for (int i = 0; i < times; ++i) {
            g_answer = i % 2 == 0 ? IDOK : IDCANCEL;
            RunFontSizesDialog(nullptr, main_.get(), font, [&] { ++relayouts; });
            RunTextColoursDialog(nullptr, font, [&] { ++repaints; });
        }
    };
    openBoth(2); // the first openings load what stays loaded
    const long before = SettledGdiObjectsOf(GetCurrentProcess());
    relayouts = repaints = 0;
    openBoth(20);
    const long after = SettledGdiObjectsOf(GetCurrentProcess());
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(relayouts, 20) << "not every opening ran to its OK or Cancel";
    EXPECT_EQ(repaints, 10);
    ASSERT_GT(before, 0);
    EXPECT_EQ(after, before);
}

} // namespace
} // namespace zentrava
