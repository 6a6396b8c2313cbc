#pragma once
// What the world-zone page shows and accepts, apart from its controls: the caption of each
// zone's group and the check of the zones' typed offsets before the page may be left or applied.

#include "dialogs/page_protocol.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zentrava {

inline constexpr int kWorldZoneCount = 2;
// Zone n's edits are these plus n (0 for zone 1, 1 for zone 2).
inline constexpr int kZoneHourEdit = 1770;
inline constexpr int kZoneMinuteEdit = 1790;

// "タイムゾーンの時間設定は-11～11迄です。"
inline constexpr std::string_view kZoneHourRangeMessage =
    "\x83^\x83"
    "C\x83\x80\x83]\x81[\x83\x93\x82\xCC\x8E\x9E\x8A\xD4\x90\xDD\x92\xE8\x82\xCD-11\x81`11\x96\x98"
    "\x82\xC5\x82\xB7\x81"
    "B";
// "タイムゾーンの時間設定に文字が入力されています。"
inline constexpr std::string_view kZoneHourNotNumberMessage =
    "\x83^\x83"
    "C\x83\x80\x83]\x81[\x83\x93\x82\xCC\x8E\x9E\x8A\xD4\x90\xDD\x92\xE8\x82\xC9\x95\xB6\x8E\x9A"
    "\x82\xAA\x93\xFC\x97\xCD\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81"
    "B";
// "タイムゾーンの分設定は0～59迄です。"
inline constexpr std::string_view kZoneMinuteRangeMessage =
    "\x83^\x83"
    "C\x83\x80\x83]\x81[\x83\x93\x82\xCC\x95\xAA\x90\xDD\x92\xE8\x82\xCD"
    "0\x81`59\x96\x98\x82\xC5\x82\xB7\x81"
    "B";

// What one zone's two edits hold.
struct ZoneOffsetText {
    std::string hour;
    std::string minute;
};

// The first bad field, zone 1 before zone 2 and each zone's hour before its minute, with the
// edit to put the user on; none when both zones are in range. The hour is signed (-11 to 11);
// anything that is not a number there (letters, a sign alone, an empty edit) has its own
// message. The minute takes digits only: a sign, letters or an empty edit are refused with the
// range message rather than read as 0.
std::optional<PageProblem> CheckZoneOffsets(std::span<const ZoneOffsetText> zones);

// The group caption of zone 1 or 2, as CP932 bytes: "タイムゾーン設定01:(GMT,BST)" and
// "タイムゾーン設定02:(EST,DST)".
std::string ZoneGroupCaption(int zone);

} // namespace zentrava
