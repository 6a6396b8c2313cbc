// Drops on the audio page in a real property sheet, made as the shell makes them: a sound file
// on a song edit fills that slot of the shown playlist, anything else is ignored, and every
// drop's memory is freed, the page's own included. The page is the program's own dialog; the
// sheet runs its modal loop on this thread and is driven from a second one.

#include "base/app_context_win.h"
#include "base/memory_settings_store.h"
#include "dialogs/drop_files_win.h"
#include "e2e/e2e_support.h"
#include "resources/resource.h"
#include "sound/audio_page_win.h"
#include "sound/audio_player_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace zentrava {
namespace {

std::string Text(HWND page, int control) {
    char text[300]{};
    GetDlgItemTextA(page, control, text, sizeof text);
    return text;
}

struct DropSeen {
    bool pageDropFreed = false;
    bool songDropFreed = false;
    bool refusedDropFreed = false;
    std::string songName;
    std::string refusedName;
};

TEST(AudioPageWin, DropsFillTheShownPlaylistAndEveryDropIsFreed) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    const HMODULE resources = LoadLibraryExA(e2e::ProgramPath(e2e::kTestBuild).c_str(), nullptr,
                                             LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(resources, nullptr);
    Context().settings = std::make_unique<MemorySettingsStore>("[Audio_Setting]\r\n");
    AudioSettings live;
    live.SelectPlayListNo = 3;
    live.playlists[3][3] = ChosenSong("C:\\old\\keep.wav");
    ApplyAudioSettings(live);

    const std::unique_ptr<SheetPage> page = CreateAudioPage();
    SheetSetup setup;
    setup.instance = resources;
    setup.caption = "Audio under test";
    setup.pages = {{IDD_AUDIO_PAGE, nullptr, page.get()}};
    DropSeen seen;
    const DWORD thread = GetCurrentThreadId();
    std::thread driver([&] {
        HWND sheet = nullptr;
        const auto findSheet = [&] {
            sheet = e2e::FindThreadWindow(thread, [](HWND w) { return IsWindowVisible(w) != 0; });
            return sheet != nullptr;
        };
        if (!e2e::WaitFor(findSheet)) {
            ADD_FAILURE() << "the sheet did not appear";
            return;
        }
        HWND p = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        const HDROP onPage = MakeDrop({"C:\\music\\x.wav"});
        SendMessageA(p, WM_DROPFILES, reinterpret_cast<WPARAM>(onPage), 0);
        seen.pageDropFreed = DropFreed(onPage);
        const HDROP song = MakeDrop({"C:\\music\\Song.MP3"});
        SendMessageA(GetDlgItem(p, IDC_AU_SONG_NAME + 2), WM_DROPFILES,
                     reinterpret_cast<WPARAM>(song), 0);
        seen.songDropFreed = DropFreed(song);
        const HDROP refused = MakeDrop({"C:\\music\\tune.ogg"});
        SendMessageA(GetDlgItem(p, IDC_AU_SONG_NAME + 3), WM_DROPFILES,
                     reinterpret_cast<WPARAM>(refused), 0);
        seen.refusedDropFreed = DropFreed(refused);
        seen.songName = Text(p, IDC_AU_SONG_NAME + 2);
        seen.refusedName = Text(p, IDC_AU_SONG_NAME + 3);
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
    RunSheet(setup);
    driver.join();

    EXPECT_TRUE(seen.pageDropFreed) << "a drop on the page itself was not finished";
    EXPECT_TRUE(seen.songDropFreed);
    EXPECT_TRUE(seen.refusedDropFreed);
    EXPECT_EQ(seen.songName, "Song.MP3");
    EXPECT_EQ(seen.refusedName, "keep.wav");
    const SettingsStore& store = *Context().settings;
    EXPECT_EQ(store.GetText("Audio_Sound_Setting", "AudioSoundFile0403", "", 260),
              "C:\\music\\Song.MP3");
    EXPECT_EQ(store.GetText("Audio_Sound_Setting", "AudioSoundFile0404", "none", 260), "none")
        << "the refused drop wrote something";
    EXPECT_EQ(LiveAudioSettings().playlists[3][2].path, "C:\\music\\Song.MP3");
    Context().settings.reset();
    FreeLibrary(resources);
}

} // namespace
} // namespace zentrava
