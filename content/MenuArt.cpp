#include "content/MenuArt.h"

#include "content/CursorArt.h"
#include "content/HudArt.h"
#include "content/MapArt.h"
#include "content/MenuFrameArt.h"
#include "content/MenuParticles.h"

namespace Content {

void MenuArt::AddRecipes(DataSetBuilder& builder)
{
    MenuFrameArt::AddRecipes(builder);
    HudArt::AddRecipes(builder);
    MapArt::AddRecipes(builder);
    CursorArt::AddRecipes(builder);
    MenuParticles::AddRecipes(builder);
}

} // namespace Content
