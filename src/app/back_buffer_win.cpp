#include "app/back_buffer_win.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

namespace zentrava {

bool BackBuffer::Create(HWND hwnd) {
    Release();
    RECT client{};
    GetClientRect(hwnd, &client);
    width_ = client.right > 1 ? client.right : 1;
    height_ = client.bottom > 1 ? client.bottom : 1;
    ScopedWindowDc screen(hwnd);
    dc_.reset(CreateCompatibleDC(screen.get()));
    bitmap_.reset(CreateCompatibleBitmap(screen.get(), width_, height_));
    if (!dc_ || !bitmap_) {
        Release();
        return false;
    }
    original_ = SelectObject(dc_.get(), bitmap_.get());
    SetBkMode(dc_.get(), TRANSPARENT);
    Clear();
    return true;
}

void BackBuffer::Release() {
    if (dc_ && original_ != nullptr) {
        SelectObject(dc_.get(), original_);
    }
    original_ = nullptr;
    bitmap_.reset();
    dc_.reset();
    width_ = height_ = 0;
}

void BackBuffer::Clear() {
    if (!dc_) {
        return;
    }
    const RECT all{0, 0, width_, height_};
    FillRect(dc_.get(), &all, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
}

namespace {

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

} // namespace

bool BackBuffer::SaveBmp(const std::string& path) const {
    if (!dc_) {
        return false;
    }
    const std::uint32_t stride = (static_cast<std::uint32_t>(width_) * 3 + 3) & ~3u;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(height_);
    std::vector<std::uint8_t> pixels(imageSize);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    if (GetDIBits(dc_.get(), bitmap_.get(), 0, static_cast<UINT>(height_), pixels.data(), &info,
                  DIB_RGB_COLORS) == 0) {
        return false;
    }
    std::vector<std::uint8_t> file;
    file.reserve(54 + imageSize);
    file.push_back('B');
    file.push_back('M');
    PutLe(file, 54 + imageSize, 4);
    PutLe(file, 0, 4);
    PutLe(file, 54, 4);
    PutLe(file, 40, 4);
    PutLe(file, static_cast<std::uint32_t>(width_), 4);
    PutLe(file, static_cast<std::uint32_t>(height_), 4);
    PutLe(file, 1, 2);
    PutLe(file, 24, 2);
    PutLe(file, 0, 4);
    PutLe(file, imageSize, 4);
    PutLe(file, 2835, 4);
    PutLe(file, 2835, 4);
    PutLe(file, 0, 4);
    PutLe(file, 0, 4);
    file.insert(file.end(), pixels.begin(), pixels.end());
    const UniqueFile out(std::fopen(path.c_str(), "wb"));
    return out && std::fwrite(file.data(), 1, file.size(), out.get()) == file.size();
}

} // namespace zentrava
