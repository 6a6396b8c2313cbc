#include "app/menu_state.h"

#include "resources/commands.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace zentrava {
namespace {

MenuItemState ItemOf(const MenuInputs& in, int id) {
    const MenuState state = ComputeMenuState(in);
    const MenuItemState* item = state.Find(id);
    EXPECT_NE(item, nullptr) << id;
    return item != nullptr ? *item : MenuItemState{};
}

std::string Describe(AudioPlayback a) {
    switch (a) {
    case AudioPlayback::Idle:
        return "idle";
    case AudioPlayback::Playing:
        return "playing";
    case AudioPlayback::Paused:
        return "paused";
    case AudioPlayback::BetweenSongs:
        return "between songs";
    }
    return "?";
}

TEST(MenuState, EveryDecidedItemAppearsExactlyOnce) {
    const MenuState state = ComputeMenuState(MenuInputs{});
    std::set<int> ids;
    for (const MenuItemState& item : state.items) {
        EXPECT_NE(item.id, 0);
        EXPECT_TRUE(ids.insert(item.id).second) << item.id;
    }
}

TEST(MenuState, NoodleItemsLockWhileATimerRunsAndShowWhichOne) {
    const int items[] = {kCmdNoodle3, kCmdNoodle4, kCmdNoodle5};
    for (int selection = 0; selection < 3; ++selection) {
        MenuInputs in;
        in.noodleRunning = true;
        in.noodleSelection = selection;
        for (int i = 0; i < 3; ++i) {
            const MenuItemState item = ItemOf(in, items[i]);
            EXPECT_FALSE(item.enabled) << selection << " " << i;
            EXPECT_EQ(item.checked, i == selection) << selection << " " << i;
        }
        EXPECT_TRUE(ItemOf(in, kCmdNoodleCancel).enabled) << selection;

        in.noodleRunning = false;
        for (int i = 0; i < 3; ++i) {
            const MenuItemState item = ItemOf(in, items[i]);
            EXPECT_TRUE(item.enabled) << selection << " " << i;
            EXPECT_FALSE(item.checked) << selection << " " << i;
        }
        EXPECT_FALSE(ItemOf(in, kCmdNoodleCancel).enabled) << selection;
    }
}

TEST(MenuState, AnOpenDialogGraysEveryItemThatOpensOne) {
    const int items[] = {kCmdGeneralSettings, kCmdSeekDialog,    kCmdVolumeDialog,
                         kCmdSettingsSheet,   kCmdDateTimeSheet, kCmdAbout};
    MenuInputs in;
    in.audio = AudioPlayback::Playing; // the seek item would be offered otherwise
    for (const bool open : {true, false}) {
        in.modalDialogOpen = open;
        for (const int id : items) {
            EXPECT_EQ(ItemOf(in, id).enabled, !open) << id << " open=" << open;
        }
    }
}

struct SeekCase {
    bool seekWindowOpen;
    AudioPlayback audio;
    bool offered;
};

TEST(MenuState, SeekIsOfferedOnlyForASongOrARunAndOnlyOnce) {
    const SeekCase cases[] = {
        {false, AudioPlayback::Idle, false},  {false, AudioPlayback::Playing, true},
        {false, AudioPlayback::Paused, true}, {false, AudioPlayback::BetweenSongs, true},
        {true, AudioPlayback::Idle, false},   {true, AudioPlayback::Playing, false},
        {true, AudioPlayback::Paused, false}, {true, AudioPlayback::BetweenSongs, false},
    };
    for (const SeekCase& c : cases) {
        MenuInputs in;
        in.seekWindowOpen = c.seekWindowOpen;
        in.audio = c.audio;
        EXPECT_EQ(ItemOf(in, kCmdSeekDialog).enabled, c.offered)
            << Describe(c.audio) << " seek window open=" << c.seekWindowOpen;
    }
}

TEST(MenuState, AlarmStopIsOfferedOnlyWhileTheAlarmSounds) {
    for (const bool sounding : {false, true}) {
        MenuInputs in;
        in.alarmSounding = sounding;
        EXPECT_EQ(ItemOf(in, kCmdStopAlarm).enabled, sounding);
    }
}

TEST(MenuState, AlarmAndIntervalChecksFollowTheirSwitches) {
    struct Case {
        bool armed;
        int interval;
    };
    const Case cases[] = {{false, 0}, {true, 0}, {false, 1}, {true, 1}};
    for (const Case& c : cases) {
        MenuInputs in;
        in.alarmsArmed = c.armed;
        in.IntervalAlarmOn = c.interval;
        const MenuItemState alarms = ItemOf(in, kCmdToggleAlarms);
        const MenuItemState interval = ItemOf(in, kCmdIntervalAlarm);
        EXPECT_EQ(alarms.checked, c.armed);
        EXPECT_EQ(interval.checked, c.interval == 1);
        EXPECT_TRUE(alarms.enabled);
        EXPECT_TRUE(interval.enabled);
    }
}

TEST(MenuState, ShowHideItemOffersTheOppositeOfWhatIsOnScreen) {
    MenuInputs in;
    in.WindowDispOn = 0;
    EXPECT_EQ(ComputeMenuState(in).showHideTextId, IDS_MENU_SHOW_CLOCK);
    in.WindowDispOn = 1;
    EXPECT_EQ(ComputeMenuState(in).showHideTextId, IDS_MENU_ICONISE_CLOCK);
}

struct AudioCase {
    AudioPlayback audio;
    bool pausePending;
    bool hasSongs;
    bool play;
    bool pause;
    bool pauseChecked;
    bool stop;
};

TEST(MenuState, AudioItemsFollowThePlayer) {
    const AudioCase cases[] = {
        // Nothing to play: play stays grayed.
        {AudioPlayback::Idle, false, false, false, false, false, false},
        {AudioPlayback::Idle, false, true, true, false, false, false},
        // A pause asked for between songs carries over to the next run's first song.
        {AudioPlayback::Idle, true, true, true, false, true, false},
        {AudioPlayback::Playing, false, true, false, true, false, true},
        {AudioPlayback::Playing, false, false, false, true, false, true},
        {AudioPlayback::Paused, false, true, false, true, true, true},
        {AudioPlayback::BetweenSongs, false, true, false, true, false, true},
        {AudioPlayback::BetweenSongs, true, true, false, true, true, true},
    };
    for (const AudioCase& c : cases) {
        for (const bool modal : {false, true}) {
            MenuInputs in;
            in.audio = c.audio;
            in.audioPausePending = c.pausePending;
            in.audioSourceHasSongs = c.hasSongs;
            in.modalDialogOpen = modal;
            const std::string where =
                Describe(c.audio) + " pending=" + std::to_string(c.pausePending) +
                " songs=" + std::to_string(c.hasSongs) + " modal=" + std::to_string(modal);
            EXPECT_EQ(ItemOf(in, kCmdPlayAudio).enabled, c.play) << where;
            EXPECT_EQ(ItemOf(in, kCmdPauseAudio).enabled, c.pause) << where;
            EXPECT_EQ(ItemOf(in, kCmdPauseAudio).checked, c.pauseChecked) << where;
            EXPECT_EQ(ItemOf(in, kCmdStopAudio).enabled, c.stop) << where;
            EXPECT_FALSE(ItemOf(in, kCmdPlayAudio).checked) << where;
            EXPECT_FALSE(ItemOf(in, kCmdStopAudio).checked) << where;
        }
    }
}

TEST(MenuState, PlayerFlagsReadAsOneState) {
    struct Case {
        bool sounding;
        bool paused;
        bool playlistRun;
        AudioPlayback expected;
    };
    const Case cases[] = {
        {false, false, false, AudioPlayback::Idle},
        {true, false, false, AudioPlayback::Playing},
        {true, true, false, AudioPlayback::Paused},
        {false, false, true, AudioPlayback::BetweenSongs},
        // A song that opened while the run flag was still up is playing.
        {true, false, true, AudioPlayback::Playing},
        // A paused flag left over without an open song is not a pause.
        {false, true, false, AudioPlayback::Idle},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AudioPlaybackOf(c.sounding, c.paused, c.playlistRun), c.expected)
            << c.sounding << c.paused << c.playlistRun;
    }
}

TEST(MenuState, MenuPicturesSwitchToTheLargeSetAtLineHeightTwenty) {
    struct Case {
        int height;
        int firstId;
    };
    const Case cases[] = {{0, 127}, {19, 127}, {20, 131}, {40, 131}};
    for (const Case& c : cases) {
        const MenuBitmapIds ids = MenuBitmapIdsForMenuHeight(c.height);
        EXPECT_EQ(ids.play, c.firstId) << c.height;
        EXPECT_EQ(ids.pauseUnchecked, c.firstId + 1) << c.height;
        EXPECT_EQ(ids.pauseChecked, c.firstId + 2) << c.height;
        EXPECT_EQ(ids.stop, c.firstId + 3) << c.height;
    }
}

} // namespace
} // namespace zentrava
