#pragma once
// The picture that turns once a day on the 24-hour dial. The picture is squeezed to a square
// once; each frame samples that square into the face circle of a client-size frame, only when
// the turn has moved on by a step, so a paint between steps costs nothing.

#include "base/geometry.h"
#include "clock/clock_time.h"
#include "face/picture.h"

namespace zentrava {

// One step per second of the day: at the rim of a large face that is a small fraction of a
// pixel, so a frame is recomputed at most once a second.
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

// Pixels whose distance from the centre is at most radius are inside.
struct FaceCircle {
    Point centre;
    int radius = 0;

    friend bool operator==(const FaceCircle&, const FaceCircle&) = default;
};

// The whole picture squeezed or stretched to side x side, nearest pixel.
Picture SquarePicture(const Picture& picture, int side);

// The whole picture stretched over out's size, written only inside the circle.
void StretchIntoFace(const Picture& picture, const FaceCircle& circle, Picture& out);

// square (side x side) stretched over out's size and turned about its centre by turnStep,
// written only inside the circle. Points that would sample beyond the square take its edge.
void RotateIntoFace(const Picture& square, int turnStep, const FaceCircle& circle, Picture& out);

// A picture and its last frame. A picture less than 2 pixels high has nothing to turn (its
// square would be empty) and is drawn stretched, unturned.
class RotatingPicture {
public:
    explicit RotatingPicture(const Picture& picture);

    // The frame of width x height for this turn; outside the circle its pixels are 0.
    const Picture& Frame(int turnStep, const FaceCircle& circle, int width, int height);

    // How many frames were computed, for callers that count their work.
    int Renders() const { return renders_; }

private:
    Picture source_;
    bool turns_ = false;
    Picture frame_;
    int lastStep_ = -1;
    FaceCircle lastCircle_;
    int renders_ = 0;
};

} // namespace zentrava
