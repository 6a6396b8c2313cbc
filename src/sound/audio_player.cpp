#include "sound/audio_player.h"

#include "base/cp932_text.h"
#include "base/settings_path.h"
#include "base/settings_store.h"
#include "sound/sound_channels.h"

#include <numeric>

namespace zentrava {
namespace {

// "C:\" already ends with its separator; "C:\表" does not, though its last byte is 0x5C.
bool EndsWithSeparator(std::string_view folder) {
    const PathParts parts = SplitPath(folder);
    return parts.base.empty() && parts.ext.empty() && !parts.dir.empty();
}

// The extension of a bare file name, from its last dot, never taking the second byte of a
// double-byte character for one. Short enough to need no allocation when the scan checks it.
std::string_view Extension(std::string_view name) {
    std::size_t dot = std::string_view::npos;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (IsCp932LeadByte(static_cast<unsigned char>(name[i])) && i + 1 < name.size()) {
            ++i;
        } else if (name[i] == '.') {
            dot = i;
        }
    }
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

std::vector<std::string> ScanIfFolder(const FolderReader& reader, const std::string& folder) {
    if (folder.empty() || !reader.IsDirectory(folder)) {
        return {};
    }
    return ScanFolder(reader, folder);
}

std::vector<std::size_t> AllBelow(std::size_t count) {
    std::vector<std::size_t> indices(count);
    std::iota(indices.begin(), indices.end(), std::size_t{0});
    return indices;
}

} // namespace

std::size_t UniformBelow(Random15& random, std::size_t count) {
    std::uint64_t span = std::uint64_t{1} << 30;
    int extraCalls = 0;
    for (; span < count; span <<= 15) {
        ++extraCalls;
    }
    // The largest multiple of count within the span: draws at or above it are drawn again.
    const std::uint64_t fair = span - span % count;
    std::uint64_t bits = 0;
    do {
        bits = random.Bits30();
        for (int i = 0; i < extraCalls; ++i) {
            bits = bits << 15 | static_cast<std::uint64_t>(random.Next());
        }
    } while (bits >= fair);
    return static_cast<std::size_t>(bits % count);
}

std::vector<std::string> ScanFolder(const FolderReader& reader, std::string_view folder) {
    const std::string prefix = std::string(folder) + (EndsWithSeparator(folder) ? "" : "\\");
    std::vector<std::string> files;
    for (const FolderEntry& entry : reader.List(folder)) {
        if (entry.directory || entry.name.find('?') != std::string::npos ||
            DeviceTypeFor(Extension(entry.name)) == nullptr ||
            prefix.size() + entry.name.size() >= kPathBufferSize) {
            continue;
        }
        files.push_back(prefix + entry.name);
    }
    return files;
}

void AudioPlayer::Load(AudioSettings settings, const FolderReader& reader) {
    settings_ = std::move(settings);
    folderFiles_ = settings_.PlaysFolders() ? ScanIfFolder(reader, settings_.SelectedFolder())
                                            : std::vector<std::string>{};
    if (settings_.PlaysFolders()) {
        RenewFolderMarks();
    } else {
        RenewPlaylistMarks();
    }
}

bool AudioPlayer::HasSongs() const {
    return settings_.PlaysFolders() ? !folderFiles_.empty() : SelectedPlaylistHasSong(settings_);
}

std::size_t AudioPlayer::Limit() const {
    return settings_.PlaysFolders() ? folderFiles_.size() : std::size_t{kSongsPerPlaylist};
}

void AudioPlayer::RenewPlaylistMarks() {
    std::vector<std::size_t> filled;
    const Playlist& playlist = settings_.SelectedPlaylist();
    for (std::size_t slot = 0; slot < playlist.size(); ++slot) {
        if (playlist[slot].Playable()) {
            filled.push_back(slot);
        }
    }
    unplayed_.Reset(std::move(filled));
}

void AudioPlayer::RenewFolderMarks() {
    unplayed_.Reset(AllBelow(folderFiles_.size()));
}

std::size_t AudioPlayer::RandomPick() {
    if (unplayed_.Remaining() == 0 && Repeats()) {
        // A new cycle, once per pick: an empty source stays empty.
        if (settings_.PlaysFolders()) {
            RenewFolderMarks();
        } else {
            RenewPlaylistMarks();
        }
    }
    if (unplayed_.Remaining() == 0) {
        return Limit();
    }
    return unplayed_.TakeAt(UniformBelow(random_, unplayed_.Remaining()));
}

std::size_t AudioPlayer::FilledSlotFrom(std::size_t slot) const {
    const Playlist& playlist = settings_.SelectedPlaylist();
    for (; slot < playlist.size(); ++slot) {
        if (playlist[slot].Playable()) {
            return slot;
        }
    }
    return Limit();
}

std::size_t AudioPlayer::NextInOrder() const {
    if (settings_.PlaysFolders()) {
        const std::size_t next = current_ + 1;
        // ">=": an apply may have shortened the list below the song that just ended.
        if (next >= folderFiles_.size()) {
            return Repeats() && !folderFiles_.empty() ? 0 : folderFiles_.size();
        }
        return next;
    }
    const std::size_t next = FilledSlotFrom(current_ + 1);
    return next == Limit() && Repeats() ? FilledSlotFrom(0) : next;
}

PlayStep AudioPlayer::StepTo(std::size_t index) {
    PlayStep step;
    if (index >= Limit()) {
        return step;
    }
    if (settings_.PlaysFolders()) {
        step.path = folderFiles_[index];
    } else {
        const AudioSong& song = settings_.SelectedPlaylist()[index];
        // Never an empty slot: its empty path would reach MCI and close every channel.
        if (!song.Playable()) {
            return step;
        }
        step.path = song.path;
    }
    step.play = true;
    return step;
}

PlayStep AudioPlayer::StartRun(const FolderReader& reader) {
    if (settings_.PlaysFolders()) {
        folderFiles_ = ScanIfFolder(reader, settings_.SelectedFolder());
        RenewFolderMarks();
    } else {
        RenewPlaylistMarks();
    }
    if (!HasSongs()) {
        return {};
    }
    if (Random()) {
        current_ = RandomPick();
    } else {
        current_ = settings_.PlaysFolders() ? 0 : FilledSlotFrom(0);
    }
    return StepTo(current_);
}

PlayStep AudioPlayer::Next(bool stopRequested) {
    current_ = Random() ? RandomPick() : NextInOrder();
    if (stopRequested) {
        return {};
    }
    return StepTo(current_);
}

} // namespace zentrava
