#include "face/world_zone_page.h"

#include "base/format_text.h"

#include <vector>

namespace zentrava {
namespace {

// タイムゾーン設定
constexpr std::string_view kGroupCaptionHead = "\x83^\x83"
                                               "C\x83\x80\x83]\x81[\x83\x93\x90\xDD\x92\xE8";

// The minute edit is two characters of an unsigned up-down control: "+5" or "-0" there is a
// slip, not an offset. Anything but digits becomes the empty text, which the check refuses.
std::string_view DigitsOnly(std::string_view text) {
    return text.find_first_not_of("0123456789") == std::string_view::npos ? text
                                                                          : std::string_view{};
}

} // namespace

std::optional<PageProblem> CheckZoneOffsets(std::span<const ZoneOffsetText> zones) {
    std::vector<NumberField> fields;
    for (std::size_t i = 0; i < zones.size() && i < kWorldZoneCount; ++i) {
        const int n = static_cast<int>(i);
        fields.push_back({kZoneHourEdit + n, zones[i].hour, -11, 11, kZoneHourRangeMessage,
                          kZoneHourNotNumberMessage});
        fields.push_back(
            {kZoneMinuteEdit + n, DigitsOnly(zones[i].minute), 0, 59, kZoneMinuteRangeMessage});
    }
    return FirstBadField(fields);
}

std::string ZoneGroupCaption(int zone) {
    // Joined rather than formatted in one piece: a '%' in front of a lead byte is no
    // conversion the formatter knows.
    const char* names = zone == 1 ? "(GMT,BST)" : "(EST,DST)";
    return std::string(kGroupCaptionHead) + FormatText("%02d:%s", zone, names);
}

} // namespace zentrava
