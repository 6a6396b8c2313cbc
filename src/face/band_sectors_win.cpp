#include "face/band_sectors_win.h"

#include "base/win_handles_win.h"

#include <array>

namespace zentrava {

void DrawBandSectors(HDC dc, const FaceGeometry& g, const TimeBands& bands, int clock0HourPos) {
    // One pixel beyond the face so no rim of the face colour shows between band and frame.
    const Rect box{g.face.left - 1, g.face.top - 1, g.face.right + 1, g.face.bottom + 1};
    const Point centre{g.cx, g.cy};
    for (const TimeBand& band : bands) {
        if (!band.On()) {
            continue;
        }
        const COLORREF colour = static_cast<COLORREF>(band.colour);
        const UniquePen pen(CreatePen(PS_SOLID, 1, colour));
        const UniqueBrush brush(CreateSolidBrush(colour));
        if (!pen || !brush) {
            continue;
        }
        ScopedSelect selectPen(dc, pen.get());
        ScopedSelect selectBrush(dc, brush.get());
        const BandSector sector = TimeBandSector(band, clock0HourPos, centre);
        const SectorRim rim = BandSectorRim(sector, centre, (box.right - box.left) / 2);
        if (sector.wholeDisc) {
            Ellipse(dc, box.left, box.top, box.right, box.bottom);
        } else if (rim.narrow) {
            const std::array<POINT, 3> sliver{POINT{centre.x, centre.y},
                                              POINT{rim.second.x, rim.second.y},
                                              POINT{rim.first.x, rim.first.y}};
            Polygon(dc, sliver.data(), static_cast<int>(sliver.size()));
        } else {
            Pie(dc, box.left, box.top, box.right, box.bottom, sector.first.x, sector.first.y,
                sector.second.x, sector.second.y);
        }
    }
}

} // namespace zentrava
