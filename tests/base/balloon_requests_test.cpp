#include "base/balloon_requests.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <string>
#include <thread>

namespace zentrava {
namespace {

const std::string kAlarmTitle = "\x83\x41\x83\x89\x81\x5B\x83\x80";      // アラーム
const std::string kTimeSignalTitle = "\x8E\x9E\x95\xF1";                 // 時報
const std::string kTimeUpdateTitle = "\x8E\x9E\x8D\x8F\x8D\x58\x90\x56"; // 時刻更新

TEST(BalloonCombiner, NothingPendingShowsNothing) {
    BalloonRequests requests;
    EXPECT_EQ(requests.TakeCombined(), std::nullopt);
}

TEST(BalloonCombiner, NotificationsOfOneTickShareOneBalloonInFixedOrder) {
    BalloonRequests requests;
    // Asked for in another order than they are shown.
    requests.Request(BalloonSource::TimeUpdate, "update");
    requests.Request(BalloonSource::Alarm, "alarm");
    requests.Request(BalloonSource::TimeSignal, "signal");
    EXPECT_EQ(requests.TakeCombined(),
              (Balloon{kAlarmTitle + ", " + kTimeSignalTitle + ", " + kTimeUpdateTitle,
                       "alarm\r\nsignal\r\nupdate"}));
    // Taken means shown: the next tick has nothing.
    EXPECT_EQ(requests.TakeCombined(), std::nullopt);

    requests.Request(BalloonSource::TimeUpdate, "update");
    requests.Request(BalloonSource::Alarm, "alarm");
    EXPECT_EQ(requests.TakeCombined(),
              (Balloon{kAlarmTitle + ", " + kTimeUpdateTitle, "alarm\r\nupdate"}));

    requests.Request(BalloonSource::TimeSignal, "signal");
    EXPECT_EQ(requests.TakeCombined(), (Balloon{kTimeSignalTitle, "signal"}));

    // An empty text adds no blank line.
    requests.Request(BalloonSource::Alarm, "");
    requests.Request(BalloonSource::TimeSignal, "signal");
    EXPECT_EQ(requests.TakeCombined(), (Balloon{kAlarmTitle + ", " + kTimeSignalTitle, "signal"}));
}

TEST(BalloonCombiner, LaterRequestOfASourceReplacesTheEarlier) {
    BalloonRequests requests;
    requests.Request(BalloonSource::Alarm, "first alarm, a longer text than the second");
    requests.Request(BalloonSource::Alarm, "second");
    EXPECT_EQ(requests.TakeCombined(), (Balloon{kAlarmTitle, "second"}));
    EXPECT_EQ(requests.TakeCombined(), std::nullopt);
}

TEST(BalloonCombiner, LongTextIsCutWithoutSplittingACharacter) {
    BalloonRequests requests;
    std::string kanji; // 時 x 40
    for (int i = 0; i < 40; ++i) {
        kanji += "\x8E\x9E";
    }
    // 200 + 2 bytes before the kanji: the last one that fits ends exactly at byte 254.
    requests.Request(BalloonSource::Alarm, std::string(200, 'a'));
    requests.Request(BalloonSource::TimeSignal, kanji);
    const std::string even = std::string(200, 'a') + "\r\n" + kanji;
    EXPECT_EQ(requests.TakeCombined()->text, even.substr(0, 254));

    // One byte more before them: the character on bytes 254 and 255 is left out.
    requests.Request(BalloonSource::Alarm, std::string(201, 'a'));
    requests.Request(BalloonSource::TimeSignal, kanji);
    const std::string odd = std::string(201, 'a') + "\r\n" + kanji;
    EXPECT_EQ(requests.TakeCombined()->text, odd.substr(0, 253));

    const Balloon fitted = FitBalloon(std::string(30, 'T') + kanji, "short");
    EXPECT_EQ(fitted.title, (std::string(30, 'T') + kanji).substr(0, 62));
    EXPECT_EQ(fitted.text, "short");
    EXPECT_EQ(FitBalloon(std::string(31, 'T') + kanji, "").title.size(), 61u);
}

TEST(BalloonCombinerAcrossThreads, EveryTakenTextIsOneWholeRequest) {
    // Long enough to live on the heap and of different lengths, so that a text read while it
    // is being replaced shows up as a mixture or as a memory error.
    const std::array<std::string, 3> texts{std::string(40, 'a'), std::string(250, 'b'),
                                           std::string(17, 'c')};
    constexpr int kRequests = 20000;
    BalloonRequests requests;
    std::atomic<bool> done{false};
    std::thread requester([&] {
        for (int i = 0; i < kRequests; ++i) {
            requests.Request(BalloonSource::TimeSignal, texts[i % texts.size()]);
        }
        done = true;
    });

    int mixed = 0;
    std::string last;
    const auto check = [&](const Balloon& balloon) {
        if (balloon.title != kTimeSignalTitle ||
            (balloon.text != texts[0] && balloon.text != texts[1] && balloon.text != texts[2])) {
            ++mixed;
        }
        last = balloon.text;
    };
    while (!done) {
        if (const auto balloon = requests.TakeCombined()) {
            check(*balloon);
        }
    }
    requester.join();
    if (const auto balloon = requests.TakeCombined()) {
        check(*balloon);
    }
    EXPECT_EQ(mixed, 0);
    // The final request is never lost, whether it was taken during the run or after it.
    EXPECT_EQ(last, texts[(kRequests - 1) % texts.size()]);
}

} // namespace
} // namespace zentrava
