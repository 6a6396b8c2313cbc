#include "app/gdi_count_win.h"

#include <windows.h>
#include <winternl.h>

#include <cstddef>
#include <cstdint>

namespace zentrava {

namespace {

// GetGuiResources answers 0 under Wine. There the process's GDI handle table, which the PEB
// points to (64-bit offsets) and which is laid out as on Windows, is counted instead: a freed
// entry has its type byte cleared.
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

const GdiHandleEntry* GdiHandleTable() {
    using Query = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info{};
    if (query == nullptr ||
        query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info, nullptr) != 0 ||
        info.PebBaseAddress == nullptr) {
        return nullptr;
    }
    const auto* peb = reinterpret_cast<const std::uint8_t*>(info.PebBaseAddress);
    return *reinterpret_cast<const GdiHandleEntry* const*>(peb + 0xF8);
}

long LiveGdiObjectsInHandleTable() {
    const GdiHandleEntry* table = GdiHandleTable();
    if (table == nullptr) {
        return -1;
    }
    long live = 0;
    for (std::size_t i = 0; i < kGdiHandleTableSize; ++i) {
        live += table[i].type != 0 ? 1 : 0;
    }
    return live;
}

} // namespace

long LiveGdiObjects() {
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    return counted != 0 ? static_cast<long>(counted) : LiveGdiObjectsInHandleTable();
}

} // namespace zentrava
