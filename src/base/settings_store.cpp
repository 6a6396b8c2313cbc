#include "base/settings_store.h"

#include "base/settings_path.h"

#include <cstdio>

namespace zentrava {

bool SettingsStore::PutInt(std::string_view section, std::string_view key, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return PutText(section, key, text);
}

std::string SettingsStore::GetTrimmedText(std::string_view section, std::string_view key,
                                          std::string_view def, std::size_t bufferSize) const {
    std::string text = GetText(section, key, def, bufferSize);
    // The file's blanks: no trail byte of a double-byte character is among them.
    text.erase(text.find_last_not_of(" \t\v\f\r\n\x1A") + 1);
    return text;
}

std::string SettingsStore::GetSoundFile(std::string_view section, std::string_view key,
                                        std::string_view def) const {
    std::string path = GetTrimmedText(section, key, "", kPathBufferSize);
    if (path.empty() || !FileExists(path)) {
        return std::string(def);
    }
    return path;
}

void SettingsStore::GetFile(std::string_view section, std::string_view key, std::string& path,
                            std::string& displayName) const {
    path = GetSoundFile(section, key, "");
    displayName = FileDisplayName(path);
}

} // namespace zentrava
