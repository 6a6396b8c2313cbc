#include "app/general_settings_win.h"

#include "app/app_win.h"
#include "app/general_settings.h"
#include "app/main_window_win.h"
#include "app/shortcuts_win.h"
#include "app/tray_win.h"
#include "app/window_behaviour_win.h"
#include "base/app_context_win.h"
#include "base/event_log_win.h"
#include "dialogs/pickers_win.h"
#include "face/drawing_objects_win.h"
#include "face/text_dialogs_win.h"
#include "resources/commands.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace zentrava {

namespace {

constexpr const char* kNoTooltip = "ツールチップヘルプが割り当てられていません。";
constexpr const char* kOpacityLabel = "不透明度は%d%%です。";

// The dialog's own state; window thread only. `open` lets the test build reach the dialog.
struct GeneralDialog {
    HWND dialog = nullptr;
    HWND main = nullptr;
    HWND tooltip = nullptr;
    GeneralSnapshot opened;
    // Set by OK and Cancel: notifications that arrive while the dialog closes change nothing.
    bool closing = false;
    // The tip handed to the tooltip: its own 80-byte field is too small for the longer texts.
    std::array<char, kTooltipChars + 1> tip{};
};

GeneralDialog* g_open = nullptr;

using IntField = int& (*)(App&);

struct Box {
    int control;
    IntField field;
};

// Check boxes that store 1 or 0; those with more to do are handled after storing.
constexpr std::array<Box, 22> kBoxes{{
    {IDC_GS_DATE, [](App& a) -> int& { return a.appearance.clock.DigitalDateMode; }},
    {IDC_GS_TIME, [](App& a) -> int& { return a.appearance.clock.DigitalTimeMode; }},
    {IDC_GS_DIAL_NUMERALS,
     [](App& a) -> int& { return a.appearance.clock.ClockMeasureStringOnOff; }},
    {IDC_GS_JST, [](App& a) -> int& { return a.appearance.clock.JSTStringOnOff; }},
    {IDC_GS_5MIN_MARKS,
     [](App& a) -> int& { return a.appearance.clock.ClockMeasureLongLineOnOff; }},
    {IDC_GS_1MIN_MARKS,
     [](App& a) -> int& { return a.appearance.clock.ClockMeasureShortLineOnOff; }},
    {IDC_GS_5MIN_MARKS_BOLD,
     [](App& a) -> int& { return a.appearance.clock.ClockMeasureLongLineThick; }},
    {IDC_GS_24H_MARKS_BOLD,
     [](App& a) -> int& { return a.appearance.clock.ClockMeasure24HLongLineThick; }},
    {IDC_GS_SMOOTH_SECOND_HAND, [](App& a) -> int& { return a.appearance.clock.SecondHandSmooth; }},
    {IDC_GS_SECOND_HAND, [](App& a) -> int& { return a.appearance.clock.SecondHandDispOnOff; }},
    {IDC_GS_AUTO_FONT_SIZE, [](App& a) -> int& { return a.appearance.font.AutoFontSize; }},
    {IDC_GS_TOPMOST, [](App& a) -> int& { return a.behaviour.WindowTopMost; }},
    {IDC_GS_ALWAYS_TOPMOST, [](App& a) -> int& { return a.behaviour.WindowTopMostAlways; }},
    {IDC_GS_TRANSPARENT_FACE, [](App& a) -> int& { return a.behaviour.WindowLayer; }},
    {IDC_GS_PROXIMITY, [](App& a) -> int& { return a.behaviour.WindowHideSetting; }},
    {IDC_GS_CTRL_CANCELS_LAYER,
     [](App& a) -> int& { return a.behaviour.WindowCtrlKeyDownLayeredCancelSetting; }},
    {IDC_GS_CLICK_THROUGH, [](App& a) -> int& { return a.behaviour.WindowMouseLayer; }},
    {IDC_GS_24H_ZERO_POSITION, [](App& a) -> int& { return a.appearance.clock.Clock0HourPos; }},
    {IDC_GS_HAND_FRAME, [](App& a) -> int& { return a.appearance.colors.DrawHandFrame; }},
    {IDC_GS_TRAY_CLOCK, [](App& a) -> int& { return a.appearance.clock.TaskTrayIconClock; }},
    {IDC_GS_PROXIMITY_HIDE, nullptr}, // the radios store WindowShowHideSetting themselves
    {IDC_GS_PROXIMITY_SHOW, nullptr},
}};

struct Combo {
    int control;
    IntField field;
    std::array<const char*, 4> items; // in index order; unused places stay null
};

const std::array<Combo, 5>& Combos() {
    static const std::array<Combo, 5> combos{{
        {IDC_GS_DATE_FORMAT,
         [](App& a) -> int& { return a.appearance.clock.DigitalDateFormatMode; },
         {"年/月/日 曜", "月/日 曜", "月/日"}},
        {IDC_GS_TIME_FORMAT,
         [](App& a) -> int& { return a.appearance.clock.DigitalTimeFormatMode; },
         {"24時間表示", "AM/PM 12時間表示", "A/P 12時間表示", "午前/午後 12時間表示"}},
        {IDC_GS_DIAL_MODE,
         [](App& a) -> int& { return a.appearance.clock.TwelveH_24H_Setting; },
         {"12時間制", "24時間制", "12時間制+24時間制"}},
        {IDC_GS_HAND_DESIGN,
         [](App& a) -> int& { return a.appearance.clock.ClockHandDesign; },
         {"デフォルトの針の設定", "針の設定その1", "針の設定その2"}},
        {IDC_GS_MARK_DESIGN,
         [](App& a) -> int& { return a.appearance.clock.ClockMinuteGraduationDesign; },
         {"線目盛の設定", "丸目盛の設定"}},
    }};
    return combos;
}

struct ColourButton {
    int control;
    IntField field;
};

constexpr std::array<ColourButton, 9> kColourButtons{{
    {IDC_GS_FRAME_COLOUR, [](App& a) -> int& { return a.appearance.colors.BackGroundColor; }},
    {IDC_GS_FACE_COLOUR, [](App& a) -> int& { return a.appearance.colors.ClockFaceColor; }},
    {IDC_GS_5MIN_MARK_COLOUR, [](App& a) -> int& { return a.appearance.colors.FiveMinMesColor; }},
    {IDC_GS_1MIN_MARK_COLOUR, [](App& a) -> int& { return a.appearance.colors.OneMinMesColor; }},
    {IDC_GS_HOUR_HAND_COLOUR, [](App& a) -> int& { return a.appearance.colors.HourHandColor; }},
    {IDC_GS_MINUTE_HAND_COLOUR, [](App& a) -> int& { return a.appearance.colors.MinuteHandColor; }},
    {IDC_GS_SECOND_HAND_COLOUR, [](App& a) -> int& { return a.appearance.colors.SecondHandColor; }},
    {IDC_GS_24H_HAND_COLOUR,
     [](App& a) -> int& { return a.appearance.colors.TwentyFourHourHandColor; }},
    {IDC_GS_24H_HAND_FRAME_COLOUR,
     [](App& a) -> int& { return a.appearance.colors.TwentyFourHourHandPenColor; }},
}};

constexpr std::array<ShortcutPlace, kShortcutPlaces> kShortcutOrder{
    ShortcutPlace::Desktop, ShortcutPlace::Startup, ShortcutPlace::AllUsersDesktop,
    ShortcutPlace::AllUsersStartup};

GeneralSnapshot TakeSnapshot() {
    const App& app = TheApp();
    return {app.appearance, app.behaviour};
}

bool Checked(HWND dialog, int control) {
    return IsDlgButtonChecked(dialog, control) == BST_CHECKED;
}

void Enable(HWND dialog, int control, bool on) {
    EnableWindow(GetDlgItem(dialog, control), on ? TRUE : FALSE);
}

void ShowNumber(HWND dialog, int control, int value) {
    SetDlgItemTextA(dialog, control, std::to_string(value).c_str());
}

void ShowOpacity(HWND dialog, int percent) {
    char label[64];
    std::snprintf(label, sizeof label, kOpacityLabel, percent);
    SetDlgItemTextA(dialog, IDC_GS_OPACITY_LABEL, label);
}

void SetExTransparent(HWND main, bool on) {
    const LONG_PTR style = GetWindowLongPtrA(main, GWL_EXSTYLE);
    SetWindowLongPtrA(main, GWL_EXSTYLE,
                      on ? style | WS_EX_TRANSPARENT
                         : style & ~static_cast<LONG_PTR>(WS_EX_TRANSPARENT));
}

// The face laid out again at the size it has, as a resize would.
void Relayout(HWND main) {
    RECT client{};
    GetClientRect(main, &client);
    SendMessageA(main, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

// The proximity behaviour as WindowHideSetting now says: on, it starts over and watches every
// 10 ms; off, a clock it had hidden comes back.
void ApplyProximity(HWND main) {
    StartProximityTimer(main);
    const App& app = TheApp();
    if (app.behaviour.WindowHideSetting != 1 && app.position.WindowDispOn == 1 &&
        !IsWindowVisible(main)) {
        ShowWindow(main, SW_SHOWNA);
    }
}

void EnableProximityOptions(HWND dialog, bool on) {
    for (int control : {IDC_GS_PROXIMITY_HIDE, IDC_GS_PROXIMITY_SHOW, IDC_GS_CTRL_CANCELS_LAYER}) {
        Enable(dialog, control, on);
    }
}

void Carry(const GeneralDialog& d, unsigned effects) {
    const App& app = TheApp();
    if (effects & kEffectPublish) {
        PublishWindowSnapshot();
    }
    if (effects & kEffectTrayIcon) {
        RequestTrayClockRefresh(d.main);
    }
    if (effects & kEffectProximity) {
        ApplyProximity(d.main);
    }
    if (effects & kEffectTopmost) {
        SendMessageA(d.main, WM_COMMAND, kCmdTopmost, app.behaviour.WindowTopMost);
    }
    if (effects & kEffectTransparency) {
        SendMessageA(d.main, WM_COMMAND, kCmdApplyTransparency, 0);
    }
    if (effects & kEffectClickThrough) {
        SetExTransparent(d.main, app.behaviour.WindowMouseLayer == 1);
        SendMessageA(d.main, WM_COMMAND, kCmdApplyLayer, 0);
    }
    if (effects & kEffectOpacity) {
        ApplyOpacity(d.main);
    }
    if (effects & kEffectRedraw) {
        FaceSettingsApplied(d.main);
    }
    if (effects & kEffectRelayout) {
        Relayout(d.main);
    }
}

void CreateTooltips(GeneralDialog& d) {
    d.tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_BALLOON, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, d.dialog, nullptr,
                                Context().instance, nullptr);
    if (d.tooltip == nullptr) {
        return;
    }
    SendMessageA(d.tooltip, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN));
    SendMessageA(d.tooltip, TTM_SETDELAYTIME, TTDT_INITIAL, 500);
    SendMessageA(d.tooltip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 6000);
    SendMessageA(d.tooltip, TTM_SETDELAYTIME, TTDT_RESHOW, 500);
    for (const TooltipEntry& entry : TooltipTable()) {
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = d.dialog;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(d.dialog, entry.control));
        tool.lpszText = LPSTR_TEXTCALLBACKA;
        SendMessageA(d.tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void OnInit(GeneralDialog& d) {
    App& app = TheApp();
    d.opened = TakeSnapshot();
    CentreWindow(d.dialog);
    char caption[128] = {};
    if (LoadStringA(Context().instance, IDS_GENERAL_SETTINGS_CAPTION, caption, sizeof caption) >
        0) {
        SetWindowTextA(d.dialog, caption);
    }
    for (const Box& box : kBoxes) {
        if (box.field != nullptr) {
            CheckDlgButton(d.dialog, box.control,
                           box.field(app) == 1 ? BST_CHECKED : BST_UNCHECKED);
        }
    }
    CheckDlgButton(d.dialog,
                   app.behaviour.WindowShowHideSetting == 1 ? IDC_GS_PROXIMITY_SHOW
                                                            : IDC_GS_PROXIMITY_HIDE,
                   BST_CHECKED);
    for (const Combo& combo : Combos()) {
        HWND box = GetDlgItem(d.dialog, combo.control);
        for (const char* item : combo.items) {
            if (item == nullptr) {
                break;
            }
            SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(combo.field(app)), 0);
    }
    for (const SpinField& field : SpinFields()) {
        // The spin's own position is never used: its notifications are answered here, so the
        // stored value is shown even outside the range.
        SendDlgItemMessageA(d.dialog, field.spin, UDM_SETRANGE32,
                            static_cast<WPARAM>(field.range.low), field.range.high);
        ShowNumber(d.dialog, field.edit, app.appearance.clock.*field.value);
    }
    SetDlgItemTextA(d.dialog, IDC_GS_FONT_NAME, app.appearance.font.logFont.FontFaceName.c_str());

    HWND slider = GetDlgItem(d.dialog, IDC_GS_OPACITY);
    SendMessageA(slider, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
    SendMessageA(slider, TBM_SETTICFREQ, 10, 0);
    SendMessageA(slider, TBM_SETPOS, TRUE, app.behaviour.WindowLayerPercent);
    ShowOpacity(d.dialog, app.behaviour.WindowLayerPercent);

    Enable(d.dialog, IDC_GS_SMOOTH_SECOND_HAND, app.appearance.clock.SecondHandDispOnOff == 1);
    Enable(d.dialog, IDC_GS_ALWAYS_TOPMOST, app.behaviour.WindowTopMost == 1);
    Enable(d.dialog, IDC_GS_FACE_COLOUR, app.behaviour.WindowLayer != 1);
    EnableProximityOptions(d.dialog, app.behaviour.WindowHideSetting == 1);
    if (Context().platformMajor < static_cast<unsigned>(kLayeringPlatformMajor)) {
        Enable(d.dialog, IDC_GS_TRANSPARENT_FACE, false);
        Enable(d.dialog, IDC_GS_OPACITY, false);
    }
    for (int i = 0; i < kShortcutPlaces; ++i) {
        const int control = IDC_GS_SHORTCUT_DESKTOP + i;
        // A place without a folder would put the link at the root of the drive.
        if (!ShortcutPath(kShortcutOrder[static_cast<std::size_t>(i)])) {
            Enable(d.dialog, control, false);
        } else if (ShortcutExists(kShortcutOrder[static_cast<std::size_t>(i)])) {
            CheckDlgButton(d.dialog, control, BST_CHECKED);
        }
    }
    CreateTooltips(d);
    d.closing = false;
}

void OnBox(GeneralDialog& d, int control) {
    App& app = TheApp();
    const bool on = Checked(d.dialog, control);
    for (const Box& box : kBoxes) {
        if (box.control == control && box.field != nullptr) {
            box.field(app) = on ? 1 : 0;
        }
    }
    switch (control) {
    case IDC_GS_SECOND_HAND:
        Enable(d.dialog, IDC_GS_SMOOTH_SECOND_HAND, on);
        break;
    case IDC_GS_TOPMOST:
        Enable(d.dialog, IDC_GS_ALWAYS_TOPMOST, on);
        break;
    case IDC_GS_TRANSPARENT_FACE:
        Enable(d.dialog, IDC_GS_FACE_COLOUR, !on);
        break;
    case IDC_GS_PROXIMITY:
        EnableProximityOptions(d.dialog, on);
        break;
    case IDC_GS_PROXIMITY_HIDE:
    case IDC_GS_PROXIMITY_SHOW:
        app.behaviour.WindowShowHideSetting = Checked(d.dialog, IDC_GS_PROXIMITY_SHOW) ? 1 : 0;
        break;
    default:
        break;
    }
    Carry(d, EffectsOf(control));
}

void OnColour(GeneralDialog& d, const ColourButton& button) {
    int& colour = button.field(TheApp());
    if (const std::optional<COLORREF> chosen =
            ChooseColour(d.dialog, static_cast<COLORREF>(colour))) {
        colour = static_cast<int>(*chosen);
        Carry(d, EffectsOf(button.control));
    }
}

// The chosen face, style and character set; the sizes stay the size settings'.
void TakeFont(LogFontFields& into, const LOGFONTA& font) {
    into.Weight = font.lfWeight;
    into.Italic = font.lfItalic;
    into.Underline = font.lfUnderline;
    into.StrikeOut = font.lfStrikeOut;
    into.CharSet = font.lfCharSet;
    into.OutPrecision = font.lfOutPrecision;
    into.ClipPrecision = font.lfClipPrecision;
    into.Quality = font.lfQuality;
    into.PitchAndFamily = font.lfPitchAndFamily;
    into.FontFaceName = font.lfFaceName;
}

void OnFont(GeneralDialog& d) {
    FontSettings& font = TheApp().appearance.font;
    LOGFONTA chosen = ToLogFontA(font.logFont);
    COLORREF colour = static_cast<COLORREF>(font.TextColor);
    if (ChooseClockFont(d.dialog, chosen, colour)) {
        font.TextColor = static_cast<int>(colour);
        TakeFont(font.logFont, chosen);
        SetDlgItemTextA(d.dialog, IDC_GS_FONT_NAME, font.logFont.FontFaceName.c_str());
    }
    Carry(d, EffectsOf(IDC_GS_FONT));
}

void SaveAndClose(GeneralDialog& d) {
    d.closing = true;
    for (int i = 0; i < kShortcutPlaces; ++i) {
        const int control = IDC_GS_SHORTCUT_DESKTOP + i;
        if (IsWindowEnabled(GetDlgItem(d.dialog, control))) {
            ApplyShortcut(kShortcutOrder[static_cast<std::size_t>(i)], Checked(d.dialog, control));
        }
    }
    const App& app = TheApp();
    SaveAppearanceSettings(*Context().settings, app.appearance, [&app](SettingsStore& store) {
        SaveWindowBehaviour(store, app.behaviour);
    });
    EndDialog(d.dialog, IDOK);
}

void RestoreAndClose(GeneralDialog& d) {
    d.closing = true;
    App& app = TheApp();
    const unsigned effects = CancelEffects(TakeSnapshot(), d.opened);
    app.appearance = d.opened.appearance;
    app.behaviour = d.opened.behaviour;
    Carry(d, effects);
    EndDialog(d.dialog, IDCANCEL);
}

bool OnSpin(GeneralDialog& d, const NMUPDOWN& change) {
    const SpinField* field = FindSpinField(static_cast<int>(change.hdr.idFrom));
    if (field == nullptr) {
        return false;
    }
    if (!d.closing) {
        int& value = TheApp().appearance.clock.*field->value;
        value = StepSpin(value, change.iDelta, field->range);
        ShowNumber(d.dialog, field->edit, value);
        Carry(d, EffectsOf(field->spin));
    }
    return true;
}

void OnTooltipText(GeneralDialog& d, NMTTDISPINFOA& info) {
    const int control = (info.uFlags & TTF_IDISHWND) != 0
                            ? GetDlgCtrlID(reinterpret_cast<HWND>(info.hdr.idFrom))
                            : static_cast<int>(info.hdr.idFrom);
    const int string = TooltipStringFor(control);
    if (string == 0 || LoadStringA(Context().instance, static_cast<UINT>(string), d.tip.data(),
                                   static_cast<int>(d.tip.size())) <= 0) {
        std::snprintf(d.tip.data(), d.tip.size(), "%s", kNoTooltip);
    }
    info.lpszText = d.tip.data();
    info.hinst = nullptr;
}

INT_PTR OnCommand(GeneralDialog& d, int control, int code) {
    if (d.closing) {
        return TRUE;
    }
    App& app = TheApp();
    switch (control) {
    case IDOK:
        SaveAndClose(d);
        return TRUE;
    case IDCANCEL:
        RestoreAndClose(d);
        return TRUE;
    case IDC_GS_FONT:
        OnFont(d);
        return TRUE;
    case IDC_GS_FONT_SIZES:
        RunFontSizesDialog(d.dialog, d.main, app.appearance.font,
                           [&d] { Carry(d, EffectsOf(IDC_GS_FONT_SIZES)); });
        return TRUE;
    case IDC_GS_TEXT_COLOURS:
        RunTextColoursDialog(d.dialog, app.appearance.font,
                             [&d] { Carry(d, EffectsOf(IDC_GS_TEXT_COLOURS)); });
        return TRUE;
    case IDC_GS_RESET_PLACEMENT:
        SendMessageA(d.main, WM_COMMAND, kCmdResetPlacement, 0);
        return TRUE;
    default:
        break;
    }
    for (const ColourButton& button : kColourButtons) {
        if (button.control == control && code == BN_CLICKED) {
            OnColour(d, button);
            return TRUE;
        }
    }
    for (const Combo& combo : Combos()) {
        if (combo.control == control && code == CBN_SELCHANGE) {
            const LRESULT at = SendDlgItemMessageA(d.dialog, control, CB_GETCURSEL, 0, 0);
            if (at != CB_ERR) {
                combo.field(app) = static_cast<int>(at);
                Carry(d, EffectsOf(control));
            }
            return TRUE;
        }
    }
    for (const Box& box : kBoxes) {
        if (box.control == control && code == BN_CLICKED) {
            OnBox(d, control);
            return TRUE;
        }
    }
    return FALSE;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = reinterpret_cast<GeneralDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        d = reinterpret_cast<GeneralDialog*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        d->dialog = dialog;
        OnInit(*d);
        return TRUE;
    case WM_COMMAND:
        return d != nullptr ? OnCommand(*d, LOWORD(wParam), HIWORD(wParam)) : FALSE;
    case WM_HSCROLL:
        if (d != nullptr && !d->closing &&
            reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, IDC_GS_OPACITY)) {
            const int percent =
                static_cast<int>(SendMessageA(reinterpret_cast<HWND>(lParam), TBM_GETPOS, 0, 0));
            if (percent != TheApp().behaviour.WindowLayerPercent) {
                TheApp().behaviour.WindowLayerPercent = percent;
                ShowOpacity(dialog, percent);
                Carry(*d, EffectsOf(IDC_GS_OPACITY));
            }
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY: {
        if (d == nullptr) {
            return FALSE;
        }
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == UDN_DELTAPOS && OnSpin(*d, *reinterpret_cast<NMUPDOWN*>(lParam))) {
            // Nonzero: the spin keeps its own position, which means nothing here.
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        if (header->code == TTN_GETDISPINFOA) {
            OnTooltipText(*d, *reinterpret_cast<NMTTDISPINFOA*>(lParam));
            return TRUE;
        }
        return FALSE;
    }
    case WM_DESTROY:
        if (d != nullptr && d->tooltip != nullptr) {
            DestroyWindow(d->tooltip);
            d->tooltip = nullptr;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

void RunGeneralSettings(HWND mainWindow) {
    GeneralDialog dialog;
    dialog.main = mainWindow;
    g_open = &dialog;
    DialogBoxParamA(Context().instance, MAKEINTRESOURCEA(IDD_GENERAL_SETTINGS), mainWindow,
                    &DialogProc, reinterpret_cast<LPARAM>(&dialog));
    g_open = nullptr;
}

std::optional<std::string> GeneralSettingsTipForTest(int control) {
    if (!kTestHooks || g_open == nullptr || g_open->dialog == nullptr) {
        return std::nullopt;
    }
    // What the tooltip hands over, with marks in and behind it: an answer written into the
    // notification's own 80-byte field runs over the fields after it.
    constexpr LPARAM kMark = 0x5A5A5A5A;
    struct Asked {
        NMTTDISPINFOA info;
        std::array<unsigned char, 256> guard;
    } asked{};
    asked.guard.fill(0xA5);
    asked.info.hdr.hwndFrom = g_open->tooltip;
    asked.info.hdr.idFrom = reinterpret_cast<UINT_PTR>(GetDlgItem(g_open->dialog, control));
    asked.info.hdr.code = TTN_GETDISPINFOA;
    asked.info.uFlags = TTF_IDISHWND;
    asked.info.lParam = kMark;
    SendMessageA(g_open->dialog, WM_NOTIFY, asked.info.hdr.idFrom,
                 reinterpret_cast<LPARAM>(&asked.info));
    if (asked.info.uFlags != TTF_IDISHWND || asked.info.lParam != kMark) {
        return std::nullopt;
    }
    for (unsigned char byte : asked.guard) {
        if (byte != 0xA5) {
            return std::nullopt;
        }
    }
    if (asked.info.lpszText == nullptr || asked.info.lpszText == LPSTR_TEXTCALLBACKA) {
        return std::string(asked.info.szText);
    }
    return std::string(asked.info.lpszText);
}

} // namespace zentrava
