#include "timesync/ntp_settings.h"

#include "base/cp932_text.h"
#include "base/settings_keys.h"

#include <algorithm>
#include <string>
#include <utility>

namespace zentrava {
namespace {

constexpr std::string_view kServerNameKey = "NTPServerName";
constexpr int kMinIntervalMinutes = 3;

// In the file's order; the server name and the list follow them.
constexpr std::array<IntKey<NtpSettings>, 11> kIntKeys{{
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

bool IsBlankServerName(std::string_view name) {
    return name.find_first_not_of(" \t") == std::string_view::npos;
}

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
    return settings_.Read();
}

void NtpSync::Commit(const NtpSettings& settings) {
    settings_.Commit(settings);
}

void NtpSync::Shun(std::string_view server) {
    const std::lock_guard lock(serversMutex_);
    if (std::none_of(shunned_.begin(), shunned_.end(),
                     [server](const std::string& s) { return SameIgnoringCase(s, server); })) {
        shunned_.emplace_back(server);
    }
}

bool NtpSync::IsShunned(std::string_view server) const {
    const std::lock_guard lock(serversMutex_);
    return std::any_of(shunned_.begin(), shunned_.end(),
                       [server](const std::string& s) { return SameIgnoringCase(s, server); });
}

void NtpSync::SlowDown(std::string_view server, int limit) {
    const std::lock_guard lock(serversMutex_);
    auto found = std::find_if(slowed_.begin(), slowed_.end(), [server](const Slowed& s) {
        return SameIgnoringCase(s.server, server);
    });
    if (found == slowed_.end()) {
        found = slowed_.insert(slowed_.end(), Slowed{std::string(server)});
    }
    found->every = std::clamp(found->every * 2, 1, std::max(limit, 1));
    found->skipsLeft = found->every - 1;
}

bool NtpSync::SkipsDueTime(std::string_view server) {
    const std::lock_guard lock(serversMutex_);
    const auto found = std::find_if(slowed_.begin(), slowed_.end(), [server](const Slowed& s) {
        return SameIgnoringCase(s.server, server);
    });
    if (found == slowed_.end() || found->skipsLeft == 0) {
        if (found != slowed_.end()) {
            found->skipsLeft = found->every - 1;
        }
        return false;
    }
    --found->skipsLeft;
    return true;
}

void NtpSync::Forgive(std::string_view server) {
    const std::lock_guard lock(serversMutex_);
    std::erase_if(shunned_, [server](const std::string& s) { return SameIgnoringCase(s, server); });
    std::erase_if(slowed_,
                  [server](const Slowed& s) { return SameIgnoringCase(s.server, server); });
}

void LoadNtpSettings(const SettingsStore& store, NtpSync& sync) {
    const std::string_view sec = kNtpSettingSection;
    NtpSettings s = sync.Settings();
    const NtpSettings defaults;
    ReadInts<NtpSettings>(store, sec, kIntKeys, s, defaults);
    s.SetNTPInterval = NtpIntervalMinutes(s.SetNTPInterval);
    s.NTPServerName =
        store.GetTrimmedText(sec, kServerNameKey, defaults.NTPServerName, kNtpServerNameBufferSize);
    bool ended = false;
    for (int n = 1; n <= kNtpServerListSize; ++n) {
        std::string& entry = s.NTPServerNameList[static_cast<std::size_t>(n - 1)];
        entry = ended ? std::string()
                      : store.GetTrimmedText(sec, ListKey(n), DefaultListEntry(n),
                                             kNtpServerNameBufferSize);
        if (IsBlankServerName(entry)) {
            entry.clear();
        }
        ended = entry.empty();
    }
    // A blank name would ask nobody (or this computer). The first entry of the user's own list
    // rather than the built-in default: the user may have removed the default on purpose.
    if (IsBlankServerName(s.NTPServerName)) {
        s.NTPServerName =
            s.NTPServerNameList[0].empty() ? defaults.NTPServerName : s.NTPServerNameList[0];
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
    bool ok = WriteInts<NtpSettings>(store, sec, kIntKeys, s);
    ok = store.PutText(sec, kServerNameKey, s.NTPServerName) && ok;
    int n = 1;
    for (const std::string& entry : s.NTPServerNameList) {
        if (!IsBlankServerName(entry)) {
            ok = store.PutText(sec, ListKey(n++), entry) && ok;
        }
    }
    for (; n <= kNtpServerListSize; ++n) {
        ok = store.PutText(sec, ListKey(n), "") && ok;
    }
    return ok;
}

} // namespace zentrava
