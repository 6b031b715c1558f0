// Anything that goes wrong while opening, reading, writing or decoding a file.
#pragma once

#include "engine/core/Error.h"

namespace OrrelayEngine {

class FileError : public Error
{
public:
    explicit FileError(const std::string& message);
    FileError(const FileError& other);
};

} // namespace OrrelayEngine
