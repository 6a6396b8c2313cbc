#include "timesync/ntp_texts.h"

#include "base/test_text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace zentrava {
namespace {

TEST(NtpBalloonTexts, EachResultHasItsOwnLastLine) {
    const std::string head =
        J("NTPサーバーから時刻を取得し時刻を更新しました。\nZentrava時刻更新。");
    EXPECT_EQ(NtpUpdateBalloonText(SetResult::Set, false), head + J("PC内蔵時計時刻更新。"));
    EXPECT_EQ(NtpUpdateBalloonText(SetResult::SetFailed, false),
              head + J("PC内蔵時計時刻更新失敗。"));
    EXPECT_EQ(NtpUpdateBalloonText(SetResult::NotSet, false), head + J("PC内蔵時計時刻補正無し。"));
    EXPECT_EQ(NtpUpdateBalloonText(SetResult::Unconfirmed, false),
              head + J("PC内蔵時計時刻補正保留。\n1000秒超のずれを他のサーバーで確認できません"
                       "でした。"));
    EXPECT_EQ(NtpUpdateBalloonText(SetResult::Set, true),
              head + J("PC内蔵時計時刻更新。\n1回リトライを行いました。"));
    EXPECT_EQ(NtpUpdateBalloonText(SetResult::NotSet, true),
              head + J("PC内蔵時計時刻補正無し。\n1回リトライを行いました。"));
    EXPECT_EQ(NtpUpdateFailedBalloonText(), J("NTPサーバーからの時刻の取得に失敗しました。"));
}

NtpReportData Report() {
    NtpReportData d;
    d.server = "ntp.nict.jp";
    d.serverTime = {2024, 3, 2, 5, 12, 0, 2, 541};
    d.clockTime.Year = 2024;
    d.clockTime.Month = 3;
    d.clockTime.Day = 5;
    d.clockTime.Hour = 12;
    d.clockTime.Minute = 0;
    d.clockTime.Second = 0;
    d.clockTime.Millisecond = 50;
    d.systemTime = {2024, 3, 2, 5, 12, 0, 0, 41};
    d.delaySeconds = 0.04;
    d.offsetSeconds = 2.5;
    d.stratum = 2;
    d.referenceId = {192, 0, 2, 1};
    d.referenceTime = {2024, 3, 2, 5, 11, 58, 20, 7};
    d.rootDelay = 0x00012000u;      // 1.125 s
    d.rootDispersion = 0x00004000u; // 0.25 s
    d.precision = -20;
    d.result = SetResult::Set;
    return d;
}

const std::string kHead = J("NTPサーバー名 : ntp.nict.jp\r\n"
                            "NTPサーバー時刻 = 2024/03/05 12:00:02.541\r\n"
                            "時刻取得時の時計ソフト時刻 = 2024/03/05 12:00:00.050\r\n"
                            "時刻取得時のシステム時刻 = 2024/03/05 12:00:00.041\r\n"
                            "往復経路による遅延時間は0.040000秒です。\r\n");
const std::string kTail = J("参照ソースの最終取得時刻 = 2024/03/05 11:58:20.007\r\n"
                            "このサーバーの誤差は : 1.125±0.250秒\r\n"
                            "このサーバーの精度は : 0.0000009537秒(2の-20乗秒)\r\n");

TEST(NtpReport, SecondaryServerReportsItsUpstreamAddress) {
    EXPECT_EQ(NtpReportText(Report()),
              kHead +
                  J("システム時刻は2.5000秒遅れています。\r\n"
                    "上位サーバーを参照中:Stratum( 2 )\r\n"
                    "参照した上位サーバーは[192.0.2.1]です。\r\n") +
                  kTail +
                  J("Zentravaの時刻を設定しました。\r\nパソコンの内蔵時計を新たに設定しました。"));
}

TEST(NtpReport, PrimaryAndUnknownServersNameTheirSource) {
    NtpReportData d = Report();
    d.stratum = 1;
    d.referenceId = {'G', 'P', 'S', 0};
    d.offsetSeconds = -0.01234;
    d.result = SetResult::NotSet;
    EXPECT_EQ(NtpReportText(d),
              kHead +
                  J("システム時刻は0.0123秒進んでいます。\r\n"
                    "プライマリーサーバーです。:Stratum( 1 )\r\n"
                    "参照ソースは(GPS)\r\n") +
                  kTail +
                  J("Zentravaの時刻を設定しました。\r\nパソコンの内蔵時計は補正していません。"));

    d.stratum = 0;
    d.referenceId = {'L', 'O', 'C', 'L'};
    d.result = SetResult::SetFailed;
    const std::string report = NtpReportText(d);
    EXPECT_NE(report.find(J("サーバーは正体不明です。:Stratum( 0 )\r\n参照ソースは(LOCL)\r\n")),
              std::string::npos);
    EXPECT_EQ(report.substr(report.size() - J("パソコンの内蔵時計は設定していません。").size()),
              J("パソコンの内蔵時計は設定していません。"));
}

TEST(NtpReport, NoStratumLinesFromSixteenOnAndAnOffsetOfZeroIsBehind) {
    NtpReportData d = Report();
    d.stratum = 16;
    d.offsetSeconds = 0.0;
    EXPECT_EQ(NtpReportText(d),
              kHead + J("システム時刻は0.0000秒遅れています。\r\n") + kTail +
                  J("Zentravaの時刻を設定しました。\r\nパソコンの内蔵時計を新たに設定しました。"));
}

TEST(NtpReport, FailuresSayWhyTheAnswerWasMissingOrNotTaken) {
    const std::string failed = J("NTPサーバーに接続失敗。\r\n");
    NtpQueryOutcome o;
    o.error = QueryError::NoAnswer;
    EXPECT_EQ(NtpFailureReportText(o), failed + J("理由 : 1秒以内に応答がありませんでした。\r\n"));
    o.reply = ReplyStatus::OriginateMismatch;
    EXPECT_EQ(NtpFailureReportText(o),
              failed + J("理由 : 1秒以内に有効な応答がありませんでした。\r\n"
                         "無視した応答 : 送信した要求への応答ではありません。\r\n"));
    o.error = QueryError::Rejected;
    o.reply = ReplyStatus::KissDeny;
    EXPECT_EQ(NtpFailureReportText(o), failed + J("理由 : アクセスを拒否されました(DENY)。"
                                                  "このサーバーには以後問い合わせません。\r\n"));

    const struct {
        QueryError error;
        const char* reason;
    } errors[] = {
        {QueryError::SocketLibrary, "ソケット通信の準備ができませんでした。"},
        {QueryError::UnknownHost, "サーバー名からアドレスを取得できませんでした。"},
        {QueryError::NoSocket, "ソケットを作成できませんでした。"},
        {QueryError::Shunned, "このサーバーはアクセスを拒否したため問い合わせていません。"},
        {QueryError::NoThread, "問い合わせを開始できませんでした。"},
    };
    for (const auto& e : errors) {
        NtpQueryOutcome outcome;
        outcome.error = e.error;
        EXPECT_EQ(NtpFailureReportText(outcome), failed + J("理由 : ") + J(e.reason) + "\r\n");
    }
}

TEST(NtpReport, EveryRejectionHasItsReason) {
    const struct {
        ReplyStatus status;
        const char* text;
    } cases[] = {
        {ReplyStatus::Valid, ""},
        {ReplyStatus::TooShort, "48バイト未満の応答です。"},
        {ReplyStatus::NotServerMode, "サーバーの応答(モード4)ではありません。"},
        {ReplyStatus::WrongVersion, "バージョンが3でも4でもありません。"},
        {ReplyStatus::OriginateMismatch, "送信した要求への応答ではありません。"},
        {ReplyStatus::Unsynchronised, "サーバーの時計が同期していません。"},
        {ReplyStatus::StratumTooHigh, "Stratumが15を超えています。"},
        {ReplyStatus::ZeroTransmit, "送信時刻が0です。"},
        {ReplyStatus::ZeroReceive, "受信時刻が0です。"},
        {ReplyStatus::ZeroReference, "参照時刻が0です。"},
        {ReplyStatus::ReferenceAfterTransmit, "参照時刻が送信時刻より後です。"},
        {ReplyStatus::RootDistanceTooLarge, "サーバーの誤差が16秒以上です。"},
        {ReplyStatus::KissRate, "問い合わせが多すぎるとの応答(RATE)です。再試行しません。"},
        {ReplyStatus::KissDeny,
         "アクセスを拒否されました(DENY)。このサーバーには以後問い合わせません。"},
        {ReplyStatus::KissRestrict,
         "アクセスを制限されました(RSTR)。このサーバーには以後問い合わせません。"},
        {ReplyStatus::KissOther, "時刻を含まない応答(Stratum 0)です。"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReplyStatusText(c.status), J(c.text)) << c.text;
    }
}

TEST(NtpPageTexts, MessagesCaptionsAndTheRunningLine) {
    EXPECT_EQ(SocketUnavailableText(), J("ソケット通信の準備ができませんでした。"));
    EXPECT_EQ(DateTimeSettingCaption(), J("日付と時刻の設定"));
    EXPECT_EQ(ServerListFullText(), J("NTPサーバーへアクセスできました。\n設定を登録できません。\n"
                                      "登録できる設定は２０個までです。"));
    EXPECT_EQ(TimeServerPageCaption(), J("NTPサーバーによる日付と時刻の設定"));
    EXPECT_EQ(EmptyServerNameText(), J("サーバー名が入力されていません。\r\n"));
    EXPECT_EQ(NtpQueryRunningText("192.0.2.7"),
              J("NTPサーバー(192.0.2.7)に問い合わせ中です。\r\n"));
}

} // namespace
} // namespace zentrava
