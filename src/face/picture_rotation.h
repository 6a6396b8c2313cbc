#pragma once
// The picture that turns once a day on the 24-hour dial. The picture is squeezed to a square
// once; the face is sampled from that square only when the turn has moved its rim by about
// half a pixel, so the paints in between cost a copy.

#include "base/geometry.h"
#include "clock/clock_time.h"
#include "face/picture.h"

#include <cstdint>
#include <functional>

namespace zentrava {

// One step per second of the day: the turn is never recomputed more often than that.
inline constexpr int kPictureTurnSteps = 86400;

// The turn, clockwise on the screen from upright, in steps of kPictureTurnSteps per day. It
// follows the 24-hour hand: with hour 0 at the top (clock0HourPos other than 1) the picture is
// upright at 12:00 and upside down at 00:00; with hour 0 at the bottom upright at 00:00.
// dayTicks is the 50 ms tick count since midnight.
int PictureTurnStep(int dayTicks, int clock0HourPos);

// picRotStdTimeZone 1 turns with universal time, anything else with the clock time.
int PictureTurnStep(const ClockTimeRecord& local, const ClockTimeRecord& utc, int picRotStdTimeZone,
                    int clock0HourPos);

double PictureTurnRadians(int turnStep);

// How many steps the turn may run on before a face of this radius is drawn again: the rim
// moves about half a pixel in that time (13 steps at a radius of 500), so no one sees the
// picture lag, and the face is recomputed seldom.
int PictureTurnQuantum(int radius);

// Pixels whose distance from the centre is at most radius are inside.
struct FaceCircle {
    Point centre;
    int radius = 0;

    friend bool operator==(const FaceCircle&, const FaceCircle&) = default;
};

// The whole picture squeezed or stretched to width x height, nearest pixel; into `out`, whose
// storage is reused.
void ScalePicture(const Picture& picture, int width, int height, Picture& out);
Picture ScaledPicture(const Picture& picture, int width, int height);

// The whole picture stretched over out's size, written only inside the circle.
void StretchIntoFace(const Picture& picture, const FaceCircle& circle, Picture& out);

// square (side x side) stretched over out's size and turned about its centre by turnStep,
// written only inside the circle. Points that would sample beyond the square take its edge.
void RotateIntoFace(const Picture& square, int turnStep, const FaceCircle& circle, Picture& out);

// What shapes the composed layer apart from the turn: rebuilt when any of it changes.
struct PictureLayerShape {
    int width = 0;
    int height = 0;
    FaceCircle circle;      // the face: the picture shows only inside it
    std::uint32_t ring = 0; // 0x00RRGGBB everywhere outside the face
    bool turning = false;   // the 24-hour dial with the turn switched on

    friend bool operator==(const PictureLayerShape&, const PictureLayerShape&) = default;
};

// The face with its picture as one client-size layer: the ring in its colour, the picture in
// the face, the bands OR-ed over it. Every stage that does not change with the turn is kept:
// the picture squeezed once to the client's square, the overlay of the bands; a turning frame
// is recomputed only when the turn moved on by a quantum, so most paints only copy it.
class PictureLayer {
public:
    explicit PictureLayer(Picture picture);

    // Rebuilds for a new shape. drawOverlay, when given, draws the bands into the overlay it is
    // handed (the client's size, black) and says whether it drew any; the overlay is OR-ed over
    // the face.
    void Reshape(const PictureLayerShape& shape,
                 const std::function<bool(Picture& overlay)>& drawOverlay = {});
    bool Shaped() const { return shaped_; }
    const PictureLayerShape& shape() const { return shape_; }
    // The window is being resized: the layer no longer fits. Its storage is kept for the next
    // shape.
    void Drop();

    // The layer for this turn, the step rounded down to the face's quantum; the step is
    // ignored when the layer does not turn. A picture less than 2 pixels high has nothing to
    // turn (its square would be empty) and is drawn stretched, unturned.
    const Picture& Frame(int turnStep);

    // How many times the face was recomputed, for callers that count their work.
    int Renders() const { return renders_; }

private:
    bool Turns() const;
    void Render(int step);

    Picture source_;
    PictureLayerShape shape_;
    bool shaped_ = false;
    bool overlaid_ = false;
    int quantum_ = 1;
    Picture square_;
    Picture overlay_;
    Picture frame_;
    int lastStep_ = -1;
    int renders_ = 0;
};

} // namespace zentrava
