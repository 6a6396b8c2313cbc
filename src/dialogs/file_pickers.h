#pragma once
// The decisions of the shared file pickers: which files a sound or picture chooser and a drop
// box accept, what they show, and what the open-file dialog is given.

#include "base/settings_store.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zentrava {

enum class FileKind { Sound, Picture };

// The longest path a chooser or drop box takes: what the settings file's readers get back whole.
// A longer one would be saved and then lost, cut short, at the next start.
inline constexpr std::size_t kLongestChosenPath = kPathBufferSize - 1;

// A literal with NULs inside, all of them kept (only the array's own terminator is left out).
template <std::size_t N>
constexpr std::string_view WithNuls(const char (&text)[N]) {
    return std::string_view(text, N - 1);
}

// The platform's open-file dialog takes pairs of description and pattern, each ended by a NUL,
// with one more NUL after the last pair.
inline constexpr std::string_view kSoundFileFilter =
    WithNuls("Sound Files(*.wav,*.mp3,*.wma)\0*.wav;*.mp3;*.wma\0"
             "MP3 Files(*.mp3)\0*.mp3\0"
             "MIDI Files(*.midi,*.mid,*.rmi)\0*.midi;*.mid;*.rmi\0\0");
inline constexpr std::string_view kPictureFileFilter =
    WithNuls("Picture Files(*.bmp,*.jpg,*jpeg,*.png,*.gif)\0*.bmp;*.jpg;*jpeg;*.png;*.gif\0\0");
inline constexpr const char* kChooserTitle = "ファイルの選択";
inline constexpr const char* kSoundDefaultExtension = "wav";
// A picture name typed without an extension is most likely a photograph.
inline constexpr const char* kPictureDefaultExtension = "jpg";
inline constexpr const char* kNotPlayableMessage = "再生可能なオーディオファイルではありません。";
inline constexpr const char* kNotPictureMessage = "画像ファイルではありません。";

// The extension, compared without regard to case, is one the kind accepts: sound ".wav",
// ".wma", ".mp3", ".mid", ".midi", ".rmi"; picture ".bmp", ".jpg", ".jpeg", ".png", ".gif".
bool AcceptsFile(FileKind kind, std::string_view path);

// Where the chooser starts: the drive and folder of the current file, or nothing (the
// dialog's own choice) when there is no current file.
std::string ChooserStartFolder(std::string_view currentPath);

struct ChosenFile {
    std::string path;
    std::string displayName;
};

enum class ChooserVerdict {
    Cancelled, // the caller's path and name stay as they were
    Refused,   // both are emptied and the user is told why
    Accepted,  // both take the chosen file
};

// What becomes of the caller's path and name after the dialog closed: a file of another kind
// or a path longer than kLongestChosenPath is refused. `fileTitle` is the dialog's own name for
// the file, which the sound chooser shows; the picture chooser shows the name and extension of
// the path.
ChooserVerdict ConcludeChooser(FileKind kind, bool dialogOk, std::string_view chosenPath,
                               std::string_view fileTitle, ChosenFile& current);

// The message a refused choice shows.
const char* RefusalMessage(FileKind kind);

// A drop on a drop box: exactly one file with an accepted extension and a path no longer than
// kLongestChosenPath becomes the path and its display name; anything else is ignored without a
// word.
std::optional<ChosenFile> AcceptDrop(FileKind kind, unsigned fileCount, std::string_view path);

} // namespace zentrava
