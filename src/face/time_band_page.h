#pragma once
// What the time-band page shows and accepts, apart from its controls: the caption of each row's
// group and the check of the four visible rows before the page may be turned, left or applied.

#include "dialogs/page_protocol.h"

#include <optional>
#include <span>
#include <string>

namespace zentrava {

inline constexpr int kBandRowsPerPage = 4;
// The edits of the first visible row; each next row's control is one more.
inline constexpr int kBandStartHourEdit = 1621;
inline constexpr int kBandStartMinuteEdit = 1691;
inline constexpr int kBandEndHourEdit = 1641;
inline constexpr int kBandEndMinuteEdit = 1711;

// What a row's four edits hold.
struct BandRowText {
    std::string startHour;
    std::string startMinute;
    std::string endHour;
    std::string endMinute;
};

// The first failure in row order, each row start hour, end hour, start minute, then end minute,
// with the edit to put the user on; none when every field is in range. Only digits make a
// number: letters, signs and empty edits are refused with the field's range message rather
// than read as 0.
std::optional<PageProblem> CheckBandRows(std::span<const BandRowText> rows);

// The group caption of band n (1-24), "時間帯設定" with the number in two digits and a colon,
// as CP932 bytes.
std::string BandGroupCaption(int band);

} // namespace zentrava
