#include "face/time_bands.h"

#include "base/format_text.h"
#include "base/settings_keys.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <numbers>
#include <string>

namespace zentrava {
namespace {

struct BandField {
    const char* keyFormat; // %02d is the band number
    int TimeBand::*field;
    int min;
    int max;
};

// Save order within a band; the colour key follows them. The ranges live here rather than in
// the section clamp table, which names its keys one by one: these are numbered 01-24.
constexpr std::array<BandField, 5> kBandFields{{
    {"TimeZoneOnFlag%02d", &TimeBand::onFlag, std::numeric_limits<int>::min(),
     std::numeric_limits<int>::max()},
    // An hour or minute beyond its range would name a minute of another day.
    {"TimeZoneStartHour%02d", &TimeBand::startHour, 0, 23},
    {"TimeZoneEndHour%02d", &TimeBand::endHour, 0, 23},
    {"TimeZoneStartMinute%02d", &TimeBand::startMinute, 0, 59},
    {"TimeZoneEndMinute%02d", &TimeBand::endMinute, 0, 59},
}};
constexpr const char* kColourKeyFormat = "TimeZoneColor%02d";

// One band's key table. The table's names point into `names`, so it is neither copied nor
// moved.
struct BandKeys {
    explicit BandKeys(int band) : colour(FormatText(kColourKeyFormat, band)) {
        for (std::size_t i = 0; i < kBandFields.size(); ++i) {
            names[i] = FormatText(kBandFields[i].keyFormat, band);
            ints[i] = IntKey<TimeBand>{names[i], kBandFields[i].field};
        }
    }
    BandKeys(const BandKeys&) = delete;
    BandKeys& operator=(const BandKeys&) = delete;

    std::array<std::string, kBandFields.size()> names;
    std::array<IntKey<TimeBand>, kBandFields.size()> ints{};
    std::string colour;
};

constexpr int kMinutesPerDay = 24 * 60;

// Wide arithmetic: a band handed in unclamped must not overflow.
int MinuteOfDay(int hour, int minute) {
    const long long m = (static_cast<long long>(hour) * 60 + minute) % kMinutesPerDay;
    return static_cast<int>(m < 0 ? m + kMinutesPerDay : m);
}

Point Ray(Point centre, int minuteOfDay) {
    const double a = (360 - minuteOfDay) * std::numbers::pi / 720;
    return Point{centre.x + static_cast<int>(std::lround(std::cos(a) * kBandRayRadius)),
                 centre.y - static_cast<int>(std::lround(std::sin(a) * kBandRayRadius))};
}

} // namespace

TimeBands LoadTimeBands(const SettingsStore& store) {
    const TimeBand defaults;
    TimeBands bands;
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const BandKeys keys(static_cast<int>(i) + 1);
        TimeBand& band = bands[i];
        ReadInts<TimeBand>(store, kTimeBandSection, keys.ints, band, defaults);
        for (const BandField& f : kBandFields) {
            band.*f.field = std::clamp(band.*f.field, f.min, f.max);
        }
        band.colour = static_cast<std::uint32_t>(
            store.GetInt(kTimeBandSection, keys.colour, static_cast<int>(defaults.colour)));
    }
    return bands;
}

bool SaveTimeBands(SettingsStore& store, const TimeBands& bands) {
    bool ok = true;
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const BandKeys keys(static_cast<int>(i) + 1);
        ok = WriteInts<TimeBand>(store, kTimeBandSection, keys.ints, bands[i]) && ok;
        ok = store.PutInt(kTimeBandSection, keys.colour, static_cast<int>(bands[i].colour)) && ok;
    }
    return ok;
}

BandSector TimeBandSector(const TimeBand& band, int clock0HourPos, Point centre) {
    const int start = MinuteOfDay(band.startHour, band.startMinute);
    const int end = MinuteOfDay(band.endHour, band.endMinute);
    if (start == end) {
        BandSector whole;
        whole.wholeDisc = true;
        return whole;
    }
    const int turn = clock0HourPos == 1 ? kMinutesPerDay / 2 : 0;
    return BandSector{false, Ray(centre, (end + turn) % kMinutesPerDay),
                      Ray(centre, (start + turn) % kMinutesPerDay)};
}

SectorRim BandSectorRim(const BandSector& sector, Point centre, int radius) {
    const auto onRim = [&](Point p, double& x, double& y) {
        const double dx = p.x - centre.x;
        const double dy = p.y - centre.y;
        const double length = std::hypot(dx, dy);
        x = length > 0 ? dx * radius / length : 0;
        y = length > 0 ? dy * radius / length : 0;
        return Point{centre.x + static_cast<int>(std::lround(x)),
                     centre.y + static_cast<int>(std::lround(y))};
    };
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    SectorRim rim;
    rim.first = onRim(sector.first, x1, y1);
    rim.second = onRim(sector.second, x2, y2);
    // Clockwise from the start (second) to the end (first) turns the cross product positive
    // with y growing downwards; a sector of nearly the whole day has close points too, and its
    // pie's full turn is the right look.
    const bool underHalfTurn = x2 * y1 - y2 * x1 > 0;
    rim.narrow = !sector.wholeDisc && underHalfTurn && std::hypot(x1 - x2, y1 - y2) < 2.0;
    return rim;
}

} // namespace zentrava
