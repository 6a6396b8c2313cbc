#pragma once
// A static control whose text the dialog paints itself, double-buffered, so that a label
// changing once a second or under a dragged slider never flickers. Shared by the seek and
// volume dialogs.

#include <windows.h>

#include <string>

namespace zentrava {

class PaintedLabel {
public:
    PaintedLabel() = default;
    PaintedLabel(const PaintedLabel&) = delete;
    PaintedLabel& operator=(const PaintedLabel&) = delete;

    // Takes over the control's painting; format is DrawTextA's. The subclass goes with the
    // control.
    void Attach(HWND label, UINT format);
    // Shows the text at once.
    void Show(const std::string& text);
    const std::string& text() const { return text_; }

    void Paint(HDC target) const;

private:
    HWND label_ = nullptr;
    UINT format_ = 0;
    std::string text_;
};

} // namespace zentrava
