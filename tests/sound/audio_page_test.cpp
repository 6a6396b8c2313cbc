#include "sound/audio_page.h"

#include "base/memory_settings_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zentrava {
namespace {

// Counts the writes: under Wine each one rewrites the whole settings file.
class CountingStore final : public SettingsStore {
public:
    explicit CountingStore(std::string text) : file(std::move(text)) {}
    int GetInt(std::string_view section, std::string_view key, int def) const override {
        return file.GetInt(section, key, def);
    }
    std::string GetText(std::string_view section, std::string_view key, std::string_view def,
                        std::size_t bufferSize) const override {
        return file.GetText(section, key, def, bufferSize);
    }
    bool PutText(std::string_view section, std::string_view key, std::string_view value) override {
        written.emplace_back(key);
        return file.PutText(section, key, value);
    }
    bool FileExists(std::string_view path) const override { return file.FileExists(path); }

    MemorySettingsStore file;
    std::vector<std::string> written;
};

class NoFolders final : public FolderReader {
public:
    bool IsDirectory(std::string_view) const override { return true; }
    std::vector<FolderEntry> List(std::string_view) const override { return {}; }
};

TEST(AudioPage, ASelectionChangesTheListOfTheSourceShownOnly) {
    struct Case {
        int source;
        int selection;
        bool taken;
        int playlist;
        int folder;
    };
    const Case cases[] = {
        {1, 5, true, 5, 2},   {0, 5, true, 1, 5}, {1, -1, false, 1, 2},
        {0, 10, false, 1, 2}, {1, 9, true, 9, 2}, {0, 0, true, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.source << " " << c.selection);
        AudioSettings s;
        s.SelectAudioSource = c.source;
        s.SelectPlayListNo = 1;
        s.SelectFolderPlayListNo = 2;
        EXPECT_EQ(SelectShownList(s, c.selection), c.taken);
        EXPECT_EQ(s.SelectPlayListNo, c.playlist);
        EXPECT_EQ(s.SelectFolderPlayListNo, c.folder);
        EXPECT_EQ(ShownList(s), c.source == 0 ? c.folder : c.playlist);
    }
}

TEST(AudioPage, ChoosingOrClearingASlotTouchesThatSlotOfTheSelectedPlaylistOnly) {
    MemorySettingsStore store("[Audio_Setting]\nSelectPlayListNo=1\n"
                              "[Audio_Sound_Setting]\n"
                              "AudioSoundFile0201=E:\\gone\\a.mp3\n"
                              "AudioSoundFile0202=E:\\gone\\b.mp3\n"
                              "AudioSoundFile0203=C:\\here\\c.wav\n");
    store.AddExistingFile("C:\\here\\c.wav");
    AudioSettings s = LoadAudioSettings(store, NoFolders{});
    ASSERT_TRUE(s.playlists[1][0].missing);

    SetSong(s, 0, "");
    SetSong(s, 2, "C:\\here\\d.MID");
    EXPECT_EQ(s.playlists[1][0], AudioSong{});
    EXPECT_EQ(s.playlists[1][1].path, "E:\\gone\\b.mp3") << "an untouched slot keeps its text";
    EXPECT_TRUE(s.playlists[1][1].missing);
    EXPECT_EQ(ShownSongNames(s)[1], "");
    EXPECT_EQ(ShownSongNames(s)[2], "d.MID");
    EXPECT_FALSE(s.playlists[1][2].missing);
    EXPECT_EQ(s.playlists[0][2], AudioSong{}) << "another playlist is left alone";
}

TEST(AudioPage, ApplyWritesOnlyWhatChangedSinceTheLastApplyAndNothingWhenUnchanged) {
    const std::string file = "[Audio_Sound_Setting]\nAudioSoundFile0101=E:\\gone\\a.mp3\n"
                             "AudioSoundFile0102=C:\\b.wav\n";
    CountingStore store(file);
    store.file.AddExistingFile("C:\\b.wav");
    PageCopies<AudioSettings> copies;
    copies.Begin(LoadAudioSettings(store, NoFolders{}));
    int madeLive = 0;
    const auto makeLive = [&madeLive](const AudioSettings&) { ++madeLive; };

    EXPECT_FALSE(CommitAudioPage(copies, store, makeLive));
    EXPECT_TRUE(store.written.empty());
    EXPECT_EQ(madeLive, 0);

    SetSong(copies.working(), 1, "");
    copies.MarkChanged();
    EXPECT_TRUE(CommitAudioPage(copies, store, makeLive));
    EXPECT_EQ(store.written, std::vector<std::string>{"AudioSoundFile0102"});
    EXPECT_EQ(madeLive, 1);
    EXPECT_EQ(store.file.GetText("Audio_Sound_Setting", "AudioSoundFile0101", "", 260),
              "E:\\gone\\a.mp3");

    // The next apply compares with this one, not with the file as it was at opening.
    store.written.clear();
    copies.working().AudioRepeatOn = 0;
    copies.MarkChanged();
    EXPECT_TRUE(CommitAudioPage(copies, store, makeLive));
    EXPECT_EQ(store.written, std::vector<std::string>{"AudioRepeatOn"});
    EXPECT_FALSE(copies.changed());
}

} // namespace
} // namespace zentrava
