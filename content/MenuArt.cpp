#include "content/MenuArt.h"

#include "content/BackgroundArt.h"
#include "content/CursorArt.h"
#include "content/HudArt.h"
#include "content/IntroArt.h"
#include "content/MapArt.h"
#include "content/MenuFrameArt.h"
#include "content/MenuParticles.h"
#include "content/TitleArt.h"

namespace Content {

void MenuArt::AddRecipes(DataSetBuilder& builder)
{
    MenuFrameArt::AddRecipes(builder);
    HudArt::AddRecipes(builder);
    MapArt::AddRecipes(builder);
    CursorArt::AddRecipes(builder);
    MenuParticles::AddRecipes(builder);
    BackgroundArt::AddRecipes(builder);
    IntroArt::AddRecipes(builder);
    TitleArt::AddRecipes(builder);
}

} // namespace Content
