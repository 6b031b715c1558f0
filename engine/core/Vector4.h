// Four floats: a homogeneous point, the operand and result of Matrix4::Transform.
#pragma once

namespace OrrelayEngine {

struct Vector4
{
    float x;
    float y;
    float z;
    float w;

    Vector4() : x(0.0f), y(0.0f), z(0.0f), w(0.0f) {}
    Vector4(float xValue, float yValue, float zValue, float wValue) : x(xValue), y(yValue), z(zValue), w(wValue) {}
};

} // namespace OrrelayEngine
