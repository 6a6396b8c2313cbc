#pragma once
// The one way every feature reads and writes the settings file. On Windows it is the
// private-profile functions on the per-user INI file; natively an in-memory store that answers
// exactly as those functions do for the same file text.

#include <cstddef>
#include <string>
#include <string_view>

namespace zentrava {

inline constexpr std::size_t kPathBufferSize = 260;
inline constexpr std::size_t kFaceNameBufferSize = 32;

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // GetPrivateProfileIntA: a missing key (or an empty value) yields the default.
    virtual int GetInt(std::string_view section, std::string_view key, int def) const = 0;
    // GetPrivateProfileStringA into a buffer of bufferSize characters (terminator included).
    virtual std::string GetText(std::string_view section, std::string_view key,
                                std::string_view def, std::size_t bufferSize) const = 0;
    // WritePrivateProfileStringA; false when the file could not be written.
    virtual bool PutText(std::string_view section, std::string_view key,
                         std::string_view value) = 0;
    // FindFirstFileA finds it (the sound-file rule).
    virtual bool FileExists(std::string_view path) const = 0;

    // GetText without the blanks at its end, which is what the loaders read. A line's trailing
    // blanks are dropped when the file is read, so a value that ends in them after a cut (the
    // buffer's, or a NUL inside the line) would come back shorter after the next save.
    std::string GetTrimmedText(std::string_view section, std::string_view key, std::string_view def,
                               std::size_t bufferSize) const;
    // Integers are written as "%d".
    bool PutInt(std::string_view section, std::string_view key, int value);
    // A sound-file key: read with an empty default into a path buffer; a file that does not
    // exist falls back to the default.
    std::string GetSoundFile(std::string_view section, std::string_view key,
                             std::string_view def) const;
    // A sound or picture key by the same rule, with the name a page shows for it (file name
    // and extension; empty for no file).
    void GetFile(std::string_view section, std::string_view key, std::string& path,
                 std::string& displayName) const;
};

} // namespace zentrava
