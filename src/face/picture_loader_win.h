#pragma once
// Decodes a BMP, JPEG, PNG or GIF file once into memory, for the face and the notification
// window alike. The file is closed when the call returns, so the user may move or delete it.

#include "face/picture.h"

#include <windows.h>

#include <optional>
#include <string>

namespace zentrava {

// Longer side of a decoded picture: a 20000 x 20000 file would otherwise need 1.6 GB.
inline constexpr int kMaxPictureSide = 4096;

// cp932Path is converted with the ANSI code page. A larger picture is scaled down at decode
// time to kMaxPictureSide on its longer side, keeping its aspect. Transparent pixels show
// background. Nothing when the file is missing or cannot be decoded.
std::optional<Picture> LoadPicture(const std::string& cp932Path, COLORREF background);

} // namespace zentrava
