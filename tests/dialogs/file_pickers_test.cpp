#include "dialogs/file_pickers.h"
#include "base/settings_path.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace zentrava {
namespace {

TEST(FilePickers, AcceptTheirExtensionsInAnyCase) {
    struct Case {
        const char* path;
        bool sound;
        bool picture;
    };
    const Case cases[] = {
        {"C:\\a\\chime.wav", true, false},
        {"C:\\a\\CHIME.WAV", true, false},
        {"song.Mp3", true, false},
        {"x.wma", true, false},
        {"x.mid", true, false},
        {"x.MIDI", true, false},
        {"x.rmi", true, false},
        {"face.bmp", false, true},
        {"face.JPG", false, true},
        {"face.jpeg", false, true},
        {"face.png", false, true},
        {"face.Gif", false, true},
        {"notes.txt", false, false},
        {"chime.wav.txt", false, false},
        {"C:\\x.wav\\chime", false, false},
        {"chime.wave", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AcceptsFile(FileKind::Sound, c.path), c.sound) << c.path;
        EXPECT_EQ(AcceptsFile(FileKind::Picture, c.path), c.picture) << c.path;
    }
}

TEST(FilePickers, ShowTheFileNameOfADoubleBytePath) {
    // "表" is 0x95 0x5C in CP932: its second byte is not a folder separator.
    const std::string path = "C:\\\x89\xb9\\\x95\x5c.mp3";
    EXPECT_EQ(FileDisplayName(path), "\x95\x5c.mp3");
    EXPECT_TRUE(AcceptsFile(FileKind::Sound, path));
    EXPECT_EQ(ChooserStartFolder(path), "C:\\\x89\xb9\\");
    EXPECT_EQ(ChooserStartFolder(""), "");
}

TEST(FileChooser, CancelLeavesTheCallersFileAsItWas) {
    for (FileKind kind : {FileKind::Sound, FileKind::Picture}) {
        ChosenFile current{"C:\\old.wav", "old.wav"};
        EXPECT_EQ(ConcludeChooser(kind, false, "", "", current), ChooserVerdict::Cancelled);
        EXPECT_EQ(current.path, "C:\\old.wav");
        EXPECT_EQ(current.displayName, "old.wav");
    }
}

TEST(FileChooser, AWrongExtensionEmptiesTheShownNameAndSaysWhy) {
    ChosenFile sound{"C:\\old.wav", "old.wav"};
    EXPECT_EQ(ConcludeChooser(FileKind::Sound, true, "C:\\notes.txt", "notes.txt", sound),
              ChooserVerdict::Refused);
    EXPECT_EQ(sound.path, "");
    EXPECT_EQ(sound.displayName, "");
    EXPECT_STREQ(RefusalMessage(FileKind::Sound), "再生可能なオーディオファイルではありません。");

    ChosenFile picture{"C:\\old.png", "old.png"};
    EXPECT_EQ(ConcludeChooser(FileKind::Picture, true, "C:\\chime.wav", "chime", picture),
              ChooserVerdict::Refused);
    EXPECT_EQ(picture.path, "");
    EXPECT_STREQ(RefusalMessage(FileKind::Picture), "画像ファイルではありません。");
}

TEST(FileChooser, TheSoundChooserShowsTheDialogsTitleThePictureChooserTheFileName) {
    ChosenFile sound;
    // The dialog leaves the extension out of its title when the user hides known extensions.
    EXPECT_EQ(ConcludeChooser(FileKind::Sound, true, "D:\\s\\bell.MP3", "bell", sound),
              ChooserVerdict::Accepted);
    EXPECT_EQ(sound.path, "D:\\s\\bell.MP3");
    EXPECT_EQ(sound.displayName, "bell");

    ChosenFile picture;
    EXPECT_EQ(ConcludeChooser(FileKind::Picture, true, "D:\\p\\sky.jpeg", "sky", picture),
              ChooserVerdict::Accepted);
    EXPECT_EQ(picture.displayName, "sky.jpeg");
}

// Every path setting is read back into 260 characters with the terminator: a longer path would
// be saved, then lost at the next start.
TEST(FileChooser, APathLongerThanTheSettingsReadBackIsRefused) {
    const auto pathOf = [](std::size_t length) {
        const std::string end = "\\bell.wav";
        return "C:" + std::string(length - end.size() - 2, 'a') + end;
    };
    for (const auto& [length, taken] :
         {std::pair{std::size_t{259}, true}, std::pair{std::size_t{260}, false},
          std::pair{std::size_t{600}, false}}) {
        const std::string path = pathOf(length);
        ASSERT_EQ(path.size(), length);
        ChosenFile chosen{"C:\\old.wav", "old.wav"};
        EXPECT_EQ(ConcludeChooser(FileKind::Sound, true, path, "bell.wav", chosen),
                  taken ? ChooserVerdict::Accepted : ChooserVerdict::Refused)
            << length;
        EXPECT_EQ(chosen.path, taken ? path : "") << length;
        EXPECT_EQ(AcceptDrop(FileKind::Sound, 1, path).has_value(), taken) << length;
    }
}

TEST(DropBox, TakesExactlyOneFileOfItsKind) {
    const auto one = AcceptDrop(FileKind::Sound, 1, "C:\\s\\bell.wav");
    ASSERT_TRUE(one.has_value());
    EXPECT_EQ(one->path, "C:\\s\\bell.wav");
    EXPECT_EQ(one->displayName, "bell.wav");

    EXPECT_EQ(AcceptDrop(FileKind::Sound, 2, "C:\\s\\bell.wav"), std::nullopt);
    EXPECT_EQ(AcceptDrop(FileKind::Sound, 0, ""), std::nullopt);
    EXPECT_EQ(AcceptDrop(FileKind::Sound, 1, "C:\\s\\bell.png"), std::nullopt);
    EXPECT_EQ(AcceptDrop(FileKind::Picture, 1, "C:\\s\\bell.wav"), std::nullopt);
    EXPECT_TRUE(AcceptDrop(FileKind::Picture, 1, "C:\\s\\sky.PNG").has_value());
}

// The open-file dialog reads pairs up to an empty string: a lost NUL would make it read on
// into whatever follows the filter.
TEST(FileChooser, FiltersArePairsEndedByAnEmptyString) {
    auto split = [](std::string_view filter) {
        std::vector<std::string> parts;
        while (!filter.empty()) {
            const std::size_t nul = filter.find('\0');
            parts.emplace_back(filter.substr(0, nul));
            filter.remove_prefix(nul == std::string_view::npos ? filter.size() : nul + 1);
        }
        return parts;
    };
    EXPECT_EQ(split(kSoundFileFilter),
              (std::vector<std::string>{
                  "Sound Files(*.wav,*.mp3,*.wma)", "*.wav;*.mp3;*.wma", "MP3 Files(*.mp3)",
                  "*.mp3", "MIDI Files(*.midi,*.mid,*.rmi)", "*.midi;*.mid;*.rmi", ""}));
    EXPECT_EQ(split(kPictureFileFilter),
              (std::vector<std::string>{"Picture Files(*.bmp,*.jpg,*jpeg,*.png,*.gif)",
                                        "*.bmp;*.jpg;*jpeg;*.png;*.gif", ""}));
}

} // namespace
} // namespace zentrava
