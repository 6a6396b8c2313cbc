#pragma once
// A decoded picture in memory, shared by the face and the notification window so that both can
// decode once and draw or transform the pixels as often as they like.

#include <cstdint>
#include <vector>

namespace zentrava {

// Rows top-down, each pixel 0x00RRGGBB: in memory that is the blue, green, red, 0 byte order of
// a 32-bit top-down DIB, so the pixels can go to SetDIBitsToDevice or a DIB section as they are.
// Transparency is already resolved over a background colour by the loader.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    bool Empty() const { return width <= 0 || height <= 0; }
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint32_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }

    friend bool operator==(const Picture&, const Picture&) = default;
};

inline Picture MakePicture(int width, int height, std::uint32_t fill = 0) {
    return Picture{width, height,
                   std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, fill)};
}

// The picture takes the size and the fill, keeping its storage when that is large enough:
// large fresh allocations cost a page fault per 4 KiB, which dominates a size change.
inline void Reformat(Picture& picture, int width, int height, std::uint32_t fill = 0) {
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(static_cast<std::size_t>(width) * height, fill);
}

} // namespace zentrava
