#pragma once
// Time synchronisation settings (section NTP_Setting) with the server list, and the run-time
// state of the updates: the retry mark and the servers that refused us or asked us to slow down.
//
// Threads. The schedule check reads the settings on the tick thread; the time-server page
// changes them on the window thread (its check boxes act at once, before apply); the query
// worker is handed a copy of what it needs when it starts and never reads them itself. So:
//   - The settings sit behind one mutex, held only to copy them in or out or to take one
//     decision (Decide). Nobody sends a message, writes the file or waits for a query while
//     holding it.
//   - The retry mark is an atomic; only the window thread writes it.
//   - The refusing and the slowed servers have their own lock: a result adds to them on the
//     window thread, a query start reads them on whichever thread starts it.
//
// How the program uses them:
//   WM_CREATE        LoadNtpSettings with the other features.
//   page opening     Settings() for the working copy and the copies for cancel.
//   page change      Commit of the changed switch or mode at once; apply: Commit, SaveNtpSettings.
//   queries          see ntp_schedule.h.

#include "base/guarded.h"
#include "base/lockout.h"
#include "base/settings_store.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace zentrava {

inline constexpr std::string_view kNtpSettingSection = "NTP_Setting";
inline constexpr int kNtpServerListSize = 20;
// Server names are read into buffers of 255 characters, terminator included.
inline constexpr std::size_t kNtpServerNameBufferSize = 255;

// Operators that offer their servers to the general public, rather than the NTP pool, which
// asks every product that ships with it built in for a vendor zone of its own:
//   ntp.nict.jp          NICT, which keeps Japan Standard Time and serves it from stratum 1 to
//                        anyone; the natural first choice for a clock that shows JST.
//   ntp.jst.mfeed.ad.jp  Internet Multifeed's public service, run for general use in Japan on
//                        its own stratum-1 sources, independent of NICT's.
//   time.cloudflare.com  Cloudflare's free public time service, open to any client and
//                        answered by the nearest of many sites, for users outside Japan or
//                        when both Japanese operators are out of reach.
// The default schedule asks once an hour, well within what public services expect.
inline constexpr std::array<std::string_view, 3> kDefaultNtpServers{
    "ntp.nict.jp",
    "ntp.jst.mfeed.ad.jp",
    "time.cloudflare.com",
};

// Keys named as in the file.
struct NtpSettings {
    int SetLocalTime = 1;
    int SetLocalTimeForcedUpdate = 0;
    int NTPAutoUpdate = 1;
    int NTPStartUpTimeAdjust = 1;
    int SetNTPUpdateTime = 2; // 0 daily, 1 every SetNTPInterval minutes, 2 hourly
    int NTPTimeUpdateResultBallonHelpOn = 0;
    int SetNTPHour = 2;
    int SetNTPMinute = 0;
    int SetNTPInterval = 30;
    int SetNTPAccessMinuteTime = 55;
    int NTPAccessRetryTime = 10; // seconds
    std::string NTPServerName{kDefaultNtpServers[0]};
    std::array<std::string, kNtpServerListSize> NTPServerNameList{
        std::string(kDefaultNtpServers[0]), std::string(kDefaultNtpServers[1]),
        std::string(kDefaultNtpServers[2])};
    // Run-time: 1-based position of NTPServerName in the list, 0 when it is not there.
    int currentIndex = 0;

    friend bool operator==(const NtpSettings&, const NtpSettings&) = default;
};

// Nothing to look up: empty, or spaces and tabs only. Asking the resolver for "" means this
// computer, and a blank entry saved into the list would end it there on the next load.
bool IsBlankServerName(std::string_view name);

// The number of leading non-empty list entries.
int NtpServerCount(const NtpSettings& settings);

// The interval as the schedule uses it: 0 stays "never", anything else below 3 (the page's
// minimum; a hand-edited file or a typed "1" can hold less) counts as 3, so that a clock never
// asks a public server every minute or two.
int NtpIntervalMinutes(int stored);

class NtpSync {
public:
    // Any thread: a consistent copy.
    NtpSettings Settings() const;
    // Window thread: the loader, the page's switches and apply.
    void Commit(const NtpSettings& settings);

    // Runs fn(settings) under the lock and returns its result. fn must only compute.
    template <typename Fn>
    auto Decide(Fn&& fn) const {
        return settings_.Decide(std::forward<Fn>(fn));
    }

    // 1 from a failed start-up update until its one retry has been reported.
    std::atomic<int> retryMark{0};

    // A server that answered DENY or RSTR is not asked again by the updates while the program
    // runs. Host names ignore case, so "NTP.example" is the server that refused as well. A
    // person may still test it from the page, and a time it then gives lifts the ban.
    void Shun(std::string_view server);
    bool IsShunned(std::string_view server) const;

    // A server that answered RATE is asked at every second due time of the schedule, then
    // every fourth, and so on up to once a day; its next answer with a time brings it back to
    // every due time. `limit` is how many due times make a day.
    void SlowDown(std::string_view server, int limit);
    // Tick thread, at a due time: true when this one is left out for `server` (counted).
    bool SkipsDueTime(std::string_view server);
    // The server gave a time: no ban, no slowing down.
    void Forgive(std::string_view server);

    // Set before every hand-off to the worker, counted down by the tick: a schedule's
    // minute asks once.
    Lockout lockout;

private:
    Guarded<NtpSettings> settings_;

    struct Slowed {
        std::string server;
        int every = 1; // asked at one due time in this many
        int skipsLeft = 0;
    };

    mutable std::mutex serversMutex_;
    std::vector<std::string> shunned_;
    std::vector<Slowed> slowed_;
};

// All keys; list entries 1, 2, ... up to the first empty one (later entries read as empty).
// A blank NTPServerName reads as the first list entry (the default name with no list).
// The current index becomes the position of the first entry equal to NTPServerName, and stays
// as it was when there is none. SetNTPInterval is read through NtpIntervalMinutes: the clamp
// tables take a plain range and cannot keep 0 apart from the values below 3.
void LoadNtpSettings(const SettingsStore& store, NtpSync& sync);

// Every key in the file's order, the twenty list entries last: the non-blank ones in order,
// then empty text, so that no entry is cut off by an empty one before it.
// False when any write failed.
bool SaveNtpSettings(SettingsStore& store, const NtpSettings& settings);

} // namespace zentrava
