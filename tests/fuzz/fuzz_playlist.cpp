// Playlists and folders of any size and any marks through the player's order, straight and
// random, repeating or not: a run always ends when it should, never plays a song that is not in
// its list, and never plays a song twice within one pass.
#include "fuzz/fuzz_check.h"
#include "sound/audio_player.h"
#include "sound/sound_channels.h"

#include <algorithm>
#include <set>

namespace zentrava {
namespace {

using fuzz::Require;

// A folder's entries as the input names them; the folder holds up to kMaxEntries of them.
constexpr std::size_t kMaxEntries = 3000;
constexpr std::array<std::string_view, 5> kEndings{".mp3", ".WAV", ".txt", ".Mid", ""};

class FuzzFolder final : public FolderReader {
public:
    // '?' is no character of a name the platform opens: such a folder is never a directory.
    bool IsDirectory(std::string_view path) const override {
        return path == folder && path.find('?') == std::string_view::npos;
    }
    std::vector<FolderEntry> List(std::string_view path) const override {
        return path == folder ? entries : std::vector<FolderEntry>{};
    }
    std::string folder;
    std::vector<FolderEntry> entries;
};

void FillFolder(fuzz::InputReader& in, FuzzFolder& reader) {
    // A C string in the program: it ends at its first NUL.
    const std::string_view folder = in.Text();
    reader.folder = std::string(folder.substr(0, folder.find('\0')));
    // Mostly small folders, so that millions of runs take minutes; a 255 asks for a large one.
    std::size_t count = in.Byte();
    if (count == 255) {
        count += (std::size_t{in.Byte()} << 8 | in.Byte()) % (kMaxEntries - 254);
    }
    const std::string_view stem = in.Text();
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t mark = in.Byte();
        // Names repeat when the input runs out: a folder of many alike names is a case too.
        FolderEntry e{std::string(stem.substr(0, mark % (stem.size() + 1))) + std::to_string(i) +
                          std::string(kEndings[mark % kEndings.size()]),
                      (mark & 0x80) != 0};
        reader.entries.push_back(std::move(e));
    }
}

void FillPlaylists(fuzz::InputReader& in, AudioSettings& s) {
    static const std::array<std::string, kSongsPerPlaylist> paths = [] {
        std::array<std::string, kSongsPerPlaylist> p;
        for (std::size_t slot = 0; slot < p.size(); ++slot) {
            p[slot] = "C:\\s\\" + std::to_string(slot) + ".mp3";
        }
        return p;
    }();
    for (Playlist& list : s.playlists) {
        const std::uint32_t marks = in.U32();
        for (std::size_t slot = 0; slot < list.size(); ++slot) {
            // Two bits a slot: empty, playable, or a path that named no file.
            const std::uint32_t m = marks >> (slot % 16 * 2) & 3;
            list[slot].path = m == 0 ? std::string() : paths[slot];
            list[slot].missing = m == 3;
        }
    }
}

} // namespace
} // namespace zentrava

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zentrava;
    fuzz::InputReader in(data, size);
    const std::uint8_t modes = in.Byte();
    AudioSettings s;
    s.AudioRepeatOn = modes & 1;
    s.AudioPlaySetting = modes >> 1 & 1;
    s.SelectAudioSource = modes >> 2 & 1;
    s.SelectPlayListNo = (modes >> 3) % kPlaylistCount;
    FuzzFolder reader;
    FillPlaylists(in, s);
    FillFolder(in, reader);
    s.folders[static_cast<std::size_t>(s.SelectFolderPlayListNo)] = reader.folder;

    AudioPlayer player(in.U32());
    player.Load(s, reader);
    PlayStep step = player.StartRun(reader);
    // The songs of this run, and which of them a pass may play.
    std::vector<std::string> songs = player.FolderFiles();
    if (!s.PlaysFolders()) {
        songs.clear();
        for (const AudioSong& song : s.SelectedPlaylist()) {
            songs.push_back(song.Playable() ? song.path : std::string());
        }
    }
    for (const std::string& path : player.FolderFiles()) {
        Require(path.size() < kPathBufferSize && path.find('?') == std::string::npos &&
                    DeviceTypeFor(path) != nullptr,
                "a folder's song can be opened");
    }
    const std::size_t playable = static_cast<std::size_t>(
        std::count_if(songs.begin(), songs.end(), [](const std::string& p) { return !p.empty(); }));
    Require(step.play == (playable > 0) && step.play == player.HasSongs(),
            "a run starts exactly when there is a song");

    // Three passes at most when repeating; one pass then the end otherwise.
    const std::size_t steps = s.AudioRepeatOn != 0 ? 3 * playable : playable + 1;
    std::set<std::size_t> pass;
    for (std::size_t i = 0; i < steps && step.play; ++i) {
        const std::size_t at = player.CurrentIndex();
        Require(at < songs.size() && !songs[at].empty() && step.path == songs[at],
                "only songs of the list play");
        if (pass.size() == playable) {
            pass.clear();
        }
        Require(pass.insert(at).second || s.AudioPlaySetting == 0,
                "no song twice in a random pass");
        step = player.Next(false);
    }
    Require(s.AudioRepeatOn != 0 || !step.play, "a run that does not repeat ends after one pass");
    Require(!player.Next(true).play, "a stop between songs ends the run");

    Random15 random(in.U32());
    const std::uint64_t count = 1 + (std::uint64_t{in.U32()} << in.Byte() % 24);
    Require(UniformBelow(random, count) < count, "a draw is below its count");
    return 0;
}
