#pragma once
// The time bands painted as sectors under the 24-hour dials: section TimeZone_Setting, and the
// sector each band covers.
//
// How the program uses them:
//   WM_CREATE    LoadTimeBands once; the live table changes only through the band page's Apply,
//                which saves it with SaveTimeBands.
//   Painting     TimeBandSector for each band that is on, band 1 first.

#include "base/geometry.h"
#include "base/settings_store.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace zentrava {

inline constexpr std::string_view kTimeBandSection = "TimeZone_Setting";

struct TimeBand {
    // Anything but 0 is on; kept as read so the file gets back what it held.
    int onFlag = 0;
    int startHour = 0;               // 0-23
    int endHour = 0;                 // 0-23
    int startMinute = 0;             // 0-59
    int endMinute = 0;               // 0-59
    std::uint32_t colour = 13684944; // COLORREF 0x00BBGGRR, light grey

    bool On() const { return onFlag != 0; }

    friend bool operator==(const TimeBand&, const TimeBand&) = default;
};

// Band n (1-24) is element n - 1.
using TimeBands = std::array<TimeBand, 24>;

// Hours and minutes are clamped into their ranges: painting and the page rely on them.
TimeBands LoadTimeBands(const SettingsStore& store);
// Band by band, each band's keys in the order of the record's fields. True when every key
// reached the file.
bool SaveTimeBands(SettingsStore& store, const TimeBands& bands);

// How far from the centre the sector's radial points lie. They only give directions, so the
// radius is far larger than any face: at a face's own radius neighbouring minutes round to the
// same point. (The pie itself still rounds them onto its rim: see BandSectorRim.)
inline constexpr int kBandRayRadius = 1000;

// What a band covers, as the platform's pie drawing wants it: it runs counter-clockwise from
// the first radial point to the second, so the first is the end time's direction and the
// second the start time's, which fills the sector clockwise from start to end.
struct BandSector {
    bool wholeDisc = false; // start and end are the same minute: the points are not used
    Point first;
    Point second;

    friend bool operator==(const BandSector&, const BandSector&) = default;
};

// Minute 0 at the top, a quarter degree per minute clockwise (screen y grows downwards).
// Clock0HourPos 1 turns the day by twelve hours so that hour 0 lies at the bottom.
BandSector TimeBandSector(const TimeBand& band, int clock0HourPos, Point centre);

// Where a sector's radial points meet a rim of the given radius. The platform's pie rounds its
// radial points onto the rim before it chooses the arc, and takes two that land on one pixel
// for a full turn: a band of a minute or two floods a small face. Such a sector, under half a
// turn, is narrow, and is drawn as the triangle centre, second, first that it nearly is.
struct SectorRim {
    bool narrow = false; // the points lie less than two pixels apart along the rim
    Point first;
    Point second;

    friend bool operator==(const SectorRim&, const SectorRim&) = default;
};

SectorRim BandSectorRim(const BandSector& sector, Point centre, int radius);

} // namespace zentrava
