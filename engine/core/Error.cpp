#include "engine/core/Error.h"

namespace OrrelayEngine {

Error::Error(const std::string& message) : message_(message)
{}

Error::Error(const Error& other) : message_(other.message_)
{}

Error::~Error() = default;

const std::string& Error::GetMessage() const
{
    return message_;
}

} // namespace OrrelayEngine
