#include "sound/seek_dialog.h"

#include "base/format_text.h"
#include "base/settings_path.h"

#include <algorithm>

namespace zentrava {
namespace {

// TB_* notification codes of a trackbar's WM_HSCROLL.
constexpr int kThumbPosition = 4; // TB_THUMBPOSITION: the thumb was let go
constexpr int kThumbTrack = 5;    // TB_THUMBTRACK: the thumb is being dragged
constexpr int kLastSeekCode = 7;  // TB_BOTTOM; TB_ENDTRACK (8) follows every move

// 音楽再生シーク[♪%s]
constexpr char kCaptionFormat[] = "\x89\xB9\x8A\x79\x8D\xC4\x90\xB6\x83\x56\x81\x5B\x83\x4E"
                                  "[\x81\xF4%s]";

std::string TimeText(const char* sign, int seconds) {
    const int h = seconds / 3600;
    const int m = seconds / 60 - h * 60;
    const int s = seconds % 60;
    if (h <= 0) {
        return FormatText("%s%d:%02d", sign, m, s);
    }
    return FormatText("%s%d:%02d:%02d", sign, h, m, s);
}

} // namespace

SeekTexts SeekTextsFor(int position, int length) {
    const int end = SliderMaximum(length);
    const int at = std::clamp(position, 0, end);
    return {TimeText("", at), TimeText("-", end - at)};
}

int SliderMaximum(int length) {
    return std::max(length, 0);
}

int TickFrequency(int length) {
    if (length <= 1800) {
        return 10;
    }
    return length <= 3600 ? 100 : 1000;
}

std::string SeekCaption(std::string_view songPath) {
    const std::string name = SplitPath(songPath).base;
    return FormatText(kCaptionFormat, name.c_str());
}

SeekSliderAction SeekSliderEvent(int code) {
    SeekSliderAction action;
    if (code < 0 || code > kLastSeekCode) {
        return action;
    }
    action.handled = true;
    if (code == kThumbTrack) {
        action.setDragging = true;
        action.dragging = true;
        return action;
    }
    if (code == kThumbPosition) {
        action.setDragging = true;
        action.dragging = false;
    }
    action.seek = true;
    return action;
}

} // namespace zentrava
