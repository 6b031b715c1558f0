#include "engine/core/FatalError.h"

namespace OrrelayEngine {

FatalError::FatalError(const std::string& message) : Error(message)
{}

FatalError::FatalError(const FatalError& other) : Error(other)
{}

} // namespace OrrelayEngine
