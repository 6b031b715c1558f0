#include "engine/core/Plane.h"

#include <cmath>

#include "engine/core/MathTolerance.h"
#include "engine/core/Ray.h"

namespace OrrelayEngine {

Plane::Plane() : d_(0.0f)
{}

Plane::~Plane() = default;

const Vector3& Plane::GetNormal() const
{
    return normal_;
}

float Plane::Distance(const Vector3& point) const
{
    return normal_.Dot(point) + d_;
}

void Plane::Set(float a, float b, float c, float d)
{
    normal_ = Vector3(a, b, c);
    d_ = d;
    Normalize();
}

void Plane::Normalize()
{
    const float length = normal_.Length();
    if (length >= kMathTolerance) {
        normal_ /= length;
        d_ /= length;
    }
}

void Plane::SetFromPoints(const Vector3& p1, const Vector3& p2, const Vector3& p3)
{
    normal_ = (p2 - p1).Cross(p3 - p1);
    d_ = -normal_.Dot(p1);
    Normalize();
}

bool Plane::IntersectRay(const Ray& ray, float& t) const
{
    const float denominator = normal_.Dot(ray.direction);
    if (std::fabs(denominator) < kMathTolerance) {
        return false;
    }
    t = -(normal_.Dot(ray.origin) + d_) / denominator;
    return t > 0.0f;
}

} // namespace OrrelayEngine
