// A 4x4 matrix of floats, row-major (element 4 * row + column), used with
// column vectors: a point p is transformed as M * p, the translation lives in
// elements 3, 7 and 11, and in A * B the matrix B acts first.
// The render device takes the transposed, row-vector form of these.
#pragma once

#include "engine/core/Ray.h"
#include "engine/core/Vector3.h"
#include "engine/core/Vector4.h"

namespace OrrelayEngine {

struct Matrix4
{
    float m[16];

    // The identity.
    Matrix4();
    // The sixteen elements row by row.
    Matrix4(float m0, float m1, float m2, float m3, float m4, float m5, float m6, float m7, float m8, float m9,
            float m10, float m11, float m12, float m13, float m14, float m15);

    Matrix4 operator*(const Matrix4& other) const;
    // this = this * T, T translating by offset.
    void Translate(const Vector3& offset);

    // The upper three rows times (x, y, z, 1); the bottom row is ignored and
    // there is no division by w.
    Vector3 TransformPoint(const Vector3& point) const;
    Vector4 Transform(const Vector4& point) const;
    // The origin as a point; the direction as the difference of the two
    // transformed end points, so the translation does not move it.
    Ray TransformRay(const Ray& ray) const;

    bool IsIdentity() const;
    bool operator==(const Matrix4& other) const;

    // Swaps element (row, column) with (column, row); indices above 3 do nothing.
    void SwapElements(unsigned int row, unsigned int column);
    void Transpose();
    // Replaces the matrix by its inverse. A singular matrix has none: it is
    // left unchanged and the result is false, rather than filling the matrix
    // with infinities that would spread through every transform built on it.
    bool Invert();
};

void MatrixSetIdentity(Matrix4& matrix);
void MatrixSetTranslation(Matrix4& matrix, const Vector3& offset);
// For a positive angle (radians) x turns towards y.
void MatrixSetRotationZ(Matrix4& matrix, float angle);
// Rotation by angle (radians) about axis, which need not be of unit length.
// An axis shorter than the tolerance has no direction: the result is the identity.
void MatrixSetRotationAxis(Matrix4& matrix, const Vector3& axis, float angle);

} // namespace OrrelayEngine
