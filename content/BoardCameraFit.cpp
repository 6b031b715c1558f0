#include "content/BoardCameraFit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "content/BoardLayout.h"
#include "content/CellArt.h"
#include "content/HudLayout.h"
#include "engine/core/Error.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Quaternion.h"
#include "engine/render/Camera_D3D7.h"

namespace Content {

using OrrelayEngine::Matrix4;
using OrrelayEngine::Vector3;

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kHalfPi = 1.5707964f;
constexpr float kSixth = kPi / 3.0f;
// The right-button drag turns the board freely; it is checked every 15 degrees.
constexpr int kTurnCount = 24;
// As the board camera sets its clipping planes.
constexpr float kNearPlane = 50.0f;
constexpr float kFarPlane = 2000.0f;
// The tilted view looks down on the board about 55 degrees above it.
constexpr float kPitch = 0.96f;
constexpr float kGuiWidth = 800.0f;
constexpr float kGuiHeight = 600.0f;
// A butterfly resting on a cell: its spread wings, and its wings closed up
// over its back.
constexpr float kSpreadWingRadius = 13.0f;
constexpr float kSpreadWingHeight = 12.0f;
constexpr float kClosedWingRadius = 5.0f;
constexpr float kClosedWingHeight = 20.0f;
// The board's size on screen is found to a few parts in a thousand; the shift is probed
// over this distance to learn how the picture moves with it.
constexpr int kBisectionSteps = 10;
constexpr float kProbeShift = 10.0f;
constexpr int kRoundingTries = 40;

using Points = std::vector<Vector3>;

struct Shape
{
    std::vector<Points> objects;
    Vector3 centre;
};

struct Pose
{
    float height;
    float distance;
};

// What one pose shows at every turn: whether all of it is clear of the HUD,
// and how far up and down the picture reaches.
struct Frame
{
    bool fits = true;
    float low = 1e9f;
    float high = -1e9f;
};

constexpr LayoutBox kHudBoxes[] = {HudLayout::kLeftStrip, HudLayout::kLeftCorner, HudLayout::kRightStrip,
                                   HudLayout::kRightCorner, HudLayout::kRightFoot};

Points Ring(const Vector3& at, float radius, float z, float angle)
{
    Points points;
    for (int k = 0; k < 6; ++k) {
        const float a = angle + static_cast<float>(k) * kSixth;
        points.push_back(at + Vector3(radius * std::cos(a), radius * std::sin(a), z));
    }
    return points;
}

float CellHeight(std::uint32_t layers)
{
    return layers == 0 ? CellArt::kEmptyHeight : (layers == 1 ? CellArt::kSingleHeight : CellArt::kDoubleHeight);
}

bool HasCell(const std::vector<Tansywell::CellRecord>& cells, long x, long y)
{
    return std::any_of(cells.begin(), cells.end(), [x, y](const Tansywell::CellRecord& cell) {
        return static_cast<long>(cell.x) == x && static_cast<long>(cell.y) == y;
    });
}

Points Hedge(const Vector3& at, std::uint32_t direction)
{
    const float angle = CellArt::DirectionAngle(direction);
    const Vector3 out(std::cos(angle), std::sin(angle), 0.0f);
    const Vector3 along(-out.y, out.x, 0.0f);
    const float inner = BoardLayout::kInradius + CellArt::kBorderGap;
    const float outer = inner + CellArt::kBorderDepth;
    Points points;
    for (float z : {0.0f, CellArt::kBorderHeight}) {
        for (float reach : {inner, outer}) {
            for (float side : {-1.0f, 1.0f})
                points.push_back(at + out * reach + along * (side * CellArt::kBorderHalfLength) + Vector3(0, 0, z));
        }
    }
    return points;
}

Shape MakeShape(const std::vector<Tansywell::CellRecord>& cells)
{
    // The grid steps of the six directions the hedges face.
    const long steps[6][2] = {{0, 2}, {1, 1}, {1, -1}, {0, -2}, {-1, -1}, {-1, 1}};
    Shape shape;
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
    for (const Tansywell::CellRecord& cell : cells) {
        const Vector3 at = cell.firstTranslation + cell.secondTranslation;
        minX = std::min(minX, at.x);
        maxX = std::max(maxX, at.x);
        minY = std::min(minY, at.y);
        maxY = std::max(maxY, at.y);
        Points body = Ring(at, BoardLayout::kCircumradius, 0.0f, 0.0f);
        const Points top = Ring(at, BoardLayout::kCircumradius, CellHeight(cell.layerCount), 0.0f);
        body.insert(body.end(), top.begin(), top.end());
        shape.objects.push_back(body);
        Points item = Ring(at, kSpreadWingRadius, CellArt::kSingleHeight + kSpreadWingHeight, 0.0f);
        const Points closed = Ring(at, kClosedWingRadius, CellArt::kSingleHeight + kClosedWingHeight, 0.0f);
        item.insert(item.end(), closed.begin(), closed.end());
        shape.objects.push_back(item);
        for (std::uint32_t d = 0; d < 6; ++d) {
            if (!HasCell(cells, static_cast<long>(cell.x) + steps[d][0], static_cast<long>(cell.y) + steps[d][1]))
                shape.objects.push_back(Hedge(at, d));
        }
    }
    // The board camera circles the centre of the board's box: the cells' pick
    // boxes, the single cell's box on every cell, merged by the game onto the
    // first cell's box as it stands before it is placed, at the origin.
    const float halfWidth = CellArt::kCellRadius;
    const float halfDepth = CellArt::kCellRadius * BoardLayout::kInradius / BoardLayout::kCircumradius;
    minX = std::min(minX, 0.0f) - halfWidth;
    maxX = std::max(maxX, 0.0f) + halfWidth;
    minY = std::min(minY, 0.0f) - halfDepth;
    maxY = std::max(maxY, 0.0f) + halfDepth;
    shape.centre = Vector3((minX + maxX) * 0.5f, (minY + maxY) * 0.5f, CellArt::kSingleHeight * 0.5f);
    return shape;
}

// The camera as the board camera poses it, without a swing: the viewpoint at
// the pose's distance and height, its pitch the look's cosine.
Matrix4 ViewProjection(const Pose& pose)
{
    OrrelayEngine::Camera_D3D7 camera(nullptr, 0);
    camera.nearDistance = kNearPlane;
    camera.farDistance = kFarPlane;
    const float length = std::hypot(pose.distance, pose.height);
    OrrelayEngine::Quaternion rotation;
    rotation.RotateX(pose.distance > 0.0f ? pose.distance / length : 0.0f);
    rotation.RotateZ(kHalfPi);
    rotation.Normalize();
    camera.rotation = rotation;
    camera.SetPosition(Vector3(pose.distance, 0.0f, pose.height));
    camera.Update(OrrelayEngine::Camera_D3D7::kPerspectiveAspect);
    return camera.GetView() * camera.GetProjection();
}

bool Overlaps(float left, float right, float bottom, float top, const LayoutBox& box, float margin)
{
    return right > box.left - margin && left < box.Right() + margin && top > box.bottom - margin &&
           bottom < box.Top() + margin;
}

Frame Project(const Shape& shape, const Pose& pose, float shift, float margin)
{
    const Matrix4 viewProjection = ViewProjection(pose);
    Frame frame;
    for (int turn = 0; turn < kTurnCount; ++turn) {
        Matrix4 toShift;
        MatrixSetTranslation(toShift, Vector3(shift, 0.0f, 0.0f));
        Matrix4 rotation;
        MatrixSetRotationZ(rotation, -static_cast<float>(turn) * 2.0f * kPi / kTurnCount);
        Matrix4 toCentre;
        MatrixSetTranslation(toCentre, shape.centre * -1.0f);
        const Matrix4 placement = toShift * rotation * toCentre;
        // The placement (acting on column vectors) and the view and projection
        // (on row vectors) folded into one map from a point to x, y and w.
        float map[3][4];
        const int columns[3] = {0, 1, 3};
        for (int c = 0; c < 3; ++c) {
            for (int k = 0; k < 4; ++k) {
                float sum = k == 3 ? viewProjection.m[12 + columns[c]] : 0.0f;
                for (int r = 0; r < 3; ++r)
                    sum += placement.m[4 * r + k] * viewProjection.m[4 * r + columns[c]];
                map[c][k] = sum;
            }
        }
        for (const Points& object : shape.objects) {
            float left = 1e9f, right = -1e9f, bottom = 1e9f, top = -1e9f;
            for (const Vector3& p : object) {
                const float x = p.x * map[0][0] + p.y * map[0][1] + p.z * map[0][2] + map[0][3];
                const float y = p.x * map[1][0] + p.y * map[1][1] + p.z * map[1][2] + map[1][3];
                const float w = p.x * map[2][0] + p.y * map[2][1] + p.z * map[2][2] + map[2][3];
                if (w < kNearPlane || w > kFarPlane) {
                    frame.fits = false;
                    continue;
                }
                const float gx = kGuiWidth * (0.5f * x / w + 0.5f);
                const float gy = kGuiHeight * (0.5f * y / w + 0.5f);
                left = std::min(left, gx);
                right = std::max(right, gx);
                bottom = std::min(bottom, gy);
                top = std::max(top, gy);
            }
            frame.low = std::min(frame.low, bottom);
            frame.high = std::max(frame.high, top);
            if (left < margin || right > kGuiWidth - margin || bottom < margin || top > kGuiHeight - margin)
                frame.fits = false;
            for (const LayoutBox& box : kHudBoxes)
                frame.fits = frame.fits && !Overlaps(left, right, bottom, top, box, margin);
        }
    }
    return frame;
}

// The shift that centres the picture up and down, found from two probes and
// refined once.
float CentringShift(const Shape& shape, const Pose& pose)
{
    const Frame at = Project(shape, pose, 0.0f, 0.0f);
    const Frame probe = Project(shape, pose, kProbeShift, 0.0f);
    const float rate = ((probe.low + probe.high) - (at.low + at.high)) * 0.5f / kProbeShift;
    if (std::fabs(rate) < 1e-6f)
        return 0.0f;
    float shift = (kGuiHeight * 0.5f - (at.low + at.high) * 0.5f) / rate;
    const Frame moved = Project(shape, pose, shift, 0.0f);
    shift += (kGuiHeight * 0.5f - (moved.low + moved.high) * 0.5f) / rate;
    return shift;
}

// To the tenth the file holds; a negative zero becomes a plain one.
float Rounded(float value)
{
    return std::round(value * 10.0f) / 10.0f + 0.0f;
}

struct Fitted
{
    Pose pose;
    float shift;
};

// The nearest pose along the given line of poses whose centred picture keeps
// clear of the HUD; scale is the distance of the viewpoint from the board.
template <class PoseAt>
Fitted FitView(const Shape& shape, PoseAt poseAt, const char* view)
{
    const auto fits = [&](float scale, float margin, Fitted& fitted) {
        fitted.pose = poseAt(scale);
        fitted.shift = CentringShift(shape, fitted.pose);
        return Project(shape, fitted.pose, fitted.shift, margin).fits;
    };
    Fitted fitted{};
    float near = kNearPlane * 2.0f;
    float far = near;
    while (!fits(far, BoardCameraFit::kMarginGuiUnits, fitted)) {
        far *= 1.25f;
        if (far > kFarPlane)
            throw OrrelayEngine::Error(std::string("board camera: the board does not fit the ") + view + " view");
    }
    for (int step = 0; step < kBisectionSteps; ++step) {
        const float middle = (near + far) * 0.5f;
        if (fits(middle, BoardCameraFit::kMarginGuiUnits, fitted))
            far = middle;
        else
            near = middle;
    }
    // The file holds tenths: the rounded numbers must still fit, with half
    // the margin to spare.
    for (int attempt = 0; attempt < kRoundingTries; ++attempt, far *= 1.005f) {
        fits(far, BoardCameraFit::kMarginGuiUnits, fitted);
        fitted.pose = Pose{Rounded(fitted.pose.height), Rounded(fitted.pose.distance)};
        fitted.shift = Rounded(fitted.shift);
        if (Project(shape, fitted.pose, fitted.shift, BoardCameraFit::kMarginGuiUnits * 0.5f).fits)
            return fitted;
    }
    throw OrrelayEngine::Error(std::string("board camera: no rounded ") + view + " view fits");
}

} // namespace

BoardCameraFit::Numbers BoardCameraFit::Fit(const std::vector<Tansywell::CellRecord>& cells)
{
    if (cells.empty())
        throw OrrelayEngine::Error("board camera: a board without cells");
    const Shape shape = MakeShape(cells);
    const Fitted flat = FitView(
        shape,
        [](float scale) {
            return Pose{scale, 0.0f};
        },
        "flat");
    const Fitted tilted = FitView(
        shape,
        [](float scale) {
            return Pose{scale * std::sin(kPitch), scale * std::cos(kPitch)};
        },
        "tilted");
    Numbers numbers;
    numbers.flatHeight = flat.pose.height;
    numbers.flatShift = flat.shift;
    numbers.tiltedHeight = tilted.pose.height;
    numbers.tiltedShift = tilted.shift;
    numbers.tiltedDistance = tilted.pose.distance;
    return numbers;
}

std::string BoardCameraFit::MakeCameraFile(const std::vector<Tansywell::CellRecord>& cells)
{
    const Numbers n = Fit(cells);
    char text[160];
    std::snprintf(text, sizeof(text), "%.1f %.1f %.1f %.1f %.1f\n", static_cast<double>(n.flatHeight),
                  static_cast<double>(n.flatShift), static_cast<double>(n.tiltedHeight),
                  static_cast<double>(n.tiltedShift), static_cast<double>(n.tiltedDistance));
    return text;
}

} // namespace Content
