#pragma once
// The audio player's play order: which files a folder playlist plays, which song a run starts
// with, which comes next, and when a run ends. Portable: the glue opens the songs on the audio
// channel and hands in the file system (FolderReader) and the stop request.

#include "sound/audio_settings.h"
#include "sound/folder_reader.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrava {

// The 15-bit generator the player's random order has always used (state * 214013 + 2531011,
// bits 16..30), so that a seed gives the sequence it always gave. A pick needs more bits than
// one call gives: Bits30 joins two calls.
class Random15 {
public:
    explicit Random15(std::uint32_t seed = 1) : state_(seed) {}
    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }
    std::uint32_t Bits30() {
        const auto high = static_cast<std::uint32_t>(Next());
        return high << 15 | static_cast<std::uint32_t>(Next());
    }

private:
    std::uint32_t state_;
};

// A uniform draw from 0..count-1 (count > 0) with at least 30 random bits; more calls join in
// for counts beyond 2^30. Draws in the short top range that would favour low values are thrown
// back, so every value is equally likely.
std::size_t UniformBelow(Random15& random, std::size_t count);

// The folder's playable files as full paths, in enumeration order, from one enumeration: the six
// playable extensions in any case; not directories (a folder named "x.mp3" would reach MCI and
// its failed open would close every channel); not names holding '?' (the A functions' mark for
// a character outside the code page: no such name opens); not paths of 260 characters or more
// (they do not fit the channel's file name).
std::vector<std::string> ScanFolder(const FolderReader& reader, std::string_view folder);

// Indices not yet played in this cycle; a pick takes one out in constant time by moving the last
// one into its place.
class Unplayed {
public:
    void Reset(std::vector<std::size_t> indices) { left_ = std::move(indices); }
    std::size_t Remaining() const { return left_.size(); }
    std::size_t TakeAt(std::size_t at) {
        const std::size_t index = left_[at];
        left_[at] = left_.back();
        left_.pop_back();
        return index;
    }

private:
    std::vector<std::size_t> left_;
};

// What the glue does after a song ended, and at the start of a run.
struct PlayStep {
    bool play = false; // false: the run ends (or, at a start, never begins)
    std::string path;  // the song to open when play is true
};

class AudioPlayer {
public:
    explicit AudioPlayer(std::uint32_t seed = 1) : random_(seed) {}

    const AudioSettings& Settings() const { return settings_; }
    const std::vector<std::string>& FolderFiles() const { return folderFiles_; }
    std::size_t CurrentIndex() const { return current_; }

    // At creation and at every apply: the record becomes live, the selected folder is
    // enumerated again when folders are the source, and every played mark is renewed with it.
    void Load(AudioSettings settings, const FolderReader& reader);

    // The menu offers a run: the selected playlist holds a song a run may play, or the folder
    // list is not empty.
    bool HasSongs() const;

    // Command 40042. The folder is enumerated once more (it may have gained or lost files since)
    // and that list alone is played; the marks of either source start afresh.
    PlayStep StartRun(const FolderReader& reader);

    // After a song ended on its own. A stop asked for between songs ends the run here.
    PlayStep Next(bool stopRequested);

    // A stop of a sounding song: the next run's list order starts from the top.
    void ResetSongIndex() { current_ = 0; }

private:
    std::size_t Limit() const;
    bool Repeats() const { return settings_.AudioRepeatOn != 0; }
    bool Random() const { return settings_.AudioPlaySetting != 0; }
    void RenewPlaylistMarks();
    void RenewFolderMarks();
    // Both return Limit() when nothing is left to play.
    std::size_t RandomPick();
    std::size_t FilledSlotFrom(std::size_t slot) const;
    std::size_t NextInOrder() const;
    PlayStep StepTo(std::size_t index);

    AudioSettings settings_;
    std::vector<std::string> folderFiles_;
    Unplayed unplayed_;
    Random15 random_;
    std::size_t current_ = 0;
};

} // namespace zentrava
