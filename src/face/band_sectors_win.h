#pragma once
// The time bands as sectors of the face, for the face drawn straight into the back buffer and
// for the overlay laid over a picture alike, so both show exactly the same pixels.

#include "face/face_geometry.h"
#include "face/time_bands.h"

#include <windows.h>

namespace zentrava {

// Band 1 first; each band's pen and brush are made for it and gone before the next.
void DrawBandSectors(HDC dc, const FaceGeometry& geometry, const TimeBands& bands,
                     int clock0HourPos);

} // namespace zentrava
