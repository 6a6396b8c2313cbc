#pragma once
// The settings store of the running program: the private-profile functions on one INI file.

#include "base/settings_store.h"

#include <string>
#include <string_view>

namespace zentrava {

class IniFileSettingsStore final : public SettingsStore {
public:
    explicit IniFileSettingsStore(std::string path);

    int GetInt(std::string_view section, std::string_view key, int def) const override;
    std::string GetText(std::string_view section, std::string_view key, std::string_view def,
                        std::size_t bufferSize) const override;
    bool PutText(std::string_view section, std::string_view key, std::string_view value) override;
    bool FileExists(std::string_view path) const override;

    const std::string& Path() const { return iniPath; }

private:
    std::string iniPath;
};

} // namespace zentrava
