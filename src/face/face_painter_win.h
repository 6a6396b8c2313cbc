#pragma once
// Paints one frame of the face into the back buffer. Pure drawing: the caller holds the
// settings, the objects made from them and a copy of the clocks taken while the tick is not
// writing them, so a frame never mixes two moments.

#include "clock/clock_time.h"
#include "face/appearance_settings.h"
#include "face/drawing_objects_win.h"
#include "face/face_geometry.h"
#include "face/hands.h"
#include "face/picture_face_win.h"
#include "face/time_bands.h"
#include "face/world_zones.h"

#include <windows.h>

namespace zentrava {

struct FaceFrameInputs {
    const FaceGeometry& geometry;
    const HandShapes& hands;
    const AppearanceSettings& settings;
    const DrawingObjects& objects;
    // The heights the objects' fonts were made with; they place the numerals and text lines.
    const TextFontHeights& fontHeights;
    const WorldZoneSettings& zones;
    const Clocks& clocks;
    const TimeBands& bands;
    // The background picture's cache, which a frame may rebuild, and its settings; no picture
    // when either is null.
    PictureFace* picture = nullptr;
    const PictureSettings* pictureSettings = nullptr;
};

// Chooses the painter by 12H_24H_Setting; any other value leaves the buffer's last frame.
void PaintFace(HDC backBuffer, const FaceFrameInputs& in);

void PaintFace12(HDC dc, const FaceFrameInputs& in);
void PaintFace24(HDC dc, const FaceFrameInputs& in);
void PaintFace12And24(HDC dc, const FaceFrameInputs& in);

} // namespace zentrava
