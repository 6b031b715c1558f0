#include "content/MenuArt.h"

#include "content/HudArt.h"
#include "content/MenuFrameArt.h"

namespace Content {

void MenuArt::AddRecipes(DataSetBuilder& builder)
{
    MenuFrameArt::AddRecipes(builder);
    HudArt::AddRecipes(builder);
}

} // namespace Content
