#include "app/gdi_count_win.h"

#include <winternl.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zentrava {

namespace {

// GetGuiResources answers 0 under Wine. There the process's GDI handle table, which the PEB
// points to (64-bit offsets) and which is laid out as on Windows, is counted instead: a freed
// entry has its type byte cleared. Read with ReadProcessMemory, so another process's counts too.
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr std::size_t kGdiHandleTableSize = 0x10000;

long LiveGdiObjectsInHandleTable(HANDLE process) {
    using Query = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info{};
    if (query == nullptr ||
        query(process, ProcessBasicInformation, &info, sizeof info, nullptr) != 0 ||
        info.PebBaseAddress == nullptr) {
        return -1;
    }
    std::uint64_t table = 0;
    if (!ReadProcessMemory(process,
                           reinterpret_cast<const std::uint8_t*>(info.PebBaseAddress) + 0xF8,
                           &table, sizeof table, nullptr) ||
        table == 0) {
        return -1;
    }
    std::vector<GdiHandleEntry> entries(kGdiHandleTableSize);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                           entries.size() * sizeof(GdiHandleEntry), nullptr)) {
        return -1;
    }
    long live = 0;
    for (const GdiHandleEntry& e : entries) {
        live += e.type != 0 ? 1 : 0;
    }
    return live;
}

} // namespace

long LiveGdiObjectsOf(HANDLE process) {
    const DWORD counted = GetGuiResources(process, GR_GDIOBJECTS);
    return counted != 0 ? static_cast<long>(counted) : LiveGdiObjectsInHandleTable(process);
}

long SettledGdiObjectsOf(HANDLE process) {
    long fewest = -1;
    for (int i = 0; i < 40; ++i) {
        const long now = LiveGdiObjectsOf(process);
        fewest = fewest < 0 || now < fewest ? now : fewest;
        Sleep(15);
    }
    return fewest;
}

} // namespace zentrava
