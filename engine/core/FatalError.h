// A condition that ends the program; its text has normally been logged already.
#pragma once

#include "engine/core/Error.h"

namespace OrrelayEngine {

class FatalError : public Error
{
public:
    explicit FatalError(const std::string& message);
    FatalError(const FatalError& other);
};

} // namespace OrrelayEngine
