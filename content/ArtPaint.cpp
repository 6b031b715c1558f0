#include "content/ArtPaint.h"

#include <algorithm>
#include <cmath>

namespace Content {

float ArtPaint::Coverage(float distance)
{
    return ArtCanvas::Clamp01(0.5f - distance * MenuStyle::kTexelsPerUnit);
}

float ArtPaint::EllipseDistance(float x, float y, float radiusX, float radiusY)
{
    const float nx = x / std::max(radiusX, 0.001f);
    const float ny = y / std::max(radiusY, 0.001f);
    return (std::sqrt(nx * nx + ny * ny) - 1.0f) * std::min(radiusX, radiusY);
}

float ArtPaint::Fbm(float x, float y, std::uint32_t seed, int octaves)
{
    float sum = 0.0f;
    float weight = 0.5f;
    float total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * ArtCanvas::Noise(x, y, seed + static_cast<std::uint32_t>(i));
        total += weight;
        x *= 2.0f;
        y *= 2.0f;
        weight *= 0.5f;
    }
    return total > 0.0f ? sum / total : 0.0f;
}

float ArtPaint::EaseOut(float t)
{
    t = ArtCanvas::Clamp01(t);
    return 1.0f - (1.0f - t) * (1.0f - t) * (1.0f - t);
}

float ArtPaint::EaseBack(float t)
{
    t = ArtCanvas::Clamp01(t);
    constexpr float kOvershoot = 1.70158f;
    const float s = t - 1.0f;
    return 1.0f + (kOvershoot + 1.0f) * s * s * s + kOvershoot * s * s;
}

std::uint32_t ArtPaint::SideFor(float units)
{
    constexpr float kLeastTexelsPerUnit = 1.6f;
    constexpr std::uint32_t kLargestSide = 2048;
    std::uint32_t side = 4;
    while (side < kLargestSide && static_cast<float>(side) < units * kLeastTexelsPerUnit) {
        side *= 2;
    }
    return side;
}

} // namespace Content
