#include "app/shortcut_checks_win.h"

#include "base/com_win.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <array>

namespace zentrava {

namespace {

std::string Environment(const char* name) {
    std::array<char, MAX_PATH> value{};
    const DWORD length =
        GetEnvironmentVariableA(name, value.data(), static_cast<DWORD>(value.size()));
    return length > 0 && length < value.size() ? std::string(value.data(), length) : std::string();
}

// Where Wine keeps a Windows path on the Linux side.
std::string UnixPathOf(const std::string& path) {
    using ToUnix = char* (*)(LPCWSTR);
    const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    std::array<wchar_t, MAX_PATH> wide{};
    if (toUnix == nullptr ||
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), MAX_PATH) == 0) {
        return {};
    }
    char* unix = toUnix(wide.data());
    const std::string result = unix != nullptr ? unix : "";
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

} // namespace

::testing::AssertionResult InsideThePrefix(const std::string& link) {
    const std::string folder = link.substr(0, link.find_last_of('\\'));
    const std::string prefix = Environment("WINEPREFIX");
    const std::string unix = UnixPathOf(folder);
    if (prefix.empty() || unix.rfind(prefix + "/", 0) != 0) {
        return ::testing::AssertionFailure() << folder << " is " << unix << ", outside " << prefix;
    }
    for (std::size_t at = 2; at != std::string::npos;) {
        at = folder.find('\\', at + 1);
        const std::string step = folder.substr(0, at);
        const DWORD attributes = GetFileAttributesA(step.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            return ::testing::AssertionFailure() << step << " is a link or missing";
        }
    }
    return ::testing::AssertionSuccess();
}

LinkSeen ReadLink(const std::string& path) {
    LinkSeen seen;
    ComRef<IShellLinkA> link;
    ComRef<IPersistFile> file;
    std::array<wchar_t, MAX_PATH> wide{};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), MAX_PATH);
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   link.PutVoid())) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) &&
        SUCCEEDED(file->Load(wide.data(), STGM_READ))) {
        std::array<char, MAX_PATH> text{};
        link->GetPath(text.data(), MAX_PATH, nullptr, SLGP_RAWPATH);
        seen.target = text.data();
        link->GetDescription(text.data(), MAX_PATH);
        seen.description = text.data();
        link->GetWorkingDirectory(text.data(), MAX_PATH);
        seen.folder = text.data();
        link->GetIconLocation(text.data(), MAX_PATH, &seen.iconIndex);
        seen.icon = text.data();
        link->GetShowCmd(&seen.show);
    }
    return seen;
}

} // namespace zentrava
