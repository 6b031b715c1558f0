// The one tolerance every approximate comparison of the math and geometry
// types uses. Single precision: do not tighten it without checking the
// callers that compare computed positions.
#pragma once

namespace OrrelayEngine {

constexpr float kMathTolerance = 0.0001f;

} // namespace OrrelayEngine
