#include "game/ProgramResources.h"

#include <gtest/gtest.h>

#include "game/gui/GUIGameCursor.h"
#include "platform/Cursor.h"

namespace Tansywell {
namespace {

// With the game's drawn cursor switched off, the system shows the pointer
// the game asks for by id: the program's own, not the stock arrow.
TEST(ProgramResources, GiveTheGameItsOwnSystemPointerWithTheHotSpotOnItsTip)
{
    ProgramResources::Register();
    EXPECT_NE(Platform::LoadCursorResource(GUIGameCursor::kSystemCursorResource), Platform::kArrowCursor);
    const ProgramImage& pointer = ProgramResources::kSystemCursor;
    const auto alphaAt = [&](int x, int y) { return pointer.rgba[(y * pointer.width + x) * 4 + 3]; };
    // The tip is inked; the far corner, beside the arrow, is clear.
    EXPECT_GT(alphaAt(pointer.hotX, pointer.hotY), 100);
    EXPECT_EQ(alphaAt(pointer.width - 1, 0), 0);
}

} // namespace
} // namespace Tansywell
