#include "app/process_counts_win.h"

#include <windows.h>

#include <psapi.h>

#include <array>
#include <cstring>
#include <string>
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

constexpr ULONG kObjectTypeInformation = 2;

// The type's name as NtQueryObject gives it for one handle of that type.
std::wstring TypeName(HANDLE handle) {
    using Query = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryObject")));
    alignas(8) unsigned char info[1024] = {};
    ULONG length = 0;
    if (query == nullptr ||
        query(handle, kObjectTypeInformation, info, sizeof info, &length) != 0) {
        return {};
    }
    // A UNICODE_STRING leads the answer.
    USHORT bytes = 0;
    const wchar_t* name = nullptr;
    std::memcpy(&bytes, info, sizeof bytes);
    std::memcpy(&name, info + sizeof(void*), sizeof name);
    return name != nullptr ? std::wstring(name, bytes / sizeof(wchar_t)) : std::wstring();
}

HandleCounts HandlesInSystemTable() {
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (query == nullptr) {
        return {};
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
            return {};
        }
        buffer.resize(needed > buffer.size() ? needed + 4096 : buffer.size() * 2);
    }
    ULONG count = 0;
    std::memcpy(&count, buffer.data(), sizeof count);
    const std::size_t first =
        alignof(HandleEntry) > sizeof(ULONG) ? alignof(HandleEntry) : sizeof(ULONG);
    if (first + std::size_t{count} * sizeof(HandleEntry) > buffer.size()) {
        return {};
    }
    const DWORD self = GetCurrentProcessId();
    HandleCounts counts{0, 0};
    std::array<int, 256> keyType{}; // 0 not asked yet, 1 a key, 2 something else
    for (ULONG i = 0; i < count; ++i) {
        HandleEntry entry;
        std::memcpy(&entry, buffer.data() + first + i * sizeof(HandleEntry), sizeof entry);
        if (entry.ownerPid != self) {
            continue;
        }
        ++counts.all;
        int& isKey = keyType[entry.objectType];
        if (isKey == 0) {
            const HANDLE handle = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(entry.handle));
            isKey = TypeName(handle) == L"Key" ? 1 : 2;
        }
        counts.keys += isKey == 1 ? 1 : 0;
    }
    return counts;
}

} // namespace

HandleCounts OwnHandleCounts() {
    HandleCounts counts = HandlesInSystemTable();
    DWORD handles = 0;
    if (counts.all < 0 && GetProcessHandleCount(GetCurrentProcess(), &handles) != FALSE &&
        handles != 0) {
        counts.all = handles;
    }
    return counts;
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
