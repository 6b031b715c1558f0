#include "engine/core/Matrix4.h"

#include <cmath>
#include <utility>

#include "engine/core/MathTolerance.h"

namespace OrrelayEngine {

namespace {

constexpr unsigned int kMatrixRows = 4;

bool IsFiniteNonZero(float value)
{
    return value != 0.0f && std::isfinite(value);
}

} // namespace

Matrix4::Matrix4()
{
    MatrixSetIdentity(*this);
}

Matrix4::Matrix4(float m0, float m1, float m2, float m3, float m4, float m5, float m6, float m7, float m8, float m9,
                 float m10, float m11, float m12, float m13, float m14, float m15)
    : m{m0, m1, m2, m3, m4, m5, m6, m7, m8, m9, m10, m11, m12, m13, m14, m15}
{}

Matrix4 Matrix4::operator*(const Matrix4& other) const
{
    Matrix4 product;
    for (unsigned int row = 0; row < kMatrixRows; ++row) {
        for (unsigned int column = 0; column < kMatrixRows; ++column) {
            float sum = 0.0f;
            for (unsigned int k = 0; k < kMatrixRows; ++k) {
                sum += m[4 * row + k] * other.m[4 * k + column];
            }
            product.m[4 * row + column] = sum;
        }
    }
    return product;
}

void Matrix4::Translate(const Vector3& offset)
{
    Matrix4 translation;
    MatrixSetTranslation(translation, offset);
    *this = *this * translation;
}

Vector3 Matrix4::TransformPoint(const Vector3& point) const
{
    return Vector3(m[0] * point.x + m[1] * point.y + m[2] * point.z + m[3],
                   m[4] * point.x + m[5] * point.y + m[6] * point.z + m[7],
                   m[8] * point.x + m[9] * point.y + m[10] * point.z + m[11]);
}

Vector4 Matrix4::Transform(const Vector4& point) const
{
    return Vector4(m[0] * point.x + m[1] * point.y + m[2] * point.z + m[3] * point.w,
                   m[4] * point.x + m[5] * point.y + m[6] * point.z + m[7] * point.w,
                   m[8] * point.x + m[9] * point.y + m[10] * point.z + m[11] * point.w,
                   m[12] * point.x + m[13] * point.y + m[14] * point.z + m[15] * point.w);
}

Ray Matrix4::TransformRay(const Ray& ray) const
{
    const Vector3 origin = TransformPoint(ray.origin);
    const Vector3 end = TransformPoint(ray.origin + ray.direction);
    return Ray(origin, end - origin);
}

bool Matrix4::IsIdentity() const
{
    const Matrix4 identity;
    for (unsigned int i = 0; i < 16; ++i) {
        if (std::fabs(m[i] - identity.m[i]) > kMathTolerance) {
            return false;
        }
    }
    return true;
}

bool Matrix4::operator==(const Matrix4& other) const
{
    for (unsigned int i = 0; i < 16; ++i) {
        if (std::fabs(m[i] - other.m[i]) > kMathTolerance) {
            return false;
        }
    }
    return true;
}

void Matrix4::SwapElements(unsigned int row, unsigned int column)
{
    if (row >= kMatrixRows || column >= kMatrixRows) {
        return;
    }
    std::swap(m[4 * row + column], m[4 * column + row]);
}

void Matrix4::Transpose()
{
    SwapElements(0, 1);
    SwapElements(0, 2);
    SwapElements(0, 3);
    SwapElements(1, 2);
    SwapElements(1, 3);
    SwapElements(2, 3);
}

bool Matrix4::Invert()
{
    const float a00 = m[0], a01 = m[1], a02 = m[2], a03 = m[3];
    const float a10 = m[4], a11 = m[5], a12 = m[6], a13 = m[7];
    const float a20 = m[8], a21 = m[9], a22 = m[10], a23 = m[11];
    const float a30 = m[12], a31 = m[13], a32 = m[14], a33 = m[15];

    // 2x2 determinants of the upper two rows (s) and of the lower two rows (c);
    // every cofactor and the determinant are sums of their products.
    const float s0 = a00 * a11 - a10 * a01;
    const float s1 = a00 * a12 - a10 * a02;
    const float s2 = a00 * a13 - a10 * a03;
    const float s3 = a01 * a12 - a11 * a02;
    const float s4 = a01 * a13 - a11 * a03;
    const float s5 = a02 * a13 - a12 * a03;
    const float c0 = a20 * a31 - a30 * a21;
    const float c1 = a20 * a32 - a30 * a22;
    const float c2 = a20 * a33 - a30 * a23;
    const float c3 = a21 * a32 - a31 * a22;
    const float c4 = a21 * a33 - a31 * a23;
    const float c5 = a22 * a33 - a32 * a23;

    const float determinant = s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
    if (!IsFiniteNonZero(determinant)) {
        return false;
    }
    const float inverse = 1.0f / determinant;
    if (!IsFiniteNonZero(inverse)) {
        return false;
    }

    m[0] = (a11 * c5 - a12 * c4 + a13 * c3) * inverse;
    m[1] = (-a01 * c5 + a02 * c4 - a03 * c3) * inverse;
    m[2] = (a31 * s5 - a32 * s4 + a33 * s3) * inverse;
    m[3] = (-a21 * s5 + a22 * s4 - a23 * s3) * inverse;
    m[4] = (-a10 * c5 + a12 * c2 - a13 * c1) * inverse;
    m[5] = (a00 * c5 - a02 * c2 + a03 * c1) * inverse;
    m[6] = (-a30 * s5 + a32 * s2 - a33 * s1) * inverse;
    m[7] = (a20 * s5 - a22 * s2 + a23 * s1) * inverse;
    m[8] = (a10 * c4 - a11 * c2 + a13 * c0) * inverse;
    m[9] = (-a00 * c4 + a01 * c2 - a03 * c0) * inverse;
    m[10] = (a30 * s4 - a31 * s2 + a33 * s0) * inverse;
    m[11] = (-a20 * s4 + a21 * s2 - a23 * s0) * inverse;
    m[12] = (-a10 * c3 + a11 * c1 - a12 * c0) * inverse;
    m[13] = (a00 * c3 - a01 * c1 + a02 * c0) * inverse;
    m[14] = (-a30 * s3 + a31 * s1 - a32 * s0) * inverse;
    m[15] = (a20 * s3 - a21 * s1 + a22 * s0) * inverse;
    return true;
}

void MatrixSetIdentity(Matrix4& matrix)
{
    for (float& element : matrix.m) {
        element = 0.0f;
    }
    matrix.m[0] = 1.0f;
    matrix.m[5] = 1.0f;
    matrix.m[10] = 1.0f;
    matrix.m[15] = 1.0f;
}

void MatrixSetTranslation(Matrix4& matrix, const Vector3& offset)
{
    MatrixSetIdentity(matrix);
    matrix.m[3] = offset.x;
    matrix.m[7] = offset.y;
    matrix.m[11] = offset.z;
}

void MatrixSetRotationZ(Matrix4& matrix, float angle)
{
    MatrixSetIdentity(matrix);
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    matrix.m[0] = c;
    matrix.m[1] = -s;
    matrix.m[4] = s;
    matrix.m[5] = c;
}

void MatrixSetRotationAxis(Matrix4& matrix, const Vector3& axis, float angle)
{
    MatrixSetIdentity(matrix);
    // Normalising a too-short axis leaves it as it is, and the formula below
    // would then scale by cos(angle) instead of rotating.
    if (axis.Length() <= kMathTolerance) {
        return;
    }
    const Vector3 unit = axis.Normalized();
    const float x = unit.x;
    const float y = unit.y;
    const float z = unit.z;
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const float t = 1.0f - c;
    matrix.m[0] = t * x * x + c;
    matrix.m[1] = t * x * y - s * z;
    matrix.m[2] = t * x * z + s * y;
    matrix.m[4] = t * x * y + s * z;
    matrix.m[5] = t * y * y + c;
    matrix.m[6] = t * y * z - s * x;
    matrix.m[8] = t * x * z - s * y;
    matrix.m[9] = t * y * z + s * x;
    matrix.m[10] = t * z * z + c;
}

} // namespace OrrelayEngine
