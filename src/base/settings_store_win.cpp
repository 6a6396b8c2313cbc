#include "base/settings_store_win.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace zentrava {
namespace {

struct FindCloser {
    void operator()(HANDLE handle) const { FindClose(handle); }
};
using FindHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, FindCloser>;

} // namespace

IniFileSettingsStore::IniFileSettingsStore(std::string path) : iniPath(std::move(path)) {}

int IniFileSettingsStore::GetInt(std::string_view section, std::string_view key, int def) const {
    const UINT value = GetPrivateProfileIntA(std::string(section).c_str(), std::string(key).c_str(),
                                             def, iniPath.c_str());
    return static_cast<int>(value);
}

std::string IniFileSettingsStore::GetText(std::string_view section, std::string_view key,
                                          std::string_view def, std::size_t bufferSize) const {
    if (bufferSize == 0) {
        return {};
    }
    const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bufferSize, INT_MAX));
    // When the text is cut inside a double-byte character the function reports bufferSize - 1
    // and leaves the bytes after the last whole character untouched, so they must be zero and
    // the length must come from the terminator, not from the return value.
    std::vector<char> buffer(size, '\0');
    GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                             std::string(def).c_str(), buffer.data(), size, iniPath.c_str());
    buffer.back() = '\0';
    return std::string(buffer.data());
}

bool IniFileSettingsStore::PutText(std::string_view section, std::string_view key,
                                   std::string_view value) {
    return WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                      std::string(value).c_str(), iniPath.c_str()) != FALSE;
}

bool IniFileSettingsStore::FileExists(std::string_view path) const {
    WIN32_FIND_DATAA data{};
    HANDLE handle = FindFirstFileA(std::string(path).c_str(), &data);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    const FindHandle found(handle);
    return true;
}

} // namespace zentrava
