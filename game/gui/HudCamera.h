// What the head-up display needs of the board camera: whether the view is
// flat, tilted or moving between the two (with the blend of the move), and a
// way to ask for the other view. The board camera of the level implements it.
#pragma once

#include <cstdint>

namespace Tansywell {

class HudCamera
{
public:
    enum State : std::uint32_t
    {
        kStateFlat = 0,
        kStateTilted = 1,
        kStateMoving = 2
    };

    HudCamera();
    virtual ~HudCamera();

    HudCamera(const HudCamera&) = delete;
    HudCamera& operator=(const HudCamera&) = delete;

    virtual std::uint32_t GetCameraState() const = 0;
    // 0 flat to 1 tilted.
    virtual float GetCameraBlend() const = 0;
    // true: the tilted (3D) view; false: the flat (2D) one.
    virtual void SetCameraType(bool threeDimensional) = 0;
};

} // namespace Tansywell
