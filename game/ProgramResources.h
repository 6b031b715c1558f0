// The pictures the program carries inside itself, as a desktop program carries
// its icon and cursors: the window's icon and the pointer the system shows
// while the game's own drawn cursor is switched off. The data-set builder
// paints them and writes them as a source compiled into the game; the program
// registers them with the platform when it starts, before any window opens.
#pragma once

#include <cstdint>

namespace Tansywell {

struct ProgramImage
{
    std::int32_t width;
    std::int32_t height;
    std::int32_t hotX;
    std::int32_t hotY;
    // RGBA rows from the top, width x height x 4 bytes.
    const std::uint8_t* rgba;
};

class ProgramResources
{
public:
    static const ProgramImage kIcon;
    static const ProgramImage kSystemCursor;

    // Under the ids the game asks for: its window icon and its system cursor.
    static void Register();
};

} // namespace Tansywell
