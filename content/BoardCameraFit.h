// The board camera's five numbers for one board (flat height, flat shift,
// tilted height, tilted shift, tilted distance), fitted to the board's own
// shape: the game's camera is posed as the board camera poses it, every cell
// (with room for the butterfly resting on it) and every border hedge is
// projected at every turn of the board in 15-degree steps, and each view is
// brought as close as it can come while all of it stays clear of the HUD's
// frame, its strips and the screen's edges, centred up and down.
#pragma once

#include <string>
#include <vector>

#include "game/CellRecord.h"

namespace Content {

class BoardCameraFit
{
public:
    struct Numbers
    {
        float flatHeight = 0.0f;
        float flatShift = 0.0f;
        float tiltedHeight = 0.0f;
        float tiltedShift = 0.0f;
        float tiltedDistance = 0.0f;
    };

    // Clearance kept between the board and the HUD, in GUI units.
    static constexpr float kMarginGuiUnits = 6.0f;

    static Numbers Fit(const std::vector<Tansywell::CellRecord>& cells);
    // The camera file's text: the five numbers on one line.
    static std::string MakeCameraFile(const std::vector<Tansywell::CellRecord>& cells);
};

} // namespace Content
