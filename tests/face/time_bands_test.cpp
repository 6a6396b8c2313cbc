#include "face/time_bands.h"

#include "base/memory_settings_store.h"

#include "base/test_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <numbers>
#include <string>
#include <vector>

namespace zentrava {
namespace {

TimeBand Band(int startHour, int startMinute, int endHour, int endMinute) {
    TimeBand band;
    band.onFlag = 1;
    band.startHour = startHour;
    band.startMinute = startMinute;
    band.endHour = endHour;
    band.endMinute = endMinute;
    return band;
}

double Mod360(double degrees) {
    const double m = std::fmod(degrees, 360.0);
    return m < 0 ? m + 360.0 : m;
}

// Degrees clockwise from straight up, as the eye reads a dial (screen y grows downwards).
double Bearing(Point centre, Point p) {
    return Mod360(std::atan2(p.x - centre.x, centre.y - p.y) * 180.0 / std::numbers::pi);
}

double BearingError(double actual, double expected) {
    const double d = Mod360(actual - expected);
    return std::min(d, 360.0 - d);
}

// The sector the platform's pie fills: counter-clockwise from the first point to the second,
// that is clockwise from the second to the first.
bool InsideClockwiseSector(const BandSector& sector, Point centre, double bearing) {
    const double from = Bearing(centre, sector.second);
    const double span = Mod360(Bearing(centre, sector.first) - from);
    const double offset = Mod360(bearing - from);
    return offset > 0 && offset < span;
}

TEST(TimeBandSector, RunsClockwiseFromStartToEndOnTheDayDial) {
    const struct {
        const char* name;
        TimeBand band;
        int clock0HourPos;
        double startBearing;
        double endBearing;
        std::vector<double> inside;
        std::vector<double> outside;
    } cases[] = {
        // 22:00 up-left, 06:00 to the right; 23:00 and midnight inside, noon (the bottom)
        // and 20:00 outside.
        {"22:00-06:00", Band(22, 0, 6, 0), 0, 330, 90, {345, 0, 60}, {180, 300, 120}},
        {"09:00-17:30", Band(9, 0, 17, 30), 0, 135, 262.5, {180, 200}, {0, 90, 300}},
        // Hour 0 at the bottom: 00:00-06:00 runs from the bottom clockwise to the left.
        {"00:00-06:00 turned", Band(0, 0, 6, 0), 1, 180, 270, {200, 225, 260}, {0, 90, 170, 300}},
        {"22:00-06:00 turned", Band(22, 0, 6, 0), 1, 150, 270, {165, 180, 240}, {0, 90, 300}},
        {"09:00-09:01", Band(9, 0, 9, 1), 0, 135, 135.25, {135.125}, {134, 136, 315}},
    };
    for (const Point centre : {Point{0, 0}, Point{64, 80}}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            const BandSector s = TimeBandSector(c.band, c.clock0HourPos, centre);
            ASSERT_FALSE(s.wholeDisc);
            EXPECT_LT(BearingError(Bearing(centre, s.second), c.startBearing), 0.1);
            EXPECT_LT(BearingError(Bearing(centre, s.first), c.endBearing), 0.1);
            for (const Point p : {s.first, s.second}) {
                EXPECT_GE(std::hypot(p.x - centre.x, p.y - centre.y), 300.0);
            }
            for (const double b : c.inside) {
                EXPECT_TRUE(InsideClockwiseSector(s, centre, b)) << b;
            }
            for (const double b : c.outside) {
                EXPECT_FALSE(InsideClockwiseSector(s, centre, b)) << b;
            }
        }
    }
}

TEST(TimeBandSector, OnlyTheSameMinuteForStartAndEndCoversTheWholeDisc) {
    const Point centre{50, 50};
    for (const int pos : {0, 1}) {
        EXPECT_TRUE(TimeBandSector(Band(9, 0, 9, 0), pos, centre).wholeDisc);
        EXPECT_TRUE(TimeBandSector(Band(0, 0, 0, 0), pos, centre).wholeDisc);
        EXPECT_TRUE(TimeBandSector(Band(23, 59, 23, 59), pos, centre).wholeDisc);
    }
}

// Every one-minute band, both ways round the dial, keeps two distinct points: equal points
// would make the platform fill the whole disc.
TEST(TimeBandSector, EveryOneMinuteBandIsASliverNotTheWholeDisc) {
    const Point centre{64, 64};
    for (const int pos : {0, 1}) {
        for (int m = 0; m < 24 * 60; ++m) {
            const int next = (m + 1) % (24 * 60);
            const BandSector s =
                TimeBandSector(Band(m / 60, m % 60, next / 60, next % 60), pos, centre);
            ASSERT_FALSE(s.wholeDisc) << m;
            ASSERT_NE(s.first, s.second) << "minute " << m << " position " << pos;
        }
    }
}

// Narrow: the pie would round both points onto one rim pixel and fill the disc.
TEST(BandSectorRim, OnlyBandsUnderTwoPixelsOfRimAreNarrow) {
    struct Case {
        TimeBand band;
        int radius;
        bool narrow;
    };
    const Case cases[] = {
        {Band(9, 0, 9, 1), 26, true},    // a minute on a 64 px face
        {Band(9, 0, 9, 1), 1000, false}, // 4.4 px of rim
        {Band(9, 0, 9, 2), 150, true},   // 1.3 px
        {Band(9, 0, 9, 5), 150, false},  // 3.3 px
        {Band(22, 0, 6, 0), 26, false},  // a third of the day
        {Band(9, 1, 9, 0), 26, false},   // all but a minute: the pie's full turn is right
        {Band(9, 0, 9, 0), 26, false},   // the whole disc is drawn as one
    };
    const Point centre{32, 32};
    for (const Case& c : cases) {
        const BandSector sector = TimeBandSector(c.band, 0, centre);
        const SectorRim rim = BandSectorRim(sector, centre, c.radius);
        EXPECT_EQ(rim.narrow, c.narrow)
            << c.band.startHour << ":" << c.band.startMinute << "-" << c.band.endHour << ":"
            << c.band.endMinute << " r " << c.radius;
    }
}

TEST(TimeBandSettings, HoursAndMinutesAreClampedIntoTheirRangesOnLoad) {
    const struct {
        const char* line;
        std::size_t band;
        int TimeBand::*field;
        int expected;
    } cases[] = {
        {"TimeZoneStartHour07=24", 6, &TimeBand::startHour, 23},
        {"TimeZoneEndHour12=-1", 11, &TimeBand::endHour, 0},
        {"TimeZoneStartMinute01=60", 0, &TimeBand::startMinute, 59},
        {"TimeZoneEndMinute24=99", 23, &TimeBand::endMinute, 59},
        {"TimeZoneStartHour02=-2147483648", 1, &TimeBand::startHour, 0},
        {"TimeZoneEndHour03=23", 2, &TimeBand::endHour, 23},
        {"TimeZoneEndMinute04=0", 3, &TimeBand::endMinute, 0},
        // The on flag is not a range: anything but 0 is on, and it stays as written.
        {"TimeZoneOnFlag05=5", 4, &TimeBand::onFlag, 5},
        {"TimeZoneOnFlag06=-1", 5, &TimeBand::onFlag, -1},
    };
    for (const auto& c : cases) {
        const TimeBands bands =
            LoadTimeBands(MemorySettingsStore(std::string("[TimeZone_Setting]\r\n") + c.line));
        EXPECT_EQ(bands[c.band].*c.field, c.expected) << c.line;
    }
    EXPECT_TRUE(
        LoadTimeBands(MemorySettingsStore("[TimeZone_Setting]\r\nTimeZoneOnFlag05=5\r\n"))[4].On());
}

TEST(TimeBandSettings, SavedBandsLoadBackAsTheyWereBandByBand) {
    TimeBands bands;
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const int n = static_cast<int>(i);
        bands[i] = Band(n, (n * 7) % 60, (n + 5) % 24, (n * 13) % 60);
        bands[i].onFlag = n % 2;
        bands[i].colour = 0x00010203u * static_cast<std::uint32_t>(n + 1);
    }
    bands[23].colour = 0xFFFFFFFFu; // beyond int: written as a negative "%d"
    MemorySettingsStore store;
    ASSERT_TRUE(SaveTimeBands(store, bands));
    EXPECT_EQ(LoadTimeBands(store), bands);

    EXPECT_EQ(store.GetInt("TimeZone_Setting", "TimeZoneStartMinute05", -9), bands[4].startMinute);
    EXPECT_EQ(store.GetInt("TimeZone_Setting", "TimeZoneEndHour10", -9), bands[9].endHour);
    EXPECT_EQ(store.GetInt("TimeZone_Setting", "TimeZoneColor24", 0), -1);
    const std::vector<std::string> keys = KeysInOrder(store.Text());
    ASSERT_EQ(keys.size(), 144u);
    const std::vector<std::string> firstBandThenSecond(keys.begin(), keys.begin() + 7);
    EXPECT_EQ(
        firstBandThenSecond,
        (std::vector<std::string>{"TimeZoneOnFlag01", "TimeZoneStartHour01", "TimeZoneEndHour01",
                                  "TimeZoneStartMinute01", "TimeZoneEndMinute01", "TimeZoneColor01",
                                  "TimeZoneOnFlag02"}));
    EXPECT_EQ(keys.back(), "TimeZoneColor24");
}

} // namespace
} // namespace zentrava
