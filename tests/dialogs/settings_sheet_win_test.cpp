// The page protocol as a user meets it in a real property sheet: a page with one number edit,
// driven from a second thread while the sheet runs its modal loop on this one.

#include "dialogs/settings_sheet_win.h"
#include "e2e/zentrava_driver_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace zentrava {
namespace {

constexpr int kMinutesEdit = 1001;
constexpr int kTree = 1002;
constexpr const char* kMinutesMessage = "分の設定は0～59迄です。";
constexpr const char* kNotANumberMessage = "数値を入力してください。";
constexpr const char* kOwnCaption = "分の入力エラー";

// A dialog template in memory with one edit, so the test needs no resources.
class PageTemplate {
public:
    explicit PageTemplate(const wchar_t* caption) {
        Put32(WS_CHILD | WS_CAPTION | WS_DISABLED);
        Put32(0);
        Put16(1); // one control
        Put16(0), Put16(0), Put16(200), Put16(120);
        Put16(0), Put16(0); // no menu, the default class
        PutText(caption);
        Align();
        Put32(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL);
        Put32(0);
        Put16(10), Put16(10), Put16(60), Put16(14);
        Put16(kMinutesEdit);
        Put16(0xFFFF), Put16(0x0081); // the edit class
        Put16(0);                     // no text
        Put16(0);                     // no creation data
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void Put16(WORD w) { words_.push_back(w); }
    void Put32(DWORD d) {
        Put16(LOWORD(d));
        Put16(HIWORD(d));
    }
    void PutText(const wchar_t* text) {
        for (; *text != 0; ++text) {
            Put16(static_cast<WORD>(*text));
        }
        Put16(0);
    }
    void Align() {
        if (words_.size() % 2 != 0) {
            Put16(0);
        }
    }
    // The allocation is aligned well beyond the DWORD the template must start on.
    std::vector<WORD> words_;
};

std::string EditText(HWND page) {
    char text[32]{};
    GetDlgItemTextA(page, kMinutesEdit, text, sizeof text);
    return text;
}

// A page over a minutes value, the way a feature page uses the protocol.
class MinutesPage final : public SheetPage {
public:
    explicit MinutesPage(int& live) : live_(live) {}

    void Start(HWND page) override {
        window = page;
        copies_.Begin(live_);
        SetDlgItemInt(page, kMinutesEdit, static_cast<UINT>(copies_.working()), TRUE);
        if (withTree) {
            // A tree view of two items, the first selected while filling.
            INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TREEVIEW_CLASSES};
            InitCommonControlsEx(&classes);
            HWND tree = CreateWindowExA(
                0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 40, 120, 60, page,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTree)), nullptr, nullptr);
            for (const char* name : {"one", "two"}) {
                TVINSERTSTRUCTA item{};
                item.hParent = TVI_ROOT;
                item.hInsertAfter = TVI_LAST;
                item.item.mask = TVIF_TEXT;
                item.item.pszText = const_cast<char*>(name);
                items.push_back(reinterpret_cast<HTREEITEM>(
                    SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item))));
            }
            SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(items.front()));
        }
    }
    bool OnNotify(HWND, const NMHDR& header, LONG_PTR& answer) override {
        if (header.idFrom != kTree) {
            return false;
        }
        selectionChanges += header.code == TVN_SELCHANGEDA || header.code == TVN_SELCHANGEDW;
        answer = 0;
        return header.code == TVN_SELCHANGEDA || header.code == TVN_SELCHANGEDW;
    }
    void OnEveryApply(HWND) override { ++everyApply; }
    bool OnControl(HWND page, int control, int notification) override {
        if (control != kMinutesEdit || notification != EN_CHANGE) {
            return false;
        }
        if (const auto value = ParseTypedNumber(EditText(page))) {
            copies_.working() = *value;
        }
        return true;
    }
    std::optional<PageProblem> Validate(HWND page) override {
        const std::string text = EditText(page);
        NumberField field{kMinutesEdit, text, 0, 59, kMinutesMessage};
        if (ownCaption) {
            field.notNumberMessage = kNotANumberMessage;
            field.caption = kOwnCaption;
        }
        return FirstBadField(std::span(&field, 1));
    }
    void Apply(HWND) override {
        copies_.Apply(live_, [this](int value) { saved.push_back(value); });
    }
    void Revert() override { copies_.Revert(live_); }
    bool Changed() const override { return copies_.changed(); }
    void MarkChanged() override { copies_.MarkChanged(); }

    std::atomic<HWND> window{nullptr};
    std::vector<int> saved;
    bool withTree = false;
    bool ownCaption = false;
    std::vector<HTREEITEM> items;
    std::atomic<int> selectionChanges{0};
    std::atomic<int> everyApply{0};

private:
    int& live_;
    PageCopies<int> copies_;
};

bool WaitFor(auto condition, DWORD timeoutMs = 5000) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() >= end) {
            return false;
        }
        Sleep(10);
    }
    return true;
}

// Runs the sheet here and `drive(sheet)` on a second thread; the sheet is cancelled afterwards
// should the drive have left it open, so a failing test does not hang.
template <typename Drive>
INT_PTR RunDriven(const SheetSetup& setup, MinutesPage& first, Drive drive) {
    std::thread driver([&] {
        if (WaitFor([&] {
                HWND page = first.window.load();
                return page != nullptr && IsWindowVisible(GetParent(page));
            })) {
            HWND sheet = GetParent(first.window.load());
            drive(sheet);
            if (IsWindow(sheet)) {
                PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
            }
        } else {
            ADD_FAILURE() << "the sheet did not appear";
        }
    });
    const INT_PTR result = RunSheet(setup);
    driver.join();
    return result;
}

// A message box of the thread: a dialog with the box's static text (id 0xFFFF) on show.
HWND FindMessageBox(DWORD thread) {
    HWND box = nullptr;
    EnumThreadWindows(
        thread,
        [](HWND w, LPARAM found) -> BOOL {
            char cls[16]{};
            GetClassNameA(w, cls, sizeof cls);
            if (std::strcmp(cls, "#32770") == 0 && GetDlgItem(w, 0xFFFF) != nullptr &&
                IsWindowVisible(w)) {
                *reinterpret_cast<HWND*>(found) = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&box));
    return box;
}

HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

struct TwoPageSheet {
    int liveFirst = 10;
    int liveSecond = 30;
    int activePage = -1;
    int cancels = 0;
    PageTemplate firstTemplate{L"First"};
    PageTemplate secondTemplate{L"Second"};
    MinutesPage first{liveFirst};
    MinutesPage second{liveSecond};
    SheetSetup setup;

    TwoPageSheet() {
        setup.caption = "Protocol";
        setup.pages = {{0, firstTemplate.get(), &first}, {0, secondTemplate.get(), &second}};
        setup.activePage = &activePage;
        setup.onCancel = [this](std::span<SheetPage* const> pages) {
            ++cancels;
            for (SheetPage* page : pages) {
                if (page->Changed()) {
                    page->Revert();
                }
            }
        };
    }
};

TEST(PageProtocolWin, FillingThePageDoesNotMarkItButTypingDoesAndApplyCommits) {
    TwoPageSheet sheet;
    RunDriven(sheet.setup, sheet.first, [&](HWND window) {
        EXPECT_FALSE(sheet.first.Changed()) << "showing the value is not a change";
        EXPECT_EQ(EditText(sheet.first.window), "10");
        SetDlgItemTextA(sheet.first.window, kMinutesEdit, "25");
        EXPECT_TRUE(sheet.first.Changed());
        EXPECT_EQ(sheet.liveFirst, 10) << "nothing is live before apply";
        SendMessageA(window, PSM_APPLY, 0, 0);
        EXPECT_EQ(sheet.liveFirst, 25);
        EXPECT_EQ(sheet.first.saved, std::vector<int>{25});
        EXPECT_FALSE(sheet.first.Changed());
    });
}

TEST(PageProtocolWin, ABadValueKeepsTheUserOnItsEditAndAppliesNothing) {
    TwoPageSheet sheet;
    const DWORD sheetThread = GetCurrentThreadId();
    RunDriven(sheet.setup, sheet.first, [&](HWND window) {
        HWND page = sheet.first.window;
        SetDlgItemTextA(page, kMinutesEdit, "6O");
        // Posted: the message box runs inside the apply.
        PostMessageA(window, PSM_APPLY, 0, 0);
        HWND box = nullptr;
        ASSERT_TRUE(WaitFor([&] {
            box = FindMessageBox(sheetThread);
            return box != nullptr;
        })) << "no message box";
        const e2e::MessageBoxInfo info = e2e::ReadMessageBox(box);
        EXPECT_EQ(info.caption, "Zentrava");
        EXPECT_EQ(info.text, kMinutesMessage);
        SendMessageA(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));

        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        ASSERT_TRUE(WaitFor([&] {
            return GetGUIThreadInfo(sheetThread, &gui) &&
                   gui.hwndFocus == GetDlgItem(page, kMinutesEdit);
        })) << "the focus is not on the bad edit";
        DWORD start = 99;
        DWORD end = 0;
        SendDlgItemMessageA(page, kMinutesEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                            reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, 2u) << "the whole bad value is selected";
        EXPECT_EQ(sheet.liveFirst, 10);
        EXPECT_TRUE(sheet.first.saved.empty());

        // Nor can the user leave for another page: the same message, and the page stays.
        PostMessageA(window, PSM_SETCURSEL, 1, 0);
        box = nullptr;
        ASSERT_TRUE(WaitFor([&] {
            box = FindMessageBox(sheetThread);
            return box != nullptr;
        }));
        EXPECT_EQ(e2e::ReadMessageBox(box).text, kMinutesMessage);
        SendMessageA(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
        EXPECT_EQ(CurrentPage(window), page);
        EXPECT_EQ(sheet.second.window.load(), nullptr) << "the second page was never shown";
        EXPECT_EQ(sheet.activePage, 0);
    });
    EXPECT_EQ(sheet.liveFirst, 10);
}

TEST(PageProtocolWin, CancelAfterApplyReturnsToThatApply) {
    TwoPageSheet sheet;
    RunDriven(sheet.setup, sheet.first, [&](HWND window) {
        SetDlgItemTextA(sheet.first.window, kMinutesEdit, "25");
        SendMessageA(window, PSM_APPLY, 0, 0);
        SetDlgItemTextA(sheet.first.window, kMinutesEdit, "40");
        SendMessageA(window, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        WaitFor([&] { return !IsWindow(window); });
    });
    EXPECT_EQ(sheet.cancels, 1);
    EXPECT_EQ(sheet.liveFirst, 25);
    EXPECT_EQ(sheet.first.saved, std::vector<int>{25});
}

TEST(PageProtocolWin, OkAppliesEveryChangedPageAndOnlyThose) {
    TwoPageSheet sheet;
    RunDriven(sheet.setup, sheet.first, [&](HWND window) {
        SendMessageA(window, PSM_SETCURSEL, 1, 0);
        ASSERT_TRUE(WaitFor([&] { return sheet.second.window.load() != nullptr; }));
        SetDlgItemTextA(sheet.second.window, kMinutesEdit, "45");
        SendMessageA(window, PSM_PRESSBUTTON, PSBTN_OK, 0);
        WaitFor([&] { return !IsWindow(window); });
    });
    EXPECT_EQ(sheet.cancels, 0);
    EXPECT_EQ(sheet.liveSecond, 45);
    EXPECT_EQ(sheet.second.saved, std::vector<int>{45});
    EXPECT_TRUE(sheet.first.saved.empty()) << "an untouched page writes nothing";
}

TEST(PageProtocolWin, TheShownPageIsRecordedFromTheStartPageOn) {
    TwoPageSheet sheet;
    sheet.setup.startPage = 1;
    RunDriven(sheet.setup, sheet.second, [&](HWND window) {
        EXPECT_EQ(sheet.activePage, 1);
        SendMessageA(window, PSM_SETCURSEL, 0, 0);
        EXPECT_EQ(sheet.activePage, 0);
    });
    EXPECT_EQ(sheet.cancels, 1);
}

TEST(PageProtocolWin, AControlsNotificationReachesThePageAndMarksItOnlyWhenTheUserActs) {
    TwoPageSheet sheet;
    sheet.first.withTree = true;
    RunDriven(sheet.setup, sheet.first, [&](HWND) {
        EXPECT_FALSE(sheet.first.Changed()) << "selecting while filling is not a change";
        HWND tree = GetDlgItem(sheet.first.window, kTree);
        const int before = sheet.first.selectionChanges;
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                     reinterpret_cast<LPARAM>(sheet.first.items.back()));
        EXPECT_EQ(sheet.first.selectionChanges, before + 1);
        EXPECT_TRUE(sheet.first.Changed());
    });
}

TEST(PageProtocolWin, TheEveryApplyHookRunsOnAnUnchangedPage) {
    TwoPageSheet sheet;
    RunDriven(sheet.setup, sheet.first, [&](HWND window) {
        SendMessageA(window, PSM_APPLY, 0, 0);
        EXPECT_EQ(sheet.first.everyApply, 1);
        EXPECT_TRUE(sheet.first.saved.empty()) << "an unchanged page still writes nothing";
    });
}

TEST(PageProtocolWin, APageProblemHasItsOwnCaptionAndTellsNotANumberFromOutOfRange) {
    TwoPageSheet sheet;
    sheet.first.ownCaption = true;
    const DWORD sheetThread = GetCurrentThreadId();
    RunDriven(sheet.setup, sheet.first, [&](HWND window) {
        for (const auto& [typed, message] :
             {std::pair{"ab", kNotANumberMessage}, std::pair{"60", kMinutesMessage}}) {
            SetDlgItemTextA(sheet.first.window, kMinutesEdit, typed);
            PostMessageA(window, PSM_APPLY, 0, 0);
            HWND box = nullptr;
            ASSERT_TRUE(WaitFor([&] {
                box = FindMessageBox(sheetThread);
                return box != nullptr;
            })) << typed;
            const e2e::MessageBoxInfo info = e2e::ReadMessageBox(box);
            EXPECT_EQ(info.caption, kOwnCaption) << typed;
            EXPECT_EQ(info.text, message) << typed;
            SendMessageA(box, WM_COMMAND, IDOK, 0);
            ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
        }
    });
    EXPECT_EQ(sheet.liveFirst, 10);
}

} // namespace
} // namespace zentrava
