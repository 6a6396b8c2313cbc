#include "dialogs/page_protocol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zentrava {
namespace {

struct Interval {
    int minutes = 0;
    std::string sound;
    friend bool operator==(const Interval&, const Interval&) = default;
};

// A page over a live record, with every save it makes kept for inspection.
struct PageUnderTest {
    Interval live{10, "a.wav"};
    PageCopies<Interval> copies;
    std::vector<Interval> saved;

    PageUnderTest() { copies.Begin(live); }
    void Edit(int minutes) {
        copies.working().minutes = minutes;
        copies.MarkChanged();
    }
    bool Apply() {
        return copies.Apply(live, [this](const Interval& record) { saved.push_back(record); });
    }
};

TEST(PageProtocol, ApplyCommitsSavesOnceAndClearsTheMark) {
    PageUnderTest page;
    page.Edit(25);
    EXPECT_EQ(page.live.minutes, 10) << "the live record waits for apply";
    EXPECT_TRUE(page.Apply());
    EXPECT_EQ(page.live, (Interval{25, "a.wav"}));
    EXPECT_EQ(page.copies.backup(), page.live);
    EXPECT_FALSE(page.copies.changed());
    ASSERT_EQ(page.saved.size(), 1u);
    EXPECT_EQ(page.saved[0], page.live);

    // OK after Apply with nothing new: no second write of the section.
    EXPECT_FALSE(page.Apply());
    EXPECT_EQ(page.saved.size(), 1u);
}

TEST(PageProtocol, AnUntouchedPageNeverWritesItsSection) {
    PageUnderTest page;
    page.copies.working().minutes = 99; // filled in, but the user changed nothing
    EXPECT_FALSE(page.Apply());
    EXPECT_EQ(page.live.minutes, 10);
    EXPECT_TRUE(page.saved.empty());
}

TEST(PageProtocol, CancelPutsBackWhatThePageGaveAnImmediateEffect) {
    PageUnderTest page;
    page.Edit(25);
    page.copies.working().sound = "b.wav";
    page.live.sound = "b.wav"; // a dropped test sound takes effect at once
    EXPECT_TRUE(page.copies.Revert(page.live));
    EXPECT_EQ(page.live, (Interval{10, "a.wav"}));
    EXPECT_EQ(page.copies.working(), page.live);
    EXPECT_FALSE(page.copies.changed());
    EXPECT_TRUE(page.saved.empty()) << "cancel writes nothing";
}

TEST(PageProtocol, CancelAfterApplyReturnsToThatApply) {
    PageUnderTest page;
    page.Edit(25);
    ASSERT_TRUE(page.Apply());
    page.Edit(40);
    page.live.minutes = 40;
    EXPECT_TRUE(page.copies.Revert(page.live));
    EXPECT_EQ(page.live.minutes, 25);
    EXPECT_EQ(page.saved.size(), 1u);
}

TEST(PageProtocol, CancelLeavesAnUnchangedPageAlone) {
    PageUnderTest page;
    page.live.minutes = 12; // changed by its feature meanwhile, not by the page
    EXPECT_FALSE(page.copies.Revert(page.live));
    EXPECT_EQ(page.live.minutes, 12);
}

TEST(StartPage, OpensTheRememberedPageAndThefirstForAnythingElse) {
    for (int saved = -3; saved <= 10; ++saved) {
        EXPECT_EQ(StartPage(saved), saved >= 0 && saved <= 7 ? saved : 0) << saved;
    }
    EXPECT_EQ(StartPage(PageIndex(SettingsPage::WorldZones)), 7);
}

TEST(CancelHandler, RunsTheStepsInTheirFixedOrder) {
    CancelInputs everything;
    everything.soundTestSounding = true;
    everything.changed.fill(true);
    EXPECT_EQ(CancelPlan(everything),
              (std::vector<CancelStep>{
                  CancelStep::StopSoundTest, CancelStep::RestoreAlarms,
                  CancelStep::RecomputeAlarmsArmed, CancelStep::RestoreTimeSignal,
                  CancelStep::RestoreHourlySounds, CancelStep::RestoreHalfHourlySounds,
                  CancelStep::RestoreAudio, CancelStep::RestoreIntervalNoodle,
                  CancelStep::RestoreTimeBands, CancelStep::RestoreWorldZones}));
}

// The menu may have switched the alarms off while every alarm stays on: only alarm records
// that cancel put back may re-arm them.
TEST(CancelHandler, RecomputesTheArmedFlagOnlyAfterPuttingBackTheAlarms) {
    EXPECT_EQ(CancelPlan({}), std::vector<CancelStep>{});
    EXPECT_EQ(CancelPlan({.soundTestSounding = true}),
              std::vector<CancelStep>{CancelStep::StopSoundTest});
    for (int index = 0; index < kSettingsPageCount; ++index) {
        CancelInputs inputs;
        inputs.changed[static_cast<std::size_t>(index)] = true;
        const std::vector<CancelStep> plan = CancelPlan(inputs);
        const bool recomputes =
            std::find(plan.begin(), plan.end(), CancelStep::RecomputeAlarmsArmed) != plan.end();
        EXPECT_EQ(recomputes, index == PageIndex(SettingsPage::Alarms)) << index;
    }
}

TEST(CancelHandler, RestoresExactlyTheChangedPage) {
    for (int index = 0; index < kSettingsPageCount; ++index) {
        CancelInputs inputs;
        inputs.changed[static_cast<std::size_t>(index)] = true;
        std::vector<int> restored;
        for (CancelStep step : CancelPlan(inputs)) {
            if (const auto page = PageOfStep(step)) {
                restored.push_back(PageIndex(*page));
            }
        }
        EXPECT_EQ(restored, std::vector<int>{index});
    }
}

TEST(PageValidation, ReadsOnlyWholeNumbers) {
    EXPECT_EQ(ParseTypedNumber("0"), 0);
    EXPECT_EQ(ParseTypedNumber("59"), 59);
    EXPECT_EQ(ParseTypedNumber("-1"), -1);
    EXPECT_EQ(ParseTypedNumber("+5"), 5);
    EXPECT_EQ(ParseTypedNumber("007"), 7);
    for (const char* bad : {"", "+", "-", "1a", "a1", " 5", "5 ", "1.5", "+-5", "99999999999"}) {
        EXPECT_EQ(ParseTypedNumber(bad), std::nullopt) << '"' << bad << '"';
    }
}

TEST(PageValidation, StopsAtTheFirstBadFieldInOrder) {
    constexpr std::string_view kHour = "hour 0-23";
    constexpr std::string_view kMinute = "minute 0-59";
    constexpr std::string_view kSecond = "second 0-59";
    auto row = [&](std::string_view h, std::string_view m, std::string_view s) {
        return std::vector<NumberField>{
            {1001, h, 0, 23, kHour}, {1002, m, 0, 59, kMinute}, {1003, s, 0, 59, kSecond}};
    };
    EXPECT_EQ(FirstBadField(row("23", "59", "59")), std::nullopt);
    EXPECT_EQ(FirstBadField(row("0", "0", "0")), std::nullopt);
    EXPECT_EQ(FirstBadField(row("24", "60", "60")), (PageProblem{1001, std::string(kHour)}));
    EXPECT_EQ(FirstBadField(row("12", "6O", "0")), (PageProblem{1002, std::string(kMinute)}));
    EXPECT_EQ(FirstBadField(row("12", "0", "-1")), (PageProblem{1003, std::string(kSecond)}));
    EXPECT_EQ(FirstBadField(row("12", "0", "")), (PageProblem{1003, std::string(kSecond)}));
}

TEST(PageValidation, AFieldWithItsOwnCaptionTellsNotANumberFromOutOfRange) {
    const NumberField field{1001, "", -11, 11, "range", "not a number", "caption"};
    const auto problem = [&](std::string_view text) {
        NumberField typed = field;
        typed.text = text;
        return FirstBadField(std::span(&typed, 1));
    };
    for (const char* bad : {"", "-", "1a", "+-1"}) {
        EXPECT_EQ(problem(bad), (PageProblem{1001, "not a number", "caption"})) << bad;
    }
    for (const char* outside : {"-12", "12", "99999"}) {
        EXPECT_EQ(problem(outside), (PageProblem{1001, "range", "caption"})) << outside;
    }
    EXPECT_EQ(problem("-11"), std::nullopt);
}

} // namespace
} // namespace zentrava
