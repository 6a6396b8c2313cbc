#include "sound/painted_label_win.h"

#include "base/win_handles_win.h"

#include <commctrl.h>

namespace zentrava {

namespace {

constexpr UINT_PTR kSubclassId = 1;

LRESULT CALLBACK LabelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                           DWORD_PTR data) {
    const auto* label = reinterpret_cast<const PaintedLabel*>(data);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (HDC dc = BeginPaint(hwnd, &ps)) {
            label->Paint(dc);
            EndPaint(hwnd, &ps);
        }
        return 0;
    }
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, &LabelProc, id);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

} // namespace

void PaintedLabel::Attach(HWND label, UINT format) {
    label_ = label;
    format_ = format;
    if (label_ != nullptr) {
        SetWindowSubclass(label_, &LabelProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    }
}

void PaintedLabel::Show(const std::string& text) {
    text_ = text;
    if (label_ == nullptr) {
        return;
    }
    if (HDC dc = GetDC(label_)) {
        Paint(dc);
        ReleaseDC(label_, dc);
    }
    ValidateRect(label_, nullptr);
}

void PaintedLabel::Paint(HDC target) const {
    RECT client{};
    GetClientRect(label_, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    UniqueMemoryDc memory(CreateCompatibleDC(target));
    UniqueBitmap bitmap(CreateCompatibleBitmap(target, width, height));
    if (!memory || !bitmap) {
        return;
    }
    const ScopedSelect selectBitmap(memory.get(), bitmap.get());
    FillRect(memory.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
    const auto font = reinterpret_cast<HFONT>(SendMessageA(label_, WM_GETFONT, 0, 0));
    const ScopedSelect selectFont(memory.get(),
                                  font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(memory.get(), TRANSPARENT);
    SetTextColor(memory.get(), GetSysColor(COLOR_BTNTEXT));
    RECT box = client;
    DrawTextA(memory.get(), text_.c_str(), static_cast<int>(text_.size()), &box,
              format_ | DT_NOPREFIX);
    BitBlt(target, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
}

} // namespace zentrava
