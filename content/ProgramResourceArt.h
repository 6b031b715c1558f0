// The pictures the program carries inside itself rather than in its data pack,
// as a desktop program carries its icon and cursors: the window's icon and the
// pointer the system shows when the game's own drawn cursor is switched off.
// They are needed before the data pack is open, so the builder writes them as
// a C++ source that is compiled into the game.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class ArtCanvas;

class ProgramResourceArt
{
public:
    static constexpr std::uint32_t kIconSide = 64;
    static constexpr std::uint32_t kCursorSide = 32;

    static ArtCanvas PaintIcon();
    // The game's pointer at half size; its tip, the hot spot, stays the top-left pixel.
    static ArtCanvas PaintSystemCursor();
    // RGBA bytes, rows from the top, straight (not premultiplied) alpha.
    static std::vector<std::uint8_t> ToRgba(const ArtCanvas& canvas);
    // The source defining ProgramResources::kIcon and kSystemCursor.
    static std::string BuildSource();
};

} // namespace Content
