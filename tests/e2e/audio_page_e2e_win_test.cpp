// The audio page as a user meets it: it opens on the stored playlist, a cleared song reaches the
// settings file as that one key and nothing else, and Cancel leaves the file as it was.

#include "e2e/sheet_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace zentrava::e2e {
namespace {

constexpr int kList = 1017;
constexpr int kRepeat = 1181;
constexpr int kSongName = 1182;
constexpr int kSongChoose = 1234;
constexpr int kFolderChoose = 1454;
constexpr int kSourceFolders = 1485;
constexpr int kSongClear = 2131;

// Sent, so the page has handled the click when it returns (none of these opens a dialog).
void Click(HWND page, int control) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(GetDlgItem(page, control), BM_CLICK, 0, 0, SMTO_NORMAL, 3000, &result);
}

TEST(AudioPage, OpensOnTheStoredPlaylistAppliesOneClearedSongAndCancelWritesNothing) {
    ZentravaSession session;
    ASSERT_TRUE(session.Stage(ProgramPath(kTestBuild), "Zentrava")) << session.lastError();
    const std::string a = session.dir() + "a.wav";
    const std::string b = session.dir() + "b.mp3";
    ASSERT_TRUE(WriteWholeFile(a, "RIFF") && WriteWholeFile(b, "ID3"));
    // Song 3 is on a drive that is not there: shown empty, kept in the file.
    const std::string ini = "[Window_Position]\r\nAudioFilePropertySheetPos=4\r\n"
                            "[Audio_Setting]\r\nSelectPlayListNo=3\r\nAudioRepeatOn=1\r\n"
                            "[Audio_Sound_Setting]\r\nAudioSoundFile0101=" +
                            a + "\r\nAudioSoundFile0401=" + a + "\r\nAudioSoundFile0402=" + b +
                            "\r\nAudioSoundFile0403=Q:\\gone\\c.mp3\r\n";
    ASSERT_TRUE(session.WriteIni(ini));
    ASSERT_TRUE(session.Launch() && session.WaitForMainWindow() != nullptr) << session.lastError();

    const OpenSheet open = OpenSettings(session);
    ASSERT_NE(open.sheet, nullptr) << "no settings sheet";
    HWND page = open.page;
    // A drop-down list shows its selected item as its window text.
    EXPECT_EQ(Text(page, kList), "プレイリスト04");
    EXPECT_EQ(Text(page, kSongName), "a.wav");
    EXPECT_EQ(Text(page, kSongName + 1), "b.mp3");
    EXPECT_EQ(Text(page, kSongName + 2), "");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, kSongChoose + 19)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, kFolderChoose))) << "playlists are playing";
    Screenshot(open.sheet, "audio_page.bmp");

    const std::optional<std::string> before = session.IniText();
    ASSERT_TRUE(before.has_value());
    Click(page, kSongClear + 1);
    EXPECT_EQ(Text(page, kSongName + 1), "");
    PressApply(open.sheet);
    std::string expected = *before;
    const std::string line = "AudioSoundFile0402=" + b;
    ASSERT_NE(expected.find(line), std::string::npos) << expected;
    expected.replace(expected.find(line), line.size(), "AudioSoundFile0402=");
    EXPECT_EQ(session.IniText(), expected) << "only the cleared song's key changed";

    Click(page, kSongClear);
    Click(page, kRepeat);
    ASSERT_TRUE(CloseSheet(open.sheet, PSBTN_CANCEL));
    EXPECT_EQ(session.IniText(), expected) << "Cancel wrote something";

    const OpenSheet again = OpenSettings(session);
    ASSERT_NE(again.sheet, nullptr);
    EXPECT_EQ(Text(again.page, kSongName), "a.wav") << "the cancelled clear came back";
    EXPECT_EQ(Text(again.page, kSongName + 1), "") << "the applied clear stayed";
    Click(again.page, kSourceFolders);
    EXPECT_EQ(Text(again.page, kList), "フォルダプレイリスト01");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(again.page, kFolderChoose)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(again.page, kSongChoose)));
    Screenshot(again.sheet, "audio_page_folders.bmp");
    ASSERT_TRUE(CloseSheet(again.sheet, PSBTN_CANCEL));
    ExpectClosesCleanly(session);
}

} // namespace
} // namespace zentrava::e2e
