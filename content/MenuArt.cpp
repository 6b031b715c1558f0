#include "content/MenuArt.h"

#include "content/CursorArt.h"
#include "content/MapArt.h"
#include "content/MenuParticles.h"

namespace Content {

void MenuArt::AddRecipes(DataSetBuilder& builder)
{
    MapArt::AddRecipes(builder);
    CursorArt::AddRecipes(builder);
    MenuParticles::AddRecipes(builder);
}

} // namespace Content
