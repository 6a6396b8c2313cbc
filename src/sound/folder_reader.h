#pragma once
// The file system as the audio player needs it: is a path a folder, and what does a folder
// hold. On Windows PathIsDirectoryA and the find functions (audio_player_win.cpp); natively a
// fake, so that the folder rules run without a disk.

#include <string>
#include <string_view>
#include <vector>

namespace zentrava {

struct FolderEntry {
    std::string name; // as the A functions give it: '?' for characters outside the code page
    bool directory = false;
};

class FolderReader {
public:
    virtual ~FolderReader() = default;
    virtual bool IsDirectory(std::string_view path) const = 0;
    // The entries of "<folder>\*.*" in enumeration order, without recursion; empty when the
    // folder cannot be read.
    virtual std::vector<FolderEntry> List(std::string_view folder) const = 0;
};

} // namespace zentrava
