#include "engine/render/Light.h"

namespace OrrelayEngine {

Light::Light(MessageManager* log, std::uint32_t deviceIndex) : log_(log), deviceIndex_(deviceIndex)
{}

Light::~Light() = default;

} // namespace OrrelayEngine
