#pragma once
// A settings store over INI text held in memory, for tests and tools that must not touch the
// disk. It answers as the Windows private-profile functions do for the same bytes (as Wine runs
// them under code page 932), including their quirks, so that code tested against it behaves the
// same against the real file.

#include "base/settings_store.h"

#include <memory>
#include <set>
#include <string>
#include <string_view>

namespace zentrava {

// How the file behind the store can be reached.
enum class IniFileAccess {
    ReadWrite,
    ReadOnly,         // reads work; every write fails
    DirectoryMissing, // the file cannot even be opened: reads fall back, writes fail
};

class MemorySettingsStore final : public SettingsStore {
public:
    // An empty text is a missing file; the two read alike and a write creates it.
    explicit MemorySettingsStore(std::string text = {},
                                 IniFileAccess fileAccess = IniFileAccess::ReadWrite);

    int GetInt(std::string_view section, std::string_view key, int def) const override;
    std::string GetText(std::string_view section, std::string_view key, std::string_view def,
                        std::size_t bufferSize) const override;
    bool PutText(std::string_view section, std::string_view key, std::string_view value) override;
    bool FileExists(std::string_view path) const override;

    void AddExistingFile(std::string path);
    const std::string& Text() const { return fileText; }

private:
    // The file as the lookups see it, parsed once per change of the text rather than once per
    // read: a loader asks for hundreds of keys. Immutable once made, so copies share it and
    // concurrent reads are plain reads.
    struct Parsed;
    void Reparse();

    std::string fileText;
    std::shared_ptr<const Parsed> parsed;
    IniFileAccess access;
    std::set<std::string, std::less<>> existingFiles;
};

} // namespace zentrava
