#include "game/ProgramResources.h"

#include <vector>

#include "game/Game.h"
#include "game/gui/GUIGameCursor.h"
#include "platform/AppWindow.h"
#include "platform/Cursor.h"

namespace Tansywell {

namespace {

std::vector<std::uint8_t> Pixels(const ProgramImage& image)
{
    const std::size_t bytes = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4u;
    return std::vector<std::uint8_t>(image.rgba, image.rgba + bytes);
}

} // namespace

void ProgramResources::Register()
{
    Platform::RegisterIconResource(Game::kIconId, kIcon.width, kIcon.height, Pixels(kIcon));
    Platform::RegisterCursorResource(GUIGameCursor::kSystemCursorResource, kSystemCursor.width, kSystemCursor.height,
                                     kSystemCursor.hotX, kSystemCursor.hotY, Pixels(kSystemCursor));
}

} // namespace Tansywell
