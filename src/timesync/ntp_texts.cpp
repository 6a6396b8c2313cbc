#include "timesync/ntp_texts.h"

#include "base/format_text.h"

#include <cmath>

namespace zentrava {
namespace {

// NTPサーバーから時刻を取得し時刻を更新しました。
constexpr const char* kUpdated =
    "NTP\x83\x54\x81\x5B\x83\x6F\x81\x5B\x82\xA9\x82\xE7\x8E\x9E\x8D\x8F\x82\xF0\x8E\xE6\x93\xBE"
    "\x82\xB5\x8E\x9E\x8D\x8F\x82\xF0\x8D\x58\x90\x56\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x42";
// Zentrava時刻更新。
constexpr const char* kOwnClockUpdated = "Zentrava\x8E\x9E\x8D\x8F\x8D\x58\x90\x56\x81\x42";
// PC内蔵時計時刻更新。
constexpr const char* kPcClockSet =
    "PC\x93\xE0\x91\xA0\x8E\x9E\x8C\x76\x8E\x9E\x8D\x8F\x8D\x58\x90\x56\x81\x42";
// PC内蔵時計時刻更新失敗。
constexpr const char* kPcClockSetFailed =
    "PC\x93\xE0\x91\xA0\x8E\x9E\x8C\x76\x8E\x9E\x8D\x8F\x8D\x58\x90\x56\x8E\xB8\x94\x73\x81\x42";
// PC内蔵時計時刻補正無し。
constexpr const char* kPcClockNotSet =
    "PC\x93\xE0\x91\xA0\x8E\x9E\x8C\x76\x8E\x9E\x8D\x8F\x95\xE2\x90\xB3\x96\xB3\x82\xB5\x81\x42";
// PC内蔵時計時刻補正保留。\n1000秒超のずれを他のサーバーで確認できませんでした。
constexpr const char* kPcClockUnconfirmed =
    "PC\x93\xE0\x91\xA0\x8E\x9E\x8C\x76\x8E\x9E\x8D\x8F\x95\xE2\x90\xB3\x95\xDB\x97\xAF"
    "\x81\x42\n"
    "1000\x95\x62\x92\xB4\x82\xCC\x82\xB8\x82\xEA\x82\xF0\x91\xBC\x82\xCC\x83\x54\x81\x5B"
    "\x83\x6F\x81\x5B\x82\xC5\x8A\x6D\x94\x46\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82"
    "\xC5\x82\xB5\x82\xBD\x81\x42";
// 1回リトライを行いました。
constexpr const char* kRetried =
    "1\x89\xF1\x83\x8A\x83\x67\x83\x89\x83\x43\x82\xF0\x8D\x73\x82\xA2\x82\xDC\x82\xB5\x82\xBD"
    "\x81\x42";
// NTPサーバーからの時刻の取得に失敗しました。
constexpr const char* kUpdateFailed =
    "NTP\x83\x54\x81\x5B\x83\x6F\x81\x5B\x82\xA9\x82\xE7\x82\xCC\x8E\x9E\x8D\x8F\x82\xCC\x8E\xE6"
    "\x93\xBE\x82\xC9\x8E\xB8\x94\x73\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x42";

// NTPサーバー名 : %s\r\n
constexpr const char* kServerNameLine = "NTP\x83\x54\x81\x5B\x83\x6F\x81\x5B\x96\xBC : %s\r\n";
// NTPサーバー時刻 =
constexpr const char* kServerTimeLabel = "NTP\x83\x54\x81\x5B\x83\x6F\x81\x5B\x8E\x9E\x8D\x8F = ";
// 時刻取得時の時計ソフト時刻 =
constexpr const char* kClockTimeLabel = "\x8E\x9E\x8D\x8F\x8E\xE6\x93\xBE\x8E\x9E\x82\xCC\x8E\x9E"
                                        "\x8C\x76\x83\x5C\x83\x74\x83\x67\x8E\x9E\x8D\x8F = ";
// 時刻取得時のシステム時刻 =
constexpr const char* kSystemTimeLabel = "\x8E\x9E\x8D\x8F\x8E\xE6\x93\xBE\x8E\x9E\x82\xCC\x83\x56"
                                         "\x83\x58\x83\x65\x83\x80\x8E\x9E\x8D\x8F = ";
// 参照ソースの最終取得時刻 =
constexpr const char* kReferenceTimeLabel = "\x8E\x51\x8F\xC6\x83\x5C\x81\x5B\x83\x58\x82\xCC\x8D"
                                            "\xC5\x8F\x49\x8E\xE6\x93\xBE\x8E\x9E\x8D\x8F = ";
constexpr const char* kDateTimeFormat = "%04d/%02d/%02d %02d:%02d:%02d.%03d\r\n";
// 往復経路による遅延時間は%1.6f秒です。\r\n
constexpr const char* kDelayLine = "\x89\x9D\x95\x9C\x8C\x6F\x98\x48\x82\xC9\x82\xE6\x82\xE9\x92"
                                   "\x78\x89\x84\x8E\x9E\x8A\xD4\x82\xCD%1.6f\x95\x62\x82\xC5\x82"
                                   "\xB7\x81\x42\r\n";
// システム時刻は%1.4f秒遅れています。\r\n
constexpr const char* kBehindLine = "\x83\x56\x83\x58\x83\x65\x83\x80\x8E\x9E\x8D\x8F\x82\xCD%1.4f"
                                    "\x95\x62\x92\x78\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81"
                                    "\x42\r\n";
// システム時刻は%1.4f秒進んでいます。\r\n
constexpr const char* kAheadLine = "\x83\x56\x83\x58\x83\x65\x83\x80\x8E\x9E\x8D\x8F\x82\xCD%1.4f"
                                   "\x95\x62\x90\x69\x82\xF1\x82\xC5\x82\xA2\x82\xDC\x82\xB7\x81"
                                   "\x42\r\n";
// サーバーは正体不明です。:Stratum( %d )\r\n
constexpr const char* kUnknownServerLine = "\x83\x54\x81\x5B\x83\x6F\x81\x5B\x82\xCD\x90\xB3\x91"
                                           "\xCC\x95\x73\x96\xBE\x82\xC5\x82\xB7\x81\x42:Stratum( "
                                           "%d )\r\n";
// プライマリーサーバーです。:Stratum( %d )\r\n
constexpr const char* kPrimaryServerLine = "\x83\x76\x83\x89\x83\x43\x83\x7D\x83\x8A\x81\x5B\x83"
                                           "\x54\x81\x5B\x83\x6F\x81\x5B\x82\xC5\x82\xB7\x81\x42:"
                                           "Stratum( %d )\r\n";
// 参照ソースは(%s)\r\n
constexpr const char* kReferenceSourceLine = "\x8E\x51\x8F\xC6\x83\x5C\x81\x5B\x83\x58\x82\xCD"
                                             "(%s)\r\n";
// 上位サーバーを参照中:Stratum( %d )\r\n
constexpr const char* kSecondaryServerLine = "\x8F\xE3\x88\xCA\x83\x54\x81\x5B\x83\x6F\x81\x5B"
                                             "\x82\xF0\x8E\x51\x8F\xC6\x92\x86:Stratum( %d )\r\n";
// 参照した上位サーバーは[%d.%d.%d.%d]です。\r\n
constexpr const char* kUpstreamLine = "\x8E\x51\x8F\xC6\x82\xB5\x82\xBD\x8F\xE3\x88\xCA\x83\x54"
                                      "\x81\x5B\x83\x6F\x81\x5B\x82\xCD[%d.%d.%d.%d]\x82\xC5\x82"
                                      "\xB7\x81\x42\r\n";
// このサーバーの誤差は : %1.3f±%1.3f秒\r\n
constexpr const char* kErrorLine = "\x82\xB1\x82\xCC\x83\x54\x81\x5B\x83\x6F\x81\x5B\x82\xCC\x8C"
                                   "\xEB\x8D\xB7\x82\xCD : %1.3f\x81\x7D%1.3f\x95\x62\r\n";
// このサーバーの精度は : %1.10f秒(2の%d乗秒)\r\n
constexpr const char* kPrecisionLine = "\x82\xB1\x82\xCC\x83\x54\x81\x5B\x83\x6F\x81\x5B\x82\xCC"
                                       "\x90\xB8\x93\x78\x82\xCD : %1.10f\x95\x62(2\x82\xCC%d\x8F"
                                       "\xE6\x95\x62)\r\n";
// Zentravaの時刻を設定しました。\r\n
constexpr const char* kOwnClockSet = "Zentrava\x82\xCC\x8E\x9E\x8D\x8F\x82\xF0\x90\xDD\x92\xE8\x82"
                                     "\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x42\r\n";
// パソコンの内蔵時計を新たに設定しました。
constexpr const char* kPcClockNewlySet = "\x83\x70\x83\x5C\x83\x52\x83\x93\x82\xCC\x93\xE0\x91\xA0"
                                         "\x8E\x9E\x8C\x76\x82\xF0\x90\x56\x82\xBD\x82\xC9\x90\xDD"
                                         "\x92\xE8\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x42";
// パソコンの内蔵時計は設定していません。
constexpr const char* kPcClockUnset = "\x83\x70\x83\x5C\x83\x52\x83\x93\x82\xCC\x93\xE0\x91\xA0"
                                      "\x8E\x9E\x8C\x76\x82\xCD\x90\xDD\x92\xE8\x82\xB5\x82\xC4\x82"
                                      "\xA2\x82\xDC\x82\xB9\x82\xF1\x81\x42";
// パソコンの内蔵時計は補正していません。
constexpr const char* kPcClockUncorrected = "\x83\x70\x83\x5C\x83\x52\x83\x93\x82\xCC\x93\xE0\x91"
                                            "\xA0\x8E\x9E\x8C\x76\x82\xCD\x95\xE2\x90\xB3\x82\xB5"
                                            "\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1\x81\x42";
// NTPサーバーに接続失敗。\r\n
constexpr const char* kConnectFailedLine =
    "NTP\x83\x54\x81\x5B\x83\x6F\x81\x5B\x82\xC9\x90\xDA\x91\xB1\x8E\xB8\x94\x73\x81\x42\r\n";
// 理由 : %s\r\n
constexpr const char* kReasonLine = "\x97\x9D\x97\x52 : %s\r\n";
// 無視した応答 : %s\r\n
constexpr const char* kIgnoredLine = "\x96\xB3\x8E\x8B\x82\xB5\x82\xBD\x89\x9E\x93\x9A : %s\r\n";
// NTPサーバー(%s)に問い合わせ中です。\r\n
constexpr const char* kRunningLine = "NTP\x83\x54\x81\x5B\x83\x6F\x81\x5B(%s)\x82\xC9\x96\xE2\x82"
                                     "\xA2\x8D\x87\x82\xED\x82\xB9\x92\x86\x82\xC5\x82\xB7\x81\x42"
                                     "\r\n";

std::string DateTimeLine(const char* label, int year, int month, int day, int hour, int minute,
                         int second, int millisecond) {
    return label + FormatText(kDateTimeFormat, year, month, day, hour, minute, second, millisecond);
}

std::string DateTimeLine(const char* label, const DateTime& t) {
    return DateTimeLine(label, t.year, t.month, t.day, t.hour, t.minute, t.second, t.milliseconds);
}

std::string StratumLines(int stratum, const std::array<std::uint8_t, 4>& id) {
    if (stratum == 0 || stratum == 1) {
        return FormatText(stratum == 0 ? kUnknownServerLine : kPrimaryServerLine, stratum) +
               FormatText(kReferenceSourceLine, ReferenceIdText(id).c_str());
    }
    if (stratum <= 15) {
        return FormatText(kSecondaryServerLine, stratum) +
               FormatText(kUpstreamLine, id[0], id[1], id[2], id[3]);
    }
    return {};
}

std::string SetResultLines(SetResult result) {
    switch (result) {
    case SetResult::Set:
        return std::string(kOwnClockSet) + kPcClockNewlySet;
    case SetResult::SetFailed:
        return std::string(kOwnClockSet) + kPcClockUnset;
    case SetResult::NotSet:
    case SetResult::Unconfirmed: // only updates wait for a second opinion, never the page
        return std::string(kOwnClockSet) + kPcClockUncorrected;
    case SetResult::NoTime:
        break;
    }
    return {};
}

std::string QueryErrorText(QueryError error, ReplyStatus reply) {
    switch (error) {
    case QueryError::SocketLibrary:
        return SocketUnavailableText();
    case QueryError::UnknownHost:
        // サーバー名からアドレスを取得できませんでした。
        return "\x83\x54\x81\x5B\x83\x6F\x81\x5B\x96\xBC\x82\xA9\x82\xE7\x83\x41\x83\x68\x83\x8C"
               "\x83\x58\x82\xF0\x8E\xE6\x93\xBE\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5"
               "\x82\xB5\x82\xBD\x81\x42";
    case QueryError::NoSocket:
        // ソケットを作成できませんでした。
        return "\x83\x5C\x83\x50\x83\x62\x83\x67\x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC"
               "\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81\x42";
    case QueryError::NoAnswer:
        return reply == ReplyStatus::Valid
                   // 1秒以内に応答がありませんでした。
                   ? "1\x95\x62\x88\xC8\x93\xE0\x82\xC9\x89\x9E\x93\x9A\x82\xAA\x82\xA0\x82\xE8"
                     "\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81\x42"
                   // 1秒以内に有効な応答がありませんでした。
                   : "1\x95\x62\x88\xC8\x93\xE0\x82\xC9\x97\x4C\x8C\xF8\x82\xC8\x89\x9E\x93\x9A"
                     "\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD"
                     "\x81\x42";
    case QueryError::Rejected:
        return ReplyStatusText(reply);
    case QueryError::Shunned:
        // このサーバーはアクセスを拒否したため問い合わせていません。
        return "\x82\xB1\x82\xCC\x83\x54\x81\x5B\x83\x6F\x81\x5B\x82\xCD\x83\x41\x83\x4E\x83\x5A"
               "\x83\x58\x82\xF0\x8B\x91\x94\xDB\x82\xB5\x82\xBD\x82\xBD\x82\xDF\x96\xE2\x82\xA2"
               "\x8D\x87\x82\xED\x82\xB9\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1\x81\x42";
    case QueryError::NoThread:
        // 問い合わせを開始できませんでした。
        return "\x96\xE2\x82\xA2\x8D\x87\x82\xED\x82\xB9\x82\xF0\x8A\x4A\x8E\x6E\x82\xC5\x82\xAB"
               "\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81\x42";
    case QueryError::None:
        break;
    }
    return {};
}

} // namespace

std::string NtpUpdateBalloonText(SetResult result, bool retried) {
    const char* pcClock = result == SetResult::Set           ? kPcClockSet
                          : result == SetResult::SetFailed   ? kPcClockSetFailed
                          : result == SetResult::Unconfirmed ? kPcClockUnconfirmed
                                                             : kPcClockNotSet;
    std::string text = FormatText("%s\n%s%s", kUpdated, kOwnClockUpdated, pcClock);
    if (retried) {
        text += "\n";
        text += kRetried;
    }
    return text;
}

std::string NtpUpdateFailedBalloonText() {
    return kUpdateFailed;
}

std::string NtpReportText(const NtpReportData& d) {
    std::string report = FormatText(kServerNameLine, d.server.c_str());
    report += DateTimeLine(kServerTimeLabel, d.serverTime);
    const ClockTimeRecord& c = d.clockTime;
    report += DateTimeLine(kClockTimeLabel, c.Year, c.Month, c.Day, c.Hour, c.Minute, c.Second,
                           c.Millisecond);
    report += DateTimeLine(kSystemTimeLabel, d.systemTime);
    report += FormatText(kDelayLine, d.delaySeconds);
    report += d.offsetSeconds >= 0 ? FormatText(kBehindLine, d.offsetSeconds)
                                   : FormatText(kAheadLine, std::fabs(d.offsetSeconds));
    report += StratumLines(d.stratum, d.referenceId);
    report += DateTimeLine(kReferenceTimeLabel, d.referenceTime);
    report +=
        FormatText(kErrorLine, FixedPointSeconds(d.rootDelay), FixedPointSeconds(d.rootDispersion));
    report += FormatText(kPrecisionLine, PrecisionSeconds(d.precision), d.precision);
    report += SetResultLines(d.result);
    return report;
}

std::string NtpFailureReportText(const NtpQueryOutcome& outcome) {
    std::string report = kConnectFailedLine;
    const std::string reason = QueryErrorText(outcome.error, outcome.reply);
    if (!reason.empty()) {
        report += FormatText(kReasonLine, reason.c_str());
    }
    if (outcome.error == QueryError::NoAnswer && outcome.reply != ReplyStatus::Valid) {
        report += FormatText(kIgnoredLine, ReplyStatusText(outcome.reply).c_str());
    }
    return report;
}

std::string ReplyStatusText(ReplyStatus status) {
    switch (status) {
    case ReplyStatus::Valid:
        return {};
    case ReplyStatus::TooShort:
        // 48バイト未満の応答です。
        return "48\x83\x6F\x83\x43\x83\x67\x96\xA2\x96\x9E\x82\xCC\x89\x9E\x93\x9A\x82\xC5\x82\xB7"
               "\x81\x42";
    case ReplyStatus::NotServerMode:
        // サーバーの応答(モード4)ではありません。
        return "\x83\x54\x81\x5B\x83\x6F\x81\x5B\x82\xCC\x89\x9E\x93\x9A(\x83\x82\x81\x5B\x83\x68"
               "4)\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42";
    case ReplyStatus::WrongVersion:
        // バージョンが3でも4でもありません。
        return "\x83\x6F\x81\x5B\x83\x57\x83\x87\x83\x93\x82\xAA"
               "3\x82\xC5\x82\xE0"
               "4\x82\xC5\x82\xE0\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42";
    case ReplyStatus::OriginateMismatch:
        // 送信した要求への応答ではありません。
        return "\x91\x97\x90\x4D\x82\xB5\x82\xBD\x97\x76\x8B\x81\x82\xD6\x82\xCC\x89\x9E\x93\x9A"
               "\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42";
    case ReplyStatus::Unsynchronised:
        // サーバーの時計が同期していません。
        return "\x83\x54\x81\x5B\x83\x6F\x81\x5B\x82\xCC\x8E\x9E\x8C\x76\x82\xAA\x93\xAF\x8A\xFA"
               "\x82\xB5\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1\x81\x42";
    case ReplyStatus::StratumTooHigh:
        // Stratumが15を超えています。
        return "Stratum\x82\xAA"
               "15\x82\xF0\x92\xB4\x82\xA6\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81\x42";
    case ReplyStatus::ZeroTransmit:
        // 送信時刻が0です。
        return "\x91\x97\x90\x4D\x8E\x9E\x8D\x8F\x82\xAA"
               "0\x82\xC5\x82\xB7\x81\x42";
    case ReplyStatus::ZeroReceive:
        // 受信時刻が0です。
        return "\x8E\xF3\x90\x4D\x8E\x9E\x8D\x8F\x82\xAA"
               "0\x82\xC5\x82\xB7\x81\x42";
    case ReplyStatus::ZeroReference:
        // 参照時刻が0です。
        return "\x8E\x51\x8F\xC6\x8E\x9E\x8D\x8F\x82\xAA"
               "0\x82\xC5\x82\xB7\x81\x42";
    case ReplyStatus::ReferenceAfterTransmit:
        // 参照時刻が送信時刻より後です。
        return "\x8E\x51\x8F\xC6\x8E\x9E\x8D\x8F\x82\xAA\x91\x97\x90\x4D\x8E\x9E\x8D\x8F\x82\xE6"
               "\x82\xE8\x8C\xE3\x82\xC5\x82\xB7\x81\x42";
    case ReplyStatus::RootDistanceTooLarge:
        // サーバーの誤差が16秒以上です。
        return "\x83\x54\x81\x5B\x83\x6F\x81\x5B\x82\xCC\x8C\xEB\x8D\xB7\x82\xAA"
               "16\x95\x62\x88\xC8\x8F\xE3\x82\xC5\x82\xB7\x81\x42";
    case ReplyStatus::KissRate:
        // 問い合わせが多すぎるとの応答(RATE)です。再試行しません。
        return "\x96\xE2\x82\xA2\x8D\x87\x82\xED\x82\xB9\x82\xAA\x91\xBD\x82\xB7\x82\xAC\x82\xE9"
               "\x82\xC6\x82\xCC\x89\x9E\x93\x9A(RATE)\x82\xC5\x82\xB7\x81\x42\x8D\xC4\x8E\x8E\x8D"
               "\x73\x82\xB5\x82\xDC\x82\xB9\x82\xF1\x81\x42";
    case ReplyStatus::KissDeny:
        // アクセスを拒否されました(DENY)。このサーバーには以後問い合わせません。
        return "\x83\x41\x83\x4E\x83\x5A\x83\x58\x82\xF0\x8B\x91\x94\xDB\x82\xB3\x82\xEA\x82\xDC"
               "\x82\xB5\x82\xBD(DENY)\x81\x42\x82\xB1\x82\xCC\x83\x54\x81\x5B\x83\x6F\x81\x5B\x82"
               "\xC9\x82\xCD\x88\xC8\x8C\xE3\x96\xE2\x82\xA2\x8D\x87\x82\xED\x82\xB9\x82\xDC\x82"
               "\xB9\x82\xF1\x81\x42";
    case ReplyStatus::KissRestrict:
        // アクセスを制限されました(RSTR)。このサーバーには以後問い合わせません。
        return "\x83\x41\x83\x4E\x83\x5A\x83\x58\x82\xF0\x90\xA7\x8C\xC0\x82\xB3\x82\xEA\x82\xDC"
               "\x82\xB5\x82\xBD(RSTR)\x81\x42\x82\xB1\x82\xCC\x83\x54\x81\x5B\x83\x6F\x81\x5B\x82"
               "\xC9\x82\xCD\x88\xC8\x8C\xE3\x96\xE2\x82\xA2\x8D\x87\x82\xED\x82\xB9\x82\xDC\x82"
               "\xB9\x82\xF1\x81\x42";
    case ReplyStatus::KissOther:
        // 時刻を含まない応答(Stratum 0)です。
        return "\x8E\x9E\x8D\x8F\x82\xF0\x8A\xDC\x82\xDC\x82\xC8\x82\xA2\x89\x9E\x93\x9A(Stratum "
               "0)\x82\xC5\x82\xB7\x81\x42";
    }
    return {};
}

std::string NtpQueryRunningText(std::string_view server) {
    return FormatText(kRunningLine, std::string(server).c_str());
}

std::string SocketUnavailableText() {
    // ソケット通信の準備ができませんでした。
    return "\x83\x5C\x83\x50\x83\x62\x83\x67\x92\xCA\x90\x4D\x82\xCC\x8F\x80\x94\xF5\x82\xAA\x82"
           "\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81\x42";
}

std::string DateTimeSettingCaption() {
    // 日付と時刻の設定
    return "\x93\xFA\x95\x74\x82\xC6\x8E\x9E\x8D\x8F\x82\xCC\x90\xDD\x92\xE8";
}

std::string ServerListFullText() {
    // NTPサーバーへアクセスできました。\n設定を登録できません。\n登録できる設定は２０個までです。
    return "NTP\x83\x54\x81\x5B\x83\x6F\x81\x5B\x82\xD6\x83\x41\x83\x4E\x83\x5A\x83\x58\x82\xC5"
           "\x82\xAB\x82\xDC\x82\xB5\x82\xBD\x81\x42\n\x90\xDD\x92\xE8\x82\xF0\x93\x6F\x98\x5E\x82"
           "\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81\x42\n\x93\x6F\x98\x5E\x82\xC5\x82\xAB\x82\xE9"
           "\x90\xDD\x92\xE8\x82\xCD\x82\x51\x82\x4F\x8C\xC2\x82\xDC\x82\xC5\x82\xC5\x82\xB7\x81"
           "\x42";
}

std::string TimeServerPageCaption() {
    // NTPサーバーによる日付と時刻の設定
    return "NTP\x83\x54\x81\x5B\x83\x6F\x81\x5B\x82\xC9\x82\xE6\x82\xE9\x93\xFA\x95\x74\x82\xC6\x8E"
           "\x9E\x8D\x8F\x82\xCC\x90\xDD\x92\xE8";
}

std::string EmptyServerNameText() {
    // サーバー名が入力されていません。
    return "\x83\x54\x81\x5B\x83\x6F\x81\x5B\x96\xBC\x82\xAA\x93\xFC\x97\xCD\x82\xB3\x82\xEA\x82"
           "\xC4"
           "\x82\xA2\x82\xDC\x82\xB9\x82\xF1\x81\x42\r\n";
}

} // namespace zentrava
