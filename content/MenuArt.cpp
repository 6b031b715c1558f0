#include "content/MenuArt.h"

#include "content/HudArt.h"

namespace Content {

void MenuArt::AddRecipes(DataSetBuilder& builder)
{
    HudArt::AddRecipes(builder);
}

} // namespace Content
