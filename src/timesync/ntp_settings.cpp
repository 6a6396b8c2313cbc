#include "timesync/ntp_settings.h"

#include <algorithm>
#include <string>
#include <utility>

namespace zentrava {
namespace {

constexpr std::string_view kServerNameKey = "NTPServerName";
constexpr int kMinIntervalMinutes = 3;

struct IntKey {
    std::string_view key;
    int NtpSettings::*field;
};

// In the file's order; the server name and the list follow them.
constexpr std::array<IntKey, 11> kIntKeys{{
    {"SetLocalTime", &NtpSettings::SetLocalTime},
    {"SetLocalTimeForcedUpdate", &NtpSettings::SetLocalTimeForcedUpdate},
    {"NTPAutoUpdate", &NtpSettings::NTPAutoUpdate},
    {"NTPStartUpTimeAdjust", &NtpSettings::NTPStartUpTimeAdjust},
    {"SetNTPUpdateTime", &NtpSettings::SetNTPUpdateTime},
    {"NTPTimeUpdateResultBallonHelpOn", &NtpSettings::NTPTimeUpdateResultBallonHelpOn},
    {"SetNTPHour", &NtpSettings::SetNTPHour},
    {"SetNTPMinute", &NtpSettings::SetNTPMinute},
    {"SetNTPInterval", &NtpSettings::SetNTPInterval},
    {"SetNTPAccessMinuteTime", &NtpSettings::SetNTPAccessMinuteTime},
    {"NTPAccessRetryTime", &NtpSettings::NTPAccessRetryTime},
}};

std::string ListKey(int number) { // 1-20
    return "NTPServerNameList" + std::to_string(number);
}

std::string_view DefaultListEntry(int number) {
    return number <= static_cast<int>(kDefaultNtpServers.size())
               ? kDefaultNtpServers[static_cast<std::size_t>(number - 1)]
               : std::string_view();
}

} // namespace

int NtpServerCount(const NtpSettings& settings) {
    const auto& list = settings.NTPServerNameList;
    return static_cast<int>(
        std::find_if(list.begin(), list.end(), [](const std::string& s) { return s.empty(); }) -
        list.begin());
}

int NtpIntervalMinutes(int stored) {
    return stored == 0 ? 0 : std::max(stored, kMinIntervalMinutes);
}

NtpSettings NtpSync::Settings() const {
    const std::lock_guard lock(mutex_);
    return settings_;
}

void NtpSync::Commit(const NtpSettings& settings) {
    // Copied before locking and swapped in, so the tick never waits on an allocation.
    NtpSettings copy = settings;
    const std::lock_guard lock(mutex_);
    std::swap(settings_, copy);
}

void NtpSync::Shun(std::string_view server) {
    const std::lock_guard lock(shunnedMutex_);
    if (std::find(shunned_.begin(), shunned_.end(), server) == shunned_.end()) {
        shunned_.emplace_back(server);
    }
}

bool NtpSync::IsShunned(std::string_view server) const {
    const std::lock_guard lock(shunnedMutex_);
    return std::find(shunned_.begin(), shunned_.end(), server) != shunned_.end();
}

void LoadNtpSettings(const SettingsStore& store, NtpSync& sync) {
    const std::string_view sec = kNtpSettingSection;
    NtpSettings s = sync.Settings();
    const NtpSettings defaults;
    for (const IntKey& k : kIntKeys) {
        s.*k.field = store.GetInt(sec, k.key, defaults.*k.field);
    }
    s.SetNTPInterval = NtpIntervalMinutes(s.SetNTPInterval);
    s.NTPServerName =
        store.GetText(sec, kServerNameKey, defaults.NTPServerName, kNtpServerNameBufferSize);
    bool ended = false;
    for (int n = 1; n <= kNtpServerListSize; ++n) {
        std::string& entry = s.NTPServerNameList[static_cast<std::size_t>(n - 1)];
        entry = ended
                    ? std::string()
                    : store.GetText(sec, ListKey(n), DefaultListEntry(n), kNtpServerNameBufferSize);
        ended = entry.empty();
    }
    const auto& list = s.NTPServerNameList;
    const auto found = std::find(list.begin(), list.end(), s.NTPServerName);
    if (!s.NTPServerName.empty() && found != list.end()) {
        s.currentIndex = static_cast<int>(found - list.begin()) + 1;
    }
    sync.Commit(s);
}

bool SaveNtpSettings(SettingsStore& store, const NtpSettings& s) {
    const std::string_view sec = kNtpSettingSection;
    bool ok = true;
    for (const IntKey& k : kIntKeys) {
        ok = store.PutInt(sec, k.key, s.*k.field) && ok;
    }
    ok = store.PutText(sec, kServerNameKey, s.NTPServerName) && ok;
    for (int n = 1; n <= kNtpServerListSize; ++n) {
        ok = store.PutText(sec, ListKey(n), s.NTPServerNameList[static_cast<std::size_t>(n - 1)]) &&
             ok;
    }
    return ok;
}

} // namespace zentrava
