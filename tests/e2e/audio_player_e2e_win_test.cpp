// The music player as the user meets it: 40042 plays the selected playlist or folder in its
// order and ends, repeats until stopped, plays only the files it can open, and gets over a file
// that will not open; a time signal that ends during the music leaves the music alone.

#include "base/test_hooks.h"
#include "e2e/e2e_support.h"
#include "resources/commands.h"
#include "sound/test_sounds_win.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace zentrava::e2e {
namespace {

constexpr const char* kAudioAlias = "Zentrava_User_Mode_AudioSound";
constexpr UINT kTrayIconId = 100;

// Each song's tone names it in the capture.
constexpr double kThreeHz = 440.0;
constexpr double kSevenHz = 880.0;

struct Song {
    std::string name;
    std::vector<unsigned char> bytes;
};

// Stages the test build with the songs written beside it (a name ending in '\' is made a
// folder) and the settings made for that folder.
template <typename MakeIni>
::testing::AssertionResult StartWithSongs(ZentravaSession& session, const std::vector<Song>& songs,
                                          MakeIni makeIni) {
    if (!session.Stage(ProgramPath(kTestBuild), "Zentrava")) {
        return ::testing::AssertionFailure() << session.lastError();
    }
    for (const Song& song : songs) {
        const std::string path = session.dir() + song.name;
        const bool made = song.name.back() == '\\' ? CreateDirectoryA(path.c_str(), nullptr) != 0
                                                   : WriteFileBytes(path, song.bytes);
        if (!made) {
            return ::testing::AssertionFailure() << "cannot write " << path;
        }
    }
    if (!session.WriteIni(makeIni(session.dir())) || !session.Launch() ||
        session.WaitForMainWindow() == nullptr) {
        return ::testing::AssertionFailure() << session.lastError();
    }
    return ::testing::AssertionSuccess();
}

std::string PlaylistIni(const std::string& dir, int repeat, const std::vector<std::string>& slots) {
    std::string ini = "[Audio_Setting]\r\nSelectAudioSource=1\r\nAudioPlaySetting=0\r\n"
                      "AudioRepeatOn=" +
                      std::to_string(repeat) + "\r\n[Audio_Sound_Setting]\r\n";
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (!slots[i].empty()) {
            char key[32];
            std::snprintf(key, sizeof key, "AudioSoundFile01%02d=", static_cast<int>(i + 1));
            ini += key + dir + slots[i] + "\r\n";
        }
    }
    return ini;
}

std::string FolderIni(const std::string& dir, int random) {
    return "[Audio_Setting]\r\nSelectAudioSource=0\r\nAudioRepeatOn=0\r\nAudioPlaySetting=" +
           std::to_string(random) + "\r\n[Audio_Folder]\r\nAudio_Folder_01=" + dir + "music\r\n";
}

// The songs the player opened, in order, from the event log.
std::vector<std::string> SongsPlayed(const std::string& log) {
    std::vector<std::string> songs;
    const std::string mark = "audio song ";
    for (std::size_t at = log.find(mark); at != std::string::npos; at = log.find(mark, at + 1)) {
        const std::size_t start = at + mark.size();
        const std::string path = log.substr(start, log.find('\n', start) - start);
        songs.push_back(path.substr(path.find_last_of('\\') + 1));
    }
    return songs;
}

// The menu item as the menus would show it now.
bool MenuItemEnabled(const ZentravaSession& session, int id) {
    const std::int32_t item = id;
    return (session.CopyData(hooks::kMenuItemState, &item, sizeof item).value_or(0) & 2) != 0;
}

// The capture holds the most recent stream only: the pitches of the streams as they come, one
// entry each (rounded to 10 Hz), watched until the log holds `until`.
std::vector<int> WatchPitches(const ZentravaSession& session, const std::string& until,
                              DWORD timeoutMs) {
    std::vector<int> pitches;
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (GetTickCount64() < end) {
        const Capture c = ReadCapture(CapturePath());
        if (c.found && c.soundFrames > 2000 && c.pitchHz > 0) {
            const int hz = static_cast<int>(std::lround(c.pitchHz / 10.0)) * 10;
            if (pitches.empty() || pitches.back() != hz) {
                pitches.push_back(hz);
            }
        }
        if (session.EventLogText().value_or("").find(until) != std::string::npos) {
            break;
        }
        Sleep(10);
    }
    return pitches;
}

void ExpectCleanEnd(const ZentravaSession& session, const std::string& log) {
    EXPECT_EQ(log.find("mci-box"), std::string::npos) << log;
    EXPECT_EQ(Count(log, "audio timer start"), Count(log, "audio timer kill")) << log;
    EXPECT_TRUE(MenuItemEnabled(session, kCmdPlayAudio)) << "Play offered again";
    EXPECT_FALSE(MenuItemEnabled(session, kCmdStopAudio));
}

TEST(AudioPlayer, PlaylistPlaysSlotsThreeThenSevenAndEnds) {
    ZentravaSession session;
    ASSERT_TRUE(StartWithSongs(
        session, {{"three.wav", ToneWav(1.0, kThreeHz)}, {"seven.wav", ToneWav(1.0, kSevenHz)}},
        [](const std::string& dir) {
            return PlaylistIni(dir, 0, {"gone.wav", "", "three.wav", "", "", "", "seven.wav"});
        }));
    ForgetCapture();
    EXPECT_EQ(session.Command(kCmdPlayAudio), LRESULT{1});
    const std::vector<int> pitches = WatchPitches(session, "audio run ended", 15000);
    const std::string log = session.WaitForLogLine("audio run ended", 1000);
    EXPECT_EQ(SongsPlayed(log), (std::vector<std::string>{"three.wav", "seven.wav"})) << log;
    if (!CapturePath().empty()) {
        ASSERT_EQ(pitches.size(), 2u) << "two streams, one after the other";
        EXPECT_NEAR(pitches[0], kThreeHz, kThreeHz * 0.05);
        EXPECT_NEAR(pitches[1], kSevenHz, kSevenHz * 0.05);
    }
    ExpectCleanEnd(session, log);
    ExpectClosesCleanly(session);
}

TEST(AudioPlayer, RepeatAlternatesUntilStopped) {
    ZentravaSession session;
    ASSERT_TRUE(StartWithSongs(
        session, {{"three.wav", ToneWav(0.5, kThreeHz)}, {"seven.wav", ToneWav(0.5, kSevenHz)}},
        [](const std::string& dir) {
            return PlaylistIni(dir, 1, {"", "", "three.wav", "", "", "", "seven.wav"});
        }));
    EXPECT_EQ(session.Command(kCmdPlayAudio), LRESULT{1});
    ASSERT_TRUE(WaitFor(
        [&] { return SongsPlayed(session.EventLogText().value_or("")).size() >= 4; }, 15000));
    EXPECT_FALSE(MenuItemEnabled(session, kCmdPlayAudio)) << "no second run while one plays";
    EXPECT_EQ(session.Command(kCmdStopAudio), LRESULT{1});
    Sleep(1500);
    const std::string log = session.EventLogText().value_or("");
    const std::vector<std::string> played = SongsPlayed(log);
    for (std::size_t i = 0; i < played.size(); ++i) {
        EXPECT_EQ(played[i], i % 2 == 0 ? "three.wav" : "seven.wav") << i;
    }
    EXPECT_EQ(SongsPlayed(session.EventLogText().value_or("")).size(), played.size())
        << "nothing plays after the stop";
    ExpectCleanEnd(session, log);
    ExpectClosesCleanly(session);
}

// The tray tip names the playing song; closing the clock mid-song stops the position timer.
TEST(AudioPlayer, TrayTipNamesTheSongAndClosingMidSongStopsTheTimer) {
    ZentravaSession session;
    ASSERT_TRUE(StartWithSongs(session, {{"three.wav", ToneWav(8.0, kThreeHz)}},
                               [](const std::string& dir) {
                                   return PlaylistIni(dir, 1, {"", "", "three.wav"});
                               }));
    ASSERT_TRUE(WaitForTrayIcon(session.mainWindow(), kTrayIconId).has_value());
    EXPECT_EQ(session.Command(kCmdPlayAudio), LRESULT{1});
    // "[♪three]": the name without folder and extension.
    EXPECT_TRUE(WaitFor(
        [&] {
            const std::optional<TrayIcon> icon = FindTrayIcon(session.mainWindow(), kTrayIconId);
            return icon && icon->tip.find("[\x81\xF4three]") != std::string::npos;
        },
        5000));
    EXPECT_NE(session.WaitForLogLine("audio timer start").find("audio timer start"),
              std::string::npos);
    ExpectClosesCleanly(session);
    const std::string log = session.EventLogText().value_or("");
    EXPECT_EQ(Count(log, "audio timer start"), 1u) << log;
    EXPECT_EQ(Count(log, "audio timer kill"), 1u) << log;
}

TEST(AudioPlayer, FolderPlaysOnlyItsPlayableFiles) {
    ZentravaSession session;
    ASSERT_TRUE(StartWithSongs(session,
                               {{"music\\", {}},
                                {"music\\a.MP3", ToneWav(0.3)},
                                {"music\\b.txt", ToneWav(0.3)},
                                {"music\\c.wav", ToneWav(0.3)},
                                {"music\\d.mp3\\", {}}},
                               [](const std::string& dir) { return FolderIni(dir, 0); }));
    EXPECT_EQ(session.Command(kCmdPlayAudio), LRESULT{1});
    const std::string log = session.WaitForLogLine("audio run ended", 15000);
    const std::vector<std::string> played = SongsPlayed(log);
    EXPECT_EQ(std::multiset<std::string>(played.begin(), played.end()),
              (std::multiset<std::string>{"a.MP3", "c.wav"}))
        << log;
    ExpectCleanEnd(session, log);
    ExpectClosesCleanly(session);
}

TEST(AudioPlayer, RandomOrderPlaysFiveDifferentFiles) {
    std::vector<Song> songs{{"music\\", {}}};
    for (int i = 0; i < 5; ++i) {
        songs.push_back({"music\\song" + std::to_string(i) + ".wav", ToneWav(0.3)});
    }
    ZentravaSession session;
    ASSERT_TRUE(
        StartWithSongs(session, songs, [](const std::string& dir) { return FolderIni(dir, 1); }));
    EXPECT_EQ(session.Command(kCmdPlayAudio), LRESULT{1});
    const std::string log = session.WaitForLogLine("audio run ended", 20000);
    const std::vector<std::string> played = SongsPlayed(log);
    EXPECT_EQ(played.size(), 5u) << log;
    EXPECT_EQ(std::set<std::string>(played.begin(), played.end()).size(), 5u) << log;
    ExpectCleanEnd(session, log);
    ExpectClosesCleanly(session);
}

// The second song will not open. The run ends there: a stop pressed while its box is open
// leaves nothing for the next run, which plays the first song and tries the second again.
TEST(AudioPlayer, SongThatWillNotOpenEndsTheRunCleanly) {
    ZentravaSession session;
    ASSERT_TRUE(StartWithSongs(session, {{"one.wav", ToneWav(0.3)}, {"noise.xyz", NoiseBytes()}},
                               [](const std::string& dir) {
                                   return PlaylistIni(dir, 0, {"one.wav", "noise.xyz"});
                               }));
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        EXPECT_EQ(session.Command(kCmdPlayAudio), LRESULT{1});
        const std::optional<MessageBoxInfo> box = session.WaitForMessageBox(10000);
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->caption.rfind("Zentrava MCI Command", 0), 0u);
        if (run == 1) {
            EXPECT_EQ(session.Command(kCmdStopAudio), LRESULT{1});
        }
        EXPECT_TRUE(session.DismissMessageBox(box->hwnd));
        EXPECT_FALSE(session.WaitForMessageBox(1000).has_value()) << "one box";
        const std::string log = session.WaitForLogLine("audio run ended", 3000);
        EXPECT_EQ(Count(log, "audio run ended"), static_cast<std::size_t>(run)) << log;
        EXPECT_EQ(Count(log, "audio song " + session.dir() + "one.wav"),
                  static_cast<std::size_t>(run));
        EXPECT_EQ(Count(log, "audio timer start"), Count(log, "audio timer kill")) << log;
        EXPECT_TRUE(MenuItemEnabled(session, kCmdPlayAudio)) << "Play offered again";
    }
    ExpectClosesCleanly(session);
}

// A custom time signal at 07:05:10 sounds and ends while the first song plays; the second song
// follows it without a box.
TEST(AudioPlayer, TimeSignalEndingDuringMusicLeavesTheMusicGoing) {
    ZentravaSession session;
    ASSERT_TRUE(StartWithSongs(
        session,
        {{"long.wav", ToneWav(6.0)}, {"next.wav", ToneWav(0.5)}, {"chime.wav", ToneWav(0.3)}},
        [](const std::string& dir) {
            return PlaylistIni(dir, 0, {"long.wav", "next.wav"}) +
                   "[Time_Signal_Setting]\r\nTimeSignalSoundFile=" + dir +
                   "chime.wav\r\nTimeSignalOn01=1\r\nTimeSignalHour01=7\r\n"
                   "TimeSignalMinute01=5\r\nTimeSignalSecond01=10\r\n";
        }));
    ASSERT_TRUE(session.LoadClocks(SYSTEMTIME{2024, 6, 6, 1, 7, 5, 9, 0}));
    EXPECT_EQ(session.Command(kCmdPlayAudio), LRESULT{1});
    const std::string log = session.WaitForLogLine("audio run ended", 20000);
    const std::size_t chime = log.find("mci open Zentrava_User_Mode_TimeSignalSound 0");
    ASSERT_NE(chime, std::string::npos) << log;
    const std::size_t next = log.find("audio song " + session.dir() + "next.wav");
    ASSERT_NE(next, std::string::npos) << log;
    EXPECT_LT(chime, next) << "the chime came during the first song";
    // Each channel closed its own device: the chime's before the second song, the first song's
    // when it ended.
    const auto device = [&log](const std::string& alias) {
        const std::string line = "mci open " + alias + " 0 ";
        const std::size_t at = log.find(line) + line.size();
        return log.substr(at, log.find('\n', at) - at);
    };
    const std::string chimeClose = "mci close " + device("Zentrava_User_Mode_TimeSignalSound");
    const std::string songClose = "mci close " + device(kAudioAlias);
    EXPECT_LT(log.find(chimeClose + "\n"), next) << log;
    EXPECT_LT(log.find(songClose + "\n"), next) << log;
    EXPECT_NE(log.find("mci open " + std::string(kAudioAlias) + " 0", next), std::string::npos)
        << log;
    EXPECT_EQ(log.find("mci close-all"), std::string::npos) << log;
    ExpectCleanEnd(session, log);
    ExpectClosesCleanly(session);
}

} // namespace
} // namespace zentrava::e2e
