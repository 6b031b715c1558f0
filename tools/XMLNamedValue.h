// An attribute of an XML element: its name and its value.
#pragma once

#include <string>

#include "tools/XMLValue.h"

namespace GameTools {

struct XMLNamedValue
{
    std::string name;
    XMLValue value;
};

} // namespace GameTools
