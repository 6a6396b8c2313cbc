// CP932 texts of any bytes through every cut and format that takes user or file text. Each cut
// must keep to its byte limit, give a start of what it was handed, and never end in half a
// double-byte character: the shell would show garbage or swallow the next byte.
#include "alarms/alarm_page.h"
#include "app/tray_text.h"
#include "base/balloon_requests.h"
#include "base/cp932_text.h"
#include "base/settings_path.h"
#include "fuzz/fuzz_check.h"
#include "timesync/time_entry.h"

namespace zentrava {
namespace {

using fuzz::Require;

// True when the text ends on a character boundary, reading double-byte characters from its start.
bool WholeCharacters(std::string_view s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (IsCp932LeadByte(static_cast<unsigned char>(s[i])) && ++i == s.size()) {
            return false;
        }
    }
    return true;
}

// A cut of `from` to `limit` bytes: a whole-character start of it, and the longest such start.
void RequireCut(std::string_view cut, std::string_view from, std::size_t limit) {
    Require(cut.size() <= limit, "a cut keeps to its limit");
    Require(from.starts_with(cut), "a cut is a start of its text");
    Require(WholeCharacters(cut), "a cut never ends in half a character");
    Require(cut.size() + 2 > std::min(limit, from.size()), "a cut drops at most one character");
}

void Texts(fuzz::InputReader& in) {
    const std::string_view a = in.Text();
    const std::string_view b = in.Text();
    const std::size_t limit = in.Byte();
    RequireCut(Cp932Prefix(a, limit), a, limit);
    RequireCut(FitTooltip(a), a, kTooltipMaxBytes);
    const Balloon fitted = FitBalloon(a, b);
    RequireCut(fitted.title, a, kBalloonTitleMaxBytes);
    RequireCut(fitted.text, b, kBalloonTextMaxBytes);
    Require(SameIgnoringCase(a, a) && SameIgnoringCase(a, b) == SameIgnoringCase(b, a),
            "case-blind comparison is reflexive and symmetric");

    // Combined balloons: whatever the sources asked, the shell's fields hold the result.
    BalloonRequests requests;
    requests.Request(BalloonSource::Alarm, a);
    requests.Request(static_cast<BalloonSource>(in.Byte() % 3), b);
    const std::optional<Balloon> combined = requests.TakeCombined();
    Require(combined && combined->title.size() <= kBalloonTitleMaxBytes &&
                combined->text.size() <= kBalloonTextMaxBytes && WholeCharacters(combined->text),
            "a combined balloon fits the shell's fields");
    Require(!requests.TakeCombined(), "taken balloons are no longer pending");

    const std::string memo = CleanAlarmMemo(a);
    Require(memo.size() <= kAlarmMemoLimit && WholeCharacters(memo) &&
                memo.find_first_of("\r\n") == std::string::npos,
            "a memo is one line within its limit");

    // A song's name in the tray tip: the tip fits, the face's own tooltip keeps the name whole.
    TrayStatus status;
    status.audioPlaying = true;
    status.audioFilePath = std::string(a);
    status.intervalAlarmOn = true;
    status.intervalStarted = true;
    status.intervalSeconds = 1 + in.Byte();
    const ClockTimeRecord now;
    const std::string tip = TrayRefreshTip(now, 128, status);
    Require(tip.size() <= kTooltipMaxBytes && WholeCharacters(tip), "the tray tip fits");
    Require(FaceTooltipText(now, 128, status).starts_with(tip), "the tip is the face's text, cut");

    const std::string shown = FileDisplayName(a);
    Require(a.ends_with(shown), "a display name is the end of its path");
    const PathParts parts = SplitPath(a);
    Require(parts.drive + parts.dir + parts.base + parts.ext == a, "a split path joins again");
}

void TimeEntry(fuzz::InputReader& in) {
    const auto field = static_cast<TimeEntryField>(in.Byte() % 3);
    const std::string_view text = in.Text();
    const int size = static_cast<int>(text.size());
    const int selStart = in.Byte() % (size + 1);
    const int selEnd = selStart + in.Byte() % (size - selStart + 1);
    const TimeEntryKey key =
        JudgeTimeEntryChar(field, text, selStart, selEnd, static_cast<char>(in.Byte()));
    Require(key.passOn || !key.value, "a refused key has no value");
    Require(!key.value || (*key.value >= 0 && *key.value <= TimeEntryUpperLimit(field)),
            "a judged value is inside the field's range");
}

} // namespace
} // namespace zentrava

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zentrava::fuzz::InputReader in(data, size);
    if (in.Byte() % 2 == 0) {
        zentrava::Texts(in);
    } else {
        zentrava::TimeEntry(in);
    }
    return 0;
}
