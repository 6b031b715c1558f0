// A colour of four floats, 1.0 full intensity. A default colour is
// transparent black (0, 0, 0, 0), like a default vector, so that a colour
// nobody set shows up as nothing rather than as something plausible.
#pragma once

#include <cmath>

#include "engine/core/MathTolerance.h"

namespace OrrelayEngine {

struct Color
{
    float r;
    float g;
    float b;
    float a;

    Color() : r(0.0f), g(0.0f), b(0.0f), a(0.0f) {}
    Color(float red, float green, float blue, float alpha) : r(red), g(green), b(blue), a(alpha) {}

    void Set(float red, float green, float blue, float alpha)
    {
        r = red;
        g = green;
        b = blue;
        a = alpha;
    }

    Color operator+(const Color& other) const { return Color(r + other.r, g + other.g, b + other.b, a + other.a); }

    Color Modulate(const Color& other) const { return Color(r * other.r, g * other.g, b * other.b, a * other.a); }

    Color operator*(float scale) const { return Color(r * scale, g * scale, b * scale, a * scale); }

    float Dot(const Color& other) const { return r * other.r + g * other.g + b * other.b + a * other.a; }

    bool operator!=(const Color& other) const
    {
        return std::fabs(r - other.r) > kMathTolerance || std::fabs(g - other.g) > kMathTolerance ||
               std::fabs(b - other.b) > kMathTolerance || std::fabs(a - other.a) > kMathTolerance;
    }
};

} // namespace OrrelayEngine
