#include "sound/audio_player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace zentrava {
namespace {

class FakeFolders final : public FolderReader {
public:
    std::map<std::string, std::vector<FolderEntry>, std::less<>> folders;
    bool IsDirectory(std::string_view path) const override { return folders.contains(path); }
    std::vector<FolderEntry> List(std::string_view folder) const override {
        const auto it = folders.find(folder);
        return it == folders.end() ? std::vector<FolderEntry>{} : it->second;
    }
};

std::vector<FolderEntry> Files(int count, const std::string& ext = ".mp3") {
    std::vector<FolderEntry> entries;
    for (int i = 0; i < count; ++i) {
        entries.push_back({"song" + std::to_string(i) + ext, false});
    }
    return entries;
}

AudioSettings FolderSource(int repeat, int random) {
    AudioSettings s;
    s.SelectAudioSource = 0;
    s.SelectFolderPlayListNo = 2;
    s.folders[2] = "C:\\music";
    s.AudioRepeatOn = repeat;
    s.AudioPlaySetting = random;
    return s;
}

// Playlist 4 with songs in slots 3 and 7 (counted from 1); slot 1 names a file that was not
// there at start-up.
AudioSettings SlotsThreeAndSeven(int repeat, int random) {
    AudioSettings s;
    s.SelectPlayListNo = 3;
    s.AudioRepeatOn = repeat;
    s.AudioPlaySetting = random;
    s.playlists[3][0] = AudioSong{"E:\\gone.mp3", "", true};
    s.playlists[3][2] = ChosenSong("C:\\three.wav");
    s.playlists[3][6] = ChosenSong("C:\\seven.wav");
    return s;
}

// What a run plays, song after song, until it ends or `most` songs have played.
std::vector<std::string> PlayRun(AudioPlayer& player, const FolderReader& reader,
                                 std::size_t most) {
    std::vector<std::string> played;
    for (PlayStep step = player.StartRun(reader); step.play && played.size() < most;
         step = player.Next(false)) {
        played.push_back(step.path);
    }
    return played;
}

TEST(AudioPlayer, NextSongFollowsSourceOrderAndRepeat) {
    const std::string a = "C:\\music\\song0.mp3";
    const std::string b = "C:\\music\\song1.mp3";
    const std::string c3 = "C:\\music\\song2.mp3";
    const std::string three = "C:\\three.wav";
    const std::string seven = "C:\\seven.wav";
    struct Case {
        const char* what;
        AudioSettings settings;
        std::vector<std::string> expected; // a run of at most 7 songs
    };
    const Case cases[] = {
        {"playlist, repeat on",
         SlotsThreeAndSeven(1, 0),
         {three, seven, three, seven, three, seven, three}},
        {"playlist, repeat off", SlotsThreeAndSeven(0, 0), {three, seven}},
        {"folder, repeat on", FolderSource(1, 0), {a, b, c3, a, b, c3, a}},
        {"folder, repeat off", FolderSource(0, 0), {a, b, c3}},
    };
    FakeFolders reader;
    reader.folders["C:\\music"] = Files(3);
    for (const Case& c : cases) {
        AudioPlayer player;
        player.Load(c.settings, reader);
        EXPECT_EQ(PlayRun(player, reader, 7), c.expected) << c.what;
    }
}

TEST(AudioPlayer, RandomOrderPlaysEachSongOncePerCycle) {
    FakeFolders reader;
    reader.folders["C:\\music"] = Files(5);
    for (const int repeat : {0, 1}) {
        for (const bool folder : {true, false}) {
            AudioSettings s = folder ? FolderSource(repeat, 1) : SlotsThreeAndSeven(repeat, 1);
            const std::size_t songs = folder ? 5 : 2;
            AudioPlayer player(static_cast<std::uint32_t>(7 + repeat));
            player.Load(s, reader);
            const std::vector<std::string> played = PlayRun(player, reader, 3 * songs);
            ASSERT_EQ(played.size(), repeat != 0 ? 3 * songs : songs)
                << "repeat " << repeat << " folder " << folder;
            for (std::size_t cycle = 0; cycle < played.size(); cycle += songs) {
                const std::set<std::string> distinct(played.begin() + cycle,
                                                     played.begin() + cycle + songs);
                EXPECT_EQ(distinct.size(), songs) << "cycle from " << cycle;
            }
        }
    }
}

TEST(AudioPlayer, RandomCycleOverFortyThousandFilesEndsAndPlaysEachOnce) {
    FakeFolders reader;
    reader.folders["C:\\music"] = Files(40000);
    AudioPlayer player(12345);
    player.Load(FolderSource(0, 1), reader);
    std::vector<int> times(40000, 0);
    std::size_t count = 0;
    for (PlayStep step = player.StartRun(reader); step.play; step = player.Next(false)) {
        ASSERT_LT(++count, 40001u) << "the run does not end";
        ++times[player.CurrentIndex()];
    }
    EXPECT_EQ(count, 40000u);
    EXPECT_EQ(std::count(times.begin(), times.end(), 1), 40000);
}

// One call of the 15-bit generator reaches at most 32,768 of them.
TEST(AudioPlayer, EveryOneOfAHundredThousandIndicesCanBeDrawn) {
    Random15 random(99);
    std::vector<char> seen(100000, 0);
    for (int i = 0; i < 2000000; ++i) {
        seen[UniformBelow(random, seen.size())] = 1;
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), 100000);
}

TEST(AudioPlayer, GeneratorKeepsItsSequence) {
    Random15 random(1);
    // The first values of the classic generator seeded with 1.
    EXPECT_EQ(random.Next(), 41);
    EXPECT_EQ(random.Next(), 18467);
    EXPECT_EQ(random.Next(), 6334);
}

TEST(AudioPlayer, FolderScanPlaysOnlyFilesItCanOpen) {
    struct Case {
        FolderEntry entry;
        bool listed;
    };
    const std::string longName(260 - 9 - 4, 'n'); // "C:\\music\\" and ".wav" make 260
    const Case cases[] = {
        {{"a.MP3", false}, true},
        {{"b.txt", false}, false},
        {{"c.wav", false}, true},
        {{"d.mp3", true}, false}, // a sub-folder
        {{"e.Midi", false}, true},
        {{"f.wma", false}, true},
        {{"g.mid", false}, true},
        {{"h.rmi", false}, true},
        {{"\x95\x5C.wav", false}, true}, // a double-byte name ending in 0x5C
        {{"?.mp3", false}, false},       // a name outside the code page
        {{"mp3", false}, false},
        {{longName + ".wav", false}, false},          // 260 characters with the folder
        {{longName.substr(2) + ".wav", false}, true}, // 258
    };
    FakeFolders reader;
    std::vector<std::string> expected;
    for (const Case& c : cases) {
        reader.folders["C:\\music"].push_back(c.entry);
        if (c.listed) {
            expected.push_back("C:\\music\\" + c.entry.name);
        }
    }
    EXPECT_EQ(ScanFolder(reader, "C:\\music"), expected);
    reader.folders["C:\\"] = {{"x.wav", false}};
    EXPECT_EQ(ScanFolder(reader, "C:\\"), std::vector<std::string>{"C:\\x.wav"});
}

// The list is built by the enumeration that starts the run; the count is its size.
TEST(AudioPlayer, FolderThatChangedSinceLoadPlaysWhatItHoldsNow) {
    for (const int grown : {5, 1}) {
        FakeFolders reader;
        reader.folders["C:\\music"] = Files(2);
        AudioPlayer player;
        player.Load(FolderSource(0, 0), reader);
        reader.folders["C:\\music"] = Files(grown);
        const std::vector<std::string> played = PlayRun(player, reader, 10);
        EXPECT_EQ(played.size(), static_cast<std::size_t>(grown));
        EXPECT_EQ(played.back(), "C:\\music\\song" + std::to_string(grown - 1) + ".mp3");
    }
}

TEST(AudioPlayer, NothingToPlayStartsNoRun) {
    FakeFolders reader;
    reader.folders["C:\\music"] = {{"sub.mp3", true}, {"notes.txt", false}};
    struct Case {
        const char* what;
        AudioSettings settings;
    };
    AudioSettings missingOnly;
    missingOnly.playlists[0][0] = AudioSong{"E:\\gone.mp3", "", true};
    AudioSettings noFolder = FolderSource(1, 0);
    noFolder.folders[2] = "C:\\elsewhere";
    for (const Case& c :
         {Case{"folder without playable files", FolderSource(1, 1)}, Case{"folder gone", noFolder},
          Case{"playlist of a missing file", missingOnly}}) {
        AudioPlayer player;
        player.Load(c.settings, reader);
        EXPECT_FALSE(player.HasSongs()) << c.what;
        EXPECT_FALSE(player.StartRun(reader).play) << c.what;
    }
}

// An apply during a run that empties the playlist: the next song ends the run.
TEST(AudioPlayer, PlaylistEmptiedDuringARunEndsItAtTheNextSong) {
    FakeFolders reader;
    for (const int repeat : {0, 1}) {
        for (const int random : {0, 1}) {
            AudioPlayer player;
            player.Load(SlotsThreeAndSeven(repeat, random), reader);
            ASSERT_TRUE(player.StartRun(reader).play);
            AudioSettings emptied = SlotsThreeAndSeven(repeat, random);
            emptied.playlists[3][2] = ChosenSong("");
            emptied.playlists[3][6] = ChosenSong("");
            player.Load(emptied, reader);
            const PlayStep next = player.Next(false);
            EXPECT_FALSE(next.play)
                << "repeat " << repeat << " random " << random << " opens " << next.path;
        }
    }
}

TEST(AudioPlayer, StopAskedBetweenSongsEndsTheRun) {
    FakeFolders reader;
    AudioPlayer player;
    player.Load(SlotsThreeAndSeven(1, 0), reader);
    ASSERT_TRUE(player.StartRun(reader).play);
    EXPECT_FALSE(player.Next(true).play);
    // The next run starts from the top again.
    player.ResetSongIndex();
    EXPECT_EQ(player.StartRun(reader).path, "C:\\three.wav");
}

} // namespace
} // namespace zentrava
