// The program's resources as the program itself reads them: texts and menus through the A
// functions in code page 932, pictures at the sizes Windows asks for, the version block and the
// manifest. Both executables must carry the same resources, so every case runs on each.

#include "base/win_handles_win.h"
#include "e2e/e2e_support.h"
#include "resources/commands.h"
#include "resources/resource.h"
#include "zentrava_version.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zentrava {
namespace {

// The resource script names commands through resource.h, the dispatcher through commands.h;
// an item whose numbers differ would do something other than its label says.
struct CommandIdPair {
    int resource;
    Command command;
};
constexpr CommandIdPair kCommandIds[] = {
    {ID_CMD_ABOUT, kCmdAbout},
    {ID_CMD_EXIT, kCmdExit},
    {ID_CMD_RESET_PLACEMENT, kCmdResetPlacement},
    {ID_CMD_TOPMOST, kCmdTopmost},
    {ID_CMD_APPLY_TRANSPARENCY, kCmdApplyTransparency},
    {ID_CMD_TOGGLE_ALARMS, kCmdToggleAlarms},
    {ID_CMD_START_ALARM_SOUND, kCmdStartAlarmSound},
    {ID_CMD_STOP_ALARM, kCmdStopAlarm},
    {ID_CMD_DATE_TIME_SHEET, kCmdDateTimeSheet},
    {ID_CMD_ICONISE, kCmdIconise},
    {ID_CMD_SHOW_HIDE, kCmdShowHide},
    {ID_CMD_SOUND_TEST, kCmdSoundTest},
    {ID_CMD_SOUND_TEST_PAUSE, kCmdSoundTestPause},
    {ID_CMD_PLAY_AUDIO, kCmdPlayAudio},
    {ID_CMD_STOP_AUDIO, kCmdStopAudio},
    {ID_CMD_PAUSE_AUDIO, kCmdPauseAudio},
    {ID_CMD_GENERAL_SETTINGS, kCmdGeneralSettings},
    {ID_CMD_SETTINGS_SHEET, kCmdSettingsSheet},
    {ID_CMD_START_TIME_SIGNAL_SOUND, kCmdStartTimeSignalSound},
    {ID_CMD_STOP_TIME_SIGNAL_SOUND, kCmdStopTimeSignalSound},
    {ID_CMD_NOODLE_3, kCmdNoodle3},
    {ID_CMD_NOODLE_4, kCmdNoodle4},
    {ID_CMD_NOODLE_5, kCmdNoodle5},
    {ID_CMD_NOODLE_CANCEL, kCmdNoodleCancel},
    {ID_CMD_APPLY_LAYER, kCmdApplyLayer},
    {ID_CMD_APPLY_OPAQUE_LAYER, kCmdApplyOpaqueLayer},
    {ID_CMD_SEEK_DIALOG, kCmdSeekDialog},
    {ID_CMD_SEEK_AUDIO, kCmdSeekAudio},
    {ID_CMD_NOTIFY_ALARM, kCmdNotifyAlarm},
    {ID_CMD_VOLUME_DIALOG, kCmdVolumeDialog},
    {ID_CMD_QUICK_TIMER, kCmdQuickTimer},
    {ID_CMD_INTERVAL_ALARM, kCmdIntervalAlarm},
    {ID_CMD_CORNER_TOP_RIGHT, kCmdCornerTopRight},
    {ID_CMD_CORNER_BOTTOM_RIGHT, kCmdCornerBottomRight},
    {ID_CMD_CORNER_TOP_LEFT, kCmdCornerTopLeft},
    {ID_CMD_CORNER_BOTTOM_LEFT, kCmdCornerBottomLeft},
};
constexpr bool CommandIdsAgree() {
    for (const CommandIdPair& pair : kCommandIds) {
        if (pair.resource != pair.command) {
            return false;
        }
    }
    return true;
}
static_assert(CommandIdsAgree(), "resource.h and commands.h give a command different numbers");

// ---- Expected texts. The literals are UTF-8 here and CP932 in the program (-fexec-charset).

struct StringCase {
    int id;
    const char* text;
    int buffer; // characters of the buffer its reader loads it into; 0 when unbounded
};
constexpr StringCase kStrings[] = {
    {IDS_VERSION_LINE, "Zentrava(64ビット) Version %s (%s)", 128},
    {IDS_WEB_ADDRESS, "https://zentrava.example/", 128},
    {IDS_APP_NAME, "Zentrava", 0},
    {IDS_MAIL_ADDRESS, "support@zentrava.example", 128},
    {IDS_MENU_SHOW_CLOCK, "時計画面を表示(&S)", 64},
    {IDS_MENU_ICONISE_CLOCK, "時計画面をタスクトレイにアイコン化(&I)", 64},
    {IDS_GENERAL_SETTINGS_CAPTION, "Zentrava各種設定", 0},
    {IDS_TIP_DATE, "日付の表示を切換えます。", 160},
    {IDS_TIP_TIME, "時刻の表示を切換えます。", 160},
    {IDS_TIP_DIAL_NUMERALS, "時計盤の数字の表示を切換えます。", 160},
    {IDS_TIP_5MIN_MARKS, "５分毎の目盛の表示を切換えます。", 160},
    {IDS_TIP_1MIN_MARKS, "１分毎の目盛の表示を切換えます。", 160},
    {IDS_TIP_5MIN_MARKS_BOLD, "５分毎の目盛の表示を太くします。", 160},
    {IDS_TIP_SMOOTH_SECOND_HAND, "秒針をスムーズに表示します。", 160},
    {IDS_TIP_SECOND_HAND, "秒針の表示を切換えます。", 160},
    {IDS_TIP_FONT, "フォントの設定をします。", 160},
    {IDS_TIP_TOPMOST, "ウィンドウを最前面に設定します。", 160},
    {IDS_TIP_TRANSPARENT_FACE, "時計盤を透明に設定します。", 160},
    {IDS_TIP_PROXIMITY, "時計画面へマウスが近づいた時の動作の設定を有効化します。", 160},
    {IDS_TIP_OPACITY, "時計画面の不透明度を設定します。", 160},
    {IDS_TIP_CLICK_THROUGH, "マウスが時計画面を透過する設定をします。", 160},
    {IDS_TIP_FRAME_COLOUR, "時計の枠の色を設定します。", 160},
    {IDS_TIP_FACE_COLOUR, "時計盤の色を設定します。時計盤を透明にした場合は設定できません。", 160},
    {IDS_TIP_5MIN_MARK_COLOUR, "時計画面の５分毎の目盛の色を設定します。", 160},
    {IDS_TIP_1MIN_MARK_COLOUR, "時計画面の１分毎の目盛の色を設定します。", 160},
    {IDS_TIP_HOUR_HAND_COLOUR, "時計の時針の色を設定します。", 160},
    {IDS_TIP_MINUTE_HAND_COLOUR, "時計の分針の色を設定します。", 160},
    {IDS_TIP_SECOND_HAND_COLOUR, "時計の秒針の色を設定します。", 160},
    {IDS_TIP_RESET_PLACEMENT, "時計画面を初期位置に移動します。", 160},
    {IDS_TIP_TRAY_CLOCK, "タスクトレイのアイコン時計の表示を切換えます。", 160},
    {IDS_TIP_HAND_DESIGN, "時計の針のデザインを変更します。", 160},
    {IDS_TIP_FRAME_WIDTH, "時計の枠の幅を設定します。", 160},
    {IDS_TIP_1MIN_MARK_LENGTH, "1分毎の目盛の長さを設定します。", 160},
    {IDS_TIP_5MIN_MARK_LENGTH, "5分毎の目盛の長さを設定します。", 160},
    {IDS_TIP_DIAL_MODE, "12時間制、24時間制、12時間+24時間制の３つのモードを選択できます。", 160},
    {IDS_TIP_24H_MARKER_SIZE, "24時間を示す時刻マークのサイズを変更します。", 160},
    {IDS_TIP_24H_EVEN_MARK_LENGTH, "24時間制、偶数時間の目盛の長さを設定します。", 160},
    {IDS_TIP_24H_ODD_MARK_LENGTH, "24時間制、奇数時間の目盛の長さを設定します。", 160},
    {IDS_TIP_24H_MARKS_BOLD, "２４時間毎の目盛の表示を太くします。", 160},
    {IDS_TIP_24H_MARKER_COLOUR, "24時間マーク表示の色を設定します。", 160},
    {IDS_TIP_24H_MARKER_FRAME_COLOUR, "24時間マーク表示の枠の色を設定します。", 160},
    {IDS_TIP_24H_MARKER_POSITION, "24時間マーク表示の位置を設定します。", 160},
    {IDS_TIP_24H_ZERO_POSITION, "24時の上下位置を切換えます。", 160},
    {IDS_TIP_COLON_ADJUST, "時刻のコロンを上下方向に微調整します。", 160},
    {IDS_VOLUME_AUDIO, "オーディオ音量の調整 ： %d", 0},
    {IDS_VOLUME_ALARM, "アラーム音量、アラームテスト音量の調整 ： %d", 0},
    {IDS_VOLUME_TIME_SIGNAL, "時報音量の調整 ： %d", 0},
    {IDS_TIP_JST, "JSTの表示を切り替えます。", 160},
    {IDS_TIP_TEXT_COLOURS, "各種文字色の設定をします。", 160},
    {IDS_TIP_ALWAYS_TOPMOST, "常にウィンドウを最前面に設定します。", 160},
    {IDS_TIP_MARK_DESIGN, "目盛のデザインを変更します。", 160},
    {IDS_TIP_ROUND_MARK_POSITION, "丸目盛りの位置を変更します。", 160},
    {IDS_TIP_FONT_SIZES, "各種フォントサイズの設定をします。", 160},
    {IDS_TIP_AUTO_FONT_SIZE, "自動フォントサイズを設定します。", 160},
    {IDS_NOTICE_YEARS, "Copyright (C) 2026", 128},
    {IDS_NOTICE_MAKER, "Zentrava開発チーム", 128},
    {IDS_NOTICE_RIGHTS, "無断での複製・転載・再配布を禁じます。", 128},
    {IDS_SETTINGS_SHEET_CAPTION, "アラーム、時報、オーディオ、時間帯、その他の設定", 64},
    {IDS_TIP_HAND_FRAME, "各種針の枠を黒で描画します。", 160},
    {IDS_TIP_PROXIMITY_HIDE, "マウスが近付くと時計画面を隠します。", 160},
    {IDS_TIP_PROXIMITY_SHOW, "マウスが近付くと時計画面を表示します。", 160},
    {IDS_TIP_CTRL_CANCELS_LAYER, "コントロールキー押下時に透明化を一時キャンセルします。", 160},
    {IDS_TIP_SHORTCUT_DESKTOP, "デスクトップにショートカットを作成します。", 160},
    {IDS_TIP_SHORTCUT_STARTUP, "スタートアップにショートカットを作成します。", 160},
    {IDS_TIP_SHORTCUT_ALL_DESKTOP,
     "すべてのユーザー向けにデスクトップにショートカットを作成します。\r\n("
     "作成に管理者実行が必要です)",
     160},
    {IDS_TIP_SHORTCUT_ALL_STARTUP,
     "すべてのユーザー向けにスタートアップにショートカットを作成します。\r\n("
     "作成に管理者実行が必要です)",
     160},
};

// A menu as rows: the depth, then the command id, or a separator, or a submenu and its label.
constexpr int kSeparator = 0;
constexpr int kSubmenu = -1;
constexpr int kShowOrIconise = -2; // the one item in which the two menus differ
struct MenuRow {
    int depth;
    int id;
    const char* label;
};
constexpr MenuRow kClockMenu[] = {
    {0, ID_CMD_ABOUT, "バージョン情報(&A)"},
    {0, ID_CMD_EXIT, "アプリの終了(&X)"},
    {0, kSeparator, ""},
    {0, ID_CMD_TOGGLE_ALARMS, "アラームオン(&O)"},
    {0, ID_CMD_STOP_ALARM, "アラーム音の停止(&D)"},
    {0, kSeparator, ""},
    {0, ID_CMD_DATE_TIME_SHEET, "日付と時刻の設定(&K)"},
    {0, kShowOrIconise, ""},
    {0, kSeparator, ""},
    {0, ID_CMD_PLAY_AUDIO, "曲の再生(&P)"},
    {0, ID_CMD_STOP_AUDIO, "曲の停止(&T)"},
    {0, ID_CMD_PAUSE_AUDIO, "曲の一時停止(&U)"},
    {0, kSeparator, ""},
    {0, ID_CMD_GENERAL_SETTINGS, "各種設定(&C)"},
    {0, ID_CMD_SETTINGS_SHEET, "アラーム、時報、オーディオ、時間帯の設定(&F)"},
    {0, kSeparator, ""},
    {0, kSubmenu, "ラーメンタイマー(&R)"},
    {1, ID_CMD_NOODLE_3, "３分タイマー(&U)"},
    {1, ID_CMD_NOODLE_4, "４分タイマー(&V)"},
    {1, ID_CMD_NOODLE_5, "５分タイマー(&W)"},
    {1, kSeparator, ""},
    {1, ID_CMD_NOODLE_CANCEL, "タイマーキャンセル(&C)"},
    {0, ID_CMD_SEEK_DIALOG, "現在の再生位置を変更(&W)"},
    {0, ID_CMD_VOLUME_DIALOG, "各種サウンドの音量調整(&Y)"},
    {0, kSeparator, ""},
    {0, ID_CMD_QUICK_TIMER, "クイックタイマー(&Q)"},
    {0, ID_CMD_INTERVAL_ALARM, "インターバルアラームオン(&J)"},
    {0, kSeparator, ""},
    {0, kSubmenu, "時計画面を画面の隅へ移動(&M)"},
    {1, ID_CMD_CORNER_TOP_RIGHT, "右上隅(&A)"},
    {1, ID_CMD_CORNER_BOTTOM_RIGHT, "右下隅(&B)"},
    {1, ID_CMD_CORNER_TOP_LEFT, "左上隅(&C)"},
    {1, ID_CMD_CORNER_BOTTOM_LEFT, "左下隅(&D)"},
};

struct MenuCase {
    const char* name;
    int menu;
    int showOrIconise; // the command of the differing item
    const char* label; // its text when the menu opens
    int absent;        // the command the other menu has instead
};
constexpr MenuCase kMenus[] = {
    {"ClockFace", IDR_MENU_CONTEXT, ID_CMD_ICONISE, "時計画面をタスクトレイにアイコン化(&I)",
     ID_CMD_SHOW_HIDE},
    {"Tray", IDR_MENU_TRAY, ID_CMD_SHOW_HIDE, "時計画面を表示(&S)", ID_CMD_ICONISE},
};

// ---- Helpers

using e2e::ProgramPath;

struct IconTraits {
    using Handle = HICON; // cursors too: DestroyIcon frees what LoadImage made of either
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { DestroyIcon(h); }
};
using UniqueIcon = UniqueWinHandle<IconTraits>;

std::string_view ResourceBytes(HMODULE module, int id, LPCSTR type) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (found == nullptr) {
        return {};
    }
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    return data == nullptr
               ? std::string_view()
               : std::string_view(static_cast<const char*>(data), SizeofResource(module, found));
}

std::string LoadText(HMODULE module, int id) {
    char buffer[1024] = {};
    const int length = LoadStringA(module, static_cast<UINT>(id), buffer, sizeof buffer);
    return std::string(buffer, static_cast<std::size_t>(length));
}

std::string MenuText(HMENU menu, UINT item, UINT flags) {
    char buffer[256] = {};
    const int length = GetMenuStringA(menu, item, buffer, sizeof buffer, flags);
    return std::string(buffer, static_cast<std::size_t>(std::max(length, 0)));
}

struct ActualRow {
    int depth;
    int id;
    std::string label;
    bool operator==(const ActualRow&) const = default;
};

void PrintTo(const ActualRow& row, std::ostream* out) {
    *out << "{" << row.depth << ", " << row.id << ", \"" << row.label << "\"}";
}

void ReadMenu(HMENU menu, int depth, std::vector<ActualRow>& rows) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) {
            rows.push_back({depth, 0, "<unreadable>"});
            continue;
        }
        if ((info.fType & MFT_SEPARATOR) != 0) {
            rows.push_back({depth, kSeparator, ""});
        } else if (info.hSubMenu != nullptr) {
            rows.push_back({depth, kSubmenu, text});
            ReadMenu(info.hSubMenu, depth + 1, rows);
        } else {
            rows.push_back({depth, static_cast<int>(info.wID), text});
        }
    }
}

std::vector<ActualRow> ExpectedMenu(const MenuCase& menu) {
    std::vector<ActualRow> rows;
    for (const MenuRow& row : kClockMenu) {
        if (row.id == kShowOrIconise) {
            rows.push_back({row.depth, menu.showOrIconise, menu.label});
        } else {
            rows.push_back({row.depth, row.id, row.label});
        }
    }
    return rows;
}

// The letter after "(&" of a label. CP932 trail bytes never take the values of '(' and '&'.
char AccessKey(const std::string& label) {
    const std::size_t at = label.find("(&");
    return at == std::string::npos || at + 2 >= label.size() ? '\0' : label[at + 2];
}

// Sizes listed in a group directory (RT_GROUP_ICON or RT_GROUP_CURSOR).
std::set<int> GroupSizes(std::string_view group, bool cursor) {
    std::set<int> sizes;
    if (group.size() < 6) {
        return sizes;
    }
    WORD count = 0;
    std::memcpy(&count, group.data() + 4, sizeof count);
    for (WORD i = 0; i < count && 6 + (i + 1) * 14u <= group.size(); ++i) {
        const char* entry = group.data() + 6 + i * 14;
        if (cursor) {
            WORD width = 0;
            std::memcpy(&width, entry, sizeof width);
            sizes.insert(width);
        } else {
            const auto width = static_cast<unsigned char>(entry[0]);
            sizes.insert(width == 0 ? 256 : width);
        }
    }
    return sizes;
}

struct IconPicture {
    bool loaded = false;
    bool isIcon = false;
    int width = 0;
    int height = 0;
    POINT hotspot{};
};

IconPicture LoadIconPicture(HMODULE module, int id, UINT type, int size) {
    IconPicture picture;
    UniqueIcon icon(static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(id), type, size, size,
                                                  size == 0 ? LR_DEFAULTSIZE : 0)));
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon.get(), &info)) {
        return picture;
    }
    UniqueBitmap colour(info.hbmColor);
    UniqueBitmap mask(info.hbmMask);
    BITMAP bitmap{};
    GetObjectA(colour ? colour.get() : mask.get(), sizeof bitmap, &bitmap);
    picture.loaded = true;
    picture.isIcon = info.fIcon != FALSE;
    picture.width = bitmap.bmWidth;
    picture.height = colour ? bitmap.bmHeight : bitmap.bmHeight / 2;
    picture.hotspot = {static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
    return picture;
}

// The 32-bit image of one size in an icon group, as stored.
std::string_view IconImage(HMODULE module, int group, int size) {
    const std::string_view directory = ResourceBytes(module, group, RT_GROUP_ICON);
    if (directory.empty()) {
        return {};
    }
    const int image = LookupIconIdFromDirectoryEx(
        reinterpret_cast<PBYTE>(const_cast<char*>(directory.data())), TRUE, size, size, 0);
    return image == 0 ? std::string_view() : ResourceBytes(module, image, RT_ICON);
}

// Alpha of pixel (x, y) of a bottom-up 32-bit icon image of the given size.
int Alpha(std::string_view image, int size, int x, int y) {
    const std::size_t at = 40 + (static_cast<std::size_t>(size - 1 - y) * size + x) * 4 + 3;
    return at < image.size() ? static_cast<unsigned char>(image[at]) : -1;
}

// ---- Cases: each runs on the shipped program and on the test build.

class Resources : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        path_ = ProgramPath(GetParam());
        module_.reset(LoadLibraryExA(path_.c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        ASSERT_TRUE(module_) << path_ << ": error " << GetLastError();
    }
    HMODULE module() const { return module_.get(); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    UniqueLibrary module_;
};

TEST_P(Resources, EveryTextReadsBackInShiftJis) {
    for (const StringCase& c : kStrings) {
        EXPECT_EQ(LoadText(module(), c.id), c.text) << "string " << c.id;
    }
}

// Spelled out byte by byte, so that a conversion fault shared by the resource compiler and the
// test's own literals cannot hide.
TEST_P(Resources, TextsAreTheExactShiftJisBytes) {
    EXPECT_EQ(LoadText(module(), IDS_MENU_SHOW_CLOCK),
              "\x8E\x9E\x8C\x76\x89\xE6\x96\xCA\x82\xF0\x95\x5C\x8E\xA6\x28\x26\x53\x29");
    EXPECT_EQ(LoadText(module(), IDS_VOLUME_TIME_SIGNAL),
              "\x8E\x9E\x95\xF1\x89\xB9\x97\xCA\x82\xCC\x92\xB2\x90\xAE\x20\x81\x46\x20\x25\x64");
    UniqueMenu menu(LoadMenuA(module(), MAKEINTRESOURCEA(IDR_MENU_TRAY)));
    ASSERT_TRUE(menu);
    EXPECT_EQ(MenuText(menu.get(), ID_CMD_ABOUT, MF_BYCOMMAND),
              "\x83\x6F\x81\x5B\x83\x57\x83\x87\x83\x93\x8F\xEE\x95\xF1\x28\x26\x41\x29");
}

TEST_P(Resources, NoTextIsCutByTheBufferItIsReadInto) {
    for (const StringCase& c : kStrings) {
        if (c.buffer > 0) {
            EXPECT_LT(LoadText(module(), c.id).size(), static_cast<std::size_t>(c.buffer))
                << "string " << c.id;
        }
    }
}

TEST_P(Resources, NoTextBeyondTheListedOnes) {
    std::set<int> listed;
    for (const StringCase& c : kStrings) {
        listed.insert(c.id);
    }
    for (int id = 0; id < 1024; ++id) {
        if (listed.count(id) == 0) {
            EXPECT_EQ(LoadText(module(), id), "") << "string " << id;
        }
    }
}

TEST_P(Resources, MenusShowTheirItemsInOrder) {
    for (const MenuCase& m : kMenus) {
        UniqueMenu menu(LoadMenuA(module(), MAKEINTRESOURCEA(m.menu)));
        ASSERT_TRUE(menu) << m.name;
        // The program pops up the first submenu; anything beside it would never be seen.
        ASSERT_EQ(GetMenuItemCount(menu.get()), 1) << m.name;
        HMENU popup = GetSubMenu(menu.get(), 0);
        ASSERT_NE(popup, nullptr) << m.name;
        std::vector<ActualRow> rows;
        ReadMenu(popup, 0, rows);
        EXPECT_EQ(rows, ExpectedMenu(m)) << m.name;
    }
}

// The program checks, grays and relabels items by command, wherever they sit.
TEST_P(Resources, EveryMenuCommandIsFoundByItsId) {
    for (const MenuCase& m : kMenus) {
        UniqueMenu menu(LoadMenuA(module(), MAKEINTRESOURCEA(m.menu)));
        ASSERT_TRUE(menu) << m.name;
        std::vector<ActualRow> rows;
        ReadMenu(menu.get(), 0, rows);
        std::map<int, int> uses;
        for (const ActualRow& row : rows) {
            if (row.id > 0) {
                ++uses[row.id];
            }
        }
        for (const ActualRow& row : ExpectedMenu(m)) {
            if (row.id > 0) {
                EXPECT_EQ(MenuText(menu.get(), static_cast<UINT>(row.id), MF_BYCOMMAND), row.label)
                    << m.name << " " << row.id;
                EXPECT_EQ(uses[row.id], 1) << m.name << " " << row.id;
            }
        }
        EXPECT_EQ(MenuText(menu.get(), static_cast<UINT>(m.absent), MF_BYCOMMAND), "")
            << m.name << " " << m.absent;
    }
}

// The tray item is relabelled with strings 5 and 6 when the clock is hidden or shown; its
// starting text must already be the right one of the two.
TEST_P(Resources, ShowHideItemStartsWithTheTextTheProgramSwapsIn) {
    UniqueMenu tray(LoadMenuA(module(), MAKEINTRESOURCEA(IDR_MENU_TRAY)));
    UniqueMenu face(LoadMenuA(module(), MAKEINTRESOURCEA(IDR_MENU_CONTEXT)));
    ASSERT_TRUE(tray);
    ASSERT_TRUE(face);
    EXPECT_EQ(MenuText(tray.get(), ID_CMD_SHOW_HIDE, MF_BYCOMMAND),
              LoadText(module(), IDS_MENU_SHOW_CLOCK));
    EXPECT_EQ(MenuText(face.get(), ID_CMD_ICONISE, MF_BYCOMMAND),
              LoadText(module(), IDS_MENU_ICONISE_CLOCK));
}

void ExpectDistinctAccessKeys(HMENU menu, const std::string& where,
                              const std::string& extraLabel = "") {
    std::map<char, std::string> seen;
    std::vector<std::string> labels;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        labels.push_back(MenuText(menu, static_cast<UINT>(i), MF_BYPOSITION));
        if (HMENU sub = GetSubMenu(menu, i); sub != nullptr) {
            ExpectDistinctAccessKeys(sub, where + " > " + labels.back());
        }
    }
    if (!extraLabel.empty()) {
        labels.push_back(extraLabel);
    }
    for (const std::string& label : labels) {
        const char key = AccessKey(label);
        if (key == '\0') {
            continue;
        }
        const auto [it, fresh] = seen.emplace(key, label);
        EXPECT_TRUE(fresh) << where << ": &" << key << " on \"" << it->second << "\" and \""
                           << label << "\"";
    }
}

TEST_P(Resources, AccessKeysAreDistinctOnEachMenuLevel) {
    UniqueMenu face(LoadMenuA(module(), MAKEINTRESOURCEA(IDR_MENU_CONTEXT)));
    UniqueMenu tray(LoadMenuA(module(), MAKEINTRESOURCEA(IDR_MENU_TRAY)));
    UniqueMenu edit(LoadMenuA(module(), MAKEINTRESOURCEA(IDR_MENU_EDIT_COPY)));
    ASSERT_TRUE(face);
    ASSERT_TRUE(tray);
    ASSERT_TRUE(edit);
    ExpectDistinctAccessKeys(GetSubMenu(face.get(), 0), "clock face menu");
    ExpectDistinctAccessKeys(GetSubMenu(tray.get(), 0), "tray menu");
    // Once the clock is shown the tray item reads string 6 instead, with its own key.
    ExpectDistinctAccessKeys(GetSubMenu(tray.get(), 0), "tray menu, clock shown",
                             LoadText(module(), IDS_MENU_ICONISE_CLOCK));
    ExpectDistinctAccessKeys(GetSubMenu(edit.get(), 0), "edit menu");
}

TEST_P(Resources, TimeEntryEditsOfferCopy) {
    UniqueMenu menu(LoadMenuA(module(), MAKEINTRESOURCEA(IDR_MENU_EDIT_COPY)));
    ASSERT_TRUE(menu);
    std::vector<ActualRow> rows;
    ReadMenu(menu.get(), 0, rows);
    const std::vector<ActualRow> expected = {{0, kSubmenu, "EDIT_CTRL_POPUP"},
                                             {1, ID_CMD_EDIT_COPY, "コピー(&C)"}};
    EXPECT_EQ(rows, expected);
}

TEST_P(Resources, IconsComeInEverySizeTheShellAsksFor) {
    for (const int id : {IDI_APP, IDI_APP_VENDOR}) {
        EXPECT_EQ(GroupSizes(ResourceBytes(module(), id, RT_GROUP_ICON), false),
                  (std::set<int>{16, 32, 48}))
            << "icon " << id;
        for (const int size : {16, 32, 48}) {
            const IconPicture picture = LoadIconPicture(module(), id, IMAGE_ICON, size);
            EXPECT_TRUE(picture.loaded) << "icon " << id << " at " << size;
            EXPECT_TRUE(picture.isIcon) << "icon " << id << " at " << size;
            EXPECT_EQ(picture.width, size) << "icon " << id;
            EXPECT_EQ(picture.height, size) << "icon " << id;
        }
    }
}

TEST_P(Resources, IconsAreRoundOnAClearGround) {
    for (const int id : {IDI_APP, IDI_APP_VENDOR}) {
        for (const int size : {16, 32, 48}) {
            const std::string_view image = IconImage(module(), id, size);
            ASSERT_FALSE(image.empty()) << "icon " << id << " at " << size;
            EXPECT_EQ(Alpha(image, size, 0, 0), 0) << "icon " << id << " at " << size;
            EXPECT_EQ(Alpha(image, size, size - 1, size - 1), 0) << "icon " << id;
            EXPECT_EQ(Alpha(image, size, size / 2, size / 4), 255) << "icon " << id;
        }
    }
}

TEST_P(Resources, VendorIconIsToldApartFromTheStandardOne) {
    for (const int size : {16, 32, 48}) {
        const std::string_view standard = IconImage(module(), IDI_APP, size);
        const std::string_view vendor = IconImage(module(), IDI_APP_VENDOR, size);
        ASSERT_FALSE(standard.empty());
        EXPECT_NE(standard, vendor) << "at " << size;
    }
}

TEST_P(Resources, DragCursorPointsWithItsArrowTip) {
    EXPECT_EQ(GroupSizes(ResourceBytes(module(), IDCUR_FACE, RT_GROUP_CURSOR), true),
              (std::set<int>{32, 48}));
    const IconPicture standard = LoadIconPicture(module(), IDCUR_FACE, IMAGE_CURSOR, 0);
    ASSERT_TRUE(standard.loaded);
    EXPECT_FALSE(standard.isIcon);
    EXPECT_EQ(standard.width, GetSystemMetrics(SM_CXCURSOR));
    for (const int size : {32, 48}) {
        const IconPicture cursor = LoadIconPicture(module(), IDCUR_FACE, IMAGE_CURSOR, size);
        ASSERT_TRUE(cursor.loaded) << size;
        EXPECT_EQ(cursor.width, size);
        EXPECT_EQ(cursor.hotspot.x, 1) << size;
        EXPECT_EQ(cursor.hotspot.y, 1) << size;
    }
}

TEST_P(Resources, MenuBitmapsComeInASmallAndALargeSet) {
    struct Set {
        int first;
        int size;
    };
    for (const Set set : {Set{IDB_MENU_SMALL_PLAY, 13}, Set{IDB_MENU_LARGE_PLAY, 20}}) {
        std::set<std::string_view> pictures;
        for (int id = set.first; id < set.first + IDB_MENU_SET_SIZE; ++id) {
            UniqueBitmap bitmap(static_cast<HBITMAP>(
                LoadImageA(module(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0)));
            ASSERT_TRUE(bitmap) << "bitmap " << id;
            BITMAP info{};
            ASSERT_NE(GetObjectA(bitmap.get(), sizeof info, &info), 0);
            EXPECT_EQ(info.bmWidth, set.size) << "bitmap " << id;
            EXPECT_EQ(info.bmHeight, set.size) << "bitmap " << id;
            pictures.insert(ResourceBytes(module(), id, RT_BITMAP));
        }
        // Play, pause, paused and stop must each look different, paused above all.
        EXPECT_EQ(pictures.size(), static_cast<std::size_t>(IDB_MENU_SET_SIZE)) << set.first;
    }
}

TEST_P(Resources, VersionBlockGivesTheFileVersionInJapanese) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path().c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path().c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof *fixed);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    // The numbers of project(VERSION), not ones kept by hand in the resource script.
    EXPECT_EQ(fixed->dwFileVersionMS, DWORD{ZENTRAVA_VERSION_MAJOR} << 16 | ZENTRAVA_VERSION_MINOR);
    EXPECT_EQ(fixed->dwFileVersionLS, DWORD{ZENTRAVA_VERSION_PATCH} << 16 | ZENTRAVA_VERSION_TWEAK);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 932);

    const struct {
        const char* key;
        const char* value;
    } values[] = {{"ProductName", "Zentrava"},
                  {"FileVersion", ZENTRAVA_VERSION_TEXT},
                  {"ProductVersion", ZENTRAVA_VERSION_TEXT}};
    for (const auto& v : values) {
        const std::string key = std::string("\\StringFileInfo\\041103a4\\") + v.key;
        char* text = nullptr;
        ASSERT_TRUE(
            VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&text), &length))
            << v.key;
        EXPECT_STREQ(text, v.value) << v.key;
    }
}

TEST_P(Resources, ManifestAsksForThemedControlsAndPerMonitorDpi) {
    const std::string_view manifest = ResourceBytes(module(), 1, RT_MANIFEST);
    ASSERT_FALSE(manifest.empty());
    for (const char* part :
         {"name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\"", "PerMonitorV2",
          "true/pm", "level=\"asInvoker\"", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
        EXPECT_NE(manifest.find(part), std::string_view::npos) << part;
    }
}

// A manifest the loader rejects stops the program from starting at all, and a setting in the
// wrong namespace is silently ignored: ask the loader itself.
TEST_P(Resources, LoaderAcceptsTheManifestAndReadsItsDpiSetting) {
    ACTCTXA request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path().c_str();
    request.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE context = CreateActCtxA(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << "error " << GetLastError();

    // Each setting is read from the namespace it belongs to; a wrong one reads as missing.
    const struct {
        const wchar_t* xmlNamespace;
        const wchar_t* name;
        std::wstring_view value;
    } settings[] = {
        {L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness",
         L"PerMonitorV2, PerMonitor"},
        {nullptr, L"dpiAware", L"true/pm"}, // no namespace: the 2005 one
    };
    for (const auto& setting : settings) {
        WCHAR value[64] = {};
        SIZE_T written = 0;
        EXPECT_TRUE(QueryActCtxSettingsW(0, context, setting.xmlNamespace, setting.name, value,
                                         sizeof value / sizeof value[0], &written))
            << setting.name << ": error " << GetLastError();
        EXPECT_TRUE(std::wstring_view(value) == setting.value) << setting.name;
    }
    ReleaseActCtx(context);
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, Resources,
                         ::testing::Values("Zentrava.exe", "Zentrava_test.exe"),
                         [](const ::testing::TestParamInfo<const char*>& param) {
                             return std::string(param.param) == "Zentrava.exe" ? "Shipped"
                                                                               : "TestBuild";
                         });

} // namespace
} // namespace zentrava
