#include "face/time_band_page.h"

#include "base/format_text.h"

#include <string_view>
#include <vector>

namespace zentrava {
namespace {

// 時間帯設定
constexpr std::string_view kGroupCaptionHead = "\x8E\x9E\x8A\xD4\x91\xD1\x90\xDD\x92\xE8";

// The up-down controls never show a sign, and "+3" in a two-character edit is a slip rather
// than a time; the shared parser would take it as 3. Anything but digits becomes the empty
// text, which the shared check refuses.
std::string_view DigitsOnly(std::string_view text) {
    return text.find_first_not_of("0123456789") == std::string_view::npos ? text
                                                                          : std::string_view{};
}

} // namespace

std::optional<PageProblem> CheckBandRows(std::span<const BandRowText> rows) {
    std::vector<NumberField> fields;
    for (std::size_t i = 0; i < rows.size() && i < kBandRowsPerPage; ++i) {
        const int row = static_cast<int>(i);
        const BandRowText& r = rows[i];
        fields.push_back(
            {kBandStartHourEdit + row, DigitsOnly(r.startHour), 0, 23, kHourRangeMessage});
        fields.push_back({kBandEndHourEdit + row, DigitsOnly(r.endHour), 0, 23, kHourRangeMessage});
        fields.push_back(
            {kBandStartMinuteEdit + row, DigitsOnly(r.startMinute), 0, 59, kMinuteRangeMessage});
        fields.push_back(
            {kBandEndMinuteEdit + row, DigitsOnly(r.endMinute), 0, 59, kMinuteRangeMessage});
    }
    return FirstBadField(fields);
}

std::string BandGroupCaption(int band) {
    // Joined rather than formatted in one piece: a '%' in front of a lead byte is no
    // conversion the formatter knows.
    return std::string(kGroupCaptionHead) + FormatText("%02d:", band);
}

} // namespace zentrava
