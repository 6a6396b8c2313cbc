#pragma once
// The off-screen picture of the face: every painter draws into it and WM_PAINT copies from it.

#include "base/win_handles_win.h"

#include <windows.h>

#include <string>

namespace zentrava {

class BackBuffer {
public:
    BackBuffer() = default;
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;
    ~BackBuffer() { Release(); }

    // A buffer of the window's client size, cleared; false when GDI refused.
    bool Create(HWND hwnd);
    // Puts the bitmap the context held at creation back, then deletes bitmap and context.
    void Release();

    HDC dc() const { return dc_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }
    void Clear();
    // A 24-bit bottom-up BMP file, written byte by byte.
    bool SaveBmp(const std::string& path) const;

private:
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ original_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

} // namespace zentrava
