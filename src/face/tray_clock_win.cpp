#include "face/tray_clock_win.h"

#include "face/tray_clock.h"

namespace zentrava {

namespace {

constexpr int kSize = kTrayClockSize;

UniqueBitmap CreateIconBitmap(HDC dc) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kSize;
    info.bmiHeader.biHeight = kSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 16;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return UniqueBitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

bool DrawSegment(HDC dc, const TraySegment& segment) {
    return MoveToEx(dc, segment.from.x, segment.from.y, nullptr) != FALSE &&
           LineTo(dc, segment.to.x, segment.to.y) != FALSE;
}

// An icon's colour image is XORed onto the screen wherever the mask is white, so it has to be
// black there, or the tray's background shows inverted round the dial.
bool DrawColourImage(HDC dc, HBITMAP colour, int hour, int minute) {
    UniqueBrush dial(CreateSolidBrush(kTrayClockDialColour));
    UniquePen rim(CreatePen(PS_SOLID, 2, kTrayClockInkColour));
    UniquePen thin(CreatePen(PS_SOLID, 1, kTrayClockInkColour));
    if (!dial || !rim || !thin) {
        return false;
    }
    ScopedSelect bitmap(dc, colour);
    const TrayClockHands hands = TrayClockHandsAt(hour, minute);
    {
        ScopedSelect brush(dc, GetStockObject(BLACK_BRUSH));
        ScopedSelect pen(dc, GetStockObject(BLACK_PEN));
        if (!Rectangle(dc, 0, 0, kSize, kSize)) {
            return false;
        }
    }
    ScopedSelect brush(dc, dial.get());
    bool drawn = false;
    {
        ScopedSelect pen(dc, rim.get());
        drawn = Ellipse(dc, 0, 0, kSize, kSize) != FALSE && DrawSegment(dc, hands.hour);
    }
    ScopedSelect pen(dc, thin.get());
    return drawn && DrawSegment(dc, hands.minute);
}

// Black (opaque) inside the dial, white (transparent) outside.
bool DrawMask(HDC dc, HBITMAP mask) {
    ScopedSelect bitmap(dc, mask);
    bool drawn = false;
    {
        ScopedSelect brush(dc, GetStockObject(WHITE_BRUSH));
        ScopedSelect pen(dc, GetStockObject(WHITE_PEN));
        drawn = Rectangle(dc, 0, 0, kSize, kSize) != FALSE;
    }
    ScopedSelect brush(dc, GetStockObject(BLACK_BRUSH));
    ScopedSelect pen(dc, GetStockObject(BLACK_PEN));
    return drawn && Ellipse(dc, 0, 0, kSize, kSize) != FALSE;
}

// The rim's wide pen reaches a little past the mask's circle: black wherever the mask is
// transparent (destination AND NOT source).
bool BlackenOutsideMask(HDC colourDc, HBITMAP colour, HDC maskDc, HBITMAP mask) {
    constexpr DWORD kDestinationAndNotSource = 0x00220326;
    ScopedSelect colourIn(colourDc, colour);
    ScopedSelect maskIn(maskDc, mask);
    return BitBlt(colourDc, 0, 0, kSize, kSize, maskDc, 0, 0, kDestinationAndNotSource) != FALSE;
}

} // namespace

UniqueIcon DrawTrayClockIcon(HWND window, int hour, int minute) {
    ScopedWindowDc windowDc(window);
    if (windowDc.get() == nullptr) {
        return UniqueIcon();
    }
    UniqueMemoryDc dc(CreateCompatibleDC(windowDc.get()));
    UniqueMemoryDc maskDc(CreateCompatibleDC(windowDc.get()));
    if (!dc || !maskDc) {
        return UniqueIcon();
    }
    UniqueBitmap colour = CreateIconBitmap(dc.get());
    UniqueBitmap mask = CreateIconBitmap(dc.get());
    if (!colour || !mask || !DrawColourImage(dc.get(), colour.get(), hour, minute) ||
        !DrawMask(dc.get(), mask.get()) ||
        !BlackenOutsideMask(dc.get(), colour.get(), maskDc.get(), mask.get())) {
        return UniqueIcon();
    }
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = mask.get();
    info.hbmColor = colour.get();
    // The icon takes copies of both bitmaps; ours go with this function.
    return UniqueIcon(CreateIconIndirect(&info));
}

} // namespace zentrava
