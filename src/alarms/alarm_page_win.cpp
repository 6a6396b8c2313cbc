#include "alarms/alarm_page_win.h"

#include "alarms/alarm_page.h"
#include "alarms/alarm_schedule.h"
#include "alarms/alarms_win.h"
#include "base/app_context_win.h"
#include "base/event_log_win.h"
#include "base/win_handles_win.h"
#include "clock/clocks_win.h"
#include "dialogs/page_controls_win.h"
#include "dialogs/pickers_win.h"
#include "face/drawing_objects_win.h"
#include "resources/commands.h"
#include "resources/resource.h"
#include "sound/sound_win.h"

#include <commctrl.h>
#include <commdlg.h>

#include <array>
#include <atomic>
#include <optional>
#include <string>

namespace zentrava {

static_assert(IDC_AL_HOUR == kAlarmHourEdit && IDC_AL_MINUTE == kAlarmMinuteEdit);

namespace {

// The focus step after a refused tree change: the tree takes the focus back once its
// notification returns, so the edit gets it a moment later (wParam = the edit).
constexpr UINT kFocusEdit = WM_APP + 1;
// A fired one-shot alarm: wParam = index, lParam = PackFiredMoment.
constexpr UINT kSwitchedOff = WM_APP + 2;

// The open page, for the tick thread's switch-off; null while no page exists.
std::atomic<HWND> openPage{nullptr};

// Repeat-type labels in RepeatType order, as CP932 bytes.
constexpr const char* kRepeatLabels[] = {
    "\x82\x50\x89\xF1\x82\xCC\x82\xDD",         // １回のみ
    "\x96\x88\x93\xFA",                         // 毎日
    "\x96\x88\x8F\x54\x8C\x8E\x81\x60\x8B\xE0", // 毎週月～金
    "\x96\x88\x8F\x54\x8C\x8E\x81\x60\x93\x79", // 毎週月～土
    "\x96\x88\x8F\x54\x93\x79\x93\xFA",         // 毎週土日
    "\x96\x88\x8F\x54\x8C\x8E",                 // 毎週月
    "\x96\x88\x8F\x54\x89\xCE",                 // 毎週火
    "\x96\x88\x8F\x54\x90\x85",                 // 毎週水
    "\x96\x88\x8F\x54\x96\xD8",                 // 毎週木
    "\x96\x88\x8F\x54\x8B\xE0",                 // 毎週金
    "\x96\x88\x8F\x54\x93\x79",                 // 毎週土
    "\x96\x88\x8F\x54\x93\xFA",                 // 毎週日
};
constexpr const char* kNotifyWayLabels[] = {
    "\x83\x6F\x83\x8B\x81\x5B\x83\x93\x83\x77\x83\x8B\x83\x76", // バルーンヘルプ
    "\x83\x5F\x83\x43\x83\x41\x83\x8D\x83\x4F",                 // ダイアログ
};
// アラーム1～20
constexpr const char* kTreeRoot = "\x83\x41\x83\x89\x81\x5B\x83\x80"
                                  "1\x81\x60"
                                  "20";
constexpr const char* kPlayLabel = "\x8D\xC4\x90\xB6\x83\x65\x83\x58\x83\x67(&P)"; // 再生テスト(&P)
constexpr const char* kStopLabel = "\x92\xE2\x8E\x7E(&P)";                         // 停止(&P)

LogFontFields FromLogFont(const LOGFONTA& font) {
    LogFontFields f;
    f.Height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    f.Width = font.lfWidth;
    f.Escapement = font.lfEscapement;
    f.Orientation = font.lfOrientation;
    f.Weight = font.lfWeight;
    f.Italic = font.lfItalic;
    f.Underline = font.lfUnderline;
    f.StrikeOut = font.lfStrikeOut;
    f.CharSet = font.lfCharSet;
    f.OutPrecision = font.lfOutPrecision;
    f.ClipPrecision = font.lfClipPrecision;
    f.Quality = font.lfQuality;
    f.PitchAndFamily = font.lfPitchAndFamily;
    f.FontFaceName = font.lfFaceName;
    return f;
}

void Enable(HWND page, int control, bool on) {
    EnableWindow(GetDlgItem(page, control), on ? TRUE : FALSE);
}

class AlarmPage final : public SheetPage {
public:
    explicit AlarmPage(const AlarmPageHooks& hooks) : hooks_(hooks) {}

    void Start(HWND page) override {
        page_ = page;
        filling_ = true;
        working_ = backup_ = Alarms().Records();
        testSound_ = {Alarms().testSoundFile, Alarms().testSoundFileName};
        backupTestSound_ = testSound_;
        changed_ = false;
        current_ = 0;
        playing_ = false;
        FillTree(page);
        for (const char* label : kRepeatLabels) {
            SendDlgItemMessageA(page, IDC_AL_TYPE, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(label));
        }
        for (const char* label : kNotifyWayLabels) {
            SendDlgItemMessageA(page, IDC_AL_NOTIFY_WAY, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(label));
        }
        SendDlgItemMessageA(page, IDC_AL_HOUR, EM_LIMITTEXT, 2, 0);
        SendDlgItemMessageA(page, IDC_AL_MINUTE, EM_LIMITTEXT, 2, 0);
        SendDlgItemMessageA(page, IDC_AL_MEMO, EM_LIMITTEXT, kAlarmMemoLimit, 0);
        SetupSpin(page, IDC_AL_HOUR_SPIN, 0, 23);
        SetupSpin(page, IDC_AL_MINUTE_SPIN, 0, 59);
        SetDlgItemTextA(page, IDC_AL_TEST_SOUND_NAME, testSound_.displayName.c_str());
        ResetTestButtons(page);
        AttachDropBoxes(page);
        // The first alarm is shown selected, so the tree's selection always names the alarm the
        // controls show.
        SendDlgItemMessageA(page, IDC_AL_TREE, TVM_SELECTITEM, TVGN_CARET,
                            reinterpret_cast<LPARAM>(items_[0]));
        ShowAlarm(page, current_);
        filling_ = false;
        openPage.store(page);
        if (hooks_.setSoundTestPage != nullptr) {
            hooks_.setSoundTestPage(page);
        }
    }

    bool OnControl(HWND page, int control, int notification) override {
        if (filling_) {
            return false;
        }
        AlarmRecord& alarm = Current();
        switch (control) {
        case IDC_AL_HOUR:
        case IDC_AL_MINUTE:
            if (notification != EN_CHANGE) {
                return false;
            }
            edited_.Note(control);
            return true;
        case IDC_AL_MEMO:
            return notification == EN_CHANGE;
        case IDC_AL_ON:
            if (notification != BN_CLICKED) {
                return false;
            }
            alarm.On = Checked(page, IDC_AL_ON) ? 1 : 0;
            SetTreeLabel(current_, alarm.On != 0);
            return true;
        case IDC_AL_SHOW_NOTIFICATION:
            if (notification != BN_CLICKED) {
                return false;
            }
            alarm.ShowNotification = Checked(page, control) ? 1 : 0;
            return true;
        case IDC_AL_TYPE:
            if (notification != CBN_SELCHANGE) {
                return false;
            }
            alarm.RepeatType = Selection(page, IDC_AL_TYPE, alarm.RepeatType);
            Enable(page, IDC_AL_DATE, alarm.RepeatType == 0);
            return true;
        case IDC_AL_NOTIFY_WAY:
            if (notification != CBN_SELCHANGE) {
                return false;
            }
            alarm.NotifyWay = Selection(page, IDC_AL_NOTIFY_WAY, alarm.NotifyWay);
            EnableLookButtons(page, alarm.NotifyWay);
            return true;
        default:
            break;
        }
        if (notification != BN_CLICKED) {
            return false;
        }
        switch (control) {
        case IDC_AL_SOUND_CHOOSE: {
            ChosenFile file{alarm.SoundFile, alarm.SoundFileName};
            if (!ChooseSoundFile(page, file)) {
                return false;
            }
            SetSound(file);
            return true;
        }
        case IDC_AL_SOUND_CLEAR:
            SetSound({});
            return true;
        case IDC_AL_PICTURE_CHOOSE: {
            ChosenFile file{alarm.PictureFile, alarm.PictureFileName};
            if (!ChoosePictureFile(page, file)) {
                return false;
            }
            SetPicture(file);
            return true;
        }
        case IDC_AL_PICTURE_CLEAR:
            SetPicture({});
            return true;
        case IDC_AL_FONT:
            return ChooseMemoFont(page);
        case IDC_AL_WINDOW_COLOUR:
            return ChooseWindowColour(page);
        case IDC_AL_TEST_SOUND_CHOOSE: {
            ChosenFile file = testSound_;
            if (!ChooseSoundFile(page, file)) {
                return false;
            }
            SetTestSound(file);
            return true;
        }
        case IDC_AL_TEST_SOUND_CLEAR:
            SetTestSound({});
            return true;
        case IDC_AL_TEST_PLAY:
            ToggleTest(page);
            return false;
        case IDC_AL_TEST_PAUSE:
            if (hooks_.soundTestWindow != nullptr) {
                SendMessageA(hooks_.soundTestWindow, WM_COMMAND, kCmdSoundTestPause, 0);
            }
            return false;
        default:
            return false;
        }
    }

    bool OnNotify(HWND page, const NMHDR& header, LONG_PTR& answer) override {
        if (header.idFrom == IDC_AL_TREE) {
            if (header.code == TVN_SELCHANGINGA) {
                if (const std::optional<PageProblem> problem = CheckShownTime(page)) {
                    MessageBoxA(page, problem->message.c_str(), kAppCaption, MB_OK);
                    PostMessageA(page, kFocusEdit, static_cast<WPARAM>(problem->control), 0);
                    answer = TRUE;
                }
                return false;
            }
            if (header.code == TVN_SELCHANGEDA) {
                const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
                if (!filling_) {
                    ReadAlarm(page, current_);
                }
                const int index = static_cast<int>(change.itemNew.lParam) - 1;
                current_ = index < 0 ? 0 : index;
                const bool wasFilling = filling_;
                filling_ = true;
                ShowAlarm(page, current_);
                filling_ = wasFilling;
            }
            return false;
        }
        if (header.idFrom == IDC_AL_DATE && !filling_ &&
            (header.code == DTN_DATETIMECHANGE || header.code == DTN_CLOSEUP)) {
            // A date typed with the keyboard alone is a change as much as one picked from the
            // calendar.
            dateEdited_ = true;
            return true;
        }
        return false;
    }

    std::optional<PageProblem> Validate(HWND page) override { return CheckShownTime(page); }

    void OnEveryApply(HWND page) override {
        if (TestSounding()) {
            SendMessageA(hooks_.soundTestWindow, WM_COMMAND, kCmdSoundTest, 0);
        }
        playing_ = false;
        ResetTestButtons(page);
    }

    void Apply(HWND page) override {
        ReadAlarm(page, current_);
        const AlarmRecords committed = CommittedAlarms(working_);
        const AlarmChanges changes = DiffAlarms(committed, backup_);
        AlarmTable& table = Alarms();
        CommitAlarms(table, committed);
        for (std::size_t i = 0; i < committed.size(); ++i) {
            table.changed[i] = table.changed[i] || changes.alarm[i];
            table.fontChanged[i] = table.fontChanged[i] || changes.font[i];
        }
        SaveAlarms(*Context().settings, table);
        working_ = backup_ = committed;
        backupTestSound_ = testSound_;
        changed_ = false;
        const std::string report = PassedOneShotReport(committed, TheClocks().Read().LocalClock);
        if (!report.empty()) {
            MessageBoxA(page, report.c_str(), kAppCaption, MB_OK);
        }
    }

    void Revert() override {
        if (!changed_) {
            return;
        }
        AlarmTable& table = Alarms();
        CommitAlarms(table, backup_);
        table.testSoundFile = backupTestSound_.path;
        table.testSoundFileName = backupTestSound_.displayName;
        SetChannelFile(SoundChannel::SoundTest, backupTestSound_.path);
        working_ = backup_;
        testSound_ = backupTestSound_;
        changed_ = false;
    }

    bool Changed() const override { return changed_; }
    void MarkChanged() override { changed_ = true; }

    void Finish(HWND) override {
        openPage.store(nullptr);
        if (hooks_.setSoundTestPage != nullptr) {
            hooks_.setSoundTestPage(nullptr);
        }
        soundBox_.Detach();
        pictureBox_.Detach();
        testBox_.Detach();
        sampleBrush_.reset();
    }

    INT_PTR OnMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case kFocusEdit:
            if (HWND edit = GetDlgItem(page, static_cast<int>(wParam))) {
                SetFocus(edit);
                SendMessageA(edit, EM_SETSEL, 0, -1);
            }
            return TRUE;
        case kSwitchedOff:
            OnSwitchedOff(page, static_cast<int>(wParam),
                          UnpackFiredMoment(static_cast<std::uint32_t>(lParam)));
            return TRUE;
        case kAlarmPageSoundTestEnded:
            playing_ = false;
            ResetTestButtons(page);
            return TRUE;
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) == GetDlgItem(page, IDC_AL_COLOUR_SAMPLE) &&
                sampleBrush_) {
                return reinterpret_cast<INT_PTR>(sampleBrush_.get());
            }
            return FALSE;
        default:
            return FALSE;
        }
    }

private:
    AlarmRecord& Current() { return working_[static_cast<std::size_t>(current_)]; }

    void FillTree(HWND page) {
        HWND tree = GetDlgItem(page, IDC_AL_TREE);
        TVINSERTSTRUCTA insert{};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = const_cast<char*>(kTreeRoot);
        insert.item.lParam = 0;
        root_ = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        for (int i = 0; i < kAlarmCount; ++i) {
            const std::string label =
                AlarmListLabel(i, working_[static_cast<std::size_t>(i)].On != 0);
            insert.hParent = root_;
            insert.item.pszText = const_cast<char*>(label.c_str());
            insert.item.lParam = i + 1;
            items_[static_cast<std::size_t>(i)] = reinterpret_cast<HTREEITEM>(
                SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        }
        SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root_));
    }

    void SetTreeLabel(int index, bool on) {
        if (index < 0 || index >= kAlarmCount) {
            return;
        }
        std::string label = AlarmListLabel(index, on);
        TVITEMA item{};
        item.mask = TVIF_TEXT;
        item.hItem = items_[static_cast<std::size_t>(index)];
        item.pszText = label.data();
        SendDlgItemMessageA(page_, IDC_AL_TREE, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }

    void ShowAlarm(HWND page, int index) {
        const AlarmRecord& alarm = working_[static_cast<std::size_t>(index)];
        char number[8];
        wsprintfA(number, "%2d:", index + 1);
        SetDlgItemTextA(page, IDC_AL_NUMBER, number);
        ShowDate(page, alarm);
        ShowSpinNumber(page, IDC_AL_HOUR, IDC_AL_HOUR_SPIN, alarm.Hour, edited_);
        ShowSpinNumber(page, IDC_AL_MINUTE, IDC_AL_MINUTE_SPIN, alarm.Minute, edited_);
        SetChecked(page, IDC_AL_ON, alarm.On);
        SetDlgItemTextA(page, IDC_AL_SOUND_NAME, alarm.SoundFileName.c_str());
        SetDlgItemTextA(page, IDC_AL_PICTURE_NAME, alarm.PictureFileName.c_str());
        SendDlgItemMessageA(page, IDC_AL_TYPE, CB_SETCURSEL, static_cast<WPARAM>(alarm.RepeatType),
                            0);
        Enable(page, IDC_AL_DATE, alarm.RepeatType == 0);
        SetChecked(page, IDC_AL_SHOW_NOTIFICATION, alarm.ShowNotification);
        SetDlgItemTextA(page, IDC_AL_MEMO, alarm.Memo.c_str());
        SendDlgItemMessageA(page, IDC_AL_NOTIFY_WAY, CB_SETCURSEL,
                            static_cast<WPARAM>(alarm.NotifyWay != 0 ? 1 : 0), 0);
        EnableLookButtons(page, alarm.NotifyWay);
        // One brush per page: the previous alarm's goes when the next one's is made.
        sampleBrush_.reset(CreateSolidBrush(static_cast<COLORREF>(alarm.WindowColor)));
        SetDlgItemTextA(page, IDC_AL_FONT_TEXT, AlarmFontDescription(alarm.Font).c_str());
        InvalidateRect(page, nullptr, TRUE);
    }

    void ShowDate(HWND page, const AlarmRecord& alarm) {
        const PickerDate date = AlarmPickerDate(alarm, TheClocks().Read().LocalClock);
        SYSTEMTIME t{};
        t.wYear = static_cast<WORD>(date.year);
        t.wMonth = static_cast<WORD>(date.month);
        t.wDay = static_cast<WORD>(date.day);
        SendDlgItemMessageA(page, IDC_AL_DATE, DTM_SETSYSTEMTIME, GDT_VALID,
                            reinterpret_cast<LPARAM>(&t));
        dateEdited_ = false;
    }

    // The shown alarm's fields into the working copy. Only after CheckShownTime accepted the
    // typed numbers; an edit the user left alone keeps the stored number.
    void ReadAlarm(HWND page, int index) {
        AlarmRecord& alarm = working_[static_cast<std::size_t>(index)];
        alarm.On = Checked(page, IDC_AL_ON) ? 1 : 0;
        alarm.ShowNotification = Checked(page, IDC_AL_SHOW_NOTIFICATION) ? 1 : 0;
        // The picker shows the clock's date for an alarm without one; that is no date the
        // user gave, so it is taken only once the user changed it.
        SYSTEMTIME t{};
        if (dateEdited_ && alarm.RepeatType == 0 &&
            SendDlgItemMessageA(page, IDC_AL_DATE, DTM_GETSYSTEMTIME, 0,
                                reinterpret_cast<LPARAM>(&t)) == GDT_VALID) {
            alarm.Year = t.wYear;
            alarm.Month = t.wMonth;
            alarm.Day = t.wDay;
        }
        auto typed = [&](int edit, int stored) {
            const std::optional<std::string> text = EditedText(page, edit, edited_);
            return text ? ParseTypedNumber(*text).value_or(stored) : stored;
        };
        alarm.Hour = typed(IDC_AL_HOUR, alarm.Hour);
        alarm.Minute = typed(IDC_AL_MINUTE, alarm.Minute);
        alarm.RepeatType = Selection(page, IDC_AL_TYPE, alarm.RepeatType);
        alarm.NotifyWay = Selection(page, IDC_AL_NOTIFY_WAY, alarm.NotifyWay);
        alarm.Memo = CleanAlarmMemo(ControlText(page, IDC_AL_MEMO, kAlarmMemoBufferSize + 2));
    }

    std::optional<PageProblem> CheckShownTime(HWND page) const {
        const std::optional<std::string> hour = EditedText(page, IDC_AL_HOUR, edited_);
        const std::optional<std::string> minute = EditedText(page, IDC_AL_MINUTE, edited_);
        if (!hour && !minute) {
            return std::nullopt;
        }
        // An untouched edit stands in with a number that always passes: only typing is judged.
        return CheckAlarmTime(hour ? *hour : "0", minute ? *minute : "0");
    }

    static int Selection(HWND page, int combo, int fallback) {
        const LRESULT at = SendDlgItemMessageA(page, combo, CB_GETCURSEL, 0, 0);
        return at == CB_ERR ? fallback : static_cast<int>(at);
    }

    static void EnableLookButtons(HWND page, int notifyWay) {
        Enable(page, IDC_AL_FONT, notifyWay != 0);
        Enable(page, IDC_AL_WINDOW_COLOUR, notifyWay != 0);
    }

    void SetSound(const ChosenFile& file) {
        Current().SoundFile = file.path;
        Current().SoundFileName = file.displayName;
        SetDlgItemTextA(page_, IDC_AL_SOUND_NAME, file.displayName.c_str());
    }

    void SetPicture(const ChosenFile& file) {
        Current().PictureFile = file.path;
        Current().PictureFileName = file.displayName;
        SetDlgItemTextA(page_, IDC_AL_PICTURE_NAME, file.displayName.c_str());
    }

    // The test sound is not an alarm's: it is live at once, so the test button plays it.
    void SetTestSound(const ChosenFile& file) {
        testSound_ = file;
        Alarms().testSoundFile = file.path;
        Alarms().testSoundFileName = file.displayName;
        // The sound-test channel plays the file it was given, not the table's.
        SetChannelFile(SoundChannel::SoundTest, file.path);
        SetDlgItemTextA(page_, IDC_AL_TEST_SOUND_NAME, file.displayName.c_str());
        ResetTestButtons(page_);
    }

    bool ChooseMemoFont(HWND page) {
        AlarmRecord& alarm = Current();
        LOGFONTA font = ToLogFontA(alarm.Font);
        CHOOSEFONTA choose{};
        choose.lStructSize = sizeof choose;
        choose.hwndOwner = page;
        choose.lpLogFont = &font;
        choose.rgbColors = static_cast<COLORREF>(alarm.TextColor);
        choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT | CF_NOVERTFONTS;
        if (!ChooseFontA(&choose)) {
            return false;
        }
        alarm.Font = FromLogFont(font);
        alarm.TextColor = static_cast<int>(choose.rgbColors);
        SetDlgItemTextA(page, IDC_AL_FONT_TEXT, AlarmFontDescription(alarm.Font).c_str());
        return true;
    }

    bool ChooseWindowColour(HWND page) {
        AlarmRecord& alarm = Current();
        const std::optional<COLORREF> colour =
            ChooseColour(page, static_cast<COLORREF>(alarm.WindowColor));
        if (!colour) {
            return false;
        }
        alarm.WindowColor = static_cast<int>(*colour);
        sampleBrush_.reset(CreateSolidBrush(*colour));
        InvalidateRect(GetDlgItem(page, IDC_AL_COLOUR_SAMPLE), nullptr, TRUE);
        return true;
    }

    bool TestSounding() const {
        return hooks_.soundTestWindow != nullptr && hooks_.soundTestSounding != nullptr &&
               hooks_.soundTestSounding();
    }

    void ToggleTest(HWND page) {
        if (hooks_.soundTestWindow == nullptr) {
            return;
        }
        if (!playing_) {
            const LRESULT started =
                SendMessageA(hooks_.soundTestWindow, WM_COMMAND, kCmdSoundTest, 0);
            if (started == 1) {
                playing_ = true;
                SetDlgItemTextA(page, IDC_AL_TEST_PLAY, kStopLabel);
                Enable(page, IDC_AL_TEST_SOUND_CHOOSE, false);
                Enable(page, IDC_AL_TEST_SOUND_CLEAR, false);
                Enable(page, IDC_AL_TEST_PAUSE, true);
            }
            return;
        }
        SendMessageA(hooks_.soundTestWindow, WM_COMMAND, kCmdSoundTest, 0);
        playing_ = false;
        ResetTestButtons(page);
    }

    void ResetTestButtons(HWND page) {
        const bool wired = hooks_.soundTestWindow != nullptr;
        SetDlgItemTextA(page, IDC_AL_TEST_PLAY, kPlayLabel);
        Enable(page, IDC_AL_TEST_PLAY, wired && !testSound_.path.empty());
        Enable(page, IDC_AL_TEST_PAUSE, false);
        Enable(page, IDC_AL_TEST_SOUND_CHOOSE, true);
        Enable(page, IDC_AL_TEST_SOUND_CLEAR, true);
    }

    void AttachDropBoxes(HWND page) {
        soundBox_.Attach(GetDlgItem(page, IDC_AL_SOUND_NAME), FileKind::Sound,
                         [this](const ChosenFile& file) {
                             SetSound(file);
                             MarkPageChanged(page_, *this);
                         });
        pictureBox_.Attach(GetDlgItem(page, IDC_AL_PICTURE_NAME), FileKind::Picture,
                           [this](const ChosenFile& file) {
                               SetPicture(file);
                               MarkPageChanged(page_, *this);
                           });
        testBox_.Attach(GetDlgItem(page, IDC_AL_TEST_SOUND_NAME), FileKind::Sound,
                        [this](const ChosenFile& file) {
                            SetTestSound(file);
                            MarkPageChanged(page_, *this);
                        });
    }

    // On the window thread, so nothing here races an apply: either the apply came first (and
    // may have put the alarm back on, undone below) or it comes later and finds it off.
    void OnSwitchedOff(HWND page, int index, const FiredMoment& fired) {
        if (index < 0 || index >= kAlarmCount) {
            return;
        }
        SwitchOffInCopies(working_, backup_, index);
        if (index == current_) {
            SetChecked(page, IDC_AL_ON, 0);
        }
        SetTreeLabel(index, false);
        const bool again = Alarms().Update([&](AlarmRecords& records, bool& armed) {
            AlarmRecord& live = records[static_cast<std::size_t>(index)];
            if (!NeedsSwitchOffAgain(live, fired)) {
                return false;
            }
            live.On = 0;
            armed = AnyAlarmOn(records);
            return true;
        });
        if (again) {
            SaveAlarmOnKey(*Context().settings, index, 0);
        }
        if constexpr (kTestHooks) {
            LogEvent("alarm-page-off " + std::to_string(index + 1) + (again ? " again" : ""));
        }
    }

    AlarmPageHooks hooks_;
    HWND page_ = nullptr;
    AlarmRecords working_{};
    AlarmRecords backup_{};
    ChosenFile testSound_;
    ChosenFile backupTestSound_;
    bool changed_ = false;
    bool filling_ = false;
    bool playing_ = false;
    bool dateEdited_ = false; // since the shown alarm's date was put into the picker
    int current_ = 0;
    HTREEITEM root_ = nullptr;
    std::array<HTREEITEM, kAlarmCount> items_{};
    EditedFields edited_;
    UniqueBrush sampleBrush_;
    DropBox soundBox_;
    DropBox pictureBox_;
    DropBox testBox_;
};

} // namespace

std::unique_ptr<SheetPage> CreateAlarmPage(const AlarmPageHooks& hooks) {
    return std::make_unique<AlarmPage>(hooks);
}

void PostAlarmSwitchedOff(int index, const ClockTimeRecord& firedAt) {
    HWND page = openPage.load();
    if (page == nullptr) {
        return;
    }
    const FiredMoment moment{firedAt.Year, firedAt.Month, firedAt.Day, firedAt.Hour,
                             firedAt.Minute};
    PostMessageA(page, kSwitchedOff, static_cast<WPARAM>(index),
                 static_cast<LPARAM>(PackFiredMoment(moment)));
}

} // namespace zentrava
