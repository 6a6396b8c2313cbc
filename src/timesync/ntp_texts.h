#pragma once
// The words of time synchronisation, in CP932: the result balloons, the time-server page's
// report and its message boxes. Every function returns finished bytes; nothing here touches a
// window.

#include "clock/clock_time.h"
#include "timesync/ntp_schedule.h"
#include "timesync/sntp_math.h"
#include "timesync/sntp_packet.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zentrava {

// After an update that brought a time (Set, SetFailed, NotSet or Unconfirmed):
// "NTPサーバーから時刻を取得し時刻を更新しました。\nZentrava時刻更新。" and then
// "PC内蔵時計時刻更新。", "PC内蔵時計時刻更新失敗。", "PC内蔵時計時刻補正無し。" or
// "PC内蔵時計時刻補正保留。" with its reason on a line of its own; after a retry
// "\n1回リトライを行いました。" on top.
std::string NtpUpdateBalloonText(SetResult result, bool retried);
// "NTPサーバーからの時刻の取得に失敗しました。"
std::string NtpUpdateFailedBalloonText();

// What the synchronisation test found, as the report needs it. Calendar times are local.
struct NtpReportData {
    std::string server;
    DateTime serverTime;       // T3, millisecond from its fraction (NtpToUtcDateTime)
    ClockTimeRecord clockTime; // LocalClock when the answer came
    DateTime systemTime;       // T4
    double delaySeconds = 0;
    double offsetSeconds = 0;
    int stratum = 0;
    std::array<std::uint8_t, 4> referenceId{};
    DateTime referenceTime;
    std::uint32_t rootDelay = 0;
    std::uint32_t rootDispersion = 0;
    int precision = 0;
    SetResult result = SetResult::NotSet;
};

// The page's report after an answer, every line ending in "\r\n" but the closing two-line
// verdict: server name, server time, the program's and the system's time at reception, delay,
// offset, the stratum with the reference source (none from stratum 16 on), the reference time,
// the server's error and precision, then what was set.
std::string NtpReportText(const NtpReportData& data);

// The page's report without a usable answer: "NTPサーバーに接続失敗。\r\n", then why.
std::string NtpFailureReportText(const NtpQueryOutcome& outcome);

// Why an answer was not taken, as one sentence (empty for Valid).
std::string ReplyStatusText(ReplyStatus status);

// Shown in the report while the test waits: "NTPサーバー(%s)に問い合わせ中です。\r\n".
std::string NtpQueryRunningText(std::string_view server);

// The page's test of an empty or blank name, asked of nobody:
// "サーバー名が入力されていません。\r\n".
std::string EmptyServerNameText();

// The socket library could not be started: "ソケット通信の準備ができませんでした。",
// captioned "日付と時刻の設定".
std::string SocketUnavailableText();
std::string DateTimeSettingCaption();
// A server that answered could not be added to a full list of twenty.
std::string ServerListFullText();
// The caption of the time-server page: "NTPサーバーによる日付と時刻の設定".
std::string TimeServerPageCaption();

} // namespace zentrava
