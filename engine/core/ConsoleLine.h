// One piece of the console's scrollback: a run of text in one colour that
// fits the screen's width, and whether a new screen line starts after it.
#pragma once

#include <string>

#include "engine/core/Color.h"

namespace OrrelayEngine {

struct ConsoleLine
{
    Color colour;
    // Without the line feed that ended it: endsLine says so.
    std::wstring text;
    bool endsLine = false;
    // In the console font, in pixels.
    float width = 0.0f;
};

} // namespace OrrelayEngine
