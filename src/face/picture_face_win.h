#pragma once
// The face's background picture: decoded once, then kept as a composed layer (ring, picture,
// bands) that a frame only copies. The layer is rebuilt when what shapes it changes, and a
// turning picture is recomputed only when its rim has moved about half a pixel.

#include "base/win_handles_win.h"
#include "face/face_geometry.h"
#include "face/picture_rotation.h"
#include "face/time_bands.h"

#include <windows.h>

#include <optional>
#include <string>

namespace zentrava {

// What a frame asks of the picture.
struct PictureFrame {
    const FaceGeometry& geometry;
    COLORREF ring;          // BackGroundColor: the frame ring keeps it
    bool turning;           // the 24-hour dial with the turn switched on
    int turnStep;           // PictureTurnStep for this frame
    const TimeBands* bands; // null on a dial that shows none
    int clock0HourPos;      // where the bands' hour 0 lies
};

class PictureFace {
public:
    // Decodes the file, its transparent parts over the face colour; an empty path, a missing
    // file or one that cannot be decoded leaves no picture, without a word. The same path and
    // colour with a picture already decoded are kept as they are, so applying an unrelated
    // page does not decode a large photograph again (a new PictureFace decodes anew).
    void Load(const std::string& path, COLORREF faceColour);
    bool Shown() const { return layer_.has_value(); }

    // The window's size is changing: the layer made for the old size goes.
    void Drop();

    // Ring, picture and the bands over it into the whole client area; false when there is no
    // picture to draw.
    bool Draw(HDC dc, const PictureFrame& frame);

    // How many times the face was recomputed, for the benchmark.
    int Renders() const { return layer_ ? layer_->Renders() : 0; }

private:
    struct Key {
        PictureLayerShape shape;
        std::optional<TimeBands> bands;
        int clock0HourPos = 0;

        friend bool operator==(const Key&, const Key&) = default;
    };

    bool DrawBandOverlay(const FaceGeometry& geometry, const TimeBands& bands, int clock0HourPos,
                         Picture& overlay);

    std::string path_;
    COLORREF faceColour_ = 0;
    std::optional<PictureLayer> layer_;
    std::optional<Key> key_;
    UniqueBitmap overlayDib_;
    void* overlayBits_ = nullptr;
    int overlayWidth_ = 0;
    int overlayHeight_ = 0;
};

} // namespace zentrava
