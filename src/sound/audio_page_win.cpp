#include "sound/audio_page_win.h"

#include "base/app_context_win.h"
#include "dialogs/folder_chooser_win.h"
#include "dialogs/page_controls_win.h"
#include "dialogs/pickers_win.h"
#include "resources/resource.h"
#include "sound/audio_page.h"
#include "sound/audio_player_win.h"

#include <shellapi.h>

#include <array>
#include <string>

namespace zentrava {

namespace {

void SetText(HWND page, int control, const std::string& text) {
    SetDlgItemTextA(page, control, text.c_str());
}

class AudioPage final : public SheetPage {
public:
    void Start(HWND page) override {
        page_ = page;
        copies_.Begin(LiveAudioSettings());
        const AudioSettings& w = copies_.working();
        ShowSongs(page);
        ShowFolder(page);
        CheckRadioButton(page, IDC_AU_SOURCE_FOLDERS, IDC_AU_SOURCE_PLAYLISTS,
                         w.PlaysFolders() ? IDC_AU_SOURCE_FOLDERS : IDC_AU_SOURCE_PLAYLISTS);
        SetChecked(page, IDC_AU_REPEAT, w.AudioRepeatOn);
        CheckRadioButton(page, IDC_AU_ORDER_LIST, IDC_AU_ORDER_RANDOM,
                         w.AudioPlaySetting != 0 ? IDC_AU_ORDER_RANDOM : IDC_AU_ORDER_LIST);
        ShowSource(page);
        for (int s = 0; s < kSongsPerPlaylist; ++s) {
            // Drops edit the playlist whatever the source, as the song buttons would.
            boxes_[static_cast<std::size_t>(s)].Attach(GetDlgItem(page, IDC_AU_SONG_NAME + s),
                                                       FileKind::Sound,
                                                       [this, s](const ChosenFile& file) {
                                                           SetSong(copies_.working(), s, file.path);
                                                           MarkPageChanged(page_, *this);
                                                       });
        }
    }

    bool OnControl(HWND page, int control, int notification) override {
        AudioSettings& w = copies_.working();
        if (control == IDC_AU_LIST) {
            if (notification != CBN_SELCHANGE ||
                !SelectShownList(w, static_cast<int>(SendDlgItemMessageA(page, IDC_AU_LIST,
                                                                         CB_GETCURSEL, 0, 0)))) {
                return false;
            }
            w.PlaysFolders() ? ShowFolder(page) : ShowSongs(page);
            return true;
        }
        if (notification != BN_CLICKED) {
            return false;
        }
        if (control >= IDC_AU_SONG_CHOOSE && control < IDC_AU_SONG_CHOOSE + kSongsPerPlaylist) {
            return ChooseSong(page, control - IDC_AU_SONG_CHOOSE);
        }
        if (control >= IDC_AU_SONG_CLEAR && control < IDC_AU_SONG_CLEAR + kSongsPerPlaylist) {
            const int s = control - IDC_AU_SONG_CLEAR;
            SetSong(w, s, {});
            SetText(page, IDC_AU_SONG_NAME + s, {});
            return true;
        }
        switch (control) {
        case IDC_AU_REPEAT:
            w.AudioRepeatOn = Checked(page, control) ? 1 : 0;
            return true;
        case IDC_AU_ORDER_LIST:
        case IDC_AU_ORDER_RANDOM:
            return Take(w.AudioPlaySetting, control == IDC_AU_ORDER_RANDOM ? 1 : 0);
        case IDC_AU_SOURCE_FOLDERS:
        case IDC_AU_SOURCE_PLAYLISTS:
            if (!Take(w.SelectAudioSource, control == IDC_AU_SOURCE_PLAYLISTS ? 1 : 0)) {
                return false;
            }
            // The song edits keep what they show: the playlist is still the one selected.
            ShowSource(page);
            return true;
        case IDC_AU_FOLDER_CHOOSE:
            if (!ChooseFolder(page,
                              w.folders[static_cast<std::size_t>(w.SelectFolderPlayListNo)])) {
                return false;
            }
            ShowFolder(page);
            return true;
        case IDC_AU_FOLDER_CLEAR:
            w.folders[static_cast<std::size_t>(w.SelectFolderPlayListNo)].clear();
            ShowFolder(page);
            return true;
        default:
            return false;
        }
    }

    void Apply(HWND) override {
        CommitAudioPage(copies_, *Context().settings,
                        [](const AudioSettings& applied) { ApplyAudioSettings(applied); });
    }

    // The live record changes only at an apply, which also takes the backup, so it normally
    // stands there already; the player is told only if something else moved it.
    void Revert() override {
        AudioSettings restored;
        if (copies_.Revert(restored) && !(LiveAudioSettings() == restored)) {
            ApplyAudioSettings(restored);
        }
    }

    bool Changed() const override { return copies_.changed(); }
    void MarkChanged() override { copies_.MarkChanged(); }

    void Finish(HWND) override {
        for (DropBox& box : boxes_) {
            box.Detach();
        }
    }

    INT_PTR OnMessage(HWND, UINT message, WPARAM wParam, LPARAM) override {
        if (message != WM_DROPFILES) {
            return FALSE;
        }
        // A drop beside the song edits means nothing, but its memory is ours to free.
        DragFinish(reinterpret_cast<HDROP>(wParam));
        return TRUE;
    }

private:
    static bool Take(int& field, int value) {
        const bool changed = field != value;
        field = value;
        return changed;
    }

    void ShowSongs(HWND page) const {
        const std::array<std::string, kSongsPerPlaylist> names = ShownSongNames(copies_.working());
        for (int s = 0; s < kSongsPerPlaylist; ++s) {
            SetText(page, IDC_AU_SONG_NAME + s, names[static_cast<std::size_t>(s)]);
        }
    }

    void ShowFolder(HWND page) const {
        SetText(page, IDC_AU_FOLDER_NAME, copies_.working().SelectedFolder());
    }

    // The drop-down's items and selection, and the buttons of the source.
    void ShowSource(HWND page) const {
        const AudioSettings& w = copies_.working();
        const HWND list = GetDlgItem(page, IDC_AU_LIST);
        SendMessageA(list, CB_RESETCONTENT, 0, 0);
        for (const std::string& item : ListItems(w.SelectAudioSource)) {
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(ShownList(w)), 0);
        const AudioPageButtons enabled = EnabledButtons(w.SelectAudioSource);
        for (int s = 0; s < kSongsPerPlaylist; ++s) {
            EnableWindow(GetDlgItem(page, IDC_AU_SONG_CHOOSE + s), enabled.songs);
            EnableWindow(GetDlgItem(page, IDC_AU_SONG_CLEAR + s), enabled.songs);
        }
        EnableWindow(GetDlgItem(page, IDC_AU_FOLDER_CHOOSE), enabled.folder);
        EnableWindow(GetDlgItem(page, IDC_AU_FOLDER_CLEAR), enabled.folder);
    }

    bool ChooseSong(HWND page, int s) {
        AudioSettings& w = copies_.working();
        const AudioSong& song = w.SelectedPlaylist()[static_cast<std::size_t>(s)];
        ChosenFile file{song.path, song.displayName};
        // A cancel leaves the slot as it was (a song on an absent drive keeps its path); a
        // refused file empties it.
        if (!ChooseSoundFile(page, file) && file.path == song.path) {
            return false;
        }
        SetSong(w, s, file.path);
        SetText(page, IDC_AU_SONG_NAME + s,
                w.SelectedPlaylist()[static_cast<std::size_t>(s)].displayName);
        return true;
    }

    HWND page_ = nullptr;
    PageCopies<AudioSettings> copies_;
    std::array<DropBox, kSongsPerPlaylist> boxes_;
};

} // namespace

std::unique_ptr<SheetPage> CreateAudioPage() {
    return std::make_unique<AudioPage>();
}

} // namespace zentrava
