#include "engine/core/FileError.h"

namespace OrrelayEngine {

FileError::FileError(const std::string& message) : Error(message)
{}

FileError::FileError(const FileError& other) : Error(other)
{}

} // namespace OrrelayEngine
