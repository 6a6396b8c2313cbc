#pragma once
// The seek dialog's decisions: the position texts, the slider's range and ticks, the caption and
// what a slider event does. The glue (seek_dialog_win.cpp) carries them out.

#include <string>
#include <string_view>

namespace zentrava {

// What the dialog shows for a song position. A failed length query (-1) shows as an empty
// song, and the position stays within 0..length, so no text goes negative or past the end.
struct SeekTexts {
    std::string elapsed;   // "m:ss", or "h:mm:ss" from an hour on
    std::string remaining; // "-m:ss" or "-h:mm:ss": what is left of the song
};
SeekTexts SeekTextsFor(int position, int length);

// The slider runs 0..SliderMaximum in seconds. Its 32-bit range holds any length a song can
// have; a failed length query gives an empty range.
int SliderMaximum(int length);
// Ticks every 10 s up to half an hour, every 100 s up to an hour, else every 1000 s.
int TickFrequency(int length);

// "音楽再生シーク[♪name]" with the song file's name, without folder and extension (CP932).
std::string SeekCaption(std::string_view songPath);

// WM_HSCROLL from the slider, by its notification code (TB_*).
struct SeekSliderAction {
    bool handled = false;     // codes 0..7; TB_ENDTRACK (8) and others are not
    bool setDragging = false; // dragging becomes `dragging`
    bool dragging = false;
    bool seek = false; // the song goes to the slider's position
};
SeekSliderAction SeekSliderEvent(int code);

} // namespace zentrava
