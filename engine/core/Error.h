// The engine's exception base: a message written for a human, logged and shown
// in a message box. Thrown by value, caught by reference.
#pragma once

#include <string>

namespace OrrelayEngine {

class Error
{
public:
    explicit Error(const std::string& message);
    Error(const Error& other);
    virtual ~Error();

    const std::string& GetMessage() const;

private:
    std::string message_;
};

} // namespace OrrelayEngine
