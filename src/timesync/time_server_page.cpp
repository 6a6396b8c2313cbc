#include "timesync/time_server_page.h"

#include "base/cp932_text.h"
#include "dialogs/page_protocol.h"
#include "timesync/sntp_math.h"
#include "timesync/sntp_packet.h"

#include <algorithm>
#include <cstddef>

namespace zentrava {
namespace {

// A timestamp as local time with the millisecond of its own fraction: converting the whole
// seconds only keeps the rounding of the fraction from carrying into them.
DateTime LocalFromTimestamp(NtpTimestamp timestamp, std::int64_t reference,
                            const UtcToLocal& toLocal) {
    DateTime t = toLocal(FromNtpTimestamp({timestamp.seconds, 0}, reference));
    t.milliseconds = FractionToMilliseconds(timestamp.fraction);
    return t;
}

} // namespace

std::vector<std::string> ServerListEntries(const NtpSettings& settings) {
    const auto& list = settings.NTPServerNameList;
    const auto count = static_cast<std::ptrdiff_t>(NtpServerCount(settings));
    return {list.begin(), list.begin() + count};
}

void AdoptServerEntries(NtpSettings& settings, std::span<const std::string> entries,
                        int selection) {
    auto& list = settings.NTPServerNameList;
    // A blank entry is left out: saved, it would end the list on the next load.
    std::size_t kept = 0;
    int selected = -1;
    for (std::size_t i = 0; i < entries.size() && kept < list.size(); ++i) {
        if (IsBlankServerName(entries[i])) {
            continue;
        }
        if (static_cast<int>(i) == selection) {
            selected = static_cast<int>(kept);
        }
        list[kept++] = entries[i];
    }
    std::fill(list.begin() + static_cast<std::ptrdiff_t>(kept), list.end(), std::string());

    if (selected >= 0) {
        settings.NTPServerName = list[static_cast<std::size_t>(selected)];
        settings.currentIndex = selected + 1;
        return;
    }
    const auto end = list.begin() + static_cast<std::ptrdiff_t>(kept);
    const auto found = std::find(list.begin(), end, settings.NTPServerName);
    settings.currentIndex = found == end ? 0 : static_cast<int>(found - list.begin()) + 1;
}

int SelectionAfterDelete(int deleted, int entriesLeft) {
    if (entriesLeft <= 0) {
        return -1;
    }
    return std::min(deleted, entriesLeft - 1);
}

std::optional<int> FindServerEntry(std::span<const std::string> entries, std::string_view name) {
    const auto found = std::find_if(entries.begin(), entries.end(), [name](const std::string& e) {
        return SameIgnoringCase(e, name);
    });
    if (found == entries.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - entries.begin());
}

ServerAfterReply DecideServerAfterReply(std::span<const std::string> entries,
                                        std::string_view server) {
    if (const std::optional<int> index = FindServerEntry(entries, server)) {
        return {ServerAfterReply::Kind::Select, *index};
    }
    if (entries.size() >= static_cast<std::size_t>(kNtpServerListSize)) {
        return {ServerAfterReply::Kind::ListFull, -1};
    }
    return {ServerAfterReply::Kind::Add, -1};
}

TimeServerPageCopy TakePageCopy(const NtpSettings& s) {
    return {s.currentIndex,
            s.SetLocalTime,
            s.SetLocalTimeForcedUpdate,
            s.NTPAutoUpdate,
            s.NTPStartUpTimeAdjust,
            s.NTPTimeUpdateResultBallonHelpOn,
            s.SetNTPUpdateTime,
            s.SetNTPHour,
            s.SetNTPMinute,
            s.SetNTPInterval,
            s.SetNTPAccessMinuteTime,
            s.NTPAccessRetryTime};
}

void RestorePageCopy(NtpSettings& s, const TimeServerPageCopy& c) {
    const int count = NtpServerCount(s);
    if (c.currentIndex >= 1 && c.currentIndex <= count &&
        s.NTPServerNameList[static_cast<std::size_t>(c.currentIndex - 1)] == s.NTPServerName) {
        s.currentIndex = c.currentIndex;
    } else {
        AdoptServerEntries(s, ServerListEntries(s), -1);
    }
    s.SetLocalTime = c.SetLocalTime;
    s.SetLocalTimeForcedUpdate = c.SetLocalTimeForcedUpdate;
    s.NTPAutoUpdate = c.NTPAutoUpdate;
    s.NTPStartUpTimeAdjust = c.NTPStartUpTimeAdjust;
    s.NTPTimeUpdateResultBallonHelpOn = c.NTPTimeUpdateResultBallonHelpOn;
    s.SetNTPUpdateTime = c.SetNTPUpdateTime;
    s.SetNTPHour = c.SetNTPHour;
    s.SetNTPMinute = c.SetNTPMinute;
    s.SetNTPInterval = c.SetNTPInterval;
    s.SetNTPAccessMinuteTime = c.SetNTPAccessMinuteTime;
    s.NTPAccessRetryTime = c.NTPAccessRetryTime;
}

void ReadTypedNumbers(NtpSettings& s, const TimeServerNumbers& typed) {
    auto read = [](const std::optional<std::string>& text, int& field) {
        if (text) {
            field = ParseTypedNumber(*text).value_or(field);
        }
    };
    read(typed.hour, s.SetNTPHour);
    read(typed.minute, s.SetNTPMinute);
    read(typed.interval, s.SetNTPInterval);
    read(typed.accessMinute, s.SetNTPAccessMinuteTime);
    read(typed.retrySeconds, s.NTPAccessRetryTime);
}

NtpReportData MakeNtpReportData(const std::string& server, const SntpExchangeResult& exchange,
                                SetResult result, const ClockTimeRecord& clockNow,
                                const UtcToLocal& toLocal) {
    const NtpReply& reply = exchange.reply;
    NtpReportData data;
    data.server = server;
    data.serverTime = LocalFromTimestamp(reply.transmit, exchange.t4, toLocal);
    data.clockTime = clockNow;
    data.systemTime = toLocal(exchange.t4);
    data.delaySeconds = TicksToSeconds(exchange.sample.delay);
    data.offsetSeconds = TicksToSeconds(exchange.sample.offset);
    data.stratum = reply.stratum;
    data.referenceId = reply.referenceId;
    data.referenceTime = LocalFromTimestamp(reply.reference, exchange.t4, toLocal);
    data.rootDelay = reply.rootDelay;
    data.rootDispersion = reply.rootDispersion;
    data.precision = reply.precision;
    data.result = result;
    return data;
}

} // namespace zentrava
