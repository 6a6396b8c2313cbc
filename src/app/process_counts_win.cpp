#include "app/process_counts_win.h"

#include <windows.h>

#include <psapi.h>

#include <cstring>
#include <vector>

namespace zentrava {

namespace {

// The system's handle table as NtQuerySystemInformation(SystemHandleInformation) gives it.
struct HandleEntry {
    ULONG ownerPid;
    BYTE objectType;
    BYTE flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};

constexpr ULONG kSystemHandleInformation = 16;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

std::int64_t HandlesInSystemTable() {
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (query == nullptr) {
        return -1;
    }
    std::vector<unsigned char> buffer(1 << 16);
    for (;;) {
        ULONG needed = 0;
        const LONG status = query(kSystemHandleInformation, buffer.data(),
                                  static_cast<ULONG>(buffer.size()), &needed);
        if (status == 0) {
            break;
        }
        if (status != kInfoLengthMismatch || buffer.size() >= (64u << 20)) {
            return -1;
        }
        buffer.resize(needed > buffer.size() ? needed + 4096 : buffer.size() * 2);
    }
    ULONG count = 0;
    std::memcpy(&count, buffer.data(), sizeof count);
    const std::size_t first =
        alignof(HandleEntry) > sizeof(ULONG) ? alignof(HandleEntry) : sizeof(ULONG);
    if (first + std::size_t{count} * sizeof(HandleEntry) > buffer.size()) {
        return -1;
    }
    const DWORD self = GetCurrentProcessId();
    std::int64_t own = 0;
    for (ULONG i = 0; i < count; ++i) {
        HandleEntry entry;
        std::memcpy(&entry, buffer.data() + first + i * sizeof(HandleEntry), sizeof entry);
        own += entry.ownerPid == self ? 1 : 0;
    }
    return own;
}

} // namespace

std::int64_t OwnHandleCount() {
    DWORD handles = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &handles) != FALSE && handles != 0) {
        return handles;
    }
    return HandlesInSystemTable();
}

std::int64_t OwnPrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX memory{};
    if (GetProcessMemoryInfo(GetCurrentProcess(),
                             reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory) != FALSE &&
        memory.PrivateUsage != 0) {
        return static_cast<std::int64_t>(memory.PrivateUsage);
    }
    // The committed private regions of the address space, walked one by one.
    std::int64_t bytes = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr; VirtualQuery(at, &region, sizeof region) == sizeof region;
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
            bytes += static_cast<std::int64_t>(region.RegionSize);
        }
        if (region.RegionSize == 0) {
            break;
        }
    }
    return bytes;
}

} // namespace zentrava
