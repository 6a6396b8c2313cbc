#include "sound/audio_settings.h"

#include "base/memory_settings_store.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace zentrava {
namespace {

class FakeFolders final : public FolderReader {
public:
    std::set<std::string, std::less<>> directories;
    bool IsDirectory(std::string_view path) const override { return directories.contains(path); }
    std::vector<FolderEntry> List(std::string_view) const override { return {}; }
};

TEST(AudioSettings, SongOnAMissingDriveKeepsItsTextButPlaysAsEmpty) {
    MemorySettingsStore store("[Audio_Sound_Setting]\n"
                              "AudioSoundFile0101=E:\\music\\gone.mp3\n"
                              "AudioSoundFile0102=C:\\music\\here.mp3\n");
    store.AddExistingFile("C:\\music\\here.mp3");
    const AudioSettings loaded = LoadAudioSettings(store, FakeFolders{});
    const AudioSong& gone = loaded.playlists[0][0];
    EXPECT_TRUE(gone.missing);
    EXPECT_FALSE(gone.Playable());
    EXPECT_EQ(gone.displayName, "");
    EXPECT_EQ(loaded.playlists[0][1].displayName, "here.mp3");
    EXPECT_TRUE(SelectedPlaylistHasSong(loaded));

    // A slot the user cleared no longer plays; the absent one never did.
    AudioSettings edited = loaded;
    edited.playlists[0][1] = ChosenSong("");
    EXPECT_FALSE(SelectedPlaylistHasSong(edited));
}

TEST(AudioSettings, OutOfRangeValuesAndMissingFoldersLoadAsUsable) {
    MemorySettingsStore store("[Audio_Setting]\nSelectPlayListNo=12\nAudioRepeatOn=-3\n"
                              "AudioPlaySetting=7\nSelectAudioSource=2\n"
                              "[Audio_Folder]\nSelectFolderPlayListNo=-1\n"
                              "Audio_Folder_01=C:\\music\nAudio_Folder_02=C:\\nothing\n");
    FakeFolders folders;
    folders.directories.insert("C:\\music");
    const AudioSettings s = LoadAudioSettings(store, folders);
    EXPECT_EQ(s.SelectPlayListNo, 9);
    EXPECT_EQ(s.AudioRepeatOn, 0);
    EXPECT_EQ(s.AudioPlaySetting, 1);
    EXPECT_EQ(s.SelectAudioSource, 1);
    EXPECT_EQ(s.SelectFolderPlayListNo, 0);
    EXPECT_EQ(s.folders[0], "C:\\music");
    EXPECT_EQ(s.folders[1], "");
}

TEST(AudioSettings, AFullSaveReadsBackTheSameRecord) {
    AudioSettings s;
    s.AudioPlaySetting = 1;
    s.SelectPlayListNo = 3;
    s.SelectAudioSource = 0;
    s.playlists[3][19] = ChosenSong("C:\\x\\last.mid");
    s.folders[9] = "C:\\tunes";
    MemorySettingsStore store;
    store.AddExistingFile("C:\\x\\last.mid");
    ASSERT_TRUE(SaveAudioSettings(store, s, nullptr));
    FakeFolders folders;
    folders.directories.insert("C:\\tunes");
    EXPECT_EQ(LoadAudioSettings(store, folders), s);
}

} // namespace
} // namespace zentrava
